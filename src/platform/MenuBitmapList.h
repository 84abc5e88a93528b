#pragma once

#include <QList>
#include <QPixmap>

// The pictures of the main window's menu items: loaded once at start-up and
// released at shut-down (the window side attaches them to the items).

// The loaded bitmaps; picture k (counted from 1) is built-in bitmap 100 + k and
// sits at list index k - 1.
extern QList<QPixmap> gMenuBitmaps;

// Appends one picture to gMenuBitmaps.
void AddMenuBitmap(const QPixmap &picture);

// Releases every picture of gMenuBitmaps, yielding to the event loop after each.
void FreeMenuBitmaps();
