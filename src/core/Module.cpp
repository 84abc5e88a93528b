#include "core/Module.h"

#include "platform/IniFile.h"

QString gMainImage;
int16_t gAnyShape = 0;
QString gButtonExt;
std::array<QString, 3> gSkinFonts;
QVector<ButtonRec> gButtons;
std::array<DisplayRec, 8> gDisplays;
int16_t gSubsWidthMode = 0;
int16_t gStatTxtAlign = 0;
FSPositionRec gFSPosition;
std::array<BarRec, 2> gBars;
std::array<GuiColorRec, 10> gGuiColors;
SkinInfoRec gSkinInfo;
int16_t gZoom = 1;

QString gSkinFolder;
QString gSkinFile;
bool gFullScreenSkin = false;
bool gSkinChanged = false;

int32_t gBackColor = -1;
QString gCustomPalette;
QString gLastSkinPath;
QString gPlayerLangPath;
QString gPlayerLangFile;

int32_t gApiResult = 0;
bool gOpenOK = false;
uint8_t gFrameBorderX = 10;
uint8_t gFrameBorderY = 29;
QString gArchivePath;

QString ReadIni(const QString &section, const QString &key, const QString &fileName)
{
    int count = 0;
    const QString value = ini::readValue(section, key, fileName, &count);
    gApiResult = count;
    return count == 0 ? QString() : value;
}

QString AddBackslash(const QString &path)
{
    // Paths use "/" here; a path that already ends in a separator is left alone.
    if (path.isEmpty() || path.endsWith(QLatin1Char('/')))
        return path;
    return path + QLatin1Char('/');
}
