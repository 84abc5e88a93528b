#pragma once

#include <QString>

// The program's folder, title and settings location.
namespace app {

// "TVX_Morvane": names the settings file and the guide, begins error-box titles.
QString title();

// The executable's folder, or the folder named by TVX_MORVANE_HOME; no trailing
// "/" except at the root.
QString path();

// The folder for the settings file: the program folder when it is writable,
// otherwise the application configuration folder.
QString settingsFolder();

// Takes the one-running-copy lock; false when another copy holds it.
bool acquireSingleInstance();
void releaseSingleInstance();

} // namespace app
