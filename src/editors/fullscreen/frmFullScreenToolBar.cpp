#include "editors/fullscreen/frmFullScreenToolBar.h"

#include "core/Module.h"
#include "core/frmMain.h"
#include "editors/CoordinateEdit.h"
#include "editors/buttons/KeyPressEdit.h"
#include "editors/display_bars/BarPanel.h"
#include "editors/display_bars/ColorSwatch.h"
#include "editors/display_bars/DisplayCoordinatesFrame.h"
#include "editors/display_bars/ToolWindowLayout.h"
#include "lang/Locale.h"
#include "platform/Dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

QGroupBox *makeFrame(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *frame = new QGroupBox(parent);
    frame->setObjectName(QLatin1String(name));
    frame->setGeometry(geometry);
    return frame;
}

template <typename T> T *make(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *control = new T(parent);
    control->setObjectName(QLatin1String(name));
    control->setGeometry(geometry);
    return control;
}

// A drop-down list with fixed entries and no selection.
QComboBox *makeFixedList(QWidget *parent, const char *name, const QRect &geometry, int entries)
{
    auto *box = make<QComboBox>(parent, name, geometry);
    const QSignalBlocker blocker(box);
    for (int k = 0; k < entries; ++k)
        box->addItem(QString());
    box->setCurrentIndex(-1);
    return box;
}

bool statusTextUsed()
{
    return gDisplays[7].DspUsed != 0;
}

} // namespace

frmFullScreenToolBar::frmFullScreenToolBar()
{
    setObjectName(QStringLiteral("frmFullScreenToolBar"));
    createControls();
    connectHandlers();
}

frmFullScreenToolBar::~frmFullScreenToolBar() = default;

void frmFullScreenToolBar::createControls()
{
    setClientSize(9150, 10455);
    createMainFrame();
    createPositionFrame();
    createDisplayFrames();
    createButtonFrames();
    createBarPanels();
    createSeparators();
}

void frmFullScreenToolBar::createMainFrame()
{
    fmMain = makeFrame(this, "fmMain", twipsRect(120, 120, 4335, 855));
    cmdBrowseMainWindow = make<QPushButton>(fmMain, "cmdBrowseMainWindow", QRect(204, 15, 76, 23));
    txtMainWindow = make<QLineEdit>(fmMain, "txtMainWindow", QRect(8, 16, 190, 21));
    txtMainWindow->setReadOnly(true);
    chkShape = make<QCheckBox>(fmMain, "chkShape", QRect(8, 38, 272, 17));
    chkShape->setChecked(true);
}

void frmFullScreenToolBar::createPositionFrame()
{
    fmPosition = makeFrame(this, "fmPosition", twipsRect(120, 1080, 4335, 1935));
    lblPosition = make<QLabel>(fmPosition, "lblPosition", QRect(8, 16, 190, 40));
    lblPosition->setWordWrap(true);
    cbxPositionBTB = makeFixedList(fmPosition, "cbxPositionBTB", QRect(8, 60, 190, 22), 3);
    cbxPositionLMR = makeFixedList(fmPosition, "cbxPositionLMR", QRect(8, 86, 190, 22), 3);
    lblPositionDescription = make<QLabel>(fmPosition, "lblPositionDescription", QRect(8, 110, 277, 17));

    // The monitor: a strip of three points along its top edge and one along its
    // bottom edge; each strip is an exclusive group of its own.
    fmPositionPreview = makeFrame(fmPosition, "fmPositionPreview", QRect(204, 16, px(1215), px(975)));
    pctPositionPreviewTOP
        = make<QWidget>(fmPositionPreview, "pctPositionPreviewTOP", QRect(8, 6, px(975), px(375)));
    pctPositionPreviewBOTTOM
        = make<QWidget>(fmPositionPreview, "pctPositionPreviewBOTTOM", QRect(8, 34, px(975), px(375)));
    optPositionTOP.setFactory(QStringLiteral("optPositionTOP"), nullptr);
    optPositionBOTTOM.setFactory(QStringLiteral("optPositionBOTTOM"), nullptr);
    for (int i = 0; i < 3; ++i) {
        auto *top = new QRadioButton(pctPositionPreviewTOP);
        optPositionTOP.insert(i, top);
        top->setGeometry(2 + i * 21, 4, 18, 18);
        auto *bottom = new QRadioButton(pctPositionPreviewBOTTOM);
        optPositionBOTTOM.insert(i, bottom);
        bottom->setGeometry(2 + i * 21, 4, 18, 18);
    }
    fmPosition->setEnabled(false);
}

void frmFullScreenToolBar::createDisplayFrames()
{
    fmDisplay = makeFrame(this, "fmDisplay", twipsRect(120, 3120, 4335, 2295));
    chkDisplayUsed = make<QCheckBox>(fmDisplay, "chkDisplayUsed", QRect(8, 18, 272, 19));
    lblDisplayDimText = make<QLabel>(fmDisplay, "lblDisplayDimText", QRect(8, 45, 70, 17));
    txtDisplayDimMax = make<CoordinateEdit>(fmDisplay, "txtDisplayDimMax", QRect(80, 42, 60, 21));
    txtDisplayDimMax->setMinusAllowed(false);
    lblDisplayDimText->setBuddy(txtDisplayDimMax);
    lblDisplayDimTextPixels = make<QLabel>(fmDisplay, "lblDisplayDimTextPixels", QRect(144, 45, 60, 17));
    lblDisplayAlignment = make<QLabel>(fmDisplay, "lblDisplayAlignment", QRect(8, 71, 70, 17));
    cbxDisplayAlignment = makeFixedList(fmDisplay, "cbxDisplayAlignment", QRect(80, 68, 200, 22), 3);
    lblDisplayAlignment->setBuddy(cbxDisplayAlignment);
    lblDisplayFont = make<QLabel>(fmDisplay, "lblDisplayFont", QRect(8, 97, 70, 17));
    txtDisplayFont = make<QLineEdit>(fmDisplay, "txtDisplayFont", QRect(80, 94, 150, 21));
    txtDisplayFont->setReadOnly(true);
    lblDisplayFont->setBuddy(txtDisplayFont);
    cmdDisplayFont = make<QPushButton>(fmDisplay, "cmdDisplayFont", QRect(234, 93, 46, 23));
    cmdDisplayColor = make<ColorSwatch>(fmDisplay, "cmdDisplayColor", QRect(8, 121, 272, 23));

    m_displayCoordinates = new DisplayCoordinatesFrame(this, 120, 5520);
    fmDisplayCoordinates = m_displayCoordinates->fmDisplayCoordinates;
    txtDisplayX = m_displayCoordinates->txtDisplayX;
    txtDisplayY = m_displayCoordinates->txtDisplayY;

    // The status text's boxes take keys only while the status text is used.
    for (CoordinateEdit *box : { txtDisplayDimMax, txtDisplayX, txtDisplayY })
        box->setGate(statusTextUsed);

    fmDisplay->setEnabled(false);
    fmDisplayCoordinates->setEnabled(false);
}

void frmFullScreenToolBar::createButtonFrames()
{
    fmBtnList = makeFrame(this, "fmBtnList", twipsRect(4680, 120, 4335, 2895));
    createButtonList(fmBtnList);
    chkExtension = make<QCheckBox>(fmBtnList, "chkExtension", QRect(8, 141, 190, 19));
    // The extension belongs to the window skin of the folder: it is locked
    // until the user unlocks it.
    txtExtension->setEnabled(false);

    fmBtn = makeFrame(this, "fmBtn", twipsRect(4680, 3120, 4335, 2295));
    fmBtnCoordinates = makeFrame(this, "fmBtnCoordinates", twipsRect(4680, 5520, 4335, 615));
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
}

void frmFullScreenToolBar::Form_Load()
{
    const LangReader lang;
    ApplyActionNames(lang);
    ApplyTexts(lang);
    placeToolWindow(this, 0, 0, px(9225));
}

void frmFullScreenToolBar::ApplyTexts(const LangReader &lang)
{
    const QString section = QStringLiteral("FullScreen");
    const auto text = [&](int key) { return lang.text(section, key, 8000 + key); };

    setCaption(text(1));
    fmMain->setTitle(text(2));
    cmdBrowseMainWindow->setText(text(3));
    chkShape->setText(text(4));

    fmPosition->setTitle(text(5));
    for (int k = 0; k < 3; ++k)
        setEntryText(cbxPositionLMR, k, text(6 + k));
    for (int k = 0; k < 3; ++k)
        setEntryText(cbxPositionBTB, k, text(9 + k));
    setLabelCaption(lblPosition, text(12));
    setLabelCaption(lblPositionDescription, text(13));

    fmDisplay->setTitle(text(14));
    chkDisplayUsed->setText(text(15));
    setLabelCaption(lblDisplayDimText, text(16));
    txtDisplayDimMax->setToolTip(lang.text(QStringLiteral("Display"), QStringLiteral("4_T"), 6004));
    setLabelCaption(lblDisplayDimTextPixels, text(17));
    setLabelCaption(lblDisplayAlignment, text(18));
    for (int k = 0; k < 3; ++k)
        setEntryText(cbxDisplayAlignment, k, text(19 + k));
    setLabelCaption(lblDisplayFont, text(22));
    cmdDisplayFont->setText(text(23));

    m_displayCoordinates->applyTexts(lang, section, 24, 8024);

    fmBtnList->setTitle(text(28));
    chkExtension->setText(text(29));
    cmdAdd->setText(text(30));
    cmdUp->setText(text(31));
    cmdDown->setText(text(32));
    cmdRemove->setText(text(33));
    cmdClear->setText(text(34));

    fmBtn->setTitle(text(35));
    setLabelCaption(lblBtnName, text(36));
    setLabelCaption(lblBtnType, text(37));
    setEntryText(cbxBtnType, 0, text(38));
    setEntryText(cbxBtnType, 1, text(39));
    setLabelCaption(lblBtnAction, text(40));
    optBtnText[0]->setText(text(41));
    optBtnText[1]->setText(text(42));

    fmBtnCoordinates->setTitle(text(43));
    setLabelCaption(lblBtnX, text(44));
    setLabelCaption(lblBtnPixelsX, text(46));
    setLabelCaption(lblBtnY, text(45));
    setLabelCaption(lblBtnPixelsY, text(46));

    // Both bar panels take the same keys but for their frames' captions.
    m_bars[0]->applyTexts(lang, section, 47, 8047, 49, 8049);
    m_bars[1]->applyTexts(lang, section, 48, 8048, 49, 8049);
}

bool frmFullScreenToolBar::Form_QueryUnload(int unloadMode)
{
    if (unloadMode != vbFormControlMenu)
        return false;
    // The close box only hides the window, through the View menu so that its
    // check mark follows.
    if (frmMain *main = frmMain::instance())
        main->mnuViewFullScreenTB_Click();
    else
        Hide();
    return true;
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
            gMessages[30] + QLatin1Char('\n') + gMessages[31] + QStringLiteral("\n\n") + gMessages[32],
            dialogs::vbExclamation, gMessages[2]);
}

QComboBox *frmFullScreenToolBar::barKindBox(int bar)
{
    return m_bars.at(bar)->cbxBarType;
}
