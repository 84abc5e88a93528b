#pragma once

#include "widgets/MdiForm.h"
#include "widgets/PictureBox.h"
#include "platform/ControlArray.h"

#include <QLabel>
#include <QPointer>

class QMouseEvent;

class frmSkin;

// What the preview reports to the windows above it. There is one preview at a
// time, so its reports come from one object that the main window connects once;
// every report is delivered before the preview goes on.
class PreviewEvents : public QObject
{
    Q_OBJECT

public:
    static PreviewEvents &instance();

signals:
    // A new skin's load found no file name: give gSkinFile one (the save command).
    // The load stops when gSkinFile is still empty afterwards.
    void fileNameNeeded();
    // The load has labelled the display texts: place the window, switch the menus
    // on and show the tool windows of the skin's kind. The document is reset after it.
    void loading(frmSkin *preview);
    // The unload: close the tool windows and switch the menus off.
    void unloading();
};

// The preview window: draws the open skin at zoom 1 or 2, one control per
// element of the skin document. It exists exactly while a skin is open.
class frmSkin : public MdiForm, public FormInstance<frmSkin>
{
    Q_OBJECT

public:
    frmSkin();
    ~frmSkin() override;

    void Form_Load();

    // A click on the main picture: toggles the zoom and redraws every element.
    void pctSkinMain_Click();

    // Loads the main image into pctSkinMain at the current zoom, shaped or not,
    // and sizes the window to it. Raises vb::Error (53, 481) before
    // changing anything when the file is missing or not a picture.
    void LoadMainPicture(const QString &path, bool shaped);
    // The same, shaped by gAnyShape.
    void LoadMainPicture(const QString &path);

    // Gives the background the colour of gBackColor (a colour value 0 to
    // &HFFFFFF, red in the low byte), or the default colour for any other value.
    void ApplyBackColor();
    // The background's start colour (the application workspace's).
    static QColor DefaultBackColor();

    // Places and sizes display label i from gDisplays(i) at the current zoom:
    // position, font size, and either a fixed width with a border or a size
    // that follows the text.
    void PlaceDisplayLabel(int i);

    // The width rule of display label i: a display with a maximum width is a
    // bordered box of exactly that width at the current zoom, any other is sized
    // to its text without a border.
    void SizeDisplayLabel(int i);

    // Gives display label i the font of its font string (face, size times the
    // zoom, bold, italic, underline); a string without a face or a size keeps
    // the label's face or size.
    void ApplyDisplayFont(int i);
    // Gives display label i the text colour of its colour string (one that is not
    // six hexadecimal digits leaves the colour as it is).
    void ApplyDisplayColor(int i);
    // Aligns the status text's label (display 7) as gStatTxtAlign says.
    void ApplyStatusAlignment();

    // Paints a plain bar's label with a system colour value (0x00BBGGRR); the
    // colour shows while the label is opaque.
    static void SetBarLabelColor(QLabel *label, int32_t systemColor);

    // A skin coordinate or size at the current zoom, in pixels.
    static int ZoomedPixels(int32_t skinPixels);

    // The per-element redraws the editors call after changing the document:
    // bar i (0 the track bar, 1 the volume bar) from gBars(i); PlaceDisplayLabel
    // redraws a display label, RedrawSkinButton a button's picture. A picture
    // that is missing or unreadable leaves its element as it was. AddSkinButton
    // (SkinButtons.h) creates a button's picture.
    void RedrawBar(int i);

    // Sizes the window to the main picture and its frame allowances.
    void SizeToMainPicture();

    // Redraws the picture of button i from gButtons(i): its image at the
    // current zoom, its position and its shape. The picture keeps its
    // visibility and its place in the stacking order. An image that no longer
    // loads leaves the old picture, placed at the record's position.
    void RedrawSkinButton(int i);

    // While a skin is read or redrawn, the main picture and everything on it
    // are drawn once, when EndHeldDrawing() ends the hold, not once for every
    // picture added or changed; the window keeps showing what it showed. A
    // modal window that comes up over the preview meanwhile (a message of the
    // read) ends the hold.
    void HoldDrawing();
    void EndHeldDrawing();

    // The fixed stacking order: display texts 0, 4, 6, 1, 5, 2, 3, the volume
    // bar, the track bar, then every button in rising order, each brought
    // above all before it. Display text 7 and the main image stay.
    void ApplyZOrder();

    // The kinds of element the user can drag on the preview.
    enum class ElementKind { Display, Button, Bar };
    Q_ENUM(ElementKind)

signals:
    // A mouse button went down on element index (for a button, any mouse
    // button; for a display text, the left one). globalPos is where the mouse
    // is; the right button on a button asks for the button pop-up menu.
    void elementPressed(frmSkin::ElementKind kind, int index, Qt::MouseButton button, QPoint globalPos);
    // A drag placed element index at x, y skin pixels (a half pixel at zoom 2):
    // the tool window that edits the element takes them into its coordinate
    // boxes. The record follows once the receivers have returned.
    void elementDragged(frmSkin::ElementKind kind, int index, double x, double y);
    // The mouse moves over the picture of button index.
    void buttonHovered(int index);
    // The background around the main image: a double click, and a release of
    // the right button (its pop-up menu).
    void backgroundDoubleClicked();
    void backgroundMenuRequested(QPoint globalPos);

public:
    PictureBox *pctBackground = nullptr;
    PictureBox *pctSkinMain = nullptr;
    ControlArray<PictureBox> pctSkinButton; // element 0 is the template
    ControlArray<QLabel> lblSkinText; // 0 to 7
    ControlArray<QLabel> lblSkinBar; // 0 and 1
    ControlArray<PictureBox> pctSkinBar; // 0 and 1

protected:
    bool Form_QueryUnload(int unloadMode) override;
    void Form_Unload(bool &cancel) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void connectHandlers();
    void labelDisplayTexts();
    void showSkinChanged(bool changed);
    void redrawButtons();
    void redrawBars();
    void redrawDisplays();

    // Mouse handling of the elements: which element a control is, the press
    // that selects it and starts a drag, the live steps and the drop.
    struct Element {
        ElementKind kind = ElementKind::Display;
        int index = -1;
        QWidget *control = nullptr;
    };
    Element elementOf(QObject *watched) const;
    void elementMouseDown(const Element &element, QMouseEvent *event);
    void elementMouseMove(const Element &element, QMouseEvent *event);
    void elementMouseUp(const Element &element, QMouseEvent *event);
    bool mainPictureHolds(const QPoint &position) const;
    void UpdateDraggedPosition(const Element &element);
    // The element's position in its record, in skin pixels.
    static QPoint recordedPosition(const Element &element);
    static void setRecordedPosition(const Element &element, const QPoint &position);
    // A plain drag dropped outside the main picture: the element, its boxes and
    // its record go back to where the drag began, and so does the modified mark.
    void cancelDrag(const Element &element);
    void backgroundMouseUp(QMouseEvent *event);

    // The drag in progress: the pressed element, whether it keeps to whole
    // skin pixels (begun with Ctrl alone), where the element was grabbed, where
    // the mouse went down (on the main picture) and whether it has moved since;
    // and what a cancelled drag gives back: the element's place, its record's
    // position and the modified mark as the press left them.
    QPointer<QWidget> m_dragSource;
    bool m_visibleDrag = false;
    QPoint m_dragOffset;
    QPoint m_pressPos;
    bool m_dragMoved = false;
    QPoint m_dragStartPlace;
    QPoint m_dragStartRecord;
    bool m_dragStartMark = false;

    QPointer<QWidget> m_drawingHeldFor; // the window watched while drawing is held
};
