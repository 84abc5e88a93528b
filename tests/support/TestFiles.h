#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Whole files as bytes, for tests that check what the program wrote or give it
// files to read.
namespace testfiles {

// The file's bytes; empty when it cannot be read.
inline QByteArray read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Replaces the file with bytes; false when it cannot be written.
inline bool write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace testfiles
