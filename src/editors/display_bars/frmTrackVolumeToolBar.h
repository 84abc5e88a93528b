#pragma once

#include "core/MdiForm.h"

class LangReader;

// The track and volume tool window of a window skin: the two bars.
class frmTrackVolumeToolBar : public MdiForm, public FormInstance<frmTrackVolumeToolBar>
{
    Q_OBJECT

public:
    frmTrackVolumeToolBar();
    ~frmTrackVolumeToolBar() override;

    void Form_Load();

    // Gives the window's captions, labels, tooltips and list entries their texts
    // in the current language (also run by the window's own load).
    void ApplyTexts(const LangReader &lang);

};
