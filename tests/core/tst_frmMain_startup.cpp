#include "support/MainWindowFixture.h"

#include "skin/Module.h"
#include "core/frmMain.h"
#include "lang/Locale.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLockFile>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QtTest>

// The editor's start-up and shut-down: the one running copy, the first start,
// and the settings file restored at start and written at exit.
class tst_frmMain_startup : public QObject
{
    Q_OBJECT

private:
    static QByteArray defaultPaletteLine()
    {
        return "CustomPalette=0,0,0,0,170,0,0,0,0,170,0,0,170,170,0,0,0,0,170,0,170,0,170,0,0,170,170,0,"
               "85,85,85,0,170,170,170,0,255,0,0,0,0,255,0,0,255,255,0,0,0,0,255,0,255,0,255,0,0,255,255,0,"
               "255,255,255,0\r\n";
    }

private slots:
    void firstStartWithoutGuide()
    {
        MainWindowFixture f;
        frmMain *main = f.start();
        QVERIFY(main);
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("TVX_Morvane"));
        QVERIFY(main->isVisible());
        QCOMPARE(main->pos(), QPoint(0, 0));
        QCOMPARE(main->size(), QSize(1016, 722));
        QCOMPARE(f.dialogs.count(), 0);
        QCOMPARE(gUILanguage, QString());
        QCOMPARE(gMessages[0], QStringLiteral("Welcome"));
        QCOMPARE(gBackColor, -1);
        QCOMPARE(int(gFrameBorderX), 10);
        QVERIFY(gFrameBorderY >= 11 && gFrameBorderY <= 99);
        QCOMPARE(
            main->findChild<QAction *>(QStringLiteral("mnuFileNew"))->text(), QStringLiteral("&New Skin"));
        // Nothing is written before the program ends.
        QVERIFY(!QFile::exists(f.settingsPath()));

        // The place saved is the client area's, which the frame surrounds.
        const QRect client = main->geometry();
        QVERIFY(f.closeMain());
        QCOMPARE(MainWindowFixture::readFile(f.settingsPath()),
            "[Settings]\r\nState=0\r\nXPos=" + QByteArray::number(client.x()) + "\r\nYPos="
                + QByteArray::number(client.y()) + "\r\nWidth=1016\r\nHeight=722\r\n" + defaultPaletteLine()
                + "LastSkinPath=\r\nLangPath=\r\nLangFile=\r\nLanguage=\r\nBackGround=0\r\n");
    }

    void firstStartOffersTheGuide_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("program"); // the desktop has a program for the guide
        // clang-format off
        QTest::newRow("yes")            << int(dialogs::vbYes) << true;
        QTest::newRow("no")             << int(dialogs::vbNo)  << true;
        QTest::newRow("yes, no viewer") << int(dialogs::vbYes) << false;
        // clang-format on
    }

    void firstStartOffersTheGuide()
    {
        QFETCH(int, answer);
        QFETCH(bool, program);
        MainWindowFixture f;
        const QString guide = f.home.filePath(QStringLiteral("TVX_Morvane.pdf"));
        MainWindowFixture::writeFile(guide, "%PDF");
        f.dialogs.answerButton(answer);
        f.shell.setSucceeds(program);
        QVERIFY(f.start());
        QCOMPARE(f.dialogs.count(), program ? 1 : 2);
        const auto &question = f.dialogs.at(0);
        QCOMPARE(question.kind, DialogRecorder::Kind::MessageBox);
        QCOMPARE(question.prompt,
            QStringLiteral("It seems this is the first time you start the program.\n"
                           "Would you like to read the guide?"));
        QCOMPARE(question.title, QStringLiteral("Welcome"));
        QCOMPARE(question.style, dialogs::vbYesNo | dialogs::vbInformation);
        if (answer == dialogs::vbYes) {
            QCOMPARE(f.shell.count(), 1);
            QCOMPARE(f.shell.launches().at(0).url, QUrl::fromLocalFile(guide));
            if (!program)
                QVERIFY(f.dialogs.at(1).prompt.startsWith(
                    QStringLiteral("No program could open the file \"") + guide + QLatin1Char('"')));
        } else {
            QVERIFY((f.shell.count() == 0));
        }
    }

    void settingsRestoredAndWrittenBackUnchanged()
    {
        MainWindowFixture f;
        const QByteArray settings
            = "[Settings]\r\nState=0\r\nXPos=40\r\nYPos=30\r\nWidth=700\r\nHeight=500\r\n"
              "CustomPalette=1,2,3,0,4,5,6,0\r\nLastSkinPath=/skins/Blue/\r\n"
              "LangPath=/opt/tovix/Lang/\r\nLangFile=English.lng\r\nLanguage=Klingon\r\n"
              "BackGround=256\r\n";
        MainWindowFixture::writeFile(f.settingsPath(), settings);
        frmMain *main = f.start();
        QVERIFY(main);
        QCOMPARE(f.dialogs.count(), 0);
        QCOMPARE(main->geometry(), QRect(40, 30, 700, 500));
        QCOMPARE(gCustomPalette, QStringLiteral("1,2,3,0,4,5,6,0"));
        QCOMPARE(gLastSkinPath, QStringLiteral("/skins/Blue/"));
        QCOMPARE(gPlayerLangPath, QStringLiteral("/opt/tovix/Lang/"));
        QCOMPARE(gPlayerLangFile, QStringLiteral("English.lng"));
        // A language without a file keeps its name and the built-in texts.
        QCOMPARE(gUILanguage, QStringLiteral("Klingon"));
        QCOMPARE(gMessages[1], QStringLiteral("Information"));
        QCOMPARE(gBackColor, 255);
        // A file that holds what the exit writes is not written again.
        const QDateTime written(QDate(2001, 2, 3), QTime(4, 5, 6));
        QFile file(f.settingsPath());
        QVERIFY(
            file.open(QIODevice::ReadWrite) && file.setFileTime(written, QFileDevice::FileModificationTime));
        file.close();
        QVERIFY(f.closeMain());
        QCOMPARE(MainWindowFixture::readFile(f.settingsPath()), settings);
        QCOMPARE(QFileInfo(f.settingsPath()).lastModified(), written);

        // One of the same length that differs is.
        f.start()->setGeometry(41, 30, 700, 500);
        QVERIFY(f.closeMain());
        QCOMPARE(MainWindowFixture::readFile(f.settingsPath()),
            QByteArray(settings).replace("XPos=40", "XPos=41"));
    }

    void missingKeysReadEmpty()
    {
        MainWindowFixture f;
        MainWindowFixture::writeFile(
            f.settingsPath(), "[Settings]\r\nXPos=10\r\nYPos=40\r\nWidth=500\r\nHeight=400\r\n");
        QVERIFY(f.start());
        QCOMPARE(gCustomPalette, QString());
        QCOMPARE(gBackColor, -1);
        QVERIFY(f.closeMain());
        QCOMPARE(MainWindowFixture::readFile(f.settingsPath()),
            QByteArray("[Settings]\r\nState=0\r\nXPos=10\r\nYPos=40\r\nWidth=500\r\nHeight=400\r\n"
                       "CustomPalette=\r\nLastSkinPath=\r\nLangPath=\r\nLangFile=\r\nLanguage=\r\n"
                       "BackGround=0\r\n"));
    }

    // A close while minimised or maximised saves the place the window returns
    // to when restored; a window saved maximised is maximised there.
    void closedMinimisedOrMaximised_data()
    {
        QTest::addColumn<QByteArray>("startedAs"); // the State saved before
        QTest::addColumn<int>("closedAs"); // the window states added before the close
        QTest::addColumn<QByteArray>("written"); // the State the close saves
        // clang-format off
        QTest::newRow("minimised")                << QByteArray("0") << int(Qt::WindowMinimized) << QByteArray("0");
        QTest::newRow("maximised")                << QByteArray("0") << int(Qt::WindowMaximized) << QByteArray("2");
        QTest::newRow("started maximised")        << QByteArray("2") << int(Qt::WindowNoState)   << QByteArray("2");
        QTest::newRow("minimised from maximised") << QByteArray("2") << int(Qt::WindowMinimized) << QByteArray("0");
        // clang-format on
    }

    void closedMinimisedOrMaximised()
    {
        QFETCH(QByteArray, startedAs);
        QFETCH(int, closedAs);
        QFETCH(QByteArray, written);
        MainWindowFixture f;
        const QByteArray place = "\r\nXPos=50\r\nYPos=60\r\nWidth=700\r\nHeight=500\r\n";
        MainWindowFixture::writeFile(f.settingsPath(), "[Settings]\r\nState=" + startedAs + place);
        frmMain *main = f.start();
        QVERIFY(main);
        QCOMPARE(main->isMaximized(), startedAs == "2");
        main->setWindowState(main->windowState() | Qt::WindowStates(closedAs));
        QVERIFY(f.closeMain());
        const QByteArray lines = "[Settings]\r\nState=" + written + place;
        QCOMPARE(MainWindowFixture::readFile(f.settingsPath()).left(lines.size()), lines);

        frmMain *again = f.start();
        QVERIFY(again);
        QVERIFY(!again->isMinimized());
        QCOMPARE(again->isMaximized(), written == "2");
        again->showNormal();
        QCOMPARE(again->geometry(), QRect(50, 60, 700, 500));
    }

    // A place saved on another screen than the ones there now comes back onto
    // one, with its frame; a place on the screen stays. The close saves the
    // place the start gave.
    void savedPlaceOnTheScreen_data()
    {
        // The offscreen screen is 800 x 800; the allowance for the frame is 5
        // pixels at the sides and the foot and 29 above, for a title bar of 24.
        QTest::addColumn<QRect>("saved");
        QTest::addColumn<QRect>("placed");
        // clang-format off
        QTest::newRow("on the screen")          << QRect(40, 30, 700, 500)     << QRect(40, 30, 700, 500);
        QTest::newRow("off every screen")       << QRect(5000, 4000, 700, 500) << QRect(95, 295, 700, 500);
        QTest::newRow("above the screen")       << QRect(100, -300, 700, 500)  << QRect(95, 29, 700, 500);
        QTest::newRow("title bar above")        << QRect(50, 0, 700, 500)      << QRect(50, 29, 700, 500);
        QTest::newRow("larger than the screen") << QRect(0, 0, 3000, 2000)     << QRect(5, 29, 790, 766);
        // clang-format on
    }

    void savedPlaceOnTheScreen()
    {
        QFETCH(QRect, saved);
        QFETCH(QRect, placed);
        MainWindowFixture f;
        const auto placeLines = [](const QRect &r) {
            return "[Settings]\r\nState=0\r\nXPos=" + QByteArray::number(r.x())
                + "\r\nYPos=" + QByteArray::number(r.y()) + "\r\nWidth=" + QByteArray::number(r.width())
                + "\r\nHeight=" + QByteArray::number(r.height()) + "\r\n";
        };
        MainWindowFixture::writeFile(f.settingsPath(), placeLines(saved));
        frmMain *main = f.start();
        QVERIFY(main);
        QCOMPARE(main->geometry(), placed);
        QVERIFY(main->screen()->availableGeometry().contains(main->frameGeometry()));
        QVERIFY(f.closeMain());
        QVERIFY(MainWindowFixture::readFile(f.settingsPath()).startsWith(placeLines(placed)));
        // The place given stays at the next start.
        QCOMPARE(f.start()->geometry(), placed);
    }

    void savedLanguageChosenWithoutRegardToCase()
    {
        MainWindowFixture f;
        QVERIFY(f.home.writeLanguage(
            QStringLiteral("Italiano.lng"), "[TVX_Morvane]\r\nVersion=1\r\n[Menu]\r\n2=&Nuova skin\r\n"));
        QVERIFY(f.home.writeLanguage(QStringLiteral("Deutsch.lng"),
            "[TVX_Morvane]\r\nVersion=1\r\n[Menu]\r\n2=&Neuer Skin\r\n"
            "[Messages]\r\n2=Hinweis\r\n"));
        MainWindowFixture::writeFile(f.settingsPath(), "[Settings]\r\nLanguage=deutsch\r\n");
        frmMain *main = f.start();
        QVERIFY(main);
        QCOMPARE(main->mnuLanguageLng[0]->text(), QStringLiteral("Deutsch"));
        QVERIFY(main->mnuLanguageLng[0]->isChecked());
        QVERIFY(!main->mnuLanguageLng[1]->isChecked());
        // The item's own spelling becomes the language.
        QCOMPARE(gUILanguage, QStringLiteral("Deutsch"));
        QCOMPARE(main->mnuFileNew->text(), QStringLiteral("&Neuer Skin"));
        QCOMPARE(gMessages[1], QStringLiteral("Hinweis"));

        // Choosing another item moves the check mark and applies that language.
        main->mnuLanguageLng[1]->trigger();
        QVERIFY(!main->mnuLanguageLng[0]->isChecked());
        QVERIFY(main->mnuLanguageLng[1]->isChecked());
        QCOMPARE(gUILanguage, QStringLiteral("Italiano"));
        QCOMPARE(main->mnuFileNew->text(), QStringLiteral("&Nuova skin"));
        QCOMPARE(gMessages[1], QStringLiteral("Information"));
        QVERIFY(f.closeMain());
        QVERIFY(MainWindowFixture::readFile(f.settingsPath()).contains("\r\nLanguage=Italiano\r\n"));
    }

    void menuIconsAttached()
    {
        MainWindowFixture f;
        frmMain *main = f.start();
        QVERIFY(main);
        for (QAction *item :
            { main->mnuFileNew, main->mnuFileNewFS, main->mnuFileOpen, main->mnuFileClose, main->mnuFileSave,
                main->mnuLanguageChoose, main->mnuHelpGuide, main->mnuHelpLicense, main->mnuHelpAbout })
            QVERIFY2(!item->icon().isNull(), qPrintable(item->objectName()));
        QVERIFY(main->mnuFileExit->icon().isNull());
    }

    // The timing hook closes the program's own window once drawn, and no window
    // that anything else starts (the guide's screenshots keep using theirs).
    void closedWhenDrawnOnlyAsTheProgram()
    {
        MainWindowFixture f;
        qputenv("TVX_MORVANE_QUIT_WHEN_DRAWN", "1");
        QProcess program; // in the fixture's program folder
        program.start(QStringLiteral(TVX_PROGRAM), {});
        QVERIFY(program.waitForFinished(60000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QVERIFY(QFile::exists(f.settingsPath()));

        frmMain *main = f.start();
        qunsetenv("TVX_MORVANE_QUIT_WHEN_DRAWN");
        QVERIFY(main);
        QVERIFY(QTest::qWaitForWindowExposed(main));
        QTest::qWait(50);
        QVERIFY(f.main);
        QVERIFY(main->isVisible());
    }

    void aSecondCopyEndsAtOnce()
    {
        MainWindowFixture f;
        QLockFile other(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)
            + QStringLiteral("/TVX_Morvane.lock"));
        QVERIFY(other.tryLock(0));
        const int windows = QApplication::topLevelWidgets().size();
        QCOMPARE(f.start(), nullptr);
        QCOMPARE(QApplication::topLevelWidgets().size(), windows);
        QCOMPARE(f.dialogs.count(), 0);
        QVERIFY(!QFile::exists(f.settingsPath()));
        // The program itself, started as a second copy, ends at once and well.
        QProcess second;
        second.start(QStringLiteral(TVX_PROGRAM), {});
        QVERIFY(second.waitForFinished(60000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        other.unlock();
        // Once the other copy has gone, the editor starts.
        QVERIFY(f.start());
    }
};

QTEST_MAIN(tst_frmMain_startup)
#include "tst_frmMain_startup.moc"
