#include "lang/PlayerLangFile.h"

#include "platform/FileSystem.h"
#include "platform/IniFile.h"

#include <QFile>
#include <QFileInfo>

namespace {

// A player language file is a few hundred kilobytes; anything far larger is
// not one, and listing it would hold the window for a long time.
constexpr qint64 MaxFileSize = 16 * 1024 * 1024;

// Spaces only, as the picker's rules trim: a tab is part of a name.
QStringView trimSpaces(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype pos = 0;
    while (pos < text.size()) {
        qsizetype end = pos;
        while (end < text.size() && text.at(end) != QLatin1Char('\r') && text.at(end) != QLatin1Char('\n'))
            ++end;
        lines.append(text.mid(pos, end - pos));
        if (end + 1 < text.size() && text.at(end) == QLatin1Char('\r')
            && text.at(end + 1) == QLatin1Char('\n'))
            ++end;
        pos = end + 1;
    }
    return lines;
}

} // namespace

void PlayerLangFile::clear()
{
    m_lines.clear();
    m_sections = { LangSectionRec {}, LangSectionRec {} };
}

PlayerLangFile::Status PlayerLangFile::read(const QString &path)
{
    clear();
    const QFileInfo info(fs::resolve(path));
    if (!info.isFile() || info.isHidden())
        return Status::Missing;
    if (info.size() > MaxFileSize)
        return Status::NotALanguageFile;

    QFile file(info.filePath());
    if (!file.open(QIODevice::ReadOnly))
        return Status::Unreadable;
    const QByteArray bytes = file.read(MaxFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        return Status::Unreadable;
    if (bytes.size() > MaxFileSize || bytes.contains('\0'))
        return Status::NotALanguageFile;

    const QStringList lines = splitLines(ini::decode(bytes, ini::Encoding::Utf8OrCp1252));
    QVector<LangSectionRec> sections { LangSectionRec {} };
    for (int i = 0; i < lines.size(); ++i) {
        QString name;
        if (isHeader(lines.at(i), &name))
            sections.append(LangSectionRec { name, i });
    }
    // An empty file lists nothing, and lines before any header are listed but
    // none of them can be picked: neither is worth a message.
    sections.append(LangSectionRec { QString(), int32_t(lines.size()) });
    m_lines = lines;
    m_sections = sections;
    return Status::Listed;
}

int PlayerLangFile::sectionOfLine(int line) const
{
    // The first element, counting from 1, that starts after the line; the
    // section is the one before it.
    for (int k = 1; k < m_sections.size(); ++k) {
        if (m_sections.at(k).FirstLine > line)
            return k - 1;
    }
    return 0;
}

QString PlayerLangFile::referenceAt(int line, QString *section, QString *key) const
{
    if (line < 0 || line >= m_lines.size())
        return QString();
    const QString &entry = m_lines.at(line);
    const QStringView text = trimSpaces(entry);
    const QChar first = text.isEmpty() ? QChar() : text.front();
    if (!(first == QLatin1Char('C') || first == QLatin1Char('c')
            || (first >= QLatin1Char('0') && first <= QLatin1Char('9'))))
        return QString();
    const int k = sectionOfLine(line);
    if (k == 0)
        return QString();
    const QString &name = m_sections.at(k).SectionName;
    if (name.compare(QLatin1String("Tovix.lang"), Qt::CaseInsensitive) == 0)
        return QString();
    if (!entry.contains(QLatin1Char('=')))
        return QString();
    const QString entryKey = keyOf(entry);
    if (section)
        *section = name;
    if (key)
        *key = entryKey;
    return reference(name, entryKey);
}

int PlayerLangFile::lineOf(const QString &text) const
{
    const qsizetype firstDot = text.indexOf(QLatin1Char('.'));
    const qsizetype secondDot = firstDot < 0 ? -1 : text.indexOf(QLatin1Char('.'), firstDot + 1);
    if (secondDot < 0)
        return -1;
    const QString sectionPart = text.mid(firstDot + 1, secondDot - firstDot - 1);
    const QString keyPart = text.mid(secondDot + 1);

    int found = -1;
    // Every section of that name is searched, so a later one wins.
    for (int k = 1; k + 1 < m_sections.size(); ++k) {
        if (m_sections.at(k).SectionName.compare(sectionPart, Qt::CaseInsensitive) != 0)
            continue;
        for (int line = m_sections.at(k).FirstLine + 1; line < m_sections.at(k + 1).FirstLine; ++line) {
            if (keyOf(m_lines.at(line)).compare(keyPart, Qt::CaseInsensitive) == 0) {
                found = line;
                break;
            }
        }
    }
    return found;
}

bool PlayerLangFile::isHeader(const QString &line, QString *name)
{
    if (!line.startsWith(QLatin1Char('[')))
        return false;
    const qsizetype close = line.indexOf(QLatin1Char(']'));
    if (close < 0)
        return false;
    if (name)
        *name = line.mid(1, close - 1);
    return true;
}

QString PlayerLangFile::keyOf(const QString &line)
{
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0)
        return QString();
    return trimSpaces(QStringView(line).left(equals)).toString();
}

QString PlayerLangFile::reference(const QString &section, const QString &key)
{
    return QStringLiteral("$lang.") + section + QLatin1Char('.') + key;
}
