#include "core/frmMain.h"

#include "core/ShellFailure.h"
#include "skin/FileWriter.h"
#include "widgets/MdiForm.h"
#include "widgets/MenuIcons.h"
#include "resources/MenuBitmaps.h"
#include "skin/Module.h"
#include "skin/OpenRoad.h"
#include "skin/Settings.h"
#include "preview/frmSkin.h"
#include "core/ApplyLanguage.h"
#include "editors/ToolWindows.h"
#include "editors/buttons/ButtonToolWindow.h"
#include "lang/Locale.h"
#include "platform/AppInfo.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/Screen.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QUrl>

namespace {
QPointer<frmMain> g_main;

// The designed client area: 15240 x 10830 twips.
constexpr int DesignedWidth = 1016;
constexpr int DesignedHeight = 722;

// The colour dialog's 16 custom colours until the settings file gives others.
const QString DefaultPalette = QStringLiteral(
    "0,0,0,0,170,0,0,0,0,170,0,0,170,170,0,0,0,0,170,0,170,0,170,0,0,170,170,0,85,85,85,0,"
    "170,170,170,0,255,0,0,0,0,255,0,0,255,255,0,0,0,0,255,0,255,0,255,0,0,255,255,0,255,255,255,0");

// Where the main window whose client area was saved at saved goes on the
// screens there now.
QRect placeOnScreens(const QRect &saved)
{
    QList<screen::Area> areas;
    const QScreen *primary = QGuiApplication::primaryScreen();
    for (const QScreen *each : QGuiApplication::screens()) {
        const screen::Area area { each->geometry(), each->availableGeometry() };
        if (each == primary)
            areas.prepend(area);
        else
            areas.append(area);
    }
    // The frame is not known until the window manager has framed the window:
    // the preview's allowance for a frame stands in for it.
    const int side = gFrameBorderX / 2;
    return screen::placeOnScreens(saved, areas, QMargins(side, gFrameBorderY - side, side, side));
}

} // namespace

frmMain::frmMain()
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("TVX Morvane (by Orlo)"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAcceptDrops(true);
    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName(QStringLiteral("mdiArea"));
    // A child window that reaches past the client area (the full-screen tool
    // window at the first start's size, a wide preview at zoom 2) stays reachable.
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);
    setMdiHost(m_mdiArea);
    resize(DesignedWidth, DesignedHeight);
    g_main = this;

    createMenus();
    connectMenus();
    connectPreviewAndToolWindows();
    setStartMenuStates();
}

frmMain::~frmMain()
{
    setFormCreatedHook({});
}

frmMain *frmMain::instance()
{
    return g_main.data();
}

// --- The child windows' reports and the menus' states ---

void frmMain::connectPreviewAndToolWindows()
{
    PreviewEvents &preview = PreviewEvents::instance();
    connect(&preview, &PreviewEvents::fileNameNeeded, this, &frmMain::mnuFileSave_Click);
    connect(&preview, &PreviewEvents::loading, this, &frmMain::previewLoading);
    connect(&preview, &PreviewEvents::unloading, this, [this] {
        // As the preview goes: with the main window when it closes.
        const frmSkin *skin = frmSkin::loaded();
        toolwindows::unloadAll(skin ? skin->unloadingMode() : vbFormCode);
        UpdateSkinMenus(false);
    });
    connect(&ToolWindowEvents::instance(), &ToolWindowEvents::closedByUser, this, [this](ToolWindowId id) {
        // Through the View command, so that the menu item's check mark follows.
        (this->*viewCommand(id))();
    });
    setFormCreatedHook([this](MdiForm *form) { connectChildWindow(form); });
}

void frmMain::previewLoading(frmSkin *preview)
{
    // Beside the button tool window; reading its width loads it without showing it.
    const int buttonWindowWidth = toolwindows::activeButtonWindow()->frameWidth();
    preview->moveFrame(gFullScreenSkin ? buttonWindowWidth : 2 * buttonWindowWidth, 0);
    UpdateSkinMenus(true);
    setMenuIcons(MenuIconTime::SkinOpens);
    toolwindows::showAll();
}

void (frmMain::*frmMain::viewCommand(ToolWindowId id))()
{
    switch (id) {
    case ToolWindowId::Images:
        return &frmMain::mnuViewImagesTB_Click;
    case ToolWindowId::Display:
        return &frmMain::mnuViewDisplayTB_Click;
    case ToolWindowId::TrackVolume:
        return &frmMain::mnuViewTrackVolumeTB_Click;
    case ToolWindowId::FullScreen:
        break;
    }
    return &frmMain::mnuViewFullScreenTB_Click;
}

void frmMain::setStartMenuStates()
{
    for (QAction *toggle : { mnuViewImagesTB, mnuViewDisplayTB, mnuViewTrackVolumeTB, mnuViewFullScreenTB })
        toggle->setChecked(true);
    UpdateSkinMenus(false);
    // A heading; the language list enables it once it lists a language.
    mnuLanguageChoose->setEnabled(false);
    mnuLanguageSep0->setVisible(false);
    // Enabled by the buttons frame before it pops up, when its list holds a button.
    mnufmBtnRightClickMultilanguage->setEnabled(false);
}

void frmMain::UpdateSkinMenus(bool skinOpen)
{
    mnuFileClose->setEnabled(skinOpen);
    mnuFileSave->setEnabled(skinOpen);
    mnuFileCreateTVK->setVisible(skinOpen);
    mnuFileTestSkin->setVisible(skinOpen);
    mnuFileSep2->setVisible(skinOpen);
    mnuView->menuAction()->setVisible(skinOpen);
    if (skinOpen) {
        for (QAction *toggle :
            { mnuViewImagesTB, mnuViewDisplayTB, mnuViewTrackVolumeTB, mnuViewFullScreenTB })
            toggle->setChecked(true);
    }
    const bool windowSkin = skinOpen && !gFullScreenSkin;
    mnuViewImagesTB->setEnabled(windowSkin);
    mnuViewDisplayTB->setEnabled(windowSkin);
    mnuViewTrackVolumeTB->setEnabled(windowSkin);
    mnuViewFullScreenTB->setEnabled(skinOpen && gFullScreenSkin);
}

// --- Start-up ---

void frmMain::MDIForm_Load(const QStringList &arguments)
{
    setFrameOffsets();
    ListLanguageFiles(mnuLanguageSep0, mnuLanguageLng);
    m_settingsFile = SettingsFilePath();
    chooseSavedLanguage();
    attachMenuIcons();
    gCustomPalette = DefaultPalette;
    gBackColor = -1;
    restoreWindow();
    openCommandLine(arguments);
}

uint8_t FrameBorderYFor(int titleBarHeight, uint8_t previous)
{
    const int allowance = titleBarHeight + 10;
    uint8_t border = (allowance >= 0 && allowance <= 255) ? static_cast<uint8_t>(allowance) : previous;
    if (border < 11 || border > 99)
        border = 29;
    return border;
}

void frmMain::setFrameOffsets()
{
    gFrameBorderY
        = FrameBorderYFor(style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this), gFrameBorderY);
    gFrameBorderX = 10;
}

void frmMain::chooseSavedLanguage()
{
    if (!QFileInfo(m_settingsFile).isFile()) {
        gUILanguage.clear();
        ApplyLanguage();
        return;
    }
    gUILanguage = ReadSettings(m_settingsFile).Language;
    for (int i = 0; i <= mnuLanguageLng.uBound(); ++i) {
        QAction *item = mnuLanguageLng[i];
        if (item && item->text().compare(gUILanguage, Qt::CaseInsensitive) == 0) {
            mnuLanguageLng_Click(i);
            return;
        }
    }
    ApplyLanguage();
}

void frmMain::attachMenuIcons()
{
    LoadMenuBitmaps();
    gMenuHandle = menuBar();
    setMenuIcons(MenuIconTime::StartUp);
}

void frmMain::restoreWindow()
{
    // Values of an earlier run of this process must not leak into a first start.
    gLastSkinPath.clear();
    gPlayerLangPath.clear();
    gPlayerLangFile.clear();

    if (!QFileInfo(m_settingsFile).isFile()) {
        move(0, 0);
        show();
        const QString guide = AddBackslash(app::path()) + app::title() + QStringLiteral(".pdf");
        if (fs::fileExists(guide)) {
            const int answer = dialogs::msgBox(Message(13010) + QLatin1Char('\n') + Message(13011),
                dialogs::vbYesNo | dialogs::vbInformation, Message(13001), this);
            if (answer == dialogs::vbYes)
                OpenWithShell(this, fs::resolve(guide));
        }
        return;
    }

    const SettingsRecord saved = ReadSettings(m_settingsFile);
    // The client area, as the shut-down saves it: a window manager frames the
    // window around it, so the place holds from one start to the next. It is
    // given before the window is shown: given after, it is not yet what the
    // window system reports as the normal place of a window maximised at once,
    // and a close while still maximised would save the window manager's place.
    setGeometry(placeOnScreens(QRect(saved.XPos, saved.YPos, saved.Width, saved.Height)));
    show();
    switch (saved.State) {
    case 1:
        setWindowState(Qt::WindowMinimized);
        break;
    case 2:
        setWindowState(Qt::WindowMaximized);
        break;
    default:
        setWindowState(Qt::WindowNoState);
        break;
    }
    gCustomPalette = saved.CustomPalette;
    gLastSkinPath = saved.LastSkinPath;
    gPlayerLangPath = saved.LangPath;
    gPlayerLangFile = saved.LangFile;
    // The preview applies it when it opens.
    gBackColor = saved.BackColor;
}

void frmMain::openCommandLine(const QStringList &arguments)
{
    const QString path = CommandLineSkinFile(arguments);
    if (!path.isEmpty())
        OpenRoad(path);
}

// --- Shut-down ---

void frmMain::closeEvent(QCloseEvent *event)
{
    commitPendingEdits();
    if (!closeChildWindows()) {
        event->ignore();
        return;
    }
    MDIForm_Unload();
    event->accept();
}

bool frmMain::closeChildWindows()
{
    // The preview asks about unsaved changes and closes its tool windows; the
    // program goes on when the user keeps the skin or its save failed.
    frmSkin::unload(vbFormMDIForm);
    if (frmSkin::loaded())
        return false;
    toolwindows::unloadAll(vbFormMDIForm);
    return true;
}

void frmMain::MDIForm_Unload()
{
    // A window that never started (tests of other windows) leaves no settings.
    if (m_settingsFile.isEmpty())
        return;
    FreeMenuBitmaps();
    WriteSettings();
}

void frmMain::WriteSettings()
{
    SettingsRecord settings;
    // A window that was never normal has no other place than its own.
    const QRect normal = normalGeometry();
    settings.setWindow(isMinimized(), isMaximized(), normal.isValid() ? normal : geometry());
    settings.CustomPalette = gCustomPalette;
    settings.LastSkinPath = gLastSkinPath;
    settings.LangPath = gPlayerLangPath;
    settings.LangFile = gPlayerLangFile;
    settings.Language = gUILanguage;
    settings.BackColor = gBackColor;
    UpdateTextFile(m_settingsFile, SettingsLines(settings), Message(13006), TextEncoding::Cp1252OrUtf8Bom);
}

// --- Dropping a skin file ---

bool frmMain::acceptsDrag(const QMimeData *data) const
{
    // Nothing drops while a modal window is open over the main window.
    if (!data || !data->hasUrls() || QApplication::activeModalWidget())
        return false;
    const QList<QUrl> urls = data->urls();
    // Only the first file counts, however many are dragged.
    return !urls.isEmpty() && urls.first().isLocalFile() && IsAcceptableSkinPath(urls.first().toLocalFile());
}

void frmMain::dragEnterEvent(QDragEnterEvent *event)
{
    dragMoveEvent(event);
}

void frmMain::dragMoveEvent(QDragMoveEvent *event)
{
    if (acceptsDrag(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void frmMain::dropEvent(QDropEvent *event)
{
    if (!acceptsDrag(event->mimeData())) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    // The open road may ask questions: the drag source is let go first.
    const QString path = event->mimeData()->urls().first().toLocalFile();
    QMetaObject::invokeMethod(
        this, [this, path] { OpenRoad(path); }, Qt::QueuedConnection);
}
