#pragma once

#include "editors/ToolWindows.h"
#include "widgets/MdiForm.h"
#include "editors/buttons/KeyPressEdit.h"
#include "platform/ControlArray.h"

class ColorSwatch;
class CoordinateEdit;
class DisplayCoordinatesFrame;
class DisplayTextPanel;
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

    // Enables the five frames (they are never disabled again).
    void EnableFrames() override;

    // Shows the open skin's document: selects the subtitle width option and
    // writes the author texts (their handlers run); no display or colour is
    // selected.
    void showDocument() override;

    // The editor of the display selected in cbxDisplay.
    DisplayTextPanel *displayText() const { return m_displayText; }

    // Menu and playlist colours, subtitle width key and author texts.
    void cbxGUI_Click();
    void chkGUI_Click();
    void cmdGUIColor_Click();
    void optSubtitles_Click(int index);
    void txtAuthor_Change();
    void txtURL_Change();
    void txtDescription_Change();

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
    KeyPressEdit *txtAuthor = nullptr;
    QLabel *lblURL = nullptr;
    KeyPressEdit *txtURL = nullptr;
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
    void connectHandlers();
    // The swatch shows menu colour i, or black while it is not used.
    void showGuiColour(int i);
    void placeWindow();

    DisplayTextPanel *m_displayText = nullptr;
};
