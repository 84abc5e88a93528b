#include "support/MainWindowFixture.h"
#include "widgets/MenuIcons.h"
#include "core/frmMain.h"
#include "editors/ToolWindows.h"
#include "platform/FileSystem.h"
#include "resources/MenuBitmaps.h"

#include <QAction>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

// The main window's menu structure, the states of its items at start and what
// its commands show when they fail.
class tst_frmMain_menus : public QObject
{
    Q_OBJECT

private:
    MainWindowFixture m_env;
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
    void init() { m_main = m_env.open(); }
    void cleanup()
    {
        m_env.finish();
        m_main = nullptr;
    }

    void menuBarHoldsTheMenusInOrder()
    {
        QStringList names;
        QStringList visible;
        for (QAction *action : m_main->menuBar()->actions()) {
            names << action->menu()->objectName();
            if (action->isVisible())
                visible << action->menu()->objectName();
        }
        // The three pop-ups sit hidden in the bar, as does View until a skin opens.
        QCOMPARE(names,
            (QStringList { QStringLiteral("mnuFile"), QStringLiteral("mnuView"),
                QStringLiteral("mnuLanguage"), QStringLiteral("mnuBackGround"), QStringLiteral("mnuHelp"),
                QStringLiteral("mnufmBtnRightClick"), QStringLiteral("mnupctBtnRightClick") }));
        QCOMPARE(visible,
            (QStringList {
                QStringLiteral("mnuFile"), QStringLiteral("mnuLanguage"), QStringLiteral("mnuHelp") }));
        QCOMPARE(menu("mnuBackGround")->title(), QStringLiteral("BackgroundMenu"));
        QCOMPARE(menu("mnufmBtnRightClick")->title(), QStringLiteral("fmBtnRightClick"));
        QCOMPARE(menu("mnupctBtnRightClick")->actions().size(), 6);
        QCOMPARE(m_main->windowTitle(), QStringLiteral("TVX Morvane (by Orlo)"));
        QCOMPARE(m_main->objectName(), QStringLiteral("frmMain"));
    }

    void buttonPopupTakesItsIconsWhileMadeVisible()
    {
        LoadMenuBitmaps();
        // A skin is open: View is visible, so the pop-up made visible is menu 4.
        m_main->UpdateSkinMenus(true);
        QMenu *popup = menu("mnupctBtnRightClick");
        SetMenuIcon(m_main->menuBar(), 4, 0, 14);
        QVERIFY(popup->actions().at(0)->icon().isNull());

        popup->menuAction()->setVisible(true);
        const int bitmaps[] = { 14, 15, 16, 17, 18, 9 };
        for (int item = 0; item < 6; ++item)
            SetMenuIcon(m_main->menuBar(), 4, item, bitmaps[item]);
        popup->menuAction()->setVisible(false);
        for (int item = 0; item < 6; ++item) {
            const QImage icon = popup->actions().at(item)->icon().pixmap(16, 16).toImage();
            QCOMPARE(icon.convertToFormat(QImage::Format_ARGB32),
                MenuBitmapImage(100 + bitmaps[item]).convertToFormat(QImage::Format_ARGB32));
        }
        // Help and the other pop-ups kept their places and took nothing.
        QVERIFY(m_main->mnuHelpGuide->icon().isNull());
        QVERIFY(m_main->mnuBackGroundChoose->icon().isNull());
        FreeMenuBitmaps();
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

    void whatCannotBeOpenedIsReported_data()
    {
        QTest::addColumn<QString>("command"); // lblCheckVersion: the About box's link
        QTest::addColumn<QString>("file"); // in the program folder; empty: the skin file
        QTest::addColumn<bool>("exists"); // the shell is asked, and no program opens it
        QTest::addColumn<QString>("said"); // %1: the file or address
        const QString noProgram = QStringLiteral("No program could open the file \"%1\".\nInstall a program "
                                                 "that opens this kind of file and retry.");
        // clang-format off
        QTest::newRow("guide")            << "mnuHelpGuide"    << "TVX_Morvane.pdf" << true << noProgram;
        QTest::newRow("license")          << "mnuHelpLicense"  << "License.txt"     << true << noProgram;
        QTest::newRow("skin file")        << "mnuViewSkinFile" << ""                << true << noProgram;
        QTest::newRow("skin never saved") << "mnuViewSkinFile" << ""                << false
            << "The skin has not been saved yet: its file \"%1\" does not exist.\nSave the skin and retry.";
        QTest::newRow("home page")        << "lblCheckVersion" << ""                << true
            << "No program could open the address \"%1\".\nInstall a program that opens web addresses and retry.";
        // clang-format on
    }

    void whatCannotBeOpenedIsReported()
    {
        QFETCH(QString, command);
        QFETCH(QString, file);
        QFETCH(bool, exists);
        QFETCH(QString, said);
        m_env.shell.setSucceeds(false);
        QString path = AddBackslash(QDir(m_env.home.path()).absolutePath()) + file;
        if (command == QLatin1String("lblCheckVersion")) {
            m_env.dialogs.answerForm([](QDialog *about) {
                QTest::mouseClick(
                    about->findChild<QLabel *>(QStringLiteral("lblCheckVersion")), Qt::LeftButton);
            });
            item("mnuHelpAbout")->trigger();
            path = m_env.shell.launches().value(0).url.toString();
        } else {
            if (file.isEmpty()) {
                m_env.openSkin(false);
                path = gSkinFile;
            }
            if (exists)
                MainWindowFixture::writeFile(path, "x");
            item(command.toLatin1().constData())->trigger();
        }
        QCOMPARE(m_env.shell.count(), exists ? 1 : 0);
        QCOMPARE(m_env.dialogs.messages(), QStringList { said.arg(path) });
        const auto &box = m_env.dialogs.last();
        QCOMPARE(box.style, int(dialogs::vbCritical));
        QCOMPARE(box.title, QStringLiteral("Attention"));
    }

    void closeAfterMoveFromAHiddenToolWindowsMenu()
    {
        m_env.openSkin(false);
        auto *frame = qobject_cast<QMdiSubWindow *>(toolwindows::get(ToolWindowId::Images)->frame());
        QVERIFY(frame);
        item("mnuViewImagesTB")->trigger();
        QVERIFY(!frame->isVisible());
        QAction *move = nullptr;
        for (QAction *action : frame->systemMenu()->actions())
            if (action->text() == QLatin1String("&Move"))
                move = action;
        QVERIFY(move);
        move->trigger();

        item("mnuFileClose")->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!toolwindows::loaded(ToolWindowId::Images));
        // The main window's focus record does not point into the closed window:
        // activating the window reads it.
        m_main->activateWindow();
        QCoreApplication::processEvents();
        if (QWidget *focus = m_main->focusWidget())
            QCOMPARE(focus->window(), m_main);
    }
};

QTEST_MAIN(tst_frmMain_menus)
#include "tst_frmMain_menus.moc"
