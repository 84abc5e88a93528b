#pragma once

// Shared set-up of the preview window's tests: opening and closing the preview
// as the open road does, and small pictures and files on disk.

#include "skin/Module.h"
#include "core/frmMain.h"
#include "preview/frmSkin.h"
#include "editors/buttons/frmImagesToolBar.h"
#include "editors/display_bars/frmDisplayToolBar.h"
#include "editors/display_bars/frmTrackVolumeToolBar.h"
#include "editors/fullscreen/frmFullScreenToolBar.h"
#include "lang/Locale.h"
#include "support/MainWindowFixture.h"

#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

namespace previewtest {

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
    MainWindowFixture::writeFile(path, text);
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
    MainWindowFixture::closeSkin();
}

} // namespace previewtest
