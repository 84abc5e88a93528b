#include "editors/buttons/ButtonPropertiesPanel.h"

#include "editors/CoordinateEdit.h"
#include "editors/ToolWindowLayout.h"
#include "editors/buttons/ButtonToolWindow.h"
#include "editors/buttons/KeyPressEdit.h"
#include "lang/WindowTexts.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {

constexpr int ActionCount = 123;

} // namespace

ButtonPropertiesPanel::ButtonPropertiesPanel(
    ButtonToolWindow &window, QWidget *host, QWidget *coordinatesHost, int typeCount)
    : w(window)
    , m_typeCount(typeCount)
{
    w.lblBtnName = makeControl<QLabel>(host, "lblBtnName", QRect(8, 21, 60, 17));
    w.cbxBtn = makeControl<QComboBox>(host, "cbxBtn", QRect(70, 18, 210, 22));
    w.lblBtnType = makeControl<QLabel>(host, "lblBtnType", QRect(8, 47, 60, 17));
    // The type entries are fixed: entry k is BtnType k.
    w.cbxBtnType = makeFixedList(host, QStringLiteral("cbxBtnType"), QRect(70, 44, 210, 22), typeCount);
    w.lblBtnAction = makeControl<QLabel>(host, "lblBtnAction", QRect(8, 73, 60, 17));
    w.cbxBtnAction = makeControl<QComboBox>(host, "cbxBtnAction", QRect(70, 70, 210, 22));

    for (int i = 0; i < 2; ++i) {
        auto *option = new QRadioButton(host);
        w.optBtnText.insert(i, option);
        option->setGeometry(i == 0 ? QRect(8, 98, 140, 20) : QRect(150, 98, 131, 20));
    }
    w.optBtnText[1]->setChecked(true);

    w.cmdBtnText = makeControl<QPushButton>(host, "cmdBtnText", QRect(8, 121, 138, 23));
    w.cmdBtnText->setEnabled(false);
    w.txtBtnText = makeControl<KeyPressEdit>(host, "txtBtnText", QRect(150, 122, 131, 21));

    w.lblBtnX = makeControl<QLabel>(coordinatesHost, "lblBtnX", QRect(8, 19, 20, 17));
    w.txtBtnX = makeControl<CoordinateEdit>(coordinatesHost, "txtBtnX", QRect(30, 16, 60, 21));
    w.lblBtnPixelsX = makeControl<QLabel>(coordinatesHost, "lblBtnPixelsX", QRect(94, 19, 50, 17));
    w.lblBtnY = makeControl<QLabel>(coordinatesHost, "lblBtnY", QRect(150, 19, 20, 17));
    w.txtBtnY = makeControl<CoordinateEdit>(coordinatesHost, "txtBtnY", QRect(172, 16, 60, 21));
    w.lblBtnPixelsY = makeControl<QLabel>(coordinatesHost, "lblBtnPixelsY", QRect(236, 19, 50, 17));

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

void ButtonPropertiesPanel::applyTexts(const WindowTexts &texts, int firstKey, int firstId)
{
    const auto textOf = [&](int key) { return texts.text(key, firstId + key - firstKey); };
    int key = firstKey;
    SetLangCaption(w.fmBtn, textOf(key++));
    SetLangCaption(w.lblBtnName, textOf(key++));
    SetLangCaption(w.lblBtnType, textOf(key++));
    for (int type = 0; type < m_typeCount; ++type)
        SetLangListEntry(w.cbxBtnType, type, textOf(key++));
    SetLangCaption(w.lblBtnAction, textOf(key++));
    SetLangCaption(w.optBtnText[0], textOf(key++));
    SetLangCaption(w.optBtnText[1], textOf(key++));
    SetLangCaption(w.fmBtnCoordinates, textOf(key));
    // Each unit label is set right after the label of its box; one key serves both.
    SetLangCaption(w.lblBtnX, textOf(key + 1));
    SetLangCaption(w.lblBtnPixelsX, textOf(key + 3));
    SetLangCaption(w.lblBtnY, textOf(key + 2));
    SetLangCaption(w.lblBtnPixelsY, textOf(key + 3));
}
