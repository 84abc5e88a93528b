#include "core/SkinReader.h"

void ReadSkin()
{
    // Not built yet: an opened skin shows as a new, empty one.
}
