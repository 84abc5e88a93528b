#pragma once

// Shared set-up of the preview window's tests: a program folder of its own, the
// message table, a recording dialog responder and small pictures on disk.

#include "core/Module.h"
#include "core/frmMain.h"
#include "core/frmSkin.h"
#include "editors/buttons/frmImagesToolBar.h"
#include "editors/display_bars/frmDisplayToolBar.h"
#include "editors/display_bars/frmTrackVolumeToolBar.h"
#include "editors/fullscreen/frmFullScreenToolBar.h"
#include "lang/Locale.h"
#include "platform/Dialogs.h"
#include "resources/BuiltinTexts.h"

#include <QImage>
#include <QList>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

namespace previewtest {

// Answers every dialog with the next queued answer (OK/Cancel when none is
// queued) and keeps what was asked.
struct Recorder {
    QList<dialogs::Request> requests;
    QList<dialogs::Answer> answers;
    std::function<void(const dialogs::Request &)> onRequest;

    void install()
    {
        dialogs::setResponder([this](const dialogs::Request &request) {
            requests.append(request);
            if (onRequest)
                onRequest(request);
            if (!answers.isEmpty())
                return answers.takeFirst();
            dialogs::Answer answer;
            answer.button = dialogs::vbOK;
            return answer;
        });
    }
    void answerButton(int button)
    {
        dialogs::Answer answer;
        answer.button = button;
        answers.append(answer);
    }
    QList<dialogs::Request> messageBoxes() const
    {
        QList<dialogs::Request> boxes;
        for (const auto &request : requests)
            if (request.kind == dialogs::Request::Kind::MessageBox)
                boxes.append(request);
        return boxes;
    }
};

inline void loadBuiltinMessages()
{
    for (int k = 0; k < 114; ++k)
        gMessages[k] = LoadResString(13001 + k);
}

// A picture filled with fill, with a block of mark from (1, 1) to the
// bottom-right corner less one pixel, saved as BMP.
inline QString writePicture(const QString &path, int width, int height, QColor fill, QColor mark)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    for (int y = 1; y < height - 1; ++y)
        for (int x = 1; x < width - 1; ++x)
            image.setPixelColor(x, y, mark);
    if (!image.save(path, "BMP"))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

inline QString writeText(const QString &path, const QByteArray &text)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    file.write(text);
    return path;
}

// Opens the preview window as the open road does for a skin file in folder.
inline frmSkin *openPreview(const QString &folder, bool fullScreen = false)
{
    gSkinFolder = AddBackslash(folder);
    gSkinFile = gSkinFolder + (fullScreen ? QStringLiteral("Skinfs.ini") : QStringLiteral("Skin.ini"));
    gFullScreenSkin = fullScreen;
    gSkinChanged = false;
    frmSkin *skin = frmSkin::get();
    skin->Show();
    skin->setCaption(gSkinFile);
    return skin;
}

// Closes whatever preview is open without a question.
inline void closePreview()
{
    gSkinChanged = false;
    frmSkin::unload();
    frmImagesToolBar::unload();
    frmDisplayToolBar::unload();
    frmTrackVolumeToolBar::unload();
    frmFullScreenToolBar::unload();
    gSkinFile.clear();
}

} // namespace previewtest
