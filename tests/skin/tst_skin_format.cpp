#include "skin/Module.h"
#include "skin/OpenRoad.h"
#include "skin/SkinFormat.h"
#include "platform/IniFile.h"
#include "platform/VbRuntime.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace skinformat;

namespace {

void writeFile(const QString &path, const QByteArray &bytes = QByteArray())
{
    QVERIFY(testfiles::write(path, bytes));
}

} // namespace

// The rules of skin files in format version 1.00, without a window.
class tst_skin_format : public QObject
{
    Q_OBJECT

private slots:
    void numbersAndSplits();
    void flagsAndNames();
    void versionRule();
    void extension();
    void extensionOfAFullScreenSkinComesFromTheWindowSkinFiles();
    void imagePathsWithBmpFallback();
    void buttonLine();
    void displayEntry_data();
    void displayEntry();
    void displayWidthKeyAndStatusAlignment();
    void colours();
    void barKindsAndPosSize();
    void position();
};

void tst_skin_format::numbersAndSplits()
{
    QCOMPARE(readAsNumber(QStringLiteral(" 12abc")), 12.0);
    QCOMPARE(readAsNumber(QStringLiteral("abc")), 0.0);
    QCOMPARE(readAsNumber(QString()), 0.0);
    QCOMPARE(readAsNumber(QStringLiteral("20,99")), 20.0);
    QCOMPARE(madeWhole(10.5), 10.0);
    QCOMPARE(madeWhole(11.5), 12.0);
    QCOMPARE(madeWhole(-2.5), -2.0);
    QCOMPARE(wholeNumber(QStringLiteral("2.5")), 2);
    QCOMPARE(vb::resumeNext([] { wholeNumber(QStringLiteral("3000000000")); }), int(vb::ErrOverflow));

    QCOMPARE(splitLimited(QStringLiteral("a;b;c;d"), QLatin1Char(';'), 3), QStringList({ "a", "b", "c;d" }));
    QCOMPARE(splitLimited(QStringLiteral("a;;"), QLatin1Char(';')), QStringList({ "a", "", "" }));
    // An empty value gives no pieces at all, so its first piece does not exist.
    QCOMPARE(splitLimited(QString(), QLatin1Char(',')).size(), 0);
    QCOMPARE(vb::resumeNext([] { piece(QStringList(), 0); }), int(vb::ErrSubscript));
    QCOMPARE(piece(QStringList({ "x", "y" }), 1), QStringLiteral("y"));

    QCOMPARE(oneLine(QStringLiteral("one\r\ntwo\rthree\nfour\r\n")), QStringLiteral("one two three four"));
    QCOMPARE(oneLine(QStringLiteral("a\n\nb")), QStringLiteral("a  b"));
}

void tst_skin_format::flagsAndNames()
{
    QCOMPARE(flagValue(vb::True), QStringLiteral("1"));
    QCOMPARE(flagValue(vb::False), QStringLiteral("0"));
    QCOMPARE(flagFromValue(QStringLiteral("1")), vb::True);
    QCOMPARE(flagFromValue(QStringLiteral("2")), vb::True);
    QCOMPARE(flagFromValue(QStringLiteral("yes")), vb::False);
    QCOMPARE(flagFromValue(QString()), vb::False);

    QCOMPARE(FileTitle(QStringLiteral("img\\Main.bmp")), QStringLiteral("Main.bmp"));
    QCOMPARE(FileTitle(QStringLiteral("/skins/a/Main.bmp")), QStringLiteral("Main.bmp"));
    QCOMPARE(FileTitle(QStringLiteral("Main.bmp")), QStringLiteral("Main.bmp"));
    QVERIFY(samePath(QStringLiteral("/s/a/MAIN.bmp"), QStringLiteral("/s/a/main.BMP")));
    QVERIFY(samePath(QStringLiteral("/s/a\\Main.bmp"), QStringLiteral("/s/a/Main.bmp")));
    QVERIFY(!samePath(QStringLiteral("/s/a/MainN.bmp"), QStringLiteral("/s/a/Main.bmp")));
}

void tst_skin_format::versionRule()
{
    QCOMPARE(versionKind(QStringLiteral("1.00")), VersionKind::Current);
    QCOMPARE(versionKind(QStringLiteral("1")), VersionKind::Current);
    QCOMPARE(versionKind(QStringLiteral("1.0")), VersionKind::Current);
    QCOMPARE(versionKind(QStringLiteral("2")), VersionKind::Newer);
    QCOMPARE(versionKind(QStringLiteral("1.01")), VersionKind::Newer);
    QCOMPARE(versionKind(QStringLiteral("0.9")), VersionKind::Old);
    QCOMPARE(versionKind(QString()), VersionKind::Old);
}

void tst_skin_format::extension()
{
    QCOMPARE(extensionFromValue(QStringLiteral("bmp")), QStringLiteral("bmp"));
    QCOMPARE(extensionFromValue(QStringLiteral(".bmp")), QStringLiteral("bmp"));
    QCOMPARE(extensionFromValue(QStringLiteral("..bmp")), QStringLiteral(".bmp"));
    QCOMPARE(extensionFromValue(QString()), QString());
    QCOMPARE(extensionValue(QStringLiteral("png")), QStringLiteral(".png"));
    QCOMPARE(extensionValue(QString()), QString());
}

void tst_skin_format::extensionOfAFullScreenSkinComesFromTheWindowSkinFiles()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString folder = dir.path() + QLatin1Char('/');
    ini::clearCache();

    // No window skin beside it: no extension.
    writeFile(folder + "Skinfs.ini", "[Settings]\r\nExt=.gif\r\n");
    QCOMPARE(readButtonExtension(folder, folder + "Skinfs.ini", true), QString());

    // "Skin.ini" under another case: its "[Buttons]" Ext counts when "[Settings]" has none.
    writeFile(folder + "SKIN.INI", "[Settings]\r\nExt=\r\n[Buttons]\r\nExt=.png\r\n");
    QCOMPARE(readButtonExtension(folder, folder + "Skinfs.ini", true), QStringLiteral("png"));

    // "Skinv1.ini" comes first.
    writeFile(folder + "Skinv1.ini", "[buttons]\r\next=jpg\r\n");
    QCOMPARE(readButtonExtension(folder, folder + "Skinfs.ini", true), QStringLiteral("jpg"));

    // A window skin reads only its own file: "[Settings]" first, then "[Buttons]".
    QCOMPARE(readButtonExtension(folder, folder + "SKIN.INI", false), QStringLiteral("png"));
    writeFile(folder + "Other.ini", "[Settings]\r\nExt=..bmp\r\n[Buttons]\r\nExt=png\r\n");
    QCOMPARE(readButtonExtension(folder, folder + "Other.ini", false), QStringLiteral(".bmp"));
}

void tst_skin_format::imagePathsWithBmpFallback()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString folder = dir.path() + QLatin1Char('/');

    QCOMPARE(buttonImagePath(folder, "BPlay", "bmp"), folder + "BPlayN.bmp");
    QCOMPARE(buttonImagePath(folder, "BPlay", QString()), folder + "BPlayN");
    writeFile(folder + "BPlayN.bmp");
    // Without an extension the name ends in "N", unless that name with ".bmp" exists.
    QCOMPARE(buttonImagePath(folder, "BPlay", QString()), folder + "BPlayN.bmp");
    QCOMPARE(buttonImagePath(folder, "BPlay", "bmp"), folder + "BPlayN.bmp");
    writeFile(folder + "bstopn.png.BMP");
    QCOMPARE(buttonImagePath(folder, "BStop", "png"), folder + "BStopN.png.bmp");

    writeFile(folder + "Main.bmp");
    QCOMPARE(withBmpFallback(folder, "Main"), QStringLiteral("Main.bmp"));
    QCOMPARE(withBmpFallback(folder, "main"), QStringLiteral("main.bmp"));
    QCOMPARE(withBmpFallback(folder, "Main.bmp"), QStringLiteral("Main.bmp"));
    QCOMPARE(withBmpFallback(folder, "Other"), QStringLiteral("Other"));

    QCOMPARE(barImageBaseName(QStringLiteral("vol knob")), QStringLiteral("vol"));
    QCOMPARE(barImageBaseName(QStringLiteral("vol")), QStringLiteral("vol"));
}

void tst_skin_format::buttonLine()
{
    ButtonRec button;
    button.BtnName = QStringLiteral("BPlay");
    button.BtnX = 10;
    button.BtnY = 20;
    button.BtnAction = 20;
    // An empty text still gets its ";".
    QCOMPARE(skinformat::buttonLine(button), QStringLiteral("BPlay,10,20,0,20;"));
    button.BtnX = -3;
    button.BtnType = 2;
    button.BtnText = QStringLiteral("Play; now, please");
    const QString written = skinformat::buttonLine(button);
    QCOMPARE(written, QStringLiteral("BPlay,-3,20,2,20;Play; now, please"));

    // Only the first ";" separates the text, so it comes back unchanged.
    ButtonLine line = splitButtonLine(written);
    QVERIFY(line.valid);
    QVERIFY(line.hasText);
    QCOMPARE(line.text, button.BtnText);
    QCOMPARE(line.pieces, QStringList({ "BPlay", "-3", "20", "2", "20" }));

    line = splitButtonLine(QStringLiteral("BPlay,10,20,0,20"));
    QVERIFY(line.valid);
    QVERIFY(!line.hasText);
    QCOMPARE(line.text, QString());

    line = splitButtonLine(QStringLiteral("BPlay,10,20,0,20,5;x"));
    QVERIFY(!line.valid);
    line = splitButtonLine(QStringLiteral("BPlay,10,20,0;a,b,c"));
    QVERIFY(!line.valid);
    QCOMPARE(line.fields, QStringLiteral("BPlay,10,20,0"));
}

void tst_skin_format::displayEntry_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("problem");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("style");
    QTest::addColumn<QString>("colour");

    const int none = DisplayEntry::None;
    QTest::newRow("full") << "10,20;Arial,8,N;FFFFFF" << none << 10.0 << 20.0 << "Arial"
                          << "N"
                          << "FFFFFF";
    QTest::newRow("empty colour") << "10,20;Arial,8,N;" << none << 10.0 << 20.0 << "Arial"
                                  << "N"
                                  << "";
    QTest::newRow("colour case kept") << "1,2;Arial,8,N;ff00AA" << none << 1.0 << 2.0 << "Arial"
                                      << "N"
                                      << "ff00AA";
    QTest::newRow("style rest") << "1,2;Arial,8,B,I;000000" << none << 1.0 << 2.0 << "Arial"
                                << "B,I"
                                << "000000";
    QTest::newRow("third comma in position") << "10,20,99;Arial,8,N;FF0000" << none << 10.0 << 20.0 << "Arial"
                                             << "N"
                                             << "FF0000";
    QTest::newRow("half position") << "10.5,20;Arial,8,N;FF0000" << none << 10.5 << 20.0 << "Arial"
                                   << "N"
                                   << "FF0000";
    QTest::newRow("one semicolon") << "10,20;Arial,8,N" << int(DisplayEntry::SemicolonCount) << 0.0 << 0.0
                                   << ""
                                   << ""
                                   << "";
    QTest::newRow("three semicolons")
        << "10,20;Arial,8,N;000000;" << int(DisplayEntry::SemicolonCount) << 0.0 << 0.0 << ""
        << ""
        << "";
    QTest::newRow("no position comma")
        << "10;Arial,8,N;000000" << int(DisplayEntry::PositionComma) << 0.0 << 0.0 << ""
        << ""
        << "";
    QTest::newRow("one font comma") << "10,20;Arial,8;FF0000" << int(DisplayEntry::FontPiece) << 10.0 << 20.0
                                    << ""
                                    << ""
                                    << "";
    QTest::newRow("font ends in comma")
        << "10,20;Arial,8,;FF0000" << int(DisplayEntry::FontPiece) << 10.0 << 20.0 << ""
        << ""
        << "";
    QTest::newRow("no font comma") << "10,20;Arial;FF0000" << int(DisplayEntry::FontPiece) << 10.0 << 20.0
                                   << ""
                                   << ""
                                   << "";
}

void tst_skin_format::displayEntry()
{
    QFETCH(QString, value);
    QFETCH(int, problem);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(QString, face);
    QFETCH(QString, style);
    QFETCH(QString, colour);

    const DisplayEntry entry = parseDisplayEntry(value);
    QCOMPARE(int(entry.problem), problem);
    QCOMPARE(entry.x, x);
    QCOMPARE(entry.y, y);
    QCOMPARE(entry.face, face);
    QCOMPARE(entry.style, style);
    QCOMPARE(entry.colour, colour);
    if (problem == DisplayEntry::None) {
        QCOMPARE(entry.size, QStringLiteral("8"));
        QCOMPARE(entry.font, value.section(QLatin1Char(';'), 1, 1));
    }
}

void tst_skin_format::displayWidthKeyAndStatusAlignment()
{
    DisplayRec subs;
    subs.DspMaxKey = QStringLiteral("SubsMaxWidth");
    QCOMPARE(displayWidthKey(5, 1, subs), QStringLiteral("SubsMaxWidth"));
    QCOMPARE(displayWidthKey(5, 0, subs), QStringLiteral("MaxSubsWidth"));
    DisplayRec title;
    title.DspMaxKey = QStringLiteral("MaxTitleWidth");
    QCOMPARE(displayWidthKey(1, 0, title), QStringLiteral("MaxTitleWidth"));

    title.DspX = -4;
    title.DspY = 7;
    title.DspFont = QStringLiteral("Arial,8,B");
    title.DspColor = QStringLiteral("FF00aa");
    QCOMPARE(displayLine(title), QStringLiteral("-4,7;Arial,8,B;FF00aa"));

    FontStyle style = fontStyle(QStringLiteral("biu"));
    QVERIFY(style.bold && style.italic && style.underline);
    style = fontStyle(QStringLiteral("N"));
    QVERIFY(!style.bold && !style.italic && !style.underline);
    style = fontStyle(QStringLiteral("NI"));
    QVERIFY(!style.bold && style.italic && !style.underline);

    QCOMPARE(statTxtAlignCode(0), QStringLiteral("L"));
    QCOMPARE(statTxtAlignCode(1), QStringLiteral("R"));
    QCOMPARE(statTxtAlignCode(2), QStringLiteral("C"));
    QCOMPARE(statTxtAlignCode(3), QString());
    QCOMPARE(statTxtAlignFromValue(QStringLiteral("l")), 0);
    QCOMPARE(statTxtAlignFromValue(QString()), 0);
    QCOMPARE(statTxtAlignFromValue(QStringLiteral("r")), 1);
    QCOMPARE(statTxtAlignFromValue(QStringLiteral("C")), 2);
    QCOMPARE(statTxtAlignFromValue(QStringLiteral("Left")), -1);
}

void tst_skin_format::colours()
{
    QVERIFY(isColourString(QStringLiteral("ff00AA")));
    QVERIFY(isColourString(QStringLiteral("zzzzzz"))); // digits are not checked on reading
    QVERIFY(!isColourString(QStringLiteral("FFF")));
    QVERIFY(!isColourString(QStringLiteral("0000000")));

    // The file holds red, green and blue in this order.
    QCOMPARE(colourFromString(QStringLiteral("FF0080")), QColor(255, 0, 128));
    QCOMPARE(colourFromString(QStringLiteral("0a0B0c")), QColor(10, 11, 12));
    QCOMPARE(vb::resumeNext([] { colourFromString(QStringLiteral("GG0000")); }), int(vb::ErrTypeMismatch));
    QCOMPARE(vb::resumeNext([] { colourFromString(QStringLiteral("FF00")); }), int(vb::ErrTypeMismatch));
    QCOMPARE(colourString(QColor(255, 0, 128)), QStringLiteral("FF0080"));
    QCOMPARE(colourString(QColor(10, 11, 12)), QStringLiteral("0A0B0C"));
}

void tst_skin_format::barKindsAndPosSize()
{
    const QStringList keywords = { "H", "V", "HB", "VB", "HBtn", "VBtn" };
    for (int kind = 0; kind < 6; ++kind) {
        QCOMPARE(barKindKeyword(kind), keywords[kind]);
        QCOMPARE(barKindFromKeyword(keywords[kind]), kind);
    }
    QCOMPARE(barKindKeyword(6), QString());
    QCOMPARE(barKindKeyword(-1), QString());
    // Exact case only.
    QCOMPARE(barKindFromKeyword(QStringLiteral("hb")), -1);
    QCOMPARE(barKindFromKeyword(QStringLiteral("Hbtn")), -1);
    QCOMPARE(barKindFromKeyword(QString()), -1);

    BarRec bar;
    bar.BarLeft = -1;
    bar.BarTop = 2;
    bar.BarWidth = 50;
    bar.BarHeight = 5;
    QCOMPARE(posSizeValue(bar), QStringLiteral("-1,2,50,5"));

    PosSize posSize = splitPosSize(QStringLiteral("10.5,2, 3 ,4"));
    QVERIFY(posSize.wellFormed);
    QCOMPARE(posSizePiece(posSize, 0), 10);
    QCOMPARE(posSizePiece(posSize, 2), 3);

    // Three pieces: the fourth does not exist (error 9).
    posSize = splitPosSize(QStringLiteral("1,2,3"));
    QVERIFY(!posSize.wellFormed);
    QCOMPARE(posSizePiece(posSize, 2), 3);
    QCOMPARE(vb::resumeNext([&] { posSizePiece(posSize, 3); }), int(vb::ErrSubscript));

    // Five values: the last piece holds the rest and is no number (error 13).
    posSize = splitPosSize(QStringLiteral("1,2,3,4,5"));
    QVERIFY(!posSize.wellFormed);
    QCOMPARE(posSize.pieces.last(), QStringLiteral("4,5"));
    QCOMPARE(vb::resumeNext([&] { posSizePiece(posSize, 3); }), int(vb::ErrTypeMismatch));
    QCOMPARE(vb::resumeNext([] { posSizePiece(splitPosSize(QStringLiteral("a,2,3,4")), 0); }),
        int(vb::ErrTypeMismatch));
    QCOMPARE(vb::resumeNext([] { posSizePiece(splitPosSize(QString()), 0); }), int(vb::ErrSubscript));
}

void tst_skin_format::position()
{
    QCOMPARE(positionValue({ QStringLiteral("B"), 0 }), QStringLiteral("B,1"));
    QCOMPARE(positionValue({ QStringLiteral("bT"), 2 }), QStringLiteral("bT,3"));

    const QStringList codes = { "B", "b", "T", "t", "BT", "Bt", "bT", "bt" };
    const int entries[] = { 0, 0, 1, 1, 2, 2, 2, 2 };
    for (int i = 0; i < codes.size(); ++i)
        QCOMPARE(positionCodeEntry(codes[i]), entries[i]);
    QCOMPARE(positionCodeEntry(QStringLiteral("TB")), -1);
    QCOMPARE(positionCodeEntry(QString()), -1);

    Position p = parsePosition(QStringLiteral("bt,3"));
    QVERIFY(p.valid);
    QCOMPARE(p.code, QStringLiteral("bt"));
    QCOMPARE(p.entry, 2);
    QCOMPARE(p.index, 3.0);
    p = parsePosition(QStringLiteral("T,2,extra"));
    QVERIFY(p.valid);
    QCOMPARE(p.index, 2.0);
    QVERIFY(!parsePosition(QStringLiteral("B")).valid);
    QVERIFY(!parsePosition(QString()).valid);
    QVERIFY(!parsePosition(QStringLiteral("X,1")).valid);
}

QTEST_GUILESS_MAIN(tst_skin_format)
#include "tst_skin_format.moc"
