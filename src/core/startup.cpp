#include "core/startup.h"

#include "core/frmMain.h"
#include "platform/AppInfo.h"

#include <QCoreApplication>

frmMain *startEditor(const QStringList &arguments)
{
    QCoreApplication::setApplicationName(QStringLiteral("TVX_Morvane"));
    // A second copy ends before it shows or writes anything.
    if (!app::acquireSingleInstance())
        return nullptr;
    auto *main = new frmMain;
    // The lock lives as long as the main window.
    QObject::connect(main, &QObject::destroyed, [] { app::releaseSingleInstance(); });
    main->MDIForm_Load(arguments);
    return main;
}
