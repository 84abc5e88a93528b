#include "core/ShellFailure.h"

#include "lang/Locale.h"
#include "platform/Dialogs.h"
#include "platform/Shell.h"
#include "platform/WinApi.h"

void ShowShellFailure(QWidget *owner, const QString &failure, const QString &remedy)
{
    dialogs::msgBox(failure + QLatin1Char('\n') + remedy, dialogs::vbCritical, Message(13003), owner);
}

void OpenWithShell(QWidget *owner, const QString &target)
{
    gApiResult = shell::execute(owner, QStringLiteral("Open"), target);
    if (gApiResult != shell::NoAssociation)
        return;
    // The desktop's reason goes only to the terminal.
    if (shell::isAddress(target))
        ShowShellFailure(owner,
            QStringLiteral("No program could open the address \"") + target + QStringLiteral("\"."),
            QStringLiteral("Install a program that opens web addresses and retry."));
    else
        ShowShellFailure(owner,
            QStringLiteral("No program could open the file \"") + target + QStringLiteral("\"."),
            QStringLiteral("Install a program that opens this kind of file and retry."));
}
