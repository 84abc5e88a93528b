#pragma once

// The modified mark of the open skin: gSkinChanged and one "*" before the
// preview window's caption.

// Sets gSkinChanged and puts "*" before the caption unless it starts with one.
void SetSkinChanged();

// Clears gSkinChanged and removes a leading "*" from the caption.
void ClearSkinChanged();
