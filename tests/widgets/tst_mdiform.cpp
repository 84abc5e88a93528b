#include "widgets/MdiForm.h"

#include <QMdiArea>
#include <QTest>

// A child window's frame, when it is the frame of a window unloaded before it.
class tst_mdiform : public QObject
{
    Q_OBJECT

private slots:
    void aFrameLeftByAnotherWindowServesAsANewOne_data();
    void aFrameLeftByAnotherWindowServesAsANewOne();
};

namespace {

const Qt::WindowFlags toolFrame
    = Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

MdiForm *showWindow(QMdiArea &area, const QString &caption, const QSize &size)
{
    setMdiHost(&area);
    auto *form = new MdiForm;
    form->setFrameFlags(toolFrame);
    form->setCaption(caption);
    form->Show();
    form->resizeFrame(size.width(), size.height());
    return form;
}

} // namespace

void tst_mdiform::aFrameLeftByAnotherWindowServesAsANewOne_data()
{
    QTest::addColumn<QString>("caption");
    QTest::newRow("captioned") << QStringLiteral("Second");
    QTest::newRow("without a caption") << QString();
}

void tst_mdiform::aFrameLeftByAnotherWindowServesAsANewOne()
{
    QFETCH(QString, caption);
    QMdiArea fresh, used;
    for (QMdiArea *area : { &fresh, &used }) {
        area->resize(800, 600);
        area->show();
    }
    // A larger window, moved and with its frame fixed, leaves one area.
    MdiForm *first = showWindow(used, QStringLiteral("First"), QSize(300, 200));
    first->moveFrame(50, 40);
    first->frame()->setFixedSize(first->frame()->size());
    const QPointer<QWidget> firstFrame = first->frame();
    QVERIFY(first->Unload(vbFormCode));

    const QWidget *made = showWindow(fresh, caption, QSize(120, 90))->frame();
    const QWidget *taken = showWindow(used, caption, QSize(120, 90))->frame();
    setMdiHost(nullptr);
    QCOMPARE(taken, firstFrame.data());
    QCOMPARE(taken->windowTitle(), caption);
    QCOMPARE(taken->geometry(), made->geometry());
    QCOMPARE(taken->minimumSize(), made->minimumSize());
    QCOMPARE(taken->maximumSize(), made->maximumSize());
    QVERIFY(taken->isVisible());
}

QTEST_MAIN(tst_mdiform)
#include "tst_mdiform.moc"
