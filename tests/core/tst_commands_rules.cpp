#include "skin/OpenRoad.h"
#include "core/frmMain.h"

#include <QtTest>

// Which files the editor opens from a command line or a drop, how a command line
// names its file, and the frame allowance of the preview window.
class tst_commands_rules : public QObject
{
    Q_OBJECT

private slots:
    void acceptance_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("window skin") << QStringLiteral("/s/Skin.ini") << true;
        QTest::newRow("converted window skin") << QStringLiteral("/s/skinv1.INI") << true;
        QTest::newRow("full-screen skin, other case") << QStringLiteral("/s/skinFS.INI") << true;
        QTest::newRow("converted full-screen skin") << QStringLiteral("/s/Skinfsv1.ini") << true;
        QTest::newRow("archive") << QStringLiteral("/s/Blue.TVK") << true;
        QTest::newRow("windows separators") << QStringLiteral("C:\\Skins\\Blue\\Skin.ini") << true;
        QTest::newRow("other ini") << QStringLiteral("/s/MySkin.ini") << false;
        QTest::newRow("name only ends like one") << QStringLiteral("/s/OldSkin.ini") << false;
        QTest::newRow("zip") << QStringLiteral("/s/Blue.zip") << false;
        QTest::newRow("folder named like a skin") << QStringLiteral("/s/Skin.ini/x") << false;
        QTest::newRow("empty") << QString() << false;
    }

    void acceptance()
    {
        QFETCH(QString, path);
        QFETCH(bool, accepted);
        QCOMPARE(IsAcceptableSkinPath(path), accepted);
    }

    void kindAndNameParts()
    {
        QVERIFY(IsFullScreenSkinTitle(QStringLiteral("SKINFS.ini")));
        QVERIFY(IsFullScreenSkinTitle(QStringLiteral("skinfsv1.ini")));
        QVERIFY(!IsFullScreenSkinTitle(QStringLiteral("Skin.ini")));
        QVERIFY(IsArchiveTitle(QStringLiteral("a.Tvk")));
        QCOMPARE(FileTitle(QStringLiteral("/a/b/Skin.ini")), QStringLiteral("Skin.ini"));
        QCOMPARE(FileTitle(QStringLiteral("C:\\a\\Skin.ini")), QStringLiteral("Skin.ini"));
        QCOMPARE(FolderOf(QStringLiteral("/a/b/Skin.ini")), QStringLiteral("/a/b/"));
        QCOMPARE(FolderOf(QStringLiteral("Skin.ini")), QString());
    }

    void commandLine_data()
    {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<QString>("path");
        QTest::newRow("plain") << QStringLiteral("  /s/Skin.ini ") << QStringLiteral("/s/Skin.ini");
        QTest::newRow("quoted with blank and more words")
            << QStringLiteral("\"/my skins/Skin.ini\" -x y") << QStringLiteral("/my skins/Skin.ini");
        QTest::newRow("unquoted with blank is cut")
            << QStringLiteral("/my skins/Skin.ini") << QStringLiteral("/my");
        QTest::newRow("quoted without closing quote") << QStringLiteral("\"/my skins/Skin.ini") << QString();
        QTest::newRow("quote inside, no blank") << QStringLiteral("/a\"b") << QString();
        QTest::newRow("quoted, no blank")
            << QStringLiteral("\"/s/Skin.ini\"") << QStringLiteral("/s/Skin.ini");
        QTest::newRow("empty") << QString() << QString();
    }

    void commandLine()
    {
        QFETCH(QString, commandLine);
        QFETCH(QString, path);
        QCOMPARE(CommandLinePath(commandLine), path);
    }

    void argumentsBecomeACommandLine()
    {
        // The shell has already split and unquoted the arguments: the first one
        // is the path, blanks included.
        const QStringList arguments { QStringLiteral("TVX_Morvane"), QStringLiteral("/my skins/Skin.ini"),
            QStringLiteral("more") };
        QCOMPARE(CommandLinePath(CommandLineOf(arguments)), QStringLiteral("/my skins/Skin.ini"));
        QCOMPARE(CommandLineOf({ QStringLiteral("TVX_Morvane") }), QString());
    }

    void frameAllowance()
    {
        QCOMPARE(int(FrameBorderYFor(18, 0)), 28);
        QCOMPARE(int(FrameBorderYFor(1, 0)), 11);
        QCOMPARE(int(FrameBorderYFor(89, 0)), 99);
        QCOMPARE(int(FrameBorderYFor(90, 0)), 29);
        QCOMPARE(int(FrameBorderYFor(0, 0)), 29);
        QCOMPARE(int(FrameBorderYFor(-10, 0)), 29);
        // A height that does not fit leaves the previous value to the range test.
        QCOMPARE(int(FrameBorderYFor(400, 40)), 40);
        QCOMPARE(int(FrameBorderYFor(400, 5)), 29);
    }
};

QTEST_MAIN(tst_commands_rules)
#include "tst_commands_rules.moc"
