#include "widgets/MenuIcons.h"
#include "skin/Module.h"
#include "resources/MenuBitmaps.h"

#include <QMenu>
#include <QMenuBar>
#include <QtTest>

// A menu bar shaped like the main window's: File with separators and hidden
// items, a hidden View menu, Language, Help, and a menu holding a sub-menu.
struct TestBar {
    QMenuBar bar;
    QMenu *file = nullptr;
    QMenu *view = nullptr;
    QMenu *language = nullptr;
    QMenu *help = nullptr;
    QMenu *nested = nullptr;
    QList<QAction *> fileItems;
    QAction *createTvk = nullptr;
    QAction *testSkin = nullptr;
    QAction *sep2 = nullptr;

    TestBar()
    {
        file = bar.addMenu(QStringLiteral("&File"));
        for (const char *caption : { "New", "New FS", "Open", "Close" })
            fileItems << file->addAction(QString::fromLatin1(caption));
        fileItems << file->addSeparator();
        fileItems << file->addAction(QStringLiteral("Save"));
        fileItems << file->addSeparator();
        createTvk = file->addAction(QStringLiteral("Create TVK"));
        testSkin = file->addAction(QStringLiteral("Test Skin"));
        sep2 = file->addSeparator();
        fileItems << createTvk << testSkin << sep2;
        fileItems << file->addAction(QStringLiteral("Exit"));
        createTvk->setVisible(false);
        testSkin->setVisible(false);
        sep2->setVisible(false);

        view = bar.addMenu(QStringLiteral("&View"));
        view->addAction(QStringLiteral("Images"));
        view->menuAction()->setVisible(false);
        language = bar.addMenu(QStringLiteral("&Language"));
        language->addAction(QStringLiteral("Choose one of the following"));
        help = bar.addMenu(QStringLiteral("&Help"));
        help->addAction(QStringLiteral("Guide"));
        nested = help->addMenu(QStringLiteral("More"));
        nested->addAction(QStringLiteral("Inner"));
    }

    QList<QAction *> everyItem() const
    {
        QList<QAction *> all;
        for (QMenu *menu : { file, view, language, help, nested })
            all << menu->actions();
        for (QAction *a : bar.actions())
            all << a;
        return all;
    }
    int iconCount() const
    {
        int n = 0;
        for (QAction *a : everyItem())
            n += a->icon().isNull() ? 0 : 1;
        return n;
    }
};

class tst_menuicons : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        FreeMenuBitmaps();
        LoadMenuBitmaps();
        gApiResult = 0;
    }
    void cleanupTestCase() { FreeMenuBitmaps(); }

    void loadsEighteenDistinctBitmaps()
    {
        QCOMPARE(gMenuBitmaps.size(), 18);
        QSet<QByteArray> seen;
        for (int k = 0; k < 18; ++k) {
            const QImage image = gMenuBitmaps.at(k).toImage();
            QCOMPARE(image.size(), QSize(16, 16));
            // Not blank: some pixel is drawn.
            bool drawn = false;
            for (int y = 0; y < 16 && !drawn; ++y)
                for (int x = 0; x < 16 && !drawn; ++x)
                    drawn = qAlpha(image.pixel(x, y)) != 0;
            QVERIFY2(drawn, qPrintable(QStringLiteral("bitmap %1 is empty").arg(101 + k)));
            const QImage converted = image.convertToFormat(QImage::Format_ARGB32);
            seen.insert(
                QByteArray(reinterpret_cast<const char *>(converted.constBits()), converted.sizeInBytes()));
        }
        QCOMPARE(seen.size(), 18);
        QVERIFY(MenuBitmapImage(100).isNull());
        QVERIFY(MenuBitmapImage(119).isNull());
    }

    void freeEmptiesTheCollection()
    {
        QVERIFY(!gMenuBitmaps.isEmpty());
        FreeMenuBitmaps();
        QVERIFY(gMenuBitmaps.isEmpty());
        AddMenuBitmap(LoadResBitmap(113));
        QCOMPARE(gMenuBitmaps.size(), 1);
    }

    void setsTheIconOfAVisibleItem()
    {
        TestBar t;
        SetMenuIcon(&t.bar, 0, 0, 1);
        QCOMPARE(gApiResult, 1);
        QCOMPARE(t.iconCount(), 1);
        QCOMPARE(t.fileItems.at(0)->icon().pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32),
            MenuBitmapImage(101).convertToFormat(QImage::Format_ARGB32));

        // Separators take a position: item 5 is Save.
        SetMenuIcon(&t.bar, 0, 5, 5);
        QVERIFY(!t.fileItems.at(5)->icon().isNull());
        QCOMPARE(t.iconCount(), 2);
    }

    void countsOnlyVisibleMenusAndItems()
    {
        TestBar t;
        // With View hidden, menu 1 is Language; item 6 of File is Exit.
        SetMenuIcon(&t.bar, 1, 0, 10);
        QVERIFY(!t.language->actions().at(0)->icon().isNull());
        SetMenuIcon(&t.bar, 0, 7, 6);
        QVERIFY(!t.fileItems.last()->icon().isNull());
        QVERIFY(t.createTvk->icon().isNull());

        // Once the skin's items are visible, 7 and 8 are Create TVK and Test Skin, and View is menu 1.
        t.createTvk->setVisible(true);
        t.testSkin->setVisible(true);
        t.sep2->setVisible(true);
        t.view->menuAction()->setVisible(true);
        SetMenuIcon(&t.bar, 0, 7, 6);
        SetMenuIcon(&t.bar, 0, 8, 7);
        SetMenuIcon(&t.bar, 1, 0, 8);
        QVERIFY(!t.createTvk->icon().isNull());
        QVERIFY(!t.testSkin->icon().isNull());
        QVERIFY(!t.view->actions().at(0)->icon().isNull());
    }

    void changesNothingWhereThereIsNoCommand_data()
    {
        QTest::addColumn<int>("menu");
        QTest::addColumn<int>("item");
        QTest::addColumn<int>("bitmap");
        QTest::newRow("separator") << 0 << 4 << 1;
        QTest::newRow("item past the end") << 0 << 9 << 1;
        QTest::newRow("hidden item's place past the end") << 0 << 8 << 1;
        QTest::newRow("menu past the end") << 3 << 0 << 1;
        QTest::newRow("negative positions") << -1 << 0 << 1;
        QTest::newRow("nested menu") << 2 << 1 << 1;
        QTest::newRow("bitmap 0") << 0 << 0 << 0;
        QTest::newRow("bitmap past the end") << 0 << 0 << 19;
    }
    void changesNothingWhereThereIsNoCommand()
    {
        QFETCH(int, menu);
        QFETCH(int, item);
        QFETCH(int, bitmap);
        TestBar t;
        gApiResult = 42;
        SetMenuIcon(&t.bar, menu, item, bitmap);
        QCOMPARE(t.iconCount(), 0);
        QCOMPARE(gApiResult, 42);
        SetMenuIcon(nullptr, 0, 0, 1);
        QCOMPARE(gApiResult, 42);
    }

    void releasedBitmapsSetNoIcon()
    {
        TestBar t;
        FreeMenuBitmaps();
        SetMenuIcon(&t.bar, 0, 0, 1);
        QCOMPARE(t.iconCount(), 0);
    }
};

QTEST_MAIN(tst_menuicons)
#include "tst_menuicons.moc"
