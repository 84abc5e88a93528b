#pragma once

#include "widgets/MdiForm.h"

#include <QList>

class ButtonToolWindow;
class LangReader;
class QComboBox;

// The tool windows: Images, Display and TrackVolume edit a window skin,
// FullScreen a full-screen skin.
enum class ToolWindowId { Images, Display, TrackVolume, FullScreen };

// What every tool window has: texts in the current language, one entry point
// that shows the document, and a close box that only hides the window.
class ToolWindow : public MdiForm
{
    Q_OBJECT

public:
    explicit ToolWindow(ToolWindowId id);
    ~ToolWindow() override;

    ToolWindowId id() const { return m_id; }

    // Gives the window's captions, labels, tooltips and list entries their texts
    // in the current language (also run by the window's own load). No handler runs.
    virtual void ApplyTexts(const LangReader &lang) = 0;

    // Shows the current document in the window's controls, after a read and
    // after New. It writes the controls as the user would, so their handlers run
    // and the preview follows; which frames are enabled stays as it is.
    virtual void showDocument() = 0;

    // Enables the frames that wait for a main image (they are never disabled again).
    virtual void EnableFrames() { }

    // The kind box of bar i (0 the track bar, 1 the volume bar) this window
    // edits, or nullptr.
    virtual QComboBox *barKindBox(int bar);

protected:
    // The user's close (the close box) does not unload a tool window: it is
    // reported by ToolWindowEvents::closedByUser, whose receiver hides the window
    // and clears its View item's check mark, and the unload is cancelled (without
    // a receiver the window only hides). Every other request unloads it.
    bool Form_QueryUnload(int unloadMode) override;

private:
    ToolWindowId m_id;
};

// What the tool windows report to the windows above them.
class ToolWindowEvents : public QObject
{
    Q_OBJECT

public:
    static ToolWindowEvents &instance();

    // Whether a window above listens to closedByUser.
    bool closeIsHandled() const;

signals:
    void closedByUser(ToolWindowId id);
};

// The set of tool windows. Only the windows of the open skin's kind exist, and
// they stay loaded while the skin is open (a closed tool window is only hidden).
// Implemented in toolwindows/ToolWindowSet.cpp, which includes every window; it
// is declared here, above the windows' folders, because the windows call it too,
// and a folder that both includes the windows and is included by them would
// close a circle between folders.
namespace toolwindows {

// The windows of a skin kind, in the order they are shown.
QList<ToolWindowId> ofKind(bool fullScreen);
// All four.
QList<ToolWindowId> all();

// The window, loaded when needed.
ToolWindow *get(ToolWindowId id);
// The window when it is loaded, else nullptr.
ToolWindow *loaded(ToolWindowId id);

// Shows the windows of gFullScreenSkin's kind (loading them).
void showAll();
// Shows or hides one window when it is loaded.
void setShown(ToolWindowId id, bool shown);
// Unloads every loaded tool window with the unload mode given.
void unloadAll(int mode = vbFormCode);

// The button tool window of the open skin's kind: FullScreen while
// gFullScreenSkin is set, otherwise Images (loaded when needed).
ButtonToolWindow *activeButtonWindow();

// Gives the loaded windows of gFullScreenSkin's kind their texts: the action
// names of the button window, then every window's ApplyTexts.
void applyTexts(const LangReader &lang);

// Runs showDocument of every window of gFullScreenSkin's kind (loading them).
void showDocument();

} // namespace toolwindows
