#pragma once

#include "skin/Module.h"
#include "skin/SkinChange.h"
#include "core/frmMain.h"
#include "preview/frmSkin.h"
#include "editors/buttons/frmImagesToolBar.h"
#include "editors/display_bars/frmDisplayToolBar.h"
#include "editors/display_bars/frmTrackVolumeToolBar.h"
#include "editors/fullscreen/frmFullScreenToolBar.h"
#include "editors/ToolWindows.h"
#include "core/ApplyLanguage.h"
#include "lang/Locale.h"
#include "platform/IniFile.h"
#include "support/DialogRecorder.h"

#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// What the tool-window tests share: a program folder of their own (with its
// "Lang" folder and a test language file "Test.lng"), the main window, a
// recorder that answers every dialog, and a new skin in a folder of its own.
//
//     initTestCase(): QVERIFY(env.prepare());
//     init():         env.start();
//     cleanup():      env.finish();
class ToolWindowTestEnvironment
{
public:
    frmMain *main = nullptr;
    std::unique_ptr<DialogRecorder> dialogs;
    std::unique_ptr<QTemporaryDir> skin;

    // Points the program at the test's own program and configuration folders.
    bool prepare()
    {
        if (!m_home.isValid())
            return false;
        qputenv("TVX_MORVANE_HOME", m_home.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toUtf8());
        return QDir(m_home.path()).mkpath(QStringLiteral("Lang"));
    }

    // A main window with the built-in texts, a dialog recorder and an empty skin folder.
    void start()
    {
        gUILanguage.clear();
        dialogs = std::make_unique<DialogRecorder>();
        skin = std::make_unique<QTemporaryDir>();
        main = new frmMain;
        main->show();
        ApplyLanguage();
    }

    // Closes the skin, every tool window and the main window, and goes back to
    // the built-in texts.
    void finish()
    {
        ClearSkinChanged();
        toolwindows::unloadAll();
        frmSkin::unload();
        delete main;
        main = nullptr;
        dialogs.reset();
        skin.reset();
        gUILanguage.clear();
        gSkinFile.clear();
        gFullScreenSkin = false;
        gZoom = 1;
        QFile::remove(m_home.filePath(QStringLiteral("Lang/Test.lng")));
        ini::clearCache();
    }

    // Opens a new skin of the kind in the skin folder, as the preview window does,
    // without the modified mark.
    void openSkin(bool fullScreen)
    {
        gSkinFolder = skin->path() + QLatin1Char('/');
        gSkinFile = gSkinFolder + (fullScreen ? QStringLiteral("Skinfs.ini") : QStringLiteral("Skin.ini"));
        gFullScreenSkin = fullScreen;
        frmSkin::get();
        ClearSkinChanged();
    }

    // Writes the test language file and makes it the current language.
    void writeLanguage(const QByteArray &content)
    {
        QFile file(m_home.filePath(QStringLiteral("Lang/Test.lng")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        // The reader caches by size and time: a rewrite within the same second must not be missed.
        ini::clearCache();
        gUILanguage = QStringLiteral("Test");
    }

    // Answers the next image-file picker by choosing the file name.
    void pickFile(const QString &name)
    {
        dialogs->answerForm([name](QDialog *form) {
            auto *list = form->findChild<QListWidget *>(QStringLiteral("flstImageList"));
            QVERIFY(list);
            const QList<QListWidgetItem *> found = list->findItems(name, Qt::MatchFixedString);
            QVERIFY(!found.isEmpty());
            list->setCurrentItem(found.first());
            form->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
        });
    }

private:
    QTemporaryDir m_home;
};

// Every label, check box, option button and command button of the window shows
// its whole text (none is cut off by the control's width, a wrapping label has
// the lines it needs) and lies inside its parent.
inline void verifyTextsFit(QWidget *window)
{
    for (QWidget *control : window->findChildren<QWidget *>()) {
        const QByteArray name = control->objectName().toUtf8();
        int needed = 0;
        if (auto *label = qobject_cast<QLabel *>(control)) {
            if (label->wordWrap())
                QVERIFY2(label->heightForWidth(label->width()) <= label->height(), name);
            else
                needed = label->sizeHint().width();
        } else if (qobject_cast<QCheckBox *>(control) || qobject_cast<QRadioButton *>(control)) {
            needed = control->sizeHint().width();
        } else if (auto *button = qobject_cast<QPushButton *>(control)) {
            needed = button->fontMetrics().horizontalAdvance(QString(button->text()).remove(QLatin1Char('&'))) + 8;
        } else {
            continue;
        }
        QVERIFY2(needed <= control->width(), name);
        QVERIFY2(control->parentWidget()->rect().contains(control->geometry()), name);
    }
}
