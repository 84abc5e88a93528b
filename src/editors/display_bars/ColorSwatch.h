#pragma once

#include <QPushButton>

// A command button used as a colour swatch: it shows a colour inside a
// one-pixel grey line, in every state of the button, and carries the colour
// string it stands for as its tooltip. The colour is kept as the system's colour
// value (red in the low byte, then green, then blue), the form in which the
// colour dialog hands colours back. A new swatch is black with the tooltip
// "000000".
class ColorSwatch : public QPushButton
{
    Q_OBJECT

public:
    explicit ColorSwatch(QWidget *parent = nullptr);

    int backColor() const { return m_backColor; }
    void setBackColor(int systemColor);

    // Shows a colour string: its colour (black when the string is not six
    // hexadecimal digits, which only a hand-edited skin file holds) and the
    // string itself as the tooltip.
    void showColourString(const QString &colour);
    // Black with the tooltip "000000".
    void showBlack();

    // Choosing a colour: the colour dialog, owned by the swatch's window, opens on
    // the swatch's colour with the saved custom colours. OK shows the chosen
    // colour and its colour string, writes the custom colours back into
    // gCustomPalette and returns the colour string; Cancel changes nothing and
    // returns an empty string.
    QString choose();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_backColor = -1;
};
