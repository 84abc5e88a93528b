#pragma once

#include <QList>
#include <QString>

namespace vb {
class Error;
}

// The file-error table the skin writer, the old-skin converter and the settings
// writer share.

// A key of an INI file as a failure's place: the file's name, the section in
// brackets and the key ("Skin.ini, [Buttons] Btn2").
QString IniPlace(const QString &file, const QString &section, const QString &key);

// Characters named in a message, each in quotes with its code, as "ł" (U+0142),
// so that one that cannot be seen is still told; after the first ten, how many more.
QString CharactersText(const QList<char32_t> &characters);

// The message of an error that has no message of its own: message 13089
// "Error number: ", the number, a line break and the description, and, when the
// error tells where it was raised, a line break, "in " and that place.
QString ErrorNumberText(const vb::Error &error);

// Shows the table's message box for a failed file operation (its run-time error
// number and description); the title is the program title, " - " and operation. Returns true when the user
// chose Retry (only the errors that offer it); after Cancel it has shown message 13075 too.
bool ShowFileError(const vb::Error &error, const QString &operation);
