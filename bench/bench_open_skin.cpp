// How to run:  build/bench/bench_open_skin [count]
// (offscreen by itself; a quiet machine gives steady figures).
//
// Opening a large window skin inside the editor, for 300 and for 5,000 buttons:
// - the time from the open command to the preview drawn, against the time to
//   decode the same image files (the ratio is the figure to watch);
// - the time per button at 5,000 against that at 300;
// - one step of a plain drag of a button with its redraw, median of 200 steps.
// A count as the argument measures that one size. Under a profiler the measured
// open is timedOpen, the decoding decodeImages and the drag step dragStep, e.g.
//   valgrind --tool=callgrind build/bench/bench_open_skin 1500
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
#include <QMouseEvent>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

QStringList writeSkin(const QString &folder, int buttons)
{
    QStringList images;
    auto save = [&](const QImage &image, const QString &name) {
        image.save(folder + name, "BMP");
        images << folder + name;
    };
    // A shaped main image: its key colour (the top-left pixel's) frames it.
    QImage main(1280, 720, QImage::Format_RGB32);
    main.fill(Qt::magenta);
    for (int y = 2; y < 718; ++y)
        std::fill_n(reinterpret_cast<QRgb *>(main.scanLine(y)) + 2, 1276, qRgb(0, 0, 139));
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

double seconds(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e9;
}

Q_NEVER_INLINE void decodeImages(const QStringList &images)
{
    for (const QString &path : images) {
        QImageReader reader(path);
        if (reader.read().isNull())
            std::fprintf(stderr, "cannot decode %s\n", qPrintable(path));
    }
}

// From the open command to the preview drawn.
void openAndDraw(frmMain *main, const QString &skinFile)
{
    main->OpenRoad(skinFile);
    QCoreApplication::processEvents();
    frmSkin::get()->grab();
}

void closeSkin()
{
    frmSkin::unload();
    QCoreApplication::processEvents();
}

Q_NEVER_INLINE double timedOpen(frmMain *main, const QString &skinFile)
{
    ini::clearCache();
    QElapsedTimer timer;
    timer.start();
    openAndDraw(main, skinFile);
    const double elapsed = seconds(timer);
    if (ButtonCount() == 0 || gSkinChanged)
        std::fprintf(stderr, "the skin did not open completely\n");
    return elapsed;
}

void sendMouse(QWidget *target, QEvent::Type type, const QPoint &local, Qt::MouseButtons held)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(
        type, QPointF(local), QPointF(target->mapToGlobal(local)), button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// One step of a plain drag: the mouse moves the pressed button by a pixel and
// the preview is redrawn.
Q_NEVER_INLINE void dragStep(QWidget *button, const QPoint &local)
{
    sendMouse(button, QEvent::MouseMove, local, Qt::LeftButton);
    QCoreApplication::processEvents();
}

// Median time of one drag step of a button in the middle of the skin.
double dragStepSeconds(int steps)
{
    frmSkin *skin = frmSkin::get();
    PictureBox *button = skin->pctSkinButton[std::max(1, ButtonCount() / 2)];
    const QPoint grip(button->width() / 2, button->height() / 2);
    sendMouse(button, QEvent::MouseButtonPress, grip, Qt::LeftButton);
    QCoreApplication::processEvents();
    // Past the distance at which a press becomes a drag; then one pixel each
    // way in turn, so that the button stays where it is.
    dragStep(button, grip + QPoint(QApplication::startDragDistance() + 1, 0));
    std::vector<double> times;
    for (int i = 0; i < steps; ++i) {
        QElapsedTimer timer;
        timer.start();
        dragStep(button, grip + QPoint(i % 2 == 0 ? 1 : -1, 0));
        times.push_back(seconds(timer));
    }
    sendMouse(button, QEvent::MouseButtonRelease, grip, Qt::NoButton);
    QCoreApplication::processEvents();
    std::nth_element(times.begin(), times.begin() + steps / 2, times.end());
    return times[size_t(steps / 2)];
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home, runtime;
    qputenv("TVX_MORVANE_HOME", home.path().toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    QApplication app(argc, argv);
    // The drag leaves the skin modified: its close is answered No.
    dialogs::setResponder([](const dialogs::Request &request) {
        if (!request.prompt.startsWith(QLatin1String("The skin has been modified")))
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
        const QString skinFile = folder + QStringLiteral("Skin.ini");
        const QStringList images = writeSkin(folder, counts[k]);
        // Warm-up: the system's file and font caches, the editor's first windows.
        openAndDraw(main, skinFile);
        closeSkin();
        QElapsedTimer timer;
        timer.start();
        decodeImages(images);
        const double decode = seconds(timer);
        const double open = timedOpen(main, skinFile);
        const double drag = dragStepSeconds(200);
        closeSkin();
        perButton[k] = open / counts[k];
        std::printf("%5d buttons: open+draw %.3f s, decode %.3f s, ratio %.2f, %.1f us per button, "
                    "drag step %.2f ms\n",
            counts[k], open, decode, open / decode, perButton[k] * 1e6, drag * 1e3);
    }
    if (sizes == 2)
        std::printf("time per button at 5000 / at 300: %.2f\n", perButton[1] / perButton[0]);
    main->close();
    delete main;
    return 0;
}
