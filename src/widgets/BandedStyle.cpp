#include "widgets/BandedStyle.h"

#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QStyleOption>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// The painter hands a run of spans to its pool from 96 spans on. A gradient
// fill makes a span per row, and so does a stretched picture. A line, which it
// lays one pixel at a time, makes a span per pixel, and a rectangle's outline
// may go out in one run. The pieces keep each run under that.
constexpr int MostSpans = 95;

// The device pixels per pixel of a painter that draws pieces as it draws the
// whole: it maps each pixel to a square of a whole number of device pixels,
// its origin on a device pixel, and blends as the style's own drawing does; 0
// for any other.
int piecewiseScale(const QPainter *painter)
{
    const QTransform toDevice = painter->deviceTransform();
    const QPointF origin = toDevice.map(QPointF());
    const qreal scale = toDevice.m11();
    if (toDevice.type() > QTransform::TxScale || toDevice.m22() != scale || scale < 1
        || scale != std::floor(scale) || origin != QPointF(origin.toPoint()) || painter->opacity() != 1.0
        || painter->compositionMode() != QPainter::CompositionMode_SourceOver)
        return 0;
    return int(scale);
}

// The part of a window that a painter paints: the painting is clipped to it.
struct Painted {
    QRegion shown; // in the device's pixels
    int scale = 1; // device pixels per pixel
    QPoint offset; // of the painter's origin on the device
    QRect bounds; // around shown, in the painter's coordinates

    // Where a rectangle of the painter's falls on the device.
    QRect onDevice(const QRect &rect) const
    {
        return QRect(rect.topLeft() * scale + offset, rect.size() * scale);
    }

    // Calls each with the pieces of bounds, pieceSize device pixels apart
    // (smaller at its right and bottom edges), that shown does not leave out
    // whole.
    template <typename Each> void forEachPiece(QSize pieceSize, Each each) const
    {
        const QSize step(std::max(1, pieceSize.width() / scale), std::max(1, pieceSize.height() / scale));
        for (int top = bounds.top(); top <= bounds.bottom(); top += step.height()) {
            for (int left = bounds.left(); left <= bounds.right(); left += step.width()) {
                const QRect piece = QRect(QPoint(left, top), step) & bounds;
                if (shown.intersects(onDevice(piece)))
                    each(piece);
            }
        }
    }
};

// What painter paints of a window; none when it paints no window or cannot
// draw in pieces.
std::optional<Painted> painted(QPainter *painter)
{
    QRegion shown = painter->paintEngine()->systemClip();
    const int scale = piecewiseScale(painter);
    if (shown.isEmpty() || scale == 0)
        return std::nullopt;
    const QPoint offset = painter->deviceTransform().map(QPoint());
    const QRectF device(shown.boundingRect().translated(-offset));
    const QRect bounds = QRectF(device.topLeft() / scale, device.size() / scale).toAlignedRect();
    return Painted { std::move(shown), scale, offset, bounds };
}

// Draws what draw paints in pieces, each onto a picture of the painted part,
// clipped to the piece, and lays the piece over painter; false, having drawn
// nothing, unless the painter paints a window. The picture starts out
// transparent: what is drawn must cover its place opaquely first.
template <typename Draw> bool drawOnPicture(QPainter *painter, QSize pieceSize, Draw draw)
{
    const std::optional<Painted> window = painted(painter);
    if (!window)
        return false;
    const QRect &bounds = window->bounds;
    const int scale = window->scale;
    // The picture is drawn on as the device is: it has the device's pixel
    // ratio, and a piece's painter maps to it as painter maps to the device,
    // moved by where the picture's corner lies on the device.
    const qreal ratio = painter->device()->devicePixelRatio();
    const QPoint corner = window->onDevice(bounds).topLeft();
    const QTransform toPicture = painter->deviceTransform()
        * QTransform::fromTranslate(-corner.x(), -corner.y()) * QTransform::fromScale(1 / ratio, 1 / ratio);
    QImage picture;
    window->forEachPiece(pieceSize, [&](const QRect &piece) {
        if (picture.isNull()) {
            picture = QImage(bounds.size() * scale, QImage::Format_ARGB32_Premultiplied);
            picture.setDevicePixelRatio(ratio);
            picture.fill(Qt::transparent);
        }
        const QRect onPicture = window->onDevice(piece).translated(-corner);
        // Under a device clip the painter still lays every line as it would
        // on the whole picture, and only leaves out what falls outside: a
        // smaller picture would cut the lines, and cut lines can come out
        // otherwise at their corners.
        picture.paintEngine()->setSystemClip(onPicture);
        {
            QPainter piecePainter(&picture);
            piecePainter.setRenderHints(painter->renderHints());
            piecePainter.setFont(painter->font());
            piecePainter.setPen(painter->pen());
            piecePainter.setBrush(painter->brush());
            piecePainter.setLayoutDirection(painter->layoutDirection());
            piecePainter.setWorldTransform(toPicture);
            piecePainter.setBrushOrigin(painter->brushOrigin());
            draw(&piecePainter);
        }
        painter->drawImage(QRectF(piece), picture, QRectF(onPicture));
    });
    return true;
}

// Draws what draw paints in pieces on painter itself, each clipped to its
// piece; false, having drawn nothing, unless the painter paints a window.
template <typename Draw> bool drawClipped(QPainter *painter, QSize pieceSize, Draw draw)
{
    const std::optional<Painted> window = painted(painter);
    if (!window)
        return false;
    window->forEachPiece(pieceSize, [&](const QRect &piece) {
        painter->save();
        painter->setClipRect(piece, Qt::IntersectClip);
        draw(painter);
        painter->restore();
    });
    return true;
}

bool isFusion(const QStyle *style)
{
    return style->inherits("QFusionStyle");
}

} // namespace

void BandedStyle::drawPrimitive(
    PrimitiveElement element, const QStyleOption *option, QPainter *painter, const QWidget *widget) const
{
    const auto draw = [&](QPainter *onto) { QProxyStyle::drawPrimitive(element, option, onto, widget); };
    // The frame is a picture whose sides are stretched down it: bands of rows.
    // A list in the frame leaves the rows beside it in two pieces under the
    // painter's clip, so a band is half the limit.
    if (element == PE_FrameGroupBox && isFusion(baseStyle())
        && drawClipped(painter, QSize(QWIDGETSIZE_MAX, MostSpans / 2), draw))
        return;
    draw(painter);
}

void BandedStyle::drawComplexControl(
    ComplexControl control, const QStyleOptionComplex *option, QPainter *painter, const QWidget *widget) const
{
    const auto draw = [&](QPainter *onto) { QProxyStyle::drawComplexControl(control, option, onto, widget); };
    // Pieces along the bar: a wide bar's outlines and its slider's lines go
    // out in one run, three lines along it; measured on bars of every length
    // and slider position, pieces of a third of the limit across a wide bar
    // and of 64 rows down a tall one keep every run under it. Scaled up, an
    // outline is filled as a shape, two spans a row: rows of half the limit.
    // Clipped, the slider's inner lines would come out otherwise; on the
    // picture they do not, and the groove covers the picture first.
    const QRect &bar = option->rect;
    const int rows = piecewiseScale(painter) > 1 ? MostSpans / 2 : 64;
    const QSize piece
        = bar.height() > bar.width() ? QSize(QWIDGETSIZE_MAX, rows) : QSize(MostSpans / 3, QWIDGETSIZE_MAX);
    if (control == CC_ScrollBar && isFusion(baseStyle()) && drawOnPicture(painter, piece, draw))
        return;
    draw(painter);
}

QIcon BandedStyle::standardIcon(StandardPixmap icon, const QStyleOption *option, const QWidget *widget) const
{
    // Without an option the icon depends only on the application's direction.
    if (option || icon > SP_TitleBarContextHelpButton)
        return QProxyStyle::standardIcon(icon, option, widget);
    const std::pair key { int(icon), QGuiApplication::isRightToLeft() };
    auto made = m_titleBarIcons.constFind(key);
    if (made == m_titleBarIcons.cend())
        made = m_titleBarIcons.insert(key, QProxyStyle::standardIcon(icon, option, widget));
    return *made;
}

void useBandedStyle()
{
    if (!dynamic_cast<BandedStyle *>(QApplication::style()))
        QApplication::setStyle(new BandedStyle);
}
