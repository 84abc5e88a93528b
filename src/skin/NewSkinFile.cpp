#include "skin/NewSkinFile.h"

#include "skin/Module.h"
#include "lang/Locale.h"
#include "platform/Dialogs.h"

#include <QFileInfo>

namespace {

// The new skin's file until its first save may write it; "" otherwise.
QString gUnconfirmedSkinFile;

} // namespace

void BindNewSkinFile(const QString &skinFile, bool confirmed)
{
    gUnconfirmedSkinFile = confirmed ? QString() : skinFile;
}

void ForgetNewSkinFile()
{
    gUnconfirmedSkinFile.clear();
}

bool ConfirmSkinFileWrite()
{
    if (gUnconfirmedSkinFile.isEmpty() || gUnconfirmedSkinFile != gSkinFile)
        return true;
    // The writer replaces exactly this path; a file whose name differs only in
    // case stays beside it.
    if (QFileInfo::exists(gSkinFile)) {
        // No message of the table says this: the text stays English.
        const QString prompt = QLatin1Char('"') + gSkinFile + QStringLiteral("\" already exists.\n")
            + QStringLiteral("Do you want to replace it with the new skin?");
        const int answer = dialogs::msgBox(
            prompt, dialogs::vbYesNo | dialogs::vbExclamation | dialogs::vbDefaultButton2, Message(13003));
        if (answer != dialogs::vbYes)
            return false;
    }
    gUnconfirmedSkinFile.clear();
    return true;
}
