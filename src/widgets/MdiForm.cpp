#include "widgets/MdiForm.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <algorithm>
#include <vector>

namespace {
QPointer<QMdiArea> g_host;

// The frames of unloaded windows, kept hidden in their area for the next window
// loaded with the same frame: a frame is costly to make (its window menu and
// its title bar's controls come with it), and the tool windows unload and load
// again with each skin.
struct SparedFrame {
    QPointer<QMdiSubWindow> frame;
    QMdiArea *area;
    Qt::WindowFlags flags;
};

std::vector<SparedFrame> &sparedFrames()
{
    static std::vector<SparedFrame> frames;
    return frames;
}

QMdiSubWindow *takeSparedFrame(QMdiArea *area, Qt::WindowFlags flags)
{
    auto &frames = sparedFrames();
    std::erase_if(frames, [](const SparedFrame &spared) { return !spared.frame; });
    const auto it = std::find_if(frames.begin(), frames.end(),
        [&](const SparedFrame &spared) { return spared.area == area && spared.flags == flags; });
    if (it == frames.end())
        return nullptr;
    QMdiSubWindow *frame = it->frame;
    frames.erase(it);
    return frame;
}

// Keeps sub, taken out of area, for another window: without the size limits
// its window gave it, as a new frame is.
void spareFrame(QMdiSubWindow *sub, QMdiArea *area, Qt::WindowFlags flags)
{
    sub->setParent(area->viewport(), sub->windowFlags());
    sub->setMinimumSize(0, 0);
    sub->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    sparedFrames().push_back({ sub, area, flags });
}

std::function<void(MdiForm *)> &formCreatedHook()
{
    static std::function<void(MdiForm *)> hook;
    return hook;
}

} // namespace

void setFormCreatedHook(std::function<void(MdiForm *form)> hook)
{
    formCreatedHook() = std::move(hook);
}

void notifyFormCreated(MdiForm *form)
{
    if (formCreatedHook())
        formCreatedHook()(form);
}

QMdiArea *mdiHost()
{
    return g_host.data();
}

void setMdiHost(QMdiArea *area)
{
    g_host = area;
}

MdiForm::MdiForm(QWidget *parent)
    : QWidget(parent)
{
}

MdiForm::~MdiForm() = default;

QWidget *MdiForm::frame()
{
    if (m_subWindow)
        return m_subWindow;
    if (QMdiArea *area = mdiHost()) {
        if (QMdiSubWindow *spared = takeSparedFrame(area, m_frameFlags)) {
            spared->setWidget(this);
            m_subWindow = area->addSubWindow(spared);
        } else {
            m_subWindow = area->addSubWindow(this, m_frameFlags);
        }
        m_subWindow->setObjectName(objectName() + QStringLiteral("_frame"));
        m_subWindow->installEventFilter(this);
        return m_subWindow;
    }
    return this;
}

void MdiForm::setFrameFlags(Qt::WindowFlags flags)
{
    m_frameFlags = flags;
    if (!m_subWindow || m_subWindow->windowFlags() == flags)
        return;
    const bool shown = m_subWindow->isVisible();
    m_subWindow->setWindowFlags(flags);
    if (shown)
        m_subWindow->show();
}

void MdiForm::Show()
{
    QWidget *f = frame();
    // As it shows, a frame works out each of its title bar's regions anew,
    // eliding its title for each: shown untitled and then titled, it elides
    // it twice instead of ten times. It does so again when it is laid out
    // after its window's size was set: that too is done before the title.
    const QString title = f != this && !f->isVisible() ? f->windowTitle() : QString();
    if (!title.isEmpty())
        f->setWindowTitle(QString());
    if (f != this)
        QWidget::show(); // shows the frame as well
    f->show();
    if (!title.isEmpty()) {
        QCoreApplication::sendPostedEvents(f, QEvent::LayoutRequest);
        f->setWindowTitle(title);
    }
    f->raise();
}

void MdiForm::Hide()
{
    frame()->hide();
}

bool MdiForm::isShown() const
{
    const QWidget *f = m_subWindow ? static_cast<const QWidget *>(m_subWindow.data()) : this;
    return f->isVisible();
}

int MdiForm::frameLeft()
{
    return frame()->x();
}

int MdiForm::frameTop()
{
    return frame()->y();
}

int MdiForm::frameWidth()
{
    return frame()->width();
}

int MdiForm::frameHeight()
{
    return frame()->height();
}

void MdiForm::moveFrame(int left, int top)
{
    frame()->move(left, top);
}

void MdiForm::resizeFrame(int width, int height)
{
    frame()->resize(width, height);
}

QString MdiForm::caption() const
{
    return windowTitle();
}

void MdiForm::setCaption(const QString &caption)
{
    setWindowTitle(caption);
    if (m_subWindow)
        m_subWindow->setWindowTitle(caption);
}

bool MdiForm::Unload(int mode)
{
    if (m_unloading)
        return true;
    if (Form_QueryUnload(mode))
        return false;
    bool cancel = false;
    m_unloadingMode = mode;
    Form_Unload(cancel);
    m_unloadingMode = vbFormCode;
    if (cancel)
        return false;
    m_unloading = true;
    hide();
    if (m_subWindow) {
        QMdiSubWindow *sub = m_subWindow;
        sub->removeEventFilter(this);
        sub->hide();
        // A hidden frame given the focus (its window menu's Move does that) keeps a
        // focus record of its own that differs from the windows' above it, and
        // leaving the area clears only its own: theirs would go on pointing at a
        // control that is destroyed with this window.
        for (QWidget *above = sub->parentWidget(); above;
             above = above->isWindow() ? nullptr : above->parentWidget()) {
            QWidget *focus = above->focusWidget();
            if (focus && sub->isAncestorOf(focus))
                focus->clearFocus();
        }
        QMdiArea *area = sub->mdiArea();
        // A frame left minimized (or shaded) or maximized is not worth its
        // undoing, and none is kept when the main window closes.
        const bool spare = area && mode != vbFormMDIForm
            && !(sub->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized));
        if (area)
            area->removeSubWindow(sub);
        sub->setWidget(nullptr);
        if (spare)
            spareFrame(sub, area, m_frameFlags);
        else
            sub->deleteLater(); // it may be in the middle of its own close event
    }
    delete this;
    return true;
}

bool MdiForm::Form_QueryUnload(int)
{
    return false;
}

void MdiForm::Form_Unload(bool &) { }

bool MdiForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_subWindow && event->type() == QEvent::Close && !m_unloading) {
        // The close box: the window decides whether it unloads.
        // Nothing of this object may be touched after Unload: it may be gone.
        event->ignore();
        Unload(vbFormControlMenu);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
