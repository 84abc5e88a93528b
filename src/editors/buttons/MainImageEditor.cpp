#include "editors/buttons/MainImageEditor.h"

#include "skin/Module.h"
#include "preview/SkinButtons.h"
#include "widgets/Transparent.h"
#include "editors/frmSelectFile.h"
#include "preview/frmSkin.h"
#include "lang/Locale.h"
#include "platform/VbRuntime.h"

#include <QLineEdit>

bool MainImageEditor::ChooseMainImage(QLineEdit *txtMainWindow, bool shaped)
{
    if (!ShowSelectFile(
            txtMainWindow->window(), gSkinFolder, QStringLiteral("bmp"), gMainImage, UIString(12007)))
        return false;
    try {
        frmSkin::get()->LoadMainPicture(gSelFilePath, shaped);
    } catch (const vb::Error &error) {
        ShowPictureError(error);
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
