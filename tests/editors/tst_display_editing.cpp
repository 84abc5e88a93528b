#include "skin/SkinFormat.h"
#include "skin/SkinWriter.h"
#include "editors/CoordinateEdit.h"
#include "support/MainWindowFixture.h"
#include "editors/display_bars/ColorSwatch.h"
#include "editors/display_bars/DisplayTextPanel.h"
#include "platform/VbRuntime.h"
#include "support/TestFiles.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QtTest>

// Editing the display texts, the status text, the menu and playlist colours, the
// subtitle width key, the author texts and a full-screen skin's position: what
// reaches the document, the preview and the saved file.
class tst_display_editing : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_env.isValid()); }
    void init() { m_env.open(); }
    void cleanup() { m_env.finish(); }

    void displayTextEditedAndSaved_data();
    void displayTextEditedAndSaved();
    void damagedFontAndColourStringsNeitherFailNorChange();
    void subtitleWidthKeyFollowsTheOption();
    void guiColourTickedPickedClearedAndTickedAgain();
    void descriptionOfSeveralLinesIsSavedAsOneAndShownAgain();
    void positionCodesAndStatusTextAlignment();

private:
    // The saved skin file's lines.
    QStringList save();
    MainWindowFixture m_env;
};

QStringList tst_display_editing::save()
{
    SaveSkin();
    return QString::fromLatin1(testfiles::read(gSkinFile)).split(QStringLiteral("\r\n"));
}

void tst_display_editing::displayTextEditedAndSaved_data()
{
    QTest::addColumn<bool>("fullScreen");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("widthLine");
    // clang-format off
    QTest::newRow("window skin, title") << false << "Title=-12,30;Arial,10,BI;FF0000" << "MaxTitleWidth=150";
    QTest::newRow("status text")       << true  << "StatTxt=-12,30;Arial,10,BI;FF0000" << "StatTxtMaxWidth=150";
    // clang-format on
}

void tst_display_editing::displayTextEditedAndSaved()
{
    QFETCH(bool, fullScreen);
    QFETCH(QString, line);
    QFETCH(QString, widthLine);
    m_env.openSkin(fullScreen);
    gZoom = 2;
    DisplayTextPanel *panel = nullptr;
    CoordinateEdit *x = nullptr;
    if (fullScreen) {
        MainWindowFixture::showRead(frmFullScreenToolBar::get());
        panel = frmFullScreenToolBar::get()->statusText();
        x = frmFullScreenToolBar::get()->txtDisplayX;
    } else {
        frmDisplayToolBar *window = frmDisplayToolBar::get();
        MainWindowFixture::showRead(window);
        window->cbxDisplay->setCurrentIndex(1);
        panel = window->displayText();
        x = window->txtDisplayX;
    }
    const int i = panel->display();
    ClearSkinChanged();

    auto *used = x->window()->findChild<QCheckBox *>(fullScreen ? "chkDisplayUsed" : "chkDisplay");
    used->setChecked(true);
    QVERIFY(gSkinChanged);
    QLabel *label = frmSkin::get()->lblSkinText[i];
    QVERIFY(label->isVisibleTo(frmSkin::get()));

    x->setText(QStringLiteral("-12"));
    auto *y = x->window()->findChild<CoordinateEdit *>("txtDisplayY");
    y->setText(QStringLiteral("030"));
    QCOMPARE(y->text(), QStringLiteral("30"));
    QCOMPARE(label->pos(), QPoint(-24, 60));
    auto *width = x->window()->findChild<CoordinateEdit *>("txtDisplayDimMax");
    width->setText(QStringLiteral("150"));
    QCOMPARE(label->width(), 300);

    QFont font(QStringLiteral("Arial"), 10);
    font.setBold(true);
    font.setItalic(true);
    m_env.dialogs.acceptFont(font);
    x->window()->findChild<QPushButton *>("cmdDisplayFont")->click();
    QCOMPARE(label->font().pointSize(), 20);
    m_env.dialogs.acceptColor(Qt::red);
    x->window()->findChild<ColorSwatch *>("cmdDisplayColor")->click();
    QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::red));

    QStringList lines = save();
    QVERIFY2(lines.contains(line), qPrintable(lines.join(QLatin1Char('|'))));
    QVERIFY(lines.contains(widthLine));

    // Cleared, the display leaves the file and keeps its values for the next tick.
    used->setChecked(false);
    QVERIFY(!label->isVisibleTo(frmSkin::get()));
    QCOMPARE(x->text(), QString());
    QVERIFY(!save().contains(line));
    used->setChecked(true);
    QCOMPARE(x->text(), QStringLiteral("-12"));
    QCOMPARE(width->text(), QStringLiteral("150"));
    QVERIFY(save().contains(line));

    // A face name longer than its box shows its start.
    font.setFamily(QStringLiteral("Arial Unicode With A Rather Long Face Name"));
    m_env.dialogs.acceptFont(font);
    x->window()->findChild<QPushButton *>("cmdDisplayFont")->click();
    QCOMPARE(x->window()->findChild<QLineEdit *>("txtDisplayFont")->cursorPosition(), 0);
}

void tst_display_editing::damagedFontAndColourStringsNeitherFailNorChange()
{
    m_env.openSkin(false);
    frmDisplayToolBar *window = frmDisplayToolBar::get();
    MainWindowFixture::showRead(window);
    gDisplays[2].DspUsed = vb::True;
    gDisplays[2].DspFont = QStringLiteral("Tahoma");
    gDisplays[2].DspColor = QStringLiteral("12345G7");
    window->cbxDisplay->setCurrentIndex(2);
    QCOMPARE(window->cmdDisplayColor->toolTip(), QStringLiteral("12345G7"));
    QCOMPARE(window->cmdDisplayColor->backColor(), 0);

    // The font dialog opens on the face alone; Cancel leaves the record as it was.
    window->cmdDisplayFont->click();
    QCOMPARE(m_env.dialogs.count(), 1);
    QCOMPARE(m_env.dialogs.last().font.family(), QStringLiteral("Tahoma"));
    QCOMPARE(gDisplays[2].DspFont, QStringLiteral("Tahoma"));
    QCOMPARE(gDisplays[2].DspColor, QStringLiteral("12345G7"));
}

void tst_display_editing::subtitleWidthKeyFollowsTheOption()
{
    m_env.openSkin(false);
    frmDisplayToolBar *window = frmDisplayToolBar::get();
    MainWindowFixture::showRead(window);
    gDisplays[5].DspUsed = vb::True;
    gDisplays[5].DspMaxWidth = 80;
    ClearSkinChanged();

    window->optSubtitles[0]->click();
    QVERIFY(gSkinChanged);
    QVERIFY(save().contains(QStringLiteral("MaxSubsWidth=80")));
    window->optSubtitles[1]->click();
    QVERIFY(gSkinChanged);
    QVERIFY(save().contains(QStringLiteral("SubsMaxWidth=80")));
    // Choosing the option already chosen changes nothing.
    window->optSubtitles[1]->click();
    QVERIFY(!gSkinChanged);
}

void tst_display_editing::guiColourTickedPickedClearedAndTickedAgain()
{
    m_env.openSkin(false);
    frmDisplayToolBar *window = frmDisplayToolBar::get();
    MainWindowFixture::showRead(window);
    ClearSkinChanged();

    // Without a colour chosen in the list the box stays clear.
    window->chkGUI->setChecked(true);
    QVERIFY(!window->chkGUI->isChecked());
    QVERIFY(!gSkinChanged);

    window->cbxGUI->setCurrentIndex(3);
    QVERIFY(!gSkinChanged);
    window->chkGUI->setChecked(true);
    m_env.dialogs.acceptColor(QColor(0x12, 0x34, 0x56));
    window->cmdGUIColor->click();
    QCOMPARE(window->cmdGUIColor->toolTip(), QStringLiteral("123456"));
    QCOMPARE(gCustomPalette.split(QLatin1Char(',')).size(), 64);
    QVERIFY(save().contains(QStringLiteral("MenuFontClr=123456")));

    window->chkGUI->setChecked(false);
    QCOMPARE(window->cmdGUIColor->toolTip(), QStringLiteral("000000"));
    QVERIFY(!save().join(QLatin1Char('|')).contains(QStringLiteral("MenuFontClr")));
    window->chkGUI->setChecked(true);
    QCOMPARE(window->cmdGUIColor->toolTip(), QStringLiteral("123456"));
}

void tst_display_editing::descriptionOfSeveralLinesIsSavedAsOneAndShownAgain()
{
    m_env.openSkin(false);
    frmDisplayToolBar *window = frmDisplayToolBar::get();
    MainWindowFixture::showRead(window);
    window->txtDescription->setFocus();
    window->txtDescription->selectAll();
    QTest::keyClicks(window->txtDescription, QStringLiteral("One"));
    QTest::keyClick(window->txtDescription, Qt::Key_Return);
    QTest::keyClicks(window->txtDescription, QStringLiteral("Two"));
    QCOMPARE(gSkinInfo.InfoDescription, QStringLiteral("One\r\nTwo"));
    QVERIFY(save().contains(QStringLiteral("Description=One Two")));

    // A reload shows what the file holds.
    gSkinInfo.InfoDescription = ReadIni(QStringLiteral("Text"), QStringLiteral("Description"), gSkinFile);
    window->showDocument();
    QCOMPARE(window->txtDescription->toPlainText(), QStringLiteral("One Two"));
}

void tst_display_editing::positionCodesAndStatusTextAlignment()
{
    m_env.openSkin(true);
    frmFullScreenToolBar *window = frmFullScreenToolBar::get();
    MainWindowFixture::showRead(window);
    ClearSkinChanged();

    window->txtMainWindow->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(m_env.main));
    QTest::mouseClick(window->optPositionBOTTOM[2], Qt::LeftButton, Qt::ShiftModifier);
    // Keys after the click leave the points as the lists say.
    for (Qt::Key key : { Qt::Key_Left, Qt::Key_Space, Qt::Key_Up })
        QTest::keyClick(QApplication::focusWidget(), key);
    QCOMPARE(window->cbxPositionBTB->currentIndex(), 2);
    QCOMPARE(window->cbxPositionLMR->currentIndex(), 2);
    QVERIFY(window->optPositionTOP[2]->isChecked() && window->optPositionBOTTOM[2]->isChecked());
    QVERIFY(gSkinChanged);
    QVERIFY(save().contains(QStringLiteral("Position=BT,3")));

    // Shift with Ctrl is a plain press; a right button acts like the left one.
    QTest::mousePress(window->optPositionTOP[1], Qt::RightButton, Qt::ShiftModifier | Qt::ControlModifier);
    QVERIFY(window->optPositionTOP[1]->isChecked() && !window->optPositionBOTTOM[1]->isChecked());
    QVERIFY(save().contains(QStringLiteral("Position=T,2")));

    // Refused while the status text is not used.
    window->cbxDisplayAlignment->setCurrentIndex(2);
    QCOMPARE(window->cbxDisplayAlignment->currentIndex(), -1);
    QCOMPARE(gStatTxtAlign, int16_t(0));
    QVERIFY(!gSkinChanged);

    window->chkDisplayUsed->setChecked(true);
    QCOMPARE(window->cbxDisplayAlignment->currentIndex(), 0);
    window->cbxDisplayAlignment->setCurrentIndex(2);
    QVERIFY(frmSkin::get()->lblSkinText[7]->alignment() & Qt::AlignHCenter);
    QVERIFY(save().contains(QStringLiteral("StatTxtAlign=C")));

    window->chkDisplayUsed->setChecked(false);
    QCOMPARE(window->cbxDisplayAlignment->currentIndex(), -1);
    QCOMPARE(gStatTxtAlign, int16_t(2));
    window->chkDisplayUsed->setChecked(true);
    QCOMPARE(window->cbxDisplayAlignment->currentIndex(), 2);
}

QTEST_MAIN(tst_display_editing)
#include "tst_display_editing.moc"
