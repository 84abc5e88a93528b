#include "core/frmMain.h"

#include <QCloseEvent>

// Commands not built yet.
void frmMain::MDIForm_Load(const QStringList &) { show(); }
void frmMain::OpenRoad(const QString &) {}
void frmMain::mnuFileSave_Click() {}
void frmMain::mnuBackGroundChoose_Click() {}
void frmMain::mnuViewApplyZOrder_Click() {}
void frmMain::mnuViewImagesTB_Click() {}
void frmMain::mnuViewDisplayTB_Click() {}
void frmMain::mnuViewTrackVolumeTB_Click() {}
void frmMain::mnuViewFullScreenTB_Click() {}
void frmMain::mnuLanguageLng_Click(int) {}
void frmMain::mnuFileNew_Click() {}
void frmMain::mnuFileNewFS_Click() {}
void frmMain::mnuFileOpen_Click() {}
void frmMain::mnuFileClose_Click() {}
void frmMain::mnuFileCreateTVK_Click() {}
void frmMain::mnuFileTestSkin_Click() {}
void frmMain::mnuFileExit_Click() { close(); }
void frmMain::mnuViewSkinFile_Click() {}
void frmMain::mnuBackGroundRestore_Click() {}
void frmMain::mnuHelpGuide_Click() {}
void frmMain::mnuHelpLicense_Click() {}
void frmMain::mnuHelpAbout_Click() {}
void frmMain::mnufmBtnRightClickMultilanguage_Click() {}
void frmMain::mnupctBtnRightClickUP_Click() {}
void frmMain::mnupctBtnRightClickDOWN_Click() {}
void frmMain::mnupctBtnRightClickBOTTOM_Click() {}
void frmMain::mnupctBtnRightClickREMOVE_Click() {}
void frmMain::mnupctBtnRightClickCLEAR_Click() {}
void frmMain::mnupctBtnRightClickSORT_Click() {}
void frmMain::closeEvent(QCloseEvent *event) { event->accept(); }
void frmMain::dragEnterEvent(QDragEnterEvent *) {}
void frmMain::dragMoveEvent(QDragMoveEvent *) {}
void frmMain::dropEvent(QDropEvent *) {}
