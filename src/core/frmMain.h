#pragma once

#include "platform/ControlArray.h"

#include <QMainWindow>

#include <cstdint>

class LangReader;
class QAction;
class QMdiArea;
class QMenu;
class frmSkin;
enum class ToolWindowId;

// The main window: the multiple-document frame with the program's menus, in
// which the preview window and the tool windows live. It starts the program,
// restores and saves the settings file and runs the skin commands.
class frmMain : public QMainWindow
{
    Q_OBJECT

public:
    frmMain();
    ~frmMain() override;

    // The one main window (nullptr before start-up).
    static frmMain *instance();

    // Start-up: runs once after construction. arguments as QCoreApplication::arguments()
    // gives them (element 0 is the program); the first one after it may name a skin.
    void MDIForm_Load(const QStringList &arguments);

    QMdiArea *mdiArea() const { return m_mdiArea; }

    // The skin-related menu items: switched on for the kind of skin in
    // gFullScreenSkin while a skin is open, off when it closes. The View menu's
    // check marks are all set when a skin opens and left alone when it closes.
    void UpdateSkinMenus(bool skinOpen);

    // The open road: closes the open skin (the user may refuse), then opens path
    // (a skin INI file or a ".tvk" archive). An empty path takes the file the
    // Open dialog left in gDlgFileName and gDlgFileTitle.
    void OpenRoad(const QString &path = QString());

    // Text typed into a tool window's box and not yet committed goes into the
    // document: Save, Close, Open, New and Exit run this first.
    void commitPendingEdits();

    // Gives the menus their captions in lang's language.
    void applyMenuTexts(const LangReader &lang);

    // When a menu item takes its icon: at start-up, when a skin opens (the items
    // that appear with it) or when the preview button's pop-up opens.
    enum class MenuIconTime { StartUp, SkinOpens, ButtonPopup };

    // Commands other windows call.
    void mnuFileSave_Click();
    void mnuBackGroundChoose_Click();
    void mnuViewApplyZOrder_Click();
    void mnuViewImagesTB_Click();
    void mnuViewDisplayTB_Click();
    void mnuViewTrackVolumeTB_Click();
    void mnuViewFullScreenTB_Click();
    void mnuLanguageLng_Click(int index);

    // The other commands, one per menu item.
    void mnuFileNew_Click();
    void mnuFileNewFS_Click();
    void mnuFileOpen_Click();
    void mnuFileClose_Click();
    void mnuFileCreateTVK_Click();
    void mnuFileTestSkin_Click();
    void mnuFileExit_Click();
    void mnuViewSkinFile_Click();
    void mnuBackGroundRestore_Click();
    void mnuHelpGuide_Click();
    void mnuHelpLicense_Click();
    void mnuHelpAbout_Click();
    void mnufmBtnRightClickMultilanguage_Click();
    void mnupctBtnRightClickUP_Click();
    void mnupctBtnRightClickDOWN_Click();
    void mnupctBtnRightClickBOTTOM_Click();
    void mnupctBtnRightClickREMOVE_Click();
    void mnupctBtnRightClickCLEAR_Click();
    void mnupctBtnRightClickSORT_Click();

    // The menus, named as the program addresses them; the menu table
    // (frmMain_Menus.cpp) fills them.
    QMenu *mnuFile = nullptr;
    QAction *mnuFileNew = nullptr;
    QAction *mnuFileNewFS = nullptr;
    QAction *mnuFileOpen = nullptr;
    QAction *mnuFileClose = nullptr;
    QAction *mnuFileSep0 = nullptr;
    QAction *mnuFileSave = nullptr;
    QAction *mnuFileSep1 = nullptr;
    QAction *mnuFileCreateTVK = nullptr;
    QAction *mnuFileTestSkin = nullptr;
    QAction *mnuFileSep2 = nullptr;
    QAction *mnuFileExit = nullptr;
    QMenu *mnuView = nullptr;
    QAction *mnuViewImagesTB = nullptr;
    QAction *mnuViewDisplayTB = nullptr;
    QAction *mnuViewTrackVolumeTB = nullptr;
    QAction *mnuViewFullScreenTB = nullptr;
    QAction *mnuViewSep0 = nullptr;
    QAction *mnuViewSkinFile = nullptr;
    QAction *mnuViewApplyZOrder = nullptr;
    QMenu *mnuLanguage = nullptr;
    QAction *mnuLanguageChoose = nullptr;
    QAction *mnuLanguageSep0 = nullptr;
    ControlArray<QAction> mnuLanguageLng;
    QMenu *mnuBackGround = nullptr;
    QAction *mnuBackGroundChoose = nullptr;
    QAction *mnuBackGroundRestore = nullptr;
    QMenu *mnuHelp = nullptr;
    QAction *mnuHelpGuide = nullptr;
    QAction *mnuHelpSep0 = nullptr;
    QAction *mnuHelpLicense = nullptr;
    QAction *mnuHelpAbout = nullptr;
    QMenu *mnufmBtnRightClick = nullptr;
    QAction *mnufmBtnRightClickMultilanguage = nullptr;
    QMenu *mnupctBtnRightClick = nullptr;
    QAction *mnupctBtnRightClickUP = nullptr;
    QAction *mnupctBtnRightClickDOWN = nullptr;
    QAction *mnupctBtnRightClickBOTTOM = nullptr;
    QAction *mnupctBtnRightClickREMOVE = nullptr;
    QAction *mnupctBtnRightClickCLEAR = nullptr;
    QAction *mnupctBtnRightClickSORT = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // The menus, from the one table of their entries (frmMain_Menus.cpp).
    void createMenus();
    void connectMenus();
    void setMenuIcons(MenuIconTime time);
    // The reports of the preview and of the tool windows.
    void connectPreviewAndToolWindows();
    void previewLoading(frmSkin *preview);
    static void (frmMain::*viewCommand(ToolWindowId id))();
    void setStartMenuStates();

    // What the preview and the button tool windows report, routed to the
    // window that edits it and to the menus.
    void connectChildWindow(class MdiForm *form);
    void showButtonPopup(const QPoint &globalPos);

    // Start-up steps.
    void setFrameOffsets();
    void chooseSavedLanguage();
    void attachMenuIcons();
    void restoreWindow();
    void openCommandLine(const QStringList &arguments);

    // Shut-down: false when a child window refused to close.
    bool closeChildWindows();
    void MDIForm_Unload();
    void WriteSettings();

    // The skin commands' shared steps.
    void newSkin(bool fullScreen);
    void showTVKExtraction();
    // Create TVK and Test Skin: refuses (with message firstMessage, 13019 or
    // 13023, and the next)
    // a skin with unsaved changes or never saved; the creation dialog's outcome.
    bool refuseUnsavedSkin(int firstMessage);
    bool createdArchive();
    void shellOpenProgramFile(const QString &fileName, int missingMessage);

    // Whether a drag of these files may drop here.
    bool acceptsDrag(const class QMimeData *data) const;

    QMdiArea *m_mdiArea = nullptr;
    QString m_settingsFile;
};

// The vertical allowance of the preview window's frame for a title bar of this
// height: the height + 10, or 29 when that is not a plausible frame (11 to 99);
// a height that does not fit a byte leaves previous to that test.
uint8_t FrameBorderYFor(int titleBarHeight, uint8_t previous);
