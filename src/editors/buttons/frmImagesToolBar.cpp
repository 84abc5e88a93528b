#include "editors/buttons/frmImagesToolBar.h"

#include "skin/Module.h"
#include "skin/SkinChange.h"
#include "skin/SkinFonts.h"
#include "editors/frmSelectFile.h"
#include "editors/CoordinateEdit.h"
#include "editors/buttons/KeyPressEdit.h"
#include "editors/ToolWindowLayout.h"
#include "widgets/WindowTexts.h"

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

// The picture box that fills a frame below its title and carries its controls.
QWidget *makeFrameFiller(QGroupBox *frame, const char *name)
{
    return makeControl<QWidget>(frame, name, QRect(0, 0, frame->width(), frame->height()));
}

} // namespace

frmImagesToolBar::frmImagesToolBar()
    : ButtonToolWindow(ToolWindowId::Images)
{
    setObjectName(QStringLiteral("frmImagesToolBar"));
    createControls();
    connectHandlers();
}

frmImagesToolBar::~frmImagesToolBar() = default;

void frmImagesToolBar::createControls()
{
    setClientSize(this, 4590, 7815);
    createMainFrame();
    createButtonFrames();
}

void frmImagesToolBar::createMainFrame()
{
    fmMain = makeControl<QGroupBox>(this, "fmMain", twipsRect(120, 120, 4335, 1815));
    pctMain = makeFrameFiller(fmMain, "pctMain");

    txtMainWindow = makeControl<QLineEdit>(pctMain, "txtMainWindow", QRect(8, 18, 190, 21));
    txtMainWindow->setReadOnly(true);
    cmdBrowseMainWindow = makeControl<QPushButton>(pctMain, "cmdBrowseMainWindow", QRect(204, 17, 76, 23));
    chkShape = makeControl<QCheckBox>(pctMain, "chkShape", QRect(8, 43, 280, 19));
    chkShape->setChecked(true);
    // "One window only" has no effect and nothing ever enables it.
    chkType = makeControl<QCheckBox>(pctMain, "chkType", QRect(8, 63, 280, 19));
    chkType->setEnabled(false);

    lblMainFont.setFactory(QStringLiteral("lblMainFont"), nullptr);
    txtMainFont.setFactory(QStringLiteral("txtMainFont"), nullptr);
    cmdMainFont.setFactory(QStringLiteral("cmdMainFont"), nullptr);
    for (int i = 0; i < 2; ++i) {
        const int left = i == 0 ? 8 : 148;
        auto *label = new QLabel(pctMain);
        lblMainFont.insert(i, label);
        label->setGeometry(left, 90, 42, 17);
        auto *box = new KeyPressEdit(pctMain);
        txtMainFont.insert(i, box);
        box->setGeometry(left + 43, 88, 42, 21);
        box->setReadOnly(true);
        label->setBuddy(box);
        auto *button = new QPushButton(pctMain);
        cmdMainFont.insert(i, button);
        button->setGeometry(left + 86, 87, 50, 23);
    }
}

void frmImagesToolBar::createButtonFrames()
{
    fmBtnList = makeControl<QGroupBox>(this, "fmBtnList", twipsRect(120, 2040, 4335, 2535));
    pctBtnList = makeFrameFiller(fmBtnList, "pctBtnList");
    createButtonList(pctBtnList);
    lblExtension = makeControl<QLabel>(pctBtnList, "lblExtension", QRect(8, 142, 190, 17));
    lblExtension->setBuddy(txtExtension);

    fmBtn = makeControl<QGroupBox>(this, "fmBtn", twipsRect(120, 4680, 4335, 2295));
    pctBtn = makeFrameFiller(fmBtn, "pctBtn");
    fmBtnCoordinates = makeControl<QGroupBox>(this, "fmBtnCoordinates", twipsRect(120, 7080, 4335, 615));
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
    // Placed before its caption is set: the frame measures its title again at
    // each step of being made and placed.
    placeToolWindow(this, 0, 0, px(4665));
    const LangReader lang;
    ApplyActionNames(lang);
    ApplyTexts(lang);
}

void frmImagesToolBar::ApplyTexts(const LangReader &lang)
{
    const WindowTexts texts(lang, "Images");
    texts.caption(this, 1, 5001);
    texts.caption(fmMain, 2, 5002);
    texts.caption(cmdBrowseMainWindow, 3, 5003);
    texts.caption(chkType, 4, 5004);
    texts.caption(chkShape, 5, 5005);
    texts.caption(lblMainFont[0], 6, 5006);
    texts.caption(cmdMainFont[0], 7, 5007);
    texts.caption(lblMainFont[1], 8, 5008);
    texts.caption(cmdMainFont[1], 9, 5009);
    texts.caption(fmBtnList, 10, 5010);
    texts.caption(lblExtension, 11, 5011);
    applyButtonTexts(texts, 12, 5012, 17, 5017);
    showWholeTexts(this);
}

void frmImagesToolBar::showDocument()
{
    showSharedDocument();
    for (int i = 0; i < 2; ++i) {
        txtMainFont[i]->setText(gSkinFonts[i]);
        // A name longer than the box shows its start, as one typed does.
        txtMainFont[i]->setCursorPosition(0);
        txtMainFont[i]->setToolTip(gSkinFonts[i]);
    }
}

void frmImagesToolBar::EnableEditingFrames()
{
    fmBtnList->setEnabled(true);
    fmBtn->setEnabled(true);
    fmBtnCoordinates->setEnabled(true);
    toolwindows::get(ToolWindowId::Display)->EnableFrames();
    toolwindows::get(ToolWindowId::TrackVolume)->EnableFrames();
}

QComboBox *frmImagesToolBar::barKindBox(int bar)
{
    return toolwindows::get(ToolWindowId::TrackVolume)->barKindBox(bar);
}

void frmImagesToolBar::cmdMainFont_Click(int index)
{
    if (!ShowSelectFile(window(), gSkinFolder, FontFilter, txtMainFont[index]->text(), UIString(12012)))
        return;
    txtMainFont[index]->setText(gSelFileName);
    txtMainFont[index]->setCursorPosition(0);
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
