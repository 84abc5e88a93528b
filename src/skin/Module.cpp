#include "skin/Module.h"

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

bool gOpenOK = false;
uint8_t gFrameBorderX = 10;
uint8_t gFrameBorderY = 29;
QString gArchivePath;
