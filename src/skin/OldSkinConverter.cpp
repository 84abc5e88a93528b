#include "skin/OldSkinConverter.h"

#include "skin/FileErrors.h"
#include "skin/FileWriter.h"
#include "skin/Module.h"
#include "skin/OpenRoad.h"
#include "skin/SkinFormat.h"
#include "lang/Locale.h"
#include "platform/AppInfo.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/IniFile.h"
#include "platform/VbRuntime.h"

#include <QBuffer>
#include <QImage>

#include <algorithm>
#include <cmath>

namespace oldskin {

namespace {

using skinformat::piece;

// The blank About picture is bounded: a hot spot larger than any screen would
// only exhaust memory.
constexpr int MaxAboutSide = 4096;

// Old action codes 1 to 49 and the player's actions they become; 10 to 14 only
// on the full-screen panel (0: no action).
int actionOf(int code, bool fullScreen)
{
    // clang-format off
    static const int table[50] = {
        0,   7,  34,  62,  12,  61,  59, 103, 104,   0, // 0 to 9
        20,  21,  22,  25,  28,   0,   0,   0,   0,   0, // 10 to 19
        60,  67,  68,  10,  66,  32,  64,  65,  31,  33, // 20 to 29
        1,   2,   0,  23,  29,  26,  78,   0,  15,  14, // 30 to 39
        73,  74,  75,  76,   0,   0,  83,  84,  90,  91, // 40 to 49
    };
    // clang-format on
    if (code < 0 || code >= 50)
        return 0;
    if (code >= 10 && code <= 14 && !fullScreen)
        return 0;
    return table[code];
}

// A number read from the old file, in its shortest decimal form.
QString numberText(double value)
{
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15)
        return vb::Str(int64_t(value));
    return QString::number(value, 'g', 15);
}

// A whole count: read as a number, made whole; a negative count is none.
int countOf(const QString &value)
{
    return std::max<int>(0, vb::CLng(skinformat::readAsNumber(value)));
}

QStringList split(const QString &text, char separator)
{
    return skinformat::splitLimited(text, QLatin1Char(separator));
}

class Converter
{
public:
    explicit Converter(const QString &oldFile)
        : m_file(oldFile)
    {
    }

    Converted run();
    // The key of the old file whose value was read last: the one a failure
    // concerns, since each value is taken apart before the next is read.
    QString place() const { return IniPlace(m_file, m_section, m_key); }

private:
    QString old(const char *section, const QString &key)
    {
        m_section = QLatin1String(section);
        m_key = key;
        return ReadIni(m_section, key, m_file);
    }
    QString old(const char *section, const char *key) { return old(section, QLatin1String(key)); }

    // Face and size of an old "face-size" font, and a normal style.
    static QString fontOf(const QString &oldFont);
    void writeTrackBar(QStringList &lines, const char *section);
    void writeVolume(QStringList &lines, const char *section);
    QStringList fullScreenSkin(int buttonType);

    const QString m_file;
    QString m_section;
    QString m_key;
};

QString Converter::fontOf(const QString &oldFont)
{
    const QStringList f = split(oldFont, '-');
    return piece(f, 0) + QLatin1Char(',') + piece(f, 1) + QStringLiteral(",N");
}

void Converter::writeTrackBar(QStringList &lines, const char *section)
{
    const QString kind = old(section, "TrackKind").toUpper();
    lines << QStringLiteral("[TrackBar]") << QStringLiteral("PosSize=") + old(section, "TrackBar")
          << QStringLiteral("Kind=") + kind;
    if (kind == QLatin1String("H") || kind == QLatin1String("V")) {
        const QString back = old("Colors", "PosBackClr");
        const QString fore = old("Colors", "PosForeClr");
        lines << (back.isEmpty() ? QStringLiteral("TransparentBg=1") : QStringLiteral("TransparentBg=0"))
              << QStringLiteral("Border=0") << QStringLiteral("BorderColor=000000")
              << QStringLiteral("Color=") + fore << QStringLiteral("MouseOverColor=") + fore;
        if (!back.isEmpty())
            lines << QStringLiteral("BackColor=") + back;
    } else if (kind == QLatin1String("HB")) {
        lines << QStringLiteral("Bitmap=") + old(section, "TrackBitmap");
    }
    lines << QString();
}

void Converter::writeVolume(QStringList &lines, const char *section)
{
    const QString kind = old(section, "VolumeKind").toUpper();
    const QString volume = old(section, "Volume");
    lines << QStringLiteral("[Volume]");
    if (kind == QLatin1String("CH")) {
        lines << QStringLiteral("PosSize=") + volume + QStringLiteral(",0") << QStringLiteral("Kind=HBtn");
    } else if (kind == QLatin1String("CV")) {
        const QStringList p = split(volume, ',');
        lines << QStringLiteral("PosSize=") + piece(p, 0) + QLatin1Char(',') + piece(p, 1)
                + QStringLiteral(",0,") + piece(p, 2)
              << QStringLiteral("Kind=VBtn");
    }
    if (kind == QLatin1String("CH") || kind == QLatin1String("CV"))
        lines << QStringLiteral("ButtonImg=") + old(section, "VolumeBtn");
    lines << QString();
}

Converted Converter::run()
{
    using skinformat::readAsNumber;
    Converted out;
    QStringList &lines = out.windowSkin;
    const QString shape = old("Settings", "MainAnySape");
    const int buttonType = vb::CInt(readAsNumber(old("Settings", "ButtonAnyShape")));
    lines << QStringLiteral("[Tovix.Skin]") << QStringLiteral("Version=1.00") << QString()
          << QStringLiteral("[Settings]") << QStringLiteral("SkinType=0")
          << QStringLiteral("MainImg=Main.bmp")
          << QStringLiteral("MainAnySape=") + numberText(readAsNumber(shape)) << QStringLiteral("Ext=.bmp")
          << QString() << QStringLiteral("[Buttons]");

    struct Standard {
        const char *key;
        const char *name;
        int action;
    };
    static const Standard standard[] = { { "BtnPlay", "BPlay", 20 }, { "BtnPause", "BPause", 21 },
        { "BtnStop", "BStop", 22 }, { "BtnPrev", "BPrev", 25 }, { "BtnNext", "BNext", 28 },
        { "BtnOpen", "BOpen", 63 }, { "BtnExit", "BExit", 77 } };
    int n = 0; // buttons written so far
    const auto addButton = [&](const QString &line) {
        lines << QStringLiteral("Btn") + vb::Str(++n) + QLatin1Char('=') + line;
    };
    const QString type = vb::Str(buttonType);
    const QChar comma = QLatin1Char(',');
    for (const Standard &s : standard) {
        const QString v = old("Position", s.key);
        if (v.isEmpty())
            continue;
        const QStringList p = split(v, ';');
        const QStringList xy = split(piece(p, 0), ',');
        QString line = QLatin1String(s.name) + comma + piece(xy, 0) + comma + piece(xy, 1) + comma + type
            + comma + vb::Str(s.action);
        if (p.size() == 2)
            line += QLatin1Char(';') + p.at(1);
        addButton(line);
    }
    const QString aboutValue = old("Position", "About");
    if (!aboutValue.isEmpty()) {
        const QStringList a = split(aboutValue, ',');
        const double width = vb::roundHalfEven(vb::CDbl(piece(a, 2)) - vb::CDbl(piece(a, 0)));
        const double height = vb::roundHalfEven(vb::CDbl(piece(a, 3)) - vb::CDbl(piece(a, 1)));
        if (width < 0 || height < 0)
            vb::raise(vb::ErrInvalidPropertyValue);
        QImage blank(int(std::clamp(width, 1.0, double(MaxAboutSide))),
            int(std::clamp(height, 1.0, double(MaxAboutSide))), QImage::Format_RGB32);
        blank.fill(Qt::white);
        QBuffer buffer(&out.aboutPicture);
        buffer.open(QIODevice::WriteOnly);
        blank.save(&buffer, "BMP");
        addButton(
            QStringLiteral("BAbout,") + a.at(0) + comma + a.at(1) + QStringLiteral(",2,70;$lang.Actions.71"));
    }
    // "Number" follows the standard buttons and the About button, before the further buttons.
    const int extra = countOf(old("Position", "ExtrNum"));
    lines << QStringLiteral("Number=") + vb::Str(int64_t(n) + extra);
    for (int i = 1; i <= extra; ++i) {
        const QStringList p = split(old("Position", QStringLiteral("Btn") + vb::Str(i)), ';');
        const QStringList q = split(piece(p, 0), ':');
        const int code = vb::CInt(piece(q, 1));
        const QStringList xy = split(piece(q, 0), ',');
        QString line = QStringLiteral("Btn") + vb::Str(i) + comma + piece(xy, 0) + comma + piece(xy, 1)
            + comma + type + comma + vb::Str(actionOf(code, false));
        if (p.size() == 2)
            line += QLatin1Char(';') + p.at(1);
        addButton(line);
    }

    lines << QString() << QStringLiteral("[Display]");
    static const char *const displays[][2] = { { "Txt2", "Version" }, { "Txt1", "Title" },
        { "Txt3", "MovInfo" }, { "Txt5", "MovTimeLen" }, { "Txt6", "sRepeat" }, { "Txt4", "Status" } };
    for (const auto &d : displays) {
        const QString v = old("Position", d[0]);
        if (v.isEmpty())
            continue;
        const QString font = fontOf(old("Fonts", d[0]));
        lines << QLatin1String(d[1]) + QLatin1Char('=') + v + QLatin1Char(';') + font + QLatin1Char(';')
                + old("Colors", "FontClr");
        if (qstrcmp(d[0], "Txt1") == 0)
            lines << QStringLiteral("MaxTitleWidth=")
                    + numberText(readAsNumber(old("Position", "Txt1MaxSize")));
    }
    lines << QString();
    writeTrackBar(lines, "Position");
    writeVolume(lines, "Position");

    lines << QStringLiteral("[GUI]");
    for (const char *key : { "MenuBackClr", "MenuBackClrIco", "MenuSelBackClr", "MenuFontClr",
             "MenuSelFontClr", "MenuDisFontClr" }) {
        const QString v = old("GUI", key);
        if (!v.isEmpty())
            lines << QLatin1String(key) + QLatin1Char('=') + v;
    }
    if (const QString v = old("Colors", "PlayLBG"); !v.isEmpty())
        lines << QStringLiteral("PlayListBackClr=") + v;
    if (const QString v = old("Colors", "PlayLTX"); !v.isEmpty())
        lines << QStringLiteral("PlayListTextClr=") + v;
    lines << QString() << QStringLiteral("[Text]") << QStringLiteral("Author=") + old("Text", "Author")
          << QStringLiteral("URL=") << QStringLiteral("Description=") + old("Text", "Description");

    if (readAsNumber(old("FullScreen", "Enable")) != 0 && !old("FullScreen", "Bitmap").isEmpty())
        out.fullScreenSkin = fullScreenSkin(buttonType);
    return out;
}

QStringList Converter::fullScreenSkin(int buttonType)
{
    using skinformat::readAsNumber;
    QStringList lines;
    const QChar comma = QLatin1Char(',');
    lines << QStringLiteral("[Tovix.Skin]") << QStringLiteral("Version=1.00") << QString()
          << QStringLiteral("[Settings]") << QStringLiteral("MainImg=") + old("FullScreen", "Bitmap")
          << QStringLiteral("MainAnySape=")
            + numberText(vb::roundHalfEven(readAsNumber(old("Settings", "MainAnySape"))));
    const QString position = old("FullScreen", "Position");
    if (position.contains(comma)) {
        const QStringList p = split(position, ',');
        lines << QStringLiteral("Position=") + p.at(0) + comma + p.at(1);
    }
    const int count = countOf(old("FullScreen", "NumButton"));
    lines << QString() << QStringLiteral("[Buttons]") << QStringLiteral("Number=") + vb::Str(count);
    for (int i = 1; i <= count; ++i) {
        const QStringList p = split(old("FullScreen", QStringLiteral("Btn") + vb::Str(i)), ';');
        const QStringList q = split(piece(p, 1), ':');
        const int code = vb::CInt(piece(q, 1));
        const QStringList xy = split(piece(q, 0), ',');
        QString line = QStringLiteral("Btn") + vb::Str(i) + QLatin1Char('=') + p.at(0) + comma + piece(xy, 0)
            + comma + piece(xy, 1) + comma + vb::Str(buttonType) + comma + vb::Str(actionOf(code, true));
        if (p.size() == 3)
            line += QLatin1Char(';') + p.at(2);
        lines << line;
    }
    lines << QString() << QStringLiteral("[Display]");
    const QString status = old("FullScreen", "StatTxt");
    if (!status.isEmpty()) {
        const QStringList s = split(status, ';');
        lines << QStringLiteral("StatTxt=") + piece(s, 1) + QLatin1Char(';') + fontOf(piece(s, 0))
                + QLatin1Char(';') + piece(s, 2);
    }
    lines << QString();
    writeTrackBar(lines, "FullScreen");
    writeVolume(lines, "FullScreen");
    return lines;
}

// Asks before a file already in the folder is replaced by what the conversion
// made (replacement names it).
bool mayReplace(const QString &path, const QString &replacement = QStringLiteral("the converted skin"))
{
    if (!fs::fileExists(path))
        return true;
    // No message of the table says this: the text stays English.
    const QString prompt = QLatin1Char('"') + path + QStringLiteral("\" already exists.\n")
        + QStringLiteral("Do you want to replace it with ") + replacement + QLatin1Char('?');
    return dialogs::msgBox(
               prompt, dialogs::vbYesNo | dialogs::vbExclamation | dialogs::vbDefaultButton2, Message(13003))
        == dialogs::vbYes;
}

} // namespace

Converted convert(const QString &oldFile)
{
    Converter converter(oldFile);
    try {
        return converter.run();
    } catch (vb::Error &error) {
        error.setWhere(converter.place());
        throw;
    }
}

bool isOldSkinFile(const QString &path)
{
    if (FileTitle(path).compare(QLatin1String("Skin.ini"), Qt::CaseInsensitive) != 0)
        return false;
    for (const char *section :
        { "Tovix.Skin", "Settings", "Position", "Fonts", "Colors", "GUI", "Text", "FullScreen" }) {
        if (ini::hasSection(QLatin1String(section), path, ini::Encoding::Cp1252))
            return true;
    }
    return false;
}

Result ConvertOldSkin()
{
    const QString oldFile = gSkinFile;
    const QString folder = AddBackslash(gSkinFolder);
    const QString windowFile = fs::resolve(folder + QStringLiteral("Skinv1.ini"));
    const QString fullScreenFile = fs::resolve(folder + QStringLiteral("Skinfsv1.ini"));
    // From here on the open skin is the converted one, whether or not the
    // conversion succeeds: what a save writes never replaces the old skin.
    gSkinFile = windowFile;
    if (!isOldSkinFile(oldFile))
        return Result::Failed;
    const QString operation = Message(13007);
    if (ReadIni(QStringLiteral("Settings"), QStringLiteral("MainAnySape"), oldFile).isEmpty()) {
        // Without the main window's shape flag the old file is no skin to convert.
        // No message of the table says this: the text stays English.
        dialogs::msgBox(QStringLiteral("The old skin \"") + oldFile
                + QStringLiteral("\" could not be converted: the key \"MainAnySape\" of its section "
                                 "[Settings] is missing or empty.\nNothing was written."),
            dialogs::vbCritical | dialogs::vbOKOnly, app::title() + QStringLiteral(" - ") + operation);
        return Result::Failed;
    }

    Converted converted;
    try {
        converted = convert(oldFile);
    } catch (const vb::Error &error) {
        ShowFileError(error, operation);
        return Result::Failed;
    }

    if (!mayReplace(windowFile) || (!converted.fullScreenSkin.isEmpty() && !mayReplace(fullScreenFile)))
        return Result::Declined;
    // An About picture already there may be the author's own drawing: kept
    // unless the author agrees, and kept it serves the converted About button.
    const QString aboutFile = fs::resolve(folder + QStringLiteral("BAboutN.bmp"));
    const bool writeAbout = !converted.aboutPicture.isEmpty()
        && mayReplace(aboutFile, QStringLiteral("a blank picture for the About button"));

    if (!WriteTextFile(windowFile, converted.windowSkin, operation))
        return Result::Failed;
    if (writeAbout && !WriteWholeFile(aboutFile, converted.aboutPicture, operation))
        return Result::Failed;
    if (!converted.fullScreenSkin.isEmpty()
        && !WriteTextFile(fullScreenFile, converted.fullScreenSkin, operation))
        return Result::Failed;
    return Result::Converted;
}

} // namespace oldskin
