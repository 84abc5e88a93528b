#include "editors/buttons/MainImageEditor.h"

#include "core/Module.h"
#include "core/Transparent.h"
#include "core/frmMain.h"
#include "core/frmSelectFile.h"
#include "core/frmSkin.h"
#include "lang/Locale.h"
#include "platform/AppInfo.h"
#include "platform/Dialogs.h"
#include "platform/VbRuntime.h"

#include <QLineEdit>

namespace {

void reportPictureError(const vb::Error &error)
{
    const QString title = app::title() + QStringLiteral(" - ") + gMessages[3];
    QString prompt;
    if (error.number() == vb::ErrInvalidPicture) {
        prompt = gMessages[70] + QLatin1Char('\n') + gMessages[71];
    } else {
        const QString description
            = error.description().isEmpty() ? vb::errorDescription(error.number()) : error.description();
        prompt = gMessages[88] + QString::number(error.number()) + QLatin1Char('\n') + description;
    }
    dialogs::msgBox(prompt, dialogs::vbCritical | dialogs::vbOKOnly, title);
}

} // namespace

bool MainImageEditor::ChooseMainImage(QLineEdit *txtMainWindow, bool shaped)
{
    if (!ShowSelectFile(frmMain::instance(), gSkinFolder, QStringLiteral("bmp"), gMainImage, gUIStrings[6]))
        return false;
    try {
        frmSkin::get()->LoadMainPicture(gSelFilePath, shaped);
    } catch (const vb::Error &error) {
        reportPictureError(error);
        return false;
    }
    txtMainWindow->setText(gSelFilePath);
    txtMainWindow->setToolTip(gSelFilePath);
    gMainImage = gSelFileName;
    return true;
}

void MainImageEditor::ApplyShape(const QLineEdit *txtMainWindow, bool shaped)
{
    if (!txtMainWindow->text().isEmpty())
        MakeWindowRegion(frmSkin::get()->pctSkinMain, shaped);
    // The flag follows the box even before a main image is chosen: the box is
    // what the user sees, the image chosen later is shaped by it, and the skin
    // file must say the same.
    gAnyShape = vb::fromBool(shaped);
}
