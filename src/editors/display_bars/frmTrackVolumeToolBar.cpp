#include "editors/display_bars/frmTrackVolumeToolBar.h"

#include "core/frmMain.h"
#include "editors/buttons/frmImagesToolBar.h"
#include "editors/display_bars/BarPanel.h"
#include "editors/ToolWindowLayout.h"
#include "lang/Locale.h"
#include "resources/BuiltinTexts.h"

#include <QFrame>

namespace {
const QString Section = QStringLiteral("Bars");
constexpr int CaptionId = 7001;
constexpr int StyleKey = 2;
constexpr int FirstItemKey = 3;
constexpr int IdBase = 7000;
// The designed client area, in twips.
constexpr int ClientWidth = 9255;
constexpr int ClientHeight = 4215;
} // namespace

frmTrackVolumeToolBar::frmTrackVolumeToolBar()
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

    // The window is created with the built-in texts in place.
    SetLangCaption(this, LoadResString(CaptionId));
    for (BarPanel *panel : m_bars)
        panel->applyBuiltinTexts(IdBase + StyleKey, IdBase + FirstItemKey);
}

void frmTrackVolumeToolBar::Form_Load()
{
    ApplyTexts(LangReader());
    placeWindow();
}

void frmTrackVolumeToolBar::ApplyTexts(const LangReader &lang)
{
    SetLangCaption(this, lang.text(Section, 1, CaptionId));
    for (BarPanel *panel : m_bars)
        panel->applyTexts(lang, Section, StyleKey, IdBase + StyleKey, FirstItemKey, IdBase + FirstItemKey);
}

void frmTrackVolumeToolBar::EnableFrames()
{
    for (BarPanel *panel : m_bars)
        panel->enableFrames();
}

void frmTrackVolumeToolBar::showDocument()
{
    EnableFrames();
    for (BarPanel *panel : m_bars)
        panel->showDocument();
}

// Below the Images tool window, spanning it and the Display tool window beside it.
void frmTrackVolumeToolBar::placeWindow()
{
    frmImagesToolBar *images = frmImagesToolBar::get();
    const int top = images->frameHeight();
    const int width = 2 * images->frameWidth();
    placeToolWindow(this, 0, top, width);
}

bool frmTrackVolumeToolBar::Form_QueryUnload(int unloadMode)
{
    return hideOnUserClose(this, unloadMode, &frmMain::mnuViewTrackVolumeTB_Click);
}
