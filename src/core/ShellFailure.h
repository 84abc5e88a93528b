#pragma once

#include <QString>

class QWidget;

// What the editor says when a file, an address or a program could not be
// opened or started: a critical box titled "Attention" with what failed and, on
// the next line, what to do. No message of the table says this: the texts stay
// English.
void ShowShellFailure(QWidget *owner, const QString &failure, const QString &remedy);

// Opens an existing file or an address with the shell's "Open", leaving the
// shell's result in gApiResult; says so, naming it, when no program could.
void OpenWithShell(QWidget *owner, const QString &target);
