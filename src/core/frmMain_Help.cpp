// The Help menu of the main window.
#include "core/frmMain.h"

#include "core/Module.h"
#include "core/frmAbout.h"
#include "lang/Locale.h"
#include "platform/AppInfo.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"

void frmMain::mnuHelpGuide_Click()
{
    shellOpenProgramFile(app::title() + QStringLiteral(".pdf"), 60);
}

void frmMain::mnuHelpLicense_Click()
{
    shellOpenProgramFile(QStringLiteral("License.txt"), 62);
}

void frmMain::shellOpenProgramFile(const QString &fileName, int missingMessage)
{
    const QString path = AddBackslash(app::path()) + fileName;
    if (!fs::fileExists(path)) {
        dialogs::msgBox(gMessages[missingMessage] + path + gMessages[missingMessage + 1], dialogs::vbCritical,
            gMessages[2], this);
        return;
    }
    // The shell reports its own failures, if any.
    gApiResult = shell::execute(this, QStringLiteral("Open"), fs::resolve(path));
}

void frmMain::mnuHelpAbout_Click()
{
    frmAbout about(this);
    dialogs::showModal(&about);
}
