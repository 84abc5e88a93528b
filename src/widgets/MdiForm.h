#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>

class QMdiArea;
class QMdiSubWindow;

// The client area of the main window, in which child windows live. Set by the
// main window; while it is unset (tests of a single window), child windows are
// shown as top-level windows.
QMdiArea *mdiHost();
void setMdiHost(QMdiArea *area);

// Why a window is being unloaded.
enum UnloadMode { vbFormControlMenu = 0, vbFormCode = 1, vbAppWindows = 2, vbFormMDIForm = 4 };

// A child window of the main window (the preview and the tool windows). It lives
// in a QMdiSubWindow of the main window's client area. Closing it asks
// Form_QueryUnload, which may cancel; unloading destroys it.
class MdiForm : public QWidget
{
    Q_OBJECT

public:
    explicit MdiForm(QWidget *parent = nullptr);
    ~MdiForm() override;

    // Shows the window (not modally) inside the main window, or hides it.
    void Show();
    void Hide();
    bool isShown() const;

    // The frame around the window inside the client area (created on first use).
    QWidget *frame();
    // The kind of frame (title bar and its boxes): given before the frame is
    // first used, the frame is made so; a frame already made is changed.
    void setFrameFlags(Qt::WindowFlags flags);

    // Outer geometry in pixels, relative to the client area.
    int frameLeft();
    int frameTop();
    int frameWidth();
    int frameHeight();
    void moveFrame(int left, int top);
    void resizeFrame(int width, int height);

    // The window's title (its caption).
    QString caption() const;
    void setCaption(const QString &caption);

    // Unloads the window: Form_QueryUnload with mode, then Form_Unload; the window
    // is destroyed unless one of them cancels. Returns false when cancelled.
    bool Unload(int mode = vbFormCode);
    // The mode of the unload under way while Form_Unload runs, else vbFormCode.
    int unloadingMode() const { return m_unloadingMode; }

protected:
    // Return true to cancel the unload.
    virtual bool Form_QueryUnload(int unloadMode);
    // Set cancel to keep the window.
    virtual void Form_Unload(bool &cancel);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QMdiSubWindow> m_subWindow;
    Qt::WindowFlags m_frameFlags;
    bool m_unloading = false;
    int m_unloadingMode = vbFormCode;
};

// The window above the child windows connects to what each one reports: the
// hook runs for every default instance right after its construction, before
// its Form_Load. An empty function removes it.
void setFormCreatedHook(std::function<void(MdiForm *form)> hook);
void notifyFormCreated(MdiForm *form);

// The default instance of a window class: get() loads it on first use (the
// constructor creates the controls, then Form_Load runs), loaded() tells whether
// it exists, unload() destroys it.
template <typename T> class FormInstance
{
public:
    static T *loaded() { return s_instance.data(); }
    static T *get()
    {
        if (!s_instance) {
            s_instance = new T;
            notifyFormCreated(s_instance.data());
            s_instance->Form_Load();
        }
        return s_instance.data();
    }
    static bool unload(int mode = vbFormCode)
    {
        if (!s_instance)
            return true;
        return s_instance->Unload(mode);
    }

private:
    static inline QPointer<T> s_instance;
};
