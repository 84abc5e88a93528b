// The Help menu of the main window.
#include "core/frmMain.h"

#include "skin/Module.h"
#include "core/frmAbout.h"
#include "core/ShellFailure.h"
#include "lang/Locale.h"
#include "platform/AppInfo.h"
#include "widgets/WindowDialogs.h"
#include "platform/FileSystem.h"

void frmMain::mnuHelpGuide_Click()
{
    shellOpenProgramFile(app::title() + QStringLiteral(".pdf"), 13061);
}

void frmMain::mnuHelpLicense_Click()
{
    shellOpenProgramFile(QStringLiteral("License.txt"), 13063);
}

void frmMain::shellOpenProgramFile(const QString &fileName, int missingMessage)
{
    const QString path = AddBackslash(app::path()) + fileName;
    if (!fs::fileExists(path)) {
        dialogs::msgBox(Message(missingMessage) + path + Message(missingMessage + 1), dialogs::vbCritical,
            Message(13003), this);
        return;
    }
    OpenWithShell(this, fs::resolve(path));
}

void frmMain::mnuHelpAbout_Click()
{
    frmAbout about(this);
    dialogs::showModal(&about);
}
