#include "platform/Screen.h"

#include <QRegion>

#include <algorithm>

namespace screen {

QRect placeOnScreens(const QRect &place, const QList<Area> &screens, const QMargins &frame)
{
    if (screens.isEmpty())
        return place;
    QRegion all;
    for (const Area &area : screens)
        all += area.whole;
    // The title bar counts: a window whose client area alone is on the screens
    // may have it above them, out of reach.
    if (QRegion(place.marginsAdded(frame)).subtracted(all).isEmpty())
        return place;

    // A monitor since removed, or a smaller screen than the one the place was saved on.
    const auto shared = [&place](const Area &area) {
        const QRect common = area.whole.intersected(place);
        return qint64(common.width()) * common.height();
    };
    const auto most = std::max_element(screens.begin(), screens.end(),
        [&shared](const Area &a, const Area &b) { return shared(a) < shared(b); });
    const QRect room = (shared(*most) > 0 ? *most : screens.first()).free.marginsRemoved(frame);
    const QSize size = place.size().boundedTo(room.size());
    const int x = std::clamp(place.x(), room.left(), room.right() + 1 - size.width());
    const int y = std::clamp(place.y(), room.top(), room.bottom() + 1 - size.height());
    return QRect(QPoint(x, y), size);
}

} // namespace screen
