#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

class QWidget;

// The shell's "Open" and registered verbs.
namespace shell {

// The shell's failures, as the Windows shell numbers them; success is above 32.
constexpr int FileNotFound = 2;
constexpr int NoAssociation = 31;

// Opens a file or address with the shell; returns a value above 32 on success,
// FileNotFound or NoAssociation (no program could open it) otherwise.
// "Open" (or no verb) hands the file or address to the desktop. Another verb runs
// the command registered for the file's class: the class is the default value of
// the classes-root key ".<extension>", the command the default value of
// "<class>\shell\<verb>\command". Parameters are not used: no caller passes any.
int execute(QWidget *owner, const QString &verb, const QString &file, const QString &parameters = QString(),
    const QString &directory = QString());

// Runs the command of a registered verb (with "%1" replaced by the file), detached.
bool runCommand(const QString &commandLine, const QString &file);

// The program a registered verb's command runs: its first word, unquoted;
// empty when the command names none (nothing, blanks, or an empty quoted name).
QString commandProgram(const QString &commandLine);

// Whether target is an address rather than a file: a scheme the desktop opens
// ("https:", "mailto:"), or a name starting with "www.".
bool isAddress(const QString &target);

// What the shell is asked to start: an address or file for the desktop to open
// (url), or a program with its arguments.
struct Launch {
    QUrl url;
    QString program;
    QStringList arguments;
    QString workingDirectory;
};

// Tests: launcher receives every launch instead of the desktop and tells whether
// it succeeded, so no viewer or player starts. An empty function restores the
// real shell.
using Launcher = std::function<bool(const Launch &)>;
void setLauncher(Launcher launcher);

} // namespace shell
