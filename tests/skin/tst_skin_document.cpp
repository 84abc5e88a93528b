#include "skin/Module.h"
#include "skin/SkinDocument.h"
#include "platform/VbRuntime.h"

#include <QtTest>

// The reset of the skin document to a new, empty skin.
class tst_skin_document : public QObject
{
    Q_OBJECT

private slots:
    void defaultsOfANewSkin();
    void secondResetAfterEditingStartsAgain();
    void resetLeavesTheOpenSkinAlone();
};

void tst_skin_document::defaultsOfANewSkin()
{
    InitSkinDefaults();

    QCOMPARE(gMainImage, QString());
    QCOMPARE(gAnyShape, vb::True);
    QCOMPARE(gButtonExt, QStringLiteral("bmp"));
    QCOMPARE(gSkinFonts[0], QString());
    QCOMPARE(gSkinFonts[1], QString());
    QCOMPARE(gSubsWidthMode, int16_t(1));
    QCOMPARE(gStatTxtAlign, int16_t(0));
    QCOMPARE(gFSPosition.FSPosCode, QStringLiteral("B"));
    QCOMPARE(gFSPosition.FSPosIndex, uint8_t(0));
    QCOMPARE(gButtons.size(), 1);
    QCOMPARE(ButtonCount(), 0);
    QCOMPARE(gZoom, int16_t(1));

    const QStringList keys
        = { "Version", "Title", "MovInfo", "MovTimeLen", "sRepeat", "Subs", "Status", "StatTxt" };
    // Title's width key is the odd one out.
    const QStringList maxKeys = { "VersionMaxWidth", "MaxTitleWidth", "MovInfoMaxWidth", "MovTimeLenMaxWidth",
        "sRepeatMaxWidth", "SubsMaxWidth", "StatusMaxWidth", "StatTxtMaxWidth" };
    for (int i = 0; i < 8; ++i) {
        const DisplayRec &d = gDisplays[i];
        QCOMPARE(d.DspKey, keys[i]);
        QCOMPARE(d.DspMaxKey, maxKeys[i]);
        QCOMPARE(d.DspUsed, vb::False);
        QCOMPARE(d.DspX, 0);
        QCOMPARE(d.DspY, 0);
        QCOMPARE(d.DspFont, QStringLiteral("MS Sans Serif,8,N"));
        QCOMPARE(d.DspColor, QStringLiteral("000000"));
        QCOMPARE(d.DspMaxWidth, 0);
    }

    const QStringList guiKeys = { "MenuBackClr", "MenuBackClrIco", "MenuSelBackClr", "MenuFontClr",
        "MenuSelFontClr", "MenuDisFontClr", "MenuSeparatorClr", "PlayListBackClr", "PlayListTextClr",
        "PlayListActTextClr" };
    for (int i = 0; i < 10; ++i) {
        QCOMPARE(gGuiColors[i].GuiKey, guiKeys[i]);
        QCOMPARE(gGuiColors[i].GuiValue, QStringLiteral("000000"));
        QCOMPARE(gGuiColors[i].GuiUsed, vb::False);
    }

    // Both bars are used, as plain horizontal bars with a border.
    for (const BarRec &bar : gBars) {
        QCOMPARE(bar.BarUsed, vb::True);
        QCOMPARE(bar.BarKind, int16_t(0));
        QCOMPARE(bar.BarLeft, 0);
        QCOMPARE(bar.BarTop, 0);
        QCOMPARE(bar.BarWidth, 50);
        QCOMPARE(bar.BarHeight, 5);
        QCOMPARE(bar.BarImage, QString());
        QCOMPARE(bar.BarTransparentBg, vb::False);
        QCOMPARE(bar.BarBorder, vb::True);
        QCOMPARE(bar.BarBorderColor, QStringLiteral("000000"));
        QCOMPARE(bar.BarColor, QStringLiteral("000000"));
        QCOMPARE(bar.BarMouseOverColor, QStringLiteral("000000"));
        QCOMPARE(bar.BarBackColor, QStringLiteral("000000"));
    }

    QCOMPARE(gSkinInfo.InfoAuthor, QString());
    QCOMPARE(gSkinInfo.InfoURL, QString());
    QCOMPARE(gSkinInfo.InfoDescription, QStringLiteral("Created with TVX Morvane (by Orlo)"));
}

void tst_skin_document::secondResetAfterEditingStartsAgain()
{
    InitSkinDefaults();
    gMainImage = QStringLiteral("Main.bmp");
    gAnyShape = vb::False;
    gButtonExt.clear();
    gSkinFonts[1] = QStringLiteral("font.ttf");
    gButtons.resize(4);
    gButtons[2].BtnName = QStringLiteral("BPlay");
    gDisplays[3].DspUsed = vb::True;
    gDisplays[3].DspMaxWidth = 90;
    gDisplays[7].DspColor = QStringLiteral("FFFFFF");
    gSubsWidthMode = 0;
    gStatTxtAlign = 2;
    gFSPosition = { QStringLiteral("bt"), 2 };
    gBars[1].BarUsed = vb::False;
    gBars[1].BarKind = 4;
    gBars[1].BarImage = QStringLiteral("vol");
    gGuiColors[9].GuiUsed = vb::True;
    gGuiColors[9].GuiValue = QStringLiteral("ABCDEF");
    gSkinInfo.InfoDescription.clear();
    gZoom = 2;

    InitSkinDefaults();

    QCOMPARE(gMainImage, QString());
    QCOMPARE(gAnyShape, vb::True);
    QCOMPARE(gButtonExt, QStringLiteral("bmp"));
    QCOMPARE(gSkinFonts[1], QString());
    QCOMPARE(ButtonCount(), 0);
    QCOMPARE(gButtons[0].BtnName, QString());
    QCOMPARE(gDisplays[3].DspUsed, vb::False);
    QCOMPARE(gDisplays[3].DspMaxWidth, 0);
    QCOMPARE(gDisplays[7].DspColor, QStringLiteral("000000"));
    QCOMPARE(gSubsWidthMode, int16_t(1));
    QCOMPARE(gStatTxtAlign, int16_t(0));
    QCOMPARE(gFSPosition.FSPosCode, QStringLiteral("B"));
    QCOMPARE(gFSPosition.FSPosIndex, uint8_t(0));
    QCOMPARE(gBars[1].BarUsed, vb::True);
    QCOMPARE(gBars[1].BarKind, int16_t(0));
    QCOMPARE(gBars[1].BarImage, QString());
    QCOMPARE(gGuiColors[9].GuiUsed, vb::False);
    QCOMPARE(gGuiColors[9].GuiValue, QStringLiteral("000000"));
    QCOMPARE(gSkinInfo.InfoDescription, QStringLiteral("Created with TVX Morvane (by Orlo)"));
    QCOMPARE(gZoom, int16_t(1));
}

void tst_skin_document::resetLeavesTheOpenSkinAlone()
{
    gSkinFile = QStringLiteral("/skins/a/Skin.ini");
    gSkinFolder = QStringLiteral("/skins/a/");
    gFullScreenSkin = true;
    gSkinChanged = true;

    InitSkinDefaults();

    QCOMPARE(gSkinFile, QStringLiteral("/skins/a/Skin.ini"));
    QCOMPARE(gSkinFolder, QStringLiteral("/skins/a/"));
    QVERIFY(gFullScreenSkin);
    QVERIFY(gSkinChanged);
}

QTEST_GUILESS_MAIN(tst_skin_document)
#include "tst_skin_document.moc"
