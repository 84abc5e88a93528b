#pragma once

#include "platform/MenuBitmapList.h"

class QAction;
class QMenuBar;

// The icons of the main window's menu items: the pictures of gMenuBitmaps
// attached to items, directly or by their visible positions.

// The main window's menu bar.
extern QMenuBar *gMenuHandle;

// Gives picture bitmapIndex of gMenuBitmaps (counted from 1: 1 is bitmap 101,
// 18 is bitmap 118) to one item of the menu bar. menuPosition counts the menus of
// the bar, itemPosition the items of that menu, both from 0 and counting only the
// items visible at that moment (separators count). Nothing happens when the bar
// has no menu at menuPosition, when the item there is a separator or a nested
// menu, when there is no item there, or when the picture does not exist.
// gApiResult is 1 when an icon was set.
void SetMenuIcon(QMenuBar *bar, int menuPosition, int itemPosition, int bitmapIndex);

// Gives picture bitmapIndex of gMenuBitmaps (counted from 1) to one menu item.
// Nothing happens for no item, a separator, a nested menu, or a picture that
// does not exist. gApiResult is 1 when an icon was set.
void SetMenuItemIcon(QAction *item, int bitmapIndex);
