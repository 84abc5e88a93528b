#pragma once

#include <QByteArray>
#include <QString>

// Windows-1252, the code page of skin files. Every byte maps to one character and
// back: the five undefined bytes map to U+0081, U+008D, U+008F, U+0090 and U+009D.
namespace cp1252 {

QString decode(const QByteArray &bytes);
// Characters outside the code page become "?".
QByteArray encode(const QString &text);
// True when every character of text has a byte in the code page.
bool canEncode(const QString &text);

} // namespace cp1252
