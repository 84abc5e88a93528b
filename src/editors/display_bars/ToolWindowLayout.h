#pragma once

#include "platform/Screen.h"

#include <QRect>

class MdiForm;

// The tool windows are laid out in twips, as designed; widgets take pixels.
inline QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(screen::twipsToPixelsX(left), screen::twipsToPixelsY(top), screen::twipsToPixelsX(width),
                 screen::twipsToPixelsY(height));
}

// Places a tool window in the main window's client area: its frame's top-left
// corner at (left, top), the frame width outer pixels wide and as high as the
// window's designed client area (its current height) plus the frame's borders.
void placeToolWindow(MdiForm *form, int left, int top, int width);
