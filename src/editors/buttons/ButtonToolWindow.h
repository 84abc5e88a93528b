#pragma once

#include "editors/ToolWindows.h"
#include "platform/ControlArray.h"

#include <QRadioButton>

#include <memory>

class ButtonListPanel;
class ButtonPropertiesPanel;
class CoordinateEdit;
class KeyPressEdit;
class LangReader;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class WindowTexts;

// What the Images tool window of a window skin and the tool window of a
// full-screen skin have in common: the main image with its shape box, the
// button-image extension, the buttons list and the selected button's
// properties. The controls carry the same names in both windows and obey the
// same rules, which live here and in the panels, once.
class ButtonToolWindow : public ToolWindow
{
    Q_OBJECT

public:
    explicit ButtonToolWindow(ToolWindowId id);
    ~ButtonToolWindow() override;

    // The button tool window of the open skin's kind (toolwindows::activeButtonWindow).
    static ButtonToolWindow *active();

    // Main image (for a full-screen skin, the movie-window image).
    QGroupBox *fmMain = nullptr;
    QLineEdit *txtMainWindow = nullptr;
    QPushButton *cmdBrowseMainWindow = nullptr;
    QCheckBox *chkShape = nullptr;

    // Buttons list.
    QGroupBox *fmBtnList = nullptr;
    QListWidget *lstButtons = nullptr;
    QPushButton *cmdAdd = nullptr;
    QPushButton *cmdUp = nullptr;
    QPushButton *cmdDown = nullptr;
    QPushButton *cmdRemove = nullptr;
    QPushButton *cmdClear = nullptr;
    KeyPressEdit *txtExtension = nullptr;

    // The selected button.
    QGroupBox *fmBtn = nullptr;
    QLabel *lblBtnName = nullptr;
    QComboBox *cbxBtn = nullptr;
    QLabel *lblBtnType = nullptr;
    QComboBox *cbxBtnType = nullptr;
    QLabel *lblBtnAction = nullptr;
    QComboBox *cbxBtnAction = nullptr;
    ControlArray<QRadioButton> optBtnText; // 0 multilanguage text, 1 custom text
    QPushButton *cmdBtnText = nullptr;
    KeyPressEdit *txtBtnText = nullptr;

    // Its coordinates.
    QGroupBox *fmBtnCoordinates = nullptr;
    QLabel *lblBtnX = nullptr;
    CoordinateEdit *txtBtnX = nullptr;
    QLabel *lblBtnPixelsX = nullptr;
    QLabel *lblBtnY = nullptr;
    CoordinateEdit *txtBtnY = nullptr;
    QLabel *lblBtnPixelsY = nullptr;

    // Handlers of the main image and the extension.
    void cmdBrowseMainWindow_Click();
    void chkShape_Click();
    void txtExtension_KeyPress(int &keyAscii);
    void txtExtension_Validate();

    // The buttons-list commands; Up, Down, Remove and Clear are also run by the
    // preview's pop-up menu and Clear by a change of the extension.
    void cmdAdd_Click();
    void cmdUp_Click();
    void cmdDown_Click();
    void cmdRemove_Click();
    void cmdClear_Click();

    // Picks the selected button's text out of the player's language file.
    void cmdBtnText_Click();

    // Gives the 123 action names their texts in the current language; the first
    // call fills the list. The selection stays and no handler runs.
    void ApplyActionNames(const LangReader &lang);

    // The list's and the selected button's handlers.
    void lstButtons_Click();
    void cbxBtn_Click();
    void cbxBtnType_Click();
    void cbxBtnAction_Click();
    void optBtnText_Click(int index);
    void txtBtnText_Validate();

    // Text typed into the custom-text box and not yet committed (the focus
    // still in it) goes into its button's record.
    void commitPendingText();
    // That, and an extension typed and not yet committed is committed as
    // leaving its box does (its question included); Save, Close, Open, New
    // and Exit run this first.
    void commitPendingEdits();
    // The same before the records move or go.
    void leaveShownButton();
    // Empties the property controls; with no button selected no record changes.
    void blankButtonProperties();
    // No button selected: both lists without selection, the properties blank,
    // Up, Down and Remove disabled.
    void clearButtonEditor();

    // Makes the frames usable that wait for a main image, in the design's
    // order, those of the tool windows beside it included.
    virtual void EnableEditingFrames() = 0;

signals:
    // A right click on the selected button's frame: the frame's pop-up menu,
    // whose one command needs at least one button.
    void buttonsFramePopupRequested(QPoint globalPos, bool hasButtons);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

    // Shows the main image, its shape, the extension and the buttons list of
    // the document, no button selected.
    void showSharedDocument();

    // Creation of the shared controls inside their frames (or the picture box
    // that fills a frame). typeCount is the number of button types offered.
    void createButtonList(QWidget *host);
    void createButtonProperties(QWidget *host, QWidget *coordinatesHost, int typeCount);
    void connectSharedHandlers();

    // Gives the buttons list and the selected button's frames their texts. The
    // five list commands take the keys from firstCommandKey on (built-in texts
    // from firstCommandId on); the selected button's frame, its labels, type
    // entries and options and its coordinates frame take the keys from
    // firstPropertyKey on (built-in texts from firstPropertyId on), in the order
    // the controls stand (the one unit-label key serves both coordinate units).
    void applyButtonTexts(const WindowTexts &texts, int firstCommandKey, int firstCommandId,
        int firstPropertyKey, int firstPropertyId);

    // Twips to pixels.
    static int px(int twips);

    std::unique_ptr<ButtonListPanel> m_buttonList;
    std::unique_ptr<ButtonPropertiesPanel> m_buttonProperties;
};
