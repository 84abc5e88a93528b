#include "editors/display_bars/DisplayCoordinatesFrame.h"

#include "editors/CoordinateEdit.h"
#include "editors/ToolWindowLayout.h"
#include "widgets/WindowTexts.h"

#include <QGroupBox>
#include <QLabel>

DisplayCoordinatesFrame::DisplayCoordinatesFrame(QWidget *window, int leftTwips, int topTwips)
    : QObject(window)
{
    setObjectName(QStringLiteral("DisplayCoordinatesFrame"));
    fmDisplayCoordinates
        = makeControl<QGroupBox>(window, "fmDisplayCoordinates", twipsRect(leftTwips, topTwips, 4335, 615));
    lblDisplayX = makeControl<QLabel>(fmDisplayCoordinates, "lblDisplayX", twipsRect(120, 270, 300, 255));
    txtDisplayX
        = makeControl<CoordinateEdit>(fmDisplayCoordinates, "txtDisplayX", twipsRect(420, 210, 900, 315));
    lblDisplayPixelsX
        = makeControl<QLabel>(fmDisplayCoordinates, "lblDisplayPixelsX", twipsRect(1380, 270, 735, 255));
    lblDisplayY = makeControl<QLabel>(fmDisplayCoordinates, "lblDisplayY", twipsRect(2220, 270, 300, 255));
    txtDisplayY
        = makeControl<CoordinateEdit>(fmDisplayCoordinates, "txtDisplayY", twipsRect(2520, 210, 900, 315));
    lblDisplayPixelsY
        = makeControl<QLabel>(fmDisplayCoordinates, "lblDisplayPixelsY", twipsRect(3480, 270, 735, 255));
    // With a buddy a label takes "&" as an access key, as the design's labels do.
    lblDisplayX->setBuddy(txtDisplayX);
    lblDisplayY->setBuddy(txtDisplayY);
}

DisplayCoordinatesFrame::~DisplayCoordinatesFrame() = default;

void DisplayCoordinatesFrame::applyTexts(const WindowTexts &texts, int firstKey, int firstId)
{
    const auto textAt = [&](int offset) { return texts.text(firstKey + offset, firstId + offset); };
    SetLangCaption(fmDisplayCoordinates, textAt(0));
    SetLangCaption(lblDisplayX, textAt(1));
    // One key serves both unit labels.
    SetLangCaption(lblDisplayPixelsX, textAt(3));
    SetLangCaption(lblDisplayY, textAt(2));
    SetLangCaption(lblDisplayPixelsY, textAt(3));
}
