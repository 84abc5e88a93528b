#pragma once

// The reset of the skin document to a new, empty skin. The preview window runs
// it when it loads, before any skin is read, so every opened skin starts from
// these values and a new skin keeps exactly them.
void InitSkinDefaults();
