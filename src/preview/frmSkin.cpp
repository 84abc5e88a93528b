#include "preview/frmSkin.h"

#include "skin/Module.h"
#include "preview/SkinButtons.h"
#include "skin/SkinChange.h"
#include "skin/SkinDocument.h"
#include "skin/SkinFonts.h"
#include "skin/SkinWriter.h"
#include "widgets/Transparent.h"
#include "skin/SkinFormat.h"
#include "widgets/MenuIcons.h"
#include "lang/Locale.h"
#include "platform/Dialogs.h"
#include "platform/ListingScope.h"
#include "platform/Screen.h"
#include "platform/VbRuntime.h"

#include <QApplication>
#include <QHash>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QScopeGuard>
#include <QSet>

#include <algorithm>

namespace {

constexpr int DisplayCount = 8;
constexpr int BarCount = 2;

// Stacks order as raising each of its widgets in turn would: on top of their
// siblings and in that order, the others below in the order they had. A raise
// moves a widget through the whole list of its siblings, which for thousands of
// buttons takes seconds; here the widgets at the top that already stand in that
// order stay, and only the siblings below them are moved, each lowered to the
// bottom, from the last to the first.
void raiseInTurn(QWidget *parent, const QList<QWidget *> &order)
{
    const QSet<QWidget *> ordered(order.cbegin(), order.cend());
    QList<QWidget *> target;
    QHash<QWidget *, qsizetype> place;
    for (QObject *child : parent->children()) {
        if (auto *widget = qobject_cast<QWidget *>(child)) {
            place.insert(widget, place.size());
            if (!ordered.contains(widget))
                target += widget;
        }
    }
    target += order;
    qsizetype settled = target.size() - 1;
    while (settled > 0 && place.value(target.at(settled - 1)) < place.value(target.at(settled)))
        --settled;
    for (qsizetype i = settled - 1; i >= 0; --i)
        target.at(i)->lower();
}

} // namespace

PreviewEvents &PreviewEvents::instance()
{
    static PreviewEvents events;
    return events;
}

frmSkin::frmSkin()
{
    setObjectName(QStringLiteral("frmSkin"));
    createControls();
    connectHandlers();
}

frmSkin::~frmSkin() = default;

void frmSkin::createControls()
{
    pctBackground = new PictureBox(this);
    pctBackground->setObjectName(QStringLiteral("pctBackground"));
    pctBackground->setAutoSize(false);
    pctBackground->setBackColor(DefaultBackColor());
    pctBackground->setGeometry(rect());

    // An empty white box until a main image is loaded into it: a new skin shows
    // where its main window will be.
    pctSkinMain = new PictureBox(pctBackground);
    pctSkinMain->setObjectName(QStringLiteral("pctSkinMain"));
    pctSkinMain->setBackColor(Qt::white);
    pctSkinMain->setGeometry(0, 0, 320, 240);

    QWidget *host = pctSkinMain;
    pctSkinButton.setFactory(QStringLiteral("pctSkinButton"), [this, host](int) {
        // A copy of the template: sized by its picture, hidden until shown.
        auto *box = new PictureBox(host);
        box->hide();
        // Its tooltip follows the mouse's moves, also without a button held.
        box->setMouseTracking(true);
        box->installEventFilter(this);
        return box;
    });
    auto *buttonTemplate = new PictureBox(host);
    buttonTemplate->hide();
    pctSkinButton.insert(0, buttonTemplate);

    lblSkinText.setFactory(QStringLiteral("lblSkinText"), [host](int) {
        auto *label = new QLabel(host);
        QFont font = label->font();
        font.setPointSize(8);
        label->setFont(font);
        label->hide();
        return label;
    });
    for (int i = 0; i < DisplayCount; ++i)
        lblSkinText.load(i)->installEventFilter(this);

    lblSkinBar.setFactory(QStringLiteral("lblSkinBar"), [host](int) {
        auto *label = new QLabel(host);
        // A plain bar's label is opaque until its background is made transparent.
        label->setAutoFillBackground(true);
        label->hide();
        return label;
    });
    pctSkinBar.setFactory(QStringLiteral("pctSkinBar"), [host](int) {
        auto *box = new PictureBox(host);
        box->hide();
        return box;
    });
    for (int i = 0; i < BarCount; ++i) {
        lblSkinBar.load(i)->installEventFilter(this);
        pctSkinBar.load(i)->installEventFilter(this);
    }
}

void frmSkin::connectHandlers()
{
    connect(pctSkinMain, &PictureBox::clicked, this, &frmSkin::pctSkinMain_Click);
    connect(&SkinChangeEvents::instance(), &SkinChangeEvents::markChanged, this, &frmSkin::showSkinChanged);
    connect(pctBackground, &PictureBox::doubleClicked, this, &frmSkin::backgroundDoubleClicked);
    connect(pctBackground, &PictureBox::mouseReleased, this, &frmSkin::backgroundMouseUp);
}

void frmSkin::showSkinChanged(bool changed)
{
    const QString shown = caption();
    if (changed && !shown.startsWith(QLatin1Char('*')))
        setCaption(QLatin1Char('*') + shown);
    else if (!changed && shown.startsWith(QLatin1Char('*')))
        setCaption(shown.mid(1));
}

// --- Lifecycle ---

void frmSkin::Form_Load()
{
    // A new skin gets its file name before anything else; without one the load
    // stops and the command that showed the window closes it again.
    if (gSkinFile.isEmpty()) {
        emit PreviewEvents::instance().fileNameNeeded();
        if (gSkinFile.isEmpty())
            return;
    }

    labelDisplayTexts();
    SizeToMainPicture();
    emit PreviewEvents::instance().loading(this);
    InitSkinDefaults();
    ApplyBackColor();
}

void frmSkin::labelDisplayTexts()
{
    const LangReader lang;
    for (int i = 0; i < DisplayCount; ++i)
        lblSkinText[i]->setText(lang.text(QStringLiteral("Skin"), i + 1, 4001 + i));
}

bool frmSkin::Form_QueryUnload(int)
{
    if (!gSkinChanged)
        return false;
    const int answer = dialogs::msgBox(
        Message(13018), dialogs::vbYesNoCancel | dialogs::vbInformation, Message(13002), this);
    if (answer == dialogs::vbCancel)
        return true;
    if (answer == dialogs::vbYes) {
        SaveSkin();
        // A save that failed (the writer has said why) keeps the mark: closing
        // now would lose the changes, so the window stays open.
        return gSkinChanged;
    }
    ClearSkinChanged();
    return false;
}

void frmSkin::Form_Unload(bool &)
{
    emit PreviewEvents::instance().unloading();
    UnregisterSkinFonts();
    gSkinFile.clear();
}

void frmSkin::resizeEvent(QResizeEvent *event)
{
    MdiForm::resizeEvent(event);
    // A minimised window has no client area: the background keeps its size.
    if (event->size().height() > 0)
        pctBackground->setGeometry(0, 0, event->size().width(), event->size().height());
}

// --- Background ---

QColor frmSkin::DefaultBackColor()
{
    return QApplication::palette().color(QPalette::Dark);
}

void frmSkin::ApplyBackColor()
{
    if (gBackColor >= 0 && gBackColor <= 0xFFFFFF)
        pctBackground->setBackColor(screen::colorFromSystem(gBackColor));
    else
        pctBackground->setBackColor(DefaultBackColor());
}

// --- Drawing ---

void frmSkin::LoadMainPicture(const QString &path, bool shaped)
{
    LoadSkinPicture(pctSkinMain, path, shaped);
    SizeToMainPicture();
}

void frmSkin::LoadMainPicture(const QString &path)
{
    LoadMainPicture(path, gAnyShape != 0);
}

void frmSkin::SizeToMainPicture()
{
    resizeFrame(pctSkinMain->width() + gFrameBorderX, pctSkinMain->height() + gFrameBorderY);
}

void frmSkin::pctSkinMain_Click()
{
    // Disabling the window asks every picture on it to be drawn again, and so
    // would enabling it: they are drawn once, when the redraw is done.
    HoldDrawing();
    // The window stays disabled while it redraws, so that no click starts a
    // second redraw; whatever fails on the way, it is given back.
    setEnabled(false);
    // A close waiting among the pending events may unload the window here.
    const QPointer<frmSkin> self(this);
    QCoreApplication::processEvents();
    if (!self)
        return;
    // Inside the main window the busy cursor is the main window's.
    QPointer<QWidget> main = window();
    if (main)
        main->setCursor(Qt::BusyCursor);
    // Every picture is loaded again: each file is looked up in one listing of
    // its folder.
    const ListingScope listings;
    const auto restore = qScopeGuard([this, main] {
        setEnabled(true);
        EndHeldDrawing();
        if (main)
            main->unsetCursor();
    });

    gZoom = gZoom == 1 ? 2 : 1;

    // A picture that is missing or unreadable leaves its element as it was.
    vb::resumeNext([this] { LoadMainPicture(AddBackslash(gSkinFolder) + gMainImage); });
    redrawButtons();
    redrawBars();
    redrawDisplays();
}

void frmSkin::redrawButtons()
{
    for (int i = 1; i <= ButtonCount(); ++i)
        RedrawSkinButton(i);
}

void frmSkin::RedrawSkinButton(int i)
{
    if (i < 1 || i > ButtonCount())
        return;
    PictureBox *box = pctSkinButton.at(i);
    if (!box)
        return;
    const ButtonRec &button = gButtons[i];
    vb::resumeNext([&] { LoadSkinPicture(box, button.BtnFile, button.BtnType != 0); });
    box->move(ZoomedPixels(button.BtnX), ZoomedPixels(button.BtnY));
}

void frmSkin::HoldDrawing()
{
    if (m_drawingHeldFor || pctSkinMain->isHidden())
        return;
    // Each picture shown or changed on a visible parent is drawn on its own,
    // and the painter measures it against every sibling above it: with
    // thousands of buttons that costs more than reading them. Meanwhile the
    // window keeps showing what it showed.
    m_drawingHeldFor = window();
    m_drawingHeldFor->installEventFilter(this);
    setUpdatesEnabled(false);
    pctSkinMain->hide();
}

void frmSkin::EndHeldDrawing()
{
    if (!m_drawingHeldFor)
        return;
    m_drawingHeldFor->removeEventFilter(this);
    m_drawingHeldFor.clear();
    // Showing the main picture asks for one update per picture on it: the
    // main picture's own update draws them all in one pass. The updates
    // others asked for before are delivered first, so that only these are
    // dropped.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateLater);
    setUpdatesEnabled(true);
    pctSkinMain->show();
    QCoreApplication::removePostedEvents(nullptr, QEvent::UpdateLater);
    pctSkinMain->update();
    // That update leaves out the controls that fill their own background (a
    // plain bar's label): they are taken to cover their place already. Each
    // is drawn by its own update; without it, a label moved to where the
    // window has just grown would show what was there before (the workspace).
    for (QObject *child : pctSkinMain->children()) {
        if (auto *control = qobject_cast<QWidget *>(child); control && control->autoFillBackground())
            control->update();
    }
}

void frmSkin::ApplyZOrder()
{
    QList<QWidget *> order;
    for (int i : { 0, 4, 6, 1, 5, 2, 3 })
        order += lblSkinText[i];
    for (int i : { 1, 0 })
        order << lblSkinBar[i] << pctSkinBar[i];
    for (int i = 1; i <= pctSkinButton.uBound(); ++i) {
        if (PictureBox *box = pctSkinButton[i])
            order += box;
    }
    raiseInTurn(pctSkinMain, order);
}

void frmSkin::redrawBars()
{
    for (int i = 0; i < BarCount; ++i)
        RedrawBar(i);
}

void frmSkin::RedrawBar(int i)
{
    if (i < 0 || i >= BarCount)
        return;
    const QString folder = AddBackslash(gSkinFolder);
    {
        const BarRec &bar = gBars[i];
        const QPoint position(ZoomedPixels(bar.BarLeft), ZoomedPixels(bar.BarTop));
        switch (bar.BarKind) {
        case 0:
        case 1:
            lblSkinBar[i]->setGeometry(
                QRect(position, QSize(ZoomedPixels(bar.BarWidth), ZoomedPixels(bar.BarHeight))));
            break;
        case 2:
        case 3:
        case 4:
        case 5: {
            const QString path = bar.BarKind >= 4
                ? skinformat::buttonImagePath(folder, bar.BarImage, gButtonExt)
                : folder + bar.BarImage;
            // Button bars are shaped by their image; bitmap bars are not.
            const bool shaped = bar.BarKind >= 4;
            PictureBox *box = pctSkinBar[i];
            vb::resumeNext([&] {
                LoadSkinPicture(box, path, shaped);
                box->move(position);
            });
            break;
        }
        default:
            break;
        }
    }
}

void frmSkin::redrawDisplays()
{
    for (int i = 0; i < DisplayCount; ++i)
        PlaceDisplayLabel(i);
}

void frmSkin::PlaceDisplayLabel(int i)
{
    QLabel *label = lblSkinText[i];
    if (!label || i < 0 || i >= DisplayCount)
        return;
    const DisplayRec &display = gDisplays[i];
    label->move(ZoomedPixels(display.DspX), ZoomedPixels(display.DspY));
    ApplyDisplayFont(i);
    SizeDisplayLabel(i);
}

void frmSkin::ApplyDisplayFont(int i)
{
    QLabel *label = lblSkinText[i];
    if (!label || i < 0 || i >= DisplayCount)
        return;
    const skinformat::FontString font = skinformat::parseFontString(gDisplays[i].DspFont);
    QFont shown = label->font();
    if (!font.face.isEmpty())
        shown.setFamily(font.face);
    if (font.size > 0)
        shown.setPointSize(font.size * gZoom);
    shown.setBold(font.style.bold);
    shown.setItalic(font.style.italic);
    shown.setUnderline(font.style.underline);
    label->setFont(shown);
}

void frmSkin::ApplyDisplayColor(int i)
{
    QLabel *label = lblSkinText[i];
    QColor colour;
    if (!label || i < 0 || i >= DisplayCount || !skinformat::colourFromString(gDisplays[i].DspColor, colour))
        return;
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

void frmSkin::SetBarLabelColor(QLabel *label, int32_t systemColor)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, screen::colorFromSystem(systemColor));
    label->setPalette(palette);
}

void frmSkin::ApplyStatusAlignment()
{
    QLabel *label = lblSkinText[7];
    if (!label)
        return;
    const Qt::Alignment horizontal = gStatTxtAlign == 1 ? Qt::AlignRight
        : gStatTxtAlign == 2                            ? Qt::AlignHCenter
                                                        : Qt::AlignLeft;
    label->setAlignment(horizontal | Qt::AlignVCenter);
}

void frmSkin::SizeDisplayLabel(int i)
{
    QLabel *label = lblSkinText[i];
    if (!label || i < 0 || i >= DisplayCount)
        return;
    const int32_t maxWidth = gDisplays[i].DspMaxWidth;
    if (maxWidth > 0) {
        label->setFrameShape(QFrame::Box);
        label->setLineWidth(1);
        label->resize(ZoomedPixels(maxWidth), label->sizeHint().height());
    } else {
        label->setFrameShape(QFrame::NoFrame);
        label->adjustSize();
    }
}

int frmSkin::ZoomedPixels(int32_t skinPixels)
{
    // A value read from a skin file can lie far outside what a widget accepts.
    const int64_t product = int64_t(skinPixels) * gZoom;
    return int(std::clamp<int64_t>(product, -QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
}

// --- Mouse ---

frmSkin::Element frmSkin::elementOf(QObject *watched) const
{
    for (int i = 0; i < DisplayCount; ++i) {
        if (watched == lblSkinText[i])
            return { ElementKind::Display, i, lblSkinText[i] };
    }
    for (int i = 0; i < BarCount; ++i) {
        if (watched == lblSkinBar[i])
            return { ElementKind::Bar, i, lblSkinBar[i] };
        if (watched == pctSkinBar[i])
            return { ElementKind::Bar, i, pctSkinBar[i] };
    }
    for (int i = 1; i <= pctSkinButton.uBound(); ++i) {
        if (watched == pctSkinButton[i])
            return { ElementKind::Button, i, pctSkinButton[i] };
    }
    return {};
}

bool frmSkin::eventFilter(QObject *watched, QEvent *event)
{
    // A message over the preview shows the skin as far as it was read.
    if (watched == m_drawingHeldFor && event->type() == QEvent::WindowBlocked) {
        EndHeldDrawing();
        return MdiForm::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
        break;
    default:
        return MdiForm::eventFilter(watched, event);
    }
    const Element element = elementOf(watched);
    if (!element.control)
        return MdiForm::eventFilter(watched, event);
    auto *mouse = static_cast<QMouseEvent *>(event);
    if (event->type() == QEvent::MouseButtonPress)
        elementMouseDown(element, mouse);
    else if (event->type() == QEvent::MouseMove)
        elementMouseMove(element, mouse);
    else if (event->type() == QEvent::MouseButtonRelease)
        elementMouseUp(element, mouse);
    // The elements' own handlers (a click on a picture box) take no part.
    return true;
}

void frmSkin::elementMouseDown(const Element &element, QMouseEvent *event)
{
    const Qt::MouseButton button = event->button();
    const QPoint globalPos = event->globalPosition().toPoint();
    if (element.kind == ElementKind::Button) {
        // Any mouse button selects the button; the right one then asks for its pop-up.
        emit elementPressed(element.kind, element.index, button, globalPos);
    }
    if (button != Qt::LeftButton)
        return;
    if (element.kind == ElementKind::Display) {
        emit elementPressed(element.kind, element.index, button, globalPos);
    } else if (element.kind == ElementKind::Bar) {
        element.control->raise();
        // A label above a picture would take that picture's clicks.
        if (qobject_cast<QLabel *>(element.control)) {
            for (QObject *child : pctSkinMain->children()) {
                if (auto *picture = qobject_cast<PictureBox *>(child)) {
                    element.control->stackUnder(picture);
                    break;
                }
            }
        }
    }
    // Ctrl alone begins a drag on whole skin pixels; with Shift or Alt as well
    // the drag is plain.
    const Qt::KeyboardModifiers keys
        = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    m_visibleDrag = keys == Qt::ControlModifier;
    m_dragOffset = event->position().toPoint();
    m_pressPos = element.control->mapTo(pctSkinMain, m_dragOffset);
    m_dragMoved = false;
    // The selection above may have written the boxes (and marked the skin):
    // that stays, whatever becomes of the drag.
    m_dragStartPlace = element.control->pos();
    m_dragStartRecord = recordedPosition(element);
    m_dragStartMark = gSkinChanged;
    // The pressed control keeps the mouse until the button is released.
    m_dragSource = element.control;
}

bool frmSkin::mainPictureHolds(const QPoint &position) const
{
    // Only the main image takes a drop: the background around it does not.
    if (!pctSkinMain->rect().contains(position))
        return false;
    const QRegion shape = pctSkinMain->mask();
    return shape.isEmpty() || shape.contains(position);
}

void frmSkin::elementMouseMove(const Element &element, QMouseEvent *event)
{
    if (element.kind == ElementKind::Button && event->buttons() == Qt::NoButton)
        emit buttonHovered(element.index);
    if (m_dragSource != element.control || !(event->buttons() & Qt::LeftButton))
        return;
    const QPoint mouse = element.control->mapTo(pctSkinMain, event->position().toPoint());
    // A plain press that the hand shakes a little is still a click: it selects
    // and moves nothing. The Ctrl drag follows every step from the first.
    if (!m_dragMoved) {
        if (!m_visibleDrag && (mouse - m_pressPos).manhattanLength() < QApplication::startDragDistance())
            return;
        m_dragMoved = true;
    }
    // Over the background the element waits where it was last placed.
    if (!mainPictureHolds(mouse))
        return;
    // The element follows the mouse. In the Ctrl drag a coordinate follows only
    // onto whole skin pixels (at zoom 2 the even screen pixels); the plain drag
    // goes wherever the mouse goes, and the boxes' handlers put the element on
    // the whole skin pixel its record takes.
    const QPoint target = mouse - m_dragOffset;
    QPoint moved = target;
    if (m_visibleDrag) {
        moved = element.control->pos();
        if (target.x() % gZoom == 0)
            moved.setX(target.x());
        if (target.y() % gZoom == 0)
            moved.setY(target.y());
    }
    element.control->move(moved);
    UpdateDraggedPosition(element);
}

void frmSkin::elementMouseUp(const Element &element, QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || m_dragSource != element.control)
        return;
    m_dragSource.clear();
    // A click without a move changes nothing: the press has selected the element.
    if (!m_dragMoved)
        return;
    const QPoint mouse = element.control->mapTo(pctSkinMain, event->position().toPoint());
    if (!mainPictureHolds(mouse)) {
        // The Ctrl drag has placed the element at each live step: it stays at the last.
        if (!m_visibleDrag)
            cancelDrag(element);
        return;
    }
    // The drop places the element where the mouse is, without the pixel test.
    element.control->move(mouse - m_dragOffset);
    UpdateDraggedPosition(element);
}

void frmSkin::cancelDrag(const Element &element)
{
    const QPointer<QWidget> control = element.control;
    emit elementDragged(element.kind, element.index, m_dragStartRecord.x(), m_dragStartRecord.y());
    if (!control)
        return;
    setRecordedPosition(element, m_dragStartRecord);
    control->move(m_dragStartPlace);
    if (!m_dragStartMark && gSkinChanged)
        ClearSkinChanged();
}

QPoint frmSkin::recordedPosition(const Element &element)
{
    switch (element.kind) {
    case ElementKind::Display:
        return { gDisplays[element.index].DspX, gDisplays[element.index].DspY };
    case ElementKind::Bar:
        return { gBars[element.index].BarLeft, gBars[element.index].BarTop };
    case ElementKind::Button:
        if (element.index <= ButtonCount())
            return { gButtons[element.index].BtnX, gButtons[element.index].BtnY };
        break;
    }
    return {};
}

void frmSkin::setRecordedPosition(const Element &element, const QPoint &position)
{
    switch (element.kind) {
    case ElementKind::Display:
        gDisplays[element.index].DspX = position.x();
        gDisplays[element.index].DspY = position.y();
        break;
    case ElementKind::Bar:
        gBars[element.index].BarLeft = position.x();
        gBars[element.index].BarTop = position.y();
        break;
    case ElementKind::Button:
        if (element.index <= ButtonCount()) {
            gButtons[element.index].BtnX = position.x();
            gButtons[element.index].BtnY = position.y();
        }
        break;
    }
}

void frmSkin::UpdateDraggedPosition(const Element &element)
{
    // The boxes of the element's tool window take the position first (a half
    // pixel at zoom 2 as it is); their change handlers re-place the element on
    // a whole skin pixel, and the record takes where it ended.
    const QPointer<QWidget> control = element.control;
    emit elementDragged(
        element.kind, element.index, double(control->x()) / gZoom, double(control->y()) / gZoom);
    if (!control)
        return;
    const QPoint position(int32_t(vb::roundHalfEven(double(control->x()) / gZoom)),
        int32_t(vb::roundHalfEven(double(control->y()) / gZoom)));
    setRecordedPosition(element, position);
    // A box that already showed this text ran no handler (a drop where the
    // last live step was): the element still ends where its record says.
    control->move(ZoomedPixels(position.x()), ZoomedPixels(position.y()));
}

void frmSkin::backgroundMouseUp(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton)
        emit backgroundMenuRequested(event->globalPosition().toPoint());
}
