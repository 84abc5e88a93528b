#include "editors/fullscreen/frmFullScreenToolBar.h"

#include "lang/Locale.h"

frmFullScreenToolBar::frmFullScreenToolBar()
{
    setObjectName(QStringLiteral("frmFullScreenToolBar"));
}

frmFullScreenToolBar::~frmFullScreenToolBar() = default;

void frmFullScreenToolBar::Form_Load() {}

void frmFullScreenToolBar::ApplyTexts(const LangReader &) {}

void frmFullScreenToolBar::cmdUp_Click() {}
void frmFullScreenToolBar::cmdDown_Click() {}
void frmFullScreenToolBar::cmdRemove_Click() {}
void frmFullScreenToolBar::cmdClear_Click() {}
void frmFullScreenToolBar::ApplyActionNames(const LangReader &) {}
