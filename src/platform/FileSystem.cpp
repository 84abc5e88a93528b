#include "platform/FileSystem.h"

#include <QDir>
#include <QFile>
#include <QHash>

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace fs {

namespace {

enum class Kind : unsigned char {
    None, // nothing of that name (a dangling link counts as nothing)
    Unknown, // listed, but the listing did not tell its kind (a link, some file systems)
    File,
    Folder,
    Other,
};

// What the system says of path, links followed.
Kind statKind(const QString &path)
{
    struct stat info;
    if (::stat(QFile::encodeName(path.isEmpty() ? QStringLiteral(".") : path).constData(), &info) != 0)
        return Kind::None;
    if (S_ISREG(info.st_mode))
        return Kind::File;
    return S_ISDIR(info.st_mode) ? Kind::Folder : Kind::Other;
}

QString join(QStringView folder, QStringView name)
{
    QString path;
    path.reserve(folder.size() + 1 + name.size());
    path.append(folder);
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')))
        path.append(QLatin1Char('/'));
    return path.append(name);
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

bool isDots(QStringView name)
{
    return name == QLatin1String(".") || name == QLatin1String("..");
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

// A file in a folder, spelled without "." or ".." and without empty names.
bool isPlainFile(QStringView path, qsizetype lastSlash)
{
    if (lastSlash <= 0 || lastSlash == path.size() - 1)
        return false;
    qsizetype start = path.startsWith(QLatin1Char('/')) ? 1 : 0;
    while (start <= path.size()) {
        qsizetype end = path.indexOf(QLatin1Char('/'), start);
        if (end < 0)
            end = path.size();
        const QStringView name = path.mid(start, end - start);
        if (name.isEmpty() || isDots(name))
            return false;
        start = end + 1;
    }
    return true;
}

// With the program's seed, as QHash hashes: a name cannot be made to collide
// with others beforehand, and the processor's fastest way of hashing serves.
struct ViewHash {
    size_t operator()(QStringView view) const noexcept { return qHash(view, QHashSeed::globalSeed()); }
};

// A hash of name with its letters folded, the same for names that match
// without regard to case; none for a name with characters beyond the first
// plane, whose folding only the whole string knows.
std::optional<size_t> foldedHash(QStringView name)
{
    size_t hash = 0;
    for (const QChar c : name) {
        if (c.isSurrogate())
            return std::nullopt;
        hash = hash * 31 + QChar::toCaseFolded(c.unicode());
    }
    return hash;
}

// One folder's entries as the system listed them: by exact name, and by
// case-folded name once a name was not found exactly.
struct Listing {
    int error = 0; // why the folder could not be listed; 0 when it was
    QStringList names; // in the order the system lists them
    std::unordered_map<QStringView, Kind, ViewHash> kinds; // views into names
    QHash<QString, QStringList> byFoldedName;
    std::unordered_set<size_t> foldedHashes; // 0 for the names that have none
    bool folded = false;
    int spellings = -1; // how many existing folders match this one's path without regard to case
};

// The kind of entry name of a folder that could not be listed for error: a
// folder that may be entered but not read still has its files.
Kind kindInUnlisted(int error, QStringView folder, QStringView name)
{
    return error == ENOENT || error == ENOTDIR ? Kind::None : statKind(join(folder, name));
}

bool isDotsEntry(const char *name)
{
    return name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0));
}

Kind listedKind(const dirent *entry)
{
    switch (entry->d_type) {
    case DT_REG:
        return Kind::File;
    case DT_DIR:
        return Kind::Folder;
    case DT_LNK:
    case DT_UNKNOWN:
        return Kind::Unknown;
    default:
        return Kind::Other;
    }
}

bool isAscii(const char *text, size_t length)
{
    return std::all_of(text, text + length, [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The entries of folder that match name without regard to case and exist, an
// exact match first, the others in the order the system lists them. Only name
// is looked for: plain ASCII names are compared as they are listed, without
// being decoded or kept.
QStringList matchesIn(const QString &folder, const QString &name)
{
    DIR *dir = ::opendir(QFile::encodeName(folder.isEmpty() ? QStringLiteral(".") : folder).constData());
    if (!dir) {
        if (kindInUnlisted(errno ? errno : ENOENT, folder, name) == Kind::None)
            return {};
        return { name };
    }
    const QByteArray encoded = QFile::encodeName(name);
    const bool asciiName = isAscii(encoded.constData(), size_t(encoded.size()));
    auto exists = [&](const dirent *entry, const QString &entryName) {
        const Kind kind = listedKind(entry);
        return kind == Kind::Unknown ? statKind(join(folder, entryName)) != Kind::None : true;
    };
    bool exact = false;
    QStringList others;
    while (const dirent *entry = ::readdir(dir)) {
        const char *entryName = entry->d_name;
        if (isDotsEntry(entryName))
            continue;
        const size_t length = std::strlen(entryName);
        if (asciiName && isAscii(entryName, length)) {
            if (length != size_t(encoded.size()) || qstrnicmp(entryName, encoded.constData(), length) != 0)
                continue;
            if (encoded == entryName)
                exact = exact || exists(entry, name);
            else if (const QString other = QString::fromLatin1(entryName); exists(entry, other))
                others += other;
            continue;
        }
        const QString decoded = QFile::decodeName(entryName);
        if (decoded == name)
            exact = exact || exists(entry, name);
        else if (decoded.compare(name, Qt::CaseInsensitive) == 0 && exists(entry, decoded))
            others += decoded;
    }
    ::closedir(dir);
    if (exact)
        others.prepend(name);
    return others;
}

std::unique_ptr<Listing> takeListing(const QString &folder)
{
    auto listing = std::make_unique<Listing>();
    DIR *dir = ::opendir(QFile::encodeName(folder.isEmpty() ? QStringLiteral(".") : folder).constData());
    if (!dir) {
        listing->error = errno ? errno : ENOENT;
        return listing;
    }
    QList<Kind> kinds;
    while (const dirent *entry = ::readdir(dir)) {
        if (isDotsEntry(entry->d_name))
            continue;
        listing->names += QFile::decodeName(entry->d_name);
        kinds += listedKind(entry);
    }
    ::closedir(dir);
    listing->kinds.reserve(size_t(listing->names.size()));
    for (qsizetype i = 0; i < listing->names.size(); ++i)
        listing->kinds.emplace(QStringView(listing->names.at(i)), kinds.at(i));
    return listing;
}

struct Found {
    QString path;
    Kind kind = Kind::None;
};

// The folder listings of a run of lookups, and for each folder path spelled
// some way, the existing paths that match it without regard to case.
class Lookups
{
public:
    // Whether listings are kept. A lookup made alone asks the system whether
    // its name exists as written and lists folders only to search them.
    explicit Lookups(bool held)
        : m_held(held)
    {
    }

    // What path (with "/" separators) names.
    Found find(const QString &path)
    {
        if (!m_held)
            return search(path);
        // A file is often asked about several times in a row.
        if (m_hasLastFound && path == m_lastQuery)
            return m_lastFound;
        m_lastFound = findHeld(path);
        m_lastQuery = path;
        m_hasLastFound = true;
        return m_lastFound;
    }

private:
    Found findHeld(const QString &path)
    {
        if (const std::optional<Found> found = findInFolder(path))
            return *found;
        // Other spellings are searched once for each path.
        const auto known = m_found.constFind(path);
        if (known != m_found.constEnd())
            return *known;
        const Found found = search(path);
        m_found.insert(path, found);
        return found;
    }

    // Most names are of a file in a folder spelled as it exists: the folder's
    // listing answers them without a call to the system.
    std::optional<Found> findInFolder(const QString &path)
    {
        const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
        if (!isPlainFile(path, slash))
            return std::nullopt;
        const QStringView folder = QStringView(path).left(slash);
        const QStringView name = QStringView(path).mid(slash + 1);
        Listing &entries = listing(folder);
        if (entries.error != 0)
            return std::nullopt;
        if (const Kind kind = kindIn(folder, entries, name); kind != Kind::None)
            return Found { path, kind };
        const QStringList others = otherCases(folder, entries, name);
        if (!others.isEmpty())
            return Found { join(folder, others.first()), kindIn(folder, entries, others.first()) };
        // Missing here, and no folder spelled otherwise to look in.
        if (entries.spellings < 0)
            entries.spellings = int(variants(folder.toString()).size());
        if (entries.spellings == 1)
            return Found { path, Kind::None };
        return std::nullopt;
    }

    Listing &listing(QStringView folder)
    {
        if (!m_last || folder != m_lastFolder) {
            m_lastFolder = folder.toString();
            m_last = &listing(m_lastFolder);
        }
        return *m_last;
    }

    Listing &listing(const QString &folder)
    {
        auto it = m_listings.find(folder);
        if (it == m_listings.end())
            it = m_listings.insert(folder, std::shared_ptr<Listing>(takeListing(folder)));
        return **it;
    }

    // The kind of entry name of folder, from the folder's listing.
    Kind kindIn(QStringView folder, Listing &entries, QStringView name)
    {
        if (entries.error != 0) {
            return kindInUnlisted(entries.error, folder, name);
        }
        const auto it = entries.kinds.find(name);
        if (it == entries.kinds.end())
            return Kind::None;
        if (it->second == Kind::Unknown)
            it->second = statKind(join(folder, name));
        return it->second;
    }

    // The entries of a folder that match name without regard to case, name
    // itself left out, in the order the folder lists them.
    QStringList otherCases(QStringView folder, Listing &entries, QStringView name)
    {
        if (entries.error != 0)
            return {};
        // Most names looked for in vain have no other spelling either: that is
        // told from a hash of each name before the names are folded.
        if (entries.foldedHashes.empty()) {
            entries.foldedHashes.reserve(size_t(entries.names.size()));
            for (const QString &entry : std::as_const(entries.names))
                entries.foldedHashes.insert(foldedHash(entry).value_or(0));
        }
        if (const std::optional<size_t> hash = foldedHash(name); hash && !entries.foldedHashes.count(*hash))
            return {};
        if (!entries.folded) {
            for (const QString &entry : std::as_const(entries.names))
                entries.byFoldedName[entry.toCaseFolded()] += entry;
            entries.folded = true;
        }
        const auto sameFolded = entries.byFoldedName.constFind(name.toString().toCaseFolded());
        if (sameFolded == entries.byFoldedName.constEnd())
            return {};
        QStringList found;
        for (const QString &entry : *sameFolded) {
            if (entry != name && entry.compare(name, Qt::CaseInsensitive) == 0
                && kindIn(folder, entries, entry) != Kind::None)
                found += entry;
        }
        return found;
    }

    // The names of folder that match name without regard to case, an exact
    // match first. A folder not listed yet is only searched for name: those
    // above a skin's folder are asked this once, and some hold many entries.
    QStringList candidates(const QString &folder, const QString &name)
    {
        if (isDots(name))
            return { name };
        if (!m_listings.contains(folder))
            return matchesIn(folder, name);
        Listing &entries = listing(folder);
        QStringList found;
        if (kindIn(folder, entries, name) != Kind::None)
            found += name;
        return found + otherCases(folder, entries, name);
    }

    // The existing paths that match path without regard to case, in the order
    // of preference: at each step the exact name first, then the others in the
    // order the folder lists them. Those of folders are kept: every name in a
    // folder needs them.
    QStringList variants(const QString &path, bool ofFolder = true)
    {
        if (isStart(path))
            return { path };
        if (ofFolder) {
            const auto known = m_variants.constFind(path);
            if (known != m_variants.constEnd())
                return *known;
        }
        const QString name = nameOf(path);
        QStringList found;
        for (const QString &folder : variants(parentOf(path))) {
            for (const QString &candidate : candidates(folder, name))
                found += join(folder, candidate);
        }
        if (ofFolder)
            m_variants.insert(path, found);
        return found;
    }

    // What the path names, spelled exactly as given (normalised).
    Kind kindAsWritten(const QString &path)
    {
        if (!m_held || isStart(path) || isDots(nameOf(path)))
            return statKind(path);
        const QString folder = parentOf(path);
        return kindIn(folder, listing(folder), nameOf(path));
    }

    Found search(const QString &p)
    {
        const QString key = normalised(p);
        if (const Kind kind = kindAsWritten(key); kind != Kind::None)
            return { p, kind };

        // The deepest leading part that exists is resolved; the rest keeps the
        // spelling it was given.
        for (QString part = key; !isStart(part); part = parentOf(part)) {
            const QStringList found = variants(part, part != key);
            if (found.isEmpty())
                continue;
            Found result;
            const QString rest = key.mid(part.size());
            result.path = found.first().endsWith(QLatin1Char('/')) && rest.startsWith(QLatin1Char('/'))
                ? found.first() + rest.mid(1)
                : found.first() + rest;
            if (part == key)
                result.kind = kindAsWritten(result.path);
            if (p.endsWith(QLatin1Char('/')) && !result.path.endsWith(QLatin1Char('/')))
                result.path += QLatin1Char('/');
            return result;
        }
        return { p, Kind::None };
    }

    bool m_held;
    QHash<QString, std::shared_ptr<Listing>> m_listings;
    QString m_lastFolder;
    Listing *m_last = nullptr;
    QHash<QString, QStringList> m_variants;
    QHash<QString, Found> m_found;
    QString m_lastQuery;
    Found m_lastFound;
    bool m_hasLastFound = false;
};

struct Held {
    int depth = 0;
    std::unique_ptr<Lookups> lookups;
    quint64 id = 0;
};

// Numbers the listings taken in any thread.
quint64 nextListingsId()
{
    static std::atomic<quint64> last { 0 };
    return ++last;
}

// Listings are held per thread: a thread that holds none asks the system.
Held &held()
{
    thread_local Held h;
    return h;
}

Found lookup(const QString &given)
{
    const QString p = toSlashes(given);
    if (p.isEmpty())
        return {};
    if (Lookups *kept = held().lookups.get())
        return kept->find(p);
    return Lookups(false).find(p);
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
    if (h.depth++ == 0) {
        h.lookups = std::make_unique<Lookups>(true);
        h.id = nextListingsId();
    }
}

void releaseListings()
{
    Held &h = held();
    if (h.depth > 0 && --h.depth == 0) {
        h.lookups.reset();
        h.id = 0;
    }
}

void forgetListings()
{
    Held &h = held();
    if (h.lookups) {
        h.lookups = std::make_unique<Lookups>(true);
        h.id = nextListingsId();
    }
}

quint64 listingsId()
{
    return held().id;
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
    return dir.entryList(QStringList { filter }, filters, QDir::Unsorted);
}

} // namespace fs
