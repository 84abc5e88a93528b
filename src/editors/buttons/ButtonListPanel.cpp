#include "editors/buttons/ButtonListPanel.h"

#include "editors/buttons/ButtonToolWindow.h"
#include "editors/ToolWindowLayout.h"
#include "editors/buttons/KeyPressEdit.h"
#include "lang/WindowTexts.h"

#include <QListWidget>
#include <QPushButton>

namespace {

QPushButton *makeButton(QWidget *host, const char *name, int top)
{
    return makeControl<QPushButton>(host, name, QRect(204, top, 76, 22));
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
    w.cmdUp->setEnabled(false);
    w.cmdDown->setEnabled(false);
    w.cmdRemove->setEnabled(false);

    w.txtExtension = makeControl<KeyPressEdit>(host, "txtExtension", QRect(204, 140, 76, 21));
    w.txtExtension->setText(QStringLiteral("bmp"));
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

void ButtonListPanel::cmdAdd_Click() { }

void ButtonListPanel::cmdUp_Click() { }

void ButtonListPanel::cmdDown_Click() { }

void ButtonListPanel::cmdRemove_Click() { }

void ButtonListPanel::cmdClear_Click() { }

void ButtonListPanel::lstButtons_Click() { }
