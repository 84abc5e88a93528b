#include "skin/SkinWriter.h"
#include "editors/CoordinateEdit.h"
#include "support/MainWindowFixture.h"
#include "editors/display_bars/BarPanel.h"
#include "editors/display_bars/ColorSwatch.h"
#include "support/TestFiles.h"

#include <QComboBox>
#include <QImage>
#include <QtTest>

// Editing the bars, alike in the track and volume tool window and the
// full-screen tool window, and the button-image extension's effect on them.
class tst_bar_editing : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_env.isValid()); }
    void init() { m_env.open(); }
    void cleanup() { m_env.finish(); }

    void eachKindChosenAndSaved_data() { windows(); }
    void eachKindChosenAndSaved();
    void useBarOffAndOn_data() { windows(); }
    void useBarOffAndOn();
    void barReadFromAFileFollowsItsEdits();
    void positionAndSizeBoxes();
    void extensionChangeAndButtonBars_data();
    void extensionChangeAndButtonBars();

private:
    static void windows();
    // Opens a new skin of the kind and shows it in its bar window; returns bar i's panel.
    BarPanel *open(bool fullScreen, int i);
    // The saved skin file's text, lines joined by "|".
    QString save();
    void writeImage(const QString &name, int width, int height);
    MainWindowFixture m_env;
};

void tst_bar_editing::windows()
{
    QTest::addColumn<bool>("fullScreen");
    QTest::newRow("track and volume window") << false;
    QTest::newRow("full-screen window") << true;
}

BarPanel *tst_bar_editing::open(bool fullScreen, int i)
{
    m_env.openSkin(fullScreen);
    if (fullScreen)
        MainWindowFixture::showRead(frmFullScreenToolBar::get());
    else
        MainWindowFixture::showRead(frmTrackVolumeToolBar::get());
    ClearSkinChanged();
    return fullScreen ? frmFullScreenToolBar::get()->bar(i) : frmTrackVolumeToolBar::get()->bar(i);
}

QString tst_bar_editing::save()
{
    SaveSkin();
    return QString::fromLatin1(testfiles::read(gSkinFile))
        .replace(QStringLiteral("\r\n"), QStringLiteral("|"));
}

void tst_bar_editing::writeImage(const QString &name, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QVERIFY(image.save(m_env.skins.filePath(name), "BMP"));
}

void tst_bar_editing::eachKindChosenAndSaved()
{
    QFETCH(bool, fullScreen);
    BarPanel *bar = open(fullScreen, 1);
    gZoom = 2;
    QLabel *label = frmSkin::get()->lblSkinBar[1];
    PictureBox *picture = frmSkin::get()->pctSkinBar[1];

    // Plain: colours, border and transparency reach the label and the file.
    bar->cbxBarType->setCurrentIndex(1);
    m_env.dialogs.acceptColor(Qt::red);
    bar->cmdBackColor->click();
    QCOMPARE(label->palette().color(QPalette::Window), QColor(Qt::red));
    // The swatch shows the colour inside a one-pixel grey line.
    const QImage swatch = bar->cmdBackColor->grab().toImage();
    QCOMPARE(swatch.pixelColor(0, 0), QColor(128, 128, 128));
    QCOMPARE(swatch.pixelColor(swatch.width() - 1, swatch.height() / 2), QColor(128, 128, 128));
    QCOMPARE(swatch.pixelColor(1, 1), QColor(Qt::red));
    bar->chkTransparentBG->setChecked(true);
    QVERIFY(!label->autoFillBackground());
    bar->chkBorder->setChecked(false);
    QVERIFY(save().contains(QStringLiteral(
        "[Volume]|PosSize=0,0,50,5|Kind=V|TransparentBg=1|Border=0|BorderColor=000000|Color=000000"
        "|MouseOverColor=000000|BackColor=FF0000|")));

    // Bitmap: the picked image gives the size; the boxes of the size are locked.
    writeImage(QStringLiteral("track.bmp"), 120, 8);
    bar->cbxBarType->setCurrentIndex(2);
    QCOMPARE(bar->cmdBackColor->toolTip(), QStringLiteral("000000"));
    m_env.pickFile(QStringLiteral("track.bmp"));
    bar->cmdBrowseImageBar->click();
    QCOMPARE(picture->size(), QSize(240, 16));
    QVERIFY(picture->isVisibleTo(frmSkin::get()));
    QVERIFY(save().contains(QStringLiteral("[Volume]|PosSize=0,0,120,8|Kind=HB|Bitmap=track.bmp||")));

    // Button kind: a picked state image stands for its "N" image; the length typed stays.
    writeImage(QStringLiteral("sliderN.bmp"), 10, 12);
    writeImage(QStringLiteral("slidera.bmp"), 10, 12);
    writeImage(QStringLiteral("sliderx.bmp"), 10, 12);
    writeImage(QStringLiteral("N.bmp"), 10, 12);
    bar->cbxBarType->setCurrentIndex(4);
    QCOMPARE(bar->txtImageBar->text(), QString());
    bar->txtPosSizeWidth->setText(QStringLiteral("150"));
    for (const char *refused : { "sliderx.bmp", "N.bmp" }) {
        m_env.dialogs.clear();
        m_env.pickFile(QLatin1String(refused));
        bar->cmdBrowseImageBar->click();
        QCOMPARE(m_env.dialogs.messages(), QStringList { gMessages[33] + QLatin1Char('\n') + gMessages[34] });
    }
    m_env.pickFile(QStringLiteral("slidera.bmp"));
    bar->cmdBrowseImageBar->click();
    QCOMPARE(bar->txtImageBar->text(), m_env.skins.filePath(QStringLiteral("sliderN.bmp")));
    QVERIFY(save().contains(QStringLiteral("[Volume]|PosSize=0,0,150,12|Kind=HBtn|ButtonImg=slider||")));

    // Back to a plain kind: the record's colours and flags return.
    bar->cbxBarType->setCurrentIndex(0);
    QCOMPARE(bar->cmdBackColor->toolTip(), QStringLiteral("FF0000"));
    QVERIFY(bar->chkTransparentBG->isChecked());
    QVERIFY(!picture->isVisibleTo(frmSkin::get()));
    QVERIFY(label->isVisibleTo(frmSkin::get()));
}

void tst_bar_editing::useBarOffAndOn()
{
    QFETCH(bool, fullScreen);
    BarPanel *bar = open(fullScreen, 0);
    bar->txtPosSizeLeft->setText(QStringLiteral("7"));
    ClearSkinChanged();

    bar->chkBarUsed->setChecked(false);
    QVERIFY(gSkinChanged);
    QVERIFY(!frmSkin::get()->lblSkinBar[0]->isVisibleTo(frmSkin::get()));
    QCOMPARE(bar->txtPosSizeLeft->text(), QString());
    QVERIFY(!save().contains(QStringLiteral("[TrackBar]")));

    bar->chkBarUsed->setChecked(true);
    QVERIFY(gSkinChanged);
    QCOMPARE(bar->txtPosSizeLeft->text(), QStringLiteral("7"));
    QVERIFY(bar->chkBorder->isChecked());
    QVERIFY(save().contains(QStringLiteral("[TrackBar]|PosSize=7,0,50,5|Kind=H|")));

    // With no kind chosen yet, clearing still leaves the bar out of the file.
    bar->cbxBarType->setCurrentIndex(-1);
    ClearSkinChanged();
    bar->chkBarUsed->setChecked(false);
    QVERIFY(gSkinChanged);
}

void tst_bar_editing::barReadFromAFileFollowsItsEdits()
{
    writeImage(QStringLiteral("main.bmp"), 100, 50);
    QVERIFY(testfiles::write(m_env.skins.filePath(QStringLiteral("Skin.ini")),
        "[Tovix.Skin]\r\nVersion=1.00\r\n[Settings]\r\nMainImg=main.bmp\r\n[TrackBar]\r\n"
        "PosSize=10,10,40,10\r\nKind=H\r\nTransparentBg=0\r\nBorder=0\r\nColor=00FF00\r\n"
        "BackColor=FF0000\r\n"));
    m_env.main->OpenRoad(m_env.skins.filePath(QStringLiteral("Skin.ini")));
    QLabel *label = frmSkin::get()->lblSkinBar[0];
    const auto shown = [label] { return label->grab().toImage().pixelColor(20, 5); };
    QCOMPARE(shown(), QColor(Qt::red));

    m_env.dialogs.acceptColor(Qt::blue);
    frmTrackVolumeToolBar::get()->bar(0)->cmdBackColor->click();
    QCOMPARE(shown(), QColor(Qt::blue));
}

void tst_bar_editing::positionAndSizeBoxes()
{
    BarPanel *bar = open(false, 0);
    QLabel *label = frmSkin::get()->lblSkinBar[0];
    bar->txtPosSizeLeft->setFocus();
    bar->txtPosSizeLeft->selectAll();
    QTest::keyClicks(bar->txtPosSizeLeft, QStringLiteral("x12"));
    QTest::keyClick(bar->txtPosSizeLeft, Qt::Key_Home);
    QTest::keyClick(bar->txtPosSizeLeft, Qt::Key_Minus);
    QCOMPARE(gBars[0].BarLeft, -12);
    QCOMPARE(label->x(), -12);

    // Written by the program: negative sizes and values beyond 32 bits are
    // clamped, and only the first seven characters count.
    // clang-format off
    const struct { CoordinateEdit *box; const char *written; const char *shown; } rows[] = {
        { bar->txtPosSizeWidth,  "30",       "30" },
        { bar->txtPosSizeHeight, "-5",       "0" },
        { bar->txtPosSizeTop,    "9e99",     "9999999" },
        { bar->txtPosSizeTop,    "12345678", "1234567" },
        { bar->txtPosSizeTop,    "007",      "7" },
    };
    // clang-format on
    for (const auto &row : rows) {
        row.box->setText(QLatin1String(row.written));
        QCOMPARE(row.box->text(), QLatin1String(row.shown));
    }
    QCOMPARE(label->size(), QSize(30, 0));
    QCOMPARE(gBars[0].BarTop, 7);

    // A bar that is not used takes no key and empties a box written.
    bar->chkBarUsed->setChecked(false);
    bar->txtPosSizeLeft->setFocus();
    QTest::keyClicks(bar->txtPosSizeLeft, QStringLiteral("4"));
    QCOMPARE(bar->txtPosSizeLeft->text(), QString());
    bar->txtPosSizeLeft->setText(QStringLiteral("4"));
    QCOMPARE(bar->txtPosSizeLeft->text(), QString());
    QCOMPARE(gBars[0].BarLeft, -12);
}

void tst_bar_editing::extensionChangeAndButtonBars_data()
{
    QTest::addColumn<bool>("fullScreen");
    QTest::addColumn<int>("volumeKind");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("marked");
    QTest::addColumn<bool>("buttonListed"); // the buttons' own question is answered No
    // clang-format off
    QTest::newRow("window skin, plain bars")      << false << 3 << false << true  << false;
    QTest::newRow("full-screen, plain bars")      << true  << 3 << false << false << false;
    QTest::newRow("window skin, button bar")      << false << 5 << true  << true  << false;
    QTest::newRow("full-screen, button bar")      << true  << 5 << true  << true  << false;
    QTest::newRow("full-screen, buttons kept")    << true  << 5 << true  << false << true;
    // clang-format on
}

void tst_bar_editing::extensionChangeAndButtonBars()
{
    QFETCH(bool, fullScreen);
    QFETCH(int, volumeKind);
    QFETCH(bool, asked);
    QFETCH(bool, marked);
    QFETCH(bool, buttonListed);
    BarPanel *bar = open(fullScreen, 1);
    bar->cbxBarType->setCurrentIndex(volumeKind);
    ClearSkinChanged();
    ButtonToolWindow *window = ButtonToolWindow::active();
    if (buttonListed)
        window->lstButtons->addItem(QStringLiteral("BPlay"));

    m_env.dialogs.answerButton(dialogs::vbYes);
    m_env.dialogs.answerButton(dialogs::vbNo);
    window->txtExtension->setText(QStringLiteral("gif"));
    window->txtExtension_Validate();
    QCOMPARE(m_env.dialogs.messages().contains(gMessages[41]), asked);
    QCOMPARE(gButtonExt, buttonListed ? QStringLiteral("bmp") : QStringLiteral("gif"));
    QCOMPARE(gSkinChanged, marked);
    QCOMPARE(bar->cbxBarType->currentIndex(), volumeKind == 5 && !buttonListed ? 1 : volumeKind);
}

QTEST_MAIN(tst_bar_editing)
#include "tst_bar_editing.moc"
