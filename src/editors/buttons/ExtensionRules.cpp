#include "editors/buttons/ExtensionRules.h"

#include "skin/Module.h"
#include "skin/SkinChange.h"
#include "editors/buttons/KeyPressEdit.h"
#include "lang/Locale.h"
#include "platform/Dialogs.h"

#include <QComboBox>
#include <QListWidget>

namespace {

// Bar kinds whose images are named like button images.
constexpr int ButtonHorizontal = 4;
constexpr int ButtonVertical = 5;

int kindOf(const QComboBox *box)
{
    return box ? box->currentIndex() : -1;
}

QString withoutTrailingBlanks(QString text)
{
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

} // namespace

void ExtensionRules::KeyPress(KeyPressEdit *box, int &keyAscii)
{
    if (keyAscii == 13) {
        keyAscii = 0;
        box->sendTab();
        return;
    }
    static const QString refused = QStringLiteral(".\\/:*?\"<>|");
    if (keyAscii < 0x10000 && refused.contains(QChar(keyAscii)))
        keyAscii = 0;
}

void ExtensionRules::Validate(KeyPressEdit *box, const QListWidget *lstButtons,
    const std::array<QComboBox *, 2> &barKinds, const std::function<void()> &clearButtons)
{
    box->setText(withoutTrailingBlanks(box->text()));

    bool buttonBars = false;
    for (const QComboBox *kind : barKinds)
        buttonBars = buttonBars || kindOf(kind) == ButtonHorizontal || kindOf(kind) == ButtonVertical;

    if (box->text().compare(gButtonExt, Qt::CaseInsensitive) != 0
        && (lstButtons->count() > 0 || buttonBars)) {
        const int answer
            = dialogs::msgBox(Message(13042), dialogs::vbYesNo | dialogs::vbExclamation, Message(13003));
        if (answer != dialogs::vbYes) {
            box->setText(gButtonExt);
        } else {
            clearButtons();
            if (lstButtons->count() == 0) {
                for (QComboBox *kind : barKinds) {
                    if (kindOf(kind) == ButtonHorizontal)
                        kind->setCurrentIndex(0);
                    else if (kindOf(kind) == ButtonVertical)
                        kind->setCurrentIndex(1);
                }
                SetSkinChanged();
            } else {
                box->setText(gButtonExt);
            }
        }
    }
    // Any new extension, also one that asked nothing, is written to the skin
    // file: it must carry the mark, or closing the skin would lose it unasked.
    if (box->text() != gButtonExt)
        SetSkinChanged();
    gButtonExt = box->text();
}
