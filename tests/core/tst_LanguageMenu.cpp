#include "core/frmMain.h"
#include "core/ApplyLanguage.h"
#include "lang/Locale.h"
#include "support/MainWindowFixture.h"

#include <QAction>
#include <QMenu>
#include <QtTest>

// The Language menu: one item per language file, sorted by name, with a
// hidden item at the end.
class tst_LanguageMenu : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void sortsByNameWithoutRegardToCase();
    void sortsAnyListingOrder();
    void skipsFoldersAndNamelessFiles();
    void keepsEverythingButTheLastExtension();
    void withoutLanguageFolderTheMenuStaysAsItStarts();
    void oneLanguageIsListedAlone();
    void enablesTheHeadingOfTheMainWindow();
    void fillsTheMainWindowsLanguageMenu();

private:
    void touch(const QString &fileName);
    void list();
    QStringList visibleCaptions() const;

    MainWindowFixture m_env;
    QMenu *m_menu = nullptr;
    QAction *m_sep = nullptr;
    ControlArray<QAction> m_items;
};

void tst_LanguageMenu::init()
{
    QVERIFY(m_env.isValid());

    // The menu as the main window starts it: a hidden separator and one hidden,
    // empty item.
    m_menu = new QMenu;
    m_sep = m_menu->addSeparator();
    m_sep->setVisible(false);
    m_items = ControlArray<QAction>(
        QStringLiteral("mnuLanguageLng"), [this](int) { return m_menu->addAction(QString()); });
    m_items.load(0)->setVisible(false);
}

void tst_LanguageMenu::cleanup()
{
    delete m_menu;
    m_menu = nullptr;
    m_env.finish();
}

void tst_LanguageMenu::touch(const QString &fileName)
{
    QVERIFY(m_env.home.writeLanguage(
        fileName, "[TVX_Morvane]\nVersion=1\n[Menu]\n1=" + fileName.toUtf8() + "\n"));
}

void tst_LanguageMenu::list()
{
    ListLanguageFiles(m_sep, m_items);
}

QStringList tst_LanguageMenu::visibleCaptions() const
{
    QStringList captions;
    for (int i = 0; i <= m_items.uBound(); ++i)
        if (m_items.at(i) && m_items.at(i)->isVisible())
            captions.append(m_items.at(i)->text());
    return captions;
}

void tst_LanguageMenu::sortsByNameWithoutRegardToCase()
{
    touch(QStringLiteral("Italiano.lng"));
    touch(QStringLiteral("english.lng"));
    touch(QStringLiteral("Deutsch.lng"));
    list();
    QCOMPARE(m_items.count(), 4);
    QCOMPARE(m_items.uBound(), 3);
    for (int i = 0; i < 3; ++i)
        QVERIFY(m_items.at(i)->isVisible());
    QCOMPARE(m_items.at(0)->text(), QStringLiteral("Deutsch"));
    QCOMPARE(m_items.at(1)->text(), QStringLiteral("english"));
    QCOMPARE(m_items.at(2)->text(), QStringLiteral("Italiano"));
    QVERIFY(!m_items.at(3)->isVisible());
    QVERIFY(m_sep->isVisible());
    QCOMPARE(m_items.at(2)->objectName(), QStringLiteral("mnuLanguageLng_2"));
}

void tst_LanguageMenu::sortsAnyListingOrder()
{
    for (const char *name : { "c.lng", "B.lng", "a.lng", "Zeta.lng", "alpha.lng", "Beta.lng" })
        touch(QString::fromLatin1(name));
    list();
    QCOMPARE(visibleCaptions(), QStringList({ "a", "alpha", "B", "Beta", "c", "Zeta" }));
    QVERIFY(!m_items.at(6)->isVisible());
}

void tst_LanguageMenu::skipsFoldersAndNamelessFiles()
{
    touch(QStringLiteral(".lng"));
    touch(QStringLiteral("notes.txt"));
    touch(QStringLiteral("Francais.lng"));
    QVERIFY(QDir(m_env.home.langFolder()).mkdir(QStringLiteral("Folder.lng")));
    list();
    QCOMPARE(visibleCaptions(), QStringList({ "Francais" }));
    QCOMPARE(m_items.count(), 2);
}

void tst_LanguageMenu::keepsEverythingButTheLastExtension()
{
    touch(QStringLiteral("x.y.lng"));
    touch(QStringLiteral("Upper.LNG"));
    list();
    QCOMPARE(visibleCaptions(), QStringList({ "Upper", "x.y" }));

    // The caption is the name from which the file is found again.
    for (const QString &name : visibleCaptions()) {
        gUILanguage = name;
        const LangReader lang;
        QVERIFY(lang.gatePassed());
        QVERIFY(lang.text(QStringLiteral("Menu"), 1, 1001).startsWith(name));
    }
}

void tst_LanguageMenu::withoutLanguageFolderTheMenuStaysAsItStarts()
{
    QVERIFY(QDir(m_env.home.langFolder()).removeRecursively());
    list();
    QCOMPARE(m_items.count(), 1);
    QVERIFY(!m_items.at(0)->isVisible());
    QCOMPARE(m_items.at(0)->text(), QString());
    QVERIFY(!m_sep->isVisible());

    // An empty folder is no different.
    QVERIFY(QDir(m_env.home.path()).mkdir(QStringLiteral("Lang")));
    list();
    QCOMPARE(m_items.count(), 1);
    QVERIFY(!m_sep->isVisible());
}

void tst_LanguageMenu::oneLanguageIsListedAlone()
{
    touch(QStringLiteral("Nederlands.lng"));
    list();
    QCOMPARE(visibleCaptions(), QStringList({ "Nederlands" }));
    QCOMPARE(m_items.count(), 2);
    QVERIFY(!m_items.at(1)->isVisible());
}

void tst_LanguageMenu::enablesTheHeadingOfTheMainWindow()
{
    QAction *heading = m_env.open()->mnuLanguageChoose;
    heading->setEnabled(false);
    list();
    QVERIFY(!heading->isEnabled());

    touch(QStringLiteral("Polski.lng"));
    list();
    QVERIFY(heading->isEnabled());
}

void tst_LanguageMenu::fillsTheMainWindowsLanguageMenu()
{
    touch(QStringLiteral("Italiano.lng"));
    touch(QStringLiteral("english.lng"));
    touch(QStringLiteral("Deutsch.lng"));
    frmMain &main = *m_env.open();
    ListLanguageFiles(main.mnuLanguageSep0, main.mnuLanguageLng);
    QStringList shown;
    for (QAction *action : main.mnuLanguage->actions())
        if (action->isVisible() && !action->isSeparator() && action != main.mnuLanguageChoose)
            shown.append(action->text());
    QCOMPARE(shown, QStringList({ "Deutsch", "english", "Italiano" }));
    QVERIFY(main.mnuLanguageSep0->isVisible());
    QVERIFY(main.mnuLanguageChoose->isEnabled());
    QCOMPARE(main.mnuLanguageLng.uBound(), 3);
    QVERIFY(!main.mnuLanguageLng.at(3)->isVisible());
}

QTEST_MAIN(tst_LanguageMenu)
#include "tst_LanguageMenu.moc"
