#include "skin/NewSkinFile.h"

#include "skin/Module.h"
#include "lang/Locale.h"
#include "platform/Dialogs.h"

#include <QFileInfo>

namespace {

// The skin file that the first save must not replace without asking; "" otherwise.
QString gUnconfirmedSkinFile;
// Why it must ask: the file belongs to another skin, or holds more than was read.
bool gIncompleteLoad = false;

} // namespace

void BindNewSkinFile(const QString &skinFile, bool confirmed)
{
    gUnconfirmedSkinFile = confirmed ? QString() : skinFile;
    gIncompleteLoad = false;
}

void BindIncompleteSkinFile(const QString &skinFile)
{
    gUnconfirmedSkinFile = skinFile;
    gIncompleteLoad = true;
}

void ForgetNewSkinFile()
{
    gUnconfirmedSkinFile.clear();
    gIncompleteLoad = false;
}

bool ConfirmSkinFileWrite()
{
    if (gUnconfirmedSkinFile.isEmpty() || gUnconfirmedSkinFile != gSkinFile)
        return true;
    // The writer replaces exactly this path; a file whose name differs only in
    // case stays beside it.
    if (QFileInfo::exists(gSkinFile)) {
        // No message of the table says this: the text stays English.
        const QString prompt = gIncompleteLoad
            ? QStringLiteral("The skin was not read completely from \"") + gSkinFile + QStringLiteral("\".\n")
                + QStringLiteral(
                    "Saving replaces the file with only what was read. Do you want to replace it?")
            : QLatin1Char('"') + gSkinFile + QStringLiteral("\" already exists.\n")
                + QStringLiteral("Do you want to replace it with the new skin?");
        const int answer = dialogs::msgBox(
            prompt, dialogs::vbYesNo | dialogs::vbExclamation | dialogs::vbDefaultButton2, Message(13003));
        if (answer != dialogs::vbYes)
            return false;
    }
    gUnconfirmedSkinFile.clear();
    gIncompleteLoad = false;
    return true;
}
