#include "platform/Registry.h"

#include "platform/IniFile.h"

#include <QStandardPaths>

namespace registry {

namespace {

QString hiveFile(Root root)
{
    const QString name = root == Root::LocalMachine ? QStringLiteral("registry-hklm.ini")
                                                    : QStringLiteral("registry-hkcu.ini");
    const QString folder = qEnvironmentVariable("TVX_MORVANE_REGISTRY");
    if (!folder.isEmpty())
        return folder + QLatin1Char('/') + name;
    if (root == Root::LocalMachine)
        return QStringLiteral("/etc/xdg/TVX_Morvane/") + name;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/TVX_Morvane/") + name;
}

// Key paths are written with "\" in the files; "/" and doubled or outer
// separators in a query are forgiven.
QString normalisedKey(const QString &keyPath)
{
    QString key = keyPath;
    key.replace(QLatin1Char('/'), QLatin1Char('\\'));
    const QStringList parts = key.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    return parts.join(QLatin1Char('\\'));
}

bool lookup(Root root, const QString &key, const QString &valueName, QString *value)
{
    // Registry values are taken as written: a command keeps its quotes.
    bool found = false;
    *value = ini::readRawValue(key, valueName, hiveFile(root), &found, ini::Encoding::Utf8OrCp1252);
    return found;
}

} // namespace

QString queryValue(Root root, const QString &keyPath, const QString &valueName, bool *found)
{
    const QString key = normalisedKey(keyPath);
    const QString name = valueName.isEmpty() ? QStringLiteral("@") : valueName;
    QString value;
    bool ok = false;
    if (root == Root::ClassesRoot) {
        // The classes root is the user's classes over the machine's, as on Windows.
        const QString classesKey = QStringLiteral("Software\\Classes\\") + key;
        ok = lookup(Root::CurrentUser, classesKey, name, &value)
            || lookup(Root::LocalMachine, classesKey, name, &value);
    } else {
        ok = lookup(root, key, name, &value);
    }
    if (found)
        *found = ok;
    return ok ? value : QString();
}

} // namespace registry
