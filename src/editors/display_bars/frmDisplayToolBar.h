#pragma once

#include "editors/ToolWindows.h"
#include "platform/ControlArray.h"

class ColorSwatch;
class CoordinateEdit;
class DisplayCoordinatesFrame;
class LangReader;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

// The "Display & GUI" tool window of a window skin: display texts, menu and playlist colours, author
// information. Five frames one under the other; they start disabled and are enabled all together once the
// skin's main image is chosen or a skin is read.
class frmDisplayToolBar : public ToolWindow, public FormInstance<frmDisplayToolBar>
{
    Q_OBJECT

public:
    frmDisplayToolBar();
    ~frmDisplayToolBar() override;

    void Form_Load();

    void ApplyTexts(const LangReader &lang) override;
    // Subtitle width key and author information.
    void showDocument() override;

    // Enables the five frames (they are never disabled again).
    void EnableFrames() override;

    // Maximum width and subtitle width key.
    QGroupBox *fmDisplayDimText = nullptr;
    QWidget *pctDisplayDimText = nullptr;
    QLabel *lblDisplayTitle = nullptr;
    CoordinateEdit *txtDisplayDimMax = nullptr;
    ControlArray<QRadioButton> optSubtitles;

    // The display text being edited: list entry i is display text i.
    QGroupBox *fmDisplay = nullptr;
    QWidget *pctDisplay = nullptr;
    QLabel *lblDisplayName = nullptr;
    QComboBox *cbxDisplay = nullptr;
    QCheckBox *chkDisplay = nullptr;
    QLabel *lblDisplayFont = nullptr;
    QLineEdit *txtDisplayFont = nullptr;
    QPushButton *cmdDisplayFont = nullptr;
    ColorSwatch *cmdDisplayColor = nullptr;

    // Its position: fmDisplayCoordinates, txtDisplayX, txtDisplayY and their labels.
    DisplayCoordinatesFrame *coordinates = nullptr;
    QGroupBox *fmDisplayCoordinates = nullptr;
    CoordinateEdit *txtDisplayX = nullptr;
    CoordinateEdit *txtDisplayY = nullptr;

    // Menu and playlist colours: list entry k is colour k.
    QGroupBox *fmGUI = nullptr;
    QLabel *lblGUIName = nullptr;
    QComboBox *cbxGUI = nullptr;
    QCheckBox *chkGUI = nullptr;
    ColorSwatch *cmdGUIColor = nullptr;

    // Author information.
    QGroupBox *fmText = nullptr;
    QLabel *lblInstruction = nullptr;
    QLabel *lblAuthor = nullptr;
    QLineEdit *txtAuthor = nullptr;
    QLabel *lblURL = nullptr;
    QLineEdit *txtURL = nullptr;
    QLabel *lblDescription = nullptr;
    QPlainTextEdit *txtDescription = nullptr;

    // Number of entries of cbxDisplay and cbxGUI.
    static constexpr int DisplayCount = 7;
    static constexpr int GuiColorCount = 10;

private:
    void createControls();
    void createDimTextFrame();
    void createDisplayFrame();
    void createGuiFrame();
    void createTextFrame();
    void placeWindow();
};
