#pragma once

#include <QString>

// Read-only registry: answers from two INI files (see the project's platform notes).
namespace registry {

enum class Root { CurrentUser, LocalMachine, ClassesRoot };

// The value of valueName ("" or "@" for the key's default value) under keyPath;
// *found tells whether it exists.
QString queryValue(Root root, const QString &keyPath, const QString &valueName, bool *found = nullptr);

} // namespace registry
