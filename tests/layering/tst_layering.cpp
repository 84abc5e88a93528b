#include <QDirIterator>
#include <QFile>
#include <QHash>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

// The layers of src/, as the build's layer list names them: an include never
// points upward, a window-free layer names no widget header, and the includes
// between folders form no circle.
class tst_layering : public QObject
{
    Q_OBJECT

private slots:
    void includesPointDownward();
    void windowFreeLayersIncludeNoWidget();
    void foldersFormNoCircle();

private:
    struct Include {
        QString file; // "editors/buttons/frmImagesToolBar.cpp"
        QString header; // "core/frmMain.h"
    };
    struct Layer {
        bool windowFree = false;
        QStringList below; // every layer it may include, those it builds on and theirs
    };
    static QHash<QString, Layer> layers();
    // The includes of src/ whose header matches pattern (its first group); by
    // default those in quotes, ours.
    static QList<Include> includes(const QString &pattern = QStringLiteral("\"([^\"]+)\""));
    static QString folderOf(const QString &path) { return path.left(path.lastIndexOf(QLatin1Char('/'))); }
    static QString layerOf(const QString &path) { return path.section(QLatin1Char('/'), 0, 0); }
};

// The layer list: "<layer> <Qt module> <layer it builds on>...", bottom to top.
QHash<QString, tst_layering::Layer> tst_layering::layers()
{
    QHash<QString, Layer> found;
    QFile file(QString::fromUtf8(TVX_LAYERS_FILE));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return found;
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList fields = line.split(blanks);
        Layer layer;
        layer.windowFree = fields.value(1) == QLatin1String("Gui");
        for (const QString &base : fields.mid(2)) {
            layer.below.append(base);
            layer.below.append(found.value(base).below);
        }
        found.insert(fields.first(), layer);
    }
    return found;
}

QList<tst_layering::Include> tst_layering::includes(const QString &pattern)
{
    const QString root = QString::fromUtf8(TVX_SOURCE_DIR) + QLatin1Char('/');
    const QRegularExpression line(
        QStringLiteral("^\\s*#\\s*include\\s*") + pattern, QRegularExpression::MultilineOption);
    QList<Include> found;
    QDirIterator it(
        root, { QStringLiteral("*.h"), QStringLiteral("*.cpp") }, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(file.readAll());
        for (auto match = line.globalMatch(text); match.hasNext();)
            found.append({ path.mid(root.size()), match.next().captured(1) });
    }
    return found;
}

void tst_layering::includesPointDownward()
{
    const QHash<QString, Layer> allowed = layers();
    QVERIFY2(!allowed.isEmpty(), TVX_LAYERS_FILE);
    const QList<Include> all = includes();
    QVERIFY(all.size() > 100);
    QStringList upward;
    for (const Include &include : all) {
        const QString from = layerOf(include.file);
        const QString to = layerOf(include.header);
        if (!allowed.contains(from)) {
            // Only main() lives outside the layers.
            if (include.file != QLatin1String("main.cpp"))
                upward.append(include.file + QStringLiteral(" is in no layer"));
            continue;
        }
        if (to != from && !allowed.value(from).below.contains(to))
            upward.append(include.file + QStringLiteral(" includes ") + include.header);
    }
    QVERIFY2(upward.isEmpty(), qPrintable(upward.join(QLatin1Char('\n'))));
}

void tst_layering::windowFreeLayersIncludeNoWidget()
{
    // The build stops a widget header in a window-free layer's own sources; a
    // header that only the layers above compile is caught here.
    const QString widgetHeaders
        = QLibraryInfo::path(QLibraryInfo::HeadersPath) + QStringLiteral("/QtWidgets/");
    QVERIFY(QFile::exists(widgetHeaders + QStringLiteral("QWidget")));
    const QHash<QString, Layer> all = layers();
    QStringList widgets;
    for (const Include &include : includes(QStringLiteral("<([^>]+)>"))) {
        if (!all.value(layerOf(include.file)).windowFree)
            continue;
        if (include.header.startsWith(QLatin1String("QtWidgets/"))
            || QFile::exists(widgetHeaders + include.header))
            widgets.append(include.file + QStringLiteral(" includes ") + include.header);
    }
    QVERIFY2(widgets.isEmpty(), qPrintable(widgets.join(QLatin1Char('\n'))));
}

void tst_layering::foldersFormNoCircle()
{
    QHash<QString, QSet<QString>> edges;
    for (const Include &include : includes()) {
        const QString from = folderOf(include.file);
        const QString to = folderOf(include.header);
        if (from != to && include.header.contains(QLatin1Char('/')))
            edges[from].insert(to);
    }
    // Depth-first search; a folder met again on the current path closes a circle.
    QHash<QString, int> state; // 1 on the path, 2 done
    QStringList path;
    QString circle;
    std::function<void(const QString &)> visit = [&](const QString &folder) {
        state[folder] = 1;
        path.append(folder);
        for (const QString &next : edges.value(folder)) {
            if (!circle.isEmpty())
                break;
            if (state.value(next) == 1)
                circle = path.mid(path.indexOf(next)).join(QStringLiteral(" -> ")) + QStringLiteral(" -> ")
                    + next;
            else if (state.value(next) == 0)
                visit(next);
        }
        path.removeLast();
        state[folder] = 2;
    };
    for (auto it = edges.cbegin(); it != edges.cend() && circle.isEmpty(); ++it) {
        if (state.value(it.key()) == 0)
            visit(it.key());
    }
    QVERIFY2(circle.isEmpty(), qPrintable(circle));
}

QTEST_GUILESS_MAIN(tst_layering)
#include "tst_layering.moc"
