#include "core/SkinReader.h"

#include "skin/Module.h"
#include "skin/NewSkinFile.h"
#include "preview/SkinButtons.h"
#include "skin/SkinChange.h"
#include "skin/SkinFonts.h"
#include "widgets/Transparent.h"
#include "core/frmMain.h"
#include "preview/frmSkin.h"
#include "editors/ToolWindows.h"
#include "editors/buttons/ButtonToolWindow.h"
#include "platform/ListingScope.h"
#include "platform/VbRuntime.h"
#include "skin/SkinFileReader.h"

namespace {

// The largest font size a label takes, in points; a size of 0 or less is refused too.
constexpr double MaxFontSize = 2160;

// The preview and the tool windows of the open skin as the reader fills them.
// The reader draws the preview step by step; the tool windows show the document
// through their own showDocument, whose control writes run the handlers as a
// user's edits would.
class WindowsView : public SkinReaderView
{
public:
    WindowsView()
        : skin(frmSkin::get())
    {
    }

    void showMainImage(const QString &path) override
    {
        skin->LoadMainPicture(path, false);
        skin->pctSkinMain->show();
    }

    // The button tool window enables the frames of the windows beside it too.
    void enableEditingFrames() override { ButtonToolWindow::active()->EnableEditingFrames(); }

    void showShape(bool shaped) override { MakeWindowRegion(skin->pctSkinMain, shaped); }

    void registerFont(int slot, const QString &path) override { RegisterSkinFont(slot, path); }

    bool addButton(int16_t index, int16_t x, int16_t y, const QString &path, bool shaped) override
    {
        // The buttons are drawn together when the read ends (LoadSkin).
        skin->HoldDrawing();
        int16_t i = index;
        return AddSkinButton(i, x, y, path, shaped);
    }

    void showDisplay(int i, const DisplayLook &look) override
    {
        QLabel *label = skin->lblSkinText[i];
        // A size the label refuses keeps its old one; the rest still applies
        // and the refusal is reported after.
        const bool sizeRefused = !(look.size > 0 && look.size <= MaxFontSize);
        QFont font = label->font();
        font.setFamily(look.face);
        if (!sizeRefused)
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
        label->move(frmSkin::ZoomedPixels(gDisplays[size_t(i)].DspX),
            frmSkin::ZoomedPixels(gDisplays[size_t(i)].DspY));
        if (sizeRefused)
            vb::raise(vb::ErrInvalidPropertyValue);
    }

    void loadBarImage(int b, const QString &path, bool shaped) override
    {
        LoadSkinPicture(skin->pctSkinBar[b], path, shaped);
    }

    QSize barImageSize(int b) const override
    {
        if (skin->pctSkinBar[b]->image().isNull())
            return QSize();
        const QSize size = skin->pctSkinBar[b]->size();
        return QSize(size.width() / gZoom, size.height() / gZoom);
    }

    void showToolWindows() override { toolwindows::showDocument(); }

    void completeLoad() override
    {
        ClearSkinChanged();
        if (frmMain *main = frmMain::instance())
            main->mnuViewApplyZOrder_Click();
    }

private:
    frmSkin *skin;
};

} // namespace

void LoadSkin()
{
    // A skin names hundreds of files in a few folders: each folder is listed
    // once for this open, and a file created or renamed before the next open is
    // seen by it.
    const ListingScope listings;
    frmSkin *skin = frmSkin::get();
    const QString openedFile = gSkinFile;
    WindowsView view;
    const skinreader::Outcome outcome = skinreader::readSkin(view);
    skin->EndHeldDrawing();
    if (outcome == skinreader::Outcome::NotOpened) {
        frmSkin::unload();
        return;
    }
    // A converted old skin is saved to its new file: the caption names that one.
    if (gSkinFile != openedFile) {
        const bool marked = skin->caption().startsWith(QLatin1Char('*'));
        skin->setCaption(marked ? QLatin1Char('*') + gSkinFile : gSkinFile);
    }
    // The document holds less than the file: the first save asks before it
    // replaces the file with it.
    if (outcome == skinreader::Outcome::Incomplete)
        BindIncompleteSkinFile(gSkinFile);
}
