#pragma once

#include "editors/ToolWindows.h"

#include <array>

class BarPanel;
class LangReader;
class QFrame;

// The track and volume tool window of a window skin: the track bar's panel in the
// left half, the volume bar's in the right half.
class frmTrackVolumeToolBar : public ToolWindow, public FormInstance<frmTrackVolumeToolBar>
{
    Q_OBJECT

public:
    frmTrackVolumeToolBar();
    ~frmTrackVolumeToolBar() override;

    void Form_Load();

    void ApplyTexts(const LangReader &lang) override;

    // Enables the six bar frames (they are never disabled again).
    void EnableFrames() override;
    QComboBox *barKindBox(int bar) override;

    // Shows the open skin's bars as the document holds them: writes both
    // panels (their handlers run).
    void showDocument() override;

    // The panel of bar i: 0 the track bar, 1 the volume bar.
    BarPanel *bar(int i) const { return m_bars.at(i); }

    // The line between the two halves.
    QFrame *fmSeparator = nullptr;

private:
    void createControls();
    void placeWindow();

    std::array<BarPanel *, 2> m_bars {};
};
