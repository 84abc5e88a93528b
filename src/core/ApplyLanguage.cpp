#include "core/ApplyLanguage.h"

#include "core/frmMain.h"
#include "editors/ToolWindows.h"
#include "widgets/WindowTexts.h"
#include "preview/frmSkin.h"
#include "skin/Module.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QWidget>

#include <algorithm>
#include <cstdint>

namespace {

const QString kMenuSection = QStringLiteral("Menu");
const QString kSkinSection = QStringLiteral("Skin");
const QString kStringsSection = QStringLiteral("Strings");

// The main window's menus, in the order their captions are set. Key 16 serves
// both the View item and the preview button pop-up's item that runs the same
// command.
void applyMenus(const LangReader &lang)
{
    frmMain *main = frmMain::instance();
    if (!main)
        return;
    const WindowTexts texts(lang, kMenuSection);
    const QList<std::pair<QObject *, int>> items = {
        {main->mnuFile, 1},
        {main->mnuFileNew, 2},
        {main->mnuFileNewFS, 3},
        {main->mnuFileOpen, 4},
        {main->mnuFileClose, 5},
        {main->mnuFileSave, 6},
        {main->mnuFileCreateTVK, 7},
        {main->mnuFileTestSkin, 8},
        {main->mnuFileExit, 9},
        {main->mnuView, 10},
        {main->mnuViewImagesTB, 11},
        {main->mnuViewDisplayTB, 12},
        {main->mnuViewTrackVolumeTB, 13},
        {main->mnuViewFullScreenTB, 14},
        {main->mnuViewSkinFile, 15},
        {main->mnuViewApplyZOrder, 16},
        {main->mnuLanguage, 17},
        {main->mnuLanguageChoose, 18},
        {main->mnuHelp, 19},
        {main->mnuHelpGuide, 20},
        {main->mnuHelpLicense, 21},
        {main->mnuHelpAbout, 22},
        {main->mnufmBtnRightClickMultilanguage, 23},
        {main->mnupctBtnRightClickUP, 24},
        {main->mnupctBtnRightClickDOWN, 25},
        {main->mnupctBtnRightClickBOTTOM, 26},
        {main->mnupctBtnRightClickREMOVE, 27},
        {main->mnupctBtnRightClickCLEAR, 28},
        {main->mnupctBtnRightClickSORT, 16},
        {main->mnuBackGroundChoose, 29},
        {main->mnuBackGroundRestore, 30},
    };
    for (const auto &[item, key] : items)
        if (item)
            texts.caption(item, key, 1000 + key);
}

// The preview's display labels: a sample text each, and the layout that goes
// with it: a display with a maximum width is a bordered box of exactly that
// width, any other is sized to its text without a border.
void applyPreviewLabels(const LangReader &lang)
{
    frmSkin *preview = frmSkin::loaded();
    if (!preview)
        return;
    for (int i = 0; i < 8; ++i) {
        QLabel *label = preview->lblSkinText.at(i);
        if (!label)
            continue;
        label->setText(lang.text(kSkinSection, i + 1, 4001 + i));
        preview->SizeDisplayLabel(i);
    }
    if (QLabel *label = preview->lblSkinText.at(7))
        label->move(frmSkin::ZoomedPixels(gDisplays[7].DspX), label->y());
}

} // namespace

void ApplyLanguage()
{
    const LangReader lang;
    applyMenus(lang);
    if (!gSkinFile.isEmpty()) {
        toolwindows::applyTexts(lang);
        applyPreviewLabels(lang);
    }
    for (int k = 0; k < int(gUIStrings.size()); ++k)
        gUIStrings[k] = lang.text(kStringsSection, k + 1, 12001 + k);
    LoadMessages();
}
