#include "editors/display_bars/frmDisplayToolBar.h"

#include "core/frmMain.h"
#include "editors/buttons/frmImagesToolBar.h"
#include "editors/CoordinateEdit.h"
#include "editors/display_bars/ColorSwatch.h"
#include "editors/display_bars/DisplayCoordinatesFrame.h"
#include "editors/display_bars/ToolWindowLayout.h"
#include "lang/Locale.h"
#include "resources/BuiltinTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

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

template <typename T>
T *make(QWidget *parent, const QString &name, const QRect &geometry)
{
    T *control = new T(parent);
    control->setObjectName(name);
    control->setGeometry(geometry);
    return control;
}

// A drop-down list of count entries, none selected.
void fillList(QComboBox *list, int count)
{
    // Filling an empty list selects its first entry: the list starts unselected.
    const QSignalBlocker quiet(list);
    for (int entry = 0; entry < count; ++entry)
        list->addItem(QString());
    list->setCurrentIndex(-1);
}
} // namespace

frmDisplayToolBar::frmDisplayToolBar()
{
    setObjectName(QStringLiteral("frmDisplayToolBar"));
    createControls();
}

frmDisplayToolBar::~frmDisplayToolBar() = default;

void frmDisplayToolBar::createControls()
{
    resize(twipsRect(0, 0, ClientWidth, ClientHeight).size());
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

    // The window is created with the built-in texts in place.
    setTexts([](const QString &, int id) { return LoadResString(id); });
}

void frmDisplayToolBar::createDimTextFrame()
{
    fmDisplayDimText = make<QGroupBox>(this, QStringLiteral("fmDisplayDimText"),
                                       twipsRect(FrameLeft, 120, FrameWidth, 1095));
    pctDisplayDimText = make<QWidget>(fmDisplayDimText, QStringLiteral("pctDisplayDimText"),
                                      twipsRect(60, 240, 4215, 795));
    lblDisplayTitle = make<QLabel>(pctDisplayDimText, QStringLiteral("lblDisplayTitle"),
                                   twipsRect(0, 60, 1020, 255));
    txtDisplayDimMax = make<CoordinateEdit>(pctDisplayDimText, QStringLiteral("txtDisplayDimMax"),
                                            twipsRect(1080, 0, 900, 315));
    txtDisplayDimMax->setMinusAllowed(false);
    // With a buddy a label takes "&" as an access key, as the design's labels do.
    lblDisplayTitle->setBuddy(txtDisplayDimMax);

    // The two options share their parent, which makes them one exclusive group.
    optSubtitles.setFactory(QStringLiteral("optSubtitles"),
                            [this](int) { return new QRadioButton(pctDisplayDimText); });
    optSubtitles.load(0)->setGeometry(twipsRect(0, 420, 2040, 255));
    optSubtitles.load(1)->setGeometry(twipsRect(2100, 420, 2100, 255));
    // A new skin keeps the subtitle width under the second key.
    optSubtitles[1]->setChecked(true);
}

void frmDisplayToolBar::createDisplayFrame()
{
    fmDisplay = make<QGroupBox>(this, QStringLiteral("fmDisplay"), twipsRect(FrameLeft, 1320, FrameWidth, 1575));
    pctDisplay = make<QWidget>(fmDisplay, QStringLiteral("pctDisplay"), twipsRect(60, 240, 4215, 1275));
    lblDisplayName = make<QLabel>(pctDisplay, QStringLiteral("lblDisplayName"), twipsRect(0, 60, 600, 255));
    cbxDisplay = make<QComboBox>(pctDisplay, QStringLiteral("cbxDisplay"), twipsRect(660, 0, 2880, 315));
    fillList(cbxDisplay, DisplayCount);
    lblDisplayName->setBuddy(cbxDisplay);
    chkDisplay = make<QCheckBox>(pctDisplay, QStringLiteral("chkDisplay"), twipsRect(3660, 30, 255, 255));

    lblDisplayFont = make<QLabel>(pctDisplay, QStringLiteral("lblDisplayFont"), twipsRect(0, 540, 600, 255));
    txtDisplayFont = make<QLineEdit>(pctDisplay, QStringLiteral("txtDisplayFont"), twipsRect(660, 480, 2040, 315));
    txtDisplayFont->setReadOnly(true);
    lblDisplayFont->setBuddy(txtDisplayFont);
    cmdDisplayFont = make<QPushButton>(pctDisplay, QStringLiteral("cmdDisplayFont"), twipsRect(2760, 465, 855, 345));
    cmdDisplayColor = make<ColorSwatch>(pctDisplay, QStringLiteral("cmdDisplayColor"),
                                        twipsRect(3660, 480, 405, 315));
}

void frmDisplayToolBar::createGuiFrame()
{
    fmGUI = make<QGroupBox>(this, QStringLiteral("fmGUI"), twipsRect(FrameLeft, 3720, FrameWidth, 855));
    lblGUIName = make<QLabel>(fmGUI, QStringLiteral("lblGUIName"), twipsRect(120, 360, 600, 255));
    cbxGUI = make<QComboBox>(fmGUI, QStringLiteral("cbxGUI"), twipsRect(780, 300, 2580, 315));
    fillList(cbxGUI, GuiColorCount);
    lblGUIName->setBuddy(cbxGUI);
    chkGUI = make<QCheckBox>(fmGUI, QStringLiteral("chkGUI"), twipsRect(3480, 330, 255, 255));
    cmdGUIColor = make<ColorSwatch>(fmGUI, QStringLiteral("cmdGUIColor"), twipsRect(3780, 300, 405, 315));
}

void frmDisplayToolBar::createTextFrame()
{
    fmText = make<QGroupBox>(this, QStringLiteral("fmText"), twipsRect(FrameLeft, 4680, FrameWidth, 3015));
    lblInstruction = make<QLabel>(fmText, QStringLiteral("lblInstruction"), twipsRect(120, 240, 4095, 255));
    lblAuthor = make<QLabel>(fmText, QStringLiteral("lblAuthor"), twipsRect(120, 660, 1020, 255));
    txtAuthor = make<QLineEdit>(fmText, QStringLiteral("txtAuthor"), twipsRect(1200, 600, 3015, 315));
    lblAuthor->setBuddy(txtAuthor);
    lblURL = make<QLabel>(fmText, QStringLiteral("lblURL"), twipsRect(120, 1020, 1020, 255));
    txtURL = make<QLineEdit>(fmText, QStringLiteral("txtURL"), twipsRect(1200, 960, 3015, 315));
    lblURL->setBuddy(txtURL);
    lblDescription = make<QLabel>(fmText, QStringLiteral("lblDescription"), twipsRect(120, 1380, 1500, 255));
    txtDescription = make<QPlainTextEdit>(fmText, QStringLiteral("txtDescription"),
                                          twipsRect(120, 1635, 4095, 1260));
    txtDescription->setPlainText(NewSkinDescription);
    lblDescription->setBuddy(txtDescription);
}

void frmDisplayToolBar::Form_Load()
{
    ApplyTexts(LangReader());
    placeWindow();
}

void frmDisplayToolBar::ApplyTexts(const LangReader &lang)
{
    setTexts([&](const QString &key, int id) { return lang.text(Section, key, id); });
}

// The items in the order they are applied; textOf(key, id) gives an item's text.
template <typename TextOf>
void frmDisplayToolBar::setTexts(TextOf textOf)
{
    const auto text = [&](int key, int id) { return textOf(QString::number(key), id); };
    SetLangCaption(this, text(1, 6001));
    SetLangCaption(fmDisplayDimText, text(2, 6002));
    SetLangCaption(lblDisplayTitle, text(3, 6003));
    SetLangToolTip(txtDisplayDimMax, textOf(QStringLiteral("4_T"), 6004));
    SetLangCaption(optSubtitles[0], text(5, 6005));
    SetLangToolTip(optSubtitles[0], textOf(QStringLiteral("5_T"), 6006));
    SetLangCaption(optSubtitles[1], text(6, 6007));
    SetLangToolTip(optSubtitles[1], textOf(QStringLiteral("6_T"), 6008));
    SetLangCaption(fmDisplay, text(7, 6009));
    SetLangCaption(lblDisplayName, text(8, 6010));
    for (int entry = 0; entry < DisplayCount; ++entry)
        SetLangListEntry(cbxDisplay, entry, text(9 + entry, 6011 + entry));
    SetLangCaption(lblDisplayFont, text(16, 6018));
    SetLangCaption(cmdDisplayFont, text(17, 6019));
    coordinates->setTexts([&](int offset) { return text(18 + offset, 6020 + offset); });
    SetLangCaption(fmGUI, text(22, 6024));
    SetLangCaption(lblGUIName, text(23, 6025));
    for (int entry = 0; entry < GuiColorCount; ++entry)
        SetLangListEntry(cbxGUI, entry, text(24 + entry, 6026 + entry));
    SetLangCaption(fmText, text(34, 6036));
    SetLangCaption(lblInstruction, text(35, 6037));
    SetLangCaption(lblAuthor, text(36, 6038));
    SetLangCaption(lblURL, text(37, 6039));
    SetLangCaption(lblDescription, text(38, 6040));
}

void frmDisplayToolBar::EnableFrames()
{
    for (QGroupBox *frame : { fmDisplayDimText, fmDisplay, fmDisplayCoordinates, fmGUI, fmText })
        frame->setEnabled(true);
}

// At the top, beside the Images tool window.
void frmDisplayToolBar::placeWindow()
{
    placeToolWindow(this, frmImagesToolBar::get()->frameWidth(), 0, screen::twipsToPixelsX(WindowWidth));
}

bool frmDisplayToolBar::Form_QueryUnload(int unloadMode)
{
    // The user's close only hides the window, through the View menu's toggle.
    if (unloadMode != vbFormControlMenu)
        return false;
    if (frmMain *main = frmMain::instance())
        main->mnuViewDisplayTB_Click();
    return true;
}
