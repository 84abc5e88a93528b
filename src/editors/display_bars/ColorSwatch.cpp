#include "editors/display_bars/ColorSwatch.h"

#include "platform/Screen.h"

#include <QColor>

ColorSwatch::ColorSwatch(QWidget *parent)
    : QPushButton(parent)
{
    setBackColor(0);
    setToolTip(QStringLiteral("000000"));
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
