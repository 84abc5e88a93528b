#include "core/frmMain.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

// The main window's menu structure and the states of its items at start.
class tst_frmMain_menus : public QObject
{
    Q_OBJECT

private:
    frmMain *m_main = nullptr;

    QAction *item(const char *name) const
    {
        auto *action = m_main->findChild<QAction *>(QLatin1String(name));
        if (!action)
            qWarning("no menu item %s", name);
        return action;
    }
    QMenu *menu(const char *name) const { return m_main->findChild<QMenu *>(QLatin1String(name)); }

private slots:
    void init() { m_main = new frmMain; }
    void cleanup()
    {
        delete m_main;
        m_main = nullptr;
    }

    void menuBarHoldsTheFourMenusInOrder()
    {
        QStringList names;
        for (QAction *action : m_main->menuBar()->actions())
            names << action->menu()->objectName();
        QCOMPARE(names,
            (QStringList { QStringLiteral("mnuFile"), QStringLiteral("mnuView"),
                QStringLiteral("mnuLanguage"), QStringLiteral("mnuHelp") }));
        QCOMPARE(m_main->windowTitle(), QStringLiteral("TVX Morvane (by Orlo)"));
        QCOMPARE(m_main->objectName(), QStringLiteral("frmMain"));
    }

    void popupMenusStayOutOfTheMenuBar()
    {
        for (const char *name : { "mnuBackGround", "mnufmBtnRightClick", "mnupctBtnRightClick" }) {
            QMenu *popup = menu(name);
            QVERIFY2(popup, name);
            QVERIFY(!m_main->menuBar()->actions().contains(popup->menuAction()));
        }
        QCOMPARE(menu("mnupctBtnRightClick")->actions().size(), 6);
    }

    void startStates_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("shortcut");
        auto row = [](const char *name, bool visible, bool enabled, const char *shortcut) {
            QTest::newRow(name) << QString::fromLatin1(name) << visible << enabled
                                << QString::fromLatin1(shortcut);
        };
        row("mnuFileNew", true, true, "F2");
        row("mnuFileNewFS", true, true, "Ctrl+F2");
        row("mnuFileOpen", true, true, "F3");
        row("mnuFileClose", true, false, "F4");
        row("mnuFileSave", true, false, "F5");
        row("mnuFileCreateTVK", false, true, "F11");
        row("mnuFileTestSkin", false, true, "Ctrl+F11");
        row("mnuFileSep2", false, true, "");
        row("mnuFileExit", true, true, "");
        row("mnuViewImagesTB", true, false, "F6");
        row("mnuViewDisplayTB", true, false, "F7");
        row("mnuViewTrackVolumeTB", true, false, "F8");
        row("mnuViewFullScreenTB", true, false, "Ctrl+F8");
        row("mnuViewSkinFile", true, true, "F9");
        row("mnuViewApplyZOrder", true, true, "Ctrl+F9");
        row("mnuLanguageChoose", true, false, "");
        row("mnuLanguageSep0", false, true, "");
        row("mnuLanguageLng_0", false, true, "");
        row("mnuBackGroundChoose", true, true, "");
        row("mnuHelpGuide", true, true, "F1");
        row("mnuHelpLicense", true, true, "Ctrl+F1");
        row("mnuHelpAbout", true, true, "F12");
        row("mnufmBtnRightClickMultilanguage", true, false, "");
        row("mnupctBtnRightClickSORT", true, true, "");
    }

    void startStates()
    {
        QFETCH(QString, name);
        QFETCH(bool, visible);
        QFETCH(bool, enabled);
        QFETCH(QString, shortcut);
        QAction *action = item(name.toLatin1().constData());
        QVERIFY(action);
        QCOMPARE(action->isVisible(), visible);
        // Qt reports a hidden item as disabled whatever it was given.
        if (visible)
            QCOMPARE(action->isEnabled(), enabled);
        QCOMPARE(action->shortcut().toString(), shortcut);
    }

    void viewMenuHiddenWithItsTogglesChecked()
    {
        QVERIFY(!menu("mnuView")->menuAction()->isVisible());
        for (const char *name :
            { "mnuViewImagesTB", "mnuViewDisplayTB", "mnuViewTrackVolumeTB", "mnuViewFullScreenTB" })
            QVERIFY2(item(name)->isChecked(), name);
        QCOMPARE(item("mnuLanguageLng_0")->text(), QString());
        QCOMPARE(m_main->mnuLanguageLng.uBound(), 0);
    }
};

QTEST_MAIN(tst_frmMain_menus)
#include "tst_frmMain_menus.moc"
