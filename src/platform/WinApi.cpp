#include "platform/WinApi.h"

#include "platform/IniFile.h"

QString ReadIni(const QString &section, const QString &key, const QString &fileName)
{
    int count = 0;
    const QString value = ini::readValue(section, key, fileName, &count);
    gApiResult = count;
    return count == 0 ? QString() : value;
}

QString AddBackslash(const QString &path)
{
    // Paths use "/" here; a path that already ends in a separator is left alone.
    if (path.isEmpty() || path.endsWith(QLatin1Char('/')))
        return path;
    return path + QLatin1Char('/');
}
