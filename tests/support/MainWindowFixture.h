#pragma once

#include "skin/Module.h"
#include "skin/SkinChange.h"
#include "core/frmMain.h"
#include "core/ApplyLanguage.h"
#include "core/startup.h"
#include "preview/frmSkin.h"
#include "editors/ToolWindows.h"
#include "editors/buttons/frmImagesToolBar.h"
#include "editors/display_bars/frmDisplayToolBar.h"
#include "editors/display_bars/frmTrackVolumeToolBar.h"
#include "editors/fullscreen/frmFullScreenToolBar.h"
#include "lang/Locale.h"
#include "platform/IniFile.h"
#include "support/DialogRecorder.h"
#include "support/LangHome.h"
#include "support/ShellRecorder.h"
#include "support/TestFiles.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <climits>

// The one main-window fixture: a private program folder (with its "Lang"
// folder), lock folder, configuration folder and skin folder, the dialog recorder and a shell that only
// records what it is asked to open. start() runs the editor's start-up there,
// open() shows a bare main window with the built-in texts; finish() (and the
// destructor) closes whatever the test left open without saving and empties the
// folders, so that tests do not depend on each other.
//
// As a local of one test:     MainWindowFixture f; f.start();
// As a member of a test class: init(): m_env.open();  cleanup(): m_env.finish();
class MainWindowFixture
{
public:
    LangHome home;
    QTemporaryDir runtime;
    QTemporaryDir config;
    QTemporaryDir skins;
    DialogRecorder dialogs;
    ShellRecorder shell;
    QPointer<frmMain> main;

    MainWindowFixture()
    {
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
        ini::clearCache();
    }

    ~MainWindowFixture() { finish(); }

    bool isValid() const
    {
        return home.isValid() && runtime.isValid() && config.isValid() && skins.isValid();
    }

    // Starts the editor with these arguments after the program's name.
    frmMain *start(const QStringList &arguments = {})
    {
        ini::clearCache();
        main = startEditor(QStringList { QStringLiteral("TVX_Morvane") } + arguments);
        return main;
    }

    // A main window with the built-in texts, without the start-up.
    frmMain *open()
    {
        gUILanguage.clear();
        main = new frmMain;
        main->show();
        ApplyLanguage();
        return main;
    }

    // Closes the main window as its close box does; true when it went.
    bool closeMain()
    {
        if (!main)
            return true;
        main->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return main.isNull();
    }

    // Closes the skin, every tool window and the main window without saving,
    // goes back to the built-in texts and empties the folders.
    void finish()
    {
        dialogs.clear();
        dialogs.setCallback([](const DialogRecorder::Request &request) {
            DialogRecorder::Answer answer = DialogRecorder::defaultAnswer(request);
            if (request.kind == DialogRecorder::Kind::MessageBox)
                answer.button = dialogs::vbNo;
            return answer;
        });
        closeMain();
        delete main.data();
        closeSkin();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        gUILanguage.clear();
        gFullScreenSkin = false;
        gZoom = 1;
        dialogs.clear();
        dialogs.setCallback({});
        shell.clear();
        for (const QString &dir : { home.path(), runtime.path(), config.path(), skins.path() }) {
            QDir(dir).removeRecursively();
            QDir().mkpath(dir);
        }
        QDir(home.path()).mkdir(QStringLiteral("Lang"));
        ini::clearCache();
    }

    // Closes the preview and the tool windows without a question.
    static void closeSkin()
    {
        ClearSkinChanged();
        frmSkin::unload();
        toolwindows::unloadAll();
        gSkinFile.clear();
    }

    // Opens a new skin of the kind in the skin folder, as the preview window does,
    // without the modified mark.
    void openSkin(bool fullScreen)
    {
        gSkinFolder = skins.path() + QLatin1Char('/');
        gSkinFile = gSkinFolder + (fullScreen ? QStringLiteral("Skinfs.ini") : QStringLiteral("Skin.ini"));
        gFullScreenSkin = fullScreen;
        frmSkin::get();
        ClearSkinChanged();
    }

    // Shows the open skin's document in window as the skin reader does once the
    // main image is there: the editing frames enabled, the controls written.
    static void showRead(ToolWindow *window)
    {
        toolwindows::activeButtonWindow()->EnableEditingFrames();
        window->showDocument();
    }

    // Writes the language file "Lang/Test.lng" (with Windows line ends) and makes
    // it the current language.
    void writeLanguage(const QByteArray &content)
    {
        QVERIFY(home.writeLanguage(QStringLiteral("Test.lng"), content));
        gUILanguage = QStringLiteral("Test");
    }

    // Answers the next image-file picker by choosing the file name.
    void pickFile(const QString &name)
    {
        dialogs.answerForm([name](QDialog *form) {
            auto *list = form->findChild<QListWidget *>(QStringLiteral("flstImageList"));
            QVERIFY(list);
            const QList<QListWidgetItem *> found = list->findItems(name, Qt::MatchFixedString);
            QVERIFY(!found.isEmpty());
            list->setCurrentItem(found.first());
            form->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
        });
    }

    QString settingsPath() const { return home.filePath(QStringLiteral("TVX_Morvane.ini")); }

    static void writeFile(const QString &path, const QByteArray &bytes)
    {
        if (!testfiles::write(path, bytes))
            qFatal("cannot write %s", qPrintable(path));
    }

    static QByteArray readFile(const QString &path) { return testfiles::read(path); }
};

// Every label, check box, option button and command button of the window shows
// its whole text (none is cut off by the control's width, a wrapping label has
// the lines it needs) or, where cutTextsAsTips allows it, shows it whole in its
// tooltip; every entry of a drop-down list fits its open list; every control
// lies inside its parent.
inline void verifyTextsFit(QWidget *window, bool cutTextsAsTips = false)
{
    const auto plain = [](QString text) { return text.remove(QLatin1Char('&')); };
    for (QWidget *control : window->findChildren<QWidget *>()) {
        const QByteArray name = control->objectName().toUtf8();
        int needed = 0;
        QString text;
        if (auto *label = qobject_cast<QLabel *>(control)) {
            text = label->text();
            if (label->wordWrap())
                needed = label->heightForWidth(label->width()) <= label->height() ? 0 : INT_MAX;
            else
                needed = label->sizeHint().width();
        } else if (qobject_cast<QCheckBox *>(control) || qobject_cast<QRadioButton *>(control)) {
            text = static_cast<QAbstractButton *>(control)->text();
            needed = control->sizeHint().width();
        } else if (auto *button = qobject_cast<QPushButton *>(control)) {
            text = button->text();
            needed = button->fontMetrics().horizontalAdvance(plain(text)) + 8;
        } else if (auto *box = qobject_cast<QComboBox *>(control)) {
            // Each entry, as the list's own painter measures it, against the open list.
            box->showPopup();
            QStyleOptionViewItem option;
            option.initFrom(box->view());
            for (int entry = 0; entry < box->count(); ++entry) {
                option.rect = QRect(QPoint(), box->view()->fontMetrics().size(0, box->itemText(entry)));
                QVERIFY2(box->view()->itemDelegate()->sizeHint(option, box->model()->index(entry, 0)).width()
                        <= box->view()->viewport()->width(),
                    qPrintable(box->itemText(entry)));
            }
            box->hidePopup();
        } else {
            continue;
        }
        const bool whole = plain(control->toolTip()).startsWith(plain(text));
        if (needed > control->width())
            QVERIFY2(cutTextsAsTips && whole, name);
        else
            QVERIFY2(text.isEmpty() || !whole, name); // no tooltip left from a longer text
        QVERIFY2(control->parentWidget()->rect().contains(control->geometry()), name);
    }
}
