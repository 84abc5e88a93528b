#include "editors/CoordinateEdit.h"
#include "support/MainWindowFixture.h"
#include "editors/display_bars/ColorSwatch.h"
#include "platform/VbRuntime.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

// The "Display & GUI" tool window: its frames and controls, their start state,
// its texts, where it places itself and what closing it does.
class tst_display : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void controlsCarryTheirDesignNames();
    void fiveFramesOneUnderTheOther();
    void opensDisabledWithTheNewSkinsValues();
    void enableFramesEnablesAllFive();
    void oneKeyServesBothPixelLabels();
    void applyTextsKeepsSelectionsAndRunsNoHandler();

private:
    MainWindowFixture m_env;
};

void tst_display::initTestCase()
{
    QVERIFY(m_env.isValid());
}

void tst_display::init()
{
    m_env.open();
}

void tst_display::cleanup()
{
    m_env.finish();
}

void tst_display::controlsCarryTheirDesignNames()
{
    frmDisplayToolBar *window = frmDisplayToolBar::get();
    QCOMPARE(window->objectName(), QStringLiteral("frmDisplayToolBar"));
    const char *names[] = { "fmDisplayDimText", "pctDisplayDimText", "lblDisplayTitle", "txtDisplayDimMax",
        "optSubtitles_0", "optSubtitles_1", "fmDisplay", "pctDisplay", "lblDisplayName", "cbxDisplay",
        "chkDisplay", "lblDisplayFont", "txtDisplayFont", "cmdDisplayFont", "cmdDisplayColor",
        "fmDisplayCoordinates", "lblDisplayX", "lblDisplayPixelsX", "lblDisplayY", "lblDisplayPixelsY",
        "txtDisplayX", "txtDisplayY", "fmGUI", "lblGUIName", "cbxGUI", "chkGUI", "cmdGUIColor", "fmText",
        "lblInstruction", "lblAuthor", "lblURL", "lblDescription", "txtAuthor", "txtURL", "txtDescription" };
    for (const char *name : names)
        QVERIFY2(window->findChildren<QWidget *>(QLatin1String(name)).size() == 1, name);
    QCOMPARE(window->findChild<QLineEdit *>(QStringLiteral("txtDisplayX")), window->txtDisplayX);
    QCOMPARE(window->findChild<QRadioButton *>(QStringLiteral("optSubtitles_1")), window->optSubtitles[1]);
    // The controls of the first two frames lie on their grouping boxes.
    QCOMPARE(window->txtDisplayDimMax->parentWidget(), window->pctDisplayDimText);
    QCOMPARE(window->optSubtitles[0]->parentWidget(), window->pctDisplayDimText);
    QCOMPARE(window->cmdDisplayColor->parentWidget(), window->pctDisplay);
    QCOMPARE(window->cbxGUI->parentWidget(), window->fmGUI);
}

void tst_display::fiveFramesOneUnderTheOther()
{
    frmDisplayToolBar *window = frmDisplayToolBar::get();
    const QList<QGroupBox *> frames = { window->fmDisplayDimText, window->fmDisplay,
        window->fmDisplayCoordinates, window->fmGUI, window->fmText };
    for (int k = 0; k < frames.size(); ++k) {
        QCOMPARE(frames[k]->parentWidget(), window);
        QCOMPARE(frames[k]->width(), frames[0]->width());
        QCOMPARE(frames[k]->x(), frames[0]->x());
        if (k > 0)
            QVERIFY(frames[k]->y() > frames[k - 1]->geometry().bottom());
    }
    // Inside the designed client area of 4590 by 7815 twips.
    QVERIFY(frames.last()->geometry().bottom() < 521);
    QVERIFY(frames.last()->geometry().right() < 306);
}

void tst_display::opensDisabledWithTheNewSkinsValues()
{
    frmDisplayToolBar *window = frmDisplayToolBar::get();
    for (QGroupBox *frame : { window->fmDisplayDimText, window->fmDisplay, window->fmDisplayCoordinates,
             window->fmGUI, window->fmText })
        QVERIFY(!frame->isEnabled());
    // Only the frames are disabled: what lies in them is enabled by itself.
    QVERIFY(!window->cbxDisplay->testAttribute(Qt::WA_ForceDisabled));
    QVERIFY(!window->txtAuthor->testAttribute(Qt::WA_ForceDisabled));

    QCOMPARE(window->cbxDisplay->count(), frmDisplayToolBar::DisplayCount);
    QCOMPARE(window->cbxDisplay->currentIndex(), -1);
    QVERIFY(!window->cbxDisplay->isEditable());
    QCOMPARE(window->cbxGUI->count(), frmDisplayToolBar::GuiColorCount);
    QCOMPARE(window->cbxGUI->currentIndex(), -1);
    QVERIFY(!window->cbxGUI->isEditable());
    QVERIFY(!window->chkDisplay->isChecked());
    QVERIFY(!window->chkGUI->isChecked());
    QVERIFY(window->chkDisplay->text().isEmpty());
    QVERIFY(window->txtDisplayFont->isReadOnly());
    QVERIFY(window->txtDisplayFont->text().isEmpty());
    for (ColorSwatch *swatch : { window->cmdDisplayColor, window->cmdGUIColor }) {
        QCOMPARE(swatch->backColor(), 0);
        QCOMPARE(swatch->toolTip(), QStringLiteral("000000"));
    }
    for (QLineEdit *box : QList<QLineEdit *> { window->txtDisplayDimMax, window->txtDisplayX,
             window->txtDisplayY, window->txtAuthor, window->txtURL })
        QVERIFY(box->text().isEmpty());
    for (CoordinateEdit *box : { window->txtDisplayDimMax, window->txtDisplayX, window->txtDisplayY })
        QCOMPARE(box->maxChars(), 7);
    // Coordinates may be negative, the maximum width not.
    QVERIFY(window->txtDisplayX->minusAllowed());
    QVERIFY(window->txtDisplayY->minusAllowed());
    QVERIFY(!window->txtDisplayDimMax->minusAllowed());
    QVERIFY(!window->optSubtitles[0]->isChecked());
    QVERIFY(window->optSubtitles[1]->isChecked());
    QCOMPARE(window->txtDescription->toPlainText(), QStringLiteral("Created with TVX Morvane (by Orlo)\n"));
}

void tst_display::enableFramesEnablesAllFive()
{
    frmDisplayToolBar *window = frmDisplayToolBar::get();
    window->EnableFrames();
    for (QGroupBox *frame : { window->fmDisplayDimText, window->fmDisplay, window->fmDisplayCoordinates,
             window->fmGUI, window->fmText })
        QVERIFY(frame->isEnabled());
    QVERIFY(window->txtDisplayY->isEnabled());
}

void tst_display::oneKeyServesBothPixelLabels()
{
    m_env.writeLanguage("[TVX_Morvane]\r\nVersion=1\r\n[Display]\r\n21=(pixel)\r\n");
    frmDisplayToolBar *window = frmDisplayToolBar::get();
    QCOMPARE(
        window->findChild<QLabel *>(QStringLiteral("lblDisplayPixelsX"))->text(), QStringLiteral("(pixel)"));
    QCOMPARE(
        window->findChild<QLabel *>(QStringLiteral("lblDisplayPixelsY"))->text(), QStringLiteral("(pixel)"));
    QCOMPARE(window->findChild<QLabel *>(QStringLiteral("lblDisplayY"))->text(), QStringLiteral("Y:"));
    QCOMPARE(window->fmDisplayCoordinates->title(), QStringLiteral("Coordinates"));
    QCOMPARE(window->fmGUI->title(), QStringLiteral("GUI"));
}

void tst_display::applyTextsKeepsSelectionsAndRunsNoHandler()
{
    frmDisplayToolBar *window = frmDisplayToolBar::get();
    gDisplays[3].DspUsed = vb::True;
    window->cbxDisplay->setCurrentIndex(3);
    window->cbxGUI->setCurrentIndex(5);
    window->txtDisplayX->setText(QStringLiteral("12"));
    ClearSkinChanged();
    QSignalSpy displayIndex(window->cbxDisplay, &QComboBox::currentIndexChanged);
    QSignalSpy displayText(window->cbxDisplay, &QComboBox::currentTextChanged);
    QSignalSpy guiIndex(window->cbxGUI, &QComboBox::currentIndexChanged);
    QSignalSpy guiText(window->cbxGUI, &QComboBox::currentTextChanged);
    QSignalSpy option(window->optSubtitles[1], &QRadioButton::toggled);

    m_env.writeLanguage("[TVX_Morvane]\r\nVersion=1\r\n[Display]\r\n12=Longueur\r\n29=Menu inactif\r\n");
    window->ApplyTexts(LangReader());

    QCOMPARE(window->cbxDisplay->currentIndex(), 3);
    QCOMPARE(window->cbxDisplay->currentText(), QStringLiteral("Longueur"));
    QCOMPARE(window->cbxGUI->currentIndex(), 5);
    QCOMPARE(window->cbxGUI->currentText(), QStringLiteral("Menu inactif"));
    QCOMPARE(window->cbxDisplay->count(), frmDisplayToolBar::DisplayCount);
    QCOMPARE(window->txtDisplayX->text(), QStringLiteral("12"));
    QVERIFY(window->optSubtitles[1]->isChecked());
    QCOMPARE(
        displayIndex.count() + displayText.count() + guiIndex.count() + guiText.count() + option.count(), 0);
    QVERIFY(!gSkinChanged);
    gDisplays[3].DspUsed = vb::False;
}

QTEST_MAIN(tst_display)
#include "tst_display.moc"
