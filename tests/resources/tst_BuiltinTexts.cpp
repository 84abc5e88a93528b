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
    void unknownIdsGiveEmptyText();
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

void tst_BuiltinTexts::unknownIdsGiveEmptyText()
{
    for (int id : { 0, -1, 1000, 1031, 2007, 3124, 4009, 5030, 6041, 7025, 8071, 9013, 10010, 11010, 12013,
             13116, 14001, 99999 })
        QCOMPARE(LoadResString(id), QString());
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
    QCOMPARE(
        caption, QStringLiteral("TrackBar") + QString(89, QLatin1Char(' ')) + QStringLiteral("VolumeBar"));
}

void tst_BuiltinTexts::everyTextFitsWindows1252()
{
    // The 27 characters that Windows-1252 places in 0x80..0x9F.
    const QString extras = QString::fromUtf8("€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ");
    for (int id : BuiltinTextIds()) {
        for (QChar c : LoadResString(id)) {
            const ushort u = c.unicode();
            const bool ok = (u >= 0x20 && u < 0x7F) || (u >= 0xA0 && u <= 0xFF) || extras.contains(c);
            QVERIFY2(
                ok, qPrintable(QStringLiteral("text %1 holds U+%2").arg(id).arg(u, 4, 16, QLatin1Char('0'))));
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
