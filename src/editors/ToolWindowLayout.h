#pragma once

#include "platform/Screen.h"

#include <QRect>
#include <QString>

class MdiForm;
class QComboBox;
class QWidget;

// The tool windows are laid out in twips, as designed; widgets take pixels.
inline QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(screen::twipsToPixelsX(left), screen::twipsToPixelsY(top), screen::twipsToPixelsX(width),
        screen::twipsToPixelsY(height));
}

// Creates a control of a tool window with its design name at geometry (pixels).
template <typename T> T *makeControl(QWidget *parent, const QString &name, const QRect &geometry)
{
    T *control = new T(parent);
    control->setObjectName(name);
    control->setGeometry(geometry);
    return control;
}

template <typename T> T *makeControl(QWidget *parent, const char *name, const QRect &geometry)
{
    return makeControl<T>(parent, QLatin1String(name), geometry);
}

// A drop-down list of a tool window: its open list is at least as wide as its
// longest entry.
QComboBox *makeList(QWidget *parent, const QString &name, const QRect &geometry);

// A drop-down list of fixed entries, none selected. Its entries stand for values
// by their position and only get texts later. (Filling an empty list selects
// its first entry, so it is filled quietly and then left without a selection.)
QComboBox *makeFixedList(QWidget *parent, const QString &name, const QRect &geometry, int entries);

// After a window's texts change, keeping every control's place and size: each
// caption of a label, check box, option or command button that its control cuts
// off gets a tooltip with its whole text (before the control's own tooltip, if
// it has one). A caption that fits again loses that tooltip.
void showWholeTexts(QWidget *window);

// Gives a tool window the client area the design gives it, in twips.
void setClientSize(QWidget *window, int widthTwips, int heightTwips);

// Places a tool window in the main window's client area: its frame's top-left
// corner at (left, top), the frame width outer pixels wide and as high as the
// window's designed client area (its current height) plus the frame's borders.
// The frame is a fixed tool-window frame: it has a close box but no minimise or
// maximise button, and the user cannot resize it.
void placeToolWindow(MdiForm *form, int left, int top, int width);
