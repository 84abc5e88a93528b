#pragma once

#include <QObject>

#include <cstdint>
#include <functional>

struct DisplayRec;

class ColorSwatch;
class CoordinateEdit;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The editor of one display text: its use box, font, colour, maximum width and
// position, written at once into gDisplays and the display's preview label.
// The Display tool window edits the display selected in its list (0 to 6); the
// full-screen tool window edits its status text, display 7, which has no list.
// The panel wires the window's controls to the rules; the window keeps them.
class DisplayTextPanel : public QObject
{
    Q_OBJECT

public:
    struct Controls {
        QCheckBox *chkUsed = nullptr;
        QLineEdit *txtFont = nullptr; // read-only: face name; tooltip: the whole font string
        QPushButton *cmdFont = nullptr;
        ColorSwatch *cmdColor = nullptr;
        CoordinateEdit *txtDimMax = nullptr;
        CoordinateEdit *txtX = nullptr;
        CoordinateEdit *txtY = nullptr;
    };

    // A window skin's displays, chosen in selector.
    DisplayTextPanel(QObject *parent, const Controls &controls, QComboBox *selector);
    // The status text. useApplied(used) runs when the use box has filled or
    // emptied the other boxes, before the skin is marked modified.
    DisplayTextPanel(QObject *parent, const Controls &controls, std::function<void(bool used)> useApplied);

    // The display edited: the list position of the selector, 7 for the status
    // text; -1 while nothing is selected.
    int display() const;
    // Whether the editing handlers act: a display is chosen and it is used.
    bool gateOpen() const;

    // Selecting a display (the selector's click): the boxes show it.
    void cbxDisplay_Click();
    // The handlers of the controls.
    void chkUsed_Click();
    void cmdColor_Click();
    void cmdFont_Click();
    void txtDimMax_Change();
    void txtX_Change();
    void txtY_Change();

    // Writes the use box from the document (the status text; a window skin's
    // displays are shown by selecting them).
    void showDocument();

private:
    void connectHandlers();
    // Font box, swatch and position boxes from the record, or their empty state.
    void fillFontAndColour(int i);
    void emptyFontAndColour();
    // The X or Y box's change: the value goes into field and the label moves.
    void positionChanged(CoordinateEdit *box, int32_t DisplayRec::*field);
    QLabel *previewLabel(int i) const;
    // The status text's label keeps its left edge when its size changes.
    void keepLabelLeft(int i) const;

    Controls m_controls;
    QComboBox *m_selector = nullptr;
    std::function<void(bool used)> m_useApplied;
    bool m_statusText = false;
};
