#pragma once

#include <QColor>
#include <QList>
#include <QMargins>
#include <QRect>

#include <cstdint>

// Screen units: positions in twips become pixels at 15 twips per pixel; colours
// as the system's colour value 0x00BBGGRR.
namespace screen {

constexpr int TwipsPerPixelX = 15;
constexpr int TwipsPerPixelY = 15;

inline int twipsToPixelsX(double twips)
{
    return static_cast<int>(twips / TwipsPerPixelX);
}
inline int twipsToPixelsY(double twips)
{
    return static_cast<int>(twips / TwipsPerPixelY);
}

// A system colour value (0x00BBGGRR) as a colour; bits above 24 are ignored.
inline QColor colorFromSystem(int32_t value)
{
    const uint32_t v = uint32_t(value);
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

// A colour as the system's colour value 0x00BBGGRR.
inline int32_t systemFromColor(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return int32_t(uint32_t(rgb.red()) | (uint32_t(rgb.green()) << 8) | (uint32_t(rgb.blue()) << 16));
}

// A screen as a window is placed on it: all of it, and the part that panels
// and docks leave free.
struct Area {
    QRect whole;
    QRect free;
};

// Where a window whose client area was saved at place goes on these screens
// (the primary one first). A place that lies wholly on the screens with room
// for frame around it stays as it is. Otherwise the window comes back onto the
// screen that holds most of it, or the primary one when none holds any of it,
// inside that screen's free area with room for frame around it, made smaller
// when it does not fit; so a place it gives stays as it is when given again.
QRect placeOnScreens(const QRect &place, const QList<Area> &screens, const QMargins &frame);

} // namespace screen
