#include "editors/buttons/ButtonListPanel.h"

#include "skin/Module.h"
#include "preview/SkinButtons.h"
#include "skin/SkinChange.h"
#include "editors/frmSelectFile.h"
#include "preview/frmSkin.h"
#include "editors/ToolWindowLayout.h"
#include "editors/buttons/ButtonToolWindow.h"
#include "editors/buttons/KeyPressEdit.h"
#include "widgets/WindowTexts.h"
#include "lang/Locale.h"
#include "platform/Dialogs.h"
#include "platform/VbRuntime.h"
#include "resources/BuiltinTexts.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

#include <utility>

namespace {

QPushButton *makeButton(QWidget *host, const char *name, int top)
{
    return makeControl<QPushButton>(host, name, QRect(204, top, 76, 22));
}

// A refused image: a critical box titled "Attention".
void refuse(const QString &prompt)
{
    dialogs::msgBox(prompt, dialogs::vbCritical, Message(13003));
}

// The state letters that end the name of a button image.
bool endsInStateLetter(const QString &name)
{
    return !name.isEmpty() && QStringLiteral("aAnNdDuU").contains(name.back());
}

} // namespace

ButtonListPanel::ButtonListPanel(ButtonToolWindow &window, QWidget *host)
    : w(window)
{
    w.lstButtons = makeControl<QListWidget>(host, "lstButtons", QRect(8, 18, 190, 114));
    w.lstButtons->setSelectionMode(QAbstractItemView::SingleSelection);

    w.cmdAdd = makeButton(host, "cmdAdd", 18);
    w.cmdUp = makeButton(host, "cmdUp", 42);
    w.cmdDown = makeButton(host, "cmdDown", 66);
    w.cmdRemove = makeButton(host, "cmdRemove", 90);
    w.cmdClear = makeButton(host, "cmdClear", 114);
    // Up, Down and Remove wait for a selection.
    setCommandsEnabled(false);

    w.txtExtension = makeControl<KeyPressEdit>(host, "txtExtension", QRect(204, 140, 76, 21));
    w.txtExtension->setText(QStringLiteral("bmp"));
}

void ButtonListPanel::connectHandlers()
{
    QObject::connect(w.lstButtons, &QListWidget::currentRowChanged, &w, [this] { lstButtons_Click(); });
}

void ButtonListPanel::applyTexts(const WindowTexts &texts, int firstKey, int firstId)
{
    const auto textOf = [&](int key) { return texts.text(key, firstId + key - firstKey); };
    SetLangCaption(w.cmdAdd, textOf(firstKey));
    SetLangCaption(w.cmdUp, textOf(firstKey + 1));
    SetLangCaption(w.cmdDown, textOf(firstKey + 2));
    SetLangCaption(w.cmdRemove, textOf(firstKey + 3));
    SetLangCaption(w.cmdClear, textOf(firstKey + 4));
}

void ButtonListPanel::setCommandsEnabled(bool enabled)
{
    w.cmdRemove->setEnabled(enabled);
    w.cmdUp->setEnabled(enabled);
    w.cmdDown->setEnabled(enabled);
}

void ButtonListPanel::cmdAdd_Click()
{
    w.commitPendingText();
    try {
        if (!ShowSelectFile(w.window(), gSkinFolder, gButtonExt, QString(), UIString(12007)))
            return;
        // The chosen name without the extension and its dot.
        QString name = gSelFileName;
        name.chop(gButtonExt.length());
        if (name.endsWith(QLatin1Char('.')))
            name.chop(1);
        if (name.length() < 2 || !endsInStateLetter(name)) {
            refuse(Message(13034) + QLatin1Char('\n') + Message(13035));
            return;
        }
        const QString baseName = name.left(name.length() - 1);
        // The skin file separates a button's values by commas and its buttons
        // by semicolons: such a name would cut the button line on the next load.
        if (baseName.contains(QLatin1Char(',')) || baseName.contains(QLatin1Char(';'))) {
            refuse(Message(13034) + QLatin1Char('\n') + LoadResString(13115));
            return;
        }
        const QString path = ButtonImagePath(baseName);
        if (!ButtonImageExists(path)) {
            refuse(Message(13036) + path + Message(13037) + QLatin1Char('\n') + Message(13038));
            return;
        }
        if ((AddBackslash(gSkinFolder) + gMainImage).compare(path, Qt::CaseInsensitive) == 0) {
            refuse(Message(13039) + QLatin1Char('\n') + Message(13040));
            return;
        }

        // A picture that fails to load takes back its record and its box: the
        // lists, gButtons and the preview stay in step.
        int16_t index = -1;
        if (AddSkinButton(index, 0, 0, path, false)) {
            appendEntry(baseName);
            ButtonRec &button = gButtons[index];
            button = ButtonRec();
            button.BtnName = baseName;
            button.BtnFile = path;
        }
        SetSkinChanged();
    } catch (const vb::Error &error) {
        ShowPictureError(error);
    }
}

void ButtonListPanel::appendEntry(const QString &name)
{
    // Adding keeps the selection as it is, also in an empty selector.
    const QSignalBlocker quietList(w.lstButtons);
    const QSignalBlocker quietSelector(w.cbxBtn);
    const int selected = w.cbxBtn->currentIndex();
    w.lstButtons->addItem(name);
    w.cbxBtn->addItem(name);
    w.cbxBtn->setCurrentIndex(selected);
}

void ButtonListPanel::cmdUp_Click()
{
    const int s = w.lstButtons->currentRow();
    if (s > 0 && w.lstButtons->count() > 1)
        move(s, s - 1);
}

void ButtonListPanel::cmdDown_Click()
{
    const int s = w.lstButtons->currentRow();
    const int c = w.lstButtons->count();
    if (s >= 0 && s < c - 1 && c > 1)
        move(s, s + 1);
}

void ButtonListPanel::move(int from, int to)
{
    w.leaveShownButton();
    // The two buttons exchange their records whole: each keeps its position,
    // image, type, action and text; only their order changes.
    std::swap(gButtons[from + 1], gButtons[to + 1]);
    if (frmSkin *skin = frmSkin::loaded()) {
        skin->RedrawSkinButton(to + 1);
        skin->RedrawSkinButton(from + 1);
    }
    {
        const QSignalBlocker quietList(w.lstButtons);
        const QSignalBlocker quietSelector(w.cbxBtn);
        QListWidgetItem *neighbour = w.lstButtons->takeItem(to);
        w.lstButtons->insertItem(from, neighbour);
        const QString neighbourName = w.cbxBtn->itemText(to);
        w.cbxBtn->removeItem(to);
        w.cbxBtn->insertItem(from, neighbourName);
        // The selection is made anew, so that the moved button is shown again.
        w.lstButtons->setCurrentRow(-1);
        w.cbxBtn->setCurrentIndex(-1);
    }
    w.lstButtons->setCurrentRow(to);
    SetSkinChanged();
}

void ButtonListPanel::cmdRemove_Click()
{
    const int s = w.lstButtons->currentRow();
    if (s < 0)
        return;
    w.leaveShownButton();
    const int n = ButtonCount();
    frmSkin *skin = frmSkin::loaded();
    for (int i = s + 1; i <= n - 1; ++i) {
        gButtons[i] = gButtons[i + 1];
        if (skin)
            skin->RedrawSkinButton(i);
    }
    if (n > 0) {
        if (skin)
            skin->pctSkinButton.unload(n);
        gButtons.resize(n);
    }
    {
        const QSignalBlocker quietList(w.lstButtons);
        const QSignalBlocker quietSelector(w.cbxBtn);
        w.cbxBtn->removeItem(s);
        w.cbxBtn->setCurrentIndex(-1);
        delete w.lstButtons->takeItem(s);
        w.lstButtons->setCurrentRow(-1);
    }
    w.blankButtonProperties();
    setCommandsEnabled(false);
    SetSkinChanged();
}

void ButtonListPanel::cmdClear_Click()
{
    if (w.lstButtons->count() == 0)
        return;
    w.commitPendingText();
    if (dialogs::msgBox(Message(13041), dialogs::vbYesNo | dialogs::vbExclamation, Message(13003))
        != dialogs::vbYes)
        return;
    w.leaveShownButton();
    {
        const QSignalBlocker quietList(w.lstButtons);
        const QSignalBlocker quietSelector(w.cbxBtn);
        w.lstButtons->clear();
        w.cbxBtn->clear();
    }
    if (frmSkin *skin = frmSkin::loaded())
        UnloadControlArray(skin->pctSkinButton);
    gButtons = QVector<ButtonRec>(1);
    w.blankButtonProperties();
    setCommandsEnabled(false);
    SetSkinChanged();
}

void ButtonListPanel::lstButtons_Click()
{
    const int row = w.lstButtons->currentRow();
    if (row < 0)
        return;
    setCommandsEnabled(true);
    w.cbxBtn->setCurrentIndex(row);
}

void ButtonListPanel::showButtons()
{
    QStringList names;
    names.reserve(ButtonCount());
    for (int i = 1; i <= ButtonCount(); ++i)
        names << gButtons[i].BtnName;
    {
        const QSignalBlocker quietList(w.lstButtons);
        const QSignalBlocker quietSelector(w.cbxBtn);
        w.lstButtons->clear();
        w.cbxBtn->clear();
        // One call each: the lists lay out once, however many buttons a skin has.
        w.lstButtons->addItems(names);
        w.cbxBtn->addItems(names);
        w.cbxBtn->setCurrentIndex(-1);
    }
    clearSelection();
}

void ButtonListPanel::clearSelection()
{
    {
        const QSignalBlocker quietList(w.lstButtons);
        w.lstButtons->setCurrentRow(-1);
    }
    w.cbxBtn->setCurrentIndex(-1);
    w.blankButtonProperties();
    setCommandsEnabled(false);
}
