#include "editors/display_bars/ColorSwatch.h"

#include "platform/CommonDialog.h"
#include "skin/Module.h"
#include "skin/SkinFormat.h"
#include "platform/Screen.h"

#include <QColor>
#include <QPainter>

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
    update();
}

void ColorSwatch::paintEvent(QPaintEvent *)
{
    // Drawn here: no widget style shows a button's own background colour,
    // and a style sheet would give each swatch a style of its own to make and
    // polish. The colour goes over the whole button and the line over its
    // edges, smoothed where a scaled display splits a pixel, as a style sheet
    // lays a border.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), screen::colorFromSystem(m_backColor));
    const QRectF whole(rect());
    const QColor grey(128, 128, 128);
    painter.fillRect(QRectF(whole.left(), whole.top(), whole.width(), 1), grey);
    painter.fillRect(QRectF(whole.left(), whole.bottom() - 1, whole.width(), 1), grey);
    painter.fillRect(QRectF(whole.left(), whole.top(), 1, whole.height()), grey);
    painter.fillRect(QRectF(whole.right() - 1, whole.top(), 1, whole.height()), grey);
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
