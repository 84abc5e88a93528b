#include "editors/buttons/ButtonPropertiesPanel.h"

#include "editors/CoordinateEdit.h"
#include "editors/buttons/ButtonToolWindow.h"
#include "editors/buttons/KeyPressEdit.h"
#include "lang/Locale.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {

constexpr int ActionCount = 123;

QLabel *makeLabel(QWidget *host, const char *name, const QRect &geometry)
{
    auto *label = new QLabel(host);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    return label;
}

QComboBox *makeList(QWidget *host, const char *name, const QRect &geometry)
{
    auto *box = new QComboBox(host);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(geometry);
    box->setEditable(false);
    return box;
}

} // namespace

ButtonPropertiesPanel::ButtonPropertiesPanel(
    ButtonToolWindow &window, QWidget *host, QWidget *coordinatesHost, int typeCount)
    : w(window)
{
    w.lblBtnName = makeLabel(host, "lblBtnName", QRect(8, 21, 60, 17));
    w.cbxBtn = makeList(host, "cbxBtn", QRect(70, 18, 210, 22));
    w.lblBtnType = makeLabel(host, "lblBtnType", QRect(8, 47, 60, 17));
    w.cbxBtnType = makeList(host, "cbxBtnType", QRect(70, 44, 210, 22));
    w.lblBtnAction = makeLabel(host, "lblBtnAction", QRect(8, 73, 60, 17));
    w.cbxBtnAction = makeList(host, "cbxBtnAction", QRect(70, 70, 210, 22));

    // The type entries are fixed: entry k is BtnType k. Filling an empty box
    // would select its first entry, so it is filled quietly and left unselected.
    {
        const QSignalBlocker blocker(w.cbxBtnType);
        for (int k = 0; k < typeCount; ++k)
            w.cbxBtnType->addItem(QString());
        w.cbxBtnType->setCurrentIndex(-1);
    }

    for (int i = 0; i < 2; ++i) {
        auto *option = new QRadioButton(host);
        w.optBtnText.insert(i, option);
        option->setGeometry(i == 0 ? 8 : 146, 98, 135, 20);
    }
    w.optBtnText[1]->setChecked(true);

    w.cmdBtnText = new QPushButton(host);
    w.cmdBtnText->setObjectName(QStringLiteral("cmdBtnText"));
    w.cmdBtnText->setGeometry(8, 121, 135, 23);
    w.cmdBtnText->setEnabled(false);

    w.txtBtnText = new KeyPressEdit(host);
    w.txtBtnText->setObjectName(QStringLiteral("txtBtnText"));
    w.txtBtnText->setGeometry(146, 122, 135, 21);

    w.lblBtnX = makeLabel(coordinatesHost, "lblBtnX", QRect(8, 19, 20, 17));
    w.txtBtnX = new CoordinateEdit(coordinatesHost);
    w.txtBtnX->setObjectName(QStringLiteral("txtBtnX"));
    w.txtBtnX->setGeometry(30, 16, 60, 21);
    w.lblBtnPixelsX = makeLabel(coordinatesHost, "lblBtnPixelsX", QRect(94, 19, 50, 17));
    w.lblBtnY = makeLabel(coordinatesHost, "lblBtnY", QRect(150, 19, 20, 17));
    w.txtBtnY = new CoordinateEdit(coordinatesHost);
    w.txtBtnY->setObjectName(QStringLiteral("txtBtnY"));
    w.txtBtnY->setGeometry(172, 16, 60, 21);
    w.lblBtnPixelsY = makeLabel(coordinatesHost, "lblBtnPixelsY", QRect(236, 19, 50, 17));

    // With a buddy a label takes "&" as an access key, as the design's labels do.
    w.lblBtnName->setBuddy(w.cbxBtn);
    w.lblBtnType->setBuddy(w.cbxBtnType);
    w.lblBtnAction->setBuddy(w.cbxBtnAction);
    w.lblBtnX->setBuddy(w.txtBtnX);
    w.lblBtnY->setBuddy(w.txtBtnY);

    const auto selected = [this] { return buttonSelected(); };
    w.txtBtnX->setGate(selected);
    w.txtBtnY->setGate(selected);
}

bool ButtonPropertiesPanel::buttonSelected() const
{
    return w.cbxBtn->currentIndex() >= 0;
}

void ButtonPropertiesPanel::fillActionNames(const LangReader &lang)
{
    const QSignalBlocker blocker(w.cbxBtnAction);
    const bool filling = w.cbxBtnAction->count() == 0;
    for (int i = 0; i < ActionCount; ++i) {
        const QString name = lang.text(QStringLiteral("Actions"), i + 1, 3001 + i);
        if (i < w.cbxBtnAction->count())
            w.cbxBtnAction->setItemText(i, name);
        else
            w.cbxBtnAction->addItem(name);
    }
    if (filling)
        w.cbxBtnAction->setCurrentIndex(-1);
}
