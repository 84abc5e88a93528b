#include "editors/buttons/frmImagesToolBar.h"

#include "lang/Locale.h"

frmImagesToolBar::frmImagesToolBar()
{
    setObjectName(QStringLiteral("frmImagesToolBar"));
}

frmImagesToolBar::~frmImagesToolBar() = default;

void frmImagesToolBar::Form_Load() {}

void frmImagesToolBar::ApplyTexts(const LangReader &) {}

void frmImagesToolBar::cmdUp_Click() {}
void frmImagesToolBar::cmdDown_Click() {}
void frmImagesToolBar::cmdRemove_Click() {}
void frmImagesToolBar::cmdClear_Click() {}
void frmImagesToolBar::ApplyActionNames(const LangReader &) {}
