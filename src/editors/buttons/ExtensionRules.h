#pragma once

#include <array>
#include <functional>

class KeyPressEdit;
class QComboBox;
class QListWidget;

// The rules of the button-image extension box, alike in both button tool windows.
class ExtensionRules
{
public:
    // Key filter: Enter moves the focus on and types nothing; the characters that
    // a file name cannot hold (. \ / : * ? " < > |) are refused.
    static void KeyPress(KeyPressEdit *box, int &keyAscii);

    // Leaving the box: trailing blanks go; a new extension (compared without
    // regard to case) while buttons are listed or a bar uses button images asks
    // first, and going on clears the buttons (clear, which asks its own
    // question) and turns button bars into plain bars of the same direction.
    // Refused, the old extension comes back. gButtonExt ends as the box shows;
    // a new one marks the skin only where the skin file holds it (window skins).
    // barKinds are the kind boxes of the track and volume bars (nullptr: none).
    static void Validate(KeyPressEdit *box, const QListWidget *lstButtons,
        const std::array<QComboBox *, 2> &barKinds, const std::function<void()> &clearButtons);
};
