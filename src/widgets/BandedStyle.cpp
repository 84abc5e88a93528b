#include "widgets/BandedStyle.h"

#include <QApplication>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QStyleOption>

#include <algorithm>

namespace {

// The painter hands a run of spans to its pool from 96 spans on. A gradient
// fill makes a span per row, and so does a stretched picture. A line, which it
// lays one pixel at a time, makes a span per pixel, and a rectangle's outline
// may go out in one run. The pieces keep each run under that.
constexpr int MostSpans = 95;

// Whether the painter draws pieces as it draws the whole: it maps whole pixels
// to whole pixels and blends as the style's own drawing does.
bool drawsPiecewise(const QPainter *painter)
{
    const QTransform toDevice = painter->deviceTransform();
    return toDevice.type() <= QTransform::TxTranslate && toDevice.dx() == qRound(toDevice.dx())
        && toDevice.dy() == qRound(toDevice.dy()) && painter->opacity() == 1.0
        && painter->compositionMode() == QPainter::CompositionMode_SourceOver;
}

// Calls each with the pieces of area, pieceSize apart (smaller at its right and
// bottom edges), that the painter does not clip away whole; false, having
// called nothing, when area is a piece or less or the painter cannot draw it
// piecewise.
template <typename Each> bool forEachPiece(QPainter *painter, const QRect &area, QSize pieceSize, Each each)
{
    if (area.isEmpty() || (area.width() <= pieceSize.width() && area.height() <= pieceSize.height())
        || !drawsPiecewise(painter))
        return false;
    const QTransform toDevice = painter->deviceTransform();
    const QPoint offset(qRound(toDevice.dx()), qRound(toDevice.dy()));
    const QRegion shown = painter->paintEngine()->systemClip();
    for (int top = area.top(); top <= area.bottom(); top += pieceSize.height()) {
        for (int left = area.left(); left <= area.right(); left += pieceSize.width()) {
            const QRect piece = QRect(QPoint(left, top), pieceSize) & area;
            if (shown.isEmpty() || shown.intersects(piece.translated(offset)))
                each(piece);
        }
    }
    return true;
}

// Draws each piece onto a picture of the whole area, clipped to the piece, and
// lays the piece over painter. The picture starts out transparent: what is
// drawn must cover the area opaquely first.
template <typename Draw> bool drawOnPicture(QPainter *painter, const QRect &area, QSize pieceSize, Draw draw)
{
    QImage picture;
    return forEachPiece(painter, area, pieceSize, [&](const QRect &piece) {
        if (picture.isNull()) {
            picture = QImage(area.size(), QImage::Format_ARGB32_Premultiplied);
            picture.fill(Qt::transparent);
        }
        const QRect onPicture = piece.translated(-area.topLeft());
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
            piecePainter.translate(-area.topLeft());
            piecePainter.setBrushOrigin(painter->brushOrigin());
            draw(&piecePainter);
        }
        painter->drawImage(piece.topLeft(), picture, onPicture);
    });
}

// Draws each piece on painter itself, clipped to it.
template <typename Draw> bool drawClipped(QPainter *painter, const QRect &area, QSize pieceSize, Draw draw)
{
    return forEachPiece(painter, area, pieceSize, [&](const QRect &piece) {
        painter->save();
        painter->setClipRect(piece, Qt::IntersectClip);
        draw(painter);
        painter->restore();
    });
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
        && drawClipped(painter, option->rect, QSize(option->rect.width(), MostSpans / 2), draw))
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
    // and of 64 rows down a tall one keep every run under it. Clipped, the
    // slider's inner lines would come out otherwise; on the picture they do
    // not, and the groove covers the picture first.
    const QRect &bar = option->rect;
    const QSize piece = bar.height() > bar.width() ? QSize(bar.width(), 64) : QSize(MostSpans / 3, bar.height());
    if (control == CC_ScrollBar && isFusion(baseStyle()) && drawOnPicture(painter, bar, piece, draw))
        return;
    draw(painter);
}

void useBandedStyle()
{
    if (!dynamic_cast<BandedStyle *>(QApplication::style()))
        QApplication::setStyle(new BandedStyle);
}
