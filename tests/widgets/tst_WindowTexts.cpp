#include "widgets/MdiForm.h"
#include "widgets/WindowTexts.h"
#include "support/LangHome.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

// Putting looked-up texts into a window's controls without running its handlers.
class tst_WindowTexts : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void textsTakeTheFileOrTheBuiltinText();
    void listEntriesAreRenamedInPlaceWithoutSignals();
    void listEntriesOutsideTheListAreIgnored();
    void captionsGoWhereEachKindShowsThem();
    void labelsWithoutBuddyShowTheTextWithoutAccessKeys();

private:
    std::unique_ptr<LangHome> m_home;
};

void tst_WindowTexts::init()
{
    m_home = std::make_unique<LangHome>();
    QVERIFY(m_home->isValid());
    QVERIFY(m_home->writeLanguage(QStringLiteral("Test.lng"),
        "[TVX_Morvane]\nVersion=1\n[Display]\n1=Anzeige && GUI\n4_T=Tipp\n9=Fassung\n"
        "11=\n[FullScreen]\n11=Unten und oben\n"));
    gUILanguage = QStringLiteral("Test");
}

void tst_WindowTexts::cleanup()
{
    m_home.reset();
}

void tst_WindowTexts::textsTakeTheFileOrTheBuiltinText()
{
    MdiForm form;
    QLineEdit box;
    QComboBox list;
    list.addItems({ "a", "b", "c" });
    QPushButton button;
    const LangReader lang;
    const WindowTexts texts(lang, "Display");
    texts.caption(&form, 1, 6001);
    texts.toolTip(&box, "4_T", 6004);
    texts.listEntry(&list, 0, 9, 6011);
    texts.listEntry(&list, 1, 10, 6012);
    texts.listEntry(&list, 2, 11, 6013);
    texts.caption(nullptr, 7, 6009);
    texts.caption(&button, QStringLiteral("17"), 6019);
    QCOMPARE(form.caption(), QStringLiteral("Anzeige && GUI"));
    QCOMPARE(box.toolTip(), QStringLiteral("Tipp"));
    QCOMPARE(list.itemText(0), QStringLiteral("Fassung"));
    QCOMPARE(list.itemText(1), QStringLiteral("Movie Title"));
    QCOMPARE(list.itemText(2), QStringLiteral("Movie Info")); // empty value
    QCOMPARE(button.text(), QStringLiteral("Select"));
}

void tst_WindowTexts::listEntriesAreRenamedInPlaceWithoutSignals()
{
    QComboBox list;
    list.addItems({ "Bottom", "Top", "Bottom and Top" });
    list.setCurrentIndex(2);
    QSignalSpy index(&list, &QComboBox::currentIndexChanged);
    QSignalSpy text(&list, &QComboBox::currentTextChanged);
    const LangReader lang;
    WindowTexts(lang, "FullScreen").listEntry(&list, 2, 11, 8011);
    QCOMPARE(list.count(), 3);
    QCOMPARE(list.currentIndex(), 2);
    QCOMPARE(list.currentText(), QStringLiteral("Unten und oben"));
    QCOMPARE(index.count(), 0);
    QCOMPARE(text.count(), 0);
    QVERIFY(!list.signalsBlocked());

    // No selection stays no selection.
    QComboBox empty;
    empty.addItems({ "x", "y" });
    empty.setCurrentIndex(-1);
    SetLangListEntry(&empty, 0, QStringLiteral("z"));
    QCOMPARE(empty.currentIndex(), -1);
    QCOMPARE(empty.itemText(0), QStringLiteral("z"));
}

void tst_WindowTexts::listEntriesOutsideTheListAreIgnored()
{
    QComboBox list;
    list.addItems({ "x" });
    SetLangListEntry(&list, 1, QStringLiteral("y"));
    SetLangListEntry(&list, -1, QStringLiteral("y"));
    SetLangListEntry(nullptr, 0, QStringLiteral("y"));
    QCOMPARE(list.count(), 1);
    QCOMPARE(list.itemText(0), QStringLiteral("x"));
}

void tst_WindowTexts::captionsGoWhereEachKindShowsThem()
{
    QMenu menu;
    QAction action;
    QGroupBox frame;
    QCheckBox check;
    QWidget dialog;
    SetLangCaption(&menu, QStringLiteral("&Datei"));
    SetLangCaption(&action, QStringLiteral("&Neu"));
    SetLangCaption(&frame, QStringLiteral("Rahmen"));
    SetLangCaption(&check, QStringLiteral("&Rand"));
    SetLangCaption(&dialog, QStringLiteral("Dialog"));
    QCOMPARE(menu.title(), QStringLiteral("&Datei"));
    QCOMPARE(menu.menuAction()->text(), QStringLiteral("&Datei"));
    QCOMPARE(action.text(), QStringLiteral("&Neu"));
    QCOMPARE(frame.title(), QStringLiteral("Rahmen"));
    QCOMPARE(check.text(), QStringLiteral("&Rand"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Dialog"));

    SetLangToolTip(&action, QStringLiteral("tip"));
    SetLangToolTip(&check, QStringLiteral("tip 2"));
    QCOMPARE(action.toolTip(), QStringLiteral("tip"));
    QCOMPARE(check.toolTip(), QStringLiteral("tip 2"));
}

void tst_WindowTexts::labelsWithoutBuddyShowTheTextWithoutAccessKeys()
{
    QLabel plain;
    SetLangCaption(&plain, QStringLiteral("(Hold on the SHIFT key to select both Bottom && Top)"));
    QCOMPARE(plain.text(), QStringLiteral("(Hold on the SHIFT key to select both Bottom & Top)"));
    SetLangCaption(&plain, QStringLiteral("&Type:&"));
    QCOMPARE(plain.text(), QStringLiteral("Type:"));

    QLabel withBuddy;
    QLineEdit box;
    withBuddy.setBuddy(&box);
    SetLangCaption(&withBuddy, QStringLiteral("&Path && file:"));
    QCOMPARE(withBuddy.text(), QStringLiteral("&Path && file:"));
}

QTEST_MAIN(tst_WindowTexts)
#include "tst_WindowTexts.moc"
