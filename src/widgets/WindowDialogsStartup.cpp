#include "widgets/WindowDialogs.h"

#include <QCoreApplication>

// The window-free layers ask their dialogs through the wrapper, which cannot call
// up into this layer; the real dialogs are installed here as the application
// object is created, before any window can ask for one. The build links this file
// as an object file into every program that uses the window layer: as a member
// of the static library, which nothing calls, the linker would leave it out.
using dialogs::installWindowDialogs;
Q_COREAPP_STARTUP_FUNCTION(installWindowDialogs)
