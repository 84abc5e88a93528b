#include "skin/SkinDocument.h"

#include "skin/Module.h"
#include "platform/VbRuntime.h"

namespace {

// Keys of the display texts 0 to 7 and of their maximum widths. Title's width key
// is "MaxTitleWidth", not "TitleMaxWidth": the player reads it under that name.
const char *const kDisplayKeys[8]
    = { "Version", "Title", "MovInfo", "MovTimeLen", "sRepeat", "Subs", "Status", "StatTxt" };
const char *const kDisplayMaxKeys[8] = { "VersionMaxWidth", "MaxTitleWidth", "MovInfoMaxWidth",
    "MovTimeLenMaxWidth", "sRepeatMaxWidth", "SubsMaxWidth", "StatusMaxWidth", "StatTxtMaxWidth" };
const char *const kGuiKeys[10]
    = { "MenuBackClr", "MenuBackClrIco", "MenuSelBackClr", "MenuFontClr", "MenuSelFontClr", "MenuDisFontClr",
          "MenuSeparatorClr", "PlayListBackClr", "PlayListTextClr", "PlayListActTextClr" };

const QString kBlack = QStringLiteral("000000");

} // namespace

void InitSkinDefaults()
{
    gMainImage.clear();
    gAnyShape = vb::True;
    gButtonExt = QStringLiteral("bmp");
    gSkinFonts[0].clear();
    gSkinFonts[1].clear();

    for (int i = 0; i < 8; ++i) {
        DisplayRec &display = gDisplays[i];
        display.DspMaxWidth = 0;
        display.DspMaxKey = QLatin1String(kDisplayMaxKeys[i]);
    }

    gSubsWidthMode = 1;
    gStatTxtAlign = 0;
    gFSPosition.FSPosCode = QStringLiteral("B");
    gFSPosition.FSPosIndex = 0;

    // Bounds 0 to 0: element 0 is never used, so this is the empty button list.
    gButtons = QVector<ButtonRec>(1);

    for (int i = 0; i < 8; ++i) {
        DisplayRec &display = gDisplays[i];
        display.DspKey = QLatin1String(kDisplayKeys[i]);
        display.DspFont = QStringLiteral("MS Sans Serif,8,N");
        display.DspColor = kBlack;
        display.DspUsed = vb::False;
        display.DspX = 0;
        display.DspY = 0;
    }

    for (int i = 0; i < 10; ++i) {
        gGuiColors[i].GuiKey = QLatin1String(kGuiKeys[i]);
        gGuiColors[i].GuiValue = kBlack;
        gGuiColors[i].GuiUsed = vb::False;
    }

    // Both bars are used by default, so a new skin is saved with both sections.
    for (BarRec &bar : gBars) {
        bar.BarUsed = vb::True;
        bar.BarBackColor = kBlack;
        bar.BarBorder = vb::True;
        bar.BarBorderColor = kBlack;
        bar.BarColor = kBlack;
        bar.BarHeight = 5;
        bar.BarImage.clear();
        bar.BarMouseOverColor = kBlack;
        bar.BarKind = 0;
        bar.BarTransparentBg = vb::False;
        bar.BarWidth = 50;
        bar.BarLeft = 0;
        bar.BarTop = 0;
    }

    gSkinInfo.InfoAuthor.clear();
    gSkinInfo.InfoURL.clear();
    gSkinInfo.InfoDescription = QStringLiteral("Created with TVX Morvane (by Orlo)");

    gZoom = 1;
}
