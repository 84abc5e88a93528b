#include "platform/IniFile.h"

#include "platform/Cp1252.h"
#include "platform/FileSystem.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStringDecoder>
#include <QVector>

#include <sys/stat.h>

#include <memory>

namespace ini {

namespace {

// Keeps the cache from growing without bound over a long session.
constexpr qsizetype MaxCachedFiles = 64;

// One parsed file: for each section (first occurrence only) the first value of
// each key, names folded for comparison without regard to case.
struct Parsed {
    QHash<QString, QHash<QString, QString>> sections;
    // The section last asked for, by the name as it was asked: a reader asks
    // for many keys of one section in a row.
    mutable QString lastAsked;
    mutable const QHash<QString, QString> *lastFound = nullptr;
};

struct CacheEntry {
    qint64 size = -1;
    qint64 modifiedNs = 0;
    std::shared_ptr<const Parsed> parsed;
};

// By the file's absolute path, one cache for each way of decoding it.
QHash<QString, CacheEntry> &cache(Encoding used)
{
    static QHash<QString, CacheEntry> entries[3];
    return entries[int(used)];
}

QString fold(QStringView name)
{
    // Names are mostly ASCII, folded in one pass into one new string; the
    // others by Unicode's rules.
    QString folded(name.size(), Qt::Uninitialized);
    QChar *out = folded.data();
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        if (u >= 0x80)
            return name.toString().toCaseFolded();
        *out++ = QChar(u >= 'A' && u <= 'Z' ? char16_t(u + ('a' - 'A')) : u);
    }
    return folded;
}

bool isProfileSpace(QChar c)
{
    const char16_t u = c.unicode();
    return u == ' ' || u == '\t' || u == '\v' || u == '\f' || u == 0x1A;
}

QStringView trimmed(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isProfileSpace(text.at(begin)))
        ++begin;
    while (end > begin && isProfileSpace(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

QString decodeFile(const QByteArray &bytes, Encoding encoding)
{
    static const QByteArray Bom("\xEF\xBB\xBF");
    if (bytes.startsWith(Bom))
        return QString::fromUtf8(bytes.constData() + Bom.size(), bytes.size() - Bom.size());
    if (encoding == Encoding::Utf8OrCp1252) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8(bytes);
        if (!utf8.hasError())
            return text;
    }
    return cp1252::decode(bytes);
}

Parsed parse(const QString &text)
{
    // The lines are split first: each section's table is then made at its size.
    struct Line {
        qsizetype section;
        QStringView key;
        QStringView value;
    };
    QList<Line> lines;
    QHash<QString, qsizetype> sectionIndex;
    QList<qsizetype> sectionSizes;
    qsizetype section = -1; // -1: before any section, or in a repeated one
    const QStringView all(text);
    qsizetype pos = 0;
    while (pos <= all.size()) {
        qsizetype end = pos;
        while (end < all.size() && all.at(end) != QLatin1Char('\r') && all.at(end) != QLatin1Char('\n'))
            ++end;
        const QStringView line = trimmed(all.mid(pos, end - pos));
        // CRLF is one line end; CR and LF alone are one each.
        if (end < all.size() && all.at(end) == QLatin1Char('\r') && end + 1 < all.size()
            && all.at(end + 1) == QLatin1Char('\n'))
            ++end;
        pos = end + 1;

        if (line.startsWith(QLatin1Char('['))) {
            const qsizetype close = line.lastIndexOf(QLatin1Char(']'));
            if (close > 0) {
                const QString name = fold(trimmed(line.mid(1, close - 1)));
                // Only the first section of a name is ever searched.
                section = sectionIndex.contains(name) ? -1 : sectionSizes.size();
                if (section >= 0) {
                    sectionIndex.insert(name, section);
                    sectionSizes.append(0);
                }
                continue;
            }
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0 || section < 0)
            continue;
        lines.append({ section, trimmed(line.left(equals)), trimmed(line.mid(equals + 1)) });
        ++sectionSizes[section];
    }

    Parsed parsed;
    parsed.sections.reserve(sectionIndex.size());
    QList<QHash<QString, QString> *> tables(sectionSizes.size());
    for (auto it = sectionIndex.cbegin(); it != sectionIndex.cend(); ++it)
        parsed.sections[it.key()].reserve(sectionSizes.at(it.value()));
    for (auto it = sectionIndex.cbegin(); it != sectionIndex.cend(); ++it)
        tables[it.value()] = &parsed.sections[it.key()];
    for (const Line &line : std::as_const(lines)) {
        QHash<QString, QString> &keys = *tables.at(line.section);
        // The first value of a key counts: a later one finds its place taken.
        const qsizetype before = keys.size();
        QString &value = keys[fold(line.key)];
        if (keys.size() != before)
            value = line.value.toString();
    }
    return parsed;
}

// The files read while the same folder listings are held (a skin's open),
// by the name and the encoding asked for: the program's own writes drop the
// listings, and the files are taken as they stand for the rest of the open, so
// a file already checked is not asked about again.
struct Checked {
    quint64 listings = 0;
    QHash<QString, std::shared_ptr<const Parsed>> files[3];
    // The file last read: a reader asks for many values of one file in a row.
    QString lastName;
    Encoding lastEncoding = Encoding::Auto;
    std::shared_ptr<const Parsed> last;
};

Checked &checked()
{
    static Checked files;
    return files;
}

Encoding effective(Encoding encoding, const QString &path)
{
    if (encoding != Encoding::Auto)
        return encoding;
    return path.endsWith(QLatin1String(".lng"), Qt::CaseInsensitive) ? Encoding::Utf8OrCp1252
                                                                     : Encoding::Cp1252;
}

// The parsed file, from the cache while its size and time are unchanged; null
// when the file does not exist or cannot be read.
std::shared_ptr<const Parsed> loadChecked(const QString &fileName, Encoding encoding)
{
    // A read checks the file with a single call to the system for its size
    // and time.
    QString path = fs::resolve(fileName);
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return nullptr;
    if (!path.startsWith(QLatin1Char('/')))
        path = QFileInfo(path).absoluteFilePath();
    const Encoding used = effective(encoding, path);
    const qint64 size = info.st_size;
    const qint64 modifiedNs = qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;

    auto &entries = cache(used);
    const auto it = entries.constFind(path);
    if (it != entries.constEnd() && it->size == size && it->modifiedNs == modifiedNs)
        return it->parsed;

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    const QByteArray bytes = file.readAll();
    auto parsed = std::make_shared<const Parsed>(parse(decodeFile(bytes, used)));
    if (entries.size() >= MaxCachedFiles && !entries.contains(path))
        entries.clear();
    entries.insert(path, CacheEntry { size, modifiedNs, parsed });
    return parsed;
}

// The parsed file: while folder listings are held, as it was first read under
// them; otherwise from loadChecked. Null when the file does not exist or cannot
// be read.
std::shared_ptr<const Parsed> load(const QString &fileName, Encoding encoding)
{
    if (fileName.isEmpty())
        return nullptr;
    Checked &held = checked();
    const quint64 listings = fs::listingsId();
    if (held.listings != listings) {
        for (auto &files : held.files)
            files.clear();
        held.last.reset();
        held.listings = listings;
    }
    if (listings == 0)
        return loadChecked(fileName, encoding);
    if (held.last && encoding == held.lastEncoding && fileName == held.lastName)
        return held.last;
    auto known = held.files[int(encoding)].constFind(fileName);
    if (known == held.files[int(encoding)].constEnd()) {
        const auto parsed = loadChecked(fileName, encoding);
        if (!parsed)
            return nullptr;
        known = held.files[int(encoding)].insert(fileName, parsed);
    }
    held.lastName = fileName;
    held.lastEncoding = encoding;
    held.last = *known;
    return held.last;
}

const QString *find(const Parsed &parsed, const QString &section, const QString &key)
{
    if (!parsed.lastFound || section != parsed.lastAsked) {
        const auto s = parsed.sections.constFind(fold(section.trimmed()));
        if (s == parsed.sections.constEnd())
            return nullptr;
        parsed.lastAsked = section;
        parsed.lastFound = &*s;
    }
    const auto k = parsed.lastFound->constFind(fold(key.trimmed()));
    return k == parsed.lastFound->constEnd() ? nullptr : &*k;
}

} // namespace

QString readValue(
    const QString &section, const QString &key, const QString &fileName, int *count, Encoding encoding)
{
    QString value;
    if (const auto parsed = load(fileName, encoding)) {
        if (const QString *found = find(*parsed, section, key)) {
            value = *found;
            if (value.size() >= 2) {
                const QChar first = value.front();
                if ((first == QLatin1Char('"') || first == QLatin1Char('\'')) && value.back() == first)
                    value = value.mid(1, value.size() - 2);
            }
            // The caller's buffer ends at the first NUL.
            const qsizetype nul = value.indexOf(QChar(0));
            if (nul >= 0)
                value.truncate(nul);
            if (value.size() > MaxValueLength)
                value.truncate(MaxValueLength);
        }
    }
    if (count)
        *count = int(value.size());
    return value;
}

bool hasKey(const QString &section, const QString &key, const QString &fileName, Encoding encoding)
{
    const auto parsed = load(fileName, encoding);
    return parsed && find(*parsed, section, key);
}

bool hasSection(const QString &section, const QString &fileName, Encoding encoding)
{
    const auto parsed = load(fileName, encoding);
    return parsed && parsed->sections.contains(fold(section.trimmed()));
}

QString readRawValue(
    const QString &section, const QString &key, const QString &fileName, bool *found, Encoding encoding)
{
    const auto parsed = load(fileName, encoding);
    const QString *value = parsed ? find(*parsed, section, key) : nullptr;
    if (found)
        *found = value != nullptr;
    return value ? *value : QString();
}

void clearCache()
{
    for (Encoding used : { Encoding::Auto, Encoding::Cp1252, Encoding::Utf8OrCp1252 })
        cache(used).clear();
    for (auto &files : checked().files)
        files.clear();
    checked().last.reset();
}

QString decode(const QByteArray &bytes, Encoding encoding)
{
    return decodeFile(bytes, encoding == Encoding::Auto ? Encoding::Cp1252 : encoding);
}

} // namespace ini
