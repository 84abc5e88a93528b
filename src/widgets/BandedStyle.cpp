#include "widgets/BandedStyle.h"

#include <QApplication>
#include <QGroupBox>
#include <qdrawutil.h>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QStyleOption>
#include <QWidget>

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <tuple>
#include <utility>

namespace {

// The painter hands a run of spans to its pool from 96 spans on. A gradient
// fill makes a span per row, and so does a stretched picture. A line, which it
// lays one pixel at a time, makes a span per pixel, and a rectangle's outline
// may go out in one run. The pieces keep each run under that.
constexpr int MostSpans = 95;

// Whether pieces a painter draws come out as the whole would: it neither
// turns, slants nor mirrors what it draws, and it blends as the style's own
// drawing does.
bool drawsPiecewise(const QPainter *painter)
{
    const QTransform toDevice = painter->deviceTransform();
    return toDevice.type() <= QTransform::TxScale && toDevice.m11() > 0 && toDevice.m22() > 0
        && painter->opacity() == 1.0 && painter->compositionMode() == QPainter::CompositionMode_SourceOver;
}

// Whether a painter keeps to the device's whole pixels: it maps its pixels one
// to one onto the device's, at whole device pixels.
bool keepsToPixels(const QPainter *painter)
{
    const QTransform toDevice = painter->deviceTransform();
    const QPointF origin = toDevice.map(QPointF());
    return toDevice.type() <= QTransform::TxTranslate && origin == QPointF(origin.toPoint());
}

// The part of a window that a painter paints, in the device's pixels: the
// painting is clipped to it.
struct Painted {
    QRegion shown;
    QRect bounds; // around shown
    // Undoes what the painter's device adds to its transforms (its pixel
    // ratio, the window's place on it).
    QTransform undoDevice;
    // From the device's pixels to the painter's own coordinates.
    QTransform fromDevice;

    // Sets painter, saved before, to draw in the device's pixels.
    void inDevicePixels(QPainter *painter) const
    {
        painter->resetTransform();
        painter->setWorldTransform(undoDevice);
    }

    // Clips painter to rect, in the device's pixels; it goes on mapping to
    // the device as before.
    void clipToDevicePixels(QPainter *painter, const QRect &rect) const
    {
        const QTransform mapping = painter->deviceTransform() * undoDevice;
        inDevicePixels(painter);
        painter->setClipRect(rect, Qt::IntersectClip);
        painter->setWorldTransform(mapping);
    }

    // Calls each with the pieces of bounds, pieceSize apart (smaller at its
    // right and bottom edges), that shown does not leave out whole.
    template <typename Each> void forEachPiece(QSize pieceSize, Each each) const
    {
        for (int top = bounds.top(); top <= bounds.bottom(); top += pieceSize.height()) {
            for (int left = bounds.left(); left <= bounds.right(); left += pieceSize.width()) {
                const QRect piece = QRect(QPoint(left, top), pieceSize) & bounds;
                if (shown.intersects(piece))
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
    if (shown.isEmpty() || !drawsPiecewise(painter))
        return std::nullopt;
    painter->save();
    painter->resetTransform();
    const QTransform device = painter->deviceTransform();
    painter->restore();
    const QRect bounds = shown.boundingRect();
    return Painted { std::move(shown), bounds, device.inverted(), painter->deviceTransform().inverted() };
}

// Copies the pixels of from, in picture, to the place at to.
void copyWithin(QImage &picture, const QRect &from, QPoint to)
{
    const qsizetype bytes = qsizetype(from.width()) * 4;
    for (int row = 0; row < from.height(); ++row) {
        std::memcpy(picture.scanLine(to.y() + row) + qsizetype(to.x()) * 4,
            picture.constScanLine(from.top() + row) + qsizetype(from.left()) * 4, size_t(bytes));
    }
}

// Draws what draw paints in pieces, each onto a picture of the painted part,
// clipped to the piece, and lays the piece over painter; false, having drawn
// nothing, unless the painter paints a window. The picture starts out
// transparent: what is drawn must cover its place opaquely first. Draw is
// given the painter and the piece in painter's own coordinates. A piece that
// repeats gives (given the piece as draw is) a kind other than 0 is a copy of
// the first piece of its kind and size, moved: draw paints the same in each.
template <typename Draw, typename Repeats>
bool drawOnPicture(QPainter *painter, QSize pieceSize, Draw draw, Repeats repeats)
{
    const std::optional<Painted> window = painted(painter);
    if (!window)
        return false;
    const QRect &bounds = window->bounds;
    // The picture is drawn on as the device is: it has the device's pixel
    // ratio, and a piece's painter maps to it as painter maps to the device,
    // moved by where the picture's corner lies on the device.
    const qreal ratio = painter->device()->devicePixelRatio();
    const QTransform toPicture = painter->deviceTransform()
        * QTransform::fromTranslate(-bounds.left(), -bounds.top())
        * QTransform::fromScale(1 / ratio, 1 / ratio);
    QImage picture;
    QHash<int, QRect> repeated; // on the picture, by kind
    window->forEachPiece(pieceSize, [&](const QRect &piece) {
        if (picture.isNull()) {
            picture = QImage(bounds.size(), QImage::Format_ARGB32_Premultiplied);
            picture.setDevicePixelRatio(ratio);
            picture.fill(Qt::transparent);
        }
        const QRect onPicture = piece.translated(-bounds.topLeft());
        const QRectF drawn = window->fromDevice.mapRect(QRectF(piece));
        const int kind = repeats(drawn);
        const QRect from = kind ? repeated.value(kind) : QRect();
        if (from.size() == onPicture.size()) {
            copyWithin(picture, from, onPicture.topLeft());
        } else {
            // Under a device clip the painter still lays every line as it
            // would on the whole picture, and only leaves out what falls
            // outside: a smaller picture would cut the lines, and cut lines can
            // come out otherwise at their corners. Clipped to the piece as
            // well, at the device's own pixel size, it lays only the part of a
            // line within it, where it would have laid it.
            picture.paintEngine()->setSystemClip(onPicture);
            {
                QPainter piecePainter(&picture);
                if (ratio == 1)
                    piecePainter.setClipRect(onPicture);
                piecePainter.setRenderHints(painter->renderHints());
                piecePainter.setFont(painter->font());
                piecePainter.setPen(painter->pen());
                piecePainter.setBrush(painter->brush());
                piecePainter.setLayoutDirection(painter->layoutDirection());
                piecePainter.setWorldTransform(toPicture);
                piecePainter.setBrushOrigin(painter->brushOrigin());
                draw(&piecePainter, drawn);
            }
            if (kind && !repeated.contains(kind))
                repeated.insert(kind, onPicture);
        }
        painter->save();
        window->inDevicePixels(painter);
        painter->drawImage(QRectF(piece), picture, QRectF(onPicture));
        painter->restore();
    });
    return true;
}

// Draws what draw paints in pieces on painter itself, each clipped to its
// piece; false, having drawn nothing, unless the painter paints a window.
// Draw is given the painter and the piece in painter's own coordinates.
template <typename Draw> bool drawClipped(QPainter *painter, QSize pieceSize, Draw draw)
{
    const std::optional<Painted> window = painted(painter);
    if (!window)
        return false;
    window->forEachPiece(pieceSize, [&](const QRect &piece) {
        painter->save();
        window->clipToDevicePixels(painter, piece);
        draw(painter, window->fromDevice.mapRect(QRectF(piece)));
        painter->restore();
    });
    return true;
}

bool isFusion(const QStyle *style)
{
    return style->inherits("QFusionStyle");
}

// Fusion draws a group box frame from a picture: its corners as they are, its
// sides and its middle stretched along the frame. The middle, all of the box
// but a rim, is of one colour: filled with that colour it comes out as
// stretched, for a fraction of the work, and the rim is drawn as Fusion draws
// it.
class FramePicture
{
public:
    // The picture Fusion draws; none, and the frame is left to Fusion, when
    // it is not there or its middle is not of one colour.
    static const FramePicture *fusions()
    {
        static const std::optional<FramePicture> picture
            = made(QPixmap(QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png")));
        return picture ? &*picture : nullptr;
    }

    // The frame Fusion draws for option: below room for the title, or a
    // little room when there is no title and no check box.
    static QRect frameOf(const QStyle *fusion, const QStyleOption *option, const QWidget *widget)
    {
        int top = 3;
        const auto *box = qobject_cast<const QGroupBox *>(widget);
        if (!box || box->isCheckable() || !box->title().isEmpty())
            top += std::max(
                fusion->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight), option->fontMetrics.height());
        return option->rect.adjusted(0, top, 0, 0);
    }

    // Draws the parts of frame that piece meets, as Fusion draws the picture
    // over it; false, having drawn nothing, when frame is too small for the
    // rim.
    bool draw(QPainter *painter, const QRect &frame, const QRectF &piece) const
    {
        const QRect middle = frame.adjusted(Rim, Rim, -Rim, -Rim);
        if (middle.isEmpty())
            return false;
        const QRect picture = m_picture.rect();
        const QMargins across(Rim, 0, Rim, 0);
        // The top and the bottom of the rim with their corners, its left and
        // its right side, each from its part of the picture.
        const std::array<std::tuple<QRect, QRect, QMargins>, 4> rim { {
            { QRect(frame.left(), frame.top(), frame.width(), Rim), QRect(0, 0, picture.width(), Rim),
                across },
            { QRect(frame.left(), middle.bottom() + 1, frame.width(), Rim),
                QRect(0, picture.height() - Rim, picture.width(), Rim), across },
            { QRect(frame.left(), middle.top(), Rim, middle.height()),
                QRect(0, Rim, Rim, picture.height() - 2 * Rim), QMargins() },
            { QRect(middle.right() + 1, middle.top(), Rim, middle.height()),
                QRect(picture.width() - Rim, Rim, Rim, picture.height() - 2 * Rim), QMargins() },
        } };
        for (const auto &[onFrame, inPicture, margins] : rim) {
            if (piece.intersects(onFrame))
                qDrawBorderPixmap(painter, onFrame, margins, m_picture, inPicture, margins);
        }
        if (piece.intersects(middle))
            painter->fillRect(middle, m_middle);
        return true;
    }

private:
    static constexpr int Rim = 6; // the corners' size, in the picture and on the frame

    static std::optional<FramePicture> made(const QPixmap &picture)
    {
        const QImage pixels = picture.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const QRect middle = pixels.rect().adjusted(Rim, Rim, -Rim, -Rim);
        if (middle.isEmpty())
            return std::nullopt;
        const QRgb colour = pixels.pixel(middle.topLeft());
        for (int y = middle.top(); y <= middle.bottom(); ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(pixels.constScanLine(y));
            if (std::any_of(line + middle.left(), line + middle.right() + 1,
                    [&](QRgb pixel) { return pixel != colour; }))
                return std::nullopt;
        }
        // Filled, the colour is premultiplied again: it must come back as it is.
        if (qPremultiply(qUnpremultiply(colour)) != colour)
            return std::nullopt;
        FramePicture made;
        made.m_picture = picture;
        made.m_middle = QColor::fromRgba(qUnpremultiply(colour));
        return made;
    }

    QPixmap m_picture;
    QColor m_middle;
};

} // namespace

void BandedStyle::drawPrimitive(
    PrimitiveElement element, const QStyleOption *option, QPainter *painter, const QWidget *widget) const
{
    const auto draw = [&](QPainter *onto) { QProxyStyle::drawPrimitive(element, option, onto, widget); };
    // The frame is a picture whose sides are stretched down it: bands of rows.
    // A list in the frame leaves the rows beside it in two pieces under the
    // painter's clip, so a band is half the limit. On the device's own
    // pixels the middle is laid rather than stretched.
    if (element == PE_FrameGroupBox && isFusion(baseStyle())) {
        const FramePicture *picture = keepsToPixels(painter) ? FramePicture::fusions() : nullptr;
        const QRect frame = picture ? FramePicture::frameOf(baseStyle(), option, widget) : QRect();
        const auto drawFrame = [&](QPainter *onto, const QRectF &piece) {
            if (!picture || !picture->draw(onto, frame, piece))
                draw(onto);
        };
        if (drawClipped(painter, QSize(QWIDGETSIZE_MAX, MostSpans / 2), drawFrame))
            return;
    }
    draw(painter);
}

void BandedStyle::drawComplexControl(
    ComplexControl control, const QStyleOptionComplex *option, QPainter *painter, const QWidget *widget) const
{
    const auto draw = [&](QPainter *onto) { QProxyStyle::drawComplexControl(control, option, onto, widget); };
    // Pieces along the bar: a wide bar's outlines and its slider's lines go
    // out in one run, three lines along it; measured on bars of every length
    // and slider position, pieces of a third of the limit across a wide bar
    // and of 64 rows down a tall one keep every run under it. At the device's
    // own pixel size a piece's painter is clipped to it as well, and lays no
    // more than two lines' part within it in one run: there, pieces of half
    // the limit. Scaled, or off whole pixels, an outline is filled as a
    // shape, two spans a row: there, rows of half the limit. Clipped, the
    // slider's inner lines would come out otherwise; on the picture they do
    // not, and the groove covers the picture first.
    const auto *slider = qstyleoption_cast<const QStyleOptionSlider *>(option);
    if (control == CC_ScrollBar && slider && isFusion(baseStyle())) {
        const QRect &bar = option->rect;
        const bool wholePixels = keepsToPixels(painter);
        const int rows = wholePixels ? 64 : MostSpans / 2;
        const int columns
            = wholePixels && painter->device()->devicePixelRatio() == 1 ? MostSpans / 2 : MostSpans / 3;
        const QSize piece
            = bar.height() > bar.width() ? QSize(QWIDGETSIZE_MAX, rows) : QSize(columns, QWIDGETSIZE_MAX);
        // A piece draws the groove, which runs the bar's length, and of the
        // slider and the arrow buttons only those it meets: most pieces of a
        // long bar meet no button. The slider's outline stands a pixel outside
        // its place, and a scaled outline half a pixel more.
        std::array<std::pair<SubControl, QRectF>, 3> parts { {
            { SC_ScrollBarSlider, {} },
            { SC_ScrollBarSubLine, {} },
            { SC_ScrollBarAddLine, {} },
        } };
        for (auto &[part, rect] : parts) {
            if (slider->subControls & part)
                rect = QRectF(subControlRect(control, slider, part, widget).adjusted(-2, -2, 2, 2));
        }
        const auto drawPiece = [&](QPainter *onto, const QRectF &piece) {
            QStyleOptionSlider met = *slider;
            for (const auto &[part, rect] : parts) {
                if (!rect.intersects(piece))
                    met.subControls &= ~part;
            }
            QProxyStyle::drawComplexControl(control, &met, onto, widget);
        };
        // Along the bar, the groove away from its ends is the same all along,
        // and so is the slider away from its ends: a piece that lies within
        // either and meets nothing else is a copy of the first such piece.
        const bool horizontal = slider->orientation == Qt::Horizontal;
        const auto inner = [&](const QRectF &rect) {
            return horizontal ? rect.adjusted(4, 0, -4, 0) : rect.adjusted(0, 4, 0, -4);
        };
        const auto liesWithin = [&](const QRectF &piece, const QRectF &rect) {
            return horizontal ? piece.left() >= rect.left() && piece.right() <= rect.right()
                              : piece.top() >= rect.top() && piece.bottom() <= rect.bottom();
        };
        const QRectF groove = inner(QRectF(subControlRect(control, slider, SC_ScrollBarGroove, widget)));
        const QRectF handle = slider->subControls & SC_ScrollBarSlider
            ? inner(QRectF(subControlRect(control, slider, SC_ScrollBarSlider, widget)))
            : QRectF();
        // 0: drawn; 1: the groove alone; 2: the slider over the groove.
        const auto kindOf = [&](const QRectF &piece) {
            if (!liesWithin(piece, groove))
                return 0;
            if (handle.isValid() && liesWithin(piece, handle))
                return parts[1].second.intersects(piece) || parts[2].second.intersects(piece) ? 0 : 2;
            for (const auto &[part, rect] : parts) {
                if (rect.intersects(piece))
                    return 0;
            }
            return 1;
        };
        if (drawOnPicture(painter, piece, drawPiece, kindOf))
            return;
    }
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
