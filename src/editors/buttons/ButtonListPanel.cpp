#include "editors/buttons/ButtonListPanel.h"

#include "editors/buttons/ButtonToolWindow.h"
#include "editors/buttons/KeyPressEdit.h"

#include <QListWidget>
#include <QPushButton>

namespace {

QPushButton *makeButton(QWidget *host, const char *name, int top)
{
    auto *button = new QPushButton(host);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(204, top, 76, 22);
    return button;
}

} // namespace

ButtonListPanel::ButtonListPanel(ButtonToolWindow &window, QWidget *host)
    : w(window)
{
    w.lstButtons = new QListWidget(host);
    w.lstButtons->setObjectName(QStringLiteral("lstButtons"));
    w.lstButtons->setGeometry(8, 18, 190, 114);
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

    w.txtExtension = new KeyPressEdit(host);
    w.txtExtension->setObjectName(QStringLiteral("txtExtension"));
    w.txtExtension->setGeometry(204, 140, 76, 21);
    w.txtExtension->setText(QStringLiteral("bmp"));
}

void ButtonListPanel::cmdAdd_Click() { }

void ButtonListPanel::cmdUp_Click() { }

void ButtonListPanel::cmdDown_Click() { }

void ButtonListPanel::cmdRemove_Click() { }

void ButtonListPanel::cmdClear_Click() { }

void ButtonListPanel::lstButtons_Click() { }
