#pragma once

#include <QString>

// A new skin is bound to its kind's file ("Skin.ini" or "Skinfs.ini") in the
// folder the user picks, whatever name was typed, and nothing is written then.
// That folder may already hold a skin file of that name: the first save of the
// new skin asks before it replaces it, however the save was started.

// Remembers that skinFile has just been bound to a new skin. confirmed: the user
// has already agreed to replace that very file (the save dialog asked).
void BindNewSkinFile(const QString &skinFile, bool confirmed);

// Remembers that skinFile was read only in part: the document holds what was read
// before a problem ended the read, so the first save asks before it replaces the file.
void BindIncompleteSkinFile(const QString &skinFile);

// Forgets the binding: the skin file now open is one the user opened.
void ForgetNewSkinFile();

// Asked by every save before it writes gSkinFile; true when it may write. While
// gSkinFile is a new skin's file that exists and that the user has not agreed to
// replace, asks Yes/No (No by default). No keeps the file, and the next save asks
// again; Yes, or a file that does not exist, lets this and every later save write.
bool ConfirmSkinFileWrite();
