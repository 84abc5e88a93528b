#pragma once

class QLineEdit;

// The rules of a skin's main image (for a full-screen skin, the movie-window
// image) and of its any-shape flag, which both button tool windows apply.
class MainImageEditor
{
public:
    // Lets the user pick a bitmap of the skin folder and shows it on the preview
    // at the current zoom, shaped when shaped is set, with the preview window
    // sized to it; the full path goes into txtMainWindow (text and tooltip) and
    // the name into gMainImage. gAnyShape stays as it is. A file that is not a
    // picture is reported and changes nothing. True when an image was taken.
    static bool ChooseMainImage(QLineEdit *txtMainWindow, bool shaped);

    // The shape box changed: while a main image is shown, the preview is shaped
    // or unshaped. gAnyShape follows the box in every case.
    static void ApplyShape(const QLineEdit *txtMainWindow, bool shaped);
};
