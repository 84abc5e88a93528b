#include "skin/OpenRoad.h"

#include "platform/FileSystem.h"

#include <QDir>

namespace {

int lastSeparator(const QString &path)
{
    return qMax(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ');
}

// Blanks only, as the command line is trimmed.
QString trimBlanks(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && isBlank(text.at(first)))
        ++first;
    while (last > first && isBlank(text.at(last - 1)))
        --last;
    return text.mid(first, last - first);
}

} // namespace

QString FileTitle(const QString &path)
{
    return path.mid(lastSeparator(path) + 1);
}

QString FolderOf(const QString &path)
{
    return path.left(lastSeparator(path) + 1);
}

bool IsAcceptableSkinPath(const QString &path)
{
    if (path.endsWith(QLatin1String(".tvk"), Qt::CaseInsensitive))
        return true;
    const QString title = FileTitle(path);
    for (const char *name : { "Skin.ini", "Skinv1.ini", "Skinfs.ini", "Skinfsv1.ini" }) {
        if (title.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool IsFullScreenSkinTitle(const QString &fileTitle)
{
    return fileTitle.compare(QLatin1String("Skinfs.ini"), Qt::CaseInsensitive) == 0
        || fileTitle.compare(QLatin1String("Skinfsv1.ini"), Qt::CaseInsensitive) == 0;
}

bool IsArchiveTitle(const QString &fileTitle)
{
    return fileTitle.endsWith(QLatin1String(".tvk"), Qt::CaseInsensitive);
}

QString CommandLinePath(const QString &commandLine)
{
    const QChar quote = QLatin1Char('"');
    QString path = trimBlanks(commandLine);
    if (path.contains(quote) || path.contains(QLatin1Char(' '))) {
        // A cut that finds no closing quote (or no blank) leaves nothing.
        if (path.startsWith(quote))
            path = path.left(path.indexOf(quote, 1) + 1);
        else
            path = trimBlanks(path.left(path.indexOf(QLatin1Char(' '), 1) + 1));
    }
    if (path.startsWith(quote))
        path.remove(0, 1);
    if (path.endsWith(quote))
        path.chop(1);
    return path;
}

QString CommandLineOf(const QStringList &arguments)
{
    QStringList parts;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        parts << (argument.contains(QLatin1Char(' ')) ? QLatin1Char('"') + argument + QLatin1Char('"')
                                                      : argument);
    }
    return parts.join(QLatin1Char(' '));
}

QString CommandLineSkinFile(const QStringList &arguments)
{
    const QString commandLine = CommandLineOf(arguments);
    if (commandLine.isEmpty())
        return QString();
    QString path = CommandLinePath(commandLine);
    if (path.isEmpty())
        return QString();
    path = fs::resolve(QDir::cleanPath(QDir::current().absoluteFilePath(fs::toSlashes(path))));
    return fs::fileExists(path) && IsAcceptableSkinPath(path) ? path : QString();
}
