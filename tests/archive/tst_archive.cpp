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
#include <QDirIterator>
#include <QFileInfo>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <sys/stat.h>

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

    // Every entry under folder, relative and sorted; links are not followed.
    static QStringList treeOf(const QString &folder)
    {
        QStringList found;
        QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
            QDirIterator::Subdirectories);
        while (it.hasNext())
            found << QDir(folder).relativeFilePath(it.next());
        found.sort();
        return found;
    }

    template <typename T> static T *control(QDialog *form, const char *name)
    {
        T *found = form->template findChild<T *>(QLatin1String(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }

    // What the extraction folder held before the run.
    enum Prepared { Nothing, OldSkinIni, FolderLinkedToSibling };

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

    void extractionOutcomes_data()
    {
        QTest::addColumn<QString>("archive"); // made by the tests, or in the tests' data
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("prepared");
        QTest::addColumn<QStringList>("left"); // in the extraction folder afterwards, as in "intact"
        const QStringList none;
        const QStringList skin { QStringLiteral("Skin.ini"), QStringLiteral("main.bmp") };
        // clang-format off
        QTest::newRow("traversal with /")  << "slash.tvk"     << 3  << int(Nothing) << none;
        QTest::newRow("traversal with \\") << "backslash.tvk" << 3  << int(Nothing) << none;
        QTest::newRow("absolute name")     << "absolute.tvk"  << 3  << int(Nothing) << none;
        QTest::newRow("drive name")        << "drive.tvk"     << 3  << int(Nothing) << none;
        QTest::newRow("host name")         << "unc.tvk"       << 3  << int(Nothing) << none;
        QTest::newRow("link")              << "link.tvk"      << 3  << int(Nothing) << none;
        QTest::newRow("bomb")              << "bomb.tvk"      << 3  << int(Nothing) << none;
        QTest::newRow("10001 entries")     << "many.tvk"      << 3  << int(Nothing) << none;
        QTest::newRow("two entries over the bound together") << "together.tvk" << 3 << int(Nothing) << none;
        QTest::newRow("truncated")         << "truncated.tvk" << 9  << int(Nothing) << none;
        QTest::newRow("damaged data")      << "damaged.tvk"   << 2  << int(Nothing) << none;
        QTest::newRow("wrong password")    << "encrypted.tvk" << 82 << int(Nothing) << none;
        QTest::newRow("name part over 255 bytes")    << "long.tvk" << 3  << int(Nothing) << none;
        QTest::newRow("path over the system's limit") << "deep.tvk" << 50 << int(OldSkinIni)
            << QStringList { QStringLiteral("Skin.ini") };
        QTest::newRow("folder linked to a sibling")  << "Summer.tvk" << 50 << int(FolderLinkedToSibling)
            << QStringList { QStringLiteral("sub") };
        QTest::newRow("entry stored from a pipe")    << "pipe.tvk"   << 0  << int(Nothing)
            << QStringList { QStringLiteral("-"), QStringLiteral("Skin.ini") };
        QTest::newRow("wrong password passing the check, stored")
            << "data/checkbyte_stored.tvk"   << 82 << int(Nothing) << none;
        QTest::newRow("wrong password passing the check, deflated")
            << "data/checkbyte_deflated.tvk" << 82 << int(Nothing) << none;
        QTest::newRow("newline after the end")         << "newline.tvk"       << 0  << int(Nothing) << skin;
        QTest::newRow("comment shorter than stated")   << "comment_short.tvk" << 0  << int(Nothing) << skin;
        QTest::newRow("comment longer than stated")    << "comment_long.tvk"  << 0  << int(Nothing) << skin;
        QTest::newRow("another date in the directory") << "date.tvk"          << 0  << int(Nothing) << skin;
        QTest::newRow("other extra fields in the local header") << "extra.tvk" << 0 << int(Nothing) << skin;
        QTest::newRow("CRC failing after a file was read") << "crc.tvk"       << 2  << int(Nothing) << none;
        QTest::newRow("less data than declared")       << "short.tvk"         << 2  << int(Nothing) << none;
        QTest::newRow("a name stored twice")           << "twice.tvk"         << 2  << int(Nothing) << none;
        QTest::newRow("split into parts")              << "split.tvk"         << 81 << int(Nothing) << none;
        // clang-format on
    }

    void extractionOutcomes()
    {
        QFETCH(QString, archive);
        QFETCH(int, code);
        QFETCH(int, prepared);
        QFETCH(QStringList, left);
        DialogRecorder dialogs;
        dialogs.setCallback([](const DialogRecorder::Request &) {
            DialogRecorder::Answer answer;
            answer.accepted = true;
            answer.text = QStringLiteral("wrong");
            return answer;
        });
        QTemporaryDir sandbox;
        const QString copy = sandbox.filePath(QStringLiteral("a.tvk"));
        QVERIFY(QFile::copy(
            archive.startsWith(QLatin1String("data/")) ? QFINDTESTDATA(archive) : m_made.filePath(archive),
            copy));
        // "skins2" beside "skins": a prefix of the folder's path that is not the folder.
        const QString target = sandbox.filePath(QStringLiteral("parent/skins/"));
        const QString sibling = sandbox.filePath(QStringLiteral("parent/skins2"));
        if (prepared == OldSkinIni)
            write(target + QStringLiteral("Skin.ini"), "old");
        if (prepared == FolderLinkedToSibling) {
            QVERIFY(QDir().mkpath(sibling) && QDir().mkpath(target));
            QVERIFY(QFile::link(sibling, target + QStringLiteral("sub")));
        }

        gUnzipOptFlags.fill(0);
        gUnzipOptFlags[UnzipFlag::ndflag] = 1;
        gUnzipOptFlags[UnzipFlag::noflag] = 1;
        gUnzipArchiveName = copy;
        gUnzipExtractDir = target;
        RunUnzip();
        QCOMPARE(gApiResult, code);
        QCOMPARE(gArchiveDiagnostic.isEmpty(), code == 0);
        QStringList expected { QStringLiteral("a.tvk") };
        if (!left.isEmpty())
            expected << QStringLiteral("parent") << QStringLiteral("parent/skins");
        for (const QString &name : left)
            expected << QStringLiteral("parent/skins/") + name;
        if (prepared == FolderLinkedToSibling)
            expected << QStringLiteral("parent/skins2");
        expected.sort();
        QCOMPARE(treeOf(sandbox.path()), expected);
        QVERIFY(!QFile::exists(QStringLiteral("/tmp/tvx_archive_evil.txt")));
        if (prepared == OldSkinIni)
            QCOMPARE(testfiles::read(target + QStringLiteral("Skin.ini")), QByteArray("old"));
        if (code == 0) {
            for (const QString &name : left) {
                QVERIFY(QFileInfo(target + name).isFile());
                QCOMPARE(testfiles::read(target + name),
                    testfiles::read(m_made.filePath(QStringLiteral("intact/") + name)));
            }
        }
        if (code == ziplib::UnzipBadPassword) {
            QCOMPARE(dialogs.count(DialogRecorder::Kind::InputBox), ziplib::kPasswordTries);
            QCOMPARE(dialogs.at(0).prompt, QStringLiteral("Please Enter The Password!"));
            QVERIFY(dialogs.at(0).hiddenText);
            // A cancelled prompt refuses this run only; the next run asks again,
            // and after a wrong password the right one opens it.
            dialogs.setCallback({});
            dialogs.cancel();
            RunUnzip();
            QCOMPARE(gApiResult, int(ziplib::UnzipBadPassword));
            dialogs.clear();
            dialogs.acceptText(QStringLiteral("wrong"));
            dialogs.acceptText(QStringLiteral("secret"));
            RunUnzip();
            QCOMPARE(gApiResult, 0);
            QCOMPARE(dialogs.count(DialogRecorder::Kind::InputBox), 2);
            QVERIFY(testfiles::read(target + QStringLiteral("Skin.ini"))
                        .startsWith("[Tovix.Skin]\r\nVersion=1.00\r\n"));
        }
    }

    // The name lists hold 100 names: a larger count is a bad parameter, never read past.
    void countsBeyondTheNameListAreRefused()
    {
        gZipArgc = 101;
        gZipArchiveName = m_made.filePath(QStringLiteral("never.tvk"));
        QCOMPARE(RunZip(), int(ziplib::ZipBadArgument));
        gUnzipOptFlags.fill(0);
        gUnzipOptFlags[UnzipFlag::nvflag] = 1;
        gUnzipArchiveName = m_made.filePath(QStringLiteral("Summer.tvk"));
        for (int32_t *count : { &gUnzipFileCount, &gUnzipExcludeCount }) {
            *count = 101;
            RunUnzip();
            *count = 0;
            QCOMPARE(gApiResult, int(ziplib::UnzipBadParameters));
        }
    }

    // libzip is opened only when an archive is first made or read. Where it cannot
    // be opened (run again with a broken one first on the library path), both
    // sides say so and nothing is written.
    void withoutTheZipLibrary()
    {
        if (qEnvironmentVariableIsEmpty("TVX_BROKEN_LIBZIP")) {
            QTemporaryDir broken;
            write(broken.filePath(QStringLiteral("libzip.so.4")), "not a library");
            QProcess child;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("LD_LIBRARY_PATH"), broken.path());
            environment.insert(QStringLiteral("TVX_BROKEN_LIBZIP"), QStringLiteral("1"));
            child.setProcessEnvironment(environment);
            child.start(QCoreApplication::applicationFilePath(), { QStringLiteral("withoutTheZipLibrary") });
            QVERIFY(child.waitForFinished(60000));
            QVERIFY2(child.exitCode() == 0, child.readAllStandardOutput().constData());
            return;
        }
        MainWindowFixture f;
        f.start();
        gZipArgc = 0;
        gZipArchiveName = f.skins.filePath(QStringLiteral("never.tvk"));
        QCOMPARE(RunZip(), 1);
        QCOMPARE(f.dialogs.messages(), QStringList { gMessages[94] + QLatin1Char('\n') + gMessages[95] });
        const QString copy = f.skins.filePath(QStringLiteral("Summer.tvk"));
        QVERIFY(QFile::copy(m_made.filePath(QStringLiteral("Summer.tvk")), copy));
        f.dialogs.clear();
        f.main->OpenRoad(copy);
        QCOMPARE(f.dialogs.messages().size(), 1);
        QVERIFY(f.dialogs.messages().at(0).startsWith(gMessages[88] + QStringLiteral("2\n")));
        QVERIFY(f.dialogs.messages().at(0).contains(QStringLiteral("libzip.so.4 cannot be loaded")));
        QCOMPARE(treeOf(f.skins.path()), QStringList { QStringLiteral("Summer.tvk") });
    }

    void openRoadRefusesAHostileArchive_data()
    {
        QTest::addColumn<QString>("archive");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("why");
        // clang-format off
        QTest::newRow("refused when listed")     << "slash.tvk" << 3  << "outside the extraction folder";
        QTest::newRow("failing while extracted") << "deep.tvk"  << 50 << "cannot be written";
        // clang-format on
    }

    void openRoadRefusesAHostileArchive()
    {
        QFETCH(QString, archive);
        QFETCH(int, code);
        QFETCH(QString, why);
        MainWindowFixture f;
        f.start();
        const QString copy = f.skins.filePath(QStringLiteral("evil.tvk"));
        QVERIFY(QFile::copy(m_made.filePath(archive), copy));
        if (code == ziplib::UnzipDisk) {
            f.dialogs.answerForm([](QDialog *form) {
                control<QPushButton>(form, "cmdTVKExtrac")->click();
                QVERIFY(!form->isVisible()); // closed by the failure, no retry
            });
        }
        f.main->OpenRoad(copy);
        QCOMPARE(f.dialogs.messages().size(), 1);
        QVERIFY(f.dialogs.messages().at(0).startsWith(
            gMessages[88] + QString::number(code) + QLatin1Char('\n') + gMessages[96] + QLatin1Char('\n')));
        QVERIFY(f.dialogs.messages().at(0).contains(why));
        QVERIFY(gSkinFile.isEmpty());
        QCOMPARE(treeOf(f.skins.path()), QStringList { QStringLiteral("evil.tvk") });
    }

    void extractionChoices_data()
    {
        QTest::addColumn<QString>("title"); // of the archive
        QTest::addColumn<int>("option");
        QTest::addColumn<bool>("ownFolder");
        QTest::addColumn<bool>("browse");
        QTest::addColumn<int>("replace"); // the answer to the replace question; 0: not asked
        QTest::addColumn<QString>("skinFile"); // relative to the base folder
        // clang-format off
        QTest::newRow("window skin")        << "Summer.tvk" << 0 << true  << false << 0 << "Summer/Skin.ini";
        QTest::newRow("full-screen skin")   << "Summer.tvk" << 1 << true  << false << 0 << "Summer/Skinfs.ini";
        QTest::newRow("no own folder")      << "Summer.tvk" << 0 << false << false << 0 << "Skin.ini";
        QTest::newRow("browsed folder")     << "Summer.tvk" << 1 << true  << true  << 0 << "Summer/Skinfs.ini";
        QTest::newRow("archive named ...tvk") << "...tvk"   << 0 << true  << false << 0 << "Skin/Skin.ini";
        QTest::newRow("over the skin, Yes") << "Summer.tvk" << 0 << true  << false << int(dialogs::vbYes)
                                            << "Summer/Skin.ini";
        QTest::newRow("over the skin, No")  << "Summer.tvk" << 0 << true  << false << int(dialogs::vbNo)
                                            << "Summer/Skin.ini";
        // clang-format on
    }

    void extractionChoices()
    {
        QFETCH(QString, title);
        QFETCH(int, option);
        QFETCH(bool, ownFolder);
        QFETCH(bool, browse);
        QFETCH(int, replace);
        QFETCH(QString, skinFile);
        MainWindowFixture f;
        f.start();
        const QString archive = f.skins.filePath(title);
        QVERIFY(QFile::copy(m_made.filePath(QStringLiteral("Summer.tvk")), archive));
        QTemporaryDir browsed;
        const QString base = browse ? browsed.path() + QLatin1Char('/') : f.skins.path() + QLatin1Char('/');
        if (replace)
            write(base + skinFile, "old");
        f.dialogs.clear();

        f.dialogs.answerForm([&](QDialog *form) {
            QVERIFY(control<QRadioButton>(form, "optTVKSkinType_0")->isChecked());
            QVERIFY(control<QRadioButton>(form, "optTVKSkinType_1")->isEnabled());
            QCOMPARE(control<QCheckBox>(form, "ckTVKSkinName")->text(),
                QStringLiteral("Create a folder with SkinName \"%1\"")
                    .arg(ownFolder ? skinFile.section(QLatin1Char('/'), 0, 0) : QStringLiteral("Summer")));
            if (browse)
                control<QPushButton>(form, "cmdTVKBrowse")->click();
            control<QCheckBox>(form, "ckTVKSkinName")->setChecked(ownFolder);
            control<QRadioButton>(form, option == 0 ? "optTVKSkinType_0" : "optTVKSkinType_1")->click();
            control<QPushButton>(form, "cmdTVKExtrac")->click();
            QCOMPARE(form->isVisible(), replace == dialogs::vbNo);
        });
        if (browse)
            f.dialogs.acceptFolder(browsed.path());
        if (replace)
            f.dialogs.answerButton(replace);
        f.main->OpenRoad(archive);

        // Only files that exist are worth a question.
        QCOMPARE(f.dialogs.count(DialogRecorder::Kind::MessageBox), replace ? 1 : 0);
        if (replace) {
            QCOMPARE(f.dialogs.messages().at(0),
                QStringLiteral("Files of the archive already exist in \"") + QFileInfo(base + skinFile).path()
                    + QStringLiteral("/\".\nDo you want to replace them?"));
        }
        if (replace == dialogs::vbNo) {
            QVERIFY(gSkinFile.isEmpty());
            QCOMPARE(testfiles::read(base + skinFile), QByteArray("old"));
            QCOMPARE(treeOf(QFileInfo(base + skinFile).path()), QStringList { QStringLiteral("Skin.ini") });
            return;
        }
        QCOMPARE(gSkinFile, base + skinFile);
        QCOMPARE(testfiles::read(gSkinFile), QByteArray("[Tovix.Skin]\r\nVersion=1.00\r\n"));
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
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/empty")));
        QVERIFY(QFile::link(QStringLiteral("a.bmp"), folder + QStringLiteral("/x"))); // packed as a.bmp
        frmMain *main = f.start({ folder + QStringLiteral("/Skin.ini") });
        QCOMPARE(gSkinFile, folder + QStringLiteral("/Skin.ini"));

        // An old archive of the same name is replaced, not merged.
        const QString archive = f.skins.filePath(QStringLiteral("Blue.tvk"));
        int code = -1;
        run(QStringLiteral("zip"), { QStringLiteral("-q"), archive, QStringLiteral("b.bmp") }, folder, &code);
        QCOMPARE(code, 0);
        f.dialogs.clear();
        f.dialogs.answerForm([&](QDialog *form) {
            QCOMPARE(control<QPushButton>(form, "cmdTVKSelectAll")->toolTip(), QStringLiteral("4 files"));
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

        // With subfolders, into the skin folder itself: never holds itself, and
        // holds each subfolder as a folder entry, so that empty ones are kept.
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
                QStringLiteral("empty/"), QStringLiteral("sub/"), QStringLiteral("sub/c.bmp"),
                QStringLiteral("x") }));
        run(QStringLiteral("unzip"), { QStringLiteral("-tq"), inside }, {}, &code);
        QCOMPARE(code, 0);
        QCOMPARE(run(QStringLiteral("unzip"), { QStringLiteral("-p"), inside, QStringLiteral("x") }),
            QString(3000, QLatin1Char('a')));

        // A link out of the skin folder, a link to a folder while recursing and a
        // pipe refuse the archive by name; the archive already there stays.
        const QString outside = f.skins.filePath(QStringLiteral("outside.bmp"));
        write(outside, "outside");
        const QString special = folder + QStringLiteral("/y");
        for (int kind = 0; kind < 3; ++kind) {
            QFile::remove(special);
            QVERIFY(kind == 2 ? ::mkfifo(QFile::encodeName(special).constData(), 0644) == 0
                              : QFile::link(kind == 0 ? outside : folder, special));
            f.dialogs.clear();
            f.dialogs.answerForm([&](QDialog *form) {
                control<QCheckBox>(form, "ckTVKRecurseSubFolders")->setChecked(kind > 0);
                control<QPushButton>(form, "cmdTVKBrowse")->click();
                control<QPushButton>(form, "cmdTVKCreate")->click();
            });
            f.dialogs.acceptFile(archive);
            main->mnuFileCreateTVK_Click();
            QCOMPARE(f.dialogs.messages().size(), 1);
            QVERIFY(f.dialogs.messages().at(0).startsWith(
                gMessages[88] + QStringLiteral("18\n") + gMessages[112]));
            QVERIFY(f.dialogs.messages().at(0).contains(QLatin1Char('"') + special + QLatin1Char('"')));
            QCOMPARE(
                entriesOf(archive), (QStringList { QStringLiteral("a.bmp"), QStringLiteral("Skin.ini") }));
        }

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
        // whose classes hold the verb: "machine", "user", "" or "verb only"
        // (the machine's, with no command under it)
        QTest::addColumn<QByteArray>("registeredFor");
        QTest::addColumn<int>("message"); // first message slot of the refusal; -1 tests the skin
        QTest::addColumn<bool>("runs"); // the program of the registered command is there
        QTest::addColumn<QByteArray>("command"); // as written in the file; none: the player's
        // clang-format off
        QTest::newRow("player and verb")        << true  << QByteArray("machine") << -1 << true << QByteArray();
        QTest::newRow("for the current user only") << true << QByteArray("user")  << -1 << true << QByteArray();
        QTest::newRow("no player")              << false << QByteArray("machine") << 24 << true << QByteArray();
        QTest::newRow("no verb")                << true  << QByteArray()          << 26 << true << QByteArray();
        QTest::newRow("verb without a command") << true  << QByteArray("verb only") << 26 << true << QByteArray();
        QTest::newRow("player since removed")   << true  << QByteArray("machine") << -1 << false << QByteArray();
        QTest::newRow("an empty command")       << true  << QByteArray("machine") << 26 << true << QByteArray("\"\"");
        QTest::newRow("a quoted blank program") << true  << QByteArray("machine") << 26 << true << QByteArray("\"  \" \"%1\"");
        QTest::newRow("an empty program")       << true  << QByteArray("machine") << 26 << true << QByteArray("\"\" \"%1\"");
        // clang-format on
    }

    void testSkin()
    {
        QFETCH(bool, installed);
        QFETCH(QByteArray, registeredFor);
        QFETCH(int, message);
        QFETCH(bool, runs);
        QFETCH(QByteArray, command);
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
        if (!runs)
            QFile::remove(script);
        if (command.isNull())
            command = "\"" + QFile::encodeName(script) + "\" \"%1\"";
        const QByteArray classes
            = "[Software\\Classes\\TVX.SkinZip\\shell\\Play\\command]\n@=" + command + "\n";
        const bool userOnly = registeredFor == "user";
        write(registry.filePath(QStringLiteral("registry-hkcu.ini")),
            "[Software\\KRW\\rezori1]\nAppPath="
                + (installed ? QFile::encodeName(player) : QByteArray("/nowhere")) + "\n"
                + (userOnly ? "[Software\\Classes\\TVX.SkinZip\\shell]\n@=Play\n" + classes : QByteArray()));
        // A player set up for the current user only leaves no machine-wide entry at all.
        QByteArray machine;
        if (registeredFor == "machine" || registeredFor == "verb only")
            machine = "[SOFTWARE\\CLASSES\\TVX.SkinZip\\Shell]\n@=Play\n";
        if (!userOnly && registeredFor != "verb only")
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
        const QString announced = gMessages[28] + QLatin1Char('\n') + gMessages[29];
        if (!runs) {
            QCOMPARE(f.dialogs.messages(),
                (QStringList { announced,
                    QStringLiteral("Tovix could not be started: the program \"") + script
                        + QStringLiteral("\" that it registered for TVK files could not be run.\n"
                                         "The skin was compressed into \"")
                        + archive
                        + QStringLiteral(
                            "\". To fix this you can try reinstalling Tovix and then retry.") }));
            QCOMPARE(f.dialogs.last().style, int(dialogs::vbCritical));
            QCOMPARE(f.dialogs.last().title, gMessages[2]);
            QCOMPARE(entriesOf(archive), QStringList { QStringLiteral("Skin.ini") });
            return;
        }
        QCOMPARE(f.dialogs.messages(), QStringList { announced });
        // The player runs detached: a loaded machine may take a while to start it.
        QTRY_COMPARE_WITH_TIMEOUT(testfiles::read(record), QFile::encodeName(archive), 30000);
        QCOMPARE(entriesOf(archive), QStringList { QStringLiteral("Skin.ini") });
    }
};

QTEST_MAIN(tst_archive)
#include "tst_archive.moc"
