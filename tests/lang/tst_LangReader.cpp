#include "skin/Module.h"
#include "lang/Locale.h"
#include "resources/BuiltinTexts.h"
#include "support/LangHome.h"

#include <QtTest>

#include <memory>

// The lookup rule: the version gate, the per-item fallback, the file's name
// and the message table and common strings filled by it.
class tst_LangReader : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void languageFolderIsUnderTheProgramFolder();
    void gate_data();
    void gate();
    void failedGateIgnoresTheWholeFile();
    void emptyLanguageReadsNoFile();
    void missingFileGivesBuiltinTexts();
    void eachItemFallsBackOnItsOwn();
    void sectionsAndKeysMatchWithoutRegardToCase();
    void longValuesAreCutAt255();
    void fileNameMatchesWithoutRegardToCase();
    void utf8AndWindows1252FilesAreRead();
    void eachReaderTakesTheLanguageOfItsMoment();

    void messagesWithoutLanguageAreBuiltin();
    void messageSlotsFollowTheKeyList();
    void messagePartsFallBackOnTheirOwn();
    void messageFragmentsKeepTheirBlanks();
    void lastTwoMessageSlotsStayEmpty();

private:
    std::unique_ptr<LangHome> m_home;
};

void tst_LangReader::init()
{
    m_home = std::make_unique<LangHome>();
    QVERIFY(m_home->isValid());
    gMessages.fill(QString());
    gUIStrings.fill(QString());
}

void tst_LangReader::cleanup()
{
    m_home.reset();
}

void tst_LangReader::languageFolderIsUnderTheProgramFolder()
{
    QCOMPARE(LanguageFolder(), m_home->path() + QStringLiteral("/Lang/"));
}

void tst_LangReader::gate_data()
{
    QTest::addColumn<QByteArray>("gate");
    QTest::addColumn<bool>("passes");
    QTest::newRow("1") << QByteArray("[TVX_Morvane]\nVersion=1\n") << true;
    QTest::newRow("1.00") << QByteArray("[TVX_Morvane]\nVersion=1.00\n") << true;
    QTest::newRow("1.5") << QByteArray("[TVX_Morvane]\nVersion=1.5\n") << true;
    QTest::newRow("2") << QByteArray("[TVX_Morvane]\nVersion=2\n") << true;
    QTest::newRow("1abc") << QByteArray("[TVX_Morvane]\nVersion=1abc\n") << true;
    QTest::newRow("0.99") << QByteArray("[TVX_Morvane]\nVersion=0.99\n") << false;
    QTest::newRow("0.9") << QByteArray("[TVX_Morvane]\nVersion=0.9\n") << false;
    QTest::newRow("0") << QByteArray("[TVX_Morvane]\nVersion=0\n") << false;
    QTest::newRow("word") << QByteArray("[TVX_Morvane]\nVersion=one\n") << false;
    QTest::newRow("empty") << QByteArray("[TVX_Morvane]\nVersion=\n") << false;
    QTest::newRow("no key") << QByteArray("[TVX_Morvane]\nVer=1\n") << false;
    QTest::newRow("no section") << QByteArray("[Other]\nVersion=1\n") << false;
}

void tst_LangReader::gate()
{
    QFETCH(QByteArray, gate);
    QFETCH(bool, passes);
    QVERIFY(m_home->writeLanguage(QStringLiteral("Test.lng"), gate + "[Menu]\n1=&Datei\n"));
    gUILanguage = QStringLiteral("Test");
    const LangReader lang;
    QCOMPARE(lang.gatePassed(), passes);
    QCOMPARE(lang.text(QStringLiteral("Menu"), 1, 1001),
        passes ? QStringLiteral("&Datei") : QStringLiteral("&File"));
}

void tst_LangReader::failedGateIgnoresTheWholeFile()
{
    QVERIFY(m_home->writeLanguage(QStringLiteral("Old.lng"),
        "[TVX_Morvane]\nVersion=0.9\n[Menu]\n1=a\n2=b\n[Strings]\n1=c\n[Messages]\n1=d\n"));
    gUILanguage = QStringLiteral("Old");
    const LangReader lang;
    QCOMPARE(lang.text(QStringLiteral("Menu"), 1, 1001), LoadResString(1001));
    QCOMPARE(lang.text(QStringLiteral("Menu"), 2, 1002), LoadResString(1002));
    QCOMPARE(lang.text(QStringLiteral("Strings"), 1, 12001), LoadResString(12001));
    LoadMessages();
    QCOMPARE(gMessages[0], QStringLiteral("Welcome"));
}

void tst_LangReader::emptyLanguageReadsNoFile()
{
    // A file named just ".lng" is what an empty language name would point at;
    // it must not replace the built-in texts.
    QVERIFY(m_home->writeLanguage(
        QStringLiteral(".lng"), "[TVX_Morvane]\nVersion=1\n[Menu]\n1=Hijacked\n[Messages]\n1=Hijacked\n"));
    gUILanguage.clear();
    const LangReader lang;
    QVERIFY(!lang.gatePassed());
    QCOMPARE(lang.path(), QString());
    QCOMPARE(lang.text(QStringLiteral("Menu"), 1, 1001), QStringLiteral("&File"));
    LoadMessages();
    QCOMPARE(gMessages[0], QStringLiteral("Welcome"));
}

void tst_LangReader::missingFileGivesBuiltinTexts()
{
    gUILanguage = QStringLiteral("Klingon");
    const LangReader lang;
    QVERIFY(!lang.gatePassed());
    QCOMPARE(lang.text(QStringLiteral("Menu"), 17, 1017), QStringLiteral("Select your &Language"));

    // No language folder at all.
    QVERIFY(QDir(m_home->langFolder()).removeRecursively());
    const LangReader noFolder;
    QCOMPARE(noFolder.text(QStringLiteral("Menu"), 17, 1017), QStringLiteral("Select your &Language"));
}

void tst_LangReader::eachItemFallsBackOnItsOwn()
{
    QVERIFY(m_home->writeLanguage(QStringLiteral("Part.lng"),
        "[TVX_Morvane]\nVersion=1.00\n[Menu]\n1=&Fichier\n7=\n8=  \n9=&Quitter\n"));
    gUILanguage = QStringLiteral("Part");
    const LangReader lang;
    QCOMPARE(lang.text(QStringLiteral("Menu"), 1, 1001), QStringLiteral("&Fichier"));
    QCOMPARE(lang.text(QStringLiteral("Menu"), 2, 1002), QStringLiteral("&New Skin"));
    // Present but empty (also after trimming): the built-in text.
    QCOMPARE(lang.text(QStringLiteral("Menu"), 7, 1007), QStringLiteral("Create &TVK from this skin"));
    QCOMPARE(lang.text(QStringLiteral("Menu"), 8, 1008), QStringLiteral("&Test Skin"));
    QCOMPARE(lang.text(QStringLiteral("Menu"), 9, 1009), QStringLiteral("&Quitter"));
    // A section the file lacks.
    QCOMPARE(lang.text(QStringLiteral("Images"), 1, 5001), QStringLiteral("Images"));
}

void tst_LangReader::sectionsAndKeysMatchWithoutRegardToCase()
{
    QVERIFY(m_home->writeLanguage(QStringLiteral("Case.lng"),
        "[tvx_morvane]\nversion=1\n[menu]\n1=Datei\n[DISPLAY]\n4_t=Tipp\n4=never read\n"));
    gUILanguage = QStringLiteral("Case");
    const LangReader lang;
    QVERIFY(lang.gatePassed());
    QCOMPARE(lang.text(QStringLiteral("Menu"), 1, 1001), QStringLiteral("Datei"));
    QCOMPARE(lang.text(QStringLiteral("Display"), QStringLiteral("4_T"), 6004), QStringLiteral("Tipp"));
}

void tst_LangReader::longValuesAreCutAt255()
{
    const QByteArray value(300, 'x');
    QVERIFY(m_home->writeLanguage(
        QStringLiteral("Long.lng"), "[TVX_Morvane]\nVersion=1\n[Menu]\n1=" + value + "\n"));
    gUILanguage = QStringLiteral("Long");
    const LangReader lang;
    QCOMPARE(lang.text(QStringLiteral("Menu"), 1, 1001), QString(255, QLatin1Char('x')));
}

void tst_LangReader::fileNameMatchesWithoutRegardToCase()
{
    QVERIFY(
        m_home->writeLanguage(QStringLiteral("Deutsch.LNG"), "[TVX_Morvane]\nVersion=1\n[Menu]\n1=&Datei\n"));
    gUILanguage = QStringLiteral("deutsch");
    const LangReader lang;
    QVERIFY(lang.gatePassed());
    QCOMPARE(lang.text(QStringLiteral("Menu"), 1, 1001), QStringLiteral("&Datei"));
}

void tst_LangReader::utf8AndWindows1252FilesAreRead()
{
    QVERIFY(m_home->writeLanguage(
        QStringLiteral("Utf8.lng"), "[TVX_Morvane]\nVersion=1\n[Menu]\n1=&Fich\xc3\xa9r\n"));
    QVERIFY(m_home->writeLanguage(
        QStringLiteral("Ansi.lng"), "[TVX_Morvane]\nVersion=1\n[Menu]\n1=&Fich\xe9r \x80\n"));
    gUILanguage = QStringLiteral("Utf8");
    QCOMPARE(LangReader().text(QStringLiteral("Menu"), 1, 1001), QString::fromUtf8("&Fichér"));
    gUILanguage = QStringLiteral("Ansi");
    QCOMPARE(LangReader().text(QStringLiteral("Menu"), 1, 1001), QString::fromUtf8("&Fichér €"));
}

void tst_LangReader::eachReaderTakesTheLanguageOfItsMoment()
{
    QVERIFY(m_home->writeLanguage(QStringLiteral("A.lng"), "[TVX_Morvane]\nVersion=1\n[Menu]\n1=A\n"));
    QVERIFY(m_home->writeLanguage(QStringLiteral("B.lng"), "[TVX_Morvane]\nVersion=1\n[Menu]\n1=B\n"));
    gUILanguage = QStringLiteral("A");
    const LangReader a;
    gUILanguage = QStringLiteral("B");
    const LangReader b;
    QCOMPARE(a.text(QStringLiteral("Menu"), 1, 1001), QStringLiteral("A"));
    QCOMPARE(b.text(QStringLiteral("Menu"), 1, 1001), QStringLiteral("B"));
}

void tst_LangReader::messagesWithoutLanguageAreBuiltin()
{
    gMessages.fill(QStringLiteral("stale"));
    gMessages[114].clear();
    gMessages[115].clear();
    LoadMessages();
    for (int k = 0; k < 114; ++k)
        QCOMPARE(gMessages[k], LoadResString(13001 + k));
}

void tst_LangReader::messageSlotsFollowTheKeyList()
{
    // Slot k takes the key in place k + 1 of the section's key list.
    const QStringList keys = { "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "10_1", "11", "11_1", "12",
        "12_1", "13", "14", "15", "16", "16_1", "17", "17_1", "18", "18_1", "19", "19_1", "20", "20_1", "21",
        "21_1", "22", "22_1", "22_2", "23", "23_1", "24", "24_1", "24_2", "25", "25_1", "26", "27", "28",
        "28_1", "29", "30", "31", "31_1", "32", "33", "33_1", "34", "35", "35_1", "36", "36_1", "37", "38",
        "39", "40", "41", "41_1", "42", "42_1", "43", "44", "45", "45_1", "46", "46_1", "47", "47_1", "48",
        "48_1", "49", "50", "50_1", "51", "51_1", "52", "52_1", "53", "54", "54_1", "55", "55_1", "56",
        "56_1", "57", "57_1", "57_2", "57_3", "58", "59", "60", "60_1", "61", "62", "63", "64", "65", "66",
        "67", "68", "69", "70", "71", "72", "73", "74", "75", "76", "77", "78" };
    QCOMPARE(keys.size(), 114);
    QByteArray content = "[TVX_Morvane]\nVersion=1\n[Messages]\n";
    for (const QString &key : keys)
        content += key.toLatin1() + "=key " + key.toLatin1() + "\n";
    QVERIFY(m_home->writeLanguage(QStringLiteral("Keys.lng"), content));
    gUILanguage = QStringLiteral("Keys");
    LoadMessages();
    for (int k = 0; k < 114; ++k)
        QCOMPARE(gMessages[k], QStringLiteral("key ") + keys.at(k));
    QCOMPARE(gMessages[10], QStringLiteral("key 10_1"));
    QCOMPARE(gMessages[94], QStringLiteral("key 60"));
    QCOMPARE(gMessages[96], QStringLiteral("key 61"));
}

void tst_LangReader::messagePartsFallBackOnTheirOwn()
{
    QVERIFY(m_home->writeLanguage(QStringLiteral("Msg.lng"),
        "[TVX_Morvane]\nVersion=1\n[messages]\n10=Premier lancement.\n60=Zip absent.\n"));
    gUILanguage = QStringLiteral("Msg");
    LoadMessages();
    QCOMPARE(gMessages[9], QStringLiteral("Premier lancement."));
    QCOMPARE(gMessages[10], QStringLiteral("Would you like to read the guide?"));
    QCOMPARE(gMessages[94], QStringLiteral("Zip absent."));
    QCOMPARE(
        gMessages[95], QStringLiteral("Check if it is in the program directory or in the command path."));
    QCOMPARE(gMessages[96], QStringLiteral("Error, the skin can't be extracted."));
}

void tst_LangReader::messageFragmentsKeepTheirBlanks()
{
    LoadMessages();
    QCOMPARE(gMessages[20], QStringLiteral("Skin "));
    QCOMPARE(gMessages[21], QStringLiteral(" successfully created!"));
    QCOMPARE(gMessages[88], QStringLiteral("Error number: "));

    // A language file keeps them by quoting the value.
    QVERIFY(m_home->writeLanguage(QStringLiteral("Quoted.lng"),
        "[TVX_Morvane]\nVersion=1\n[Messages]\n17=\"Skin \"\n17_1=\" creata!\"\n"));
    gUILanguage = QStringLiteral("Quoted");
    LoadMessages();
    QCOMPARE(gMessages[20], QStringLiteral("Skin "));
    QCOMPARE(gMessages[21], QStringLiteral(" creata!"));
}

void tst_LangReader::lastTwoMessageSlotsStayEmpty()
{
    QVERIFY(m_home->writeLanguage(
        QStringLiteral("More.lng"), "[TVX_Morvane]\nVersion=1\n[Messages]\n79=x\n80=y\n"));
    gUILanguage = QStringLiteral("More");
    LoadMessages();
    gUILanguage.clear();
    LoadMessages();
    QCOMPARE(gMessages[114], QString());
    QCOMPARE(gMessages[115], QString());
}

QTEST_MAIN(tst_LangReader)
#include "tst_LangReader.moc"
