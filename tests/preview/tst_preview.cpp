// The preview's drawing: zoom, window shapes, button pictures and the redraw.

#include "tst_preview_support.h"

#include "preview/SkinButtons.h"
#include "widgets/Transparent.h"
#include "platform/AppInfo.h"

#include <QCloseEvent>
#include <QLabel>

using namespace previewtest;

namespace {
// Two regions that cover the same pixels, however they are cut into rectangles.
bool sameArea(const QRegion &a, const QRegion &b)
{
    return a.xored(b).isEmpty();
}
} // namespace

class tst_preview : public QObject
{
    Q_OBJECT

private:
    // The main window and its folders; its recorder answers every dialog (the
    // Escape answer when nothing is queued).
    MainWindowFixture m_env;
    DialogRecorder &m_dialogs = m_env.dialogs;
    QTemporaryDir *m_skinDir = nullptr;
    frmMain *m_main = nullptr;

    QString skinPath(const QString &name) const { return m_skinDir->filePath(name); }

    // A window skin with a 40 x 30 main image (magenta corner), two button
    // images, a bar image and a file that is not a picture.
    frmSkin *openSampleSkin()
    {
        writePicture(skinPath(QStringLiteral("Main.bmp")), 40, 30, Qt::magenta, Qt::blue);
        writePicture(skinPath(QStringLiteral("PlayN.bmp")), 10, 8, Qt::magenta, Qt::green);
        writePicture(skinPath(QStringLiteral("StopN.bmp")), 6, 6, Qt::white, Qt::red);
        writePicture(skinPath(QStringLiteral("KnobN.bmp")), 4, 4, Qt::magenta, Qt::yellow);
        writeText(skinPath(QStringLiteral("Broken.bmp")), "not a picture");
        frmSkin *skin = openPreview(m_skinDir->path());
        gZoom = 1;
        gMainImage = QStringLiteral("Main.bmp");
        gAnyShape = -1;
        gButtonExt = QStringLiteral("bmp");
        gButtons.resize(1);
        skin->LoadMainPicture(skinPath(QStringLiteral("Main.bmp")));
        return skin;
    }

    int16_t addButton(const QString &name, int16_t x, int16_t y, uint8_t type)
    {
        int16_t index = 0;
        const QString file = skinPath(name + QStringLiteral("N.bmp"));
        if (!AddSkinButton(index, x, y, file, type != 0))
            return 0;
        ButtonRec &button = gButtons[index];
        button.BtnName = name;
        button.BtnFile = file;
        button.BtnX = x;
        button.BtnY = y;
        button.BtnType = type;
        return index;
    }

private slots:
    void initTestCase()
    {
        m_main = m_env.open();
        m_main->resize(1200, 900);
    }

    void init()
    {
        m_skinDir = new QTemporaryDir;
        m_dialogs.clear();
    }

    void cleanup()
    {
        closePreview();
        delete m_skinDir;
        m_skinDir = nullptr;
        gZoom = 1;
    }

    void cleanupTestCase() { m_env.finish(); }

    void shapeKeepsOnlyPixelsOtherThanTheTopLeftColour()
    {
        PictureBox box;
        QImage image(4, 3, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        image.setPixelColor(1, 0, Qt::black);
        image.setPixelColor(2, 0, Qt::black);
        image.setPixelColor(3, 2, Qt::black);
        box.setPicture(image);

        QCOMPARE(MakeWindowRegion(&box, true), 1);
        QCOMPARE(gApiResult, 1);
        QVERIFY(sameArea(box.mask(), QRegion(1, 0, 2, 1) + QRegion(3, 2, 1, 1)));

        // Unshaped: a full rectangle again.
        MakeWindowRegion(&box, false);
        QVERIFY(box.mask().isEmpty());
    }

    void shapeOfAPictureAllOfKeyColourHidesEverything()
    {
        PictureBox box;
        QImage image(5, 5, QImage::Format_RGB32);
        image.fill(Qt::white);
        box.setPicture(image);
        MakeWindowRegion(&box, true);
        // A mask that covers no pixel of the control, but a mask all the same.
        QVERIFY(!box.mask().isEmpty());
        QVERIFY(box.mask().intersected(box.rect()).isEmpty());
    }

    void shapeFollowsTheEnlargedPicture()
    {
        PictureBox box;
        QImage image(2, 2, QImage::Format_RGB32);
        image.fill(Qt::white);
        image.setPixelColor(1, 1, Qt::black);
        box.setPicture(image);
        box.enlarge(2);
        QCOMPARE(box.size(), QSize(4, 4));
        MakeWindowRegion(&box, true);
        QVERIFY(sameArea(box.mask(), QRegion(2, 2, 2, 2)));
    }

    void zoomDoublesEveryElementAndTwoClicksGiveItBack()
    {
        frmSkin *skin = openSampleSkin();
        QCOMPARE(addButton(QStringLiteral("Play"), 5, 6, 1), int16_t(1));
        QCOMPARE(addButton(QStringLiteral("Stop"), 20, 3, 0), int16_t(2));
        gDisplays[0].DspX = 3;
        gDisplays[0].DspY = 4;
        gDisplays[0].DspFont = QStringLiteral("Arial,8,N");
        gDisplays[0].DspMaxWidth = 0;
        gDisplays[1].DspX = 1;
        gDisplays[1].DspY = 2;
        gDisplays[1].DspFont = QStringLiteral("Arial,10,B");
        gDisplays[1].DspMaxWidth = 30;
        gBars[0].BarKind = 0;
        gBars[0].BarLeft = 2;
        gBars[0].BarTop = 3;
        gBars[0].BarWidth = 25;
        gBars[0].BarHeight = 5;
        gBars[1].BarKind = 4;
        gBars[1].BarImage = QStringLiteral("Knob");
        gBars[1].BarLeft = 7;
        gBars[1].BarTop = 9;
        skin->lblSkinText[0]->setText(QStringLiteral("Version"));

        // The first redraw at zoom 1 gives the zoom-1 picture of everything.
        skin->pctSkinMain_Click();
        skin->pctSkinMain_Click();
        QCOMPARE(gZoom, int16_t(1));
        QCOMPARE(skin->pctSkinMain->size(), QSize(40, 30));
        QCOMPARE(skin->pctSkinButton[1]->geometry(), QRect(5, 6, 10, 8));
        QCOMPARE(skin->pctSkinButton[2]->geometry(), QRect(20, 3, 6, 6));
        QCOMPARE(skin->lblSkinText[0]->pos(), QPoint(3, 4));
        QCOMPARE(skin->lblSkinText[0]->font().pointSizeF(), 8.0);
        QCOMPARE(skin->lblSkinText[0]->frameShape(), QFrame::NoFrame);
        QCOMPARE(skin->lblSkinText[1]->width(), 30);
        QCOMPARE(skin->lblSkinText[1]->frameShape(), QFrame::Box);
        QCOMPARE(skin->lblSkinBar[0]->geometry(), QRect(2, 3, 25, 5));
        QCOMPARE(skin->pctSkinBar[1]->geometry(), QRect(7, 9, 4, 4));
        const QSize label0AtOne = skin->lblSkinText[0]->size();

        skin->pctSkinMain_Click();
        QCOMPARE(gZoom, int16_t(2));
        QCOMPARE(skin->pctSkinMain->size(), QSize(80, 60));
        QCOMPARE(skin->pctSkinMain->image().size(), QSize(80, 60));
        QCOMPARE(skin->frameWidth(), 80 + gFrameBorderX);
        QCOMPARE(skin->frameHeight(), 60 + gFrameBorderY);
        QCOMPARE(skin->pctSkinButton[1]->geometry(), QRect(10, 12, 20, 16));
        QCOMPARE(skin->pctSkinButton[2]->geometry(), QRect(40, 6, 12, 12));
        // Each skin pixel is a 2 x 2 block.
        QCOMPARE(skin->pctSkinButton[1]->image().pixelColor(3, 3), QColor(Qt::green));
        QCOMPARE(skin->pctSkinButton[1]->image().pixelColor(1, 1), QColor(Qt::magenta));
        QCOMPARE(skin->lblSkinText[0]->pos(), QPoint(6, 8));
        QCOMPARE(skin->lblSkinText[0]->font().pointSizeF(), 16.0);
        QCOMPARE(skin->lblSkinText[1]->font().pointSizeF(), 20.0);
        QCOMPARE(skin->lblSkinText[1]->width(), 60);
        QVERIFY(skin->lblSkinText[0]->width() > label0AtOne.width());
        QCOMPARE(skin->lblSkinBar[0]->geometry(), QRect(4, 6, 50, 10));
        QCOMPARE(skin->pctSkinBar[1]->geometry(), QRect(14, 18, 8, 8));
        // Shapes are built again on the enlarged pictures.
        QVERIFY(sameArea(skin->pctSkinMain->mask(), QRegion(2, 2, 76, 56)));
        QVERIFY(sameArea(skin->pctSkinButton[1]->mask(), QRegion(2, 2, 16, 12)));
        QVERIFY(skin->pctSkinButton[2]->mask().isEmpty());
        QVERIFY(sameArea(skin->pctSkinBar[1]->mask(), QRegion(2, 2, 4, 4)));

        skin->pctSkinMain_Click();
        QCOMPARE(gZoom, int16_t(1));
        QCOMPARE(skin->pctSkinMain->size(), QSize(40, 30));
        QCOMPARE(skin->pctSkinButton[1]->geometry(), QRect(5, 6, 10, 8));
        QCOMPARE(skin->lblSkinText[0]->pos(), QPoint(3, 4));
        QCOMPARE(skin->lblSkinText[0]->font().pointSizeF(), 8.0);
        QCOMPARE(skin->lblSkinText[0]->size(), label0AtOne);
        QCOMPARE(skin->lblSkinText[1]->width(), 30);
        QCOMPARE(skin->lblSkinBar[0]->geometry(), QRect(2, 3, 25, 5));
        QVERIFY(sameArea(skin->pctSkinMain->mask(), QRegion(1, 1, 38, 28)));
        // The redraw shows nothing and changes nothing of the document but the zoom.
        QVERIFY(!skin->lblSkinText[0]->isVisibleTo(skin));
        QCOMPARE(gButtons[1].BtnX, 5);
        QVERIFY(!gSkinChanged);
    }

    void aClickOnTheMainPictureRedraws()
    {
        frmSkin *skin = openSampleSkin();
        QVERIFY(QTest::qWaitForWindowExposed(skin));
        QTest::mouseClick(skin->pctSkinMain, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(gZoom, int16_t(2));
        QCOMPARE(skin->pctSkinMain->size(), QSize(80, 60));
    }

    void aDoubleClickOnTheMainPictureRedrawsOnce()
    {
        frmSkin *skin = openSampleSkin();
        QVERIFY(QTest::qWaitForWindowExposed(skin));
        QWidget *top = skin->window();
        QTest::mouseDClick(
            top->windowHandle(), Qt::LeftButton, {}, skin->pctSkinMain->mapTo(top, QPoint(10, 10)));
        QCOMPARE(gZoom, int16_t(2));
        QCOMPARE(skin->pctSkinMain->size(), QSize(80, 60));
    }

    void aPlainBarKeepsItsColourAtZoomTwo()
    {
        // At zoom 2 the bar lies where the window of zoom 1 did not reach.
        writePicture(skinPath(QStringLiteral("Main.bmp")), 40, 30, Qt::magenta, Qt::blue);
        m_main->OpenRoad(writeText(skinPath(QStringLiteral("Skin.ini")),
            "[Tovix.Skin]\r\nVersion=1.00\r\n[Settings]\r\nMainImg=Main.bmp\r\n[TrackBar]\r\n"
            "PosSize=25,5,10,4\r\nKind=H\r\nTransparentBg=0\r\nBackColor=FF0000\r\n"));
        QTest::mouseClick(frmSkin::loaded()->pctSkinMain, Qt::LeftButton);
        // What the window shows is its buffer as drawn; a grab would draw it anew.
        QCoreApplication::sendPostedEvents();
        QLabel *bar = frmSkin::loaded()->lblSkinBar[0];
        const QImage shown = m_main->screen()->grabWindow(m_main->winId()).toImage();
        QCOMPARE(shown.pixelColor(bar->mapTo(m_main, bar->rect().center())), QColor(Qt::red));
    }

    void aCloseThatArrivesWhileTheRedrawWaitsEndsTheRedraw()
    {
        frmSkin *skin = openSampleSkin();
        QVERIFY(skin->frame() != skin);
        // The redraw lets pending events run once: a close waiting there unloads
        // the window, and the redraw must not go on with it.
        QCoreApplication::postEvent(skin->frame(), new QCloseEvent);
        skin->pctSkinMain_Click();
        QVERIFY(!frmSkin::loaded());
        QCOMPARE(m_main->cursor().shape(), Qt::ArrowCursor);
    }

    void buttonBarImageFollowsTheExtension()
    {
        frmSkin *skin = openSampleSkin();
        writePicture(skinPath(QStringLiteral("SlideN")), 3, 5, Qt::black, Qt::white);
        gButtonExt.clear();
        gBars[0].BarKind = 5;
        gBars[0].BarImage = QStringLiteral("Slide");
        skin->pctSkinMain_Click();
        QCOMPARE(skin->pctSkinBar[0]->size(), QSize(6, 10));
    }

    void redrawGoesOnPastAMissingPicture()
    {
        frmSkin *skin = openSampleSkin();
        QCOMPARE(addButton(QStringLiteral("Play"), 5, 6, 0), int16_t(1));
        QCOMPARE(addButton(QStringLiteral("Stop"), 20, 3, 0), int16_t(2));
        QVERIFY(QFile::remove(skinPath(QStringLiteral("PlayN.bmp"))));
        gMainImage = QStringLiteral("Gone.bmp");
        gBars[0].BarKind = 2;
        gBars[0].BarImage.clear(); // an image kind whose image is not chosen yet
        gDisplays[2].DspX = 4;

        skin->pctSkinMain_Click();
        QCOMPARE(gZoom, int16_t(2));
        QVERIFY(skin->isEnabled());
        QCOMPARE(m_main->cursor().shape(), Qt::ArrowCursor);
        // The elements whose pictures load are drawn at the new zoom.
        QCOMPARE(skin->pctSkinButton[2]->geometry(), QRect(40, 6, 12, 12));
        QCOMPARE(skin->lblSkinText[2]->x(), 8);
        QCOMPARE(m_dialogs.count(), 0);

        skin->pctSkinMain_Click();
        QCOMPARE(gZoom, int16_t(1));
        QVERIFY(skin->isEnabled());
    }

    void addSkinButtonAppendsAndShowsInFront()
    {
        frmSkin *skin = openSampleSkin();
        for (int i = 0; i < 3; ++i)
            QCOMPARE(addButton(QStringLiteral("Play"), int16_t(i), 0, 0), int16_t(i + 1));
        int16_t index = 0;
        QVERIFY(AddSkinButton(index, 12, 7, skinPath(QStringLiteral("StopN.bmp")), false));
        QCOMPARE(index, int16_t(4));
        QCOMPARE(ButtonCount(), 4);
        PictureBox *box = skin->pctSkinButton[4];
        QVERIFY(box);
        QCOMPARE(box->objectName(), QStringLiteral("pctSkinButton_4"));
        QVERIFY(box->isVisibleTo(skin->pctSkinMain));
        QCOMPARE(box->geometry(), QRect(12, 7, 6, 6));
        QCOMPARE(skin->pctSkinMain->children().last(), box);
        QVERIFY(!skin->pctSkinButton[0]->isVisibleTo(skin->pctSkinMain));

        // A given index fills that picture without touching the records.
        gButtons.resize(6);
        index = 5;
        QVERIFY(AddSkinButton(index, 1, 1, skinPath(QStringLiteral("PlayN.bmp")), true));
        QCOMPARE(index, int16_t(5));
        QCOMPARE(ButtonCount(), 5);
        QVERIFY(!skin->pctSkinButton[5]->mask().isEmpty());

        // Clearing keeps only the template.
        UnloadControlArray(skin->pctSkinButton);
        QCOMPARE(skin->pctSkinButton.count(), 1);
        QVERIFY(skin->pctSkinButton[0]);
        UnloadControlArray(skin->pctSkinButton);
        QCOMPARE(skin->pctSkinButton.count(), 1);
    }

    void addSkinButtonFailuresLeaveNothingBehind_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("zoom");
        QTest::addColumn<int>("x");
        QTest::addColumn<QString>("prompt");

        QTest::newRow("not a picture")
            << QStringLiteral("Broken.bmp") << 1 << 0
            << QStringLiteral("It wasn't possible to load the specified file.\n"
                              "It's not a supported image (bmp, ico, cur, rle, wmf, emf, gif, jpg).");
        QTest::newRow("16-bit overflow at zoom 2")
            << QStringLiteral("PlayN.bmp") << 2 << 16384 << QStringLiteral("Error number: 6\nOverflow");
        QTest::newRow("missing file")
            << QStringLiteral("Nothing.bmp") << 1 << 0 << QStringLiteral("Error number: 53\nFile not found");
    }

    void addSkinButtonFailuresLeaveNothingBehind()
    {
        QFETCH(QString, file);
        QFETCH(int, zoom);
        QFETCH(int, x);
        QFETCH(QString, prompt);

        frmSkin *skin = openSampleSkin();
        QCOMPARE(addButton(QStringLiteral("Play"), 1, 1, 0), int16_t(1));
        gZoom = int16_t(zoom);
        m_dialogs.clear();

        int16_t index = 0;
        QVERIFY(!AddSkinButton(index, int16_t(x), 0, skinPath(file), false));
        QCOMPARE(ButtonCount(), 1);
        QCOMPARE(skin->pctSkinButton.count(), 2);
        QVERIFY(!skin->pctSkinButton[2]);
        QVERIFY(skin->findChild<PictureBox *>(QStringLiteral("pctSkinButton_2")) == nullptr);
        QCOMPARE(index, int16_t(0));

        QCOMPARE(m_dialogs.count(DialogRecorder::Kind::MessageBox), 1);
        QCOMPARE(m_dialogs.count(), 1);
        const DialogRecorder::Request &box = m_dialogs.at(0);
        QCOMPARE(box.prompt, prompt);
        QCOMPARE(box.style, int(dialogs::vbCritical | dialogs::vbOKOnly));
        QCOMPARE(box.title, app::title() + QStringLiteral(" - Skin"));

        // The next button takes the place the failed one did not keep.
        gZoom = 1;
        QCOMPARE(addButton(QStringLiteral("Stop"), 2, 2, 0), int16_t(2));
    }

    void addSkinButtonRefusesAPictureThatExists()
    {
        frmSkin *skin = openSampleSkin();
        QCOMPARE(addButton(QStringLiteral("Play"), 1, 1, 0), int16_t(1));
        PictureBox *existing = skin->pctSkinButton[1];
        m_dialogs.clear();
        int16_t index = 1;
        QVERIFY(!AddSkinButton(index, 3, 3, skinPath(QStringLiteral("StopN.bmp")), false));
        QCOMPARE(m_dialogs.messages().value(0).left(18), QStringLiteral("Error number: 360\n"));
        // The picture that was there stays, untouched.
        QCOMPARE(skin->pctSkinButton[1], existing);
        QCOMPARE(existing->geometry(), QRect(1, 1, 10, 8));
        QCOMPARE(ButtonCount(), 1);
    }
};

QTEST_MAIN(tst_preview)
#include "tst_preview.moc"
