#include "skin/FileErrors.h"
#include "skin/FileWriter.h"
#include "skin/Module.h"
#include "lang/Locale.h"
#include "platform/VbRuntime.h"
#include "support/DialogRecorder.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

namespace {

// Whether this process may write into a folder whose permissions forbid it (root).
bool permissionsAreIgnored(const QString &readOnlyFolder)
{
    QFile probe(readOnlyFolder + QStringLiteral("/probe"));
    if (!probe.open(QIODevice::WriteOnly))
        return false;
    probe.close();
    probe.remove();
    return true;
}

} // namespace

// The file-error table and the one writer of text files that goes through it.
class tst_file_errors : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void tableBoxes_data();
    void tableBoxes();

    void writesCp1252WithCrLfAndReplacesTheFile();
    void lineBreaksInsideALineBecomeBlanks();
    void readsBackWhatItWrote();
    void folderInPlaceOfTheFileOffersRetry();
    void readOnlyFolderIsAccessDenied();
    void missingFolderIsNotAvailable();
    void failureInTheMiddleLeavesTheOldFileWhole();
    void failureNoRowNamesShowsTheLastRow();

private:
    QTemporaryDir m_home;
};

void tst_file_errors::initTestCase()
{
    // The built-in messages: no language chosen, in a program folder of its own.
    QVERIFY(m_home.isValid());
    qputenv("TVX_MORVANE_HOME", m_home.path().toLocal8Bit());
    gUILanguage.clear();
    LoadMessages();
    QCOMPARE(Message(13075), QStringLiteral("It wasn't possible to save the specified file."));
}

void tst_file_errors::tableBoxes_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<bool>("offersRetry");

    const auto twoLines = [](int id) { return Message(id) + QLatin1Char('\n') + Message(id + 1); };
    const int retry = dialogs::vbRetry;
    const int cancel = dialogs::vbCancel;
    QTest::newRow("52") << 52 << cancel << Message(13075) << false;
    QTest::newRow("55 retry") << 55 << retry << twoLines(13076) << true;
    QTest::newRow("55 cancel") << 55 << cancel << twoLines(13076) << true;
    QTest::newRow("57") << 57 << cancel << twoLines(13078) << true;
    QTest::newRow("61") << 61 << retry << twoLines(13080) << true;
    QTest::newRow("68") << 68 << cancel << Message(13082) << false;
    QTest::newRow("70 retry") << 70 << retry << twoLines(13083) << true;
    QTest::newRow("70 cancel") << 70 << cancel << twoLines(13083) << true;
    QTest::newRow("71") << 71 << cancel << twoLines(13085) << true;
    QTest::newRow("75") << 75 << retry << twoLines(13087) << true;
    QTest::newRow("other") << 67 << cancel << QStringLiteral("Error number: 67\nToo many files") << false;
}

void tst_file_errors::tableBoxes()
{
    QFETCH(int, number);
    QFETCH(int, answer);
    QFETCH(QString, prompt);
    QFETCH(bool, offersRetry);

    DialogRecorder recorder;
    recorder.answerButton(answer);
    const bool retried = ShowFileError(vb::Error(number, QStringLiteral("Too many files")), Message(13006));

    QCOMPARE(retried, offersRetry && answer == dialogs::vbRetry);
    QCOMPARE(recorder.at(0).prompt, prompt);
    QCOMPARE(recorder.at(0).title, QStringLiteral("TVX_Morvane - Settings"));
    QCOMPARE(recorder.at(0).style,
        offersRetry ? dialogs::vbRetryCancel | dialogs::vbCritical : int(dialogs::vbCritical));
    // Cancel on a Retry box adds the plain failure.
    if (offersRetry && !retried) {
        QCOMPARE(recorder.count(), 2);
        QCOMPARE(recorder.at(1).prompt, Message(13075));
        QCOMPARE(recorder.at(1).style, int(dialogs::vbCritical));
        QCOMPARE(recorder.at(1).title, QStringLiteral("TVX_Morvane - Settings"));
    } else {
        QCOMPARE(recorder.count(), 1);
    }
}

void tst_file_errors::writesCp1252WithCrLfAndReplacesTheFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("TVX_Morvane.ini"));
    QVERIFY(testfiles::write(path, QByteArray(500, 'x')));

    DialogRecorder recorder;
    QVERIFY(WriteTextFile(
        path, { QStringLiteral("[Settings]"), QString(), QStringLiteral("A=\u00e9\u20ac") }, Message(13006)));
    QCOMPARE(testfiles::read(path), QByteArray("[Settings]\r\n\r\nA=\xE9\x80\r\n"));
    QCOMPARE(recorder.count(), 0);
    // No temporary file is left beside it.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({ "TVX_Morvane.ini" }));

    QVERIFY(WriteTextFile(path, {}, Message(13006)));
    QCOMPARE(testfiles::read(path), QByteArray());
}

void tst_file_errors::lineBreaksInsideALineBecomeBlanks()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.ini"));
    DialogRecorder recorder;
    QVERIFY(
        WriteTextFile(path, { QStringLiteral("A=1\r\n2\n3\r4\n"), QStringLiteral("B=") }, Message(13006)));
    QCOMPARE(testfiles::read(path), QByteArray("A=1 2 3 4\r\nB=\r\n"));
}

void tst_file_errors::readsBackWhatItWrote()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Skin.ini"));
    DialogRecorder recorder;
    // Same size, written within the same moment: the reader must not keep the old one.
    QVERIFY(WriteTextFile(path, { QStringLiteral("[A]"), QStringLiteral("K=1") }, Message(13004)));
    QCOMPARE(ReadIni(QStringLiteral("A"), QStringLiteral("K"), path), QStringLiteral("1"));
    QVERIFY(WriteTextFile(path, { QStringLiteral("[A]"), QStringLiteral("K=2") }, Message(13004)));
    QCOMPARE(ReadIni(QStringLiteral("A"), QStringLiteral("K"), path), QStringLiteral("2"));
}

void tst_file_errors::folderInPlaceOfTheFileOffersRetry()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Skin.ini"));
    QVERIFY(QDir().mkdir(path));

    // Retry tries again (and fails again); Cancel ends with message 13075.
    DialogRecorder recorder;
    recorder.answerButton(dialogs::vbRetry);
    recorder.answerButton(dialogs::vbCancel);
    QVERIFY(!WriteTextFile(path, { QStringLiteral("x") }, Message(13004)));
    QCOMPARE(recorder.messages(),
        QStringList({ Message(13087) + QLatin1Char('\n') + Message(13088),
            Message(13087) + QLatin1Char('\n') + Message(13088), Message(13075) }));
    QCOMPARE(recorder.at(0).title, QStringLiteral("TVX_Morvane - Skin"));
    QVERIFY(QFileInfo(path).isDir());

    // Retry once the folder is gone writes the file.
    recorder.clear();
    recorder.enqueue([&](const dialogs::Request &) {
        QDir().rmdir(path);
        dialogs::Answer answer;
        answer.button = dialogs::vbRetry;
        return answer;
    });
    QVERIFY(WriteTextFile(path, { QStringLiteral("x") }, Message(13004)));
    QCOMPARE(recorder.count(), 1);
    QCOMPARE(testfiles::read(path), QByteArray("x\r\n"));
}

void tst_file_errors::readOnlyFolderIsAccessDenied()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("locked"));
    QVERIFY(QDir().mkdir(folder));
    QVERIFY(QFile::setPermissions(folder,
        QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther
            | QFile::ExeOther));
    const auto unlock = qScopeGuard(
        [&] { QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); });
    if (permissionsAreIgnored(folder))
        QSKIP("This process writes into read-only folders (it runs as root), so the system never "
              "refuses with access denied here; the other failure tests cover the table.");

    const QString path = folder + QStringLiteral("/Skin.ini");
    const QString denied = Message(13083) + QLatin1Char('\n') + Message(13084);
    DialogRecorder recorder;
    recorder.answerButton(dialogs::vbRetry);
    recorder.answerButton(dialogs::vbCancel);
    QVERIFY(!WriteTextFile(path, { QStringLiteral("x") }, Message(13004)));
    QCOMPARE(recorder.messages(), QStringList({ denied, denied, Message(13075) }));
    QVERIFY(!QFile::exists(path));

    // Retry after the protection is removed succeeds.
    recorder.clear();
    recorder.enqueue([&](const dialogs::Request &) {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        dialogs::Answer answer;
        answer.button = dialogs::vbRetry;
        return answer;
    });
    QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    QVERIFY(WriteTextFile(path, { QStringLiteral("x") }, Message(13004)));
    QCOMPARE(recorder.messages(), QStringList({ denied }));
    QCOMPARE(testfiles::read(path), QByteArray("x\r\n"));
}

void tst_file_errors::missingFolderIsNotAvailable()
{
    QTemporaryDir dir;
    QVERIFY(testfiles::write(dir.filePath(QStringLiteral("plain")), "x"));

    // A folder that is a file, and a folder that does not exist: no Retry.
    for (const QString &path : { dir.filePath(QStringLiteral("plain/Skin.ini")),
             dir.filePath(QStringLiteral("missing/Skin.ini")) }) {
        DialogRecorder recorder;
        QVERIFY(!WriteTextFile(path, { QStringLiteral("x") }, Message(13004)));
        QCOMPARE(recorder.messages(), QStringList({ Message(13082) }));
        QCOMPARE(recorder.at(0).style, int(dialogs::vbCritical));
    }
}

void tst_file_errors::failureInTheMiddleLeavesTheOldFileWhole()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Skin.ini"));
    const QByteArray old("[Tovix.Skin]\r\nVersion=1.00\r\n");
    QVERIFY(testfiles::write(path, old));

    // A file-size limit makes the system refuse the new file after 64 bytes, as a
    // full disk does; it applies to root too.
    QStringList lines;
    for (int i = 0; i < 20; ++i)
        lines << QStringLiteral("Key%1=%2").arg(i).arg(QString(30, QLatin1Char('v')));
    struct rlimit saved {
    };
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limited = saved;
    limited.rlim_cur = 64;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);

    DialogRecorder recorder;
    recorder.answerButton(dialogs::vbRetry);
    recorder.answerButton(dialogs::vbCancel);
    const bool written = WriteTextFile(path, lines, Message(13004));

    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    QVERIFY(!written);
    const QString full = Message(13080) + QLatin1Char('\n') + Message(13081);
    QCOMPARE(recorder.messages(), QStringList({ full, full, Message(13075) }));
    QCOMPARE(testfiles::read(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({ "Skin.ini" }));
}

// A folder that is a loop of links fails with an error the table has no row for.
void tst_file_errors::failureNoRowNamesShowsTheLastRow()
{
    QTemporaryDir dir;
    const QString loop = dir.filePath(QStringLiteral("loop"));
    QVERIFY(QFile::link(loop, loop));

    DialogRecorder recorder;
    recorder.answerButton(dialogs::vbOK);
    QVERIFY(
        !WriteTextFile(loop + QStringLiteral("/Skin.ini"), { QStringLiteral("[Settings]") }, Message(13006)));
    QCOMPARE(recorder.count(), 1);
    QVERIFY2(recorder.at(0).prompt.startsWith(QStringLiteral("Error number: 51\n")),
        qPrintable(recorder.at(0).prompt));
    QCOMPARE(recorder.at(0).style, int(dialogs::vbCritical));
}

QTEST_MAIN(tst_file_errors)
#include "tst_file_errors.moc"
