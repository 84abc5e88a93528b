#include "skin/SkinFormat.h"

#include "platform/Cp1252.h"
#include "platform/FileSystem.h"
#include "platform/IniFile.h"
#include "platform/VbRuntime.h"

#include <QStringTokenizer>

#include <algorithm>
#include <cstdlib>

namespace skinformat {

namespace {

const QString kBmp = QStringLiteral(".bmp");

QString str(int64_t value)
{
    return vb::Str(value);
}

} // namespace

double readAsNumber(const QString &value)
{
    return vb::Val(value);
}

double madeWhole(double value)
{
    return vb::roundHalfEven(value);
}

int32_t wholeNumber(const QString &value)
{
    return vb::CLng(readAsNumber(value));
}

QString oneLine(const QString &text)
{
    QString line = text;
    while (line.endsWith(QLatin1Char('\n')) || line.endsWith(QLatin1Char('\r')))
        line.chop(1);
    line.replace(QLatin1String("\r\n"), QLatin1String(" "));
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return line;
}

std::optional<UnsavableValue> firstUnsavableValue(const QStringList &lines)
{
    QString section;
    for (const QString &written : lines) {
        const QString line = oneLine(written);
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            section = line.mid(1, line.size() - 2);
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0)
            continue;
        const QString value = line.mid(equals + 1);
        UnsavableValue problem { section, line.left(equals), cp1252::unencodable(value), 0 };
        if (value.size() > ini::MaxValueLength)
            problem.length = value.size();
        if (!problem.characters.isEmpty() || problem.length > 0)
            return problem;
    }
    return std::nullopt;
}

QStringList splitLimited(const QString &text, QChar separator, int limit)
{
    QStringList pieces;
    if (text.isEmpty())
        return pieces;
    int start = 0;
    for (;;) {
        if (limit > 0 && pieces.size() == limit - 1)
            break;
        const int at = text.indexOf(separator, start);
        if (at < 0)
            break;
        pieces.append(text.mid(start, at - start));
        start = at + 1;
    }
    pieces.append(text.mid(start));
    return pieces;
}

QString piece(const QStringList &pieces, int index)
{
    if (index < 0 || index >= pieces.size())
        vb::raise(vb::ErrSubscript);
    return pieces.at(index);
}

QString flagValue(int flag)
{
    return str(std::abs(flag));
}

int16_t flagFromValue(const QString &value)
{
    return vb::fromBool(readAsNumber(value) != 0);
}

bool samePath(const QString &a, const QString &b)
{
    return fs::toSlashes(a).compare(fs::toSlashes(b), Qt::CaseInsensitive) == 0;
}

VersionKind versionKind(const QString &value)
{
    const double version = readAsNumber(value);
    if (version < 1)
        return VersionKind::Old;
    if (version > 1)
        return VersionKind::Newer;
    return VersionKind::Current;
}

QString withBmpFallback(const QString &folder, const QString &name)
{
    if (fs::fileExists(folder + name + kBmp))
        return name + kBmp;
    return name;
}

QString extensionValue(const QString &extension)
{
    return extension.isEmpty() ? QString() : QLatin1Char('.') + extension;
}

QString extensionFromValue(const QString &value)
{
    return value.startsWith(QLatin1Char('.')) ? value.mid(1) : value;
}

QString readButtonExtension(const QString &folder, const QString &skinFile, bool fullScreen)
{
    const QString settings = QStringLiteral("Settings");
    const QString buttons = QStringLiteral("Buttons");
    const QString ext = QStringLiteral("Ext");

    QStringList files;
    if (fullScreen) {
        files << fs::resolve(folder + QStringLiteral("Skinv1.ini"))
              << fs::resolve(folder + QStringLiteral("Skin.ini"));
    } else {
        files << skinFile;
    }
    for (const QString &file : files) {
        QString value = ReadIni(settings, ext, file);
        if (value.isEmpty())
            value = ReadIni(buttons, ext, file);
        if (!value.isEmpty())
            return extensionFromValue(value);
    }
    return QString();
}

QString positionValue(const FSPositionRec &position)
{
    return position.FSPosCode + QLatin1Char(',') + str(int(position.FSPosIndex) + 1);
}

int positionCodeEntry(const QString &code)
{
    if (code.compare(QLatin1String("B"), Qt::CaseInsensitive) == 0)
        return 0;
    if (code.compare(QLatin1String("T"), Qt::CaseInsensitive) == 0)
        return 1;
    if (code.compare(QLatin1String("BT"), Qt::CaseInsensitive) == 0)
        return 2;
    return -1;
}

Position parsePosition(const QString &value)
{
    Position position;
    if (!value.contains(QLatin1Char(',')))
        return position;
    const QStringList pieces = splitLimited(value, QLatin1Char(','));
    position.code = pieces.at(0);
    position.index = readAsNumber(pieces.at(1));
    position.entry = positionCodeEntry(position.code);
    position.valid = position.entry >= 0;
    return position;
}

QString buttonImagePath(const QString &folder, const QString &baseName, const QString &extension)
{
    // Built once with room for ".bmp": a skin asks for one path per button.
    QString path;
    path.reserve(folder.size() + baseName.size() + 2 + extension.size() + kBmp.size());
    path.append(folder).append(baseName).append(QLatin1Char('N'));
    if (!extension.isEmpty())
        path.append(QLatin1Char('.')).append(extension);
    const qsizetype withoutBmp = path.size();
    if (!fs::fileExists(path.append(kBmp)))
        path.truncate(withoutBmp);
    return path;
}

QString buttonBaseName(const QString &fileName, const QString &extension)
{
    QString name = fileName.left(std::max<qsizetype>(0, fileName.size() - extension.size()));
    if (name.endsWith(QLatin1Char('.')))
        name.chop(1);
    if (name.isEmpty() || !QStringLiteral("aAnNdDuU").contains(name.back()))
        return QString();
    name.chop(1);
    return name;
}

QString buttonLine(const ButtonRec &button)
{
    const QChar comma = QLatin1Char(',');
    return button.BtnName + comma + str(button.BtnX) + comma + str(button.BtnY) + comma + str(button.BtnType)
        + comma + str(button.BtnAction) + QLatin1Char(';') + button.BtnText;
}

ButtonLine splitButtonLine(const QString &value)
{
    ButtonLine line;
    const int semicolon = value.indexOf(QLatin1Char(';'));
    line.hasText = semicolon >= 0;
    line.fields = line.hasText ? value.left(semicolon) : value;
    if (line.hasText)
        line.text = value.mid(semicolon + 1);
    line.valid = line.fields.count(QLatin1Char(',')) == 4;
    if (line.valid) {
        // A skin has a line for each of its buttons: the pieces are cut
        // without a list to grow.
        line.pieces.reserve(5);
        for (const QStringView piece : QStringTokenizer(line.fields, QLatin1Char(',')))
            line.pieces.append(piece.toString());
    }
    return line;
}

QString displayLine(const DisplayRec &display)
{
    return str(display.DspX) + QLatin1Char(',') + str(display.DspY) + QLatin1Char(';') + display.DspFont
        + QLatin1Char(';') + display.DspColor;
}

QString displayWidthKey(int index, int subsWidthMode, const DisplayRec &display)
{
    if (index == 5 && subsWidthMode == 0)
        return QStringLiteral("MaxSubsWidth");
    return display.DspMaxKey;
}

bool isValidFontPiece(const QString &font)
{
    const int first = font.indexOf(QLatin1Char(','));
    if (first < 0)
        return false;
    if (font.endsWith(QLatin1Char(',')))
        return false;
    return font.indexOf(QLatin1Char(','), first + 1) >= 0;
}

FontStyle fontStyle(const QString &style)
{
    FontStyle result;
    result.bold = style.contains(QLatin1Char('B'), Qt::CaseInsensitive);
    result.italic = style.contains(QLatin1Char('I'), Qt::CaseInsensitive);
    result.underline = style.contains(QLatin1Char('U'), Qt::CaseInsensitive);
    return result;
}

FontString parseFontString(const QString &font)
{
    FontString result;
    const QStringList pieces = splitLimited(font, QLatin1Char(','), 3);
    if (!pieces.isEmpty())
        result.face = pieces.at(0);
    if (pieces.size() > 1) {
        const double size = madeWhole(readAsNumber(pieces.at(1)));
        result.size = size >= 0 && size <= 32767 ? int(size) : 0;
    }
    if (pieces.size() > 2)
        result.style = fontStyle(pieces.at(2));
    return result;
}

QString fontString(const QString &face, int size, const FontStyle &style)
{
    QString text = face + QLatin1Char(',') + QString::number(size) + QLatin1Char(',');
    text += style.bold ? QLatin1Char('B') : QLatin1Char('N');
    if (style.italic)
        text += QLatin1Char('I');
    if (style.underline)
        text += QLatin1Char('U');
    return text;
}

DisplayEntry parseDisplayEntry(const QString &value)
{
    DisplayEntry entry;
    if (value.count(QLatin1Char(';')) != 2) {
        entry.problem = DisplayEntry::SemicolonCount;
        return entry;
    }
    const QStringList pieces = splitLimited(value, QLatin1Char(';'), 3);
    const QString position = pieces.at(0);
    const int comma = position.indexOf(QLatin1Char(','));
    if (comma < 0) {
        entry.problem = DisplayEntry::PositionComma;
        return entry;
    }
    // A further "," in y simply ends its number.
    entry.x = readAsNumber(position.left(comma));
    entry.y = readAsNumber(position.mid(comma + 1));

    entry.font = pieces.at(1);
    if (!isValidFontPiece(entry.font)) {
        entry.problem = DisplayEntry::FontPiece;
        return entry;
    }
    const QStringList parts = splitLimited(entry.font, QLatin1Char(','), 3);
    entry.face = parts.at(0);
    entry.size = parts.at(1);
    entry.style = parts.at(2);
    entry.colour = pieces.at(2);
    return entry;
}

QString statTxtAlignCode(int align)
{
    switch (align) {
    case 0:
        return QStringLiteral("L");
    case 1:
        return QStringLiteral("R");
    case 2:
        return QStringLiteral("C");
    default:
        return QString();
    }
}

int statTxtAlignFromValue(const QString &value)
{
    if (value.isEmpty() || value == QLatin1String("L") || value == QLatin1String("l"))
        return 0;
    if (value == QLatin1String("R") || value == QLatin1String("r"))
        return 1;
    if (value == QLatin1String("C") || value == QLatin1String("c"))
        return 2;
    return -1;
}

bool isColourString(const QString &value)
{
    return value.size() == 6;
}

bool colourFromString(const QString &value, QColor &colour)
{
    bool ok = value.size() == 6;
    for (const QChar c : value) {
        const char16_t u = c.unicode();
        ok = ok && ((u >= '0' && u <= '9') || (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F'));
    }
    if (!ok)
        return false;
    const uint rgb = value.toUInt(nullptr, 16);
    colour = QColor(int((rgb >> 16) & 0xFF), int((rgb >> 8) & 0xFF), int(rgb & 0xFF));
    return true;
}

QColor colourFromString(const QString &value)
{
    QColor colour;
    if (!colourFromString(value, colour))
        vb::raise(vb::ErrTypeMismatch);
    return colour;
}

QString colourString(const QColor &colour)
{
    return QStringLiteral("%1%2%3")
        .arg(colour.red(), 2, 16, QLatin1Char('0'))
        .arg(colour.green(), 2, 16, QLatin1Char('0'))
        .arg(colour.blue(), 2, 16, QLatin1Char('0'))
        .toUpper();
}

QString barKindKeyword(int kind)
{
    static const char *const keywords[] = { "H", "V", "HB", "VB", "HBtn", "VBtn" };
    if (kind < 0 || kind > 5)
        return QString();
    return QLatin1String(keywords[kind]);
}

int barKindFromKeyword(const QString &value)
{
    for (int kind = 0; kind <= 5; ++kind) {
        if (value == barKindKeyword(kind))
            return kind;
    }
    return -1;
}

QString posSizeValue(const BarRec &bar)
{
    const QChar comma = QLatin1Char(',');
    return str(bar.BarLeft) + comma + str(bar.BarTop) + comma + str(bar.BarWidth) + comma
        + str(bar.BarHeight);
}

PosSize splitPosSize(const QString &value)
{
    PosSize posSize;
    posSize.wellFormed = value.count(QLatin1Char(',')) == 3;
    posSize.pieces = splitLimited(value, QLatin1Char(','), 4);
    return posSize;
}

int32_t posSizePiece(const PosSize &posSize, int index)
{
    return vb::CLng(piece(posSize.pieces, index));
}

QString barImageBaseName(const QString &value)
{
    return value.section(QLatin1Char(' '), 0, 0);
}

} // namespace skinformat
