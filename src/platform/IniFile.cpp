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

// The longest value a read returns: the profile functions fill a buffer of 256
// characters, the last of which is the terminating NUL.
constexpr qsizetype MaxValueLength = 255;

// Keeps the cache from growing without bound over a long session.
constexpr qsizetype MaxCachedFiles = 64;

// One parsed file: for each section (first occurrence only) the first value of
// each key, names folded for comparison without regard to case.
struct Parsed {
    QHash<QString, QHash<QString, QString>> sections;
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

QString fold(const QString &name)
{
    return name.toCaseFolded();
}

bool isProfileSpace(QChar c)
{
    const char16_t u = c.unicode();
    return u == ' ' || u == '\t' || u == '\v' || u == '\f' || u == 0x1A;
}

QString trimmed(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isProfileSpace(text.at(begin)))
        ++begin;
    while (end > begin && isProfileSpace(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin).toString();
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
    Parsed parsed;
    QHash<QString, QString> *section = nullptr; // null: before any section, or a repeated one
    qsizetype pos = 0;
    while (pos <= text.size()) {
        qsizetype end = pos;
        while (end < text.size() && text.at(end) != QLatin1Char('\r') && text.at(end) != QLatin1Char('\n'))
            ++end;
        const QString line = trimmed(QStringView(text).mid(pos, end - pos));
        // CRLF is one line end; CR and LF alone are one each.
        if (end < text.size() && text.at(end) == QLatin1Char('\r') && end + 1 < text.size()
            && text.at(end + 1) == QLatin1Char('\n'))
            ++end;
        pos = end + 1;

        if (line.startsWith(QLatin1Char('['))) {
            const qsizetype close = line.lastIndexOf(QLatin1Char(']'));
            if (close > 0) {
                const QString name = fold(trimmed(QStringView(line).mid(1, close - 1)));
                // Only the first section of a name is ever searched.
                section = parsed.sections.contains(name) ? nullptr : &parsed.sections[name];
                continue;
            }
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0 || !section)
            continue;
        const QString key = fold(trimmed(QStringView(line).left(equals)));
        if (section->contains(key))
            continue;
        section->insert(key, trimmed(QStringView(line).mid(equals + 1)));
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
    return path.endsWith(QLatin1String(".lng"), Qt::CaseInsensitive) ? Encoding::Utf8OrCp1252 : Encoding::Cp1252;
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
        held.listings = listings;
    }
    if (listings != 0) {
        const auto known = held.files[int(encoding)].constFind(fileName);
        if (known != held.files[int(encoding)].constEnd())
            return *known;
    }
    const auto parsed = loadChecked(fileName, encoding);
    if (listings != 0 && parsed)
        held.files[int(encoding)].insert(fileName, parsed);
    return parsed;
}

const QString *find(const Parsed &parsed, const QString &section, const QString &key)
{
    const auto s = parsed.sections.constFind(fold(section.trimmed()));
    if (s == parsed.sections.constEnd())
        return nullptr;
    const auto k = s->constFind(fold(key.trimmed()));
    return k == s->constEnd() ? nullptr : &*k;
}

} // namespace

QString readValue(const QString &section, const QString &key, const QString &fileName, int *count,
                  Encoding encoding)
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

QString readRawValue(const QString &section, const QString &key, const QString &fileName, bool *found,
                     Encoding encoding)
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
}

QString decode(const QByteArray &bytes, Encoding encoding)
{
    return decodeFile(bytes, encoding == Encoding::Auto ? Encoding::Cp1252 : encoding);
}

} // namespace ini
