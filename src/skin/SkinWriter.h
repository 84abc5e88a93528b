#pragma once

#include <QStringList>

// The skin writer: the whole skin document written to the skin file in format
// version 1.00. It reads only the document, never the tool windows or the old file.

// The lines of the skin file for the document as it stands (window or full-screen
// skin by gFullScreenSkin), without line ends.
QStringList SkinFileLines();

// Writes gSkinFile from the document (Windows-1252, CR LF after every line; a
// line break inside a value becomes a blank, so that nothing the user typed can
// split a line into a key of its own) and clears the modified mark. A value that
// a reading would not give back (a character outside Windows-1252, more than 255
// characters) stops the save before anything is written, with a message naming
// it. A failure is reported through the file-error table. After either the mark
// stays, and the file on disk stays as it was.
void SaveSkin();
