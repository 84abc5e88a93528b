#include "core/startup.h"

#include "core/frmMain.h"

frmMain *startEditor(const QStringList &arguments)
{
    auto *main = new frmMain;
    main->MDIForm_Load(arguments);
    main->show();
    return main;
}
