#pragma once

#include "editors/buttons/ButtonToolWindow.h"

#include <array>

class BarPanel;
class ColorSwatch;
class DisplayCoordinatesFrame;
class DisplayTextPanel;
class LangReader;
class QFrame;

// The one tool window of a full-screen skin: movie-window image, position on
// the monitor, status text, buttons and both bars.
class frmFullScreenToolBar : public ButtonToolWindow, public FormInstance<frmFullScreenToolBar>
{
    Q_OBJECT

public:
    frmFullScreenToolBar();
    ~frmFullScreenToolBar() override;

    void Form_Load();

    void ApplyTexts(const LangReader &lang) override;
    // Shows the open skin's document: writes the main image, shape and
    // extension, the position lists, the status text's use box and both bar
    // panels (their handlers run).
    void showDocument() override;
    QComboBox *barKindBox(int bar) override;

    // Position on the monitor and the status text's alignment.
    void cbxPositionBTB_Click();
    void cbxPositionLMR_Click();
    void optPositionBOTTOM_MouseDown(int index, Qt::KeyboardModifiers shift);
    void optPositionTOP_MouseDown(int index, Qt::KeyboardModifiers shift);
    void cbxDisplayAlignment_Click();
    // Selects the points of the monitor preview: code "B", "T" or "BT" (any
    // case) at index; any other code changes no point. Runs no handler.
    void UpdatePositionPreview(const QString &code, int index);

    // The editor of the status text.
    DisplayTextPanel *statusText() const { return m_statusText; }

    // Position on the monitor.
    QGroupBox *fmPosition = nullptr;
    QLabel *lblPosition = nullptr;
    QComboBox *cbxPositionBTB = nullptr;
    QComboBox *cbxPositionLMR = nullptr;
    QLabel *lblPositionDescription = nullptr;
    QGroupBox *fmPositionPreview = nullptr;
    QWidget *pctPositionPreviewTOP = nullptr;
    QWidget *pctPositionPreviewBOTTOM = nullptr;
    ControlArray<QRadioButton> optPositionTOP;
    ControlArray<QRadioButton> optPositionBOTTOM;

    // The status text.
    QGroupBox *fmDisplay = nullptr;
    QCheckBox *chkDisplayUsed = nullptr;
    QLabel *lblDisplayDimText = nullptr;
    CoordinateEdit *txtDisplayDimMax = nullptr;
    QLabel *lblDisplayDimTextPixels = nullptr;
    QLabel *lblDisplayAlignment = nullptr;
    QComboBox *cbxDisplayAlignment = nullptr;
    QLabel *lblDisplayFont = nullptr;
    QLineEdit *txtDisplayFont = nullptr;
    QPushButton *cmdDisplayFont = nullptr;
    ColorSwatch *cmdDisplayColor = nullptr;
    // Its coordinates, in the frame the Display tool window carries alike.
    QGroupBox *fmDisplayCoordinates = nullptr;
    CoordinateEdit *txtDisplayX = nullptr;
    CoordinateEdit *txtDisplayY = nullptr;

    // Unlocks the extension box.
    QCheckBox *chkExtension = nullptr;
    void chkExtension_Click();

    // The panel of bar i: 0 the track bar, 1 the volume bar.
    BarPanel *bar(int i) const { return m_bars.at(i); }

    // The separator lines between the two columns and above the bars.
    ControlArray<QFrame> fmSeparator;

protected:
    void EnableEditingFrames() override;

private:
    void createControls();
    void createMainFrame();
    void createPositionFrame();
    void createDisplayFrames();
    void createButtonFrames();
    void createBarPanels();
    void createSeparators();
    void connectHandlers();
    // A press on a point of the monitor preview: the point's strip ("B" or "T"),
    // or both strips with Shift alone.
    void positionPointPressed(const QString &code, int index, Qt::KeyboardModifiers shift);
    bool eventFilter(QObject *watched, QEvent *event) override;

    DisplayCoordinatesFrame *m_displayCoordinates = nullptr;
    DisplayTextPanel *m_statusText = nullptr;
    std::array<BarPanel *, 2> m_bars {};
};
