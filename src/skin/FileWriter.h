#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace vb {
class Error;
}

// The file-error table the skin writer, the old-skin converter and the settings
// writer share, and the one writer of text files that uses it.

// Shows the table's message box for a failed file operation (its run-time error
// number and description); the title is the program title, " - " and operation. Returns true when the user chose Retry
// (only the errors that offer it); after Cancel it has shown message 13075 too.
bool ShowFileError(const vb::Error &error, const QString &operation);

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

// Writes bytes to path the same way, replacing the old file only when complete.
bool WriteWholeFile(const QString &path, const QByteArray &bytes, const QString &operation);
