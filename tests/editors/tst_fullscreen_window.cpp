#include "editors/CoordinateEdit.h"
#include "support/MainWindowFixture.h"
#include "editors/buttons/KeyPressEdit.h"
#include "editors/display_bars/BarPanel.h"
#include "editors/display_bars/ColorSwatch.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// The tool window of a full-screen skin: its frames and controls, their texts,
// where it stands, closing it, and the movie-window image with its shape box.
class tst_fullscreen_window : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void framesStandWhereDesignedAndWaitForAnImage();
    void controlsOpenInTheirStartStates();
    void applyTextsKeepsSelectionsAndRunsNoHandler();

    void choosingTheMovieImageOpensTheTwelveFrames();
    void shapeBoxBeforeAnImageOnlyMarksAndSetsTheFlag();
    void extensionRulesAreShared();
    void extensionUnlockWarnsEachTime();
    void statusTextBoxesTakeKeysOnlyWhileItIsUsed();

private:
    frmFullScreenToolBar *openFullScreenSkin();

    MainWindowFixture m_env;
};

void tst_fullscreen_window::initTestCase()
{
    QVERIFY(m_env.isValid());
}

void tst_fullscreen_window::init()
{
    m_env.open();
}

void tst_fullscreen_window::cleanup()
{
    m_env.finish();
}

frmFullScreenToolBar *tst_fullscreen_window::openFullScreenSkin()
{
    m_env.openSkin(true);
    return frmFullScreenToolBar::get();
}

void tst_fullscreen_window::framesStandWhereDesignedAndWaitForAnImage()
{
    frmFullScreenToolBar *window = openFullScreenSkin();
    const char *frames[] = { "fmMain", "fmPosition", "fmDisplay", "fmDisplayCoordinates", "fmBarStyle_0",
        "fmBarColor_0", "fmPosSize_0", "fmBtnList", "fmBtn", "fmBtnCoordinates", "fmBarStyle_1",
        "fmBarColor_1", "fmPosSize_1" };
    for (const char *name : frames) {
        auto *box = window->findChild<QGroupBox *>(QLatin1String(name));
        QVERIFY2(box, name);
        QCOMPARE(box->parentWidget(), window);
        // Only the movie window's frame takes input at first.
        QCOMPARE(box->isEnabled(), QByteArray(name) == "fmMain");
    }
    QVERIFY(window->findChild<QFrame *>(QStringLiteral("fmSeparator_0")));
    QVERIFY(window->findChild<QFrame *>(QStringLiteral("fmSeparator_1")));
}

void tst_fullscreen_window::controlsOpenInTheirStartStates()
{
    frmFullScreenToolBar *window = openFullScreenSkin();
    QVERIFY(window->chkShape->isChecked());
    QVERIFY(window->txtMainWindow->isReadOnly());

    QCOMPARE(window->cbxPositionLMR->count(), 3);
    QCOMPARE(window->cbxPositionBTB->count(), 3);
    QCOMPARE(window->cbxPositionLMR->currentIndex(), -1);
    QCOMPARE(window->cbxPositionBTB->currentIndex(), -1);
    for (int i = 0; i < 3; ++i) {
        auto *top = window->findChild<QRadioButton *>(QStringLiteral("optPositionTOP_%1").arg(i));
        auto *bottom = window->findChild<QRadioButton *>(QStringLiteral("optPositionBOTTOM_%1").arg(i));
        QVERIFY(top && bottom);
        QVERIFY(!top->isChecked() && !bottom->isChecked());
        QCOMPARE(top->parentWidget()->objectName(), QStringLiteral("pctPositionPreviewTOP"));
        QCOMPARE(bottom->parentWidget()->objectName(), QStringLiteral("pctPositionPreviewBOTTOM"));
    }
    QVERIFY(window->findChild<QGroupBox *>(QStringLiteral("fmPositionPreview")));

    QVERIFY(!window->chkDisplayUsed->isChecked());
    QCOMPARE(window->cbxDisplayAlignment->count(), 3);
    QCOMPARE(window->cbxDisplayAlignment->currentIndex(), -1);
    QVERIFY(window->txtDisplayFont->isReadOnly());
    QCOMPARE(window->cmdDisplayColor->toolTip(), QStringLiteral("000000"));
    QCOMPARE(window->cmdDisplayColor->objectName(), QStringLiteral("cmdDisplayColor"));
    for (const char *name : { "txtDisplayDimMax", "txtDisplayX", "txtDisplayY", "lblDisplayPixelsY" })
        QVERIFY2(window->findChild<QWidget *>(QLatin1String(name)), name);

    QVERIFY(!window->chkExtension->isChecked());
    QVERIFY(!window->txtExtension->isEnabledTo(window->fmBtnList));
    QCOMPARE(window->txtExtension->text(), QStringLiteral("bmp"));
    QVERIFY(
        window->cmdAdd->isEnabledTo(window->fmBtnList) && window->cmdClear->isEnabledTo(window->fmBtnList));
    QVERIFY(!window->cmdUp->isEnabledTo(window->fmBtnList) && !window->cmdDown->isEnabledTo(window->fmBtnList)
        && !window->cmdRemove->isEnabledTo(window->fmBtnList));

    // A full-screen skin has no transparent buttons.
    QCOMPARE(window->cbxBtnType->count(), 2);
    QCOMPARE(window->cbxBtnAction->count(), 123);
    QCOMPARE(window->cbxBtnAction->currentIndex(), -1);
    QVERIFY(window->optBtnText[1]->isChecked());
    QVERIFY(!window->cmdBtnText->isEnabledTo(window->fmBtn));
    QVERIFY(window->cmdBtnText->text().isEmpty());

    for (int i = 0; i < 2; ++i) {
        QVERIFY(window->bar(i)->chkBarUsed->isChecked());
        QCOMPARE(window->bar(i)->cbxBarType->count(), 6);
        QCOMPARE(window->bar(i)->cbxBarType->currentIndex(), -1);
    }
}

void tst_fullscreen_window::applyTextsKeepsSelectionsAndRunsNoHandler()
{
    frmFullScreenToolBar *window = openFullScreenSkin();
    {
        const QSignalBlocker quiet(window->cbxPositionBTB);
        window->cbxPositionBTB->setCurrentIndex(2);
    }
    QSignalSpy positions(window->cbxPositionBTB, &QComboBox::currentIndexChanged);
    QSignalSpy kinds(window->bar(0)->cbxBarType, &QComboBox::currentIndexChanged);

    m_env.writeLanguage(
        "[TVX_Morvane]\r\nVersion=1\r\n[FullScreen]\r\n11=Sotto e sopra\r\n50=Orizzontale\r\n");
    const LangReader lang;
    window->ApplyActionNames(lang);
    window->ApplyTexts(lang);

    QCOMPARE(window->cbxPositionBTB->count(), 3);
    QCOMPARE(window->cbxPositionBTB->currentIndex(), 2);
    QCOMPARE(window->cbxPositionBTB->currentText(), QStringLiteral("Sotto e sopra"));
    QCOMPARE(window->bar(0)->cbxBarType->itemText(0), QStringLiteral("Orizzontale"));
    QCOMPARE(positions.count() + kinds.count(), 0);
    QVERIFY(!gSkinChanged);
}

void tst_fullscreen_window::choosingTheMovieImageOpensTheTwelveFrames()
{
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QVERIFY(image.save(m_env.skins.filePath(QStringLiteral("Movie.bmp")), "BMP"));
    frmFullScreenToolBar *window = openFullScreenSkin();
    gZoom = 2;
    m_env.pickFile(QStringLiteral("Movie.bmp"));
    window->cmdBrowseMainWindow->click();
    gZoom = 1;

    QCOMPARE(gMainImage, QStringLiteral("Movie.bmp"));
    QCOMPARE(window->txtMainWindow->toolTip(), gSkinFolder + QStringLiteral("Movie.bmp"));
    QCOMPARE(frmSkin::get()->pctSkinMain->size(), QSize(40, 20));
    const QList<QGroupBox *> frames
        = window->findChildren<QGroupBox *>(QString(), Qt::FindDirectChildrenOnly);
    QCOMPARE(frames.size(), 13);
    for (QGroupBox *frame : frames)
        QVERIFY2(frame->isEnabled(), qPrintable(frame->objectName()));
    QVERIFY(gSkinChanged);
}

void tst_fullscreen_window::shapeBoxBeforeAnImageOnlyMarksAndSetsTheFlag()
{
    frmFullScreenToolBar *window = openFullScreenSkin();
    QVERIFY(gAnyShape != 0);
    window->chkShape->setChecked(false);
    QCOMPARE(gAnyShape, int16_t(0));
    QVERIFY(gSkinChanged);
    QVERIFY(frmSkin::get()->pctSkinMain->mask().isEmpty());
}

void tst_fullscreen_window::extensionRulesAreShared()
{
    frmFullScreenToolBar *window = openFullScreenSkin();
    {
        const QSignalBlocker quiet(window->bar(1)->cbxBarType);
        window->bar(1)->cbxBarType->setCurrentIndex(4);
    }
    m_env.dialogs.answerButton(dialogs::vbNo);
    window->txtExtension->setText(QStringLiteral("png"));
    window->txtExtension_Validate();
    QCOMPARE(m_env.dialogs.count(), 1);
    QCOMPARE(window->txtExtension->text(), QStringLiteral("bmp"));
    QCOMPARE(window->bar(1)->cbxBarType->currentIndex(), 4);

    m_env.dialogs.answerButton(dialogs::vbYes);
    window->txtExtension->setText(QStringLiteral("png"));
    window->txtExtension_Validate();
    QCOMPARE(window->bar(1)->cbxBarType->currentIndex(), 0);
    QCOMPARE(gButtonExt, QStringLiteral("png"));
    QVERIFY(gSkinChanged);
}

void tst_fullscreen_window::extensionUnlockWarnsEachTime()
{
    frmFullScreenToolBar *window = openFullScreenSkin();
    window->chkExtension->setChecked(true);
    QVERIFY(window->txtExtension->isEnabledTo(window->fmBtnList));
    QCOMPARE(m_env.dialogs.count(), 1);
    QCOMPARE(m_env.dialogs.last().title, QStringLiteral("Attention"));
    QCOMPARE(m_env.dialogs.last().style, int(dialogs::vbExclamation));
    const QStringList parts = m_env.dialogs.last().prompt.split(QLatin1Char('\n'));
    QCOMPARE(parts.size(), 4);
    QCOMPARE(parts.at(0), QStringLiteral("The Buttons' extension is stored in \"Skin.ini\" file."));
    QVERIFY(parts.at(2).isEmpty());
    QVERIFY(parts.at(3).startsWith(QStringLiteral("Note:")));

    window->txtExtension->setText(QStringLiteral("png"));
    window->chkExtension->setChecked(false);
    QVERIFY(!window->txtExtension->isEnabledTo(window->fmBtnList));
    QCOMPARE(window->txtExtension->text(), QStringLiteral("png"));
    QCOMPARE(m_env.dialogs.count(), 1);

    window->chkExtension->setChecked(true);
    QCOMPARE(m_env.dialogs.count(), 2);
    QVERIFY(!gSkinChanged);
}

void tst_fullscreen_window::statusTextBoxesTakeKeysOnlyWhileItIsUsed()
{
    frmFullScreenToolBar *window = openFullScreenSkin();
    gDisplays[7].DspUsed = 0;
    for (CoordinateEdit *box : { window->txtDisplayDimMax, window->txtDisplayX, window->txtDisplayY }) {
        QTest::keyClicks(box, QStringLiteral("12"));
        QVERIFY(box->text().isEmpty());
    }
    gDisplays[7].DspUsed = -1;
    QVERIFY(window->txtDisplayX->gateOpen());
    QVERIFY(window->txtDisplayDimMax->gateOpen());
    // The maximum width is never negative.
    QVERIFY(!window->txtDisplayDimMax->minusAllowed());
    QVERIFY(window->txtDisplayY->minusAllowed());
    gDisplays[7].DspUsed = 0;
}

QTEST_MAIN(tst_fullscreen_window)
#include "tst_fullscreen_window.moc"
