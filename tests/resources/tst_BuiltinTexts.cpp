#include "resources/BuiltinTexts.h"

#include <QtTest>

// The built-in English table: its blocks, a sample of exact texts from each
// block, and the code page its texts must fit.
class tst_BuiltinTexts : public QObject
{
    Q_OBJECT

private slots:
    void blocksAreContiguousAndComplete_data();
    void blocksAreContiguousAndComplete();
    void holdsNothingOutsideTheBlocks();
    void unknownIdsGiveEmptyText();
    void sampleTexts_data();
    void sampleTexts();
    void actionNamesKeepTheirOrder();
    void trackVolumeCaptionKeepsItsBlanks();
    void everyTextFitsWindows1252();
    void noTextIsEmptyOrTooLongForALanguageFile();
};

void tst_BuiltinTexts::blocksAreContiguousAndComplete_data()
{
    QTest::addColumn<int>("base");
    QTest::addColumn<int>("count");
    QTest::newRow("menus") << 1000 << 30;
    QTest::newRow("about") << 2000 << 6;
    QTest::newRow("actions") << 3000 << 123;
    QTest::newRow("preview labels") << 4000 << 8;
    QTest::newRow("images") << 5000 << 29;
    QTest::newRow("display") << 6000 << 40;
    QTest::newRow("bars") << 7000 << 24;
    QTest::newRow("full screen") << 8000 << 70;
    QTest::newRow("picker") << 9000 << 12;
    QTest::newRow("extraction") << 10000 << 9;
    QTest::newRow("creation") << 11000 << 9;
    QTest::newRow("strings") << 12000 << 12;
    QTest::newRow("messages") << 13000 << 115;
}

void tst_BuiltinTexts::blocksAreContiguousAndComplete()
{
    QFETCH(int, base);
    QFETCH(int, count);
    QList<int> inBlock;
    for (int id : BuiltinTextIds())
        if (id > base && id < base + 1000)
            inBlock.append(id);
    QCOMPARE(inBlock.size(), count);
    for (int k = 0; k < count; ++k)
        QCOMPARE(inBlock.at(k), base + 1 + k);
    QVERIFY(!LoadResString(base + 1).isEmpty());
    QVERIFY(!LoadResString(base + count).isEmpty());
    QCOMPARE(LoadResString(base + count + 1), QString());
}

void tst_BuiltinTexts::holdsNothingOutsideTheBlocks()
{
    const QList<int> ids = BuiltinTextIds();
    QCOMPARE(ids.size(), 30 + 6 + 123 + 8 + 29 + 40 + 24 + 70 + 12 + 9 + 9 + 12 + 115);
    QCOMPARE(ids.size(), 487);
    for (int i = 1; i < ids.size(); ++i)
        QVERIFY(ids.at(i - 1) < ids.at(i));
    QCOMPARE(ids.first(), 1001);
    QCOMPARE(ids.last(), 13115);
}

void tst_BuiltinTexts::unknownIdsGiveEmptyText()
{
    for (int id : {0, -1, 1000, 1031, 2007, 3124, 4009, 5030, 6041, 7025, 8071, 9013, 10010,
                   11010, 12013, 13116, 14001, 99999})
        QCOMPARE(LoadResString(id), QString());
}

void tst_BuiltinTexts::sampleTexts_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("text");
    auto row = [](int id, const char *text) {
        QTest::newRow(QByteArray::number(id).constData()) << id << QString::fromUtf8(text);
    };
    row(1001, "&File");
    row(1007, "Create &TVK from this skin");
    row(1012, "&Display && GUI ToolBar");
    row(1016, "Apply ZOrder to Buttons");
    row(1018, "Choose one of the following");
    row(1030, "Restore default");
    row(2001, "About...");
    row(2004, "Author:");
    row(2005, "(Check homepage for new versions)");
    row(2006, "Version History");
    row(3001, "Exit Full Screen");
    row(3010, "Capture frame - \"What you see\"");
    row(3021, "Play");
    row(3102, "Increase playback rate by 1 %");
    row(3123, "A_Res9");
    row(4003, "Movie size: 640x480 @ 25");
    row(4004, "00:00:00 / 00:00:00");
    row(4008, "Status Text");
    row(5001, "Images");
    row(5014, "&Dn");
    row(5022, "Transparent (not supported in full screen)");
    row(5028, "Y:");
    row(5029, "(pixels)");
    row(6001, "Display & GUI");
    row(6004, "Insert 0 for AutoSize");
    row(6006, "Compatible with Tovix build <814");
    row(6008, "Compatible with Tovix build >=814");
    row(6014, "Movie Lenght");
    row(6023, "(pixels)");
    row(6040, "Description:");
    row(7002, "Bar Style");
    row(7014, "Transparent BackGround");
    row(7022, "Width:");
    row(7024, "Height:");
    row(8011, "Bottom and Top");
    row(8013, "(Hold on the SHIFT key to select both Bottom && Top)");
    row(8028, "Buttons list");
    row(8047, "TrackBar Style");
    row(8048, "VolumeBar Style");
    row(8070, "Height:");
    row(9001, "Multilanguage Buttons Text");
    row(9006, "Change &LNG File");
    row(9008, "Select the desired description for the curren button:");
    row(9011, "OK");
    row(10001, "TVK Skin File Extraction");
    row(10006, "Select this if you want to load the Normal Skin (it will not affect the extraction process)");
    row(10009, "&Extract");
    row(11003, "If you check this option, all the files will be included");
    row(11004, "Check/Uncheck an item if you want to add/exclude it from the skin file");
    row(11009, "&Create");
    row(12001, "&OK");
    row(12005, "Skin files (*.tvk; Skin.ini; Skinv1.ini; Skinfs.ini; Skinfsv1.ini)");
    row(12011, "[No language file selected]");
    row(12012, "Select a font for the current skin:");
    row(13001, "Welcome");
    row(13016, "Your skin will be saved as \"Skinfs.ini\" even if you'll specify another name.");
    row(13021, "Skin ");
    row(13022, " successfully created!");
    row(13036, "It wasn't possible to find ");
    row(13037, " file.");
    row(13050, "An error occurred while reading Button #");
    row(13067, "An error or more than 100 files have been finded in the skin folder.");
    row(13069, "An error occourred while checking the skin path ");
    row(13089, "Error number: ");
    row(13092, " font. If it is missing, the problem can be solved by installing such font, or by "
               "using another font in your skin.");
    row(13095, "The library \"Zip32.dll\" did not initialize.");
    row(13111, "Could't open to write.");
    row(13114, "It wasn't possible to create the skin ");
}

void tst_BuiltinTexts::sampleTexts()
{
    QFETCH(int, id);
    QFETCH(QString, text);
    QCOMPARE(LoadResString(id), text);
}

void tst_BuiltinTexts::actionNamesKeepTheirOrder()
{
    // Entry i of an action list names player action i, so a shift by one would
    // give every skin button the wrong name.
    QCOMPARE(LoadResString(3001 + 20), QStringLiteral("Play"));
    QCOMPARE(LoadResString(3001 + 21), QStringLiteral("Pause"));
    QCOMPARE(LoadResString(3001 + 22), QStringLiteral("Stop"));
    QCOMPARE(LoadResString(3001 + 77), QStringLiteral("Exit"));
    QCOMPARE(LoadResString(3001 + 99), QStringLiteral("Resize movie window +"));
    QCOMPARE(LoadResString(3001 + 100), QStringLiteral("Resize movie window -"));
    QCOMPARE(LoadResString(3001 + 121), QStringLiteral("Jump to file"));
}

void tst_BuiltinTexts::trackVolumeCaptionKeepsItsBlanks()
{
    const QString caption = LoadResString(7001);
    QCOMPARE(caption.size(), 106);
    QCOMPARE(caption, QStringLiteral("TrackBar") + QString(89, QLatin1Char(' ')) + QStringLiteral("VolumeBar"));
}

void tst_BuiltinTexts::everyTextFitsWindows1252()
{
    // The 27 characters that Windows-1252 places in 0x80..0x9F.
    const QString extras = QString::fromUtf8("€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ");
    for (int id : BuiltinTextIds()) {
        for (QChar c : LoadResString(id)) {
            const ushort u = c.unicode();
            const bool ok = (u >= 0x20 && u < 0x7F) || (u >= 0xA0 && u <= 0xFF) || extras.contains(c);
            QVERIFY2(ok, qPrintable(QStringLiteral("text %1 holds U+%2").arg(id).arg(u, 4, 16, QLatin1Char('0'))));
        }
    }
}

void tst_BuiltinTexts::noTextIsEmptyOrTooLongForALanguageFile()
{
    for (int id : BuiltinTextIds()) {
        const QString text = LoadResString(id);
        QVERIFY2(!text.isEmpty(), qPrintable(QString::number(id)));
        QVERIFY2(text.size() <= 255, qPrintable(QString::number(id)));
    }
}

QTEST_APPLESS_MAIN(tst_BuiltinTexts)
#include "tst_BuiltinTexts.moc"
