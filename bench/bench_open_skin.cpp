// How to run:  build/bench/bench_open_skin [count]
// (offscreen by itself; a quiet machine gives steady figures).
//
// Opening a large window skin inside the editor, for 300 and for 5,000 buttons:
// - the time from the open command to the preview drawn, against the time to
//   decode the same image files, medians of five (the ratio is the figure to
//   watch);
// - the time per button at 5,000 against that at 300;
// - one step of a plain drag of a button with its redraw, median of 200 steps.
// A count as the argument measures that one size. Under a profiler the measured
// open is timedOpen, the decoding decodeImages and the drag step dragStep, e.g.
//   valgrind --tool=callgrind build/bench/bench_open_skin 1500
// and TVX_BENCH_REPEAT=n adds n opens and leaves the drag out, e.g.
//   TVX_BENCH_REPEAT=40 perf record -g build/bench/bench_open_skin 300
// The pictures of an open are decoded on a second thread: a profiler of one
// thread (callgrind's --toggle-collect) does not count them.
#include "BenchSkin.h"
#include "skin/Module.h"
#include "core/frmMain.h"
#include "preview/frmSkin.h"
#include "core/startup.h"
#include "platform/Dialogs.h"
#include "platform/IniFile.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QImageReader>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

double seconds(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e9;
}

double median(std::vector<double> values)
{
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

Q_NEVER_INLINE void decodeImages(const QStringList &images)
{
    for (const QString &path : images) {
        QImageReader reader(path);
        if (reader.read().isNull())
            std::fprintf(stderr, "cannot decode %s\n", qPrintable(path));
    }
}

// Counts the paints of the object it watches.
class PaintCount : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// From the open command to the preview drawn, once: the editor draws its main
// window, with the preview in it, when it next runs its events.
void openAndDraw(frmMain *main, const QString &skinFile)
{
    main->OpenRoad(skinFile);
    PaintCount count;
    frmSkin::get()->pctSkinMain->installEventFilter(&count);
    QCoreApplication::processEvents();
    if (count.paints == 0)
        std::fprintf(stderr, "the preview was not drawn\n");
}

void closeSkin()
{
    frmSkin::unload();
    QCoreApplication::processEvents();
    // The windows' frames go as the editor's event loop lets them go.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
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
        const QStringList images = bench::writeSkin(folder, counts[k]);
        // Warm-up: the system's file and font caches, the editor's first windows.
        openAndDraw(main, skinFile);
        closeSkin();
        // The medians of five decodings and five opens, taken in turn.
        std::vector<double> decodes, opens;
        for (int run = 0; run < 5; ++run) {
            QElapsedTimer timer;
            timer.start();
            decodeImages(images);
            decodes.push_back(seconds(timer));
            opens.push_back(timedOpen(main, skinFile));
            closeSkin();
        }
        const double decode = median(decodes);
        const double open = median(opens);
        // Under a profiler, TVX_BENCH_REPEAT=n opens the skin n times more and
        // measures no drag.
        const bool profiling = qEnvironmentVariableIsSet("TVX_BENCH_REPEAT");
        for (int r = qEnvironmentVariableIntValue("TVX_BENCH_REPEAT"); r > 0; --r) {
            timedOpen(main, skinFile);
            closeSkin();
        }
        double drag = 0;
        if (!profiling) {
            openAndDraw(main, skinFile);
            drag = dragStepSeconds(200);
            closeSkin();
        }
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
