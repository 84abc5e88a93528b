#pragma once

#include <QString>

class QWidget;

// The shell's "Open" and registered verbs.
namespace shell {

// Opens a file or address with the shell; returns a value above 32 on success,
// as the Windows shell does (2 = file not found, 31 = no association).
int execute(QWidget *owner, const QString &verb, const QString &file,
            const QString &parameters = QString(), const QString &directory = QString());

// Runs the command of a registered verb (with "%1" replaced by the file), detached.
bool runCommand(const QString &commandLine, const QString &file);

} // namespace shell
