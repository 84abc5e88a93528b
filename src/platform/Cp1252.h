#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Windows-1252, the code page of skin files. Every byte maps to one character and
// back: the five undefined bytes map to U+0081, U+008D, U+008F, U+0090 and U+009D.
namespace cp1252 {

QString decode(const QByteArray &bytes);
// Characters outside the code page become "?".
QByteArray encode(const QString &text);
// True when every character of text has a byte in the code page.
bool canEncode(const QString &text);
// The characters of text that the code page lacks, each once, in the order they
// first appear; a character outside the basic plane counts as one.
QList<char32_t> unencodable(const QString &text);

} // namespace cp1252
