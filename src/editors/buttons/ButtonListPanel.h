#pragma once

#include <QString>

class WindowTexts;
class ButtonToolWindow;
class QWidget;

// The buttons list of a button tool window: the list box, its five commands and
// the extension box, created alike in both windows, and the list's operations.
// The list, the button selector, gButtons and the preview's button pictures
// stay in step: list position p is gButtons(p + 1) and pctSkinButton(p + 1).
class ButtonListPanel
{
public:
    // Creates the controls on host (the frame, or the picture box filling it).
    ButtonListPanel(ButtonToolWindow &window, QWidget *host);

    // The captions of Add, Up, Down, Remove and Clear: keys firstKey to
    // firstKey + 4 of textOf. No handler runs.
    void applyTexts(const WindowTexts &texts, int firstKey, int firstId);

    void connectHandlers();

    void cmdAdd_Click();
    void cmdUp_Click();
    void cmdDown_Click();
    void cmdRemove_Click();
    void cmdClear_Click();
    void lstButtons_Click();

    // No button selected any more: both lists without selection, the
    // properties blank, Up, Down and Remove disabled.
    void clearSelection();

    // Both lists hold the base names of gButtons, nothing selected.
    void showButtons();

private:
    void setCommandsEnabled(bool enabled);
    void appendEntry(const QString &name);
    // Moves the entry at position from to position to, a neighbour.
    void move(int from, int to);

    ButtonToolWindow &m_window;
};
