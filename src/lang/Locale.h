#pragma once

#include "platform/ControlArray.h"

#include <QString>

#include <array>

class QAction;

// The user-interface language: the message table, the common strings, the
// current language and the lookup rule by which every text is taken from the
// current language file or from the built-in table.

// Message k is message 13001 + k; slots 114 and 115 stay empty.
extern std::array<QString, 116> gMessages;
// Common text k is text 12001 + k.
extern std::array<QString, 12> gUIStrings;
// Base name of the current language file; "" for the built-in texts.
extern QString gUILanguage;

// The folder of the language files ("<program folder>/Lang/").
QString LanguageFolder();

// One reader's run of the lookup rule: the language file path and its version
// gate are taken once, from gUILanguage as it is when the reader is made.
class LangReader
{
public:
    LangReader();

    // The value of key in section when the gate passes and the value is not
    // empty; otherwise built-in text builtinId.
    QString text(const QString &section, const QString &key, int builtinId) const;
    QString text(const QString &section, int key, int builtinId) const;

    QString path() const { return m_path; }
    bool gatePassed() const { return m_gate; }

private:
    QString m_path;
    bool m_gate = false;
};

// Fills gMessages from the section "Messages".
void LoadMessages();

// Applies gUILanguage to the menus, the open skin's windows, gUIStrings and gMessages.
void ApplyLanguage();

// Fills the Language menu with one item per language file, sorted by name.
void ListLanguageFiles(QAction *sep, ControlArray<QAction> &items);
