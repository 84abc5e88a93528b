#pragma once

#include <QStringList>

class frmMain;

// Starts the editor: the one-copy check, the main window's start-up and the
// command-line skin. arguments as QCoreApplication::arguments() gives them.
// Returns the main window, or nullptr when another copy runs.
frmMain *startEditor(const QStringList &arguments);

// For timing the program alone (bench/bench_whole_program): once main has been
// drawn, it is closed as File > Exit closes it. Only the program's own run asks
// for this, when the environment variable TVX_MORVANE_QUIT_WHEN_DRAWN is set;
// anything else that starts an editor keeps its window.
void closeWhenDrawnIfAsked(frmMain *main);
