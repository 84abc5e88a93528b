#include "editors/ToolWindows.h"
#include "support/MainWindowFixture.h"

#include <QAction>

Q_DECLARE_METATYPE(ToolWindowId)

// What the four tool windows share, shown once per window.
class tst_tool_windows : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_env.isValid()); }
    void init() { m_env.open(); }
    void cleanup() { m_env.finish(); }

    void closeBoxOnlyHidesAndUnchecksTheViewItem_data();
    void closeBoxOnlyHidesAndUnchecksTheViewItem();
    void closeByCodeUnloads_data() { rows(); }
    void closeByCodeUnloads();
    void captionComesFromTheLanguageFile_data() { rows(); }
    void captionComesFromTheLanguageFile();
    void textsFit_data() { rows(); }
    void textsFit();
    void standsWhereDesigned_data();
    void standsWhereDesigned();

private:
    static void rows();
    QAction *viewItem(const char *name) const
    {
        return m_env.main->findChild<QAction *>(QLatin1String(name));
    }

    MainWindowFixture m_env;
};

void tst_tool_windows::rows()
{
    QTest::addColumn<ToolWindowId>("id");
    QTest::addColumn<QString>("viewItem");
    QTest::addColumn<QString>("section");
    // clang-format off
    QTest::newRow("Images")      << ToolWindowId::Images      << "mnuViewImagesTB"      << "Images";
    QTest::newRow("Display")     << ToolWindowId::Display     << "mnuViewDisplayTB"     << "Display";
    QTest::newRow("TrackVolume") << ToolWindowId::TrackVolume << "mnuViewTrackVolumeTB" << "Bars";
    QTest::newRow("FullScreen")  << ToolWindowId::FullScreen  << "mnuViewFullScreenTB"  << "FullScreen";
    // clang-format on
}

void tst_tool_windows::closeBoxOnlyHidesAndUnchecksTheViewItem_data()
{
    rows();
}

void tst_tool_windows::closeBoxOnlyHidesAndUnchecksTheViewItem()
{
    QFETCH(ToolWindowId, id);
    QFETCH(QString, viewItem);
    m_env.openSkin(id == ToolWindowId::FullScreen);
    ToolWindow *window = toolwindows::get(id);
    QAction *item = this->viewItem(viewItem.toLatin1().constData());
    QVERIFY(window->isShown());
    QVERIFY(item->isChecked());

    window->frame()->close();
    QCOMPARE(toolwindows::loaded(id), window);
    QVERIFY(!window->isShown());
    QVERIFY(!item->isChecked());

    // The View item shows it again, as it was.
    item->trigger();
    QVERIFY(item->isChecked());
    QCOMPARE(toolwindows::loaded(id), window);
    QVERIFY(window->isShown());
}

void tst_tool_windows::closeByCodeUnloads()
{
    QFETCH(ToolWindowId, id);
    QFETCH(QString, viewItem);
    toolwindows::get(id)->Show();
    QVERIFY(toolwindows::loaded(id)->Unload(vbFormCode));
    QVERIFY(!toolwindows::loaded(id));
    QVERIFY(this->viewItem(viewItem.toLatin1().constData())->isChecked());
}

void tst_tool_windows::captionComesFromTheLanguageFile()
{
    QFETCH(ToolWindowId, id);
    QFETCH(QString, section);
    // A value that names its own section and key.
    m_env.writeLanguage(
        "[TVX_Morvane]\r\nVersion=1\r\n[" + section.toLatin1() + "]\r\n1=" + section.toLatin1() + ".1\r\n");
    ToolWindow *window = toolwindows::get(id);
    QCOMPARE(window->caption(), section + QStringLiteral(".1"));

    gUILanguage.clear();
    window->ApplyTexts(LangReader());
    QVERIFY(window->caption() != section + QStringLiteral(".1"));
}

void tst_tool_windows::textsFit()
{
    QFETCH(ToolWindowId, id);
    m_env.openSkin(id == ToolWindowId::FullScreen);
    ToolWindow *window = toolwindows::get(id);
    verifyTextsFit(window);

    // Texts a third longer than the English ones, as a German file has: every
    // control keeps its designed place and size (the open lists, windows of
    // their own, may widen).
    const auto places = [window] {
        QList<QRect> places;
        for (QWidget *control : window->findChildren<QWidget *>())
            places.append(control->window() == window->window() ? control->geometry() : QRect());
        return places;
    };
    const QList<QRect> designed = places();
    const QByteArray english = testfiles::read(QFINDTESTDATA("../../Lang/English.lng"));
    QVERIFY(!english.isEmpty());
    QByteArray longer;
    for (QByteArray line : english.split('\n')) {
        const QByteArray text = line.mid(line.indexOf('=') + 1).trimmed().replace("&", "");
        if (line.contains('=') && !line.startsWith("Version") && !line.startsWith(';'))
            line = line.trimmed() + text.left((text.size() + 1) / 3);
        longer += line + '\n';
    }
    m_env.writeLanguage(longer);
    window->ApplyTexts(LangReader());
    verifyTextsFit(window, true);
    QCOMPARE(places(), designed);

    gUILanguage.clear();
    window->ApplyTexts(LangReader());
    verifyTextsFit(window);
}

void tst_tool_windows::standsWhereDesigned_data()
{
    QTest::addColumn<ToolWindowId>("id");
    QTest::addColumn<int>("left");
    QTest::addColumn<bool>("belowImages"); // else at the top
    QTest::addColumn<int>("width");
    QTest::addColumn<QSize>("client"); // the designed client area; empty: not checked
    QTest::addColumn<bool>("afterOtherKind"); // a skin of the other kind was open and closed first
    // Pixels of 15 twips: the images window is 4665 twips wide, the full-screen one 9225.
    // clang-format off
    QTest::newRow("Images")      << ToolWindowId::Images      << 0   << false << 311 << QSize()          << false;
    QTest::newRow("Display")     << ToolWindowId::Display     << 311 << false << 311 << QSize(306, 521) << false;
    QTest::newRow("TrackVolume") << ToolWindowId::TrackVolume << 0   << true  << 622 << QSize(617, 281) << false;
    QTest::newRow("FullScreen")  << ToolWindowId::FullScreen  << 0   << false << 615 << QSize(610, 697) << false;
    QTest::newRow("Images after a full-screen skin")      << ToolWindowId::Images      << 0 << false << 311 << QSize() << true;
    QTest::newRow("TrackVolume after a full-screen skin") << ToolWindowId::TrackVolume << 0 << true  << 622 << QSize() << true;
    QTest::newRow("FullScreen after a window skin")       << ToolWindowId::FullScreen  << 0 << false << 615 << QSize() << true;
    // clang-format on
}

void tst_tool_windows::standsWhereDesigned()
{
    QFETCH(ToolWindowId, id);
    QFETCH(int, left);
    QFETCH(bool, belowImages);
    QFETCH(int, width);
    QFETCH(QSize, client);
    QFETCH(bool, afterOtherKind);
    if (afterOtherKind) {
        m_env.openSkin(id != ToolWindowId::FullScreen);
        QVERIFY(frmSkin::unload());
        QVERIFY(!toolwindows::loaded(ToolWindowId::Images) && !toolwindows::loaded(ToolWindowId::FullScreen));
    }
    m_env.openSkin(id == ToolWindowId::FullScreen);
    ToolWindow *window = toolwindows::get(id);
    QVERIFY(window->frame() != window);
    QCOMPARE(window->frameLeft(), left);
    QCOMPARE(window->frameTop(), belowImages ? toolwindows::get(ToolWindowId::Images)->frameHeight() : 0);
    QCOMPARE(window->frameWidth(), width);
    QCOMPARE(window->frame()->windowTitle(), window->caption());
    if (client.isValid())
        QCOMPARE(window->size(), client);
    // A fixed tool-window frame: a close box, no minimise or maximise button, no resizing.
    const Qt::WindowFlags flags = window->frame()->windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QCOMPARE(window->frame()->minimumSize(), window->frame()->maximumSize());
}

QTEST_MAIN(tst_tool_windows)
#include "tst_tool_windows.moc"
