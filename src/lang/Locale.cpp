#include "lang/Locale.h"

#include "platform/WinApi.h"
#include "platform/AppInfo.h"
#include "platform/FileSystem.h"
#include "platform/VbRuntime.h"
#include "resources/BuiltinTexts.h"

#include <QStringList>

std::array<QString, 116> gMessages;
std::array<QString, 12> gUIStrings;
QString gUILanguage;

namespace {

const QString kGateSection = QStringLiteral("TVX_Morvane");
const QString kGateKey = QStringLiteral("Version");
const QString kMessagesSection = QStringLiteral("Messages");

// The keys of section "Messages" in the order of their slots: every message
// number from 1 to 78, each followed by the keys of its further parts.
QStringList messageKeys()
{
    QStringList keys;
    for (int n = 1; n <= 78; ++n) {
        const QString key = QString::number(n);
        keys.append(key);
        int parts = 0;
        switch (n) {
        case 10:
        case 11:
        case 12:
        case 16:
        case 17:
        case 18:
        case 19:
        case 20:
        case 21:
        case 23:
        case 25:
        case 28:
        case 31:
        case 33:
        case 35:
        case 36:
        case 41:
        case 42:
        case 45:
        case 46:
        case 47:
        case 48:
        case 50:
        case 51:
        case 52:
        case 54:
        case 55:
        case 56:
        case 60:
            parts = 1;
            break;
        case 22:
        case 24:
            parts = 2;
            break;
        case 57:
            parts = 3;
            break;
        default:
            break;
        }
        for (int p = 1; p <= parts; ++p)
            keys.append(key + QLatin1Char('_') + QString::number(p));
    }
    return keys;
}

} // namespace

QString LanguageFolder()
{
    return AddBackslash(AddBackslash(app::path()) + QStringLiteral("Lang"));
}

LangReader::LangReader()
{
    // Without a chosen language the built-in texts serve; the name ".lng" alone
    // is not a language file.
    if (gUILanguage.isEmpty())
        return;
    // The Language menu offers the names as the folder spells them, but a name
    // saved in the settings file may differ in case from the file's.
    m_path = fs::resolve(LanguageFolder() + gUILanguage + QStringLiteral(".lng"));
    m_gate = vb::Val(ReadIni(kGateSection, kGateKey, m_path)) >= 1.0;
}

QString LangReader::text(const QString &section, const QString &key, int builtinId) const
{
    if (m_gate) {
        const QString value = ReadIni(section, key, m_path);
        if (!value.isEmpty())
            return value;
    }
    return LoadResString(builtinId);
}

QString LangReader::text(const QString &section, int key, int builtinId) const
{
    return text(section, QString::number(key), builtinId);
}

QString LangReader::text(const QString &section, const char *key, int builtinId) const
{
    return text(section, QString::fromLatin1(key), builtinId);
}

LangReader LangReader::builtinOnly()
{
    LangReader reader;
    reader.m_path.clear();
    reader.m_gate = false;
    return reader;
}

QString Message(int number)
{
    const int slot = number - 13001;
    return slot >= 0 && slot < int(gMessages.size()) ? gMessages[slot] : QString();
}

QString UIString(int number)
{
    const int slot = number - 12001;
    return slot >= 0 && slot < int(gUIStrings.size()) ? gUIStrings[slot] : QString();
}

void LoadMessages()
{
    static const QStringList keys = messageKeys();
    const LangReader lang;
    for (int k = 0; k < keys.size(); ++k)
        gMessages[k] = lang.text(kMessagesSection, keys.at(k), 13001 + k);
}
