#include "platform/CommonDialog.h"

#include "platform/Dialogs.h"
#include "platform/Screen.h"
#include "platform/FileSystem.h"
#include "platform/VbRuntime.h"

#include <QColor>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFont>
#include <QFontInfo>
#include <QList>

QString gDlgFileName;
QString gDlgFileTitle;
int32_t gDlgResult = 0;

int32_t gChosenColor = 0;
QByteArray gCustomColorsBuffer;

QString gFontName;
int16_t gFontSize = 0;
bool gFontBold = false;
bool gFontItalic = false;
bool gFontUnderline = false;
bool gFontStrikeOut = false;
int32_t gFontColor = 0;
int32_t gFontDlgResult = 0;

QString gBrowsedFolder;

namespace {

constexpr int CustomColorCount = 16;
constexpr int PaletteBytes = CustomColorCount * 4;

// Byte i of buffer; 0 past its end, so a short buffer still gives 16 colours.
int byteAt(const QByteArray &buffer, int i)
{
    return i < buffer.size() ? int(uchar(buffer.at(i))) : 0;
}

// "Description\0pattern;pattern\0...\0" as the file dialog's filters.
QStringList filtersOf(const QString &filter)
{
    const QStringList pieces = filter.split(QChar(0));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < pieces.size(); i += 2) {
        const QString &description = pieces.at(i);
        const QString &pattern = pieces.at(i + 1);
        if (description.isEmpty())
            break;
        // The description's own parenthesised list is only text; the patterns
        // are what the dialog matches, so they take its place.
        QString text = description.trimmed();
        if (text.endsWith(QLatin1Char(')'))) {
            const qsizetype open = text.lastIndexOf(QLatin1Char('('));
            if (open > 0)
                text = text.left(open).trimmed();
        }
        filters += text + QStringLiteral(" (") + pattern + QLatin1Char(')');
    }
    return filters;
}

} // namespace

bool ShowFileDialog(QWidget *owner, const QString &filter, int32_t filterIndex, const QString &initialDir,
    const QString &title, int32_t flags, const QString &fileName, const QString &defExt, bool isOpen)
{
    QString chosen;
    const bool ok = dialogs::fileDialog(isOpen, owner, title, initialDir, filtersOf(filter), filterIndex,
        fileName, &chosen, (flags & OFN_OVERWRITEPROMPT) != 0, (flags & OFN_FILEMUSTEXIST) != 0, defExt);
    gDlgResult = ok ? 1 : 0;
    // The windows under the closed dialog repaint before the caller goes on.
    QCoreApplication::processEvents();
    if (!ok)
        return false;
    gDlgFileName = chosen;
    gDlgFileTitle = QFileInfo(chosen).fileName();
    return true;
}

bool ShowColorDialog(QWidget *owner, const QByteArray &customColors, int32_t initialColor, int32_t flags)
{
    QList<QColor> custom;
    for (int k = 0; k < CustomColorCount; ++k)
        custom.append(QColor(
            byteAt(customColors, 4 * k), byteAt(customColors, 4 * k + 1), byteAt(customColors, 4 * k + 2)));
    const QColor initial = (flags & CC_RGBINIT) ? screen::colorFromSystem(initialColor) : QColor(Qt::black);
    QColor chosen;
    if (!dialogs::colorDialog(owner, initial, custom, &chosen))
        return false;
    gChosenColor = screen::systemFromColor(chosen);
    QByteArray buffer(PaletteBytes, '\0');
    for (int k = 0; k < CustomColorCount && k < custom.size(); ++k) {
        const QColor rgb = custom.at(k).toRgb();
        buffer[4 * k] = char(rgb.red());
        buffer[4 * k + 1] = char(rgb.green());
        buffer[4 * k + 2] = char(rgb.blue());
    }
    gCustomColorsBuffer = buffer;
    return true;
}

bool ShowFontDialog(QWidget *owner, const QString &faceName, bool bold, bool italic, bool underline,
    bool strikeOut, int32_t color, int32_t pointSize, int32_t)
{
    // Family names are not bound here to the 31 characters of the Windows font
    // record: a longer one is a real font on this system and still opens the dialog.
    QFont initial(faceName);
    if (pointSize > 0)
        initial.setPointSize(pointSize);
    initial.setBold(bold);
    initial.setItalic(italic);
    initial.setUnderline(underline);
    initial.setStrikeOut(strikeOut);

    QFont chosen;
    const bool ok = dialogs::fontDialog(owner, initial, &chosen);
    gFontDlgResult = ok ? 1 : 0;
    if (!ok)
        return false;

    double points = chosen.pointSizeF();
    if (points <= 0)
        points = QFontInfo(chosen).pointSizeF();
    // The size comes back in tenths of a point; whole points drop the rest.
    const int tenths = int(vb::roundHalfEven(points * 10));
    gFontName = chosen.family();
    gFontSize = int16_t(tenths / 10);
    gFontBold = chosen.bold();
    gFontItalic = chosen.italic();
    gFontUnderline = chosen.underline();
    gFontStrikeOut = chosen.strikeOut();
    gFontColor = color;
    return true;
}

bool BrowseForFolder(QWidget *owner, const QString &title, const QString &startFolder)
{
    QString chosen;
    if (!dialogs::folderDialog(owner, title, fs::toSlashes(startFolder), &chosen))
        return false;
    gBrowsedFolder = chosen;
    return true;
}

QByteArray PaletteToBuffer(const QString &palette)
{
    QByteArray buffer(PaletteBytes, '\0');
    const QStringList values = palette.split(QLatin1Char(','));
    for (int i = 0; i < PaletteBytes && i < values.size(); ++i) {
        const QString value = values.at(i).trimmed();
        bool digitsOnly = !value.isEmpty();
        for (const QChar c : value)
            digitsOnly = digitsOnly && c >= QLatin1Char('0') && c <= QLatin1Char('9');
        bool ok = false;
        const int number = digitsOnly ? value.toInt(&ok) : -1;
        buffer[i] = char(ok && number >= 0 && number <= 255 ? number : 0);
    }
    return buffer;
}

QString BufferToPalette(const QByteArray &buffer)
{
    QStringList values;
    for (int k = 0; k < CustomColorCount; ++k) {
        values += QString::number(byteAt(buffer, 4 * k));
        values += QString::number(byteAt(buffer, 4 * k + 1));
        values += QString::number(byteAt(buffer, 4 * k + 2));
        values += QStringLiteral("0");
    }
    return values.join(QLatin1Char(','));
}
