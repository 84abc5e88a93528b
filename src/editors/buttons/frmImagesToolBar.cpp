#include "editors/buttons/frmImagesToolBar.h"

#include "core/Module.h"
#include "core/SkinChange.h"
#include "core/SkinFonts.h"
#include "core/frmMain.h"
#include "core/frmSelectFile.h"
#include "editors/CoordinateEdit.h"
#include "editors/buttons/KeyPressEdit.h"
#include "editors/display_bars/BarPanel.h"
#include "editors/display_bars/ToolWindowLayout.h"
#include "editors/display_bars/frmDisplayToolBar.h"
#include "editors/display_bars/frmTrackVolumeToolBar.h"
#include "lang/Locale.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

// The font files the system can register.
const QString FontFilter = QStringLiteral("ttf;*.fon;*.fnt;*.ttf;*.ttc;*.fot;*.otf;*.mmm;*.pfb;*.pfm");

QGroupBox *makeFrame(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *frame = new QGroupBox(parent);
    frame->setObjectName(QLatin1String(name));
    frame->setGeometry(geometry);
    return frame;
}

// The picture box that fills a frame below its title and carries its controls.
QWidget *makeFrameFiller(QGroupBox *frame, const char *name)
{
    auto *filler = new QWidget(frame);
    filler->setObjectName(QLatin1String(name));
    filler->setGeometry(0, 0, frame->width(), frame->height());
    return filler;
}

} // namespace

frmImagesToolBar::frmImagesToolBar()
{
    setObjectName(QStringLiteral("frmImagesToolBar"));
    createControls();
    connectHandlers();
}

frmImagesToolBar::~frmImagesToolBar() = default;

void frmImagesToolBar::createControls()
{
    setClientSize(4590, 7815);
    createMainFrame();
    createButtonFrames();
}

void frmImagesToolBar::createMainFrame()
{
    fmMain = makeFrame(this, "fmMain", QRect(px(120), px(120), px(4335), px(1815)));
    pctMain = makeFrameFiller(fmMain, "pctMain");

    txtMainWindow = new QLineEdit(pctMain);
    txtMainWindow->setObjectName(QStringLiteral("txtMainWindow"));
    txtMainWindow->setGeometry(8, 18, 190, 21);
    txtMainWindow->setReadOnly(true);

    cmdBrowseMainWindow = new QPushButton(pctMain);
    cmdBrowseMainWindow->setObjectName(QStringLiteral("cmdBrowseMainWindow"));
    cmdBrowseMainWindow->setGeometry(204, 17, 76, 23);

    chkShape = new QCheckBox(pctMain);
    chkShape->setObjectName(QStringLiteral("chkShape"));
    chkShape->setGeometry(8, 43, 272, 19);
    chkShape->setChecked(true);

    // "One window only" has no effect and nothing ever enables it.
    chkType = new QCheckBox(pctMain);
    chkType->setObjectName(QStringLiteral("chkType"));
    chkType->setGeometry(8, 63, 272, 19);
    chkType->setEnabled(false);

    lblMainFont.setFactory(QStringLiteral("lblMainFont"), nullptr);
    txtMainFont.setFactory(QStringLiteral("txtMainFont"), nullptr);
    cmdMainFont.setFactory(QStringLiteral("cmdMainFont"), nullptr);
    for (int i = 0; i < 2; ++i) {
        const int left = i == 0 ? 8 : 148;
        auto *label = new QLabel(pctMain);
        lblMainFont.insert(i, label);
        label->setGeometry(left, 90, 44, 17);
        auto *box = new KeyPressEdit(pctMain);
        txtMainFont.insert(i, box);
        box->setGeometry(left + 44, 88, 48, 21);
        box->setReadOnly(true);
        label->setBuddy(box);
        auto *button = new QPushButton(pctMain);
        cmdMainFont.insert(i, button);
        button->setGeometry(left + 94, 87, 42, 23);
    }
}

void frmImagesToolBar::createButtonFrames()
{
    fmBtnList = makeFrame(this, "fmBtnList", QRect(px(120), px(2040), px(4335), px(2535)));
    pctBtnList = makeFrameFiller(fmBtnList, "pctBtnList");
    createButtonList(pctBtnList);
    lblExtension = new QLabel(pctBtnList);
    lblExtension->setObjectName(QStringLiteral("lblExtension"));
    lblExtension->setGeometry(8, 142, 190, 17);
    lblExtension->setBuddy(txtExtension);

    fmBtn = makeFrame(this, "fmBtn", QRect(px(120), px(4680), px(4335), px(2295)));
    pctBtn = makeFrameFiller(fmBtn, "pctBtn");
    fmBtnCoordinates = makeFrame(this, "fmBtnCoordinates", QRect(px(120), px(7080), px(4335), px(615)));
    createButtonProperties(pctBtn, fmBtnCoordinates, 3);

    // Buttons can be edited only once the skin has a main image.
    fmBtnList->setEnabled(false);
    fmBtn->setEnabled(false);
    fmBtnCoordinates->setEnabled(false);
}

void frmImagesToolBar::connectHandlers()
{
    connectSharedHandlers();
    for (int i = 0; i < 2; ++i) {
        connect(cmdMainFont[i], &QPushButton::clicked, this, [this, i] { cmdMainFont_Click(i); });
        txtMainFont[i]->setKeyPress([this, i](int &keyAscii) { txtMainFont_KeyPress(i, keyAscii); });
    }
}

void frmImagesToolBar::Form_Load()
{
    const LangReader lang;
    ApplyActionNames(lang);
    ApplyTexts(lang);
    placeToolWindow(this, 0, 0, px(4665));
}

void frmImagesToolBar::ApplyTexts(const LangReader &lang)
{
    const auto text = [&lang](int key) { return lang.text(QStringLiteral("Images"), key, 5000 + key); };
    setCaption(text(1));
    fmMain->setTitle(text(2));
    cmdBrowseMainWindow->setText(text(3));
    chkType->setText(text(4));
    chkShape->setText(text(5));
    setLabelCaption(lblMainFont[0], text(6));
    cmdMainFont[0]->setText(text(7));
    setLabelCaption(lblMainFont[1], text(8));
    cmdMainFont[1]->setText(text(9));
    fmBtnList->setTitle(text(10));
    setLabelCaption(lblExtension, text(11));
    cmdAdd->setText(text(12));
    cmdUp->setText(text(13));
    cmdDown->setText(text(14));
    cmdRemove->setText(text(15));
    cmdClear->setText(text(16));
    fmBtn->setTitle(text(17));
    setLabelCaption(lblBtnName, text(18));
    setLabelCaption(lblBtnType, text(19));
    setEntryText(cbxBtnType, 0, text(20));
    setEntryText(cbxBtnType, 1, text(21));
    setEntryText(cbxBtnType, 2, text(22));
    setLabelCaption(lblBtnAction, text(23));
    optBtnText[0]->setText(text(24));
    optBtnText[1]->setText(text(25));
    fmBtnCoordinates->setTitle(text(26));
    setLabelCaption(lblBtnX, text(27));
    setLabelCaption(lblBtnPixelsX, text(29));
    setLabelCaption(lblBtnY, text(28));
    setLabelCaption(lblBtnPixelsY, text(29));
}

bool frmImagesToolBar::Form_QueryUnload(int unloadMode)
{
    if (unloadMode != vbFormControlMenu)
        return false;
    // The close box only hides the window, through the View menu so that its
    // check mark follows.
    if (frmMain *main = frmMain::instance())
        main->mnuViewImagesTB_Click();
    else
        Hide();
    return true;
}

void frmImagesToolBar::EnableEditingFrames()
{
    fmBtnList->setEnabled(true);
    fmBtn->setEnabled(true);
    fmBtnCoordinates->setEnabled(true);
    frmDisplayToolBar::get()->EnableFrames();
    frmTrackVolumeToolBar::get()->EnableFrames();
}

QComboBox *frmImagesToolBar::barKindBox(int bar)
{
    return frmTrackVolumeToolBar::get()->bar(bar)->cbxBarType;
}

void frmImagesToolBar::cmdMainFont_Click(int index)
{
    if (!ShowSelectFile(
            frmMain::instance(), gSkinFolder, FontFilter, txtMainFont[index]->text(), gUIStrings[11]))
        return;
    txtMainFont[index]->setText(gSelFileName);
    txtMainFont[index]->setToolTip(gSelFileName);
    gSkinFonts[index] = gSelFileName;
    // The font the slot named before stays registered until the slot is
    // emptied or the skin closes.
    RegisterSkinFont(index, AddBackslash(gSkinFolder) + gSelFileName);
    SetSkinChanged();
}

void frmImagesToolBar::txtMainFont_KeyPress(int index, int &keyAscii)
{
    const bool backspace = keyAscii == 8;
    keyAscii = 0;
    if (!backspace)
        return;
    UnregisterSkinFont(index);
    const bool hadFont = !gSkinFonts[index].isEmpty();
    gSkinFonts[index].clear();
    txtMainFont[index]->setText(QString());
    txtMainFont[index]->setToolTip(QString());
    // Emptying a slot changes what the skin file says: without the mark the
    // skin could be closed without the save question and the change lost.
    if (hadFont)
        SetSkinChanged();
}
