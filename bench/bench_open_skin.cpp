// Opening a large window skin: the time from the open command to the preview
// drawn, against the time to decode the same image files, for 300 and for 5,000
// buttons. Run offscreen:  QT_QPA_PLATFORM=offscreen build/bench/bench_open_skin
// A count as the argument measures that one size (for a profiler).
#include "skin/Module.h"
#include "core/frmMain.h"
#include "preview/frmSkin.h"
#include "core/startup.h"
#include "platform/Dialogs.h"
#include "platform/IniFile.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {

QStringList writeSkin(const QString &folder, int buttons)
{
    QStringList images;
    auto save = [&](const QImage &image, const QString &name) {
        image.save(folder + name, "BMP");
        images << folder + name;
    };
    QImage main(1280, 720, QImage::Format_RGB32);
    main.fill(Qt::darkBlue);
    save(main, QStringLiteral("Main.bmp"));
    QImage button(32, 32, QImage::Format_RGB32);
    button.fill(Qt::magenta);
    for (int y = 4; y < 28; ++y)
        for (int x = 4; x < 28; ++x)
            button.setPixel(x, y, qRgb(x * 8, y * 8, 40));
    QImage bar(200, 12, QImage::Format_RGB32);
    bar.fill(Qt::gray);
    save(bar, QStringLiteral("trk.bmp"));
    save(button, QStringLiteral("volN.bmp"));

    QByteArray ini = "[Tovix.Skin]\r\nVersion=1.00\r\n\r\n[Settings]\r\nSkinType=0\r\nMainImg=Main.bmp\r\n"
                     "MainAnySape=1\r\nExt=.bmp\r\n\r\n[Buttons]\r\nNumber="
        + QByteArray::number(buttons) + "\r\n";
    for (int i = 1; i <= buttons; ++i) {
        save(button, QStringLiteral("B%1N.bmp").arg(i));
        ini += "Btn" + QByteArray::number(i) + "=B" + QByteArray::number(i) + "," + QByteArray::number(i % 1240)
            + "," + QByteArray::number((i / 40) % 680) + ",1," + QByteArray::number(i % 123) + ";Text, with; marks\r\n";
    }
    ini += "\r\n[Display]\r\n";
    for (const char *key : { "Version", "Title", "MovInfo", "MovTimeLen", "sRepeat", "Subs", "Status" })
        ini += QByteArray(key) + "=10,20;Arial,8,B;FFFFFF\r\n";
    ini += "MaxTitleWidth=200\r\nSubsMaxWidth=300\r\n\r\n"
           "[TrackBar]\r\nPosSize=10,700,200,12\r\nKind=HB\r\nBitmap=trk.bmp\r\n\r\n"
           "[Volume]\r\nPosSize=300,700,100,12\r\nKind=HBtn\r\nButtonImg=vol\r\n\r\n"
           "[GUI]\r\nMenuBackClr=112233\r\n\r\n[Text]\r\nAuthor=Bench\r\nURL=\r\nDescription=Bench\r\n\r\n";
    QFile file(folder + QStringLiteral("Skin.ini"));
    file.open(QIODevice::WriteOnly);
    file.write(ini);
    return images;
}

double decodeSeconds(const QStringList &images)
{
    QElapsedTimer timer;
    timer.start();
    for (const QString &path : images) {
        QImageReader reader(path);
        if (reader.read().isNull())
            std::fprintf(stderr, "cannot decode %s\n", qPrintable(path));
    }
    return timer.nsecsElapsed() / 1e9;
}

double openSeconds(frmMain *main, const QString &skinFile)
{
    ini::clearCache();
    QElapsedTimer timer;
    timer.start();
    main->OpenRoad(skinFile);
    QCoreApplication::processEvents();
    frmSkin::get()->grab();
    const double seconds = timer.nsecsElapsed() / 1e9;
    if (ButtonCount() == 0 || gSkinChanged)
        std::fprintf(stderr, "the skin did not open completely\n");
    frmSkin::unload();
    QCoreApplication::processEvents();
    return seconds;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home, runtime;
    qputenv("TVX_MORVANE_HOME", home.path().toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    QApplication app(argc, argv);
    dialogs::setResponder([](const dialogs::Request &request) {
        std::fprintf(stderr, "dialog: %s\n", qPrintable(request.prompt));
        dialogs::Answer answer;
        answer.button = dialogs::vbNo;
        return answer;
    });
    frmMain *main = startEditor({ QStringLiteral("TVX_Morvane") });

    double perButton[2] = {};
    int counts[2] = { 300, 5000 };
    const int sizes = argc > 1 ? 1 : 2;
    if (argc > 1)
        counts[0] = std::atoi(argv[1]);
    for (int k = 0; k < sizes; ++k) {
        QTemporaryDir skins;
        const QString folder = skins.path() + QLatin1Char('/');
        const QStringList images = writeSkin(folder, counts[k]);
        openSeconds(main, folder + QStringLiteral("Skin.ini")); // warm-up: caches, fonts
        const double decode = decodeSeconds(images);
        const double open = openSeconds(main, folder + QStringLiteral("Skin.ini"));
        perButton[k] = open / counts[k];
        std::printf("%5d buttons: open+draw %.3f s, decode %.3f s, ratio %.2f, %.1f us per button\n", counts[k],
            open, decode, open / decode, perButton[k] * 1e6);
    }
    if (sizes == 2)
        std::printf("time per button at 5000 / at 300: %.2f\n", perButton[1] / perButton[0]);
    main->close();
    delete main;
    return 0;
}
