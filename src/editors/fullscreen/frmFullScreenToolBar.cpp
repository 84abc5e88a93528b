#include "editors/fullscreen/frmFullScreenToolBar.h"

#include "skin/Module.h"
#include "skin/SkinChange.h"
#include "skin/SkinFormat.h"
#include "preview/frmSkin.h"
#include "editors/CoordinateEdit.h"
#include "editors/buttons/KeyPressEdit.h"
#include "editors/display_bars/BarPanel.h"
#include "editors/display_bars/ColorSwatch.h"
#include "editors/display_bars/DisplayCoordinatesFrame.h"
#include "editors/display_bars/DisplayTextPanel.h"
#include "editors/ToolWindowLayout.h"
#include "widgets/WindowTexts.h"
#include "platform/Dialogs.h"
#include "platform/VbRuntime.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>

namespace {

constexpr int StatusText = 7;
// The codes of the entries of cbxPositionBTB.
const QString PositionCodes[3] = { QStringLiteral("B"), QStringLiteral("T"), QStringLiteral("BT") };

bool statusTextUsed()
{
    return vb::isTrue(gDisplays[StatusText].DspUsed);
}

// Selects the point at index of a strip and clears the others; index -1 clears all.
void selectPoint(const ControlArray<QRadioButton> &strip, int index)
{
    for (int i = 0; i < 3; ++i) {
        QRadioButton *point = strip[i];
        // An exclusive group cannot clear its last selected button.
        point->setAutoExclusive(false);
        point->setChecked(i == index);
        point->setAutoExclusive(true);
    }
}

} // namespace

frmFullScreenToolBar::frmFullScreenToolBar()
    : ButtonToolWindow(ToolWindowId::FullScreen)
{
    setObjectName(QStringLiteral("frmFullScreenToolBar"));
    createControls();
    connectHandlers();
}

frmFullScreenToolBar::~frmFullScreenToolBar() = default;

void frmFullScreenToolBar::createControls()
{
    setClientSize(this, 9150, 10455);
    createMainFrame();
    createPositionFrame();
    createDisplayFrames();
    createButtonFrames();
    createBarPanels();
    createSeparators();
}

void frmFullScreenToolBar::createMainFrame()
{
    fmMain = makeControl<QGroupBox>(this, "fmMain", twipsRect(120, 120, 4335, 855));
    cmdBrowseMainWindow = makeControl<QPushButton>(fmMain, "cmdBrowseMainWindow", QRect(204, 15, 76, 23));
    txtMainWindow = makeControl<QLineEdit>(fmMain, "txtMainWindow", QRect(8, 16, 190, 21));
    txtMainWindow->setReadOnly(true);
    chkShape = makeControl<QCheckBox>(fmMain, "chkShape", QRect(8, 38, 272, 17));
    chkShape->setChecked(true);
}

void frmFullScreenToolBar::createPositionFrame()
{
    fmPosition = makeControl<QGroupBox>(this, "fmPosition", twipsRect(120, 1080, 4335, 1935));
    lblPosition = makeControl<QLabel>(fmPosition, "lblPosition", QRect(8, 16, 190, 44));
    lblPosition->setWordWrap(true);
    cbxPositionBTB = makeFixedList(fmPosition, QStringLiteral("cbxPositionBTB"), QRect(8, 62, 112, 22), 3);
    cbxPositionLMR = makeFixedList(fmPosition, QStringLiteral("cbxPositionLMR"), QRect(124, 62, 74, 22), 3);
    lblPositionDescription = makeControl<QLabel>(fmPosition, "lblPositionDescription", QRect(8, 88, 277, 34));
    lblPositionDescription->setWordWrap(true);

    // The monitor: a strip of three points along its top edge and one along its
    // bottom edge; each strip is an exclusive group of its own.
    fmPositionPreview
        = makeControl<QGroupBox>(fmPosition, "fmPositionPreview", QRect(204, 16, px(1215), px(975)));
    pctPositionPreviewTOP
        = makeControl<QWidget>(fmPositionPreview, "pctPositionPreviewTOP", QRect(8, 6, px(975), px(375)));
    pctPositionPreviewBOTTOM
        = makeControl<QWidget>(fmPositionPreview, "pctPositionPreviewBOTTOM", QRect(8, 34, px(975), px(375)));
    optPositionTOP.setFactory(QStringLiteral("optPositionTOP"), nullptr);
    optPositionBOTTOM.setFactory(QStringLiteral("optPositionBOTTOM"), nullptr);
    for (int i = 0; i < 3; ++i) {
        auto *top = new QRadioButton(pctPositionPreviewTOP);
        optPositionTOP.insert(i, top);
        top->setGeometry(2 + i * 21, 4, 18, 18);
        auto *bottom = new QRadioButton(pctPositionPreviewBOTTOM);
        optPositionBOTTOM.insert(i, bottom);
        bottom->setGeometry(2 + i * 21, 4, 18, 18);
        // The points answer the mouse only: the arrow keys and Space would move
        // a point past the two lists and the position they stand for.
        for (QRadioButton *point : { top, bottom })
            point->setFocusPolicy(Qt::NoFocus);
    }
    fmPosition->setEnabled(false);
}

void frmFullScreenToolBar::createDisplayFrames()
{
    fmDisplay = makeControl<QGroupBox>(this, "fmDisplay", twipsRect(120, 3120, 4335, 2295));
    chkDisplayUsed = makeControl<QCheckBox>(fmDisplay, "chkDisplayUsed", QRect(8, 18, 272, 19));
    lblDisplayDimText = makeControl<QLabel>(fmDisplay, "lblDisplayDimText", QRect(8, 45, 70, 17));
    txtDisplayDimMax = makeControl<CoordinateEdit>(fmDisplay, "txtDisplayDimMax", QRect(80, 42, 60, 21));
    txtDisplayDimMax->setMinusAllowed(false);
    lblDisplayDimText->setBuddy(txtDisplayDimMax);
    lblDisplayDimTextPixels
        = makeControl<QLabel>(fmDisplay, "lblDisplayDimTextPixels", QRect(144, 45, 60, 17));
    lblDisplayAlignment = makeControl<QLabel>(fmDisplay, "lblDisplayAlignment", QRect(8, 71, 70, 17));
    cbxDisplayAlignment
        = makeFixedList(fmDisplay, QStringLiteral("cbxDisplayAlignment"), QRect(80, 68, 200, 22), 3);
    lblDisplayAlignment->setBuddy(cbxDisplayAlignment);
    lblDisplayFont = makeControl<QLabel>(fmDisplay, "lblDisplayFont", QRect(8, 97, 70, 17));
    txtDisplayFont = makeControl<QLineEdit>(fmDisplay, "txtDisplayFont", QRect(80, 94, 144, 21));
    txtDisplayFont->setReadOnly(true);
    lblDisplayFont->setBuddy(txtDisplayFont);
    cmdDisplayFont = makeControl<QPushButton>(fmDisplay, "cmdDisplayFont", QRect(228, 93, 52, 23));
    cmdDisplayColor = makeControl<ColorSwatch>(fmDisplay, "cmdDisplayColor", QRect(8, 121, 272, 23));

    m_displayCoordinates = new DisplayCoordinatesFrame(this, 120, 5520);
    fmDisplayCoordinates = m_displayCoordinates->fmDisplayCoordinates;
    txtDisplayX = m_displayCoordinates->txtDisplayX;
    txtDisplayY = m_displayCoordinates->txtDisplayY;

    fmDisplay->setEnabled(false);
    fmDisplayCoordinates->setEnabled(false);
}

void frmFullScreenToolBar::createButtonFrames()
{
    fmBtnList = makeControl<QGroupBox>(this, "fmBtnList", twipsRect(4680, 120, 4335, 2895));
    createButtonList(fmBtnList);
    chkExtension = makeControl<QCheckBox>(fmBtnList, "chkExtension", QRect(8, 141, 190, 19));
    // The extension belongs to the window skin of the folder: it is locked
    // until the user unlocks it.
    txtExtension->setEnabled(false);

    fmBtn = makeControl<QGroupBox>(this, "fmBtn", twipsRect(4680, 3120, 4335, 2295));
    fmBtnCoordinates = makeControl<QGroupBox>(this, "fmBtnCoordinates", twipsRect(4680, 5520, 4335, 615));
    createButtonProperties(fmBtn, fmBtnCoordinates, 2);

    fmBtnList->setEnabled(false);
    fmBtn->setEnabled(false);
    fmBtnCoordinates->setEnabled(false);
}

void frmFullScreenToolBar::createBarPanels()
{
    m_bars[0] = new BarPanel(this, 0, 120, 6360);
    m_bars[1] = new BarPanel(this, 1, 4680, 6360);
}

void frmFullScreenToolBar::createSeparators()
{
    fmSeparator.setFactory(QStringLiteral("fmSeparator"), nullptr);
    auto *vertical = new QFrame(this);
    fmSeparator.insert(0, vertical);
    vertical->setFrameShape(QFrame::VLine);
    vertical->setFrameShadow(QFrame::Sunken);
    vertical->setGeometry(px(4560), 0, qMax(2, px(30)), px(10455));
    auto *horizontal = new QFrame(this);
    fmSeparator.insert(1, horizontal);
    horizontal->setFrameShape(QFrame::HLine);
    horizontal->setFrameShadow(QFrame::Sunken);
    horizontal->setGeometry(0, px(6240), px(9150), qMax(2, px(30)));
}

void frmFullScreenToolBar::connectHandlers()
{
    connectSharedHandlers();
    connect(chkExtension, &QCheckBox::toggled, this, &frmFullScreenToolBar::chkExtension_Click);

    connect(
        cbxPositionBTB, &QComboBox::currentIndexChanged, this, &frmFullScreenToolBar::cbxPositionBTB_Click);
    connect(
        cbxPositionLMR, &QComboBox::currentIndexChanged, this, &frmFullScreenToolBar::cbxPositionLMR_Click);
    for (int i = 0; i < 3; ++i) {
        optPositionTOP[i]->installEventFilter(this);
        optPositionBOTTOM[i]->installEventFilter(this);
    }
    connect(cbxDisplayAlignment, &QComboBox::currentIndexChanged, this,
        &frmFullScreenToolBar::cbxDisplayAlignment_Click);

    // Switching the status text on shows its alignment again; off, none.
    m_statusText = new DisplayTextPanel(this,
        { chkDisplayUsed, txtDisplayFont, cmdDisplayFont, cmdDisplayColor, txtDisplayDimMax, txtDisplayX,
            txtDisplayY },
        [this](bool used) {
            const bool known = gStatTxtAlign >= 0 && gStatTxtAlign < cbxDisplayAlignment->count();
            cbxDisplayAlignment->setCurrentIndex(used && known ? gStatTxtAlign : -1);
        });
}

bool frmFullScreenToolBar::eventFilter(QObject *watched, QEvent *event)
{
    // Every mouse button sets the position, as the design's MouseDown does.
    if (event->type() == QEvent::MouseButtonPress) {
        const auto shift = static_cast<QMouseEvent *>(event)->modifiers();
        for (int i = 0; i < 3; ++i) {
            if (watched == optPositionBOTTOM[i])
                optPositionBOTTOM_MouseDown(i, shift);
            else if (watched == optPositionTOP[i])
                optPositionTOP_MouseDown(i, shift);
        }
    }
    return ButtonToolWindow::eventFilter(watched, event);
}

void frmFullScreenToolBar::Form_Load()
{
    // Placed before its caption is set: the frame measures its title again at
    // each step of being made and placed.
    placeToolWindow(this, 0, 0, px(9225));
    const LangReader lang;
    ApplyActionNames(lang);
    ApplyTexts(lang);
}

void frmFullScreenToolBar::ApplyTexts(const LangReader &lang)
{
    const WindowTexts texts(lang, "FullScreen");
    texts.caption(this, 1, 8001);
    texts.caption(fmMain, 2, 8002);
    texts.caption(cmdBrowseMainWindow, 3, 8003);
    texts.caption(chkShape, 4, 8004);

    texts.caption(fmPosition, 5, 8005);
    for (int k = 0; k < 3; ++k)
        texts.listEntry(cbxPositionLMR, k, 6 + k, 8006 + k);
    for (int k = 0; k < 3; ++k)
        texts.listEntry(cbxPositionBTB, k, 9 + k, 8009 + k);
    texts.caption(lblPosition, 12, 8012);
    texts.caption(lblPositionDescription, 13, 8013);

    texts.caption(fmDisplay, 14, 8014);
    texts.caption(chkDisplayUsed, 15, 8015);
    texts.caption(lblDisplayDimText, 16, 8016);
    WindowTexts(lang, "Display").toolTip(txtDisplayDimMax, "4_T", 6004);
    texts.caption(lblDisplayDimTextPixels, 17, 8017);
    texts.caption(lblDisplayAlignment, 18, 8018);
    for (int k = 0; k < 3; ++k)
        texts.listEntry(cbxDisplayAlignment, k, 19 + k, 8019 + k);
    texts.caption(lblDisplayFont, 22, 8022);
    texts.caption(cmdDisplayFont, 23, 8023);

    m_displayCoordinates->applyTexts(texts, 24, 8024);

    texts.caption(fmBtnList, 28, 8028);
    texts.caption(chkExtension, 29, 8029);
    applyButtonTexts(texts, 30, 8030, 35, 8035);

    // Both bar panels take the same keys but for their frames' captions.
    m_bars[0]->applyTexts(texts, 47, 8047, 49, 8049);
    m_bars[1]->applyTexts(texts, 48, 8048, 49, 8049);
    showWholeTexts(this);
}

void frmFullScreenToolBar::EnableEditingFrames()
{
    for (QGroupBox *frame :
        { fmPosition, fmBtnList, fmBtn, fmBtnCoordinates, fmDisplay, fmDisplayCoordinates })
        frame->setEnabled(true);
    for (BarPanel *panel : m_bars)
        panel->enableFrames();
}

void frmFullScreenToolBar::chkExtension_Click()
{
    const bool unlocked = chkExtension->isChecked();
    txtExtension->setEnabled(unlocked);
    // The extension is kept in the window skin's file, not in this one.
    if (unlocked)
        dialogs::msgBox(
            Message(13031) + QLatin1Char('\n') + Message(13032) + QStringLiteral("\n\n") + Message(13033),
            dialogs::vbExclamation, Message(13003));
}

QComboBox *frmFullScreenToolBar::barKindBox(int bar)
{
    return m_bars.at(bar)->cbxBarType;
}

void frmFullScreenToolBar::showDocument()
{
    showSharedDocument();
    cbxPositionBTB->setCurrentIndex(skinformat::positionCodeEntry(gFSPosition.FSPosCode));
    cbxPositionLMR->setCurrentIndex(gFSPosition.FSPosIndex <= 2 ? gFSPosition.FSPosIndex : -1);
    m_statusText->showDocument();
    for (BarPanel *panel : m_bars)
        panel->showDocument();
}

// --- Position on the monitor ---

void frmFullScreenToolBar::UpdatePositionPreview(const QString &code, int index)
{
    switch (skinformat::positionCodeEntry(code)) {
    case 0:
        selectPoint(optPositionTOP, -1);
        selectPoint(optPositionBOTTOM, index);
        break;
    case 1:
        selectPoint(optPositionTOP, index);
        selectPoint(optPositionBOTTOM, -1);
        break;
    case 2:
        selectPoint(optPositionTOP, index);
        selectPoint(optPositionBOTTOM, index);
        break;
    default:
        break;
    }
}

void frmFullScreenToolBar::cbxPositionBTB_Click()
{
    const int entry = cbxPositionBTB->currentIndex();
    if (entry >= 0) {
        gFSPosition.FSPosCode = PositionCodes[entry];
        UpdatePositionPreview(gFSPosition.FSPosCode, gFSPosition.FSPosIndex);
    }
    SetSkinChanged();
}

void frmFullScreenToolBar::cbxPositionLMR_Click()
{
    const int entry = cbxPositionLMR->currentIndex();
    if (entry >= 0) {
        gFSPosition.FSPosIndex = uint8_t(entry);
        UpdatePositionPreview(gFSPosition.FSPosCode, entry);
    }
    SetSkinChanged();
}

void frmFullScreenToolBar::positionPointPressed(const QString &code, int index, Qt::KeyboardModifiers shift)
{
    // Shift alone, without Ctrl or Alt, puts the skin at both edges.
    const QString chosen = shift == Qt::ShiftModifier ? PositionCodes[2] : code;
    gFSPosition.FSPosCode = chosen;
    gFSPosition.FSPosIndex = uint8_t(index);
    cbxPositionBTB->setCurrentIndex(skinformat::positionCodeEntry(chosen));
    cbxPositionLMR->setCurrentIndex(index);
    UpdatePositionPreview(chosen, index);
}

void frmFullScreenToolBar::optPositionBOTTOM_MouseDown(int index, Qt::KeyboardModifiers shift)
{
    positionPointPressed(PositionCodes[0], index, shift);
}

void frmFullScreenToolBar::optPositionTOP_MouseDown(int index, Qt::KeyboardModifiers shift)
{
    positionPointPressed(PositionCodes[1], index, shift);
}

void frmFullScreenToolBar::cbxDisplayAlignment_Click()
{
    const int entry = cbxDisplayAlignment->currentIndex();
    if (entry < 0)
        return;
    if (!statusTextUsed()) {
        cbxDisplayAlignment->setCurrentIndex(-1);
        return;
    }
    gStatTxtAlign = int16_t(entry);
    if (frmSkin *skin = frmSkin::loaded())
        skin->ApplyStatusAlignment();
    SetSkinChanged();
}
