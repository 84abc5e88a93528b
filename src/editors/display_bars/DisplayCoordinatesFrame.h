#pragma once

#include <QObject>

class CoordinateEdit;
class WindowTexts;
class QGroupBox;
class QLabel;
class QWidget;

// The frame that holds a display text's position in skin pixels: the X and Y
// boxes, each with its label and its "(pixels)" unit. The Display tool window and
// the full-screen tool window (for the status text) carry it alike, as the frame
// "fmDisplayCoordinates", a direct child of the window; the boxes start empty and take a minus sign.
class DisplayCoordinatesFrame : public QObject
{
    Q_OBJECT

public:
    // Creates the frame as a child of window at (leftTwips, topTwips), 4335 by 615 twips.
    DisplayCoordinatesFrame(QWidget *window, int leftTwips, int topTwips);
    ~DisplayCoordinatesFrame() override;

    // Gives the frame its texts, in this order: key firstKey to the frame's
    // caption, firstKey + 1 to the X label, firstKey + 3 to the X unit, firstKey + 2
    // to the Y label and firstKey + 3 again to the Y unit; built-in text firstId +
    // the same offsets.
    void applyTexts(const WindowTexts &texts, int firstKey, int firstId);

    QGroupBox *fmDisplayCoordinates = nullptr;
    QLabel *lblDisplayX = nullptr;
    CoordinateEdit *txtDisplayX = nullptr;
    QLabel *lblDisplayPixelsX = nullptr;
    QLabel *lblDisplayY = nullptr;
    CoordinateEdit *txtDisplayY = nullptr;
    QLabel *lblDisplayPixelsY = nullptr;
};
