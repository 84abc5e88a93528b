#pragma once

#include <QHash>
#include <QIcon>
#include <QProxyStyle>

#include <utility>

// The program's style: the desktop's own, except that a window's scroll bars
// and group box frames are drawn a piece at a time, and that the title bar
// icons are made once.
//
// Qt's raster painter hands any run of a hundred spans or more that is not a
// plain colour (a gradient down a hundred rows, a half-transparent line a
// hundred pixels long, a frame picture stretched down a hundred rows) to its
// thread pool in parts and waits for them. Each part costs a thread's wake-up,
// far more than the drawing: a 700-pixel scroll bar made about sixty. Drawn in
// shorter pieces, the same runs stay on the painting thread.
//
// The pieces come out pixel for pixel as the whole would: the style draws each
// itself, clipped to it. A scroll bar is drawn onto a picture of the part of
// the window being painted, which Fusion's groove covers first, and each piece
// of it draws only the parts of the bar that it meets (a piece within the
// groove or the slider, away from their ends, is a copy of the first piece
// drawn there: they are the same all along); a group box frame is drawn
// straight onto the painter, each piece in the device's own pixels. That holds
// at display scales of 100, 150 and 200%; at 125 and 175% a row of a scroll
// bar's shading may come out a shade apart, and at 300% a column of its
// outline. On the device's own pixels, the middle of a group box frame, which
// Fusion stretches from a picture of one colour, is filled with that colour.
// Only a window's own painting is drawn in pieces, and only with the Fusion
// style, the one this holds for; any other style, a painter that turns,
// slants or mirrors what it draws or blends otherwise, and drawing outside a
// window's painting are drawn whole.
//
// Each window frame asks for the title bar icons for its window menu as it is
// made (a skin's open makes four frames), and the style makes them afresh from
// its picture files each time. They are kept from the first time instead.
class BandedStyle : public QProxyStyle
{
public:
    // Over the style the application would have had: the desktop's, or the
    // one named by "-style".
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
        const QWidget *widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
        const QWidget *widget = nullptr) const override;
    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option = nullptr,
        const QWidget *widget = nullptr) const override;

private:
    // The title bar icons made so far, by icon and direction (right to left).
    mutable QHash<std::pair<int, bool>, QIcon> m_titleBarIcons;
};

// Makes BandedStyle the application's style, once.
void useBandedStyle();
