#include "editors/CoordinateEdit.h"

#include <QClipboard>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

// The key filter and the number rules of the coordinate and size boxes.
class tst_images_coordinateedit : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void takesDigitsMinusAndBackspaceOnly();
    void minusCanBeRefused();
    void typingStopsAtSevenCharacters();
    void textWrittenByTheProgramIsNotCut();
    void shutGateDropsEveryKeyEnterIncluded();
    void enterMovesTheFocusOnAndTypesNothing();
    void clipboardShortcutsAreDropped();
    void normalizedTextIsTheLeadingNumber();
    void wholeValueRoundsHalvesToEven();

private:
    std::unique_ptr<QWidget> m_window;
    CoordinateEdit *m_box = nullptr;
    QLineEdit *m_next = nullptr;
    bool m_gateOpen = true;
};

void tst_images_coordinateedit::init()
{
    m_window = std::make_unique<QWidget>();
    m_box = new CoordinateEdit(m_window.get());
    m_next = new QLineEdit(m_window.get());
    m_next->move(0, 40);
    m_gateOpen = true;
    m_box->setGate([this] { return m_gateOpen; });
}

void tst_images_coordinateedit::cleanup()
{
    m_window.reset();
}

void tst_images_coordinateedit::takesDigitsMinusAndBackspaceOnly()
{
    QTest::keyClicks(m_box, QStringLiteral("1a2 .b-3+"));
    QCOMPARE(m_box->text(), QStringLiteral("12-3"));
    QTest::keyClick(m_box, Qt::Key_Backspace);
    QCOMPARE(m_box->text(), QStringLiteral("12-"));
}

void tst_images_coordinateedit::minusCanBeRefused()
{
    m_box->setMinusAllowed(false);
    QTest::keyClicks(m_box, QStringLiteral("-15-"));
    QCOMPARE(m_box->text(), QStringLiteral("15"));
}

void tst_images_coordinateedit::typingStopsAtSevenCharacters()
{
    QTest::keyClicks(m_box, QStringLiteral("123456789"));
    QCOMPARE(m_box->text(), QStringLiteral("1234567"));
    // A selected character is replaced, so typing over it still fits.
    m_box->setSelection(6, 1);
    QTest::keyClick(m_box, Qt::Key_9);
    QCOMPARE(m_box->text(), QStringLiteral("1234569"));
    QTest::keyClick(m_box, Qt::Key_Backspace);
    QCOMPARE(m_box->text(), QStringLiteral("123456"));
}

void tst_images_coordinateedit::textWrittenByTheProgramIsNotCut()
{
    QSignalSpy changes(m_box, &QLineEdit::textChanged);
    m_box->setText(QStringLiteral("123456.5"));
    QCOMPARE(m_box->text(), QStringLiteral("123456.5"));
    QCOMPARE(changes.count(), 1);
}

void tst_images_coordinateedit::shutGateDropsEveryKeyEnterIncluded()
{
    m_window->show();
    m_box->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    m_box->setText(QStringLiteral("12"));
    m_gateOpen = false;
    QTest::keyClicks(m_box, QStringLiteral("34"));
    QTest::keyClick(m_box, Qt::Key_Backspace);
    QTest::keyClick(m_box, Qt::Key_Return);
    QCOMPARE(m_box->text(), QStringLiteral("12"));
    QVERIFY(m_box->hasFocus());
}

void tst_images_coordinateedit::enterMovesTheFocusOnAndTypesNothing()
{
    m_window->show();
    m_box->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QVERIFY(m_box->hasFocus());
    QSignalSpy changes(m_box, &QLineEdit::textChanged);
    QTest::keyClick(m_box, Qt::Key_Return);
    QVERIFY(m_next->hasFocus());
    QCOMPARE(changes.count(), 0);
}

void tst_images_coordinateedit::clipboardShortcutsAreDropped()
{
    QGuiApplication::clipboard()->setText(QStringLiteral("99"));
    QTest::keyClick(m_box, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(m_box->text(), QString());
}

void tst_images_coordinateedit::normalizedTextIsTheLeadingNumber()
{
    QCOMPARE(CoordinateEdit::normalizedText(QStringLiteral("007")), QStringLiteral("7"));
    QCOMPARE(CoordinateEdit::normalizedText(QStringLiteral("12a")), QStringLiteral("12"));
    QCOMPARE(CoordinateEdit::normalizedText(QStringLiteral("12-3")), QStringLiteral("12"));
    QCOMPARE(CoordinateEdit::normalizedText(QString()), QStringLiteral("0"));
    QCOMPARE(CoordinateEdit::normalizedText(QStringLiteral("-")), QStringLiteral("0"));
    QCOMPARE(CoordinateEdit::normalizedText(QStringLiteral("-0")), QStringLiteral("0"));
    QCOMPARE(CoordinateEdit::normalizedText(QStringLiteral("-12")), QStringLiteral("-12"));
    QCOMPARE(CoordinateEdit::normalizedText(QStringLiteral("12.5")), QStringLiteral("12.5"));
}

void tst_images_coordinateedit::wholeValueRoundsHalvesToEven()
{
    QCOMPARE(CoordinateEdit::wholeValue(QStringLiteral("12.5")), 12);
    QCOMPARE(CoordinateEdit::wholeValue(QStringLiteral("13.5")), 14);
    QCOMPARE(CoordinateEdit::wholeValue(QStringLiteral("-2.5")), -2);
    QCOMPARE(CoordinateEdit::wholeValue(QStringLiteral("abc")), 0);
    // A pasted number beyond 32 bits is held at the range's ends.
    QCOMPARE(CoordinateEdit::wholeValue(QStringLiteral("1e12")), std::numeric_limits<int32_t>::max());
    QCOMPARE(CoordinateEdit::wholeValue(QStringLiteral("-1e12")), std::numeric_limits<int32_t>::min());
}

QTEST_MAIN(tst_images_coordinateedit)
#include "tst_images_coordinateedit.moc"
