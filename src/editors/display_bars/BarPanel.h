#pragma once

#include <QObject>
#include <QString>

class ColorSwatch;
class CoordinateEdit;
class WindowTexts;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// The controls of one bar of a skin: index 0 edits the track bar gBars(0), index 1
// the volume bar gBars(1). The track and volume tool window and the full-screen
// tool window each carry two of them, with the same control names
// ("cbxBarType_0", "txtPosSizeLeft_1", ...) and the same editing rules, so the
// rules live here once.
//
// The panel is three frames laid out as one block: the style frame on top, the
// colours frame below it on the left and the position and size frame below it on
// the right. The frames start disabled; "Use Bar" starts ticked, the kind list
// holds its six entries (list position = BarKind) with none selected, every
// swatch is black with the tooltip "000000" and every box is empty.
class BarPanel : public QObject
{
    Q_OBJECT

public:
    // Creates the panel's frames as children of window, the style frame's top-left
    // corner at (leftTwips, topTwips) of the window's client area.
    BarPanel(QWidget *window, int index, int leftTwips, int topTwips);
    ~BarPanel() override;

    int index() const { return m_index; }

    // Enables the three frames (they are never disabled again).
    void enableFrames();

    // Gives the controls their texts: the style frame's caption from styleKey,
    // then the 22 items from the kind label to the height label from the
    // consecutive keys firstKey, firstKey + 1, ... with the built-in texts
    // firstId, firstId + 1, ... Replacing the kind entries keeps the selection
    // and runs no handler.
    void applyTexts(const WindowTexts &texts, int styleKey, int styleId, int firstKey, int firstId);

    // Shows gBars(index) in the controls by writing them (their handlers run).
    void showDocument();

    // Number of bar kinds (entries of cbxBarType).
    static constexpr int KindCount = 6;

    // Style frame: kind, use, image, border and transparent background.
    QGroupBox *fmBarStyle = nullptr;
    QWidget *pctBarStyle = nullptr;
    QLabel *lblBarType = nullptr;
    QComboBox *cbxBarType = nullptr;
    QCheckBox *chkBarUsed = nullptr;
    QLabel *lblImageBar = nullptr;
    QLineEdit *txtImageBar = nullptr;
    QPushButton *cmdBrowseImageBar = nullptr;
    QCheckBox *chkBorder = nullptr;
    QCheckBox *chkTransparentBG = nullptr;

    // Colours frame: four labelled swatches.
    QGroupBox *fmBarColor = nullptr;
    QLabel *lblBorderColor = nullptr;
    ColorSwatch *cmdBorderColor = nullptr;
    QLabel *lblMouseOverColor = nullptr;
    ColorSwatch *cmdMouseOverColor = nullptr;
    QLabel *lblForeColor = nullptr;
    ColorSwatch *cmdForeColor = nullptr;
    QLabel *lblBackColor = nullptr;
    ColorSwatch *cmdBackColor = nullptr;

    // Position and size frame: a two-by-two grid of labelled number boxes; Left
    // and Top take a minus sign, Width and Height do not.
    QGroupBox *fmPosSize = nullptr;
    QLabel *lblPosSizeLeft = nullptr;
    CoordinateEdit *txtPosSizeLeft = nullptr;
    QLabel *lblPosSizeWidth = nullptr;
    CoordinateEdit *txtPosSizeWidth = nullptr;
    QLabel *lblPosSizeTop = nullptr;
    CoordinateEdit *txtPosSizeTop = nullptr;
    QLabel *lblPosSizeHeight = nullptr;
    CoordinateEdit *txtPosSizeHeight = nullptr;

private:
    void createStyleFrame(QWidget *window, int leftTwips, int topTwips);
    void createColorFrame(QWidget *window, int leftTwips, int topTwips);
    void createPosSizeFrame(QWidget *window, int leftTwips, int topTwips);
    // The name of this panel's element of the control array name ("cbxBarType_1").
    QString elementName(const char *name) const;
    template <typename T> T *make(QWidget *parent, const char *name);
    // Sets the style frame's caption and item k (0 to 21) to the texts given.
    template <typename TextOf> void setTexts(const QString &styleText, TextOf itemText);

    int m_index = 0;
};
