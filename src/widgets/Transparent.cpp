#include "widgets/Transparent.h"

#include "platform/WinApi.h"
#include "widgets/PictureBox.h"
#include "platform/Pictures.h"

#include <QPainter>
#include <QWidget>

namespace {

// What the control shows now, over exactly its own width and height, without
// its child controls (the buttons on the main picture are not part of its shape).
QImage shownImage(QWidget *ctl)
{
    const QSize size = ctl->size();
    if (auto *box = qobject_cast<PictureBox *>(ctl)) {
        if (box->image().size() == size)
            return box->image();
        QImage canvas(size, QImage::Format_RGB32);
        canvas.fill(box->backColor().isValid() ? box->backColor() : box->palette().color(QPalette::Window));
        QPainter painter(&canvas);
        painter.drawImage(0, 0, box->image());
        return canvas;
    }
    QImage canvas(size, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    ctl->render(&canvas, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    return canvas;
}

} // namespace

int MakeWindowRegion(QWidget *ctl, bool shaped)
{
    if (!ctl) {
        gApiResult = 0;
        return gApiResult;
    }
    if (shaped)
        ctl->setMask(pictures::shapeRegion(shownImage(ctl)));
    else
        ctl->clearMask();
    gApiResult = 1;
    return gApiResult;
}
