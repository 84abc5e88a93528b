// The View and Language menus and the pop-up menus of the main window.
#include "core/frmMain.h"

#include "core/CommonDialog.h"
#include "core/Module.h"
#include "core/frmSkin.h"
#include "editors/buttons/frmImagesToolBar.h"
#include "editors/display_bars/frmDisplayToolBar.h"
#include "editors/display_bars/frmTrackVolumeToolBar.h"
#include "editors/fullscreen/frmFullScreenToolBar.h"
#include "lang/Locale.h"

#include <QAction>

namespace {

// Inverts the item's check mark and shows or hides the tool window accordingly,
// when it is loaded.
template <typename ToolWindow> void toggleToolWindow(QAction *item)
{
    item->setChecked(!item->isChecked());
    if (ToolWindow *window = ToolWindow::loaded()) {
        if (item->isChecked())
            window->Show();
        else
            window->Hide();
    }
}

bool isExplicitColor(int32_t value)
{
    return value >= 0 && value <= 0xFFFFFF;
}

} // namespace

void frmMain::mnuViewImagesTB_Click()
{
    toggleToolWindow<frmImagesToolBar>(mnuViewImagesTB);
}

void frmMain::mnuViewDisplayTB_Click()
{
    toggleToolWindow<frmDisplayToolBar>(mnuViewDisplayTB);
}

void frmMain::mnuViewTrackVolumeTB_Click()
{
    toggleToolWindow<frmTrackVolumeToolBar>(mnuViewTrackVolumeTB);
}

void frmMain::mnuViewFullScreenTB_Click()
{
    toggleToolWindow<frmFullScreenToolBar>(mnuViewFullScreenTB);
}

void frmMain::mnuLanguageLng_Click(int index)
{
    for (int i = 0; i <= mnuLanguageLng.uBound(); ++i) {
        if (QAction *item = mnuLanguageLng[i])
            item->setChecked(false);
    }
    QAction *chosen = mnuLanguageLng[index];
    if (!chosen)
        return;
    chosen->setChecked(true);
    gUILanguage = chosen->text();
    ApplyLanguage();
}

void frmMain::mnuBackGroundChoose_Click()
{
    // The preview's background is an explicit colour exactly while gBackColor
    // holds one; the system's colour starts the dialog at grey.
    const int32_t initial = isExplicitColor(gBackColor) ? gBackColor : 0x808080;
    if (!ShowColorDialog(this, PaletteToBuffer(gCustomPalette), initial, 1))
        return;
    gBackColor = gChosenColor;
    if (frmSkin *skin = frmSkin::loaded())
        skin->ApplyBackColor();
    gCustomPalette = BufferToPalette(gCustomColorsBuffer);
}

void frmMain::mnuBackGroundRestore_Click()
{
    gBackColor = -1;
    if (frmSkin *skin = frmSkin::loaded())
        skin->ApplyBackColor();
}
