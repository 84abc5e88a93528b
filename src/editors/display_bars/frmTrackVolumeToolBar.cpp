#include "editors/display_bars/frmTrackVolumeToolBar.h"

#include "editors/display_bars/BarPanel.h"
#include "editors/ToolWindowLayout.h"
#include "widgets/WindowTexts.h"

#include <QComboBox>

#include <QFrame>

namespace {
const QString Section = QStringLiteral("Bars");
// The designed client area, in twips.
constexpr int ClientWidth = 9255;
constexpr int ClientHeight = 4215;
} // namespace

frmTrackVolumeToolBar::frmTrackVolumeToolBar()
    : ToolWindow(ToolWindowId::TrackVolume)
{
    setObjectName(QStringLiteral("frmTrackVolumeToolBar"));
    createControls();
}

frmTrackVolumeToolBar::~frmTrackVolumeToolBar() = default;

void frmTrackVolumeToolBar::createControls()
{
    setClientSize(this, ClientWidth, ClientHeight);
    m_bars[0] = new BarPanel(this, 0, 120, 120);
    m_bars[1] = new BarPanel(this, 1, 4680, 120);

    fmSeparator = new QFrame(this);
    fmSeparator->setObjectName(QStringLiteral("fmSeparator"));
    fmSeparator->setFrameShape(QFrame::VLine);
    fmSeparator->setFrameShadow(QFrame::Sunken);
    fmSeparator->setGeometry(twipsRect(4545, 60, 60, ClientHeight - 120));
}

void frmTrackVolumeToolBar::Form_Load()
{
    // Placed before its caption is set: the frame measures its title again at
    // each step of being made and placed.
    placeWindow();
    ApplyTexts(LangReader());
}

void frmTrackVolumeToolBar::ApplyTexts(const LangReader &lang)
{
    const WindowTexts texts(lang, Section);
    texts.caption(this, 1, 7001);
    for (BarPanel *panel : m_bars)
        panel->applyTexts(texts, 2, 7002, 3, 7003);
    showWholeTexts(this);
}

QComboBox *frmTrackVolumeToolBar::barKindBox(int bar)
{
    return m_bars.at(bar)->cbxBarType;
}

void frmTrackVolumeToolBar::EnableFrames()
{
    for (BarPanel *panel : m_bars)
        panel->enableFrames();
}

void frmTrackVolumeToolBar::showDocument()
{
    for (BarPanel *panel : m_bars)
        panel->showDocument();
}

// Below the Images tool window, spanning it and the Display tool window beside it.
void frmTrackVolumeToolBar::placeWindow()
{
    ToolWindow *images = toolwindows::get(ToolWindowId::Images);
    const int top = images->frameHeight();
    const int width = 2 * images->frameWidth();
    placeToolWindow(this, 0, top, width);
}
