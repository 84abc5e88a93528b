#include "platform/MenuBitmapList.h"

#include <QCoreApplication>

QList<QPixmap> gMenuBitmaps;

void AddMenuBitmap(const QPixmap &picture)
{
    gMenuBitmaps.append(picture);
}

void FreeMenuBitmaps()
{
    while (!gMenuBitmaps.isEmpty()) {
        gMenuBitmaps.removeFirst();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}
