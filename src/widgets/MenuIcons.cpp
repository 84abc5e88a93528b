#include "widgets/MenuIcons.h"

#include "platform/WinApi.h"

#include <QIcon>
#include <QMenu>
#include <QMenuBar>

QMenuBar *gMenuHandle = nullptr;

namespace {

// The action at a position among the visible ones: hidden items take no place,
// exactly as the positions of the menu that the user sees.
QAction *visibleActionAt(const QList<QAction *> &actions, int position)
{
    if (position < 0)
        return nullptr;
    int visible = 0;
    for (QAction *action : actions) {
        if (!action->isVisible())
            continue;
        if (visible == position)
            return action;
        ++visible;
    }
    return nullptr;
}

} // namespace

void SetMenuIcon(QMenuBar *bar, int menuPosition, int itemPosition, int bitmapIndex)
{
    if (!bar)
        return;
    QAction *menuAction = visibleActionAt(bar->actions(), menuPosition);
    QMenu *menu = menuAction ? menuAction->menu() : nullptr;
    if (!menu)
        return;
    SetMenuItemIcon(visibleActionAt(menu->actions(), itemPosition), bitmapIndex);
}

void SetMenuItemIcon(QAction *item, int bitmapIndex)
{
    // Only a command can carry an icon: a separator or a nested menu has none.
    if (!item || item->isSeparator() || item->menu())
        return;
    // A picture that was never loaded (or already released) leaves the item as
    // it is instead of stopping the program.
    if (bitmapIndex < 1 || bitmapIndex > gMenuBitmaps.size())
        return;
    item->setIcon(QIcon(gMenuBitmaps.at(bitmapIndex - 1)));
    gApiResult = 1;
}
