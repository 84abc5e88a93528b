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

const QString kSkinSection = QStringLiteral("Skin");
const QString kStringsSection = QStringLiteral("Strings");

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
    if (frmMain *main = frmMain::instance())
        main->applyMenuTexts(lang);
    if (!gSkinFile.isEmpty()) {
        toolwindows::applyTexts(lang);
        applyPreviewLabels(lang);
    }
    for (int k = 0; k < int(gUIStrings.size()); ++k)
        gUIStrings[k] = lang.text(kStringsSection, k + 1, 12001 + k);
    LoadMessages();
}
