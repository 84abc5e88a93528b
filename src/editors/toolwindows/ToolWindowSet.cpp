// The set of tool windows: the one place that knows all four.
#include "editors/ToolWindows.h"

#include "editors/buttons/frmImagesToolBar.h"
#include "editors/display_bars/frmDisplayToolBar.h"
#include "editors/display_bars/frmTrackVolumeToolBar.h"
#include "editors/fullscreen/frmFullScreenToolBar.h"
#include "skin/Module.h"

namespace toolwindows {

QList<ToolWindowId> ofKind(bool fullScreen)
{
    if (fullScreen)
        return { ToolWindowId::FullScreen };
    return { ToolWindowId::Images, ToolWindowId::Display, ToolWindowId::TrackVolume };
}

QList<ToolWindowId> all()
{
    return { ToolWindowId::Images, ToolWindowId::Display, ToolWindowId::TrackVolume,
        ToolWindowId::FullScreen };
}

ToolWindow *get(ToolWindowId id)
{
    switch (id) {
    case ToolWindowId::Images:
        return frmImagesToolBar::get();
    case ToolWindowId::Display:
        return frmDisplayToolBar::get();
    case ToolWindowId::TrackVolume:
        return frmTrackVolumeToolBar::get();
    case ToolWindowId::FullScreen:
        return frmFullScreenToolBar::get();
    }
    return nullptr;
}

ToolWindow *loaded(ToolWindowId id)
{
    switch (id) {
    case ToolWindowId::Images:
        return frmImagesToolBar::loaded();
    case ToolWindowId::Display:
        return frmDisplayToolBar::loaded();
    case ToolWindowId::TrackVolume:
        return frmTrackVolumeToolBar::loaded();
    case ToolWindowId::FullScreen:
        return frmFullScreenToolBar::loaded();
    }
    return nullptr;
}

void showAll()
{
    for (ToolWindowId id : ofKind(gFullScreenSkin))
        get(id)->Show();
}

void setShown(ToolWindowId id, bool shown)
{
    if (ToolWindow *window = loaded(id)) {
        if (shown)
            window->Show();
        else
            window->Hide();
    }
}

void unloadAll(int mode)
{
    for (ToolWindowId id : all()) {
        if (ToolWindow *window = loaded(id))
            window->Unload(mode);
    }
}

ButtonToolWindow *activeButtonWindow()
{
    if (gFullScreenSkin)
        return frmFullScreenToolBar::get();
    return frmImagesToolBar::get();
}

void applyTexts(const LangReader &lang)
{
    const QList<ToolWindowId> windows = ofKind(gFullScreenSkin);
    if (auto *buttons = static_cast<ButtonToolWindow *>(loaded(windows.first())))
        buttons->ApplyActionNames(lang);
    for (ToolWindowId id : windows) {
        if (ToolWindow *window = loaded(id))
            window->ApplyTexts(lang);
    }
}

void showDocument()
{
    for (ToolWindowId id : ofKind(gFullScreenSkin))
        get(id)->showDocument();
}

} // namespace toolwindows
