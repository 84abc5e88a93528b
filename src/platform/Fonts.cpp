#include "platform/Fonts.h"

#include "platform/FileSystem.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>

#include <fontconfig/fontconfig.h>

#include <condition_variable>
#include <mutex>
#include <optional>
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

// What the load goes on with once the configuration is made: the application's
// font, or nothing when no application object comes.
std::mutex nextMutex;
std::condition_variable nextChanged;
bool nextKnown = false;
std::optional<QFont> nextFont;

// Lists the system's fonts for Qt and finds the fallbacks of font for the
// scripts of a first text: Qt keeps both for every thread, the engines it makes
// here it keeps for this thread only.
void lookUp(const QFont &font)
{
    QFontDatabase::families();
    const QFontMetrics metrics(font);
    metrics.horizontalAdvance(QStringLiteral("Ag"));
    metrics.height();
}

} // namespace

SystemFontsAhead::SystemFontsAhead()
{
    // Qt finds the system's fonts through fontconfig, whose configuration is
    // made once per process: the first to ask makes it, and one asked again
    // while it is being made makes another that is then dropped.
    if (systemFontsLoad.joinable())
        return;
    nextKnown = false;
    nextFont.reset();
    systemFontsLoad = std::thread([] {
        FcInit();
        std::unique_lock lock(nextMutex);
        nextChanged.wait(lock, [] { return nextKnown; });
        const std::optional<QFont> font = nextFont;
        lock.unlock();
        if (font)
            lookUp(*font);
    });
}

SystemFontsAhead::~SystemFontsAhead()
{
    awaitSystemFonts();
}

void applicationMade()
{
    if (!systemFontsLoad.joinable())
        return;
    const std::lock_guard lock(nextMutex);
    if (nextKnown)
        return;
    nextKnown = true;
    nextFont = QGuiApplication::font();
    nextChanged.notify_all();
}

void awaitSystemFonts()
{
    if (!systemFontsLoad.joinable())
        return;
    {
        // A font it has not begun with is left to whoever needs it.
        const std::lock_guard lock(nextMutex);
        nextKnown = true;
        nextFont.reset();
        nextChanged.notify_all();
    }
    systemFontsLoad.join();
}

} // namespace fonts
