#pragma once

#include "lang/Locale.h"
#include "platform/IniFile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// A program folder of its own, with an empty "Lang" folder, that
// TVX_MORVANE_HOME names while it lives; no language is chosen at either end.
//
//     LangHome home;
//     QVERIFY(home.isValid());
//     QVERIFY(home.writeLanguage("Test.lng", "[TVX_Morvane]\nVersion=1\n[Menu]\n1=Datei\n"));
//     gUILanguage = "Test";
class LangHome
{
public:
    LangHome()
    {
        qputenv("TVX_MORVANE_HOME", QFile::encodeName(m_dir.path()));
        m_valid = m_dir.isValid() && QDir(m_dir.path()).mkdir(QStringLiteral("Lang"));
        gUILanguage.clear();
        ini::clearCache();
    }
    ~LangHome()
    {
        gUILanguage.clear();
        qunsetenv("TVX_MORVANE_HOME");
    }
    LangHome(const LangHome &) = delete;
    LangHome &operator=(const LangHome &) = delete;

    bool isValid() const { return m_valid; }
    // The program folder, without a trailing "/".
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    // The language folder, with a trailing "/".
    QString langFolder() const { return m_dir.path() + QStringLiteral("/Lang/"); }

    // Writes a file into the language folder with Windows line ends ("\n"
    // becomes CRLF) and drops the INI cache, so the next read sees it.
    bool writeLanguage(const QString &fileName, const QByteArray &content) const
    {
        QFile file(langFolder() + fileName);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
        QByteArray crlf = content;
        crlf.replace("\r\n", "\n");
        crlf.replace("\n", "\r\n");
        const bool written = file.write(crlf) == crlf.size();
        file.close();
        ini::clearCache();
        return written;
    }

private:
    QTemporaryDir m_dir;
    bool m_valid = false;
};
