#include "platform/AppInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

#include <memory>

namespace app {

namespace {

std::unique_ptr<QLockFile> &lockFile()
{
    static std::unique_ptr<QLockFile> lock;
    return lock;
}

// The lock, or null when another copy holds it.
std::unique_ptr<QLockFile> takeLock()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    QDir().mkpath(folder);
    auto candidate
        = std::make_unique<QLockFile>(folder + QLatin1Char('/') + title() + QStringLiteral(".lock"));
    // A lock left by a copy that died is taken over by QLockFile itself.
    if (!candidate->tryLock(0))
        return nullptr;
    return candidate;
}

QString withoutTrailingSlash(QString path)
{
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

} // namespace

QString title()
{
    return QStringLiteral("TVX_Morvane");
}

QString path()
{
    const QString home = qEnvironmentVariable("TVX_MORVANE_HOME");
    if (!home.isEmpty())
        return withoutTrailingSlash(QDir::cleanPath(QDir(home).absolutePath()));
    if (QCoreApplication::instance())
        return withoutTrailingSlash(QCoreApplication::applicationDirPath());
    return withoutTrailingSlash(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath());
}

QString settingsFolder()
{
    const QString program = path();
    const QFileInfo info(program);
    if (info.isDir() && info.isWritable())
        return program;
    // The application's configuration folder, named after the program whatever
    // name the running executable has (a test, for one).
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QLatin1Char('/') + title();
    QDir().mkpath(folder);
    return folder;
}

bool acquireSingleInstance()
{
    auto &lock = lockFile();
    if (!lock)
        lock = takeLock();
    return lock != nullptr;
}

void releaseSingleInstance()
{
    auto &lock = lockFile();
    if (lock) {
        lock->unlock();
        lock.reset();
    }
}

} // namespace app
