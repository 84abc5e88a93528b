#pragma once

#include <QString>

class WindowTexts;
class ButtonToolWindow;
class LangReader;
class QComboBox;
class QWidget;

// The selected button's properties in a button tool window: the button
// selector, its type, action and text, and its coordinates, created alike in
// both windows.
class ButtonPropertiesPanel
{
public:
    // Creates the controls: selector, type, action and text on host, the
    // coordinate boxes on coordinatesHost. typeCount is the number of button
    // types the window offers (3 for a window skin, 2 for a full-screen skin).
    ButtonPropertiesPanel(ButtonToolWindow &window, QWidget *host, QWidget *coordinatesHost, int typeCount);

    // Whether a button is selected: the coordinate and text boxes take keys only then.
    bool buttonSelected() const;

    void connectHandlers();

    // The handlers of the controls. The selected button is position i of the
    // selector, record gButtons(i + 1) and preview picture i + 1; every handler
    // that changes the record marks the skin modified.
    void cbxBtn_Click();
    void cbxBtnType_Click();
    void cbxBtnAction_Click();
    void optBtnText_Click(int index);
    void txtBtnText_KeyPress(int &keyAscii);
    void txtBtnText_Validate();
    void txtBtnCoordinate_Change(bool horizontal);

    // Text typed into the custom-text box but not yet committed goes into the
    // record of the button it was typed for.
    void commitPendingText();
    // The same, before the records move: afterwards no record counts as shown
    // until a button is selected again.
    void leaveShownButton();

    // Empties the property controls: no type, no action, custom text mode, no
    // texts and no coordinates. With no button selected no record changes.
    void blank();

    // Whether a text refers to the player's language file: "$lang." (exact
    // case), a section and a key separated by one more dot, and no blank.
    static bool isLangReference(const QString &text);

    // The 123 player action names, entry i naming action i; the first call adds
    // them, later calls replace their texts in place.
    void fillActionNames(const LangReader &lang);

    // The texts of the two frames, from key firstKey of textOf on: the
    // selected button's frame, the button and type labels, the type entries,
    // the action label, the two text options, the coordinates frame, the X
    // and Y labels and one key for both unit labels. No handler runs.
    void applyTexts(const WindowTexts &texts, int firstKey, int firstId);

private:
    // The record whose values the controls show (0: none).
    int shownRecord() const;
    // The record a pick in the type or action list writes to (0: none).
    int recordForPick(QComboBox *list) const;

    ButtonToolWindow &m_window;
    int m_typeCount = 0;
    // The record the controls were last filled from, for the commit of a text
    // typed before another button is chosen.
    int m_shownRecord = 0;
};
