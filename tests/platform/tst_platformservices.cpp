#include "platform/AppInfo.h"
#include "platform/FileSystem.h"
#include "platform/Fonts.h"
#include "platform/ListingScope.h"
#include "platform/Pictures.h"
#include "platform/Registry.h"
#include "platform/Screen.h"
#include "platform/Shell.h"
#include "platform/VbRuntime.h"
#include "support/ShellRecorder.h"

#include <QtTest>

#include <QFontDatabase>
#include <QImageReader>
#include <QLockFile>

#include <sys/stat.h>

// Pictures and shapes, the registry files, the shell and the program folder.
class tst_platformservices : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void loadPictures_data();
    void loadPictures();
    void bitmapsAsTheImageReaderHasThem_data();
    void bitmapsAsTheImageReaderHasThem();
    void prefetchTakesNothingStale();
    void shapeRegion();
    void zoomed();
    void placeOnScreens_data();
    void placeOnScreens();
    void registryFromFiles();
    void shellOpenAndVerbs();
    void programFolderAndSettings();
    void singleInstance();
    void fontFiles();

private:
    QString write(const QString &name, const QByteArray &bytes);
    QTemporaryDir m_dir;
};

QString tst_platformservices::write(const QString &name, const QByteArray &bytes)
{
    const QString path = m_dir.filePath(name);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    file.write(bytes);
    return path;
}

void tst_platformservices::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void tst_platformservices::loadPictures_data()
{
    QTest::addColumn<bool>("prefetched");
    QTest::newRow("decoded by the load") << false;
    QTest::newRow("decoded ahead on other threads") << true;
}

void tst_platformservices::loadPictures()
{
    QFETCH(bool, prefetched);
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::red);
    QVERIFY(image.save(m_dir.filePath(QStringLiteral("Main.bmp"))));
    // A PNG named .bmp still loads, and so does a picture named for no format.
    QVERIFY(image.save(m_dir.filePath(QStringLiteral("Other.bmp")), "PNG"));
    QVERIFY(image.save(m_dir.filePath(QStringLiteral("Plain")), "BMP"));
    const QStringList paths { m_dir.filePath(QStringLiteral("MAIN.BMP")),
        m_dir.filePath(QStringLiteral("Other.bmp")), m_dir.filePath(QStringLiteral("missing.bmp")), QString(),
        write(QStringLiteral("junk.bmp"), "not a picture"),
        write(QStringLiteral("pic.wmf"), "\xD7\xCD\xC6\x9A"), write(QStringLiteral("pic.EMF"), "x"),
        m_dir.filePath(QStringLiteral("pipe.bmp")), m_dir.filePath(QStringLiteral("Plain")),
        // Its header's stated size sends the reader past the end of the file.
        write(QStringLiteral("short.bmp"),
            QByteArray::fromHex("424d00000000000000000000000000280000000200e201000100000000000000000000")) };
    if (!QFileInfo::exists(paths[7]))
        QCOMPARE(::mkfifo(QFile::encodeName(paths[7]).constData(), 0600), 0);
    const ListingScope listings;
    pictures::Prefetch prefetch;
    if (prefetched) {
        for (const QString &path : paths)
            prefetch.add(path, true);
        QThread::msleep(50); // for the workers to be done
    }

    QCOMPARE(pictures::load(paths[0]).size(), QSize(4, 3));
    QCOMPARE(pictures::load(paths[1]).size(), QSize(4, 3));
    QCOMPARE(pictures::load(paths[8]).size(), QSize(4, 3));
    auto errorOf = [](const QString &path) { return vb::resumeNext([&] { pictures::load(path); }); };
    QCOMPARE(errorOf(paths[2]), 53);
    QCOMPARE(errorOf(paths[3]), 53);
    QCOMPARE(errorOf(paths[4]), 481);
    QCOMPARE(errorOf(paths[5]), 481);
    QCOMPARE(errorOf(paths[6]), 481);
    QCOMPARE(errorOf(paths[7]), 53);
    QCOMPARE(errorOf(paths[9]), 481);
}

// The bitmaps the loader reads by itself it reads as Qt's image reader does.
void tst_platformservices::bitmapsAsTheImageReaderHasThem_data()
{
    // bits a pixel, height, gap before the pixels, compression, width
    QTest::addColumn<QList<int>>("header");
    // clang-format off
    QTest::newRow("bottom-up, rows padded") << QList { 24, 3, 0, 0, 5 };
    QTest::newRow("top-down")               << QList { 24, -2, 0, 0, 5 };
    QTest::newRow("pixels after a gap")     << QList { 24, 2, 6, 0, 5 };
    QTest::newRow("read in several bands")  << QList { 24, 9000, 0, 0, 5 };
    QTest::newRow("16 bits, left to Qt")    << QList { 16, 2, 0, 0, 5 };
    QTest::newRow("bit fields, refused")    << QList { 24, 2, 0, 3, 5 };
    QTest::newRow("sides no picture has")   << QList { 24, INT_MAX, 0, 0, INT_MAX };
    // clang-format on
}

void tst_platformservices::bitmapsAsTheImageReaderHasThem()
{
    QFETCH(QList<int>, header);
    const int bits = header[0], height = header[1], gap = header[2], width = header[4];
    // A header that claims more than a test can write comes without pixels;
    // each side is bounded before their product.
    constexpr qint64 Most = 1 << 20;
    const qint64 stride = (qint64(width) * bits + 31) / 32 * 4;
    const qint64 rows = qAbs(qint64(height));
    const int size = stride > Most || rows > Most || stride * rows > Most ? 0 : int(stride * rows);
    QByteArray bytes("BM");
    QDataStream out(&bytes, QIODevice::Append);
    out.setByteOrder(QDataStream::LittleEndian);
    out << qint32(54 + gap + size) << 0 << 54 + gap << 40 << width << height << qint16(1) << qint16(bits)
        << header[3] << size << 2835 << 3000 << qint64(0);
    bytes.append(gap, '\x7f');
    for (int i = 0; i < size + 16; ++i) // and more than the pixels
        bytes.append(char(i * 37 + 11));
    const QString path = write(QStringLiteral("Plain%1.bmp").arg(QTest::currentDataTag()), bytes);

    QImage image;
    vb::resumeNext([&] { image = pictures::load(path); });
    const auto look = [](const QImage &i) { // alpha included
        return QString::asprintf(
                   "%d %dx%d %d/%d ", i.format(), i.width(), i.height(), i.dotsPerMeterX(), i.dotsPerMeterY())
            + QByteArray(reinterpret_cast<const char *>(i.constBits()), i.sizeInBytes()).toHex();
    };
    QCOMPARE(look(image), look(QImageReader(path).read()));
}

// A picture decoded ahead is taken only when it is the file the load finds,
// as the folder listings held when it was added have it: after a write of the
// program's own the file is read again. Its shape is the one its pixels give.
void tst_platformservices::prefetchTakesNothingStale()
{
    auto save = [](QRgb colour, const QString &path) {
        QImage image(4, 2, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        image.setPixel(1, 1, colour);
        QVERIFY(image.save(path));
    };
    const QString path = m_dir.filePath(QStringLiteral("Shaped.bmp"));
    save(qRgb(0, 0, 0), path);
    const ListingScope listings;
    pictures::Prefetch prefetch;
    prefetch.add(path, true);
    QThread::msleep(50);
    const QImage taken = pictures::load(path);
    QCOMPARE(taken.pixel(1, 1), qRgb(0, 0, 0));
    QCOMPARE(pictures::shapeRegion(taken), QRegion(1, 1, 1, 1));

    prefetch.add(path, true);
    QThread::msleep(50);
    save(qRgb(0, 0, 255), path);
    fs::forgetListings();
    QCOMPARE(pictures::load(path).pixel(1, 1), qRgb(0, 0, 255));

    // Made in another case by someone else after the folder was listed: the
    // load still finds the file the listing holds.
    const QString listed = m_dir.filePath(QStringLiteral("Case.bmp"));
    save(qRgb(0, 0, 0), listed);
    fs::forgetListings();
    QVERIFY(fs::fileExists(listed));
    const QString other = m_dir.filePath(QStringLiteral("CASE.bmp"));
    save(qRgb(0, 0, 255), other);
    prefetch.add(other);
    QThread::msleep(50);
    QCOMPARE(pictures::load(other).pixel(1, 1), qRgb(0, 0, 0));
}

void tst_platformservices::shapeRegion()
{
    QImage image(5, 3, QImage::Format_RGB32);
    image.fill(QColor(255, 0, 255));
    image.setPixel(1, 0, qRgb(0, 0, 0));
    image.setPixel(2, 0, qRgb(0, 0, 0));
    image.setPixel(4, 0, qRgb(255, 0, 254)); // one step from the key colour still counts
    image.setPixel(0, 2, qRgb(1, 1, 1));
    QRegion region = pictures::shapeRegion(image);
    QCOMPARE(region.rectCount(), 3);
    QVERIFY(region.contains(QPoint(1, 0)));
    QVERIFY(region.contains(QPoint(2, 0)));
    QVERIFY(!region.contains(QPoint(3, 0)));
    QVERIFY(region.contains(QPoint(4, 0)));
    QVERIFY(!region.contains(QPoint(0, 0)));
    QVERIFY(!region.contains(QPoint(2, 1)));
    QVERIFY(region.contains(QPoint(0, 2)));
    QCOMPARE(region.boundingRect(), QRect(0, 0, 5, 3));

    // A wide picture: a run across the 64th pixel, and equal rows in one band.
    QImage wide(70, 3, QImage::Format_RGB32);
    wide.fill(QColor(255, 0, 255));
    for (int y = 0; y < 2; ++y)
        for (int x = 60; x < 68; ++x)
            wide.setPixel(x, y, qRgb(0, 0, 0));
    wide.setPixel(69, 2, qRgb(0, 0, 0));
    region = pictures::shapeRegion(wide);
    QCOMPARE(
        QList<QRect>(region.begin(), region.end()), QList<QRect>({ QRect(60, 0, 8, 2), QRect(69, 2, 1, 1) }));

    // Alpha does not count: only the colour.
    QImage argb(2, 1, QImage::Format_ARGB32);
    argb.setPixel(0, 0, qRgba(10, 20, 30, 255));
    argb.setPixel(1, 0, qRgba(10, 20, 30, 0));
    QCOMPARE(pictures::shapeRegion(argb), QRegion(-1, -1, 1, 1));

    // All key colour: empty, yet not the null region that removes a mask.
    QImage plain(3, 3, QImage::Format_RGB32);
    plain.fill(Qt::white);
    region = pictures::shapeRegion(plain);
    QVERIFY(!region.isNull());
    QCOMPARE(region, QRegion(-1, -1, 1, 1));
    QVERIFY(!region.contains(QPoint(0, 0)));
}

void tst_platformservices::zoomed()
{
    QImage image(2, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(255, 0, 0));
    image.setPixel(1, 0, qRgb(0, 0, 255));
    const QImage big = pictures::zoomed(image, 2);
    QCOMPARE(big.size(), QSize(4, 2));
    QCOMPARE(big.pixel(1, 1), qRgb(255, 0, 0)); // replicated, not blended
    QCOMPARE(big.pixel(2, 0), qRgb(0, 0, 255));
    QCOMPARE(pictures::zoomed(image, 1), image);
}

// Two screens side by side, the first the primary one with a panel at its
// foot; a frame of 5 pixels with a title bar of 19. A place given is kept
// when given again.
void tst_platformservices::placeOnScreens_data()
{
    QTest::addColumn<QRect>("saved");
    QTest::addColumn<QRect>("placed");
    // clang-format off
    QTest::newRow("across both")            << QRect(800, 100, 400, 300)   << QRect(800, 100, 400, 300);
    QTest::newRow("over the panel")         << QRect(100, 700, 400, 80)    << QRect(100, 700, 400, 80);
    QTest::newRow("mostly on the second")   << QRect(1100, 900, 400, 300)  << QRect(1100, 719, 400, 300);
    QTest::newRow("most of it on the first, over its panel")
                                            << QRect(400, 745, 800, 100)   << QRect(195, 655, 800, 100);
    QTest::newRow("title bar above")        << QRect(1500, 10, 400, 300)   << QRect(1500, 24, 400, 300);
    QTest::newRow("frame past the edge")    << QRect(2, 100, 400, 300)     << QRect(5, 100, 400, 300);
    QTest::newRow("off every screen")       << QRect(5000, 4000, 400, 300) << QRect(595, 455, 400, 300);
    QTest::newRow("larger than its screen") << QRect(-50, -50, 1200, 900)  << QRect(5, 24, 990, 731);
    // clang-format on
}

void tst_platformservices::placeOnScreens()
{
    QFETCH(QRect, saved);
    QFETCH(QRect, placed);
    const QList<screen::Area> screens { { QRect(0, 0, 1000, 800), QRect(0, 0, 1000, 760) },
        { QRect(1000, 0, 1280, 1024), QRect(1000, 0, 1280, 1024) } };
    const QMargins frame(5, 24, 5, 5);
    QCOMPARE(screen::placeOnScreens(saved, screens, frame), placed);
    QCOMPARE(screen::placeOnScreens(placed, screens, frame), placed);
}

void tst_platformservices::registryFromFiles()
{
    const QString folder = m_dir.filePath(QStringLiteral("registry"));
    qputenv("TVX_MORVANE_REGISTRY", folder.toUtf8());
    bool found = true;
    QCOMPARE(registry::queryValue(registry::Root::CurrentUser, QStringLiteral("Software\\KRW\\rezori1"),
                 QStringLiteral("AppPath"), &found),
        QString());
    QVERIFY(!found);

    write(QStringLiteral("registry/registry-hkcu.ini"),
        "[Software\\KRW\\rezori1]\r\n"
        "AppPath=/opt/tovix/Tovix\r\n"
        "Empty=\r\n"
        "Quoted=\"a b\"\r\n"
        "[Software\\Classes\\TVX.SkinZip\\shell]\r\n"
        "@=UserVerb\r\n"
        "[Software\\Classes\\Only.User\\shell]\r\n"
        "@=OnlyUser\r\n");
    write(QStringLiteral("registry/registry-hklm.ini"),
        "[SOFTWARE\\CLASSES\\TVX.SkinZip\\Shell]\r\n"
        "@=MachineVerb\r\n");

    QCOMPARE(registry::queryValue(registry::Root::CurrentUser, QStringLiteral("software\\krw\\REZORI1"),
                 QStringLiteral("apppath"), &found),
        QStringLiteral("/opt/tovix/Tovix"));
    QVERIFY(found);
    QCOMPARE(registry::queryValue(registry::Root::CurrentUser, QStringLiteral("Software/KRW/rezori1/"),
                 QStringLiteral("AppPath")),
        QStringLiteral("/opt/tovix/Tovix"));
    QCOMPARE(registry::queryValue(registry::Root::CurrentUser, QStringLiteral("Software\\KRW\\rezori1"),
                 QStringLiteral("Empty"), &found),
        QString());
    QVERIFY(found);
    QCOMPARE(registry::queryValue(registry::Root::CurrentUser, QStringLiteral("Software\\KRW\\rezori1"),
                 QStringLiteral("Quoted")),
        QStringLiteral("\"a b\""));
    QCOMPARE(registry::queryValue(registry::Root::LocalMachine, QStringLiteral("Software\\KRW\\rezori1"),
                 QStringLiteral("AppPath"), &found),
        QString());
    QVERIFY(!found);

    // Default values, by "" or "@"; the machine's and the user's classes.
    QCOMPARE(registry::queryValue(registry::Root::LocalMachine,
                 QStringLiteral("SOFTWARE\\CLASSES\\TVX.SkinZip\\Shell"), QString()),
        QStringLiteral("MachineVerb"));
    QCOMPARE(registry::queryValue(registry::Root::CurrentUser,
                 QStringLiteral("Software\\Classes\\TVX.SkinZip\\shell"), QStringLiteral("@")),
        QStringLiteral("UserVerb"));
    QCOMPARE(
        registry::queryValue(registry::Root::ClassesRoot, QStringLiteral("TVX.SkinZip\\shell"), QString()),
        QStringLiteral("UserVerb"));
    QCOMPARE(registry::queryValue(registry::Root::ClassesRoot, QStringLiteral("only.user\\SHELL"), QString()),
        QStringLiteral("OnlyUser"));
    qunsetenv("TVX_MORVANE_REGISTRY");
}

void tst_platformservices::shellOpenAndVerbs()
{
    const QString folder = m_dir.filePath(QStringLiteral("shellreg"));
    qputenv("TVX_MORVANE_REGISTRY", folder.toUtf8());
    write(QStringLiteral("shellreg/registry-hklm.ini"),
        "[Software\\Classes\\.tvk]\r\n"
        "@=TVX.SkinZip\r\n"
        "[Software\\Classes\\TVX.SkinZip\\shell\\Apply\\command]\r\n"
        "@=\"/opt/tovix/Tovix\" --skin \"%1\"\r\n");
    const QString archive = write(QStringLiteral("My Skin.tvk"), "zip");
    const QString text = write(QStringLiteral("notes.txt"), "x");

    ShellRecorder recorder;
    const QList<shell::Launch> &launches = recorder.launches();

    QVERIFY(
        shell::execute(nullptr, QStringLiteral("Open"), m_dir.filePath(QStringLiteral("NOTES.TXT"))) > 32);
    QCOMPARE(launches.last().url, QUrl::fromLocalFile(text));
    QVERIFY(shell::execute(nullptr, QStringLiteral("open"), QStringLiteral("http://example.org/page")) > 32);
    QCOMPARE(launches.last().url, QUrl(QStringLiteral("http://example.org/page")));
    QCOMPARE(shell::execute(nullptr, QStringLiteral("Open"), m_dir.filePath(QStringLiteral("none.txt"))), 2);

    QVERIFY(shell::execute(nullptr, QStringLiteral("apply"), archive) > 32);
    QCOMPARE(launches.last().program, QStringLiteral("/opt/tovix/Tovix"));
    QCOMPARE(launches.last().arguments, (QStringList { QStringLiteral("--skin"), archive }));
    QCOMPARE(shell::execute(nullptr, QStringLiteral("Print"), archive), 31);
    QCOMPARE(shell::execute(nullptr, QStringLiteral("Apply"), text), 31);
    const int before = int(launches.size());
    recorder.setSucceeds(false);
    QCOMPARE(shell::execute(nullptr, QString(), text), 31);
    QCOMPARE(int(launches.size()), before + 1);

    // An unquoted "%1" still passes a name with blanks as one argument.
    recorder.setSucceeds(true);
    QVERIFY(shell::runCommand(QStringLiteral("player %1 -x"), archive));
    QCOMPARE(launches.last().arguments, (QStringList { archive, QStringLiteral("-x") }));
    QVERIFY(!shell::runCommand(QString(), archive));

    qunsetenv("TVX_MORVANE_REGISTRY");
}

void tst_platformservices::programFolderAndSettings()
{
    QCOMPARE(app::title(), QStringLiteral("TVX_Morvane"));
    const QString home = m_dir.filePath(QStringLiteral("home"));
    QVERIFY(QDir().mkpath(home));
    qputenv("TVX_MORVANE_HOME", (home + QLatin1Char('/')).toUtf8());
    QCOMPARE(app::path(), home);
    QCOMPARE(app::settingsFolder(), home);

    // A folder the program cannot write to sends the settings to the
    // configuration folder (root writes anywhere, so only where that holds).
    QFile::setPermissions(home, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (!QFileInfo(home).isWritable()) {
        qputenv("XDG_CONFIG_HOME", m_dir.filePath(QStringLiteral("config")).toUtf8());
        QCOMPARE(app::settingsFolder(), m_dir.filePath(QStringLiteral("config/TVX_Morvane")));
        QVERIFY(QFileInfo(app::settingsFolder()).isDir());
        qunsetenv("XDG_CONFIG_HOME");
    }
    QFile::setPermissions(home, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    qunsetenv("TVX_MORVANE_HOME");
    QCOMPARE(app::path(), QCoreApplication::applicationDirPath());
}

void tst_platformservices::singleInstance()
{
    const QString runtime = m_dir.filePath(QStringLiteral("runtime"));
    QVERIFY(QDir().mkpath(runtime));
    QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtime.toUtf8());

    QVERIFY(app::acquireSingleInstance());
    QVERIFY(app::acquireSingleInstance()); // already ours
    QVERIFY(QFileInfo::exists(runtime + QStringLiteral("/TVX_Morvane.lock")));

    // A lock held by a living copy keeps us out, at once.
    app::releaseSingleInstance();
    QLockFile other(runtime + QStringLiteral("/TVX_Morvane.lock"));
    QVERIFY(other.tryLock(0));
    QElapsedTimer timer;
    timer.start();
    QVERIFY(!app::acquireSingleInstance());
    QVERIFY(timer.elapsed() < 1000);
    other.unlock();
    QVERIFY(app::acquireSingleInstance());
    app::releaseSingleInstance();
    QVERIFY(!QFileInfo::exists(runtime + QStringLiteral("/TVX_Morvane.lock")));
    qunsetenv("XDG_RUNTIME_DIR");
}

void tst_platformservices::fontFiles()
{
    QCOMPARE(fonts::addFontFile(m_dir.filePath(QStringLiteral("missing.ttf"))), -1);
    QCOMPARE(fonts::addFontFile(write(QStringLiteral("bad.ttf"), "not a font")), -1);
    fonts::removeFontFile(-1);
    const QString system = QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
    if (!QFileInfo::exists(system))
        QSKIP("no font file to register");
    QFile::copy(system, m_dir.filePath(QStringLiteral("Skin.TTF")));
    const int id = fonts::addFontFile(m_dir.filePath(QStringLiteral("skin.ttf")));
    QVERIFY(id >= 0);
    QVERIFY(!QFontDatabase::applicationFontFamilies(id).isEmpty());
    fonts::removeFontFile(id);
    QVERIFY(QFontDatabase::applicationFontFamilies(id).isEmpty());
}

QTEST_MAIN(tst_platformservices)
#include "tst_platformservices.moc"
