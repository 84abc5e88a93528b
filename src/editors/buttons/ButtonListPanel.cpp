#include "editors/buttons/ButtonListPanel.h"

#include "skin/Module.h"
#include "preview/SkinButtons.h"
#include "skin/SkinChange.h"
#include "skin/SkinFormat.h"
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

} // namespace

ButtonListPanel::ButtonListPanel(ButtonToolWindow &window, QWidget *host)
    : m_window(window)
{
    m_window.lstButtons = makeControl<QListWidget>(host, "lstButtons", QRect(8, 18, 190, 114));
    m_window.lstButtons->setSelectionMode(QAbstractItemView::SingleSelection);
    // Every name is one line high: the list need not measure thousands of names
    // each time it is filled. A name wider than the list is cut short, as in a
    // list box, not scrolled to.
    m_window.lstButtons->setUniformItemSizes(true);

    m_window.cmdAdd = makeButton(host, "cmdAdd", 18);
    m_window.cmdUp = makeButton(host, "cmdUp", 42);
    m_window.cmdDown = makeButton(host, "cmdDown", 66);
    m_window.cmdRemove = makeButton(host, "cmdRemove", 90);
    m_window.cmdClear = makeButton(host, "cmdClear", 114);
    // Up, Down and Remove wait for a selection.
    setCommandsEnabled(false);

    m_window.txtExtension = makeControl<KeyPressEdit>(host, "txtExtension", QRect(204, 140, 76, 21));
    m_window.txtExtension->setText(QStringLiteral("bmp"));
}

void ButtonListPanel::connectHandlers()
{
    QObject::connect(
        m_window.lstButtons, &QListWidget::currentRowChanged, &m_window, [this] { lstButtons_Click(); });
}

void ButtonListPanel::applyTexts(const WindowTexts &texts, int firstKey, int firstId)
{
    const auto textOf = [&](int key) { return texts.text(key, firstId + key - firstKey); };
    SetLangCaption(m_window.cmdAdd, textOf(firstKey));
    SetLangCaption(m_window.cmdUp, textOf(firstKey + 1));
    SetLangCaption(m_window.cmdDown, textOf(firstKey + 2));
    SetLangCaption(m_window.cmdRemove, textOf(firstKey + 3));
    SetLangCaption(m_window.cmdClear, textOf(firstKey + 4));
}

void ButtonListPanel::setCommandsEnabled(bool enabled)
{
    m_window.cmdRemove->setEnabled(enabled);
    m_window.cmdUp->setEnabled(enabled);
    m_window.cmdDown->setEnabled(enabled);
}

void ButtonListPanel::cmdAdd_Click()
{
    m_window.commitPendingText();
    try {
        if (!ShowSelectFile(m_window.window(), gSkinFolder, gButtonExt, QString(), UIString(12007)))
            return;
        const QString baseName = skinformat::buttonBaseName(gSelFileName, gButtonExt);
        if (baseName.isEmpty()) {
            refuse(Message(13034) + QLatin1Char('\n') + Message(13035));
            return;
        }
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
    const QSignalBlocker quietList(m_window.lstButtons);
    const QSignalBlocker quietSelector(m_window.cbxBtn);
    const int selected = m_window.cbxBtn->currentIndex();
    m_window.lstButtons->addItem(name);
    m_window.cbxBtn->addItem(name);
    m_window.cbxBtn->setCurrentIndex(selected);
}

void ButtonListPanel::cmdUp_Click()
{
    const int s = m_window.lstButtons->currentRow();
    if (s > 0 && m_window.lstButtons->count() > 1)
        move(s, s - 1);
}

void ButtonListPanel::cmdDown_Click()
{
    const int s = m_window.lstButtons->currentRow();
    const int c = m_window.lstButtons->count();
    if (s >= 0 && s < c - 1 && c > 1)
        move(s, s + 1);
}

void ButtonListPanel::move(int from, int to)
{
    m_window.leaveShownButton();
    // The two buttons exchange their records whole: each keeps its position,
    // image, type, action and text; only their order changes.
    std::swap(gButtons[from + 1], gButtons[to + 1]);
    if (frmSkin *skin = frmSkin::loaded()) {
        skin->RedrawSkinButton(to + 1);
        skin->RedrawSkinButton(from + 1);
    }
    {
        const QSignalBlocker quietList(m_window.lstButtons);
        const QSignalBlocker quietSelector(m_window.cbxBtn);
        QListWidgetItem *neighbour = m_window.lstButtons->takeItem(to);
        m_window.lstButtons->insertItem(from, neighbour);
        const QString neighbourName = m_window.cbxBtn->itemText(to);
        m_window.cbxBtn->removeItem(to);
        m_window.cbxBtn->insertItem(from, neighbourName);
        // The selection is made anew, so that the moved button is shown again.
        m_window.lstButtons->setCurrentRow(-1);
        m_window.cbxBtn->setCurrentIndex(-1);
    }
    m_window.lstButtons->setCurrentRow(to);
    SetSkinChanged();
}

void ButtonListPanel::cmdRemove_Click()
{
    const int s = m_window.lstButtons->currentRow();
    if (s < 0)
        return;
    m_window.leaveShownButton();
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
        const QSignalBlocker quietList(m_window.lstButtons);
        const QSignalBlocker quietSelector(m_window.cbxBtn);
        m_window.cbxBtn->removeItem(s);
        m_window.cbxBtn->setCurrentIndex(-1);
        delete m_window.lstButtons->takeItem(s);
        m_window.lstButtons->setCurrentRow(-1);
    }
    m_window.blankButtonProperties();
    setCommandsEnabled(false);
    SetSkinChanged();
}

void ButtonListPanel::cmdClear_Click()
{
    if (m_window.lstButtons->count() == 0)
        return;
    m_window.commitPendingText();
    if (dialogs::msgBox(Message(13041), dialogs::vbYesNo | dialogs::vbExclamation, Message(13003))
        != dialogs::vbYes)
        return;
    m_window.leaveShownButton();
    {
        const QSignalBlocker quietList(m_window.lstButtons);
        const QSignalBlocker quietSelector(m_window.cbxBtn);
        m_window.lstButtons->clear();
        m_window.cbxBtn->clear();
    }
    if (frmSkin *skin = frmSkin::loaded())
        UnloadControlArray(skin->pctSkinButton);
    gButtons = QVector<ButtonRec>(1);
    m_window.blankButtonProperties();
    setCommandsEnabled(false);
    SetSkinChanged();
}

void ButtonListPanel::lstButtons_Click()
{
    const int row = m_window.lstButtons->currentRow();
    if (row < 0)
        return;
    setCommandsEnabled(true);
    m_window.cbxBtn->setCurrentIndex(row);
}

void ButtonListPanel::showButtons()
{
    QStringList names;
    names.reserve(ButtonCount());
    for (int i = 1; i <= ButtonCount(); ++i)
        names << gButtons[i].BtnName;
    {
        const QSignalBlocker quietList(m_window.lstButtons);
        const QSignalBlocker quietSelector(m_window.cbxBtn);
        m_window.lstButtons->clear();
        m_window.cbxBtn->clear();
        // One call each: the lists lay out once, however many buttons a skin has.
        m_window.lstButtons->addItems(names);
        m_window.cbxBtn->addItems(names);
        m_window.cbxBtn->setCurrentIndex(-1);
    }
    clearSelection();
}

void ButtonListPanel::clearSelection()
{
    {
        const QSignalBlocker quietList(m_window.lstButtons);
        m_window.lstButtons->setCurrentRow(-1);
    }
    m_window.cbxBtn->setCurrentIndex(-1);
    m_window.blankButtonProperties();
    setCommandsEnabled(false);
}
