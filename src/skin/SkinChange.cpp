#include "skin/SkinChange.h"

#include "skin/Module.h"

SkinChangeEvents &SkinChangeEvents::instance()
{
    static SkinChangeEvents events;
    return events;
}

void SetSkinChanged()
{
    gSkinChanged = true;
    emit SkinChangeEvents::instance().markChanged(true);
}

void ClearSkinChanged()
{
    emit SkinChangeEvents::instance().markChanged(false);
    gSkinChanged = false;
}
