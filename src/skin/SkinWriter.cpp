#include "skin/SkinWriter.h"

#include "skin/FileErrors.h"
#include "skin/FileWriter.h"
#include "skin/Module.h"
#include "skin/NewSkinFile.h"
#include "skin/SkinChange.h"
#include "skin/SkinFormat.h"
#include "lang/Locale.h"
#include "platform/AppInfo.h"
#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "platform/VbRuntime.h"

namespace {

// key=value
QString keyLine(const QString &key, const QString &value)
{
    return key + QLatin1Char('=') + value;
}

QString keyLine(const char *key, const QString &value)
{
    return keyLine(QLatin1String(key), value);
}

void writeSettings(QStringList &lines)
{
    using namespace skinformat;
    lines << QStringLiteral("[Settings]");
    if (!gFullScreenSkin)
        lines << QStringLiteral("SkinType=0");
    lines << keyLine("MainImg", gMainImage);
    lines << keyLine("MainAnySape", flagValue(gAnyShape));
    if (gFullScreenSkin) {
        lines << keyLine("Position", positionValue(gFSPosition));
    } else {
        lines << keyLine("Ext", extensionValue(gButtonExt));
        if (!gSkinFonts[0].isEmpty())
            lines << keyLine("LoadFont1", gSkinFonts[0]);
        if (!gSkinFonts[1].isEmpty())
            lines << keyLine("LoadFont2", gSkinFonts[1]);
    }
    lines << QString();
}

void writeButtons(QStringList &lines)
{
    const int count = ButtonCount();
    lines << QStringLiteral("[Buttons]");
    lines << keyLine("Number", vb::Str(count));
    for (int i = 1; i <= count; ++i)
        lines << keyLine(QStringLiteral("Btn") + vb::Str(i), skinformat::buttonLine(gButtons.at(i)));
    lines << QString();
}

void writeDisplays(QStringList &lines)
{
    using namespace skinformat;
    lines << QStringLiteral("[Display]");
    if (!gFullScreenSkin) {
        // Display 7 belongs to full-screen skins only.
        for (int i = 0; i <= 6; ++i) {
            const DisplayRec &display = gDisplays[i];
            if (!vb::isTrue(display.DspUsed))
                continue;
            lines << keyLine(display.DspKey, displayLine(display));
            if (display.DspMaxWidth > 0)
                lines << keyLine(displayWidthKey(i, gSubsWidthMode, display), vb::Str(display.DspMaxWidth));
        }
    } else {
        const DisplayRec &status = gDisplays[7];
        if (vb::isTrue(status.DspUsed)) {
            const QString align = statTxtAlignCode(gStatTxtAlign);
            if (!align.isEmpty())
                lines << keyLine("StatTxtAlign", align);
            lines << keyLine(status.DspKey, displayLine(status));
            if (status.DspMaxWidth > 0)
                lines << keyLine(status.DspMaxKey, vb::Str(status.DspMaxWidth));
        }
    }
    lines << QString();
}

void writeBar(QStringList &lines, const BarRec &bar, const char *header)
{
    using namespace skinformat;
    // A bar that is not used leaves no trace, not even a blank line.
    if (!vb::isTrue(bar.BarUsed))
        return;
    lines << QLatin1String(header);
    lines << keyLine("PosSize", posSizeValue(bar));
    const QString kind = barKindKeyword(bar.BarKind);
    if (!kind.isEmpty())
        lines << keyLine("Kind", kind);
    if (bar.BarKind == 2 || bar.BarKind == 3)
        lines << keyLine("Bitmap", bar.BarImage);
    else if (bar.BarKind == 4 || bar.BarKind == 5)
        lines << keyLine("ButtonImg", bar.BarImage);
    if (bar.BarKind == 0 || bar.BarKind == 1) {
        lines << keyLine("TransparentBg", flagValue(bar.BarTransparentBg));
        lines << keyLine("Border", flagValue(bar.BarBorder));
        lines << keyLine("BorderColor", bar.BarBorderColor);
        lines << keyLine("Color", bar.BarColor);
        lines << keyLine("MouseOverColor", bar.BarMouseOverColor);
        lines << keyLine("BackColor", bar.BarBackColor);
    }
    lines << QString();
}

void writeGuiAndText(QStringList &lines)
{
    lines << QStringLiteral("[GUI]");
    for (const GuiColorRec &colour : gGuiColors) {
        if (vb::isTrue(colour.GuiUsed))
            lines << keyLine(colour.GuiKey, colour.GuiValue);
    }
    lines << QString();
    lines << QStringLiteral("[Text]");
    lines << keyLine("Author", gSkinInfo.InfoAuthor);
    lines << keyLine("URL", gSkinInfo.InfoURL);
    lines << keyLine("Description", gSkinInfo.InfoDescription);
    lines << QString();
}

// A file that reopens other than the editor shows it is no saved skin: a value
// the file cannot hold stops the save before anything is written, and the
// message says which value and why. No message of the table says this: the
// text stays English.
bool valuesComeBack(const QString &file, const QStringList &lines)
{
    const std::optional<skinformat::UnsavableValue> value = skinformat::firstUnsavableValue(lines);
    if (!value)
        return true;
    QString text
        = Message(13075) + QStringLiteral("\nThe value of ") + IniPlace(file, value->section, value->key);
    if (!value->characters.isEmpty()) {
        text += QStringLiteral(" holds characters that a skin file cannot hold: ")
            + CharactersText(value->characters)
            + QStringLiteral(".\nSkin files hold only the characters of Windows-1252.");
    } else {
        text += QStringLiteral(" is %1 characters long; a skin file keeps at most %2 characters of a value.")
                    .arg(value->length)
                    .arg(ini::MaxValueLength);
    }
    dialogs::msgBox(text, dialogs::vbCritical, app::title() + QStringLiteral(" - ") + Message(13004));
    return false;
}

} // namespace

QStringList SkinFileLines()
{
    QStringList lines;
    lines << QStringLiteral("[Tovix.Skin]") << QStringLiteral("Version=1.00") << QString();
    writeSettings(lines);
    writeButtons(lines);
    writeDisplays(lines);
    writeBar(lines, gBars[0], "[TrackBar]");
    writeBar(lines, gBars[1], "[Volume]");
    if (!gFullScreenSkin)
        writeGuiAndText(lines);
    return lines;
}

void SaveSkin()
{
    const QStringList lines = SkinFileLines();
    // Message 13004 "Skin" names the operation in the title of every error box.
    if (valuesComeBack(gSkinFile, lines) && ConfirmSkinFileWrite()
        && WriteTextFile(gSkinFile, lines, Message(13004)))
        ClearSkinChanged();
}
