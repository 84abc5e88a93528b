#pragma once

#include <QImage>
#include <QWidget>

// A picture box: shows a persistent image that can be drawn into and read back
// pixel by pixel; with AutoSize it takes the size of the picture loaded into it.
class PictureBox : public QWidget
{
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent = nullptr);

    // Loads a picture: the persistent image becomes it and, with AutoSize, the
    // box takes its size.
    void setPicture(const QImage &picture);
    // The persistent image, as drawn.
    const QImage &image() const { return m_image; }
    // Stretches the persistent image onto itself by a whole factor (each pixel
    // becomes a factor x factor block); with AutoSize the box grows with it.
    void enlarge(int factor);

    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool on) { m_autoSize = on; }

    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor &color);

signals:
    void clicked();
    void doubleClicked();
    void mousePressed(QMouseEvent *event);
    void mouseMoved(QMouseEvent *event);
    void mouseReleased(QMouseEvent *event);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QImage m_image;
    QColor m_backColor;
    bool m_autoSize = true;
    bool m_pressed = false;
};
