#include "skin/SkinFonts.h"

#include "platform/Fonts.h"

#include <QMultiMap>

namespace {
// Slot -> ids of the fonts registered for it.
QMultiMap<int, int> &registry()
{
    static QMultiMap<int, int> ids;
    return ids;
}
} // namespace

int RegisterSkinFont(int slot, const QString &path)
{
    const int id = fonts::addFontFile(path);
    if (id >= 0)
        registry().insert(slot, id);
    return id;
}

void UnregisterSkinFont(int slot)
{
    const QList<int> ids = registry().values(slot);
    registry().remove(slot);
    for (int id : ids)
        fonts::removeFontFile(id);
}

void UnregisterSkinFonts()
{
    for (int slot : registry().uniqueKeys())
        UnregisterSkinFont(slot);
}

int RegisteredSkinFontCount(int slot)
{
    return slot < 0 ? int(registry().size()) : int(registry().count(slot));
}
