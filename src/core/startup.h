#pragma once

#include <QStringList>

#include <cstdint>

class frmMain;

// Starts the editor: the one-copy check, the main window's start-up and the
// command-line skin. arguments as QCoreApplication::arguments() gives them.
// Returns the main window, or nullptr when another copy runs.
frmMain *startEditor(const QStringList &arguments);

// The vertical allowance of the preview window's frame for a title bar of this
// height: the height + 10, or 29 when that is not a plausible frame (11 to 99);
// a height that does not fit a byte leaves previous to that test.
uint8_t FrameBorderYFor(int titleBarHeight, uint8_t previous);
