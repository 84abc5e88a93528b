#pragma once

#include "platform/WinApi.h"

#include <QString>
#include <QVector>

#include <array>
#include <cstdint>

// The skin document and the program-wide state: the one skin that is open, its
// records, and the values kept between runs. Flags are 16-bit truth values
// (-1 true, 0 false; any nonzero value counts as true).

// One skin button.
struct ButtonRec {
    QString BtnName; // base name of its images
    QString BtnFile; // full path of the normal-state image (never written to the file)
    int32_t BtnX = 0;
    int32_t BtnY = 0;
    uint8_t BtnType = 0; // 0 normal, 1 shaped, 2 transparent
    int16_t BtnAction = 0; // 0 to 122
    QString BtnText; // free text or "$lang.<section>.<key>"
};

// One display text.
struct DisplayRec {
    int16_t DspUsed = 0;
    QString DspKey;
    int32_t DspX = 0;
    int32_t DspY = 0;
    QString DspFont;
    QString DspColor;
    int32_t DspMaxWidth = 0; // 0 or less: the text sizes itself
    QString DspMaxKey;
};

// One bar: 0 the track bar, 1 the volume bar.
struct BarRec {
    int16_t BarUsed = 0;
    int32_t BarLeft = 0;
    int32_t BarTop = 0;
    int32_t BarWidth = 0;
    int32_t BarHeight = 0;
    int16_t BarKind = 0; // 0 "H", 1 "V", 2 "HB", 3 "VB", 4 "HBtn", 5 "VBtn"
    QString BarImage;
    int16_t BarTransparentBg = 0;
    int16_t BarBorder = 0;
    QString BarBorderColor;
    QString BarColor;
    QString BarMouseOverColor;
    QString BarBackColor;
};

// One menu or playlist colour.
struct GuiColorRec {
    int16_t GuiUsed = 0;
    QString GuiKey;
    QString GuiValue;
};

// Where a full-screen skin sits on the monitor.
struct FSPositionRec {
    QString FSPosCode; // "B", "T" or "BT", letters as read
    uint8_t FSPosIndex = 0; // 0 left, 1 middle, 2 right
};

struct SkinInfoRec {
    QString InfoAuthor;
    QString InfoURL;
    QString InfoDescription;
};

// --- The skin document ---
extern QString gMainImage;
extern int16_t gAnyShape;
extern QString gButtonExt;
extern std::array<QString, 3> gSkinFonts; // 0 "LoadFont1", 1 "LoadFont2", 2 unused
extern QVector<ButtonRec> gButtons; // element 0 never used; size() - 1 buttons
extern std::array<DisplayRec, 8> gDisplays;
extern int16_t gSubsWidthMode; // 0 "MaxSubsWidth", 1 "SubsMaxWidth"
extern int16_t gStatTxtAlign; // 0 left, 1 right, 2 centre
extern FSPositionRec gFSPosition;
extern std::array<BarRec, 2> gBars;
extern std::array<GuiColorRec, 10> gGuiColors;
extern SkinInfoRec gSkinInfo;
extern int16_t gZoom; // 1 or 2

// Upper bound of gButtons: the number of buttons.
inline int ButtonCount()
{
    return gButtons.isEmpty() ? 0 : int(gButtons.size()) - 1;
}

// --- The open skin ---
extern QString gSkinFolder; // always ends in "/"
extern QString gSkinFile; // "" while no skin is open
extern bool gFullScreenSkin;
extern bool gSkinChanged;

// --- Kept between runs ---
extern int32_t gBackColor; // -1 for the default
extern QString gCustomPalette; // 64 comma-separated byte values
extern QString gLastSkinPath;
extern QString gPlayerLangPath;
extern QString gPlayerLangFile;

// --- Program-wide scratch and dialog results ---
extern bool gOpenOK;
extern uint8_t gFrameBorderX;
extern uint8_t gFrameBorderY;
extern QString gArchivePath;
