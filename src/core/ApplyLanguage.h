#pragma once

#include "platform/ControlArray.h"

class QAction;

// Applies gUILanguage to the menus, the open skin's windows, gUIStrings and gMessages.
void ApplyLanguage();

// Fills the Language menu with one item per language file, sorted by name.
void ListLanguageFiles(QAction *sep, ControlArray<QAction> &items);
