#pragma once

#include <QString>

// The font files registered with the system for the open skin, by font slot
// (0 "LoadFont1", 1 "LoadFont2"). Every registration is kept until the skin
// closes or its slot is emptied, so that nothing registered for a skin outlives it.

// Registers the font file for slot; returns the id (-1 when the file could not
// be registered, in which case nothing is kept).
int RegisterSkinFont(int slot, const QString &path);

// Unregisters every font registered for slot.
void UnregisterSkinFont(int slot);

// Unregisters every font registered for the open skin (when it closes).
void UnregisterSkinFonts();

// The number of fonts registered for slot (-1: for every slot).
int RegisteredSkinFontCount(int slot = -1);
