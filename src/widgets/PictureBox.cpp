#include "widgets/PictureBox.h"

#include "platform/Pictures.h"

#include <QMouseEvent>
#include <QPainter>

PictureBox::PictureBox(QWidget *parent)
    : QWidget(parent)
{
}

void PictureBox::setPicture(const QImage &picture)
{
    m_image = picture;
    if (m_autoSize && !m_image.isNull())
        resize(m_image.size());
    update();
}

void PictureBox::enlarge(int factor)
{
    if (factor > 1 && !m_image.isNull())
        setPicture(pictures::zoomed(m_image, factor));
}

void PictureBox::setBackColor(const QColor &color)
{
    m_backColor = color;
    update();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_backColor.isValid())
        painter.fillRect(rect(), m_backColor);
    if (!m_image.isNull())
        painter.drawImage(0, 0, m_image);
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
    emit mousePressed(event);
}

void PictureBox::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMoved(event);
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    emit mouseReleased(event);
    // A click is a press and a release of the left button on the box.
    if (event->button() == Qt::LeftButton && m_pressed) {
        m_pressed = false;
        if (rect().contains(event->position().toPoint()))
            emit clicked();
    }
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double click is the double click alone: no press
    // and so no second click (the redraw of the main picture runs once).
    emit doubleClicked();
    event->accept();
}
