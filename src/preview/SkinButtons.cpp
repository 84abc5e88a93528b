#include "preview/SkinButtons.h"

#include "skin/Module.h"
#include "skin/SkinFormat.h"
#include "widgets/Transparent.h"
#include "preview/frmSkin.h"
#include "lang/Locale.h"
#include "platform/AppInfo.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/Pictures.h"
#include "platform/VbRuntime.h"

#include <QFileInfo>

void LoadSkinPicture(PictureBox *box, const QString &path, bool shaped)
{
    const QImage picture = pictures::load(path);
    MakeWindowRegion(box, false);
    box->setPicture(picture);
    box->enlarge(gZoom);
    MakeWindowRegion(box, shaped);
}

namespace {

// A button's position is a 16-bit product of the skin coordinate and the zoom.
int zoomed16(int16_t value)
{
    const int product = int(value) * gZoom;
    if (product < INT16_MIN || product > INT16_MAX)
        vb::raise(vb::ErrOverflow);
    return product;
}

} // namespace

void ShowPictureError(const vb::Error &error)
{
    const QString title = app::title() + QStringLiteral(" - ") + Message(13004);
    QString prompt;
    if (error.number() == vb::ErrInvalidPicture) {
        prompt = Message(13071) + QLatin1Char('\n') + Message(13072);
    } else {
        const QString description
            = error.description().isEmpty() ? vb::errorDescription(error.number()) : error.description();
        prompt = Message(13089) + QString::number(error.number()) + QLatin1Char('\n') + description;
    }
    dialogs::msgBox(prompt, dialogs::vbCritical | dialogs::vbOKOnly, title);
}

bool AddSkinButton(int16_t &index, int16_t x, int16_t y, const QString &fileName, bool shaped)
{
    frmSkin *skin = frmSkin::get();
    const int16_t requested = index;
    bool appended = false;
    PictureBox *created = nullptr;
    try {
        if (index < 1) {
            if (gButtons.isEmpty())
                gButtons.resize(1);
            if (gButtons.size() > INT16_MAX)
                vb::raise(vb::ErrOverflow);
            gButtons.append(ButtonRec());
            appended = true;
            index = int16_t(ButtonCount());
        }
        if (skin->pctSkinButton.contains(index))
            vb::raise(vb::ErrControlAlreadyLoaded);
        created = skin->pctSkinButton.load(index);
        created->move(zoomed16(x), zoomed16(y));
        created->setPicture(pictures::load(fileName));
        created->enlarge(gZoom);
        MakeWindowRegion(created, shaped);
        created->show();
        // A new picture is created on top of its siblings: raising it again
        // would only search the list of them, thousands on a large skin.
        if (created->parentWidget()->children().constLast() != created)
            created->raise();
        return true;
    } catch (const vb::Error &error) {
        // Leave nothing half made behind: a record without a picture, or a
        // picture without a record, would put the list, the document and the
        // preview out of step.
        if (created)
            skin->pctSkinButton.unload(index);
        if (appended) {
            gButtons.removeLast();
            index = requested;
        }
        ShowPictureError(error);
        return false;
    }
}

void UnloadControlArray(ControlArray<PictureBox> &ctl)
{
    for (int i = ctl.uBound(); i >= 1; --i)
        ctl.unload(i);
}

QString ButtonImagePath(const QString &baseName)
{
    return skinformat::buttonImagePath(AddBackslash(gSkinFolder), baseName, gButtonExt);
}

bool ButtonImageExists(const QString &path)
{
    return !path.isEmpty() && fs::fileExists(path) && !QFileInfo(fs::resolve(path)).isHidden();
}
