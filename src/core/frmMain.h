#pragma once

#include "platform/ControlArray.h"

#include <QMainWindow>

class QAction;
class QMdiArea;
class QMenu;

// The main window: the multiple-document frame with the program's menus, in
// which the preview window and the tool windows live.
class frmMain : public QMainWindow
{
    Q_OBJECT

public:
    frmMain();
    ~frmMain() override;

    // The one main window (nullptr before start-up).
    static frmMain *instance();

    // Start-up: runs once after construction.
    void MDIForm_Load(const QStringList &arguments);

    QMdiArea *mdiArea() const { return m_mdiArea; }

    // Commands other windows call.
    void mnuFileSave_Click();
    void mnuBackGroundChoose_Click();
    void mnuViewApplyZOrder_Click();
    void mnuViewImagesTB_Click();
    void mnuViewDisplayTB_Click();
    void mnuViewTrackVolumeTB_Click();
    void mnuViewFullScreenTB_Click();
    void mnuLanguageLng_Click(int index);

    // The menus, named as the program addresses them.
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

private:
    QMdiArea *m_mdiArea = nullptr;
};
