#include "skin/FileWriter.h"
#include "skin/Module.h"
#include "skin/Settings.h"
#include "platform/IniFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// The settings file's lines, and how each key reads back, without a window.
class tst_settings : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString writeFile(const QByteArray &bytes)
    {
        static int n = 0;
        const QString path = m_dir.filePath(QStringLiteral("s%1.ini").arg(++n));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(path));
        file.write(bytes);
        return path;
    }

    static QByteArray readAll(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void linesInOrder()
    {
        SettingsRecord settings;
        settings.setWindow(false, false, QRect(12, -4, 800, 600));
        settings.CustomPalette = QStringLiteral("1,2,3,0");
        settings.LastSkinPath = QStringLiteral("/skins/Blue/");
        settings.LangPath = QStringLiteral("/opt/tovix/Lang/");
        settings.LangFile = QStringLiteral("Italiano.lng");
        settings.Language = QStringLiteral("English");
        settings.BackColor = 0;
        const QStringList expected { QStringLiteral("[Settings]"), QStringLiteral("State=0"),
            QStringLiteral("XPos=12"), QStringLiteral("YPos=-4"), QStringLiteral("Width=800"),
            QStringLiteral("Height=600"), QStringLiteral("CustomPalette=1,2,3,0"),
            QStringLiteral("LastSkinPath=/skins/Blue/"), QStringLiteral("LangPath=/opt/tovix/Lang/"),
            QStringLiteral("LangFile=Italiano.lng"), QStringLiteral("Language=English"),
            QStringLiteral("BackGround=1") };
        QCOMPARE(SettingsLines(settings), expected);
    }

    void windowPlacement()
    {
        SettingsRecord settings;
        settings.setWindow(true, false, QRect(300, 200, 640, 480));
        QCOMPARE(
            QList<int>({ settings.State, settings.XPos, settings.YPos, settings.Width, settings.Height }),
            QList<int>({ 0, 300, 200, 640, 480 }));
        settings.setWindow(false, true, QRect(400, 250, 800, 500));
        QCOMPARE(
            QList<int>({ settings.State, settings.XPos, settings.YPos, settings.Width, settings.Height }),
            QList<int>({ 2, 400, 250, 800, 500 }));
        // Minimised from maximised.
        settings.setWindow(true, true, QRect(400, 250, 800, 500));
        QCOMPARE(settings.State, 0);
    }

    void roundTripThroughTheFile()
    {
        SettingsRecord settings;
        settings.setWindow(false, false, QRect(5, 6, 700, 500));
        settings.CustomPalette = QStringLiteral("0,0,0,0,255,255,255,0");
        settings.LastSkinPath = QStringLiteral("/home/u/Skins/Caf\u00e9/");
        settings.Language = QStringLiteral("Deutsch");
        settings.BackColor = 16777215;
        const QString path = m_dir.filePath(QStringLiteral("roundtrip.ini"));
        QVERIFY(WriteTextFile(path, SettingsLines(settings), QStringLiteral("Settings")));
        QCOMPARE(readAll(path),
            QByteArray("[Settings]\r\nState=0\r\nXPos=5\r\nYPos=6\r\nWidth=700\r\nHeight=500\r\n"
                       "CustomPalette=0,0,0,0,255,255,255,0\r\nLastSkinPath=/home/u/Skins/Caf\xe9/\r\n"
                       "LangPath=\r\nLangFile=\r\nLanguage=Deutsch\r\nBackGround=16777216\r\n"));
        ini::clearCache();
        const SettingsRecord back = ReadSettings(path);
        QCOMPARE(SettingsLines(back), SettingsLines(settings));
    }

    void keysReadWithoutRegardToCase()
    {
        const QString path = writeFile("[SETTINGS]\r\nstate=2\r\nlanguage=Italiano\r\nbackground=1\r\n");
        const SettingsRecord settings = ReadSettings(path);
        QCOMPARE(settings.State, 2);
        QCOMPARE(settings.Language, QStringLiteral("Italiano"));
        QCOMPARE(settings.BackColor, 0);
    }

    void backGround_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("backColor");
        QTest::newRow("missing") << QByteArray() << -1;
        QTest::newRow("zero") << QByteArray("BackGround=0\r\n") << -1;
        QTest::newRow("one is black") << QByteArray("BackGround=1\r\n") << 0;
        QTest::newRow("white") << QByteArray("BackGround=16777216\r\n") << 16777215;
        QTest::newRow("empty") << QByteArray("BackGround=\r\n") << -1;
        QTest::newRow("words") << QByteArray("BackGround=blue\r\n") << -1;
        QTest::newRow("too large for a colour value") << QByteArray("BackGround=1E30\r\n") << -1;
    }

    void backGround()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, backColor);
        const QString path = writeFile("[Settings]\r\nState=0\r\n" + line);
        QCOMPARE(ReadSettings(path).BackColor, backColor);
    }

    void numbersReadLeniently()
    {
        const QString path = writeFile("[Settings]\r\nState=abc\r\nXPos= 40px\r\nYPos=-7\r\nWidth=\r\n"
                                       "Height=99999999999\r\n");
        const SettingsRecord settings = ReadSettings(path);
        QCOMPARE(settings.State, 0);
        QCOMPARE(settings.XPos, 40);
        QCOMPARE(settings.YPos, -7);
        QCOMPARE(settings.Width, 0);
        // A size no window can take is not applied as it stands.
        QCOMPARE(settings.Height, 0);
    }

    void missingPaletteReadsEmpty()
    {
        const QString path = writeFile("[Settings]\r\nState=0\r\n");
        QCOMPARE(ReadSettings(path).CustomPalette, QString());
        const QString bad = writeFile("[Settings]\r\nCustomPalette=red,,300,-1\r\n");
        QCOMPARE(ReadSettings(bad).CustomPalette, QStringLiteral("red,,300,-1"));
    }

    void pathsThatWouldBreakTheFileAreWrittenEmpty()
    {
        SettingsRecord settings;
        settings.LastSkinPath = QStringLiteral("/skins/two\nlines/");
        settings.LangPath = QStringLiteral("/lang\r\n[Settings]\r\nState=2/");
        const QStringList lines = SettingsLines(settings);
        QCOMPARE(lines.size(), 12);
        QCOMPARE(lines.at(7), QStringLiteral("LastSkinPath="));
        QCOMPARE(lines.at(8), QStringLiteral("LangPath="));
    }

    // A folder name Windows-1252 cannot hold makes the whole file UTF-8 with a
    // byte-order mark, so the name is remembered across an exit and a start.
    void nonLatinNamesSurviveAsUtf8()
    {
        SettingsRecord settings;
        settings.LastSkinPath
            = QStringLiteral("/home/\u0438\u0432\u0430\u043d/\u0421\u043a\u0438\u043d\u044b/");
        settings.LangFile = QStringLiteral("\u65e5\u672c.lng");
        settings.Language = QStringLiteral("Fran\u00e7ais");
        const QString path = m_dir.filePath(QStringLiteral("utf8.ini"));
        QVERIFY(WriteTextFile(
            path, SettingsLines(settings), QStringLiteral("Settings"), TextEncoding::Cp1252OrUtf8Bom));
        const QByteArray bytes = readAll(path);
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF[Settings]\r\n"));
        QVERIFY(bytes.contains("Language=Fran\xC3\xA7"
                               "ais\r\n"));
        ini::clearCache();
        const SettingsRecord back = ReadSettings(path);
        QCOMPARE(back.LastSkinPath, settings.LastSkinPath);
        QCOMPARE(back.LangFile, settings.LangFile);
        QCOMPARE(back.Language, settings.Language);
    }
};

QTEST_MAIN(tst_settings)
#include "tst_settings.moc"
