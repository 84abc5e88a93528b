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

// Draws each piece into a picture of its own, laid over painter. The picture
// starts out transparent: what is drawn must cover its area opaquely first.
template <typename Draw> bool drawOnPictures(QPainter *painter, const QRect &area, QSize pieceSize, Draw draw)
{
    return forEachPiece(painter, area, pieceSize, [&](const QRect &piece) {
        QImage picture(piece.size(), QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::transparent);
        {
            QPainter onPicture(&picture);
            onPicture.setRenderHints(painter->renderHints());
            onPicture.setFont(painter->font());
            onPicture.setPen(painter->pen());
            onPicture.setBrush(painter->brush());
            onPicture.setLayoutDirection(painter->layoutDirection());
            onPicture.translate(-piece.topLeft());
            onPicture.setBrushOrigin(painter->brushOrigin());
            draw(&onPicture);
        }
        painter->drawImage(piece.topLeft(), picture);
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
    // The frame is a picture whose sides are stretched down it: bands of rows,
    // each with two sides' spans under the limit.
    if (element == PE_FrameGroupBox && isFusion(baseStyle())
        && drawClipped(painter, option->rect, QSize(option->rect.width(), MostSpans / 2), draw))
        return;
    draw(painter);
}

void BandedStyle::drawComplexControl(
    ComplexControl control, const QStyleOptionComplex *option, QPainter *painter, const QWidget *widget) const
{
    const auto draw = [&](QPainter *onto) { QProxyStyle::drawComplexControl(control, option, onto, widget); };
    // A tall bar in pieces of rows, each with an outline's four sides under
    // the limit. Clipped, the slider's inner lines would come out otherwise;
    // on pictures they do not, and the groove covers each picture first. (A
    // wide bar cut into columns would not: where its long outlines are cut,
    // their first corner comes out darker.)
    const QRect &bar = option->rect;
    if (control == CC_ScrollBar && isFusion(baseStyle()) && bar.height() > bar.width()
        && drawOnPictures(painter, bar, QSize(bar.width(), std::max(16, MostSpans / 2 - bar.width())), draw))
        return;
    draw(painter);
}

void useBandedStyle()
{
    if (!dynamic_cast<BandedStyle *>(QApplication::style()))
        QApplication::setStyle(new BandedStyle);
}
