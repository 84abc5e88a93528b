#include "core/SkinReader.h"

void LoadSkin()
{
    // Not built yet: an opened skin shows as a new, empty one.
}
