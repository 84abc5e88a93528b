// How to run:  build/bench/bench_whole_program [count] [pairs]
// (offscreen by itself; a quiet machine gives steady figures).
//
// The whole program against the mere decoding of a skin's pictures, for 300 and
// for 5,000 buttons (or the one count given), in pairs of runs (5 by default):
// - the editor, build/TVX_Morvane, started with a window skin on its command
//   line: it starts, opens the skin, draws its windows and quits, the last two
//   on the environment variable TVX_MORVANE_QUIT_WHEN_DRAWN;
// - this program started as "bench_whole_program --decode <list>", which decodes
//   the skin's image files named in the list and ends.
// Each pair gives the ratio of the two times from start to end; the median
// ratio is the figure to watch. A first pair warms the system's caches up.
#include "BenchSkin.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// The decoding half: the files named in the list, one a line.
int decode(const char *listFile)
{
    QFile list(QString::fromLocal8Bit(listFile));
    if (!list.open(QIODevice::ReadOnly))
        return 2;
    for (const QByteArray &line : list.readAll().split('\n')) {
        if (line.isEmpty())
            continue;
        QImageReader reader(QString::fromUtf8(line));
        if (reader.read().isNull()) {
            std::fprintf(stderr, "cannot decode %s\n", line.constData());
            return 1;
        }
    }
    return 0;
}

// Seconds from the start of program to its end.
double run(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    // A program that waits on a message box never ends: it is given a minute.
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0) {
        std::fprintf(stderr, "%s did not end well:\n%s\n", qPrintable(program),
            process.readAllStandardError().constData());
        std::exit(1);
    }
    return double(timer.nsecsElapsed()) / 1e9;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--decode") == 0)
        return decode(argv[2]);

    QCoreApplication app(argc, argv);
    const QString editor = QCoreApplication::applicationDirPath() + QStringLiteral("/../TVX_Morvane");
    if (!QFile::exists(editor)) {
        std::fprintf(stderr, "no editor at %s\n", qPrintable(editor));
        return 1;
    }
    std::vector<int> counts { 300, 5000 };
    if (argc > 1)
        counts = { std::atoi(argv[1]) };
    const int pairs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;

    QTemporaryDir home, runtime, config;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("TVX_MORVANE_HOME"), home.path());
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    QProcessEnvironment editorEnvironment = environment;
    editorEnvironment.insert(QStringLiteral("TVX_MORVANE_QUIT_WHEN_DRAWN"), QStringLiteral("1"));

    for (const int count : counts) {
        QTemporaryDir skins;
        const QString folder = skins.path() + QLatin1Char('/');
        const QStringList images = bench::writeSkin(folder, count);
        QFile list(folder + QStringLiteral("images.txt"));
        list.open(QIODevice::WriteOnly);
        list.write(images.join(QLatin1Char('\n')).toUtf8());
        list.close();
        const QStringList editorArguments { folder + QStringLiteral("Skin.ini") };
        const QStringList decodeArguments { QStringLiteral("--decode"), list.fileName() };

        std::vector<double> program, decoding, ratios;
        for (int pair = -1; pair < pairs; ++pair) {
            const double p = run(editor, editorArguments, editorEnvironment);
            const double d = run(QCoreApplication::applicationFilePath(), decodeArguments, environment);
            if (pair < 0)
                continue;
            program.push_back(p);
            decoding.push_back(d);
            ratios.push_back(p / d);
        }
        std::printf("%5d buttons: whole program %.3f s, decoding program %.3f s (medians of %d pairs), "
                    "median ratio %.2f\n",
            count, median(program), median(decoding), pairs, median(ratios));
    }
    return 0;
}
