// The View and Language menus of the main window, and the pop-up of the
// preview's background, which chooses the colour the preview is viewed on. The
// pop-ups of the buttons are editing commands and live in frmMain_Edit.cpp.
#include "core/frmMain.h"

#include "platform/CommonDialog.h"
#include "skin/Module.h"
#include "preview/frmSkin.h"
#include "core/ApplyLanguage.h"
#include "editors/ToolWindows.h"
#include "lang/Locale.h"

#include <QAction>

namespace {

// Inverts the item's check mark and shows or hides the tool window accordingly,
// when it is loaded.
void toggleToolWindow(QAction *item, ToolWindowId id)
{
    item->setChecked(!item->isChecked());
    toolwindows::setShown(id, item->isChecked());
}

bool isExplicitColor(int32_t value)
{
    return value >= 0 && value <= 0xFFFFFF;
}

} // namespace

void frmMain::mnuViewImagesTB_Click()
{
    toggleToolWindow(mnuViewImagesTB, ToolWindowId::Images);
}

void frmMain::mnuViewDisplayTB_Click()
{
    toggleToolWindow(mnuViewDisplayTB, ToolWindowId::Display);
}

void frmMain::mnuViewTrackVolumeTB_Click()
{
    toggleToolWindow(mnuViewTrackVolumeTB, ToolWindowId::TrackVolume);
}

void frmMain::mnuViewFullScreenTB_Click()
{
    toggleToolWindow(mnuViewFullScreenTB, ToolWindowId::FullScreen);
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
