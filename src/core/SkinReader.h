#pragma once

// The skin reader: reads gSkinFile into the document, the tool windows and the
// preview, which the open road has just opened for the skin's kind.
void LoadSkin();
