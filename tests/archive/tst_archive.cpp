#include "archive/ZipLibrary.h"
#include "archive/Zip_UnZip.h"
#include "support/MainWindowFixture.h"
#include "lang/Locale.h"
#include "platform/AppInfo.h"
#include "support/TestFiles.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

// Skin archives: hostile archives refused with nothing written, the extraction
// and creation dialogs driven through the main window, and Test Skin.
class tst_archive : public QObject
{
    Q_OBJECT

    QTemporaryDir m_made; // the archives the tests make, once

    static QString run(const QString &program, const QStringList &arguments, const QString &folder = {},
        int *exitCode = nullptr)
    {
        QProcess process;
        process.setWorkingDirectory(folder);
        process.start(program, arguments);
        process.waitForFinished(120000);
        if (exitCode)
            *exitCode = process.exitCode();
        return QString::fromLocal8Bit(process.readAllStandardOutput());
    }

    static void write(const QString &path, const QByteArray &bytes)
    {
        QDir().mkpath(QFileInfo(path).path());
        MainWindowFixture::writeFile(path, bytes);
    }

    static QStringList entriesOf(const QString &archive)
    {
        return run(QStringLiteral("unzip"), { QStringLiteral("-Z1"), archive })
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    template <typename T> static T *control(QDialog *form, const char *name)
    {
        T *found = form->template findChild<T *>(QLatin1String(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_made.isValid());
        int code = -1;
        run(QStringLiteral("python3"), { QFINDTESTDATA("make_hostile.py"), m_made.path() }, {}, &code);
        QCOMPARE(code, 0);
        // A skin archive with both kinds of skin at its root and one in a subfolder.
        const QString skin = m_made.filePath(QStringLiteral("skin"));
        write(skin + QStringLiteral("/Skin.ini"), "[Tovix.Skin]\r\nVersion=1.00\r\n");
        write(skin + QStringLiteral("/Skinfs.ini"), "[Tovix.Skin]\r\nVersion=1.00\r\n");
        write(skin + QStringLiteral("/main.bmp"), QByteArray(5000, 'm'));
        write(skin + QStringLiteral("/sub/Skinv1.ini"), "[Tovix.Skin]\r\n");
        run(QStringLiteral("zip"),
            { QStringLiteral("-qr"), m_made.filePath(QStringLiteral("Summer.tvk")), QStringLiteral(".") },
            skin, &code);
        QCOMPARE(code, 0);
        run(QStringLiteral("zip"),
            { QStringLiteral("-q"), QStringLiteral("-P"), QStringLiteral("secret"),
                m_made.filePath(QStringLiteral("encrypted.tvk")), QStringLiteral("Skin.ini"),
                QStringLiteral("main.bmp") },
            skin, &code);
        QCOMPARE(code, 0);
    }

    void hostileArchivesAreRefused_data()
    {
        QTest::addColumn<QString>("archive");
        // clang-format off
        QTest::newRow("traversal with /")  << "slash.tvk";
        QTest::newRow("traversal with \\") << "backslash.tvk";
        QTest::newRow("absolute name")     << "absolute.tvk";
        QTest::newRow("drive name")        << "drive.tvk";
        QTest::newRow("host name")         << "unc.tvk";
        QTest::newRow("link")              << "link.tvk";
        QTest::newRow("bomb")              << "bomb.tvk";
        QTest::newRow("10001 entries")     << "many.tvk";
        QTest::newRow("truncated")         << "truncated.tvk";
        QTest::newRow("damaged data")      << "damaged.tvk";
        QTest::newRow("wrong password")    << "encrypted.tvk";
        // clang-format on
    }

    void hostileArchivesAreRefused()
    {
        QFETCH(QString, archive);
        DialogRecorder dialogs;
        dialogs.setCallback([](const DialogRecorder::Request &) {
            DialogRecorder::Answer answer;
            answer.accepted = true;
            answer.text = QStringLiteral("wrong");
            return answer;
        });
        QTemporaryDir sandbox;
        const QString copy = sandbox.filePath(QStringLiteral("a.tvk"));
        QVERIFY(QFile::copy(m_made.filePath(archive), copy));

        gUnzipOptFlags.fill(0);
        gUnzipOptFlags[UnzipFlag::ndflag] = 1;
        gUnzipOptFlags[UnzipFlag::noflag] = 1;
        gUnzipArchiveName = copy;
        gUnzipExtractDir = sandbox.filePath(QStringLiteral("parent/target/"));
        RunUnzip();
        QVERIFY(gApiResult != 0);
        QVERIFY(!gArchiveDiagnostic.isEmpty());
        QCOMPARE(QDir(sandbox.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList { QStringLiteral("a.tvk") });
        QVERIFY(!QFile::exists(QStringLiteral("/tmp/tvx_archive_evil.txt")));
        if (archive == QLatin1String("encrypted.tvk")) {
            QCOMPARE(dialogs.count(DialogRecorder::Kind::InputBox), ziplib::kPasswordTries);
            QCOMPARE(dialogs.at(0).prompt, QStringLiteral("Please Enter The Password!"));
            QVERIFY(dialogs.at(0).hiddenText);
            // A cancelled prompt refuses this run only; the next run asks again,
            // and the right password opens it.
            dialogs.setCallback({});
            dialogs.cancel();
            RunUnzip();
            QCOMPARE(gApiResult, int(ziplib::UnzipBadPassword));
            dialogs.acceptText(QStringLiteral("secret"));
            RunUnzip();
            QCOMPARE(gApiResult, 0);
            QCOMPARE(testfiles::read(sandbox.filePath(QStringLiteral("parent/target/main.bmp"))),
                QByteArray(5000, 'm'));
        }
    }

    void openRoadRefusesAHostileArchive()
    {
        MainWindowFixture f;
        f.start();
        const QString archive = f.skins.filePath(QStringLiteral("evil.tvk"));
        QVERIFY(QFile::copy(m_made.filePath(QStringLiteral("slash.tvk")), archive));
        f.main->OpenRoad(archive);
        QCOMPARE(f.dialogs.count(), 1);
        QVERIFY(f.dialogs.at(0).prompt.startsWith(gMessages[88] + QString::number(ziplib::UnzipRefused)
            + QLatin1Char('\n') + gMessages[96] + QLatin1Char('\n')));
        QVERIFY(f.dialogs.at(0).prompt.contains(QStringLiteral("outside the extraction folder")));
        QVERIFY(gSkinFile.isEmpty());
    }

    void extractionChoices_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<bool>("ownFolder");
        QTest::addColumn<bool>("browse");
        QTest::addColumn<QString>("skinFile"); // relative to the base folder
        // clang-format off
        QTest::newRow("window skin")      << 0 << true  << false << "Summer/Skin.ini";
        QTest::newRow("full-screen skin") << 1 << true  << false << "Summer/Skinfs.ini";
        QTest::newRow("no own folder")    << 0 << false << false << "Skin.ini";
        QTest::newRow("browsed folder")   << 1 << true  << true  << "Summer/Skinfs.ini";
        // clang-format on
    }

    void extractionChoices()
    {
        QFETCH(int, option);
        QFETCH(bool, ownFolder);
        QFETCH(bool, browse);
        QFETCH(QString, skinFile);
        MainWindowFixture f;
        f.start();
        const QString archive = f.skins.filePath(QStringLiteral("Summer.tvk"));
        QVERIFY(QFile::copy(m_made.filePath(QStringLiteral("Summer.tvk")), archive));
        QTemporaryDir browsed;
        const QString base = browse ? browsed.path() + QLatin1Char('/') : f.skins.path() + QLatin1Char('/');

        f.dialogs.answerForm([&](QDialog *form) {
            QVERIFY(control<QRadioButton>(form, "optTVKSkinType_0")->isChecked());
            QVERIFY(control<QRadioButton>(form, "optTVKSkinType_1")->isEnabled());
            QCOMPARE(control<QCheckBox>(form, "ckTVKSkinName")->text(),
                QStringLiteral("Create a folder with SkinName \"Summer\""));
            if (browse)
                control<QPushButton>(form, "cmdTVKBrowse")->click();
            control<QCheckBox>(form, "ckTVKSkinName")->setChecked(ownFolder);
            control<QRadioButton>(form, option == 0 ? "optTVKSkinType_0" : "optTVKSkinType_1")->click();
            control<QPushButton>(form, "cmdTVKExtrac")->click();
        });
        f.dialogs.acceptFolder(browsed.path());
        f.main->OpenRoad(archive);

        QCOMPARE(gSkinFile, base + skinFile);
        QCOMPARE(gFullScreenSkin, option == 1);
        QCOMPARE(gSkinFolder, QFileInfo(base + skinFile).path() + QLatin1Char('/'));
        QCOMPARE(gLastSkinPath, gSkinFolder);
        QCOMPARE(testfiles::read(gSkinFolder + QStringLiteral("main.bmp")), QByteArray(5000, 'm'));
        QVERIFY(QFile::exists(gSkinFolder + QStringLiteral("sub/Skinv1.ini")));
        QCOMPARE(
            QDir(gSkinFolder).entryList(QDir::Hidden | QDir::Files).filter(QStringLiteral(".tvk-")).size(),
            0);
    }

    void relativeCommandLineArchive()
    {
        MainWindowFixture f;
        QVERIFY(QFile::copy(
            m_made.filePath(QStringLiteral("Summer.tvk")), f.skins.filePath(QStringLiteral("Summer.tvk"))));
        const QString before = QDir::currentPath();
        QDir::setCurrent(f.skins.path());
        f.dialogs.answerForm([](QDialog *form) { control<QPushButton>(form, "cmdTVKExtrac")->click(); });
        f.start({ QStringLiteral("Summer.tvk") });
        QDir::setCurrent(before);
        QCOMPARE(gSkinFile, f.skins.filePath(QStringLiteral("Summer/Skin.ini")));
    }

    void creation()
    {
        MainWindowFixture f;
        const QString folder = f.skins.filePath(QStringLiteral("Blue"));
        write(folder + QStringLiteral("/Skin.ini"), "[Tovix.Skin]\r\nVersion=1.00\r\n");
        write(folder + QStringLiteral("/a.bmp"), QByteArray(3000, 'a'));
        write(folder + QStringLiteral("/b.bmp"), QByteArray(3000, 'b'));
        write(folder + QStringLiteral("/sub/c.bmp"), QByteArray(3000, 'c'));
        frmMain *main = f.start({ folder + QStringLiteral("/Skin.ini") });
        QCOMPARE(gSkinFile, folder + QStringLiteral("/Skin.ini"));

        // An old archive of the same name is replaced, not merged.
        const QString archive = f.skins.filePath(QStringLiteral("Blue.tvk"));
        int code = -1;
        run(QStringLiteral("zip"), { QStringLiteral("-q"), archive, QStringLiteral("b.bmp") }, folder, &code);
        QCOMPARE(code, 0);
        f.dialogs.clear();
        f.dialogs.answerForm([&](QDialog *form) {
            QCOMPARE(control<QPushButton>(form, "cmdTVKSelectAll")->toolTip(), QStringLiteral("3 files"));
            control<QPushButton>(form, "cmdTVKSelectNone")->click();
            auto *list = control<QListWidget>(form, "lstTVKSkinFiles");
            list->item(0)->setCheckState(Qt::Checked); // a.bmp
            list->item(2)->setCheckState(Qt::Unchecked); // Skin.ini stays checked
            control<QPushButton>(form, "cmdTVKBrowse")->click();
            control<QPushButton>(form, "cmdTVKCreate")->click();
        });
        f.dialogs.acceptFile(archive);
        main->mnuFileCreateTVK_Click();
        QCOMPARE(f.dialogs.messages().last(), gMessages[20] + QStringLiteral("Blue.tvk") + gMessages[21]);
        QCOMPARE(entriesOf(archive), (QStringList { QStringLiteral("a.bmp"), QStringLiteral("Skin.ini") }));
        run(QStringLiteral("unzip"), { QStringLiteral("-tq"), archive }, {}, &code);
        QCOMPARE(code, 0);

        // With subfolders, into the skin folder itself: never holds itself.
        const QString inside = folder + QStringLiteral("/Self.tvk");
        write(inside, "old");
        f.dialogs.answerForm([&](QDialog *form) {
            control<QCheckBox>(form, "ckTVKRecurseSubFolders")->setChecked(true);
            QVERIFY(!control<QListWidget>(form, "lstTVKSkinFiles")->isEnabled());
            control<QPushButton>(form, "cmdTVKBrowse")->click();
            control<QPushButton>(form, "cmdTVKCreate")->click();
        });
        f.dialogs.acceptFile(inside);
        main->mnuFileCreateTVK_Click();
        QStringList all = entriesOf(inside);
        all.sort();
        QCOMPARE(all,
            (QStringList { QStringLiteral("Skin.ini"), QStringLiteral("a.bmp"), QStringLiteral("b.bmp"),
                QStringLiteral("sub/c.bmp") }));
        run(QStringLiteral("unzip"), { QStringLiteral("-tq"), inside }, {}, &code);
        QCOMPARE(code, 0);

        // Unsaved changes, and a new skin never saved, are refused before the dialog.
        for (bool neverSaved : { false, true }) {
            gSkinChanged = !neverSaved;
            if (neverSaved)
                gSkinFile = folder + QStringLiteral("/new/Skin.ini");
            f.dialogs.clear();
            main->mnuFileCreateTVK_Click();
            QCOMPARE(f.dialogs.messages(), QStringList { gMessages[18] + QLatin1Char('\n') + gMessages[19] });
            QCOMPARE(f.dialogs.count(DialogRecorder::Kind::ModalForm), 0);
        }
        gSkinChanged = false;
    }

    void testSkin_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QByteArray>("registeredFor"); // whose classes hold the verb: "machine", "user", ""
        QTest::addColumn<int>("message"); // first message slot of the refusal; -1 tests the skin
        // clang-format off
        QTest::newRow("player and verb")        << true  << QByteArray("machine") << -1;
        QTest::newRow("for the current user only") << true << QByteArray("user")  << -1;
        QTest::newRow("no player")              << false << QByteArray("machine") << 24;
        QTest::newRow("no verb")                << true  << QByteArray()          << 26;
        // clang-format on
    }

    void testSkin()
    {
        QFETCH(bool, installed);
        QFETCH(QByteArray, registeredFor);
        QFETCH(int, message);
        MainWindowFixture f;
        shell::setLauncher({}); // the registered command really runs
        QTemporaryDir registry;
        qputenv("TVX_MORVANE_REGISTRY", QFile::encodeName(registry.path()));
        const QString player = registry.filePath(QStringLiteral("Player"));
        QDir().mkpath(player);
        const QString script = registry.filePath(QStringLiteral("player.sh"));
        const QString record = registry.filePath(QStringLiteral("argument.txt"));
        write(script, "#!/bin/sh\nprintf '%s' \"$1\" > '" + QFile::encodeName(record) + "'\n");
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QByteArray classes = "[Software\\Classes\\TVX.SkinZip\\shell\\Play\\command]\n@=\""
            + QFile::encodeName(script) + "\" \"%1\"\n";
        const bool userOnly = registeredFor == "user";
        write(registry.filePath(QStringLiteral("registry-hkcu.ini")),
            "[Software\\KRW\\rezori1]\nAppPath="
                + (installed ? QFile::encodeName(player) : QByteArray("/nowhere")) + "\n"
                + (userOnly ? "[Software\\Classes\\TVX.SkinZip\\shell]\n@=Play\n" + classes : QByteArray()));
        // A player set up for the current user only leaves no machine-wide entry at all.
        QByteArray machine;
        if (registeredFor == "machine")
            machine = "[SOFTWARE\\CLASSES\\TVX.SkinZip\\Shell]\n@=Play\n";
        if (!userOnly)
            machine += classes;
        write(registry.filePath(QStringLiteral("registry-hklm.ini")), machine);
        ini::clearCache();

        const QString folder = f.skins.filePath(QStringLiteral("Red"));
        write(folder + QStringLiteral("/Skin.ini"), "[Tovix.Skin]\r\nVersion=1.00\r\n");
        frmMain *main = f.start({ folder + QStringLiteral("/Skin.ini") });
        const QString archive = f.skins.filePath(QStringLiteral("Red test.tvk"));
        f.dialogs.clear();
        f.dialogs.answerButton(dialogs::vbOK);
        f.dialogs.answerForm([](QDialog *form) {
            control<QPushButton>(form, "cmdTVKBrowse")->click();
            control<QPushButton>(form, "cmdTVKCreate")->click();
        });
        f.dialogs.acceptFile(archive);
        main->mnuFileTestSkin_Click();
        qunsetenv("TVX_MORVANE_REGISTRY");
        ini::clearCache();

        if (message >= 0) {
            QCOMPARE(f.dialogs.messages(),
                QStringList {
                    gMessages[size_t(message)] + QLatin1Char('\n') + gMessages[size_t(message) + 1] });
            QCOMPARE(f.dialogs.last().title, app::title() + QStringLiteral(" - ") + gMessages[8]);
            QVERIFY(!QFile::exists(archive));
            return;
        }
        QCOMPARE(f.dialogs.messages(), QStringList { gMessages[28] + QLatin1Char('\n') + gMessages[29] });
        QTRY_COMPARE(testfiles::read(record), QFile::encodeName(archive));
        QCOMPARE(entriesOf(archive), QStringList { QStringLiteral("Skin.ini") });
    }
};

QTEST_MAIN(tst_archive)
#include "tst_archive.moc"
