#include "editors/CoordinateEdit.h"
#include "editors/display_bars/BarPanel.h"
#include "editors/display_bars/ColorSwatch.h"
#include "widgets/WindowTexts.h"
#include "support/LangHome.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

// The bar panel as both bar tool windows carry it: its controls, their start
// state and its texts.
class tst_barpanel : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void controlsCarryTheirArrayNames();
    void startsDisabledWithUseTickedAndNothingChosen();
    void languageTextsReplaceEntriesInPlaceQuietly();
    void enableFramesEnablesAllThree();

private:
    std::unique_ptr<QWidget> m_window;
    BarPanel *m_panel[2] = {};
    LangHome m_home;
};

void tst_barpanel::init()
{
    gUILanguage.clear();
    m_window = std::make_unique<QWidget>();
    m_panel[0] = new BarPanel(m_window.get(), 0, 120, 120);
    m_panel[1] = new BarPanel(m_window.get(), 1, 4680, 120);
    m_panel[0]->applyTexts(WindowTexts(LangReader::builtinOnly(), "Bars"), 2, 7002, 3, 7003);
    m_panel[1]->applyTexts(WindowTexts(LangReader::builtinOnly(), "Bars"), 2, 7002, 3, 7003);
}

void tst_barpanel::cleanup()
{
    m_window.reset();
}

void tst_barpanel::controlsCarryTheirArrayNames()
{
    const char *names[] = { "fmBarStyle", "pctBarStyle", "lblBarType", "cbxBarType", "chkBarUsed",
        "lblImageBar", "txtImageBar", "cmdBrowseImageBar", "chkBorder", "chkTransparentBG", "fmBarColor",
        "lblBorderColor", "cmdBorderColor", "lblMouseOverColor", "cmdMouseOverColor", "lblForeColor",
        "cmdForeColor", "lblBackColor", "cmdBackColor", "fmPosSize", "lblPosSizeLeft", "txtPosSizeLeft",
        "lblPosSizeWidth", "txtPosSizeWidth", "lblPosSizeTop", "txtPosSizeTop", "lblPosSizeHeight",
        "txtPosSizeHeight" };
    for (int i = 0; i < 2; ++i) {
        for (const char *name : names) {
            const QString objectName = QLatin1String(name) + QLatin1Char('_') + QString::number(i);
            QVERIFY2(m_window->findChildren<QWidget *>(objectName).size() == 1, qPrintable(objectName));
        }
    }
    QCOMPARE(m_window->findChild<QComboBox *>(QStringLiteral("cbxBarType_1")), m_panel[1]->cbxBarType);
    // The three frames are direct children of the window; the style controls lie on the grouping box.
    QCOMPARE(m_panel[0]->fmBarColor->parentWidget(), m_window.get());
    QCOMPARE(m_panel[0]->cbxBarType->parentWidget(), m_panel[0]->pctBarStyle);
    QCOMPARE(m_panel[0]->cmdForeColor->parentWidget(), m_panel[0]->fmBarColor);
    QCOMPARE(m_panel[0]->txtPosSizeHeight->parentWidget(), m_panel[0]->fmPosSize);
}

void tst_barpanel::startsDisabledWithUseTickedAndNothingChosen()
{
    for (BarPanel *panel : m_panel) {
        QVERIFY(!panel->fmBarStyle->isEnabled());
        QVERIFY(!panel->fmBarColor->isEnabled());
        QVERIFY(!panel->fmPosSize->isEnabled());
        // Only the frames are disabled: what lies in them is enabled by itself.
        QVERIFY(!panel->cbxBarType->testAttribute(Qt::WA_ForceDisabled));
        QVERIFY(!panel->txtPosSizeLeft->testAttribute(Qt::WA_ForceDisabled));

        QCOMPARE(panel->cbxBarType->count(), BarPanel::KindCount);
        QCOMPARE(panel->cbxBarType->currentIndex(), -1);
        QVERIFY(!panel->cbxBarType->isEditable());
        QVERIFY(panel->chkBarUsed->isChecked());
        QVERIFY(!panel->chkBorder->isChecked());
        QVERIFY(!panel->chkTransparentBG->isChecked());
        QVERIFY(panel->txtImageBar->isReadOnly());
        QVERIFY(panel->txtImageBar->text().isEmpty());
        for (ColorSwatch *swatch :
            { panel->cmdBorderColor, panel->cmdMouseOverColor, panel->cmdForeColor, panel->cmdBackColor }) {
            QCOMPARE(swatch->backColor(), 0);
            QCOMPARE(swatch->toolTip(), QStringLiteral("000000"));
        }
        for (CoordinateEdit *box : { panel->txtPosSizeLeft, panel->txtPosSizeTop, panel->txtPosSizeWidth,
                 panel->txtPosSizeHeight }) {
            QVERIFY(box->text().isEmpty());
            QVERIFY(!box->isReadOnly());
            QCOMPARE(box->maxChars(), 7);
        }
        // Positions may be negative, sizes not.
        QVERIFY(panel->txtPosSizeLeft->minusAllowed());
        QVERIFY(panel->txtPosSizeTop->minusAllowed());
        QVERIFY(!panel->txtPosSizeWidth->minusAllowed());
        QVERIFY(!panel->txtPosSizeHeight->minusAllowed());
    }
}

void tst_barpanel::languageTextsReplaceEntriesInPlaceQuietly()
{
    QVERIFY(m_home.writeLanguage(QStringLiteral("Test.lng"),
        "[TVX_Morvane]\r\nVersion=1.00\r\n[FullScreen]\r\n47=Piste\r\n49=Genre :\r\n54=Bouton H\r\n"
        "58=&Parcourir\r\n70=\r\n"));
    gUILanguage = QStringLiteral("Test");

    m_panel[0]->cbxBarType->setCurrentIndex(4);
    QSignalSpy index(m_panel[0]->cbxBarType, &QComboBox::currentIndexChanged);
    QSignalSpy text(m_panel[0]->cbxBarType, &QComboBox::currentTextChanged);
    const LangReader lang;
    m_panel[0]->applyTexts(WindowTexts(lang, "FullScreen"), 47, 8047, 49, 8049);

    QCOMPARE(m_panel[0]->fmBarStyle->title(), QStringLiteral("Piste"));
    QCOMPARE(m_panel[0]->lblBarType->text(), QStringLiteral("Genre :"));
    QCOMPARE(m_panel[0]->cbxBarType->itemText(4), QStringLiteral("Bouton H"));
    QCOMPARE(m_panel[0]->cbxBarType->itemText(5), QStringLiteral("Button Vertical"));
    QCOMPARE(m_panel[0]->cmdBrowseImageBar->text(), QStringLiteral("&Parcourir"));
    // An empty value falls back to the built-in text of that item alone.
    QCOMPARE(m_panel[0]->lblPosSizeHeight->text(), QStringLiteral("Height:"));
    QCOMPARE(m_panel[0]->cbxBarType->count(), BarPanel::KindCount);
    QCOMPARE(m_panel[0]->cbxBarType->currentIndex(), 4);
    QCOMPARE(index.count(), 0);
    QCOMPARE(text.count(), 0);
    gUILanguage.clear();
}

void tst_barpanel::enableFramesEnablesAllThree()
{
    m_panel[1]->enableFrames();
    QVERIFY(m_panel[1]->fmBarStyle->isEnabled());
    QVERIFY(m_panel[1]->fmBarColor->isEnabled());
    QVERIFY(m_panel[1]->fmPosSize->isEnabled());
    QVERIFY(m_panel[1]->txtPosSizeTop->isEnabled());
    QVERIFY(!m_panel[0]->fmBarStyle->isEnabled());
}

QTEST_MAIN(tst_barpanel)
#include "tst_barpanel.moc"
