#include "skin/Module.h"
#include "skin/SkinChange.h"
#include "skin/SkinDocument.h"
#include "skin/SkinWriter.h"
#include "preview/frmSkin.h"
#include "lang/Locale.h"
#include "support/DialogRecorder.h"
#include "support/TestFiles.h"
#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "platform/VbRuntime.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray crlf(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

// The eight keys of a plain bar of a new skin.
const QStringList kNewPlainBar = { "PosSize=0,0,50,5", "Kind=H", "TransparentBg=0", "Border=1",
    "BorderColor=000000", "Color=000000", "MouseOverColor=000000", "BackColor=000000" };

QStringList expectedNewWindowSkin()
{
    return QStringList { "[Tovix.Skin]", "Version=1.00", "", "[Settings]", "SkinType=0",
        "MainImg=", "MainAnySape=1", "Ext=.bmp", "", "[Buttons]", "Number=0", "", "[Display]", "",
        "[TrackBar]" }
    + kNewPlainBar + QStringList { "", "[Volume]" } + kNewPlainBar
        + QStringList { "", "[GUI]", "", "[Text]",
              "Author=", "URL=", "Description=Created with TVX Morvane (by Orlo)", "" };
}

QStringList expectedNewFullScreenSkin()
{
    return QStringList { "[Tovix.Skin]", "Version=1.00", "", "[Settings]", "MainImg=", "MainAnySape=1",
        "Position=B,1", "", "[Buttons]", "Number=0", "", "[Display]", "", "[TrackBar]" }
    + kNewPlainBar + QStringList { "", "[Volume]" } + kNewPlainBar + QStringList { "" };
}

// The lines from the first line that equals from, up to the next empty line.
QStringList section(const QStringList &lines, const QString &from)
{
    const int start = lines.indexOf(from);
    if (start < 0)
        return {};
    const int end = lines.indexOf(QString(), start);
    return lines.mid(start, end - start);
}

} // namespace

// The skin writer: the file of a document, and saving it.
class tst_skin_writer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void newWindowSkinIsTheFortyOneLineFile();
    void newFullScreenSkin();
    void settingsAsHeld();
    void buttonsAndDisplays();
    void subtitleWidthKey();
    void statusTextOfAFullScreenSkin_data();
    void statusTextOfAFullScreenSkin();
    void barKinds();
    void unusedBarsLeaveNoTrace();
    void guiColoursAndText();
    void lineBreaksInTextsBecomeBlanks();
    void savesWindows1252WithCrLf();
    void saveClearsTheMark();
    void failedSaveKeepsTheMark();
    void aValueAReadingWouldNotGiveBackStopsTheSave_data();
    void aValueAReadingWouldNotGiveBackStopsTheSave();

private:
    QTemporaryDir m_home;
    // Answers and records every message box (Cancel when nothing is queued).
    std::unique_ptr<DialogRecorder> m_dialogs;
};

void tst_skin_writer::initTestCase()
{
    QVERIFY(m_home.isValid());
    qputenv("TVX_MORVANE_HOME", m_home.path().toLocal8Bit());
    gUILanguage.clear();
    LoadMessages();
    QCOMPARE(gMessages[3], QStringLiteral("Skin"));
}

void tst_skin_writer::init()
{
    gFullScreenSkin = false;
    InitSkinDefaults();
    m_dialogs = std::make_unique<DialogRecorder>();
}

void tst_skin_writer::cleanup()
{
    gSkinChanged = false;
    frmSkin::unload();
    m_dialogs.reset();
}

void tst_skin_writer::newWindowSkinIsTheFortyOneLineFile()
{
    const QStringList expected = expectedNewWindowSkin();
    QCOMPARE(SkinFileLines(), expected);

    QTemporaryDir dir;
    gSkinFile = dir.filePath(QStringLiteral("Skin.ini"));
    SaveSkin();
    QCOMPARE(testfiles::read(gSkinFile), crlf(expected));
    QCOMPARE(m_dialogs->count(), 0);
}

void tst_skin_writer::newFullScreenSkin()
{
    gFullScreenSkin = true;
    QCOMPARE(SkinFileLines(), expectedNewFullScreenSkin());

    QTemporaryDir dir;
    gSkinFile = dir.filePath(QStringLiteral("Skinfs.ini"));
    SaveSkin();
    QCOMPARE(testfiles::read(gSkinFile), crlf(expectedNewFullScreenSkin()));
}

void tst_skin_writer::settingsAsHeld()
{
    gMainImage = QStringLiteral("Main.bmp");
    gAnyShape = vb::False;
    gButtonExt = QStringLiteral("png");
    gSkinFonts[1] = QStringLiteral("second.ttf");
    QCOMPARE(section(SkinFileLines(), QStringLiteral("[Settings]")),
        QStringList({ "[Settings]", "SkinType=0", "MainImg=Main.bmp", "MainAnySape=0", "Ext=.png",
            "LoadFont2=second.ttf" }));

    // Any nonzero flag is written as its absolute value; an empty extension as "Ext=".
    gAnyShape = 1;
    gButtonExt.clear();
    gSkinFonts[0] = QStringLiteral("first.ttf");
    QCOMPARE(section(SkinFileLines(), QStringLiteral("[Settings]")),
        QStringList({ "[Settings]", "SkinType=0", "MainImg=Main.bmp", "MainAnySape=1",
            "Ext=", "LoadFont1=first.ttf", "LoadFont2=second.ttf" }));

    // A full-screen skin has no type, extension or fonts; its position is written as held.
    gFullScreenSkin = true;
    gFSPosition = { QStringLiteral("bT"), 2 };
    QCOMPARE(section(SkinFileLines(), QStringLiteral("[Settings]")),
        QStringList({ "[Settings]", "MainImg=Main.bmp", "MainAnySape=1", "Position=bT,3" }));
}

void tst_skin_writer::buttonsAndDisplays()
{
    gButtons.resize(3);
    gButtons[1] = { QStringLiteral("BPlay"), QStringLiteral("/x/BPlayN.bmp"), 10, 20, 0, 20, QString() };
    gButtons[2]
        = { QStringLiteral("BStop"), QString(), -5, 300, 2, 122, QStringLiteral("$lang.Main.Stop;x,y") };
    gDisplays[1].DspUsed = vb::True;
    gDisplays[1].DspX = 4;
    gDisplays[1].DspY = 6;
    gDisplays[1].DspFont = QStringLiteral("Arial,10,BI");
    gDisplays[1].DspColor = QStringLiteral("ff00AA");
    gDisplays[1].DspMaxWidth = 150;
    gDisplays[3].DspUsed = vb::True; // width 0: no width line
    gDisplays[4].DspMaxWidth = 80; // not used: nothing at all
    gDisplays[7].DspUsed = vb::True; // never written for a window skin
    gBars[0].BarUsed = vb::False;

    const QStringList lines = SkinFileLines();
    const int buttons = lines.indexOf(QStringLiteral("[Buttons]"));
    QCOMPARE(lines.mid(buttons, 14),
        QStringList({ "[Buttons]", "Number=2", "Btn1=BPlay,10,20,0,20;",
            "Btn2=BStop,-5,300,2,122;$lang.Main.Stop;x,y", "", "[Display]", "Title=4,6;Arial,10,BI;ff00AA",
            "MaxTitleWidth=150", "MovTimeLen=0,0;MS Sans Serif,8,N;000000", "", "[Volume]",
            "PosSize=0,0,50,5", "Kind=H", "TransparentBg=0" }));
}

void tst_skin_writer::subtitleWidthKey()
{
    gDisplays[5].DspUsed = vb::True;
    gDisplays[5].DspMaxWidth = 120;
    const QString entry = QStringLiteral("Subs=0,0;MS Sans Serif,8,N;000000");

    gSubsWidthMode = 1;
    QCOMPARE(section(SkinFileLines(), QStringLiteral("[Display]")),
        QStringList({ "[Display]", entry, "SubsMaxWidth=120" }));
    gSubsWidthMode = 0;
    QCOMPARE(section(SkinFileLines(), QStringLiteral("[Display]")),
        QStringList({ "[Display]", entry, "MaxSubsWidth=120" }));
    gDisplays[5].DspMaxWidth = 0;
    QCOMPARE(section(SkinFileLines(), QStringLiteral("[Display]")), QStringList({ "[Display]", entry }));
}

void tst_skin_writer::statusTextOfAFullScreenSkin_data()
{
    QTest::addColumn<int>("align");
    QTest::addColumn<QStringList>("display");
    const QString entry = QStringLiteral("StatTxt=3,4;Tahoma,9,N;FFFFFF");
    QTest::newRow("left") << 0
                          << QStringList({ "[Display]", "StatTxtAlign=L", entry, "StatTxtMaxWidth=200" });
    QTest::newRow("right") << 1
                           << QStringList({ "[Display]", "StatTxtAlign=R", entry, "StatTxtMaxWidth=200" });
    QTest::newRow("centre") << 2
                            << QStringList({ "[Display]", "StatTxtAlign=C", entry, "StatTxtMaxWidth=200" });
    QTest::newRow("other") << 7 << QStringList({ "[Display]", entry, "StatTxtMaxWidth=200" });
}

void tst_skin_writer::statusTextOfAFullScreenSkin()
{
    QFETCH(int, align);
    QFETCH(QStringList, display);

    gFullScreenSkin = true;
    gDisplays[0].DspUsed = vb::True; // displays of a window skin are never written here
    gDisplays[7].DspUsed = vb::True;
    gDisplays[7].DspX = 3;
    gDisplays[7].DspY = 4;
    gDisplays[7].DspFont = QStringLiteral("Tahoma,9,N");
    gDisplays[7].DspColor = QStringLiteral("FFFFFF");
    gDisplays[7].DspMaxWidth = 200;
    gStatTxtAlign = int16_t(align);
    QCOMPARE(section(SkinFileLines(), QStringLiteral("[Display]")), display);

    gDisplays[7].DspUsed = vb::False;
    QCOMPARE(section(SkinFileLines(), QStringLiteral("[Display]")), QStringList({ "[Display]" }));
}

void tst_skin_writer::barKinds()
{
    // Image kinds write their image and none of the colour and flag keys.
    gBars[0].BarKind = 2;
    gBars[0].BarImage = QStringLiteral("trk.bmp");
    gBars[0].BarLeft = 7;
    gBars[1].BarKind = 5;
    gBars[1].BarImage = QStringLiteral("vol");
    QStringList lines = SkinFileLines();
    QCOMPARE(section(lines, QStringLiteral("[TrackBar]")),
        QStringList({ "[TrackBar]", "PosSize=7,0,50,5", "Kind=HB", "Bitmap=trk.bmp" }));
    QCOMPARE(section(lines, QStringLiteral("[Volume]")),
        QStringList({ "[Volume]", "PosSize=0,0,50,5", "Kind=VBtn", "ButtonImg=vol" }));

    gBars[0].BarKind = 3;
    gBars[1].BarKind = 4;
    lines = SkinFileLines();
    QCOMPARE(section(lines, QStringLiteral("[TrackBar]")),
        QStringList({ "[TrackBar]", "PosSize=7,0,50,5", "Kind=VB", "Bitmap=trk.bmp" }));
    QCOMPARE(
        section(lines, QStringLiteral("[Volume]")).mid(2), QStringList({ "Kind=HBtn", "ButtonImg=vol" }));

    // A plain bar writes its flags and colours as held.
    gBars[0].BarKind = 1;
    gBars[0].BarTransparentBg = vb::True;
    gBars[0].BarBorder = vb::False;
    gBars[0].BarBorderColor = QStringLiteral("112233");
    gBars[0].BarColor = QStringLiteral("abc");
    gBars[0].BarMouseOverColor = QStringLiteral("445566");
    gBars[0].BarBackColor = QStringLiteral("778899");
    // An unknown kind has no "Kind" line and no keys of its own.
    gBars[1].BarKind = 9;
    lines = SkinFileLines();
    QCOMPARE(section(lines, QStringLiteral("[TrackBar]")),
        QStringList({ "[TrackBar]", "PosSize=7,0,50,5", "Kind=V", "TransparentBg=1", "Border=0",
            "BorderColor=112233", "Color=abc", "MouseOverColor=445566", "BackColor=778899" }));
    QCOMPARE(section(lines, QStringLiteral("[Volume]")), QStringList({ "[Volume]", "PosSize=0,0,50,5" }));
}

void tst_skin_writer::unusedBarsLeaveNoTrace()
{
    gBars[0].BarUsed = vb::False;
    gBars[1].BarUsed = vb::False;
    QStringList lines = SkinFileLines();
    const int display = lines.indexOf(QStringLiteral("[Display]"));
    QCOMPARE(lines.mid(display, 3), QStringList({ "[Display]", "", "[GUI]" }));

    gFullScreenSkin = true;
    lines = SkinFileLines();
    QCOMPARE(lines.mid(lines.size() - 2), QStringList({ "[Display]", "" }));
}

void tst_skin_writer::guiColoursAndText()
{
    gGuiColors[0].GuiUsed = vb::True;
    gGuiColors[0].GuiValue = QStringLiteral("FFFFFF");
    gGuiColors[9].GuiUsed = vb::True;
    gGuiColors[9].GuiValue = QStringLiteral("12ab");
    gGuiColors[5].GuiValue = QStringLiteral("00FF00"); // not used
    gSkinInfo = { QStringLiteral("Ann"), QStringLiteral("http://x.example/"), QString() };
    const QStringList lines = SkinFileLines();
    QCOMPARE(lines.mid(lines.indexOf(QStringLiteral("[GUI]"))),
        QStringList({ "[GUI]", "MenuBackClr=FFFFFF", "PlayListActTextClr=12ab", "", "[Text]", "Author=Ann",
            "URL=http://x.example/", "Description=", "" }));
}

void tst_skin_writer::lineBreaksInTextsBecomeBlanks()
{
    // A break inside a written value would cut the line; the rest would be read
    // as a key of its own or dropped.
    gSkinInfo.InfoDescription = QStringLiteral("First line\r\nSecond line\nThird\rFourth\r\n");
    gSkinInfo.InfoAuthor = QStringLiteral("Ann\nBob");
    gButtons.resize(2);
    gButtons[1].BtnName = QStringLiteral("BPlay");
    gButtons[1].BtnText = QStringLiteral("Play\r\nnow");

    QCOMPARE(SkinFileLines().size(), 42);

    QTemporaryDir dir;
    gSkinFile = dir.filePath(QStringLiteral("Skin.ini"));
    SaveSkin();
    const QByteArray bytes = testfiles::read(gSkinFile);
    QVERIFY(bytes.contains("\r\nDescription=First line Second line Third Fourth\r\n"));
    QVERIFY(bytes.contains("\r\nAuthor=Ann Bob\r\n"));
    QVERIFY(bytes.contains("\r\nBtn1=BPlay,0,0,0,0;Play now\r\n"));
    QCOMPARE(bytes.count("\r\n"), 42);
    QCOMPARE(bytes.count('\n'), 42);
    QCOMPARE(bytes.count('\r'), 42);
}

void tst_skin_writer::savesWindows1252WithCrLf()
{
    gSkinInfo.InfoAuthor = QStringLiteral("Jos\u00e9 \u201cJo\u201d");
    gSkinInfo.InfoDescription = QStringLiteral("5 \u20ac \u2013 caf\u00e9 \u0081");
    QTemporaryDir dir;
    gSkinFile = dir.filePath(QStringLiteral("Skin.ini"));
    SaveSkin();

    const QByteArray bytes = testfiles::read(gSkinFile);
    QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));
    QVERIFY(bytes.contains("\r\nAuthor=Jos\xE9 \x93Jo\x94\r\n"));
    QVERIFY(bytes.contains("\r\nDescription=5 \x80 \x96 caf\xE9 \x81\r\n"));
    QVERIFY(bytes.endsWith("\r\n\r\n"));
    QVERIFY(!bytes.contains("\n\n"));
}

void tst_skin_writer::saveClearsTheMark()
{
    QTemporaryDir dir;
    gSkinFile = dir.filePath(QStringLiteral("Skin.ini"));
    {
        QFile old(gSkinFile);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("[Tovix.Skin]\r\nVersion=1.00\r\n[Comments]\r\nKept=no\r\n"
                  "0123456789012345678901234567890123456789012345678901234567890123456789"
                  "0123456789012345678901234567890123456789012345678901234567890123456789"
                  "0123456789012345678901234567890123456789012345678901234567890123456789"
                  "0123456789012345678901234567890123456789012345678901234567890123456789"
                  "0123456789012345678901234567890123456789012345678901234567890123456789"
                  "0123456789012345678901234567890123456789012345678901234567890123456789"
                  "0123456789012345678901234567890123456789012345678901234567890123456789\r\n");
    }
    frmSkin *skin = frmSkin::get();
    skin->setCaption(QStringLiteral("*Skin.ini"));
    gSkinChanged = true;

    SaveSkin();
    QVERIFY(!gSkinChanged);
    QCOMPARE(skin->caption(), QStringLiteral("Skin.ini"));
    // The whole file is replaced: nothing of a longer old file is left.
    QCOMPARE(testfiles::read(gSkinFile), crlf(expectedNewWindowSkin()));

    // A caption without the mark stays as it is.
    SaveSkin();
    QCOMPARE(skin->caption(), QStringLiteral("Skin.ini"));
    QCOMPARE(m_dialogs->count(), 0);
}

void tst_skin_writer::failedSaveKeepsTheMark()
{
    QTemporaryDir dir;
    // A folder where the skin file should be: the system refuses the file.
    gSkinFile = dir.filePath(QStringLiteral("Skin.ini"));
    QVERIFY(QDir().mkdir(gSkinFile));
    frmSkin *skin = frmSkin::get();
    skin->setCaption(QStringLiteral("*Skin.ini"));
    gSkinChanged = true;

    m_dialogs->answerButton(dialogs::vbRetry);
    m_dialogs->answerButton(dialogs::vbCancel);
    SaveSkin();
    QVERIFY(gSkinChanged);
    QCOMPARE(skin->caption(), QStringLiteral("*Skin.ini"));
    QVERIFY(QFileInfo(gSkinFile).isDir());

    // Retry asks again; Cancel ends with message 13075. Every title names the operation.
    QCOMPARE(m_dialogs->count(), 3);
    const QString title = QStringLiteral("TVX_Morvane - Skin");
    const QString retryText = gMessages[86] + QLatin1Char('\n') + gMessages[87];
    for (int i = 0; i < 2; ++i) {
        QCOMPARE(m_dialogs->at(i).prompt, retryText);
        QCOMPARE(m_dialogs->at(i).style, dialogs::vbRetryCancel | dialogs::vbCritical);
        QCOMPARE(m_dialogs->at(i).title, title);
    }
    QCOMPARE(m_dialogs->at(2).prompt, QStringLiteral("It wasn't possible to save the specified file."));
    QCOMPARE(m_dialogs->at(2).style, int(dialogs::vbCritical));
    QCOMPARE(m_dialogs->at(2).title, title);

    // Retry after the cause is gone writes the file and clears the mark.
    m_dialogs->clear();
    m_dialogs->enqueue([&](const dialogs::Request &) {
        QDir().rmdir(gSkinFile);
        dialogs::Answer answer;
        answer.button = dialogs::vbRetry;
        return answer;
    });
    SaveSkin();
    QCOMPARE(m_dialogs->count(), 1);
    QVERIFY(!gSkinChanged);
    QCOMPARE(skin->caption(), QStringLiteral("Skin.ini"));
    QCOMPARE(testfiles::read(gSkinFile), crlf(expectedNewWindowSkin()));
}

void tst_skin_writer::aValueAReadingWouldNotGiveBackStopsTheSave_data()
{
    QTest::addColumn<bool>("fullScreen");
    QTest::addColumn<QString>("value"); // the main image of a window skin, a button's text on a full screen
    QTest::addColumn<QString>("refusal"); // after message 13075; "" when the save goes ahead
    const QString x255(255, QLatin1Char('x'));
    const QString cyrillic = QStringLiteral("\u0430\u0431\u0432\u0430\u0433\u0434\u0435\u0436\u0437\u0438\u0439\u043a\u043b");
    // clang-format off
    QTest::newRow("Polish letter")   << false << QStringLiteral("G\u0142\u00f3wny.bmp") << QStringLiteral("The value of Skin.ini, [Settings] MainImg holds characters that a skin file cannot hold: \"\u0142\" (U+0142).\nSkin files hold only the characters of Windows-1252.");
    QTest::newRow("many, once each") << false << cyrillic << QStringLiteral("The value of Skin.ini, [Settings] MainImg holds characters that a skin file cannot hold: \"\u0430\" (U+0430), \"\u0431\" (U+0431), \"\u0432\" (U+0432), \"\u0433\" (U+0433), \"\u0434\" (U+0434), \"\u0435\" (U+0435), \"\u0436\" (U+0436), \"\u0437\" (U+0437), \"\u0438\" (U+0438), \"\u0439\" (U+0439) and 2 more.\nSkin files hold only the characters of Windows-1252.");
    QTest::newRow("emoji")           << true  << QStringLiteral("Go \U0001F642") << QStringLiteral("The value of Skinfs.ini, [Buttons] Btn1 holds characters that a skin file cannot hold: \"\U0001F642\" (U+1F642).\nSkin files hold only the characters of Windows-1252.");
    QTest::newRow("255 characters")  << false << x255 << QString();
    QTest::newRow("256 characters")  << true  << x255.left(247) << QStringLiteral("The value of Skinfs.ini, [Buttons] Btn1 is 256 characters long; a skin file keeps at most 255 characters of a value.");
    // clang-format on
}

void tst_skin_writer::aValueAReadingWouldNotGiveBackStopsTheSave()
{
    QFETCH(bool, fullScreen);
    QFETCH(QString, value);
    QFETCH(QString, refusal);
    gFullScreenSkin = fullScreen;
    frmSkin *skin = frmSkin::get(); // its load starts the document afresh
    gButtons.resize(2);
    (fullScreen ? gButtons[1].BtnText : gMainImage) = value;
    QTemporaryDir dir;
    gSkinFile = dir.filePath(fullScreen ? QStringLiteral("Skinfs.ini") : QStringLiteral("Skin.ini"));
    QVERIFY(testfiles::write(gSkinFile, "[Tovix.Skin]\r\n"));
    SetSkinChanged();
    SaveSkin();

    QCOMPARE(gSkinChanged, !refusal.isEmpty());
    QCOMPARE(skin->caption().startsWith(QLatin1Char('*')), !refusal.isEmpty());
    if (refusal.isEmpty()) {
        QCOMPARE(ini::readValue(QStringLiteral("Settings"), QStringLiteral("MainImg"), gSkinFile), value);
    } else {
        QCOMPARE(testfiles::read(gSkinFile), QByteArray("[Tovix.Skin]\r\n"));
        QCOMPARE(m_dialogs->count(), 1);
        QCOMPARE(m_dialogs->at(0).prompt, gMessages[74] + QLatin1Char('\n') + refusal);
        QCOMPARE(m_dialogs->at(0).title, QStringLiteral("TVX_Morvane - Skin"));
    }
}

QTEST_MAIN(tst_skin_writer)
#include "tst_skin_writer.moc"
