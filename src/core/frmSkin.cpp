#include "core/frmSkin.h"

frmSkin::frmSkin()
{
    setObjectName(QStringLiteral("frmSkin"));
}

frmSkin::~frmSkin() = default;

void frmSkin::Form_Load() {}

void frmSkin::pctSkinMain_Click() {}
