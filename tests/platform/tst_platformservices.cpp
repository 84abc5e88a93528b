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

#include <array>
#include <cstdlib>
#include <cstring>

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

namespace {

// A Windows bitmap of the header fields bits a pixel, height, gap before the
// pixels, compression and width, then, when given, the colours its header
// states (0: as many as the bits allow) and the size of its info header (40,
// or 12 for the old kind). Colour masks of bit fields after a 40-byte header
// and a colour table come before the gap.
QByteArray bitmapFile(const QList<int> &header, const QByteArray &pixels)
{
    const int bits = header[0], height = header[1], gap = header[2], compression = header[3],
              width = header[4];
    const int stated = header.value(5), infoSize = header.value(6, 40);
    const int masks = compression == 3 && infoSize == 40 ? 12 : 0;
    const int table = (bits > 8 ? 0 : stated > 0 ? stated : 1 << bits) * (infoSize == 12 ? 3 : 4);
    const int offset = 14 + infoSize + masks + table + gap;
    QByteArray bytes("BM");
    QDataStream out(&bytes, QIODevice::Append);
    out.setByteOrder(QDataStream::LittleEndian);
    out << qint32(offset + pixels.size()) << 0 << offset << infoSize;
    if (infoSize == 12)
        out << qint16(width) << qint16(height) << qint16(1) << qint16(bits);
    else
        out << width << height << qint16(1) << qint16(bits) << compression << qint32(pixels.size()) << 2835
            << 3000 << stated << 0;
    for (int i = 40; i < infoSize; ++i) // the fields of later headers, none used
        out << quint8(0);
    if (masks > 0)
        out << 0xF800 << 0x07E0 << 0x1F;
    for (int i = 0; i < table + gap; ++i)
        out << quint8(i < table ? i * 29 + 3 : 0x7f);
    out.writeRawData(pixels.constData(), int(pixels.size()));
    return bytes;
}

} // namespace

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
    const QByteArray dib = bitmapFile({ 24, 2, 0, 0, 5 }, QByteArray(32, '\x11')).mid(14);
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
            QByteArray::fromHex("424d00000000000000000000000000280000000200e201000100000000000000000000")),
        // A DIB, whole and cut short: a bitmap without the file header.
        write(QStringLiteral("Plain.dib"), dib), write(QStringLiteral("Short.dib"), dib.chopped(1)),
        // Run-length codes that end after the first 4 pixels of the bottom row.
        write(QStringLiteral("Codes.bmp"),
            bitmapFile({ 8, 32, 0, 1, 64, 2 }, QByteArray::fromHex("04010001"))) };
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
    QCOMPARE(pictures::load(paths[10]).size(), QSize(5, 2));
    QCOMPARE(errorOf(paths[11]), 481);
    // The pixels the codes pass over are the first colour, not what the
    // memory held before.
    std::array<void *, 8> dirt {};
    for (void *&block : dirt)
        block = std::memset(std::malloc(64 * 32), 0x5a, 64 * 32);
    for (void *block : dirt)
        std::free(block);
    const QImage coded = pictures::load(paths[12]);
    QCOMPARE(QList({ coded.pixelIndex(3, 31), coded.pixelIndex(4, 31), coded.pixelIndex(63, 0) }),
        QList({ 1, 0, 0 }));
}

// The bitmaps the loader reads by itself it reads as Qt's image reader does,
// and those it leaves to the reader as the reader reads them; but a bitmap
// whose pixels or run-length codes run past the end of the file is refused.
void tst_platformservices::bitmapsAsTheImageReaderHasThem_data()
{
    // bits a pixel, height, gap before the pixels, compression, width, and as
    // bitmapFile() takes them, the colours stated and the info header's size
    QTest::addColumn<QList<int>>("header");
    QTest::addColumn<QByteArray>("codes"); // run-length codes, or pixels of a pattern
    QTest::addColumn<int>("missing"); // bytes missing at the end, or when negative left over
    // clang-format off
    // runs, pixels as they stand (padded to 2-byte words), ends of rows, end of bitmap
    const QByteArray rle8 = QByteArray::fromHex("0301" "00050a0b0c0d0e00" "0000" "0802" "0001");
    const QByteArray rle4 = QByteArray::fromHex("0412" "00043456" "0000" "0878" "0000");
    const QByteArray rows = QByteArray::fromHex("08050000").repeated(20000);
    QTest::newRow("bottom-up, rows padded") << QList { 24, 3, 0, 0, 5 } << QByteArray() << -16;
    QTest::newRow("top-down")               << QList { 24, -2, 0, 0, 5 } << QByteArray() << -16;
    QTest::newRow("pixels after a gap")     << QList { 24, 2, 6, 0, 5 } << QByteArray() << -16;
    QTest::newRow("read in several bands")  << QList { 24, 9000, 0, 0, 5 } << QByteArray() << -16;
    QTest::newRow("16 bits, left to Qt")    << QList { 16, 2, 0, 0, 5 } << QByteArray() << -16;
    QTest::newRow("bit fields, refused")    << QList { 24, 2, 0, 3, 5 } << QByteArray() << -16;
    QTest::newRow("sides no picture has")   << QList { 24, INT_MAX, 0, 0, INT_MAX } << QByteArray() << -16;
    QTest::newRow("1 bit")                  << QList { 1, 3, 0, 0, 5 } << QByteArray() << 0;
    QTest::newRow("4 bits, 3 colours")      << QList { 4, 2, 0, 0, 5, 3 } << QByteArray() << 0;
    QTest::newRow("4 bits, old header")     << QList { 4, 2, 0, 0, 5, 0, 12 } << QByteArray() << 0;
    QTest::newRow("8 bits, top-down")       << QList { 8, -3, 0, 0, 5 } << QByteArray() << 0;
    QTest::newRow("16-bit bit fields")      << QList { 16, 2, 0, 3, 5 } << QByteArray() << 0;
    QTest::newRow("bit fields, V5 header")  << QList { 32, 2, 0, 3, 3, 0, 124 } << QByteArray() << 0;
    QTest::newRow("RLE8")                   << QList { 8, 2, 0, 1, 8 } << rle8 << 0;
    QTest::newRow("RLE8, no end code")      << QList { 8, 2, 0, 1, 8 } << rle8.chopped(2) << 0;
    QTest::newRow("RLE8, a run cut at the bottom row's end")
        << QList { 8, 1, 0, 1, 8 } << QByteArray::fromHex("000a0102030405060708000100") << 0;
    QTest::newRow("RLE8, read in bands")    << QList { 8, 20000, 0, 1, 8 } << rows << 0;
    QTest::newRow("RLE4")                   << QList { 4, 2, 0, 2, 8 } << rle4 << 0;
    QTest::newRow("24 bits, cut short")     << QList { 24, 3, 0, 0, 5 } << QByteArray() << 1;
    QTest::newRow("24 bits in bands, cut short") << QList { 24, 9000, 0, 0, 5 } << QByteArray() << 1000;
    QTest::newRow("8 bits, cut short")      << QList { 8, -3, 6, 0, 5 } << QByteArray() << 1;
    QTest::newRow("V5 header, cut short")   << QList { 32, 2, 0, 3, 3, 0, 124 } << QByteArray() << 1;
    QTest::newRow("RLE8, cut short")        << QList { 8, 2, 0, 1, 8 } << rle8 << 4;
    QTest::newRow("RLE8 in bands, cut short") << QList { 8, 20000, 0, 1, 8 } << rows << 6;
    QTest::newRow("RLE4, cut short")        << QList { 4, 2, 0, 2, 8 } << rle4 << 3;
    // clang-format on
}

void tst_platformservices::bitmapsAsTheImageReaderHasThem()
{
    QFETCH(QList<int>, header);
    QFETCH(QByteArray, codes);
    QFETCH(int, missing);
    const int bits = header[0], height = header[1], width = header[4];
    // A header that claims more than a test can write comes without pixels;
    // each side is bounded before their product.
    constexpr qint64 Most = 1 << 20;
    const qint64 stride = (qint64(width) * bits + 31) / 32 * 4;
    const qint64 rows = qAbs(qint64(height));
    const int size = stride > Most || rows > Most || stride * rows > Most ? 0 : int(stride * rows);
    QByteArray pixels = codes;
    pixels.chop(qMax(0, missing));
    for (int i = 0; codes.isEmpty() && i < size - missing; ++i)
        pixels.append(char(i * 37 + 11));
    const QString path
        = write(QStringLiteral("Plain%1.bmp").arg(QTest::currentDataTag()), bitmapFile(header, pixels));

    QImage image;
    const int error = vb::resumeNext([&] { image = pictures::load(path); });
    const auto look = [](const QImage &i) { // alpha included
        return QString::asprintf(
                   "%d %dx%d %d/%d ", i.format(), i.width(), i.height(), i.dotsPerMeterX(), i.dotsPerMeterY())
            + QByteArray(reinterpret_cast<const char *>(i.constBits()), i.sizeInBytes()).toHex();
    };
    if (missing > 0)
        QCOMPARE(error, 481);
    else
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
    // A command whose program is an empty name does not run its first argument.
    const int launched = int(launches.size());
    QVERIFY(!shell::runCommand(QStringLiteral("\"\" \"%1\""), archive));
    QCOMPARE(int(launches.size()), launched);

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
