#pragma once

#include <QImage>
#include <QPixmap>

// The program's built-in menu bitmaps, numbered 101 to 118 like the other
// built-in resources: new skin, new full-screen skin, open, close, save, create
// archive, test skin, view skin file, stacking order, language, guide, licence,
// about, move up, move down, move to the bottom, remove, clear list.

constexpr int FirstMenuBitmapId = 101;
constexpr int LastMenuBitmapId = 118;

// The 16 x 16 picture of bitmap id, drawn on a transparent ground; a null image
// for an id outside 101 to 118.
QImage MenuBitmapImage(int id);

// The same picture as a pixmap, ready for a menu item (needs the GUI application).
QPixmap LoadResBitmap(int id);

// Loads bitmaps 101 to 118 into the menu icons' pictures, in that order.
void LoadMenuBitmaps();
