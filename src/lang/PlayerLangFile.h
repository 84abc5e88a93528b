#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include <cstdint>

// One section of a listed player language file.
struct LangSectionRec {
    QString SectionName; // between "[" and the first "]", exactly as written
    int32_t FirstLine = 0; // list index of its header line
};

// The player's own language file as the button-text picker lists it: every
// line, unchanged and in file order, and the sections found through the
// header lines. A button refers to one of its entries with
// "$lang.<section>.<key>", which the player replaces by that entry's text in
// its current language.
class PlayerLangFile
{
public:
    enum class Status {
        Listed, // the file was read (it may hold no entry that can be picked)
        Missing, // no such file, or a hidden one
        Unreadable, // it exists but cannot be read
        NotALanguageFile // binary or far too large
    };

    // Reads the file. On any status but Listed the lines are empty and the
    // sections hold only the lead and end elements.
    Status read(const QString &path);

    // Every line of the file; CRLF, LF and CR each end one line.
    const QStringList &lines() const { return m_lines; }

    // Element 0 stands for the lines before the first header; then one element
    // per header line in file order; last an end mark with an empty name whose
    // FirstLine is the number of lines.
    const QVector<LangSectionRec> &sections() const { return m_sections; }

    // The section (index into sections(), 0 for the lead) that holds line index.
    int sectionOfLine(int line) const;

    // The reference that line index stands for, or "" when that line cannot be
    // picked: it must start (after spaces) with "C", "c" or a digit, hold "=",
    // lie after the first header and not in a section named "Tovix.lang".
    // section and key receive the parts of the reference.
    QString referenceAt(int line, QString *section = nullptr, QString *key = nullptr) const;

    // The line a text refers to: of "<anything>.<section>.<key>" (the key may
    // hold further dots), the line of the first entry of that key in the last
    // section of that name that holds one, names matched without regard to
    // case; -1 when there is none.
    int lineOf(const QString &text) const;

    // A header line starts with "[" and holds "]"; *name gets the text between.
    static bool isHeader(const QString &line, QString *name = nullptr);
    // The text before the first "=", trimmed; "" when the line holds no "=".
    static QString keyOf(const QString &line);
    // "$lang." followed by the section name, "." and the key.
    static QString reference(const QString &section, const QString &key);

private:
    void clear();

    QStringList m_lines;
    QVector<LangSectionRec> m_sections;
};
