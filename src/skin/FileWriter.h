#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The one writer of the program's files (skins, settings, converted images): each
// file through a temporary file that replaces the old one only when complete, its
// failures shown through the file-error table.

// How a text file's characters become bytes.
enum class TextEncoding {
    Cp1252, // Windows-1252 always (skin files: the player reads nothing else)
    Cp1252OrUtf8Bom, // Windows-1252 when every character fits, else UTF-8 with a byte-order mark
};

// Writes lines to path with CRLF after every line, through a temporary file that
// replaces the old one only when complete. Failures go through the table (Retry
// repeats the failed step). Returns true when written.
bool WriteTextFile(const QString &path, const QStringList &lines, const QString &operation,
    TextEncoding encoding = TextEncoding::Cp1252);

// As WriteTextFile, but a file that holds those bytes already is left as it is
// (true): the program's settings, written at every exit, mostly are.
bool UpdateTextFile(const QString &path, const QStringList &lines, const QString &operation,
    TextEncoding encoding = TextEncoding::Cp1252);

// Writes bytes to path the same way, replacing the old file only when complete.
bool WriteWholeFile(const QString &path, const QByteArray &bytes, const QString &operation);
