#pragma once

#include <QString>
#include <QStringList>

// The rules by which a file reaches the open road: which names the editor opens,
// how a command line names its file, and the names' parts the road remembers.
// Names are compared without regard to case, as the skins' file system does.

// The text after the last separator ("/" or "\").
QString FileTitle(const QString &path);

// The path up to and including its last separator ("" when it holds none).
QString FolderOf(const QString &path);

// True for a ".tvk" archive or a file named "Skin.ini", "Skinv1.ini", "Skinfs.ini"
// or "Skinfsv1.ini"; only these are opened from the command line or a drop.
bool IsAcceptableSkinPath(const QString &path);

// True when the file title names a full-screen skin ("Skinfs.ini", "Skinfsv1.ini").
bool IsFullScreenSkinTitle(const QString &fileTitle);

// True when the file title ends in ".tvk".
bool IsArchiveTitle(const QString &fileTitle);

// The path a command line names: trimmed; a quoted path is cut after its closing
// quote, an unquoted one at its first blank; then the enclosing quotes go.
QString CommandLinePath(const QString &commandLine);

// The command line of a program started with these arguments (element 0 is the
// program), each argument that holds a blank quoted, as a shell would pass it.
QString CommandLineOf(const QStringList &arguments);

// The file the command line of these arguments opens, as the folder has it, taken
// from the current folder: "" when it names none, or a file that is missing or
// that is not opened from a command line.
QString CommandLineSkinFile(const QStringList &arguments);
