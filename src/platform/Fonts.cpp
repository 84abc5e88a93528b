#include "platform/Fonts.h"

#include "platform/FileSystem.h"

#include <QFontDatabase>

namespace fonts {

int addFontFile(const QString &path)
{
    if (path.isEmpty() || !fs::fileExists(path))
        return -1;
    return QFontDatabase::addApplicationFont(fs::resolve(path));
}

void removeFontFile(int id)
{
    if (id >= 0)
        QFontDatabase::removeApplicationFont(id);
}

} // namespace fonts
