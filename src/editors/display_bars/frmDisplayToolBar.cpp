#include "editors/display_bars/frmDisplayToolBar.h"

#include "skin/Module.h"
#include "skin/SkinChange.h"
#include "editors/buttons/KeyPressEdit.h"
#include "editors/buttons/frmImagesToolBar.h"
#include "editors/CoordinateEdit.h"
#include "editors/display_bars/ColorSwatch.h"
#include "editors/display_bars/DisplayCoordinatesFrame.h"
#include "editors/display_bars/DisplayTextPanel.h"
#include "platform/VbRuntime.h"
#include "editors/ToolWindowLayout.h"
#include "widgets/WindowTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {
const QString Section = QStringLiteral("Display");
// The designed client area, in twips.
constexpr int ClientWidth = 4590;
constexpr int ClientHeight = 7815;
// The window's outer width, in twips.
constexpr int WindowWidth = 4665;
// The frames' common left edge and width, in twips.
constexpr int FrameLeft = 120;
constexpr int FrameWidth = 4335;
// The description a new skin starts with, as its box shows it.
const QString NewSkinDescription = QStringLiteral("Created with TVX Morvane (by Orlo)\n");
const QString CrLf = QStringLiteral("\r\n");
const QChar Lf = QLatin1Char('\n');

// The box shows line breaks as "\n"; the document keeps them as CR LF.
QString documentText(QString shown)
{
    return shown.replace(Lf, CrLf);
}

} // namespace

frmDisplayToolBar::frmDisplayToolBar()
    : ToolWindow(ToolWindowId::Display)
{
    setObjectName(QStringLiteral("frmDisplayToolBar"));
    createControls();
    connectHandlers();
}

frmDisplayToolBar::~frmDisplayToolBar() = default;

void frmDisplayToolBar::createControls()
{
    setClientSize(this, ClientWidth, ClientHeight);
    createDimTextFrame();
    createDisplayFrame();
    coordinates = new DisplayCoordinatesFrame(this, FrameLeft, 3000);
    fmDisplayCoordinates = coordinates->fmDisplayCoordinates;
    txtDisplayX = coordinates->txtDisplayX;
    txtDisplayY = coordinates->txtDisplayY;
    createGuiFrame();
    createTextFrame();

    for (QGroupBox *frame : { fmDisplayDimText, fmDisplay, fmDisplayCoordinates, fmGUI, fmText })
        frame->setEnabled(false);
}

void frmDisplayToolBar::createDimTextFrame()
{
    fmDisplayDimText
        = makeControl<QGroupBox>(this, "fmDisplayDimText", twipsRect(FrameLeft, 120, FrameWidth, 1095));
    pctDisplayDimText
        = makeControl<QWidget>(fmDisplayDimText, "pctDisplayDimText", twipsRect(60, 240, 4215, 795));
    lblDisplayTitle = makeControl<QLabel>(pctDisplayDimText, "lblDisplayTitle", twipsRect(0, 60, 1020, 255));
    txtDisplayDimMax
        = makeControl<CoordinateEdit>(pctDisplayDimText, "txtDisplayDimMax", twipsRect(1080, 0, 900, 315));
    txtDisplayDimMax->setMinusAllowed(false);
    // With a buddy a label takes "&" as an access key, as the design's labels do.
    lblDisplayTitle->setBuddy(txtDisplayDimMax);

    // The two options share their parent, which makes them one exclusive group.
    optSubtitles.setFactory(
        QStringLiteral("optSubtitles"), [this](int) { return new QRadioButton(pctDisplayDimText); });
    optSubtitles.load(0)->setGeometry(twipsRect(0, 420, 2040, 255));
    optSubtitles.load(1)->setGeometry(twipsRect(2100, 420, 2100, 255));
    // A new skin keeps the subtitle width under the second key.
    optSubtitles[1]->setChecked(true);
}

void frmDisplayToolBar::createDisplayFrame()
{
    fmDisplay = makeControl<QGroupBox>(this, "fmDisplay", twipsRect(FrameLeft, 1320, FrameWidth, 1575));
    pctDisplay = makeControl<QWidget>(fmDisplay, "pctDisplay", twipsRect(60, 240, 4215, 1275));
    lblDisplayName = makeControl<QLabel>(pctDisplay, "lblDisplayName", twipsRect(0, 60, 600, 255));
    cbxDisplay
        = makeFixedList(pctDisplay, QStringLiteral("cbxDisplay"), twipsRect(660, 0, 2880, 315), DisplayCount);
    lblDisplayName->setBuddy(cbxDisplay);
    chkDisplay = makeControl<QCheckBox>(pctDisplay, "chkDisplay", twipsRect(3660, 30, 255, 255));

    lblDisplayFont = makeControl<QLabel>(pctDisplay, "lblDisplayFont", twipsRect(0, 540, 600, 255));
    txtDisplayFont = makeControl<QLineEdit>(pctDisplay, "txtDisplayFont", twipsRect(660, 480, 2040, 315));
    txtDisplayFont->setReadOnly(true);
    lblDisplayFont->setBuddy(txtDisplayFont);
    cmdDisplayFont = makeControl<QPushButton>(pctDisplay, "cmdDisplayFont", twipsRect(2760, 465, 855, 345));
    cmdDisplayColor = makeControl<ColorSwatch>(pctDisplay, "cmdDisplayColor", twipsRect(3660, 480, 405, 315));
}

void frmDisplayToolBar::createGuiFrame()
{
    fmGUI = makeControl<QGroupBox>(this, "fmGUI", twipsRect(FrameLeft, 3720, FrameWidth, 855));
    lblGUIName = makeControl<QLabel>(fmGUI, "lblGUIName", twipsRect(120, 360, 600, 255));
    cbxGUI = makeFixedList(fmGUI, QStringLiteral("cbxGUI"), twipsRect(780, 300, 2580, 315), GuiColorCount);
    lblGUIName->setBuddy(cbxGUI);
    chkGUI = makeControl<QCheckBox>(fmGUI, "chkGUI", twipsRect(3480, 330, 255, 255));
    cmdGUIColor = makeControl<ColorSwatch>(fmGUI, "cmdGUIColor", twipsRect(3780, 300, 405, 315));
}

void frmDisplayToolBar::createTextFrame()
{
    fmText = makeControl<QGroupBox>(this, "fmText", twipsRect(FrameLeft, 4680, FrameWidth, 3015));
    // The instruction takes two lines where the font is too wide for one.
    lblInstruction = makeControl<QLabel>(fmText, "lblInstruction", twipsRect(120, 225, 4095, 480));
    lblInstruction->setWordWrap(true);
    lblAuthor = makeControl<QLabel>(fmText, "lblAuthor", twipsRect(120, 810, 1020, 255));
    txtAuthor = makeControl<KeyPressEdit>(fmText, "txtAuthor", twipsRect(1200, 750, 3015, 315));
    lblAuthor->setBuddy(txtAuthor);
    lblURL = makeControl<QLabel>(fmText, "lblURL", twipsRect(120, 1170, 1020, 255));
    txtURL = makeControl<KeyPressEdit>(fmText, "txtURL", twipsRect(1200, 1110, 3015, 315));
    lblURL->setBuddy(txtURL);
    lblDescription = makeControl<QLabel>(fmText, "lblDescription", twipsRect(120, 1500, 1500, 255));
    txtDescription = makeControl<QPlainTextEdit>(fmText, "txtDescription", twipsRect(120, 1755, 4095, 1140));
    txtDescription->setPlainText(NewSkinDescription);
    lblDescription->setBuddy(txtDescription);
}

void frmDisplayToolBar::connectHandlers()
{
    m_displayText = new DisplayTextPanel(this,
        { chkDisplay, txtDisplayFont, cmdDisplayFont, cmdDisplayColor, txtDisplayDimMax, txtDisplayX,
            txtDisplayY },
        cbxDisplay);

    connect(cbxGUI, &QComboBox::currentIndexChanged, this, &frmDisplayToolBar::cbxGUI_Click);
    connect(chkGUI, &QCheckBox::toggled, this, &frmDisplayToolBar::chkGUI_Click);
    connect(cmdGUIColor, &QPushButton::clicked, this, &frmDisplayToolBar::cmdGUIColor_Click);
    for (int index = 0; index < 2; ++index) {
        connect(optSubtitles[index], &QRadioButton::toggled, this, [this, index](bool selected) {
            if (selected)
                optSubtitles_Click(index);
        });
    }

    // Enter in a one-line author box moves on and types nothing.
    for (KeyPressEdit *box : { txtAuthor, txtURL }) {
        box->setKeyPress([box](int &keyAscii) {
            if (keyAscii == 13) {
                keyAscii = 0;
                box->sendTab();
            }
        });
    }
    connect(txtAuthor, &QLineEdit::textChanged, this, &frmDisplayToolBar::txtAuthor_Change);
    connect(txtURL, &QLineEdit::textChanged, this, &frmDisplayToolBar::txtURL_Change);
    connect(txtDescription, &QPlainTextEdit::textChanged, this, &frmDisplayToolBar::txtDescription_Change);
}

void frmDisplayToolBar::Form_Load()
{
    // Placed before its caption is set: the frame measures its title again at
    // each step of being made and placed.
    placeWindow();
    ApplyTexts(LangReader());
}

void frmDisplayToolBar::ApplyTexts(const LangReader &lang)
{
    const WindowTexts texts(lang, Section);
    texts.caption(this, 1, 6001);
    texts.caption(fmDisplayDimText, 2, 6002);
    texts.caption(lblDisplayTitle, 3, 6003);
    texts.toolTip(txtDisplayDimMax, "4_T", 6004);
    texts.caption(optSubtitles[0], 5, 6005);
    texts.toolTip(optSubtitles[0], "5_T", 6006);
    texts.caption(optSubtitles[1], 6, 6007);
    texts.toolTip(optSubtitles[1], "6_T", 6008);
    texts.caption(fmDisplay, 7, 6009);
    texts.caption(lblDisplayName, 8, 6010);
    for (int entry = 0; entry < DisplayCount; ++entry)
        texts.listEntry(cbxDisplay, entry, 9 + entry, 6011 + entry);
    texts.caption(lblDisplayFont, 16, 6018);
    texts.caption(cmdDisplayFont, 17, 6019);
    coordinates->applyTexts(texts, 18, 6020);
    texts.caption(fmGUI, 22, 6024);
    texts.caption(lblGUIName, 23, 6025);
    for (int entry = 0; entry < GuiColorCount; ++entry)
        texts.listEntry(cbxGUI, entry, 24 + entry, 6026 + entry);
    texts.caption(fmText, 34, 6036);
    texts.caption(lblInstruction, 35, 6037);
    texts.caption(lblAuthor, 36, 6038);
    texts.caption(lblURL, 37, 6039);
    texts.caption(lblDescription, 38, 6040);
    showWholeTexts(this);
}

void frmDisplayToolBar::EnableFrames()
{
    for (QGroupBox *frame : { fmDisplayDimText, fmDisplay, fmDisplayCoordinates, fmGUI, fmText })
        frame->setEnabled(true);
}

// At the top, beside the Images tool window.
void frmDisplayToolBar::placeWindow()
{
    placeToolWindow(
        this, toolwindows::get(ToolWindowId::Images)->frameWidth(), 0, screen::twipsToPixelsX(WindowWidth));
}

void frmDisplayToolBar::showDocument()
{
    optSubtitles[gSubsWidthMode == 0 ? 0 : 1]->setChecked(true);
    txtAuthor->setText(gSkinInfo.InfoAuthor);
    txtURL->setText(gSkinInfo.InfoURL);
    // A box written with the text it holds runs no change handler.
    if (documentText(txtDescription->toPlainText()) != gSkinInfo.InfoDescription)
        txtDescription->setPlainText(QString(gSkinInfo.InfoDescription).replace(CrLf, Lf));
}

// --- Menu and playlist colours ---

void frmDisplayToolBar::showGuiColour(int i)
{
    const GuiColorRec &colour = gGuiColors[i];
    if (vb::isTrue(colour.GuiUsed))
        cmdGUIColor->showColourString(colour.GuiValue);
    else
        cmdGUIColor->showBlack();
}

void frmDisplayToolBar::cbxGUI_Click()
{
    const int i = cbxGUI->currentIndex();
    if (i < 0)
        return;
    chkGUI->setChecked(vb::isTrue(gGuiColors[i].GuiUsed));
    showGuiColour(i);
}

void frmDisplayToolBar::chkGUI_Click()
{
    const int i = cbxGUI->currentIndex();
    if (i < 0) {
        chkGUI->setChecked(false);
        return;
    }
    // Clearing keeps the value: ticking again brings it back.
    gGuiColors[i].GuiUsed = vb::fromBool(chkGUI->isChecked());
    showGuiColour(i);
    SetSkinChanged();
}

void frmDisplayToolBar::cmdGUIColor_Click()
{
    const int i = cbxGUI->currentIndex();
    if (i < 0 || !vb::isTrue(gGuiColors[i].GuiUsed))
        return;
    const QString colour = cmdGUIColor->choose();
    if (colour.isEmpty())
        return;
    gGuiColors[i].GuiValue = colour;
    SetSkinChanged();
}

// --- Subtitle width key and author texts ---

void frmDisplayToolBar::optSubtitles_Click(int index)
{
    // The key the subtitle width is saved under changes with the mode.
    if (gSubsWidthMode == index)
        return;
    gSubsWidthMode = int16_t(index);
    SetSkinChanged();
}

void frmDisplayToolBar::txtAuthor_Change()
{
    gSkinInfo.InfoAuthor = txtAuthor->text();
    SetSkinChanged();
}

void frmDisplayToolBar::txtURL_Change()
{
    gSkinInfo.InfoURL = txtURL->text();
    SetSkinChanged();
}

void frmDisplayToolBar::txtDescription_Change()
{
    gSkinInfo.InfoDescription = documentText(txtDescription->toPlainText());
    SetSkinChanged();
}
