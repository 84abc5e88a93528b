#include "editors/display_bars/frmDisplayToolBar.h"

#include "lang/Locale.h"

frmDisplayToolBar::frmDisplayToolBar()
{
    setObjectName(QStringLiteral("frmDisplayToolBar"));
}

frmDisplayToolBar::~frmDisplayToolBar() = default;

void frmDisplayToolBar::Form_Load() {}

void frmDisplayToolBar::ApplyTexts(const LangReader &) {}

