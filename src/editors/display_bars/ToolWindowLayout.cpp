#include "editors/display_bars/ToolWindowLayout.h"

#include "core/MdiForm.h"

void placeToolWindow(MdiForm *form, int left, int top, int width)
{
    const int clientHeight = form->height();
    QWidget *frame = form->frame();
    const QMargins borders = frame == form ? QMargins() : frame->contentsMargins();
    form->moveFrame(left, top);
    form->resizeFrame(width, clientHeight + borders.top() + borders.bottom());
}
