#include "skin/Settings.h"

#include "skin/Module.h"
#include "platform/AppInfo.h"
#include "platform/VbRuntime.h"

#include <cmath>

namespace {

const QString Section = QStringLiteral("Settings");

// The numeric value of a text, the lenient way ("" and words read as 0), as a
// whole number; a hand-edited value too large for a window reads as 0.
int wholeNumber(const QString &text)
{
    const double value = vb::roundHalfEven(vb::Val(text));
    constexpr double Limit = 1.0e6;
    return std::fabs(value) <= Limit ? static_cast<int>(value) : 0;
}

int32_t backColorOf(const QString &text)
{
    const double value = vb::roundHalfEven(vb::Val(text)) - 1;
    if (value < INT32_MIN || value > INT32_MAX)
        return -1;
    return static_cast<int32_t>(value);
}

// A remembered path or name as it can be written on one line of the file: a value
// holding a line break would split the file's line, so it is written as "". Any
// other character is kept: the writer picks an encoding that holds it.
QString writableValue(const QString &value)
{
    if (value.contains(QLatin1Char('\r')) || value.contains(QLatin1Char('\n')))
        return QString();
    return value;
}

QString line(const char *key, const QString &value)
{
    return QLatin1String(key) + QLatin1Char('=') + value;
}

QString line(const char *key, qint64 value)
{
    return line(key, vb::Str(value));
}

} // namespace

void SettingsRecord::setWindow(bool minimised, bool maximised, const QRect &normalPlace)
{
    State = maximised && !minimised ? 2 : 0;
    XPos = normalPlace.x();
    YPos = normalPlace.y();
    Width = normalPlace.width();
    Height = normalPlace.height();
}

QString SettingsFilePath()
{
    return AddBackslash(app::settingsFolder()) + app::title() + QStringLiteral(".ini");
}

SettingsRecord ReadSettings(const QString &fileName)
{
    SettingsRecord settings;
    settings.Language = ReadIni(Section, QStringLiteral("Language"), fileName);
    settings.State = wholeNumber(ReadIni(Section, QStringLiteral("State"), fileName));
    settings.XPos = wholeNumber(ReadIni(Section, QStringLiteral("XPos"), fileName));
    settings.YPos = wholeNumber(ReadIni(Section, QStringLiteral("YPos"), fileName));
    settings.Width = wholeNumber(ReadIni(Section, QStringLiteral("Width"), fileName));
    settings.Height = wholeNumber(ReadIni(Section, QStringLiteral("Height"), fileName));
    settings.CustomPalette = ReadIni(Section, QStringLiteral("CustomPalette"), fileName);
    settings.LastSkinPath = ReadIni(Section, QStringLiteral("LastSkinPath"), fileName);
    settings.LangPath = ReadIni(Section, QStringLiteral("LangPath"), fileName);
    settings.LangFile = ReadIni(Section, QStringLiteral("LangFile"), fileName);
    settings.BackColor = backColorOf(ReadIni(Section, QStringLiteral("BackGround"), fileName));
    return settings;
}

QStringList SettingsLines(const SettingsRecord &settings)
{
    return {
        QStringLiteral("[Settings]"),
        line("State", settings.State),
        line("XPos", settings.XPos),
        line("YPos", settings.YPos),
        line("Width", settings.Width),
        line("Height", settings.Height),
        line("CustomPalette", writableValue(settings.CustomPalette)),
        line("LastSkinPath", writableValue(settings.LastSkinPath)),
        line("LangPath", writableValue(settings.LangPath)),
        line("LangFile", writableValue(settings.LangFile)),
        line("Language", writableValue(settings.Language)),
        line("BackGround", qint64(settings.BackColor) + 1),
    };
}
