#include "platform/IniFile.h"

namespace ini {

QString readValue(const QString &, const QString &, const QString &, int *count, Encoding)
{
    if (count)
        *count = 0;
    return QString();
}

void clearCache() {}

} // namespace ini
