#include "platform/Shell.h"

#include "platform/FileSystem.h"
#include "platform/Registry.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>

#include <utility>

namespace shell {

namespace {

constexpr int Success = 42;

Launcher &launcher()
{
    static Launcher installed;
    return installed;
}

bool launch(const Launch &what)
{
    if (launcher()) {
        const Launcher current = launcher();
        return current(what);
    }
    if (!what.url.isEmpty())
        return QDesktopServices::openUrl(what.url);
    return QProcess::startDetached(what.program, what.arguments, what.workingDirectory);
}

} // namespace

bool isAddress(const QString &target)
{
    if (target.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
        return true;
    const QUrl url(target, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    // One letter is a Windows drive, not a scheme.
    return url.isValid() && scheme.size() > 1 && scheme != QLatin1String("file");
}

void setLauncher(Launcher l)
{
    launcher() = std::move(l);
}

int execute(QWidget *, const QString &verb, const QString &file, const QString &, const QString &)
{
    if (file.isEmpty())
        return FileNotFound;
    const bool open = verb.isEmpty() || verb.compare(QLatin1String("open"), Qt::CaseInsensitive) == 0;
    if (isAddress(file)) {
        if (!open)
            return NoAssociation;
        Launch what;
        what.url = QUrl::fromUserInput(file);
        return launch(what) ? Success : NoAssociation;
    }

    const QFileInfo info(fs::resolve(file));
    if (!info.exists())
        return FileNotFound;
    if (open) {
        Launch what;
        what.url = QUrl::fromLocalFile(info.absoluteFilePath());
        return launch(what) ? Success : NoAssociation;
    }

    const QString fileClass
        = registry::queryValue(registry::Root::ClassesRoot, QLatin1Char('.') + info.suffix(), QString());
    if (fileClass.isEmpty())
        return NoAssociation;
    const QString command = registry::queryValue(registry::Root::ClassesRoot,
        fileClass + QStringLiteral("\\shell\\") + verb + QStringLiteral("\\command"), QString());
    if (command.isEmpty())
        return NoAssociation;
    return runCommand(command, info.absoluteFilePath()) ? Success : NoAssociation;
}

// The words of a registered verb's command, the program first. Qt's splitter
// drops an empty quoted word, which would make the first argument the program:
// a command whose program is empty or blanks has no words.
static QStringList commandWords(const QString &commandLine)
{
    const QString line = commandLine.trimmed();
    if (line.startsWith(QLatin1String("\"\"")) && (line.size() == 2 || line.at(2).isSpace()))
        return {};
    QStringList words = QProcess::splitCommand(line);
    if (words.isEmpty() || words.constFirst().trimmed().isEmpty())
        return {};
    return words;
}

bool runCommand(const QString &commandLine, const QString &file)
{
    // The command is split first, so a file name with blanks stays one argument
    // wherever "%1" stands, quoted or not.
    QStringList arguments = commandWords(commandLine);
    if (arguments.isEmpty())
        return false;
    for (QString &argument : arguments) {
        argument.replace(QLatin1String("%1"), file);
        argument.replace(QLatin1String("%L"), file, Qt::CaseInsensitive);
    }
    Launch what;
    what.program = arguments.takeFirst();
    what.arguments = arguments;
    return launch(what);
}

QString commandProgram(const QString &commandLine)
{
    return commandWords(commandLine).value(0);
}

} // namespace shell
