#include "core/frmMain.h"

#include "core/MdiForm.h"

#include <QMdiArea>
#include <QPointer>

namespace {
QPointer<frmMain> g_main;
}

frmMain::frmMain()
{
    setObjectName(QStringLiteral("frmMain"));
    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(m_mdiArea);
    setMdiHost(m_mdiArea);
    g_main = this;
}

frmMain::~frmMain() = default;

frmMain *frmMain::instance()
{
    return g_main.data();
}

void frmMain::MDIForm_Load(const QStringList &) {}
void frmMain::mnuFileSave_Click() {}
void frmMain::mnuBackGroundChoose_Click() {}
void frmMain::mnuViewApplyZOrder_Click() {}
void frmMain::mnuViewImagesTB_Click() {}
void frmMain::mnuViewDisplayTB_Click() {}
void frmMain::mnuViewTrackVolumeTB_Click() {}
void frmMain::mnuViewFullScreenTB_Click() {}
void frmMain::mnuLanguageLng_Click(int) {}
