#pragma once

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

private:
    ButtonToolWindow &w;
};
