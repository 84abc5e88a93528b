#include "skin/SkinFonts.h"
#include "editors/frmSelectFile.h"
#include "support/MainWindowFixture.h"
#include "editors/buttons/KeyPressEdit.h"
#include "editors/display_bars/BarPanel.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// The Images tool window of a window skin: its controls and texts, where it
// stands, closing it, and its main-image, shape, font and extension handlers.
class tst_images_window : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void controlsCarryTheirDesignNamesAndStartStates();
    void applyTextsKeepsSelectionsAndRunsNoHandler();

    void choosingTheMainImageShowsItAndOpensTheOtherFrames();
    void mainImageAtZoomTwoIsTwiceAsLarge();
    void cancelledOrUnreadableMainImageChangesNothing();
    void untickingShapeBeforeAMainImageClearsTheFlag();
    void shapeBoxShapesTheShownMainImage();

    void choosingAFontRegistersItAndBackspaceClearsIt();

    void extensionKeysRefuseFileNameCharacters();
    void extensionChangeWithoutUsersIsTakenSilently();
    void extensionChangeAsksWhileButtonsAreListed();
    void extensionChangeResetsButtonBars();
    void extensionIsValidatedWhenTheFocusMovesOnOnly();

private:
    frmImagesToolBar *openWindowSkin();
    void writeImage(const QString &name, const QSize &size);

    MainWindowFixture m_env;
};

void tst_images_window::initTestCase()
{
    QVERIFY(m_env.isValid());
}

void tst_images_window::init()
{
    m_env.open();
}

void tst_images_window::cleanup()
{
    m_env.finish();
}

frmImagesToolBar *tst_images_window::openWindowSkin()
{
    m_env.openSkin(false);
    return frmImagesToolBar::get();
}

void tst_images_window::writeImage(const QString &name, const QSize &size)
{
    // Red with a white top-left pixel: shaped, the white pixels go.
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::red);
    image.setPixel(0, 0, qRgb(255, 255, 255));
    QVERIFY(image.save(m_env.skins.filePath(name), "BMP"));
}

void tst_images_window::controlsCarryTheirDesignNamesAndStartStates()
{
    frmImagesToolBar *window = openWindowSkin();
    QCOMPARE(window->objectName(), QStringLiteral("frmImagesToolBar"));

    for (const char *name : { "fmMain", "pctMain", "txtMainWindow", "cmdBrowseMainWindow", "chkShape",
             "chkType", "lblMainFont_0", "txtMainFont_0", "cmdMainFont_0", "lblMainFont_1", "txtMainFont_1",
             "cmdMainFont_1", "fmBtnList", "pctBtnList", "lstButtons", "cmdAdd", "cmdUp", "cmdDown",
             "cmdRemove", "cmdClear", "lblExtension", "txtExtension", "fmBtn", "pctBtn", "cbxBtn",
             "lblBtnName", "cbxBtnType", "lblBtnType", "cbxBtnAction", "lblBtnAction", "optBtnText_0",
             "optBtnText_1", "txtBtnText", "cmdBtnText", "fmBtnCoordinates", "txtBtnX", "txtBtnY", "lblBtnX",
             "lblBtnY", "lblBtnPixelsX", "lblBtnPixelsY" })
        QVERIFY2(window->findChild<QWidget *>(QLatin1String(name)), name);

    // Only the main image's group takes input until a main image is chosen.
    QVERIFY(window->fmMain->isEnabled());
    QVERIFY(!window->fmBtnList->isEnabled());
    QVERIFY(!window->fmBtn->isEnabled());
    QVERIFY(!window->fmBtnCoordinates->isEnabled());

    QVERIFY(window->txtMainWindow->text().isEmpty());
    QVERIFY(window->txtMainWindow->isReadOnly());
    QVERIFY(window->chkShape->isChecked());
    QVERIFY(!window->chkType->isEnabled());
    QVERIFY(window->txtMainFont[0]->isReadOnly() && window->txtMainFont[1]->isReadOnly());
    QCOMPARE(window->txtExtension->text(), QStringLiteral("bmp"));
    QCOMPARE(window->lstButtons->count(), 0);
    QVERIFY(
        window->cmdAdd->isEnabledTo(window->fmBtnList) && window->cmdClear->isEnabledTo(window->fmBtnList));
    QVERIFY(!window->cmdUp->isEnabledTo(window->fmBtnList) && !window->cmdDown->isEnabledTo(window->fmBtnList)
        && !window->cmdRemove->isEnabledTo(window->fmBtnList));
    QCOMPARE(window->cbxBtnType->count(), 3);
    QCOMPARE(window->cbxBtnType->currentIndex(), -1);
    QCOMPARE(window->cbxBtnAction->currentIndex(), -1);
    QCOMPARE(window->cbxBtn->count(), 0);
    QVERIFY(window->optBtnText[1]->isChecked());
    QVERIFY(!window->optBtnText[0]->isChecked());
    QVERIFY(!window->cmdBtnText->isEnabledTo(window->fmBtn));
    QVERIFY(window->cmdBtnText->text().isEmpty());
}

void tst_images_window::applyTextsKeepsSelectionsAndRunsNoHandler()
{
    frmImagesToolBar *window = openWindowSkin();
    {
        const QSignalBlocker quiet(window->cbxBtnType);
        window->cbxBtnType->setCurrentIndex(1);
    }
    {
        const QSignalBlocker quiet(window->cbxBtnAction);
        window->cbxBtnAction->setCurrentIndex(20);
    }
    QSignalSpy types(window->cbxBtnType, &QComboBox::currentIndexChanged);
    QSignalSpy actions(window->cbxBtnAction, &QComboBox::currentIndexChanged);

    m_env.writeLanguage(
        "[TVX_Morvane]\r\nVersion=2\r\n[Images]\r\n21=Sagomato\r\n[Actions]\r\n21=Riproduci\r\n");
    const LangReader lang;
    window->ApplyActionNames(lang);
    window->ApplyTexts(lang);

    QCOMPARE(window->cbxBtnType->currentIndex(), 1);
    QCOMPARE(window->cbxBtnType->currentText(), QStringLiteral("Sagomato"));
    QCOMPARE(window->cbxBtnType->count(), 3);
    QCOMPARE(window->cbxBtnAction->currentIndex(), 20);
    QCOMPARE(window->cbxBtnAction->currentText(), QStringLiteral("Riproduci"));
    QCOMPARE(window->cbxBtnAction->count(), 123);
    QCOMPARE(types.count() + actions.count(), 0);
    QVERIFY(!gSkinChanged);
}

void tst_images_window::choosingTheMainImageShowsItAndOpensTheOtherFrames()
{
    writeImage(QStringLiteral("Back.bmp"), QSize(4, 3));
    writeImage(QStringLiteral("Main.bmp"), QSize(40, 30));
    frmImagesToolBar *window = openWindowSkin();
    const int16_t shapeBefore = gAnyShape;
    gMainImage = QStringLiteral("main.BMP");

    m_env.pickFile(QStringLiteral("Main.bmp"));
    window->cmdBrowseMainWindow->click();

    // The picker was asked for the skin folder's bitmaps, the current image preselected.
    QCOMPARE(gSelFileFolder, gSkinFolder);
    QCOMPARE(gSelFileFilter, QStringLiteral("bmp"));
    QCOMPARE(gSelFilePrompt, QStringLiteral("Select the desired image file:"));

    QCOMPARE(gMainImage, QStringLiteral("Main.bmp"));
    const QString path = gSkinFolder + QStringLiteral("Main.bmp");
    QCOMPARE(window->txtMainWindow->text(), path);
    QCOMPARE(window->txtMainWindow->toolTip(), path);
    QCOMPARE(frmSkin::get()->pctSkinMain->size(), QSize(40, 30));
    QVERIFY(frmSkin::get()->pctSkinMain->isVisibleTo(frmSkin::get()));
    QCOMPARE(gAnyShape, shapeBefore);

    QVERIFY(window->fmBtnList->isEnabled());
    QVERIFY(window->fmBtn->isEnabled());
    QVERIFY(window->fmBtnCoordinates->isEnabled());
    frmDisplayToolBar *display = frmDisplayToolBar::get();
    for (QGroupBox *frame : { display->fmDisplayDimText, display->fmDisplay, display->fmDisplayCoordinates,
             display->fmGUI, display->fmText })
        QVERIFY(frame->isEnabled());
    for (int i = 0; i < 2; ++i) {
        BarPanel *bar = frmTrackVolumeToolBar::get()->bar(i);
        QVERIFY(bar->fmBarStyle->isEnabled() && bar->fmBarColor->isEnabled() && bar->fmPosSize->isEnabled());
    }

    QVERIFY(gSkinChanged);
    QVERIFY(frmSkin::get()->caption().startsWith(QLatin1Char('*')));
    QCOMPARE(m_env.dialogs.count(DialogRecorder::Kind::MessageBox), 0);
}

void tst_images_window::mainImageAtZoomTwoIsTwiceAsLarge()
{
    writeImage(QStringLiteral("Main.bmp"), QSize(40, 30));
    frmImagesToolBar *window = openWindowSkin();
    gZoom = 2;
    m_env.pickFile(QStringLiteral("Main.bmp"));
    window->cmdBrowseMainWindow_Click();
    QCOMPARE(frmSkin::get()->pctSkinMain->size(), QSize(80, 60));
    // The preview window grows with it.
    QVERIFY(frmSkin::get()->frameWidth() >= 80 && frmSkin::get()->frameHeight() >= 60);
}

void tst_images_window::cancelledOrUnreadableMainImageChangesNothing()
{
    QFile bad(m_env.skins.filePath(QStringLiteral("Bad.bmp")));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("this is no picture");
    bad.close();
    frmImagesToolBar *window = openWindowSkin();
    gMainImage.clear();

    m_env.dialogs.cancel();
    window->cmdBrowseMainWindow_Click();
    QVERIFY(!gSkinChanged);
    QVERIFY(!window->fmBtnList->isEnabled());

    m_env.pickFile(QStringLiteral("Bad.bmp"));
    window->cmdBrowseMainWindow_Click();
    QCOMPARE(m_env.dialogs.count(DialogRecorder::Kind::MessageBox), 1);
    const DialogRecorder::Request &box = m_env.dialogs.last();
    QCOMPARE(box.title, QStringLiteral("TVX_Morvane - Skin"));
    QCOMPARE(box.prompt,
        QStringLiteral("It wasn't possible to load the specified file.\n"
                       "It's not a supported image (bmp, ico, cur, rle, wmf, emf, gif, jpg)."));
    QVERIFY(box.style & dialogs::vbCritical);

    QVERIFY(gMainImage.isEmpty());
    QVERIFY(window->txtMainWindow->text().isEmpty());
    QVERIFY(!window->fmBtnList->isEnabled());
    QVERIFY(!frmDisplayToolBar::get()->fmDisplay->isEnabled());
    QVERIFY(!gSkinChanged);
}

void tst_images_window::untickingShapeBeforeAMainImageClearsTheFlag()
{
    writeImage(QStringLiteral("Main.bmp"), QSize(40, 30));
    frmImagesToolBar *window = openWindowSkin();
    QVERIFY(gAnyShape != 0);

    window->chkShape->setChecked(false);
    // The flag says what the box shows, so the skin is saved unshaped.
    QCOMPARE(gAnyShape, int16_t(0));
    QVERIFY(gSkinChanged);
    QVERIFY(frmSkin::get()->pctSkinMain->mask().isEmpty());

    // The image chosen afterwards follows the box.
    m_env.pickFile(QStringLiteral("Main.bmp"));
    window->cmdBrowseMainWindow_Click();
    QVERIFY(frmSkin::get()->pctSkinMain->mask().isEmpty());
    QCOMPARE(gAnyShape, int16_t(0));

    window->chkShape->setChecked(true);
    QCOMPARE(gAnyShape, int16_t(-1));
}

void tst_images_window::shapeBoxShapesTheShownMainImage()
{
    writeImage(QStringLiteral("Main.bmp"), QSize(40, 30));
    frmImagesToolBar *window = openWindowSkin();
    m_env.pickFile(QStringLiteral("Main.bmp"));
    window->cmdBrowseMainWindow_Click();
    PictureBox *main = frmSkin::get()->pctSkinMain;
    // Ticked: the white top-left pixel is cut away.
    QVERIFY(!main->mask().isEmpty());
    QVERIFY(!main->mask().contains(QPoint(0, 0)));
    QVERIFY(main->mask().contains(QPoint(1, 0)));

    ClearSkinChanged();
    window->chkShape->setChecked(false);
    QVERIFY(main->mask().isEmpty());
    QCOMPARE(gAnyShape, int16_t(0));
    QVERIFY(gSkinChanged);

    window->chkShape->setChecked(true);
    QVERIFY(!main->mask().contains(QPoint(0, 0)));
    QCOMPARE(gAnyShape, int16_t(-1));
}

void tst_images_window::choosingAFontRegistersItAndBackspaceClearsIt()
{
    const QString system = QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
    if (!QFile::exists(system))
        QSKIP("no font file to register");
    QVERIFY(QFile::copy(system, m_env.skins.filePath(QStringLiteral("SkinFontWithALongName.ttf"))));
    writeImage(QStringLiteral("Main.bmp"), QSize(4, 4));
    frmImagesToolBar *window = openWindowSkin();
    KeyPressEdit *box = window->txtMainFont[1];

    m_env.pickFile(QStringLiteral("SkinFontWithALongName.ttf"));
    window->cmdMainFont[1]->click();
    QCOMPARE(gSelFilePrompt, QStringLiteral("Select a font for the current skin:"));
    QCOMPARE(gSelFileFilter, QStringLiteral("ttf;*.fon;*.fnt;*.ttf;*.ttc;*.fot;*.otf;*.mmm;*.pfb;*.pfm"));
    QCOMPARE(box->text(), QStringLiteral("SkinFontWithALongName.ttf"));
    QCOMPARE(box->toolTip(), QStringLiteral("SkinFontWithALongName.ttf"));
    QCOMPARE(box->cursorPosition(), 0); // the start of a name longer than the box
    QCOMPARE(gSkinFonts[1], QStringLiteral("SkinFontWithALongName.ttf"));
    QVERIFY(gSkinFonts[0].isEmpty());
    QCOMPARE(RegisteredSkinFontCount(1), 1);
    QVERIFY(gSkinChanged);

    // No key types into the box; Backspace empties the slot and marks the skin
    // changed, so that closing it asks before the change is lost.
    ClearSkinChanged();
    QTest::keyClicks(box, QStringLiteral("ab"));
    QCOMPARE(box->text(), QStringLiteral("SkinFontWithALongName.ttf"));
    QVERIFY(!gSkinChanged);
    QTest::keyClick(box, Qt::Key_Backspace);
    QVERIFY(box->text().isEmpty());
    QVERIFY(box->toolTip().isEmpty());
    QVERIFY(gSkinFonts[1].isEmpty());
    QCOMPARE(RegisteredSkinFontCount(1), 0);
    QVERIFY(gSkinChanged);

    // An empty slot has nothing to lose.
    ClearSkinChanged();
    QTest::keyClick(box, Qt::Key_Backspace);
    QVERIFY(!gSkinChanged);
}

void tst_images_window::extensionKeysRefuseFileNameCharacters()
{
    frmImagesToolBar *window = openWindowSkin();
    window->fmBtnList->setEnabled(true);
    window->Show();
    KeyPressEdit *box = window->txtExtension;
    box->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(m_env.main));
    box->clear();
    QTest::keyClicks(box, QStringLiteral("p.n*g\\/:?\"<>|x"));
    QCOMPARE(box->text(), QStringLiteral("pngx"));
    QVERIFY(box->hasFocus());
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(box->text(), QStringLiteral("pngx"));
    QVERIFY(!box->hasFocus());
}

void tst_images_window::extensionChangeWithoutUsersIsTakenSilently()
{
    frmImagesToolBar *window = openWindowSkin();
    QCOMPARE(gButtonExt, QStringLiteral("bmp"));
    window->txtExtension->setText(QStringLiteral("png  "));
    window->txtExtension_Validate();
    QCOMPARE(window->txtExtension->text(), QStringLiteral("png"));
    QCOMPARE(gButtonExt, QStringLiteral("png"));
    QCOMPARE(m_env.dialogs.count(), 0);
    // The new extension goes into the skin file: the skin is changed.
    QVERIFY(gSkinChanged);

    // Leaving the box unchanged is no change.
    ClearSkinChanged();
    window->txtExtension_Validate();
    QVERIFY(!gSkinChanged);
}

void tst_images_window::extensionChangeAsksWhileButtonsAreListed()
{
    frmImagesToolBar *window = openWindowSkin();
    window->lstButtons->addItem(QStringLiteral("Play"));

    // Only the letter case differs: nothing to ask.
    window->txtExtension->setText(QStringLiteral("BMP"));
    window->txtExtension_Validate();
    QCOMPARE(gButtonExt, QStringLiteral("BMP"));
    QCOMPARE(m_env.dialogs.count(), 0);
    QVERIFY(gSkinChanged);
    ClearSkinChanged();

    m_env.dialogs.answerButton(dialogs::vbNo);
    window->txtExtension->setText(QStringLiteral("gif"));
    window->txtExtension_Validate();
    QCOMPARE(m_env.dialogs.count(), 1);
    QCOMPARE(m_env.dialogs.last().prompt,
        QStringLiteral("If you change the extension all the buttons in the Buttons List and in the Bars "
                       "window will be removed. Continue anyway?"));
    QCOMPARE(m_env.dialogs.last().title, QStringLiteral("Attention"));
    QCOMPARE(m_env.dialogs.last().style, dialogs::vbYesNo | dialogs::vbExclamation);
    QCOMPARE(window->txtExtension->text(), QStringLiteral("BMP"));
    QCOMPARE(gButtonExt, QStringLiteral("BMP"));
    QCOMPARE(window->lstButtons->count(), 1);
    QVERIFY(!gSkinChanged);
}

void tst_images_window::extensionChangeResetsButtonBars()
{
    frmImagesToolBar *window = openWindowSkin();
    BarPanel *track = frmTrackVolumeToolBar::get()->bar(0);
    BarPanel *volume = frmTrackVolumeToolBar::get()->bar(1);
    {
        const QSignalBlocker quietTrack(track->cbxBarType);
        const QSignalBlocker quietVolume(volume->cbxBarType);
        track->cbxBarType->setCurrentIndex(3);
        volume->cbxBarType->setCurrentIndex(5);
    }
    m_env.dialogs.answerButton(dialogs::vbYes);
    window->txtExtension->setText(QStringLiteral("gif"));
    window->txtExtension_Validate();

    // No buttons listed: the clear asks nothing more.
    QCOMPARE(m_env.dialogs.count(), 1);
    QCOMPARE(track->cbxBarType->currentIndex(), 3);
    QCOMPARE(volume->cbxBarType->currentIndex(), 1);
    QCOMPARE(gButtonExt, QStringLiteral("gif"));
    QVERIFY(gSkinChanged);
}

void tst_images_window::extensionIsValidatedWhenTheFocusMovesOnOnly()
{
    frmImagesToolBar *window = openWindowSkin();
    window->fmBtnList->setEnabled(true);
    window->lstButtons->addItem(QStringLiteral("Play"));
    window->Show();
    QVERIFY(QTest::qWaitForWindowActive(m_env.main));
    window->txtExtension->setFocus();
    QVERIFY(window->txtExtension->hasFocus());

    // Tab moves on: the new extension is checked (and refused here).
    m_env.dialogs.answerButton(dialogs::vbNo);
    window->txtExtension->setText(QStringLiteral("gif"));
    QTest::keyClick(window->txtExtension, Qt::Key_Tab);
    QVERIFY(!window->txtExtension->hasFocus());
    QCOMPARE(m_env.dialogs.count(), 1);
    QCOMPARE(window->txtExtension->text(), QStringLiteral("bmp"));

    // Hiding the window is no move to another control: nothing is asked.
    window->txtExtension->setFocus();
    window->txtExtension->setText(QStringLiteral("gif"));
    window->Hide();
    QCOMPARE(m_env.dialogs.count(), 1);
}

QTEST_MAIN(tst_images_window)
#include "tst_images_window.moc"
