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

uint8_t FrameBorderYFor(int titleBarHeight, uint8_t previous)
{
    const int allowance = titleBarHeight + 10;
    uint8_t border = (allowance >= 0 && allowance <= 255) ? static_cast<uint8_t>(allowance) : previous;
    if (border < 11 || border > 99)
        border = 29;
    return border;
}
