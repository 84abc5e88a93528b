#pragma once

#include <QString>


class WindowTexts;
class ButtonToolWindow;
class LangReader;
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

    // The 123 player action names, entry i naming action i; the first call adds
    // them, later calls replace their texts in place.
    void fillActionNames(const LangReader &lang);

    // The texts of the two frames, from key firstKey of textOf on: the
    // selected button's frame, the button and type labels, the type entries,
    // the action label, the two text options, the coordinates frame, the X
    // and Y labels and one key for both unit labels. No handler runs.
    void applyTexts(const WindowTexts &texts, int firstKey, int firstId);

private:
    ButtonToolWindow &w;
    int m_typeCount = 0;
};
