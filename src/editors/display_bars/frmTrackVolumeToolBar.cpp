#include "editors/display_bars/frmTrackVolumeToolBar.h"

#include "lang/Locale.h"

frmTrackVolumeToolBar::frmTrackVolumeToolBar()
{
    setObjectName(QStringLiteral("frmTrackVolumeToolBar"));
}

frmTrackVolumeToolBar::~frmTrackVolumeToolBar() = default;

void frmTrackVolumeToolBar::Form_Load() {}

void frmTrackVolumeToolBar::ApplyTexts(const LangReader &) {}

