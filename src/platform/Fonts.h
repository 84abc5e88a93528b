#pragma once

#include <QString>
#include <QtGlobal>

// Registering a skin's font files with the system for the time the skin is open,
// and loading the system's fonts ahead of the first text the program lays out.
namespace fonts {

// Returns an id (>= 0) or -1 when the file could not be registered.
int addFontFile(const QString &path);
void removeFontFile(int id);

// While a program starts, loads the system's font configuration on another
// thread: reading it takes several milliseconds that the program spends
// meanwhile making its application object and its windows. Made in main()
// before the application object; it waits for the load as it ends.
class SystemFontsAhead
{
public:
    SystemFontsAhead();
    ~SystemFontsAhead();
    Q_DISABLE_COPY_MOVE(SystemFontsAhead)
};

// Tells the load a SystemFontsAhead started that the application object is
// made: once the configuration is loaded, it goes on to list the system's fonts
// for Qt and to find the fallback fonts of the application's font, which Qt
// keeps for every thread.
void applicationMade();

// Waits for the load a SystemFontsAhead started, if one is still running: the
// first text laid out then finds the configuration loaded instead of reading
// it a second time alongside.
void awaitSystemFonts();

} // namespace fonts
