#include "resources/MenuBitmaps.h"

#include "platform/MenuBitmapList.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <iterator>

// The pictures are drawn at run time rather than shipped as files: 16 x 16
// pixel art on a transparent ground, each from a few shapes. Coordinates are
// pixel edges; a 1-pixel outline sits on half-pixel centres so it stays crisp.

namespace {

const QColor kOutline(0x40, 0x40, 0x40);
const QColor kPaper(0xFF, 0xFF, 0xFF);
const QColor kText(0x80, 0x80, 0x80);
const QColor kFolder(0xF0, 0xC8, 0x40);
const QColor kFolderDark(0xC0, 0x90, 0x20);
const QColor kBlue(0x30, 0x60, 0xC0);
const QColor kLightBlue(0x90, 0xC0, 0xF0);
const QColor kGreen(0x20, 0xA0, 0x30);
const QColor kRed(0xD0, 0x20, 0x20);
const QColor kSpark(0xFF, 0xB0, 0x00);

void setOutline(QPainter &p, const QColor &color = kOutline, qreal width = 1.0)
{
    QPen pen(color, width);
    pen.setJoinStyle(Qt::MiterJoin);
    pen.setCapStyle(Qt::SquareCap);
    p.setPen(pen);
}

// A sheet of paper with a folded top-right corner.
void drawPage(QPainter &p, bool lines)
{
    setOutline(p);
    p.setBrush(kPaper);
    const QPolygonF sheet { QPointF(2.5, 0.5), QPointF(9.5, 0.5), QPointF(12.5, 3.5), QPointF(12.5, 15.5),
        QPointF(2.5, 15.5) };
    p.drawPolygon(sheet);
    p.setBrush(QColor(0xD8, 0xD8, 0xD8));
    p.drawPolygon(QPolygonF { QPointF(9.5, 0.5), QPointF(9.5, 3.5), QPointF(12.5, 3.5) });
    if (lines) {
        setOutline(p, kText);
        for (int y = 5; y <= 13; y += 2)
            p.drawLine(QPointF(4.5, y + 0.5), QPointF(10.5, y + 0.5));
    }
}

// A small four-pointed star: "new".
void drawSpark(QPainter &p, qreal cx, qreal cy)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kSpark);
    p.drawPolygon(QPolygonF { QPointF(cx, cy - 4.5), QPointF(cx + 1.5, cy - 1.5), QPointF(cx + 4.5, cy),
        QPointF(cx + 1.5, cy + 1.5), QPointF(cx, cy + 4.5), QPointF(cx - 1.5, cy + 1.5),
        QPointF(cx - 4.5, cy), QPointF(cx - 1.5, cy - 1.5) });
}

void drawCross(QPainter &p, const QRectF &box, qreal width)
{
    QPen pen(kRed, width);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    p.drawLine(box.topLeft(), box.bottomRight());
    p.drawLine(box.topRight(), box.bottomLeft());
}

void drawFolder(QPainter &p)
{
    setOutline(p, kFolderDark);
    p.setBrush(kFolderDark);
    p.drawPolygon(QPolygonF { QPointF(0.5, 2.5), QPointF(5.5, 2.5), QPointF(6.5, 3.5), QPointF(13.5, 3.5),
        QPointF(13.5, 13.5), QPointF(0.5, 13.5) });
    setOutline(p);
    p.setBrush(kFolder);
    p.drawPolygon(
        QPolygonF { QPointF(3.5, 6.5), QPointF(15.5, 6.5), QPointF(13.5, 13.5), QPointF(0.5, 13.5) });
}

// A thick arrow down the middle, pointing up or down, from top to bottom.
void drawVerticalArrow(QPainter &p, bool up, qreal top, qreal bottom)
{
    setOutline(p, QColor(0x10, 0x60, 0x20));
    p.setBrush(kGreen);
    const qreal head = up ? top : bottom;
    const qreal dir = up ? 1 : -1;
    const qreal neck = head + dir * 6;
    const qreal tail = up ? bottom : top;
    p.drawPolygon(QPolygonF { QPointF(8, head), QPointF(14.5, neck), QPointF(10.5, neck), QPointF(10.5, tail),
        QPointF(5.5, tail), QPointF(5.5, neck), QPointF(1.5, neck) });
}

void drawNew(QPainter &p)
{
    drawPage(p, false);
    drawSpark(p, 4.5, 4.5);
}

void drawNewFullScreen(QPainter &p)
{
    setOutline(p);
    p.setBrush(QColor(0x60, 0x60, 0x60));
    p.drawRect(QRectF(0.5, 1.5, 15, 10));
    p.setPen(Qt::NoPen);
    p.setBrush(kLightBlue);
    p.drawRect(QRectF(2, 3, 12, 7));
    p.setBrush(kOutline);
    p.drawRect(QRectF(6, 12, 4, 2));
    p.drawRect(QRectF(3, 14, 10, 2));
    drawSpark(p, 5, 6);
}

void drawOpen(QPainter &p)
{
    drawFolder(p);
}

void drawClose(QPainter &p)
{
    drawPage(p, true);
    p.setRenderHint(QPainter::Antialiasing);
    drawCross(p, QRectF(8.5, 9.5, 5.5, 5.5), 2.0);
}

void drawSave(QPainter &p)
{
    setOutline(p, QColor(0x10, 0x30, 0x70));
    p.setBrush(kBlue);
    p.drawPolygon(QPolygonF {
        QPointF(0.5, 0.5), QPointF(13.5, 0.5), QPointF(15.5, 2.5), QPointF(15.5, 15.5), QPointF(0.5, 15.5) });
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawRect(QRectF(3, 1, 10, 6));
    p.setBrush(kText);
    p.drawRect(QRectF(4, 3, 8, 1));
    p.setBrush(QColor(0xC0, 0xC0, 0xC0));
    p.drawRect(QRectF(4, 10, 8, 6));
    p.setBrush(kBlue);
    p.drawRect(QRectF(5, 11, 2, 4));
}

void drawCreateArchive(QPainter &p)
{
    const QColor box(0xC8, 0x96, 0x5A);
    const QColor boxDark(0x80, 0x58, 0x28);
    setOutline(p, boxDark);
    p.setBrush(box);
    p.drawRect(QRectF(1.5, 5.5, 13, 10));
    p.setBrush(QColor(0xE0, 0xB4, 0x78));
    p.drawRect(QRectF(0.5, 2.5, 15, 3));
    // The zip's teeth down the middle.
    p.setPen(Qt::NoPen);
    p.setBrush(kOutline);
    for (int y = 3; y < 15; y += 2)
        p.drawRect(QRectF(y % 4 == 1 ? 7 : 8, y, 1, 1));
    p.setBrush(QColor(0xB0, 0xB0, 0xB0));
    p.drawRect(QRectF(6, 9, 4, 3));
}

void drawTest(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    setOutline(p, QColor(0x10, 0x60, 0x20));
    p.setBrush(kGreen);
    p.drawPolygon(QPolygonF { QPointF(3.5, 1.5), QPointF(14.5, 8), QPointF(3.5, 14.5) });
}

void drawViewFile(QPainter &p)
{
    drawPage(p, true);
    p.setRenderHint(QPainter::Antialiasing);
    QPen rim(kOutline, 1.5);
    p.setPen(rim);
    p.setBrush(QColor(0xE0, 0xF0, 0xFF, 0xC0));
    p.drawEllipse(QPointF(9, 9), 3.5, 3.5);
    QPen handle(kOutline, 2.5);
    handle.setCapStyle(Qt::RoundCap);
    p.setPen(handle);
    p.drawLine(QPointF(11.8, 11.8), QPointF(14.5, 14.5));
}

void drawZOrder(QPainter &p)
{
    const QColor fills[] = { QColor(0xB0, 0xB0, 0xB0), kLightBlue, kFolder };
    setOutline(p);
    for (int i = 0; i < 3; ++i) {
        p.setBrush(fills[i]);
        p.drawRect(QRectF(0.5 + 4 * i, 0.5 + 4 * i, 7, 7));
    }
}

void drawLanguage(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    setOutline(p, QColor(0x10, 0x30, 0x70));
    p.setBrush(kLightBlue);
    p.drawEllipse(QPointF(8, 8), 7, 7);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(8, 8), 3, 7);
    p.drawLine(QPointF(8, 1), QPointF(8, 15));
    p.drawLine(QPointF(1, 8), QPointF(15, 8));
    p.drawLine(QPointF(2.5, 4.5), QPointF(13.5, 4.5));
    p.drawLine(QPointF(2.5, 11.5), QPointF(13.5, 11.5));
}

void drawGuide(QPainter &p)
{
    setOutline(p, QColor(0x10, 0x30, 0x70));
    p.setBrush(kPaper);
    p.drawRect(QRectF(4.5, 1.5, 10, 14));
    p.setBrush(kBlue);
    p.drawRect(QRectF(1.5, 0.5, 11, 14));
    // Title lines on the cover.
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawRect(QRectF(4, 3, 6, 1));
    p.drawRect(QRectF(4, 5, 6, 1));
    p.setBrush(kSpark);
    p.drawRect(QRectF(2, 11, 10, 1));
}

void drawLicense(QPainter &p)
{
    drawPage(p, true);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(kRed);
    p.drawPolygon(
        QPolygonF { QPointF(9, 12), QPointF(8, 16), QPointF(10, 15), QPointF(11, 16.5), QPointF(12.5, 12) });
    p.setPen(QPen(QColor(0x80, 0x10, 0x10), 1));
    p.drawEllipse(QPointF(11, 10.5), 3, 3);
}

void drawAbout(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    setOutline(p, QColor(0x10, 0x30, 0x70));
    p.setBrush(kBlue);
    p.drawEllipse(QPointF(8, 8), 7, 7);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawRect(QRectF(7, 3, 2, 2));
    p.drawRect(QRectF(7, 6, 2, 6));
    p.drawRect(QRectF(6, 12, 4, 1));
}

void drawUp(QPainter &p)
{
    drawVerticalArrow(p, true, 0.5, 15.5);
}

void drawDown(QPainter &p)
{
    drawVerticalArrow(p, false, 0.5, 15.5);
}

void drawBottom(QPainter &p)
{
    drawVerticalArrow(p, false, 0.5, 12.5);
    p.setPen(Qt::NoPen);
    p.setBrush(kOutline);
    p.drawRect(QRectF(1, 14, 14, 2));
}

void drawRemove(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    drawCross(p, QRectF(3, 3, 10, 10), 3.0);
}

void drawClear(QPainter &p)
{
    // A list whose lines an eraser wipes away.
    setOutline(p, kText);
    for (int y = 2; y <= 14; y += 3)
        p.drawLine(QPointF(0.5, y + 0.5), QPointF(9.5, y + 0.5));
    p.setRenderHint(QPainter::Antialiasing);
    setOutline(p, QColor(0x90, 0x30, 0x50));
    p.setBrush(QColor(0xF0, 0x90, 0xB0));
    p.drawPolygon(QPolygonF { QPointF(9, 4), QPointF(15, 10), QPointF(10, 15), QPointF(4, 9) });
    p.setBrush(kLightBlue);
    p.drawPolygon(QPolygonF { QPointF(4, 9), QPointF(6.5, 6.5), QPointF(12.5, 12.5), QPointF(10, 15) });
}

using Drawing = void (*)(QPainter &);

// In the order of the ids, 101 first.
const Drawing kDrawings[] = {
    drawNew,
    drawNewFullScreen,
    drawOpen,
    drawClose,
    drawSave,
    drawCreateArchive,
    drawTest,
    drawViewFile,
    drawZOrder,
    drawLanguage,
    drawGuide,
    drawLicense,
    drawAbout,
    drawUp,
    drawDown,
    drawBottom,
    drawRemove,
    drawClear,
};
static_assert(std::size(kDrawings) == LastMenuBitmapId - FirstMenuBitmapId + 1);

} // namespace

QImage MenuBitmapImage(int id)
{
    if (id < FirstMenuBitmapId || id > LastMenuBitmapId)
        return QImage();
    QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    kDrawings[id - FirstMenuBitmapId](painter);
    painter.end();
    return image;
}

QPixmap LoadResBitmap(int id)
{
    const QImage image = MenuBitmapImage(id);
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}

void LoadMenuBitmaps()
{
    for (int id = FirstMenuBitmapId; id <= LastMenuBitmapId; ++id)
        AddMenuBitmap(LoadResBitmap(id));
}
