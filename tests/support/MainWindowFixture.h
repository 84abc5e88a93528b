#pragma once

#include "skin/Module.h"
#include "core/frmMain.h"
#include "preview/frmSkin.h"
#include "core/startup.h"
#include "platform/IniFile.h"
#include "support/DialogRecorder.h"
#include "support/ShellRecorder.h"

#include <QCoreApplication>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>

// A private program folder, lock folder and configuration folder for one test,
// the dialog recorder and a shell that only records what it is asked to open;
// start() runs the editor's start-up there and the destructor closes whatever
// the test left open, so that tests do not depend on each other.
class MainWindowFixture
{
public:
    QTemporaryDir home;
    QTemporaryDir runtime;
    QTemporaryDir config;
    QTemporaryDir skins;
    DialogRecorder dialogs;
    ShellRecorder shell;

    MainWindowFixture()
    {
        qputenv("TVX_MORVANE_HOME", home.path().toLocal8Bit());
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
        ini::clearCache();
    }

    ~MainWindowFixture()
    {
        // Whatever is still open closes without saving.
        dialogs.setCallback([](const DialogRecorder::Request &request) {
            DialogRecorder::Answer answer = DialogRecorder::defaultAnswer(request);
            if (request.kind == DialogRecorder::Kind::MessageBox)
                answer.button = dialogs::vbNo;
            return answer;
        });
        closeMain();
        delete main.data();
        frmSkin::unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        gSkinChanged = false;
        gSkinFile.clear();
    }

    // Starts the editor with these arguments after the program's name.
    frmMain *start(const QStringList &arguments = {})
    {
        ini::clearCache();
        main = startEditor(QStringList { QStringLiteral("TVX_Morvane") } + arguments);
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

    QString settingsPath() const { return home.filePath(QStringLiteral("TVX_Morvane.ini")); }

    static void writeFile(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(path));
        file.write(bytes);
    }

    static QByteArray readFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QPointer<frmMain> main;
};
