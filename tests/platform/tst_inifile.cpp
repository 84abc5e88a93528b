#include "skin/Module.h"
#include "platform/FileSystem.h"
#include "platform/IniFile.h"
#include "platform/ListingScope.h"

#include <QtTest>

#include <optional>

// The INI reader's rules, ReadIni on top of it, and file names matched without
// regard to case.
class tst_inifile : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void lookupRules();
    void valueShaping();
    void longValueIsCut();
    void missingGivesEmpty();
    void lineEnds_data();
    void lineEnds();
    void byteOrderMarkAndEncodings();
    void cacheFollowsTheFile();
    void fileNameWithoutRegardToCase();
    void readIniSetsCount();
    void addBackslash();
    void resolve_data();
    void resolve();
    void listFolder();

private:
    QString write(const QString &name, const QByteArray &bytes);
    QTemporaryDir m_dir;
};

QString tst_inifile::write(const QString &name, const QByteArray &bytes)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    file.write(bytes);
    return path;
}

void tst_inifile::init()
{
    ini::clearCache();
}

void tst_inifile::lookupRules()
{
    const QString path = write(QStringLiteral("a.ini"),
        "key=outside\r\n"
        "[Settings]\r\n"
        "Number=1\r\n"
        "NUMBER=2\r\n"
        "no equals sign here\r\n"
        "  Spaced Key  =  v  \r\n"
        "[settings]\r\n"
        "Number=3\r\n"
        "Other=4\r\n"
        "[  Trimmed  ]\r\n"
        "k=5\r\n"
        "[Multi=Part]\r\n"
        "a=b=c\r\n"
        "[\xC4rger]\r\n"
        "\xD6l=6\r\n");
    QCOMPARE(ini::readValue(QStringLiteral("SETTINGS"), QStringLiteral("number"), path), QStringLiteral("1"));
    // Only the first section of a name is searched.
    QCOMPARE(ini::readValue(QStringLiteral("Settings"), QStringLiteral("Other"), path), QString());
    QCOMPARE(
        ini::readValue(QStringLiteral("Settings"), QStringLiteral("spaced key"), path), QStringLiteral("v"));
    QCOMPARE(ini::readValue(QStringLiteral("Trimmed"), QStringLiteral("K"), path), QStringLiteral("5"));
    QCOMPARE(ini::readValue(QStringLiteral("Multi=Part"), QStringLiteral("a"), path), QStringLiteral("b=c"));
    QCOMPARE(ini::readValue(QString(), QStringLiteral("key"), path), QString());
    // Letters beyond ASCII match without regard to case too.
    QCOMPARE(ini::readValue(QString::fromUtf8("\xC3\xA4RGER"), QString::fromUtf8("\xC3\xB6L"), path),
        QStringLiteral("6"));
    QVERIFY(ini::hasKey(QStringLiteral("settings"), QStringLiteral("NUMBER"), path));
    QVERIFY(!ini::hasKey(QStringLiteral("settings"), QStringLiteral("missing"), path));
}

void tst_inifile::valueShaping()
{
    const QString path = write(QStringLiteral("b.ini"),
        "[S]\r\n"
        "double=\"  quoted  \"\r\n"
        "single='x'\r\n"
        "mixed=\"x'\r\n"
        "twice=\"\"a\"\"\r\n"
        "lone=\"\r\n"
        "inner=a \"b\" c\r\n"
        "tabs=\t value\t\r\n"
        "empty=\r\n"
        "emptyDouble=\"\"\r\n"
        "emptySingle=''\r\n"
        "semicolon=1;2 ; comment?\r\n");
    auto value
        = [&](const char *key) { return ini::readValue(QStringLiteral("S"), QLatin1String(key), path); };
    QCOMPARE(value("double"), QStringLiteral("  quoted  "));
    QCOMPARE(value("single"), QStringLiteral("x"));
    QCOMPARE(value("mixed"), QStringLiteral("\"x'"));
    QCOMPARE(value("twice"), QStringLiteral("\"a\""));
    QCOMPARE(value("lone"), QStringLiteral("\""));
    QCOMPARE(value("inner"), QStringLiteral("a \"b\" c"));
    QCOMPARE(value("tabs"), QStringLiteral("value"));
    QCOMPARE(value("empty"), QString());
    QCOMPARE(value("emptyDouble"), QString());
    QCOMPARE(value("emptySingle"), QString());
    QCOMPARE(value("semicolon"), QStringLiteral("1;2 ; comment?"));
}

void tst_inifile::longValueIsCut()
{
    const QByteArray longValue(300, 'x');
    const QString path
        = write(QStringLiteral("c.ini"), "[S]\r\nlong=" + longValue + "\r\nquoted=\"" + longValue + "\"\r\n");
    int count = -1;
    QCOMPARE(ini::readValue(QStringLiteral("S"), QStringLiteral("long"), path, &count),
        QString(255, QLatin1Char('x')));
    QCOMPARE(count, 255);
    QCOMPARE(
        ini::readValue(QStringLiteral("S"), QStringLiteral("quoted"), path), QString(255, QLatin1Char('x')));
}

void tst_inifile::missingGivesEmpty()
{
    const QString path = write(QStringLiteral("d.ini"), "[S]\r\nk=v\r\n");
    int count = -1;
    QCOMPARE(ini::readValue(QStringLiteral("S"), QStringLiteral("none"), path, &count), QString());
    QCOMPARE(count, 0);
    count = -1;
    QCOMPARE(ini::readValue(QStringLiteral("None"), QStringLiteral("k"), path, &count), QString());
    QCOMPARE(count, 0);
    count = -1;
    QCOMPARE(ini::readValue(
                 QStringLiteral("S"), QStringLiteral("k"), m_dir.filePath(QStringLiteral("no.ini")), &count),
        QString());
    QCOMPARE(count, 0);
    QCOMPARE(ini::readValue(QStringLiteral("S"), QStringLiteral("k"), QString()), QString());
    QCOMPARE(ini::readValue(QStringLiteral("S"), QStringLiteral("k"), m_dir.path()), QString());
}

void tst_inifile::lineEnds_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("CRLF") << QByteArray("[S]\r\na=1\r\nb=2\r\n");
    QTest::newRow("LF") << QByteArray("[S]\na=1\nb=2\n");
    QTest::newRow("CR") << QByteArray("[S]\ra=1\rb=2\r");
    QTest::newRow("no final line end") << QByteArray("[S]\r\na=1\r\nb=2");
    QTest::newRow("mixed and blank lines") << QByteArray("\r\n[S]\r\r\na=1\n\nb=2");
}

void tst_inifile::lineEnds()
{
    QFETCH(QByteArray, bytes);
    const QString path = write(QStringLiteral("e.ini"), bytes);
    ini::clearCache();
    QCOMPARE(ini::readValue(QStringLiteral("S"), QStringLiteral("a"), path), QStringLiteral("1"));
    QCOMPARE(ini::readValue(QStringLiteral("S"), QStringLiteral("b"), path), QStringLiteral("2"));
}

void tst_inifile::byteOrderMarkAndEncodings()
{
    // A byte-order mark before the first section does not hide it.
    const QString bom = write(QStringLiteral("bom.ini"), "\xEF\xBB\xBF[S]\r\nk=caf\xC3\xA9\r\n");
    QCOMPARE(ini::readValue(QStringLiteral("S"), QStringLiteral("k"), bom), QString::fromUtf8("café"));

    // Skin and settings files are Windows-1252, undefined bytes included.
    const QString skin = write(QStringLiteral("skin.ini"), "[S]\r\nk=caf\xE9 \x80\x81\r\nu=caf\xC3\xA9\r\n");
    QCOMPARE(
        ini::readValue(QStringLiteral("S"), QStringLiteral("k"), skin), QString::fromUtf8("café €\xC2\x81"));
    QCOMPARE(ini::readValue(QStringLiteral("S"), QStringLiteral("u"), skin), QString::fromUtf8("cafÃ©"));

    // Language files: UTF-8 when valid, Windows-1252 otherwise.
    const QString utf8 = write(QStringLiteral("utf8.LNG"), "[S]\r\nk=\xCE\xA9 caf\xC3\xA9\r\n");
    QCOMPARE(ini::readValue(QStringLiteral("S"), QStringLiteral("k"), utf8), QString::fromUtf8("Ω café"));
    const QString latin = write(QStringLiteral("latin.lng"), "[S]\r\nk=caf\xE9\r\n");
    QCOMPARE(ini::readValue(QStringLiteral("S"), QStringLiteral("k"), latin), QString::fromUtf8("café"));
    QCOMPARE(ini::readValue(QStringLiteral("S"), QStringLiteral("k"), utf8, nullptr, ini::Encoding::Cp1252),
        QString::fromUtf8("Î© cafÃ©"));
}

void tst_inifile::cacheFollowsTheFile()
{
    const QString path = write(QStringLiteral("f.ini"), "[S]\r\nk=1\r\n");
    QCOMPARE(ini::readValue(QStringLiteral("S"), QStringLiteral("k"), path), QStringLiteral("1"));
    // Another size is noticed even within the same second.
    write(QStringLiteral("f.ini"), "[S]\r\nk=22\r\n");
    QCOMPARE(ini::readValue(QStringLiteral("S"), QStringLiteral("k"), path), QStringLiteral("22"));
    // The same size with a later time is noticed too.
    write(QStringLiteral("f.ini"), "[S]\r\nk=33\r\n");
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(10), QFileDevice::FileModificationTime));
    file.close();
    QCOMPARE(ini::readValue(QStringLiteral("S"), QStringLiteral("k"), path), QStringLiteral("33"));
    QFile::remove(path);
    QCOMPARE(ini::readValue(QStringLiteral("S"), QStringLiteral("k"), path), QString());

    // While listings are held the file is read as it was first read under them,
    // until the program's own write drops them; then it is followed again.
    write(QStringLiteral("f.ini"), "[S]\r\nk=4\r\n");
    std::optional<ListingScope> listings(std::in_place);
    QCOMPARE(ini::readValue(QStringLiteral("S"), QStringLiteral("k"), path), QStringLiteral("4"));
    write(QStringLiteral("f.ini"), "[S]\r\nk=55\r\n");
    QCOMPARE(ini::readValue(QStringLiteral("S"), QStringLiteral("k"), path), QStringLiteral("4"));
    fs::forgetListings();
    QCOMPARE(ini::readValue(QStringLiteral("S"), QStringLiteral("k"), path), QStringLiteral("55"));
    write(QStringLiteral("f.ini"), "[S]\r\nk=666\r\n");
    listings.reset();
    QCOMPARE(ini::readValue(QStringLiteral("S"), QStringLiteral("k"), path), QStringLiteral("666"));
}

void tst_inifile::fileNameWithoutRegardToCase()
{
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("MySkin")));
    write(QStringLiteral("MySkin/SKIN.INI"), "[S]\r\nk=found\r\n");
    QCOMPARE(ini::readValue(
                 QStringLiteral("S"), QStringLiteral("k"), m_dir.filePath(QStringLiteral("myskin/Skin.ini"))),
        QStringLiteral("found"));
    // Windows separators in a name read from a skin file.
    QCOMPARE(ini::readValue(QStringLiteral("S"), QStringLiteral("k"),
                 m_dir.path() + QStringLiteral("\\MYSKIN\\skin.ini")),
        QStringLiteral("found"));
}

void tst_inifile::readIniSetsCount()
{
    const QString path = write(QStringLiteral("g.ini"), "[S]\r\nk=abc\r\nempty=\r\n");
    gApiResult = -1;
    QCOMPARE(ReadIni(QStringLiteral("s"), QStringLiteral("K"), path), QStringLiteral("abc"));
    QCOMPARE(gApiResult, 3);
    gApiResult = -1;
    QCOMPARE(ReadIni(QStringLiteral("S"), QStringLiteral("empty"), path), QString());
    QCOMPARE(gApiResult, 0);
    gApiResult = -1;
    QCOMPARE(ReadIni(QStringLiteral("S"), QStringLiteral("absent"), path), QString());
    QCOMPARE(gApiResult, 0);
}

void tst_inifile::addBackslash()
{
    QCOMPARE(AddBackslash(QString()), QString());
    QCOMPARE(AddBackslash(QStringLiteral("/a/b")), QStringLiteral("/a/b/"));
    QCOMPARE(AddBackslash(QStringLiteral("/a/b/")), QStringLiteral("/a/b/"));
    QCOMPARE(AddBackslash(QStringLiteral("/")), QStringLiteral("/"));
}

void tst_inifile::resolve_data()
{
    QTest::addColumn<bool>("held");
    QTest::newRow("alone") << false;
    QTest::newRow("listings held") << true;
}

void tst_inifile::resolve()
{
    // Lookups that each ask the system and lookups answered from listings
    // held for a run of them resolve alike.
    QFETCH(bool, held);
    std::optional<ListingScope> listings;
    if (held)
        listings.emplace();
    QDir dir(m_dir.path());
    QVERIFY(dir.mkpath(QStringLiteral("Skins/Blue")));
    QVERIFY(dir.mkpath(QStringLiteral("skins/blue")));
    write(QStringLiteral("Skins/Blue/BtnN.BMP"), "x");
    write(QStringLiteral("Skins/Blue/Main.bmp"), "x");
    write(QStringLiteral("Skins/Blue/main.BMP"), "x");
    const QString root = m_dir.path();
    // A link is what it points to: a picture, or nothing.
    QFile::link(root + QStringLiteral("/Skins/Blue/Main.bmp"), root + QStringLiteral("/Skins/Blue/Link.bmp"));
    QFile::link(root + QStringLiteral("/Skins/Blue/gone.bmp"), root + QStringLiteral("/Skins/Blue/Lost.bmp"));

    QCOMPARE(fs::resolve(root + QStringLiteral("/skins/blue/btnn.bmp")),
        root + QStringLiteral("/Skins/Blue/BtnN.BMP")); // "skins/blue" exists but holds no such file
    QCOMPARE(fs::resolve(root + QStringLiteral("/Skins/Blue/main.BMP")),
        root + QStringLiteral("/Skins/Blue/main.BMP"));
    QCOMPARE(fs::resolve(root + QStringLiteral("/Skins/Blue/Main.bmp")),
        root + QStringLiteral("/Skins/Blue/Main.bmp"));
    QCOMPARE(fs::resolve(root + QStringLiteral("\\SKINS\\BLUE\\BtnN.bmp")),
        root + QStringLiteral("/Skins/Blue/BtnN.BMP"));
    // Names match whole, in any script; a link to nothing is no folder.
    QVERIFY(dir.mkpath(QStringLiteral("Skin/blue")));
    write(QStringLiteral("Skin/blue/Only.bmp"), "x");
    QVERIFY(dir.mkpath(QStringLiteral("ÉTÉ")));
    write(QStringLiteral("ÉTÉ/x.bmp"), "x");
    QFile::link(root + QStringLiteral("/nowhere"), root + QStringLiteral("/dangle"));
    QVERIFY(QFileInfo(root + QStringLiteral("/dangle")).isSymLink());
    QCOMPARE(fs::resolve(root + QStringLiteral("/skins/blue/Only.bmp")),
        root + QStringLiteral("/skins/blue/Only.bmp"));
    QCOMPARE(fs::resolve(root + QStringLiteral("/été/x.bmp")), root + QStringLiteral("/ÉTÉ/x.bmp"));
    QCOMPARE(fs::resolve(root + QStringLiteral("/DANGLE/x.bmp")), root + QStringLiteral("/DANGLE/x.bmp"));
    // A file not there yet keeps its spelling under the folder that does exist.
    QCOMPARE(fs::resolve(root + QStringLiteral("/SKINS/BLUE/New.ini")),
        root + QStringLiteral("/skins/blue/New.ini"));
    QCOMPARE(fs::resolve(root + QStringLiteral("/Skins/Blue/")), root + QStringLiteral("/Skins/Blue/"));
    QCOMPARE(fs::resolve(QStringLiteral("/no/such/thing")), QStringLiteral("/no/such/thing"));
    QCOMPARE(fs::resolve(root + QStringLiteral("/gone.bmp")), root + QStringLiteral("/gone.bmp"));
    QVERIFY(!fs::fileExists(root + QStringLiteral("/gone.bmp")));

    QVERIFY(fs::fileExists(root + QStringLiteral("/SKINS/BLUE/BTNN.BMP")));
    QVERIFY(fs::fileExists(root + QStringLiteral("/Skins/Blue/Link.bmp")));
    QVERIFY(!fs::fileExists(root + QStringLiteral("/Skins/Blue/Lost.bmp")));
    QVERIFY(!fs::fileExists(root + QStringLiteral("/SKINS/BLUE")));
    QVERIFY(fs::folderExists(root + QStringLiteral("/SKINS/BLUE")));
    QVERIFY(!fs::fileExists(QString()));
    QCOMPARE(fs::toSlashes(QStringLiteral("a\\b/c")), QStringLiteral("a/b/c"));
}

void tst_inifile::listFolder()
{
    QDir dir(m_dir.path());
    QVERIFY(dir.mkpath(QStringLiteral("Lang/Sub.lng")));
    write(QStringLiteral("Lang/English.lng"), "x");
    write(QStringLiteral("Lang/French.LNG"), "x");
    write(QStringLiteral("Lang/readme"), "x");
    QStringList found = fs::listFolder(m_dir.filePath(QStringLiteral("LANG")), QStringLiteral("*.lng"));
    found.sort();
    QCOMPARE(found, (QStringList { QStringLiteral("English.lng"), QStringLiteral("French.LNG") }));
    found = fs::listFolder(m_dir.filePath(QStringLiteral("Lang")), QStringLiteral("*.*"), true);
    found.sort();
    QCOMPARE(found,
        (QStringList { QStringLiteral("English.lng"), QStringLiteral("French.LNG"), QStringLiteral("Sub.lng"),
            QStringLiteral("readme") }));
    QVERIFY(fs::listFolder(m_dir.filePath(QStringLiteral("none")), QStringLiteral("*")).isEmpty());
}

QTEST_GUILESS_MAIN(tst_inifile)
#include "tst_inifile.moc"
