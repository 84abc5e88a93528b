#pragma once

#include <QList>
#include <QString>

#include <array>

// The user-interface language: the message table, the common strings, the
// current language and the lookup rule by which every text is taken from the
// current language file or from the built-in table.

// Message k is message 13001 + k; slots 114 and 115 stay empty.
extern std::array<QString, 116> gMessages;
// Message number (13001 to 13116) of the message table, "" for any other number.
QString Message(int number);
// Common text k is text 12001 + k.
extern std::array<QString, 12> gUIStrings;
// Common text number (12001 to 12012), "" for any other number.
QString UIString(int number);
// Base name of the current language file; "" for the built-in texts.
extern QString gUILanguage;

// The folder of the language files ("<program folder>/Lang/").
QString LanguageFolder();

// One reader's run of the lookup rule: the language file path and its version
// gate are taken once, from gUILanguage as it is when the reader is made.
// While gUILanguage is empty no file is read at all, so a stray file named
// ".lng" in the language folder can never replace the built-in texts.
class LangReader
{
public:
    LangReader();

    // A reader of the built-in texts alone, whatever gUILanguage names (the
    // texts a window is created with).
    static LangReader builtinOnly();

    // The value of key in section when the gate passes and the value is not
    // empty; otherwise built-in text builtinId.
    QString text(const QString &section, const QString &key, int builtinId) const;
    QString text(const QString &section, int key, int builtinId) const;
    QString text(const QString &section, const char *key, int builtinId) const;

    // The language file ("" while gUILanguage is empty).
    QString path() const { return m_path; }
    // Whether the file's "Version" in section "TVX_Morvane" reads as 1 or more.
    bool gatePassed() const { return m_gate; }

private:
    QString m_path;
    bool m_gate = false;
};

// Fills gMessages from the section "Messages".
void LoadMessages();
