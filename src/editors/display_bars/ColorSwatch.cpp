#include "editors/display_bars/ColorSwatch.h"

#include "platform/CommonDialog.h"
#include "skin/Module.h"
#include "skin/SkinFormat.h"
#include "platform/Screen.h"

#include <QColor>

namespace {
const QString Black = QStringLiteral("000000");
} // namespace

ColorSwatch::ColorSwatch(QWidget *parent)
    : QPushButton(parent)
{
    showBlack();
}

void ColorSwatch::setBackColor(int systemColor)
{
    if (systemColor == m_backColor)
        return;
    m_backColor = systemColor;
    const QColor color = screen::colorFromSystem(systemColor);
    // A style sheet is the one way every widget style honours a button's background.
    setStyleSheet(
        QStringLiteral("QPushButton { background-color: %1; border: 1px solid gray; }").arg(color.name()));
}

void ColorSwatch::showColourString(const QString &colour)
{
    QColor shown(Qt::black);
    skinformat::colourFromString(colour, shown);
    setBackColor(screen::systemFromColor(shown));
    setToolTip(colour);
}

void ColorSwatch::showBlack()
{
    setBackColor(0);
    setToolTip(Black);
}

QString ColorSwatch::choose()
{
    if (!ShowColorDialog(window(), PaletteToBuffer(gCustomPalette), m_backColor, CC_RGBINIT))
        return QString();
    setBackColor(gChosenColor);
    const QString colour = skinformat::colourString(screen::colorFromSystem(gChosenColor));
    setToolTip(colour);
    gCustomPalette = BufferToPalette(gCustomColorsBuffer);
    return colour;
}
