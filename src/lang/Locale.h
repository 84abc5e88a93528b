#pragma once

#include "platform/ControlArray.h"

#include <QList>
#include <QString>

#include <array>

class QAction;
class QComboBox;
class QObject;

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
// While gUILanguage is empty no file is read at all, so a stray file named
// ".lng" in the language folder can never replace the built-in texts.
class LangReader
{
public:
    LangReader();

    // The value of key in section when the gate passes and the value is not
    // empty; otherwise built-in text builtinId.
    QString text(const QString &section, const QString &key, int builtinId) const;
    QString text(const QString &section, int key, int builtinId) const;

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

// Applies gUILanguage to the menus, the open skin's windows, gUIStrings and gMessages.
void ApplyLanguage();

// Fills the Language menu with one item per language file, sorted by name.
void ListLanguageFiles(QAction *sep, ControlArray<QAction> &items);

// --- Putting texts into windows ---------------------------------------------
//
// A window that takes its texts from the language file (in its own load and in
// ApplyTexts) can describe them as a list of LangItem and hand the list to
// ApplyLangItems, which looks each text up with the reader and writes it in list
// order. Writing a text runs none of the window's handlers:
//   - Caption: QMenu and QGroupBox get a title; QAction, QAbstractButton and
//     QLabel get their text; an MdiForm gets its caption; any other top-level
//     widget (a dialog) its window title. "&" marks the access key and "&&" shows
//     one "&", as in the design; a QLabel without a buddy cannot show an access
//     key, so it gets the text with the markers removed.
//   - ToolTip: the widget's or the action's tooltip.
//   - ListEntry: the text of entry `entry` of a QComboBox, replaced in place with
//     the box's signals blocked; the count, the order and the selection stay.
//
// Example:
//   ApplyLangItems(lang, {
//       LangItem::caption(this, "Display", 1, 6001),
//       LangItem::toolTip(txtDisplayDimMax, "Display", "4_T", 6004),
//       LangItem::listEntry(cbxDisplay, 0, "Display", 9, 6011),
//   });

// A key of a language file section: "12" or "4_T".
struct LangKey {
    LangKey(int number) : text(QString::number(number)) {}
    LangKey(const char *key) : text(QString::fromLatin1(key)) {}
    LangKey(const QString &key) : text(key) {}
    QString text;
};

// One text of a window: its target and the section, key and built-in id it comes from.
struct LangItem {
    enum Property { Caption, ToolTip, ListEntry };

    QObject *target = nullptr;
    Property property = Caption;
    int entry = 0; // ListEntry only
    QString section;
    QString key;
    int id = 0;

    static LangItem caption(QObject *target, const char *section, const LangKey &key, int id);
    static LangItem toolTip(QObject *target, const char *section, const LangKey &key, int id);
    static LangItem listEntry(QComboBox *box, int entry, const char *section, const LangKey &key, int id);
};

// Looks up and writes every item, in list order. A null target is skipped.
void ApplyLangItems(const LangReader &lang, const QList<LangItem> &items);

// The writers ApplyLangItems uses, for texts that come from elsewhere.
void SetLangCaption(QObject *target, const QString &text);
void SetLangToolTip(QObject *target, const QString &text);
void SetLangListEntry(QComboBox *box, int entry, const QString &text);
