#pragma once

#include "lang/Locale.h"

#include <QString>

class QComboBox;
class QObject;

// The one way a window gets its texts: the texts of one section of the language
// file, each given by its key and the number of the built-in text that stands in
// for it, and written into a control. Writing a text runs none of the window's
// handlers.
//   - caption: QMenu and QGroupBox get a title; QAction, QAbstractButton and
//     QLabel get their text; an MdiForm gets its caption; any other top-level
//     widget (a dialog) its window title. "&" marks the access key and "&&" shows
//     one "&"; a QLabel without a buddy cannot show an access key, so it gets
//     the text with the markers removed.
//   - toolTip: the widget's or the action's tooltip.
//   - listEntry: the text of entry `entry` of a QComboBox, replaced in place with
//     the box's signals blocked; the count, the order and the selection stay.
//
//   const WindowTexts texts(lang, "Display");
//   texts.caption(this, 1, 6001);
//   texts.toolTip(txtDisplayDimMax, "4_T", 6004);
//   texts.listEntry(cbxDisplay, 0, 9, 6011);
class WindowTexts
{
public:
    WindowTexts(const LangReader &lang, const QString &section);
    WindowTexts(const LangReader &lang, const char *section);

    // A key of the section: 12 or "4_T".
    struct Key {
        Key(int number)
            : text(QString::number(number))
        {
        }
        Key(const char *key)
            : text(QString::fromLatin1(key))
        {
        }
        Key(const QString &key)
            : text(key)
        {
        }
        QString text;
    };

    QString text(const Key &key, int id) const;
    void caption(QObject *target, const Key &key, int id) const;
    void toolTip(QObject *target, const Key &key, int id) const;
    void listEntry(QComboBox *box, int entry, const Key &key, int id) const;

    const LangReader &reader() const { return m_lang; }
    const QString &section() const { return m_section; }

private:
    const LangReader &m_lang;
    QString m_section;
};

// The writers, for texts that come from elsewhere.
void SetLangCaption(QObject *target, const QString &text);
void SetLangToolTip(QObject *target, const QString &text);
void SetLangListEntry(QComboBox *box, int entry, const QString &text);
