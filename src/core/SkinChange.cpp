#include "core/SkinChange.h"

#include "core/Module.h"
#include "core/frmSkin.h"

void SetSkinChanged()
{
    gSkinChanged = true;
    if (frmSkin *skin = frmSkin::loaded()) {
        const QString caption = skin->caption();
        if (!caption.startsWith(QLatin1Char('*')))
            skin->setCaption(QLatin1Char('*') + caption);
    }
}

void ClearSkinChanged()
{
    if (frmSkin *skin = frmSkin::loaded()) {
        const QString caption = skin->caption();
        if (caption.startsWith(QLatin1Char('*')))
            skin->setCaption(caption.mid(1));
    }
    gSkinChanged = false;
}
