#pragma once

#include <QString>

// Read-only registry: answers from two INI files read with the project's INI
// reader, so key paths and value names match without regard to case. The current
// user's entries are in $XDG_CONFIG_HOME/TVX_Morvane/registry-hkcu.ini, the local
// machine's in /etc/xdg/TVX_Morvane/registry-hklm.ini; TVX_MORVANE_REGISTRY names a
// folder holding both files instead. A section is a key path written with backslashes
// ("[Software\KRW\rezori1]"), a key a value name, "@" the key's default value.
// The classes root has no file of its own: it is "Software\Classes\<path>" of the
// current user, else of the local machine, as Windows merges them. Values are
// text taken as written (trimmed; quotes kept, no length limit); a caller wanting
// a number converts it.
namespace registry {

enum class Root { CurrentUser, LocalMachine, ClassesRoot };

// The value of valueName ("" or "@" for the key's default value) under keyPath;
// *found tells whether it exists.
QString queryValue(Root root, const QString &keyPath, const QString &valueName, bool *found = nullptr);

} // namespace registry
