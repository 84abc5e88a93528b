#include "platform/FileSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <sys/stat.h>

#include <ctime>

namespace fs {

namespace {

// The entries of a folder by their case-folded names, so that looking up many
// names in one folder (every button of a skin) lists it once, not once per name.
struct Listing {
    int64_t modifiedNs = 0;
    QHash<QString, QStringList> byFoldedName;
};

int64_t nanoseconds(const timespec &t)
{
    return int64_t(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// A folder's modification time moves in coarse ticks: a listing taken within
// this margin of the last change may have missed a change in the same tick,
// and is made again next time.
constexpr int64_t TickMarginNs = 100 * 1000000;

const QHash<QString, QStringList> &entriesByFoldedName(const QString &folder)
{
    static QHash<QString, Listing> listings;
    struct stat info {};
    const QString dirPath = folder.isEmpty() ? QStringLiteral(".") : folder;
    if (::stat(QFile::encodeName(dirPath).constData(), &info) != 0) {
        static const QHash<QString, QStringList> none;
        return none;
    }
    const int64_t modified = nanoseconds(info.st_mtim);
    auto it = listings.find(dirPath);
    if (it != listings.end() && it->modifiedNs == modified)
        return it->byFoldedName;

    Listing listing;
    listing.modifiedNs = modified;
    const QStringList entries = QDir(dirPath).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    for (const QString &entry : entries)
        listing.byFoldedName[entry.toCaseFolded()] += entry;
    timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    if (nanoseconds(now) - modified < TickMarginNs)
        listing.modifiedNs = -1; // not trusted next time
    if (listings.size() > 256)
        listings.clear();
    it = listings.insert(dirPath, listing);
    return it->byFoldedName;
}

// The entries of folder whose name equals name without regard to case, an exact
// match first.
QStringList candidates(const QString &folder, const QString &name)
{
    QStringList found;
    const QString prefix = folder.isEmpty() || folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    if (name == QLatin1String(".") || name == QLatin1String("..") || QFileInfo::exists(prefix + name))
        found += name;
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return found;
    const QStringList sameFolded = entriesByFoldedName(folder).value(name.toCaseFolded());
    for (const QString &entry : sameFolded)
        if (entry != name && entry.compare(name, Qt::CaseInsensitive) == 0)
            found += entry;
    return found;
}

QString join(const QString &folder, const QString &name)
{
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

// Resolves parts[i..] under folder. Returns true with the full path when every
// part exists; otherwise leaves in *longest the deepest partial resolution seen
// and in *resolvedParts how many parts it covers.
bool resolveFrom(const QString &folder, const QStringList &parts, qsizetype i, QString *full, QString *longest,
                 qsizetype *resolvedParts)
{
    if (i == parts.size()) {
        *full = folder;
        return true;
    }
    if (i > *resolvedParts) {
        *resolvedParts = i;
        *longest = folder;
    }
    const QStringList names = candidates(folder, parts.at(i));
    for (const QString &name : names)
        if (resolveFrom(join(folder, name), parts, i + 1, full, longest, resolvedParts))
            return true;
    return false;
}

} // namespace

QString toSlashes(const QString &path)
{
    QString p = path;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return p;
}

QString resolve(const QString &path)
{
    const QString p = toSlashes(path);
    if (p.isEmpty() || QFileInfo::exists(p))
        return p;

    const bool absolute = p.startsWith(QLatin1Char('/'));
    const bool trailing = p.endsWith(QLatin1Char('/'));
    // Most names are of a file in a folder spelled as it is: when that folder
    // holds the file, only the file's own name needed matching.
    if (const qsizetype slash = p.lastIndexOf(QLatin1Char('/')); !trailing && slash > 0) {
        const QString parent = p.left(slash);
        if (QFileInfo(parent).isDir()) {
            const QStringList names = candidates(parent, p.mid(slash + 1));
            if (!names.isEmpty())
                return join(parent, names.first());
        }
    }
    const QStringList parts = p.split(QLatin1Char('/'), Qt::SkipEmptyParts);

    QString current;
    QString longest;
    qsizetype resolvedParts = 0;
    const QString start = absolute ? QStringLiteral("/") : QString();
    if (!resolveFrom(start, parts, 0, &current, &longest, &resolvedParts)) {
        if (resolvedParts == 0)
            return p;
        // The part that does not exist yet keeps the spelling it was given.
        current = longest;
        for (qsizetype i = resolvedParts; i < parts.size(); ++i)
            current = join(current, parts.at(i));
    }
    if (trailing && !current.endsWith(QLatin1Char('/')))
        current += QLatin1Char('/');
    return current;
}

bool fileExists(const QString &path)
{
    if (path.isEmpty())
        return false;
    return QFileInfo(resolve(path)).isFile();
}

bool folderExists(const QString &path)
{
    if (path.isEmpty())
        return false;
    return QFileInfo(resolve(path)).isDir();
}

QStringList listFolder(const QString &folder, const QString &pattern, bool foldersToo)
{
    QDir dir(resolve(folder));
    if (!dir.exists())
        return {};
    // As on Windows, "*.*" and "*" name every entry, dotted or not.
    QString filter = pattern.isEmpty() ? QStringLiteral("*") : pattern;
    if (filter == QLatin1String("*.*"))
        filter = QStringLiteral("*");
    QDir::Filters filters = QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    if (foldersToo)
        filters |= QDir::Dirs;
    // QDir matches name filters without regard to case unless told otherwise.
    return dir.entryList(QStringList{filter}, filters, QDir::Unsorted);
}

} // namespace fs
