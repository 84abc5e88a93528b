#include "editors/CoordinateEdit.h"
#include "support/MainWindowFixture.h"
#include "editors/display_bars/BarPanel.h"
#include "editors/display_bars/ColorSwatch.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

// The track and volume tool window: its two bar panels, its texts, where it
// places itself and what closing it does.
class tst_trackvolume : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void bothHalvesCarryTheBarPanelControls();
    void opensWithEveryFrameDisabledAndNothingChosen();
    void applyTextsKeepsKindsAndRunsNoHandler();

private:
    MainWindowFixture m_env;
};

void tst_trackvolume::initTestCase()
{
    QVERIFY(m_env.isValid());
}

void tst_trackvolume::init()
{
    m_env.open();
}

void tst_trackvolume::cleanup()
{
    m_env.finish();
}

void tst_trackvolume::bothHalvesCarryTheBarPanelControls()
{
    frmTrackVolumeToolBar *window = frmTrackVolumeToolBar::get();
    QCOMPARE(window->objectName(), QStringLiteral("frmTrackVolumeToolBar"));
    for (int i = 0; i < 2; ++i) {
        BarPanel *panel = window->bar(i);
        QCOMPARE(panel->index(), i);
        const QString suffix = QLatin1Char('_') + QString::number(i);
        QCOMPARE(window->findChild<QComboBox *>(QStringLiteral("cbxBarType") + suffix), panel->cbxBarType);
        QCOMPARE(
            window->findChild<QLineEdit *>(QStringLiteral("txtPosSizeLeft") + suffix), panel->txtPosSizeLeft);
        QCOMPARE(window->findChild<QPushButton *>(QStringLiteral("cmdBackColor") + suffix),
            static_cast<QPushButton *>(panel->cmdBackColor));
        QCOMPARE(panel->fmBarStyle->parentWidget(), window);
    }
    QVERIFY(window->findChild<QFrame *>(QStringLiteral("fmSeparator")));
    // The track bar's half lies on the left, the volume bar's on the right.
    QVERIFY(window->bar(0)->fmPosSize->geometry().right() < window->fmSeparator->geometry().left());
    QVERIFY(window->bar(1)->fmBarColor->geometry().left() > window->fmSeparator->geometry().right());
}

void tst_trackvolume::opensWithEveryFrameDisabledAndNothingChosen()
{
    frmTrackVolumeToolBar *window = frmTrackVolumeToolBar::get();
    for (int i = 0; i < 2; ++i) {
        BarPanel *panel = window->bar(i);
        QVERIFY(!panel->fmBarStyle->isEnabled());
        QVERIFY(!panel->fmBarColor->isEnabled());
        QVERIFY(!panel->fmPosSize->isEnabled());
        QVERIFY(panel->chkBarUsed->isChecked());
        QCOMPARE(panel->cbxBarType->currentIndex(), -1);
        QCOMPARE(panel->cmdMouseOverColor->toolTip(), QStringLiteral("000000"));
        QVERIFY(panel->txtPosSizeWidth->text().isEmpty());
    }
    window->EnableFrames();
    for (int i = 0; i < 2; ++i) {
        QVERIFY(window->bar(i)->fmBarStyle->isEnabled());
        QVERIFY(window->bar(i)->fmBarColor->isEnabled());
        QVERIFY(window->bar(i)->fmPosSize->isEnabled());
    }
}

void tst_trackvolume::applyTextsKeepsKindsAndRunsNoHandler()
{
    frmTrackVolumeToolBar *window = frmTrackVolumeToolBar::get();
    window->bar(0)->cbxBarType->setCurrentIndex(5);
    window->bar(1)->cbxBarType->setCurrentIndex(0);
    QSignalSpy index0(window->bar(0)->cbxBarType, &QComboBox::currentIndexChanged);
    QSignalSpy text0(window->bar(0)->cbxBarType, &QComboBox::currentTextChanged);
    QSignalSpy index1(window->bar(1)->cbxBarType, &QComboBox::currentIndexChanged);
    QSignalSpy used(window->bar(1)->chkBarUsed, &QCheckBox::toggled);

    m_env.writeLanguage("[TVX_Morvane]\r\nVersion=1.00\r\n[Bars]\r\n4=Horizontale\r\n9=Bouton vertical\r\n");
    window->ApplyTexts(LangReader());

    QCOMPARE(window->bar(0)->cbxBarType->currentIndex(), 5);
    QCOMPARE(window->bar(0)->cbxBarType->currentText(), QStringLiteral("Bouton vertical"));
    QCOMPARE(window->bar(1)->cbxBarType->currentIndex(), 0);
    QCOMPARE(window->bar(1)->cbxBarType->itemText(0), QStringLiteral("Horizontale"));
    QCOMPARE(window->bar(1)->cbxBarType->count(), BarPanel::KindCount);
    QCOMPARE(index0.count() + text0.count() + index1.count() + used.count(), 0);
}

QTEST_MAIN(tst_trackvolume)
#include "tst_trackvolume.moc"
