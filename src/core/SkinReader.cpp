#include "core/SkinReader.h"

#include "skin/Module.h"
#include "skin/NewSkinFile.h"
#include "preview/SkinButtons.h"
#include "skin/SkinChange.h"
#include "skin/SkinFonts.h"
#include "platform/Transparent.h"
#include "core/frmMain.h"
#include "preview/frmSkin.h"
#include "editors/buttons/KeyPressEdit.h"
#include "editors/buttons/frmImagesToolBar.h"
#include "editors/display_bars/BarPanel.h"
#include "editors/display_bars/frmDisplayToolBar.h"
#include "editors/display_bars/frmTrackVolumeToolBar.h"
#include "editors/fullscreen/frmFullScreenToolBar.h"
#include "platform/VbRuntime.h"
#include "skin/SkinFileReader.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {

// The largest font size a label takes, in points; a size of 0 or less is refused too.
constexpr double MaxFontSize = 2160;

void setTextAndTip(QLineEdit *box, const QString &text)
{
    box->setText(text);
    box->setToolTip(text);
}

// The preview and the tool windows of the open skin as the reader fills them.
// Writing a tool window's control runs its handler, as a user's edit would.
class WindowsView : public SkinReaderView
{
public:
    WindowsView()
        : skin(frmSkin::get())
        , buttons(ButtonToolWindow::active())
    {
    }

    void showMainImage(const QString &path) override
    {
        skin->LoadMainPicture(path, false);
        setTextAndTip(buttons->txtMainWindow, path);
        skin->pctSkinMain->show();
    }

    void enableEditingFrames() override
    {
        for (QWidget *frame : { buttons->fmBtnList, buttons->fmBtn, buttons->fmBtnCoordinates })
            frame->setEnabled(true);
        if (gFullScreenSkin) {
            frmFullScreenToolBar *fs = frmFullScreenToolBar::get();
            for (QWidget *frame : { fs->fmPosition, fs->fmDisplay, fs->fmDisplayCoordinates })
                frame->setEnabled(true);
        } else {
            frmDisplayToolBar::get()->EnableFrames();
            frmTrackVolumeToolBar::get()->EnableFrames();
        }
        bar(0)->enableFrames();
        bar(1)->enableFrames();
    }

    void showShape(bool shaped) override
    {
        MakeWindowRegion(skin->pctSkinMain, shaped);
        buttons->chkShape->setChecked(shaped);
    }

    void showExtension(const QString &extension) override { buttons->txtExtension->setText(extension); }

    void showPosition(int codeEntry, int indexEntry) override
    {
        frmFullScreenToolBar *fs = frmFullScreenToolBar::get();
        fs->cbxPositionBTB->setCurrentIndex(codeEntry);
        fs->cbxPositionLMR->setCurrentIndex(indexEntry);
    }

    void showFont(int slot, const QString &fileName, const QString &path) override
    {
        setTextAndTip(frmImagesToolBar::get()->txtMainFont[slot], fileName);
        RegisterSkinFont(slot, path);
    }

    bool addButton(int16_t index, int16_t x, int16_t y, const QString &path, bool shaped) override
    {
        int16_t i = index;
        return AddSkinButton(i, x, y, path, shaped);
    }

    void listButton(const QString &name) override
    {
        buttons->lstButtons->addItem(name);
        // An entry added to an empty selector would select itself.
        const QSignalBlocker block(buttons->cbxBtn);
        buttons->cbxBtn->addItem(name);
    }

    void showSubsWidthMode(int mode) override { frmDisplayToolBar::get()->optSubtitles[mode]->setChecked(true); }

    void showDisplay(int i, const DisplayLook &look) override
    {
        QLabel *label = skin->lblSkinText[i];
        if (!(look.size > 0 && look.size <= MaxFontSize))
            vb::raise(vb::ErrInvalidPropertyValue);
        QFont font = label->font();
        font.setFamily(look.face);
        font.setPointSizeF(look.size * gZoom);
        // A style letter that is absent leaves the label's setting as it is.
        if (look.bold)
            font.setBold(true);
        if (look.italic)
            font.setItalic(true);
        if (look.underline)
            font.setUnderline(true);
        label->setFont(font);
        if (look.colour) {
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText, *look.colour);
            label->setPalette(palette);
        }
        label->show();
        skin->SizeDisplayLabel(i);
        label->move(frmSkin::ZoomedPixels(gDisplays[size_t(i)].DspX), frmSkin::ZoomedPixels(gDisplays[size_t(i)].DspY));
        if (i == 7)
            frmFullScreenToolBar::get()->chkDisplayUsed->setChecked(true);
    }

    void loadBarImage(int b, const QString &path, bool shaped) override
    {
        LoadSkinPicture(skin->pctSkinBar[b], path, shaped);
    }

    QSize barImageSize(int b) const override
    {
        const QSize size = skin->pctSkinBar[b]->size();
        return QSize(size.width() / gZoom, size.height() / gZoom);
    }

    void showBarImagePath(int b, const QString &path) override { setTextAndTip(bar(b)->txtImageBar, path); }

    void showBarUnused(int b) override { bar(b)->chkBarUsed->setChecked(false); }

    void showBar(int b) override
    {
        drawBar(b);
        // The kind list's handler must run even when it already shows the kind.
        QComboBox *kind = bar(b)->cbxBarType;
        {
            const QSignalBlocker block(kind);
            kind->setCurrentIndex(-1);
        }
        kind->setCurrentIndex(gBars[size_t(b)].BarKind);
    }

    void showSkinInfo() override
    {
        frmDisplayToolBar *display = frmDisplayToolBar::get();
        display->txtAuthor->setText(gSkinInfo.InfoAuthor);
        display->txtURL->setText(gSkinInfo.InfoURL);
        display->txtDescription->setPlainText(gSkinInfo.InfoDescription);
    }

    void completeLoad() override
    {
        ClearSkinChanged();
        if (frmMain *main = frmMain::instance())
            main->mnuViewApplyZOrder_Click();
    }

    // Whatever the read left: nothing selected in the button lists.
    void finish()
    {
        buttons->lstButtons->setCurrentRow(-1);
        buttons->lstButtons->clearSelection();
        const QSignalBlocker block(buttons->cbxBtn);
        buttons->cbxBtn->setCurrentIndex(-1);
    }

private:
    BarPanel *bar(int b) const
    {
        return gFullScreenSkin ? frmFullScreenToolBar::get()->bar(b) : frmTrackVolumeToolBar::get()->bar(b);
    }

    // The preview control of bar b, as gBars(b) holds it: a plain bar is a
    // coloured box, an image bar its picture.
    void drawBar(int b)
    {
        const BarRec &record = gBars[size_t(b)];
        QLabel *label = skin->lblSkinBar[b];
        PictureBox *picture = skin->pctSkinBar[b];
        const QPoint position(frmSkin::ZoomedPixels(record.BarLeft), frmSkin::ZoomedPixels(record.BarTop));
        if (record.BarKind <= 1) {
            picture->hide();
            // Colours, border and transparency: the kind list's handler, which follows.
            label->setGeometry(QRect(position,
                QSize(frmSkin::ZoomedPixels(record.BarWidth), frmSkin::ZoomedPixels(record.BarHeight))));
            label->show();
        } else {
            label->hide();
            picture->move(position);
            picture->show();
        }
    }

    frmSkin *skin;
    ButtonToolWindow *buttons;
};

} // namespace

void LoadSkin()
{
    frmSkin *skin = frmSkin::get();
    const QString openedFile = gSkinFile;
    WindowsView view;
    const skinreader::Outcome outcome = skinreader::readSkin(view);
    if (outcome == skinreader::Outcome::NotOpened) {
        frmSkin::unload();
        return;
    }
    view.finish();
    // A converted old skin is saved to its new file: the caption names that one.
    if (gSkinFile != openedFile) {
        const bool marked = skin->caption().startsWith(QLatin1Char('*'));
        skin->setCaption(marked ? QLatin1Char('*') + gSkinFile : gSkinFile);
    }
    // What was read before the problem is all the document holds: the first
    // save asks before it replaces the file with it.
    if (outcome == skinreader::Outcome::EndedEarly)
        BindIncompleteSkinFile(gSkinFile);
}
