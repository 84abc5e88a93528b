#include "platform/Cp1252.h"

#include <QHash>

#include <array>

namespace cp1252 {

namespace {

// Bytes 0x80 to 0x9F; the rest of the code page equals Latin-1. The five bytes
// the code page leaves undefined keep their C1 control character, so that a file
// read and written again comes back byte for byte.
constexpr std::array<char16_t, 32> HighTable = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, //
};

const QHash<char16_t, char> &reverseTable()
{
    static const QHash<char16_t, char> table = [] {
        QHash<char16_t, char> t;
        for (int i = 0; i < int(HighTable.size()); ++i)
            t.insert(HighTable[i], char(0x80 + i));
        return t;
    }();
    return table;
}

// The byte for a character, or -1 when the code page has none.
int byteOf(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    const auto it = reverseTable().constFind(c);
    return it == reverseTable().constEnd() ? -1 : int(uchar(*it));
}

} // namespace

QString decode(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char b : bytes) {
        const uchar u = uchar(b);
        *out++ = (u >= 0x80 && u < 0xA0) ? QChar(HighTable[u - 0x80]) : QChar(u);
    }
    return text;
}

QByteArray encode(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        // A character outside the basic plane is one "?" for its two halves.
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        const int b = byteOf(c.unicode());
        bytes += b < 0 ? '?' : char(b);
    }
    return bytes;
}

bool canEncode(const QString &text)
{
    for (const QChar c : text)
        if (byteOf(c.unicode()) < 0)
            return false;
    return true;
}

QList<char32_t> unencodable(const QString &text)
{
    QList<char32_t> found;
    if (canEncode(text))
        return found;
    for (const char32_t c : text.toUcs4()) {
        const bool missing = c > 0xFFFF || byteOf(char16_t(c)) < 0;
        if (missing && !found.contains(c))
            found.append(c);
    }
    return found;
}

} // namespace cp1252
