#pragma once

#include <QPushButton>

// A command button used as a colour swatch: it shows a colour as its background
// and carries the colour string it stands for as its tooltip. The colour is kept
// as the system's colour value (red in the low byte, then green, then blue), the
// form in which the colour dialog hands colours back. A new swatch is black with
// the tooltip "000000".
class ColorSwatch : public QPushButton
{
    Q_OBJECT

public:
    explicit ColorSwatch(QWidget *parent = nullptr);

    int backColor() const { return m_backColor; }
    void setBackColor(int systemColor);

private:
    int m_backColor = -1;
};
