#include "platform/Fonts.h"

#include "platform/FileSystem.h"

#include <QFontDatabase>

#include <fontconfig/fontconfig.h>

#include <thread>

namespace fonts {

int addFontFile(const QString &path)
{
    if (path.isEmpty() || !fs::fileExists(path))
        return -1;
    return QFontDatabase::addApplicationFont(fs::resolve(path));
}

void removeFontFile(int id)
{
    if (id >= 0)
        QFontDatabase::removeApplicationFont(id);
}

namespace {

// The load SystemFontsAhead started; only the main thread touches it.
std::thread systemFontsLoad;

} // namespace

SystemFontsAhead::SystemFontsAhead()
{
    // Qt finds the system's fonts through fontconfig, whose configuration is
    // made once per process: the first to ask makes it, and one asked again
    // while it is being made makes another that is then dropped.
    if (!systemFontsLoad.joinable())
        systemFontsLoad = std::thread([] { FcInit(); });
}

SystemFontsAhead::~SystemFontsAhead()
{
    awaitSystemFonts();
}

void awaitSystemFonts()
{
    if (systemFontsLoad.joinable())
        systemFontsLoad.join();
}

} // namespace fonts
