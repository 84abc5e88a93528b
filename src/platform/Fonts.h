#pragma once

#include <QString>

// Registering a skin's font files with the system for the time the skin is open.
namespace fonts {

// Returns an id (>= 0) or -1 when the file could not be registered.
int addFontFile(const QString &path);
void removeFontFile(int id);

} // namespace fonts
