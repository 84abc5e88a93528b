// Packs and unpacks a skin folder of 100 files (about 20 MB of bitmaps) with the
// editor's archive layer and with the zip and unzip programs, and prints how long
// ours takes against theirs (best of three runs each).
#include "archive/Zip_UnZip.h"
#include "skin/Module.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace {

// A bitmap that compresses as real skin art does: gradients, shapes and some noise.
void writeBitmap(const QString &path, int width, int height, quint32 seed)
{
    QImage image(width, height, QImage::Format_RGB888);
    QRandomGenerator random(seed);
    QLinearGradient gradient(0, 0, width, height);
    gradient.setColorAt(0, QColor::fromRgb(random.generate()));
    gradient.setColorAt(1, QColor::fromRgb(random.generate()));
    QPainter painter(&image);
    painter.fillRect(image.rect(), gradient);
    for (int i = 0; i < 40; ++i) {
        painter.setBrush(QColor::fromRgb(random.generate()));
        painter.drawEllipse(random.bounded(width), random.bounded(height), width / 6 + 1, height / 6 + 1);
    }
    painter.end();
    for (int i = 0; i < width * height / 8; ++i)
        image.setPixel(random.bounded(width), random.bounded(height), random.generate());
    image.save(path, "BMP");
}

qint64 bestOf3(const std::function<void()> &prepare, const std::function<void()> &work)
{
    qint64 best = -1;
    for (int run = 0; run < 3; ++run) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        work();
        const qint64 took = timer.nsecsElapsed();
        if (best < 0 || took < best)
            best = took;
    }
    return best;
}

void runProgram(const QString &program, const QStringList &arguments, const QString &folder)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    if (!process.waitForFinished(600000) || process.exitCode() != 0)
        std::fprintf(stderr, "%s failed\n", qPrintable(program));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir work;
    const QString skin = work.filePath(QStringLiteral("skin"));
    QDir().mkpath(skin);

    // 1 main image, 6 larger bitmaps, 92 button images and the skin file: 100 files.
    writeBitmap(skin + QStringLiteral("/main.bmp"), 1280, 720, 1);
    for (int i = 0; i < 6; ++i)
        writeBitmap(skin + QStringLiteral("/large%1.bmp").arg(i), 1100, 700, 10 + quint32(i));
    for (int i = 0; i < 92; ++i)
        writeBitmap(skin + QStringLiteral("/button%1%2.bmp").arg(i / 4).arg(QChar(u"andu"[i % 4])), 220, 90,
            100 + quint32(i));
    QFile ini(skin + QStringLiteral("/Skin.ini"));
    ini.open(QIODevice::WriteOnly);
    ini.write("[Tovix.Skin]\r\nVersion=1.00\r\n");
    ini.close();
    qint64 total = 0;
    const QFileInfoList files = QDir(skin).entryInfoList(QDir::Files);
    for (const QFileInfo &file : files)
        total += file.size();
    std::printf("skin folder: %lld files, %.1f MB\n", static_cast<long long>(files.size()), total / 1e6);

    const QString ours = work.filePath(QStringLiteral("ours.tvk"));
    const QString theirs = work.filePath(QStringLiteral("theirs.zip"));
    gSkinFolder = skin + QLatin1Char('/');
    const qint64 zipOurs = bestOf3([&] { QFile::remove(ours); },
        [&] {
            gZipOptRootDir = skin;
            gZipOptRecurse = 1;
            gZipOptLevel = 57;
            gZipArgc = 1;
            gZipFileNames[0] = skin + QStringLiteral("/*.*");
            gZipArchiveName = ours;
            if (RunZip() != 0)
                std::fprintf(stderr, "RunZip failed\n");
        });
    const qint64 zipTheirs = bestOf3([&] { QFile::remove(theirs); },
        [&] {
            runProgram(QStringLiteral("zip"), { QStringLiteral("-9qr"), theirs, QStringLiteral(".") }, skin);
        });

    const QString outOurs = work.filePath(QStringLiteral("out-ours"));
    const QString outTheirs = work.filePath(QStringLiteral("out-theirs"));
    const qint64 unzipOurs = bestOf3([&] { QDir(outOurs).removeRecursively(); },
        [&] {
            gUnzipOptFlags.fill(0);
            gUnzipOptFlags[UnzipFlag::ndflag] = 1;
            gUnzipOptFlags[UnzipFlag::noflag] = 1;
            gUnzipArchiveName = ours;
            gUnzipExtractDir = outOurs;
            RunUnzip();
            if (gApiResult != 0)
                std::fprintf(stderr, "RunUnzip failed: %d\n", gApiResult);
        });
    const qint64 unzipTheirs = bestOf3([&] { QDir(outTheirs).removeRecursively(); },
        [&] {
            runProgram(QStringLiteral("unzip"),
                { QStringLiteral("-qo"), ours, QStringLiteral("-d"), outTheirs }, {});
        });

    std::printf("archive size: ours %.2f MB, zip -9 %.2f MB\n", QFileInfo(ours).size() / 1e6,
        QFileInfo(theirs).size() / 1e6);
    std::printf("create:  ours %.0f ms, zip -9 -r %.0f ms, ratio %.2f\n", zipOurs / 1e6, zipTheirs / 1e6,
        double(zipOurs) / double(zipTheirs));
    std::printf("extract: ours %.0f ms, unzip %.0f ms, ratio %.2f\n", unzipOurs / 1e6, unzipTheirs / 1e6,
        double(unzipOurs) / double(unzipTheirs));
    return 0;
}
