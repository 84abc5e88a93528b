#include "editors/ToolWindows.h"

#include <QMetaMethod>

ToolWindow::ToolWindow(ToolWindowId id)
    : m_id(id)
{
}

ToolWindow::~ToolWindow() = default;

QComboBox *ToolWindow::barKindBox(int)
{
    return nullptr;
}

bool ToolWindow::Form_QueryUnload(int unloadMode)
{
    if (unloadMode != vbFormControlMenu)
        return false;
    ToolWindowEvents &events = ToolWindowEvents::instance();
    if (events.closeIsHandled())
        emit events.closedByUser(m_id);
    else
        Hide();
    return true;
}

ToolWindowEvents &ToolWindowEvents::instance()
{
    static ToolWindowEvents events;
    return events;
}

bool ToolWindowEvents::closeIsHandled() const
{
    return isSignalConnected(QMetaMethod::fromSignal(&ToolWindowEvents::closedByUser));
}
