#include "core/frmMain.h"

#include "core/MdiForm.h"
#include "core/Module.h"

#include <QAction>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

namespace {
QPointer<frmMain> g_main;

// The designed client area: 15240 x 10830 twips.
constexpr int DesignedWidth = 1016;
constexpr int DesignedHeight = 722;
} // namespace

frmMain::frmMain()
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("TVX Morvane (by Orlo)"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAcceptDrops(true);
    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(m_mdiArea);
    setMdiHost(m_mdiArea);
    resize(DesignedWidth, DesignedHeight);
    g_main = this;

    createMenus();
    connectHandlers();
    setStartMenuStates();
}

frmMain::~frmMain() = default;

frmMain *frmMain::instance()
{
    return g_main.data();
}

// --- Menus ---

QMenu *frmMain::addMenu(const char *name, bool inMenuBar)
{
    auto *menu = new QMenu(this);
    menu->setObjectName(QLatin1String(name));
    if (inMenuBar)
        menuBar()->addMenu(menu);
    return menu;
}

QAction *frmMain::addItem(QMenu *menu, const char *name, const QKeySequence &shortcut)
{
    QAction *action = menu->addAction(QString());
    action->setObjectName(QLatin1String(name));
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        // The shortcuts work from every child window, as menu accelerators do.
        action->setShortcutContext(Qt::ApplicationShortcut);
    }
    return action;
}

QAction *frmMain::addSeparator(QMenu *menu, const char *name)
{
    QAction *action = menu->addSeparator();
    action->setObjectName(QLatin1String(name));
    return action;
}

void frmMain::createMenus()
{
    createFileMenu();
    createViewMenu();
    createLanguageMenu();
    createHelpMenu();
    createPopupMenus();
}

void frmMain::createFileMenu()
{
    mnuFile = addMenu("mnuFile", true);
    mnuFileNew = addItem(mnuFile, "mnuFileNew", QKeySequence(Qt::Key_F2));
    mnuFileNewFS = addItem(mnuFile, "mnuFileNewFS", QKeySequence(Qt::CTRL | Qt::Key_F2));
    mnuFileOpen = addItem(mnuFile, "mnuFileOpen", QKeySequence(Qt::Key_F3));
    mnuFileClose = addItem(mnuFile, "mnuFileClose", QKeySequence(Qt::Key_F4));
    mnuFileSep0 = addSeparator(mnuFile, "mnuFileSep0");
    mnuFileSave = addItem(mnuFile, "mnuFileSave", QKeySequence(Qt::Key_F5));
    mnuFileSep1 = addSeparator(mnuFile, "mnuFileSep1");
    mnuFileCreateTVK = addItem(mnuFile, "mnuFileCreateTVK", QKeySequence(Qt::Key_F11));
    mnuFileTestSkin = addItem(mnuFile, "mnuFileTestSkin", QKeySequence(Qt::CTRL | Qt::Key_F11));
    mnuFileSep2 = addSeparator(mnuFile, "mnuFileSep2");
    mnuFileExit = addItem(mnuFile, "mnuFileExit");
}

void frmMain::createViewMenu()
{
    mnuView = addMenu("mnuView", true);
    mnuViewImagesTB = addItem(mnuView, "mnuViewImagesTB", QKeySequence(Qt::Key_F6));
    mnuViewDisplayTB = addItem(mnuView, "mnuViewDisplayTB", QKeySequence(Qt::Key_F7));
    mnuViewTrackVolumeTB = addItem(mnuView, "mnuViewTrackVolumeTB", QKeySequence(Qt::Key_F8));
    mnuViewFullScreenTB = addItem(mnuView, "mnuViewFullScreenTB", QKeySequence(Qt::CTRL | Qt::Key_F8));
    for (QAction *toggle : {mnuViewImagesTB, mnuViewDisplayTB, mnuViewTrackVolumeTB, mnuViewFullScreenTB})
        toggle->setCheckable(true);
    mnuViewSep0 = addSeparator(mnuView, "mnuViewSep0");
    mnuViewSkinFile = addItem(mnuView, "mnuViewSkinFile", QKeySequence(Qt::Key_F9));
    mnuViewApplyZOrder = addItem(mnuView, "mnuViewApplyZOrder", QKeySequence(Qt::CTRL | Qt::Key_F9));
}

void frmMain::createLanguageMenu()
{
    mnuLanguage = addMenu("mnuLanguage", true);
    mnuLanguageChoose = addItem(mnuLanguage, "mnuLanguageChoose");
    mnuLanguageSep0 = addSeparator(mnuLanguage, "mnuLanguageSep0");
    // One item per language file; the language list loads the elements past 0.
    mnuLanguageLng.setFactory(QStringLiteral("mnuLanguageLng"), [this](int index) {
        auto *item = new QAction(mnuLanguage);
        item->setCheckable(true);
        item->setVisible(false);
        mnuLanguage->addAction(item);
        connect(item, &QAction::triggered, this, [this, index] { mnuLanguageLng_Click(index); });
        return item;
    });
    mnuLanguageLng.load(0);
}

void frmMain::createHelpMenu()
{
    mnuHelp = addMenu("mnuHelp", true);
    mnuHelpGuide = addItem(mnuHelp, "mnuHelpGuide", QKeySequence(Qt::Key_F1));
    mnuHelpSep0 = addSeparator(mnuHelp, "mnuHelpSep0");
    mnuHelpLicense = addItem(mnuHelp, "mnuHelpLicense", QKeySequence(Qt::CTRL | Qt::Key_F1));
    mnuHelpAbout = addItem(mnuHelp, "mnuHelpAbout", QKeySequence(Qt::Key_F12));
}

void frmMain::createPopupMenus()
{
    // Shown only as pop-ups by other windows, never in the menu bar.
    mnuBackGround = addMenu("mnuBackGround", false);
    mnuBackGround->setTitle(QStringLiteral("BackgroundMenu"));
    mnuBackGroundChoose = addItem(mnuBackGround, "mnuBackGroundChoose");
    mnuBackGroundRestore = addItem(mnuBackGround, "mnuBackGroundRestore");

    mnufmBtnRightClick = addMenu("mnufmBtnRightClick", false);
    mnufmBtnRightClick->setTitle(QStringLiteral("fmBtnRightClick"));
    mnufmBtnRightClickMultilanguage = addItem(mnufmBtnRightClick, "mnufmBtnRightClickMultilanguage");

    mnupctBtnRightClick = addMenu("mnupctBtnRightClick", false);
    mnupctBtnRightClickUP = addItem(mnupctBtnRightClick, "mnupctBtnRightClickUP");
    mnupctBtnRightClickDOWN = addItem(mnupctBtnRightClick, "mnupctBtnRightClickDOWN");
    mnupctBtnRightClickBOTTOM = addItem(mnupctBtnRightClick, "mnupctBtnRightClickBOTTOM");
    mnupctBtnRightClickREMOVE = addItem(mnupctBtnRightClick, "mnupctBtnRightClickREMOVE");
    mnupctBtnRightClickCLEAR = addItem(mnupctBtnRightClick, "mnupctBtnRightClickCLEAR");
    mnupctBtnRightClickSORT = addItem(mnupctBtnRightClick, "mnupctBtnRightClickSORT");
}

void frmMain::connectHandlers()
{
    const auto on = [this](QAction *item, void (frmMain::*handler)()) {
        connect(item, &QAction::triggered, this, handler);
    };
    on(mnuFileNew, &frmMain::mnuFileNew_Click);
    on(mnuFileNewFS, &frmMain::mnuFileNewFS_Click);
    on(mnuFileOpen, &frmMain::mnuFileOpen_Click);
    on(mnuFileClose, &frmMain::mnuFileClose_Click);
    on(mnuFileSave, &frmMain::mnuFileSave_Click);
    on(mnuFileCreateTVK, &frmMain::mnuFileCreateTVK_Click);
    on(mnuFileTestSkin, &frmMain::mnuFileTestSkin_Click);
    on(mnuFileExit, &frmMain::mnuFileExit_Click);
    on(mnuViewSkinFile, &frmMain::mnuViewSkinFile_Click);
    on(mnuViewApplyZOrder, &frmMain::mnuViewApplyZOrder_Click);
    on(mnuBackGroundChoose, &frmMain::mnuBackGroundChoose_Click);
    on(mnuBackGroundRestore, &frmMain::mnuBackGroundRestore_Click);
    on(mnuHelpGuide, &frmMain::mnuHelpGuide_Click);
    on(mnuHelpLicense, &frmMain::mnuHelpLicense_Click);
    on(mnuHelpAbout, &frmMain::mnuHelpAbout_Click);
    on(mnufmBtnRightClickMultilanguage, &frmMain::mnufmBtnRightClickMultilanguage_Click);
    on(mnupctBtnRightClickUP, &frmMain::mnupctBtnRightClickUP_Click);
    on(mnupctBtnRightClickDOWN, &frmMain::mnupctBtnRightClickDOWN_Click);
    on(mnupctBtnRightClickBOTTOM, &frmMain::mnupctBtnRightClickBOTTOM_Click);
    on(mnupctBtnRightClickREMOVE, &frmMain::mnupctBtnRightClickREMOVE_Click);
    on(mnupctBtnRightClickCLEAR, &frmMain::mnupctBtnRightClickCLEAR_Click);
    on(mnupctBtnRightClickSORT, &frmMain::mnupctBtnRightClickSORT_Click);

    // A tool-window toggle inverts its own check mark (other windows call it
    // too), so the mark Qt has already inverted on a menu click is put back first.
    const auto toggle = [this](QAction *item, void (frmMain::*handler)()) {
        connect(item, &QAction::triggered, this, [this, item, handler](bool checked) {
            item->setChecked(!checked);
            (this->*handler)();
        });
    };
    toggle(mnuViewImagesTB, &frmMain::mnuViewImagesTB_Click);
    toggle(mnuViewDisplayTB, &frmMain::mnuViewDisplayTB_Click);
    toggle(mnuViewTrackVolumeTB, &frmMain::mnuViewTrackVolumeTB_Click);
    toggle(mnuViewFullScreenTB, &frmMain::mnuViewFullScreenTB_Click);
}

void frmMain::setStartMenuStates()
{
    for (QAction *toggle : {mnuViewImagesTB, mnuViewDisplayTB, mnuViewTrackVolumeTB, mnuViewFullScreenTB})
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
        for (QAction *toggle : {mnuViewImagesTB, mnuViewDisplayTB, mnuViewTrackVolumeTB, mnuViewFullScreenTB})
            toggle->setChecked(true);
    }
    const bool windowSkin = skinOpen && !gFullScreenSkin;
    mnuViewImagesTB->setEnabled(windowSkin);
    mnuViewDisplayTB->setEnabled(windowSkin);
    mnuViewTrackVolumeTB->setEnabled(windowSkin);
    mnuViewFullScreenTB->setEnabled(skinOpen && gFullScreenSkin);
}
