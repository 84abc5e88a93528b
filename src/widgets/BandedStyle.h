#pragma once

#include <QProxyStyle>

// The program's style: the desktop's own, except that tall scroll bars and
// group box frames are drawn a band of rows at a time.
//
// Qt's raster painter hands any run of a hundred spans or more that is not a
// plain colour (a gradient down a hundred rows, a half-transparent line a
// hundred pixels long, a frame picture stretched down a hundred rows) to its
// thread pool in pieces and waits for them. Each piece costs a thread's
// wake-up, far more than the drawing: a 700-pixel scroll bar made about sixty.
// Drawn in bands of fewer rows, the same runs stay on the painting thread.
//
// The bands come out pixel for pixel as the whole would: the style draws each
// itself. A tall scroll bar is drawn band by band onto pictures (Fusion's
// groove covers each one first), a group box frame band by band under a clip.
// A wide scroll bar is drawn whole: cut across, its long outlines would come
// out otherwise at their first corner. Only the Fusion style is drawn in bands,
// the one this holds for; any other style, a painter that scales or blends
// otherwise, and a short control are drawn as they are.
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
};

// Makes BandedStyle the application's style, once.
void useBandedStyle();
