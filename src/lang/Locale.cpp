#include "lang/Locale.h"

std::array<QString, 116> gMessages;
std::array<QString, 12> gUIStrings;
QString gUILanguage;

LangReader::LangReader() {}

QString LangReader::text(const QString &, const QString &, int) const
{
    return QString();
}

QString LangReader::text(const QString &section, int key, int builtinId) const
{
    return text(section, QString::number(key), builtinId);
}
