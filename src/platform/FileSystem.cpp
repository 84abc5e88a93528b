#include "platform/FileSystem.h"

#include <QDir>
#include <QFile>
#include <QHash>

#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <memory>
#include <optional>

namespace fs {

namespace {

enum class Kind : unsigned char {
    None, // nothing of that name (a dangling link counts as nothing)
    Unknown, // listed, but the listing did not tell its kind (a link, some file systems)
    File,
    Folder,
    Other,
};

Kind kindOfMode(mode_t mode)
{
    if (S_ISREG(mode))
        return Kind::File;
    if (S_ISDIR(mode))
        return Kind::Folder;
    return Kind::Other;
}

// What the system says of path, links followed.
Kind statKind(const QString &path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path.isEmpty() ? QStringLiteral(".") : path).constData(), &info) != 0)
        return Kind::None;
    return kindOfMode(info.st_mode);
}

QString join(const QString &folder, const QString &name)
{
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

// The folder that holds a normalised path: "/" above "/a", "" (the current
// folder) above a relative "a".
QString parentOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return QString();
    return slash == 0 ? QStringLiteral("/") : path.left(slash);
}

QString nameOf(const QString &path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

bool isStart(const QString &path)
{
    return path.isEmpty() || path == QLatin1String("/");
}

bool isDots(const QString &name)
{
    return name == QLatin1String(".") || name == QLatin1String("..");
}

// One folder's entries as the system listed them: by exact name, and by
// case-folded name once a name was not found exactly.
struct Listing {
    int error = 0; // why the folder could not be listed; 0 when it was
    QStringList names; // in the order the system lists them
    QHash<QString, Kind> kinds;
    QHash<QString, QStringList> byFoldedName;
    bool folded = false;
};

Listing takeListing(const QString &folder)
{
    Listing listing;
    DIR *dir = ::opendir(QFile::encodeName(folder.isEmpty() ? QStringLiteral(".") : folder).constData());
    if (!dir) {
        listing.error = errno ? errno : ENOENT;
        return listing;
    }
    while (const dirent *entry = ::readdir(dir)) {
        const char *name = entry->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
            continue;
        Kind kind = Kind::Unknown;
        if (entry->d_type == DT_REG)
            kind = Kind::File;
        else if (entry->d_type == DT_DIR)
            kind = Kind::Folder;
        else if (entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN)
            kind = Kind::Other;
        const QString decoded = QFile::decodeName(name);
        listing.names += decoded;
        listing.kinds.insert(decoded, kind);
    }
    ::closedir(dir);
    return listing;
}

// The folder listings of a run of lookups, and for each folder path spelled
// some way, the existing paths that match it without regard to case.
class Lookups
{
public:
    // Whether listings are kept: a lookup made alone asks the system directly
    // whether its name exists as written, and lists a folder only to search it.
    explicit Lookups(bool held)
        : m_held(held)
    {
    }

    // What the path names, spelled exactly as given (normalised).
    Kind kindAsWritten(const QString &path)
    {
        if (!m_held || isStart(path))
            return statKind(path);
        const QString name = nameOf(path);
        if (isDots(name))
            return statKind(path);
        return kindIn(parentOf(path), name);
    }

    // The existing paths that match path without regard to case, in the order
    // of preference: at each step the exact name first, then the others in the
    // order the folder lists them.
    QStringList variants(const QString &path)
    {
        if (isStart(path))
            return { path };
        const auto known = m_variants.constFind(path);
        if (known != m_variants.constEnd())
            return *known;
        const QString name = nameOf(path);
        QStringList found;
        for (const QString &folder : variants(parentOf(path))) {
            for (const QString &candidate : candidates(folder, name))
                found += join(folder, candidate);
        }
        m_variants.insert(path, found);
        return found;
    }

    Kind kindOf(const QString &path)
    {
        if (isStart(path) || isDots(nameOf(path)))
            return statKind(path);
        return kindIn(parentOf(path), nameOf(path));
    }

private:
    Listing &listing(const QString &folder)
    {
        auto it = m_listings.find(folder);
        if (it == m_listings.end())
            it = m_listings.insert(folder, takeListing(folder));
        return *it;
    }

    // The kind of entry name of folder, from the folder's listing.
    Kind kindIn(const QString &folder, const QString &name)
    {
        Listing &entries = listing(folder);
        if (entries.error != 0) {
            // A folder that may be entered but not read still has its files.
            return entries.error == ENOENT || entries.error == ENOTDIR ? Kind::None
                                                                       : statKind(join(folder, name));
        }
        const auto it = entries.kinds.find(name);
        if (it == entries.kinds.end())
            return Kind::None;
        if (*it == Kind::Unknown)
            *it = statKind(join(folder, name));
        return *it;
    }

    // The names of folder that match name without regard to case, an exact
    // match first.
    QStringList candidates(const QString &folder, const QString &name)
    {
        if (isDots(name))
            return { name };
        QStringList found;
        if (kindIn(folder, name) != Kind::None)
            found += name;
        Listing &entries = listing(folder);
        if (entries.error != 0)
            return found;
        if (!entries.folded) {
            for (const QString &entry : std::as_const(entries.names))
                entries.byFoldedName[entry.toCaseFolded()] += entry;
            entries.folded = true;
        }
        const QStringList sameFolded = entries.byFoldedName.value(name.toCaseFolded());
        for (const QString &entry : sameFolded) {
            if (entry != name && entry.compare(name, Qt::CaseInsensitive) == 0
                && kindIn(folder, entry) != Kind::None)
                found += entry;
        }
        return found;
    }

    bool m_held;
    QHash<QString, Listing> m_listings;
    QHash<QString, QStringList> m_variants;
};

struct Held {
    int depth = 0;
    std::unique_ptr<Lookups> lookups;
};

// Listings are held per thread: a thread that holds none asks the system.
Held &held()
{
    thread_local Held h;
    return h;
}

// path with single "/" between its names and no "/" at its end ("/" stays).
QString normalised(const QString &path)
{
    if (!path.contains(QLatin1String("//")) && (path.size() < 2 || !path.endsWith(QLatin1Char('/'))))
        return path;
    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    const QString start = path.startsWith(QLatin1Char('/')) ? QStringLiteral("/") : QString();
    return start + parts.join(QLatin1Char('/'));
}

struct Found {
    QString path;
    Kind kind = Kind::None;
};

Found lookup(const QString &given)
{
    const QString p = toSlashes(given);
    if (p.isEmpty())
        return {};
    std::optional<Lookups> alone;
    Lookups &lookups = held().lookups ? *held().lookups : alone.emplace(false);
    const QString key = normalised(p);
    if (const Kind kind = lookups.kindAsWritten(key); kind != Kind::None)
        return { p, kind };

    // The deepest leading part that exists is resolved; the rest keeps the
    // spelling it was given.
    for (QString part = key; !isStart(part); part = parentOf(part)) {
        const QStringList found = lookups.variants(part);
        if (found.isEmpty())
            continue;
        Found result;
        const QString rest = key.mid(part.size());
        result.path = found.first().endsWith(QLatin1Char('/')) && rest.startsWith(QLatin1Char('/'))
            ? found.first() + rest.mid(1)
            : found.first() + rest;
        if (part == key)
            result.kind = lookups.kindOf(result.path);
        if (p.endsWith(QLatin1Char('/')) && !result.path.endsWith(QLatin1Char('/')))
            result.path += QLatin1Char('/');
        return result;
    }
    return { p, Kind::None };
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
    return lookup(path).path;
}

bool fileExists(const QString &path)
{
    return lookup(path).kind == Kind::File;
}

bool folderExists(const QString &path)
{
    return lookup(path).kind == Kind::Folder;
}

void holdListings()
{
    Held &h = held();
    if (h.depth++ == 0)
        h.lookups = std::make_unique<Lookups>(true);
}

void releaseListings()
{
    Held &h = held();
    if (h.depth > 0 && --h.depth == 0)
        h.lookups.reset();
}

void forgetListings()
{
    Held &h = held();
    if (h.lookups)
        h.lookups = std::make_unique<Lookups>(true);
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
