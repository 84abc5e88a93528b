#pragma once

#include "platform/Dialogs.h"
#include "platform/IniFile.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

// A folder of the fuzzer's own, one file rewritten per input, and message boxes
// answered at once (No to every question).
class FuzzFolder
{
public:
    FuzzFolder()
    {
        dialogs::setResponder([](const dialogs::Request &) {
            dialogs::Answer answer;
            answer.button = dialogs::vbNo;
            return answer;
        });
    }
    QString path() const { return m_dir.path() + QLatin1Char('/'); }
    QString write(const char *name, const uint8_t *data, size_t size) const
    {
        const QString file = path() + QLatin1String(name);
        QFile out(file);
        if (out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            out.write(reinterpret_cast<const char *>(data), qint64(size));
        // Files of one size rewritten within one tick would read as cached.
        ini::clearCache();
        return file;
    }

private:
    QTemporaryDir m_dir;
};
