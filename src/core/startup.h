#pragma once

#include <QStringList>

class frmMain;

// Starts the editor: the one-copy check, the main window's start-up and the
// command-line skin. arguments as QCoreApplication::arguments() gives them.
// Returns the main window, or nullptr when another copy runs.
frmMain *startEditor(const QStringList &arguments);
