#include "editors/buttons/ButtonPropertiesPanel.h"

#include "skin/Module.h"
#include "skin/SkinChange.h"
#include "widgets/Transparent.h"
#include "preview/frmSkin.h"
#include "editors/CoordinateEdit.h"
#include "editors/ToolWindowLayout.h"
#include "editors/buttons/ButtonToolWindow.h"
#include "editors/buttons/KeyPressEdit.h"
#include "widgets/WindowTexts.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
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

bool ButtonPropertiesPanel::isLangReference(const QString &text)
{
    return text.startsWith(QLatin1String("$lang.")) && text.count(QLatin1Char('.')) == 2
        && !text.contains(QLatin1Char(' '));
}

int ButtonPropertiesPanel::shownRecord() const
{
    const int record = w.cbxBtn->currentIndex() + 1;
    return record >= 1 && record <= ButtonCount() ? record : 0;
}

void ButtonPropertiesPanel::connectHandlers()
{
    QObject::connect(w.cbxBtn, &QComboBox::currentIndexChanged, &w, [this] { cbxBtn_Click(); });
    QObject::connect(w.cbxBtnType, &QComboBox::currentIndexChanged, &w, [this] { cbxBtnType_Click(); });
    QObject::connect(w.cbxBtnAction, &QComboBox::currentIndexChanged, &w, [this] { cbxBtnAction_Click(); });
    for (int i = 0; i < 2; ++i) {
        QObject::connect(w.optBtnText[i], &QRadioButton::toggled, &w, [this, i](bool checked) {
            if (checked)
                optBtnText_Click(i);
        });
    }
    w.txtBtnText->setKeyPress([this](int &keyAscii) { txtBtnText_KeyPress(keyAscii); });
    w.txtBtnText->setValidate([this] { txtBtnText_Validate(); });
    QObject::connect(w.txtBtnX, &QLineEdit::textChanged, &w, [this] { txtBtnCoordinate_Change(true); });
    QObject::connect(w.txtBtnY, &QLineEdit::textChanged, &w, [this] { txtBtnCoordinate_Change(false); });
}

void ButtonPropertiesPanel::commitPendingText()
{
    // Only a text that differs from the record is pending: committing an
    // unchanged text would mark an unchanged skin.
    const int record = m_shownRecord;
    if (record < 1 || record > ButtonCount() || !w.optBtnText[1]->isChecked())
        return;
    if (w.txtBtnText->text() == gButtons[record].BtnText)
        return;
    gButtons[record].BtnText = w.txtBtnText->text();
    SetSkinChanged();
}

void ButtonPropertiesPanel::leaveShownButton()
{
    commitPendingText();
    m_shownRecord = 0;
}

void ButtonPropertiesPanel::cbxBtn_Click()
{
    commitPendingText();
    const int i = w.cbxBtn->currentIndex();
    if (i < 0 || i >= ButtonCount()) {
        m_shownRecord = 0;
        blank();
        return;
    }
    m_shownRecord = i + 1;
    if (frmSkin *skin = frmSkin::loaded()) {
        if (PictureBox *picture = skin->pctSkinButton[i + 1])
            picture->raise();
    }
    w.lstButtons->setCurrentRow(i);
    // A stored type or action that the list does not offer shows no entry; the
    // record keeps it until the user picks one.
    const ButtonRec shown = gButtons[i + 1];
    w.cbxBtnType->setCurrentIndex(shown.BtnType < w.cbxBtnType->count() ? shown.BtnType : -1);
    w.cbxBtnAction->setCurrentIndex(
        shown.BtnAction >= 0 && shown.BtnAction < w.cbxBtnAction->count() ? shown.BtnAction : -1);
    w.cmdBtnText->setText(QString());
    w.txtBtnText->setText(QString());
    if (isLangReference(shown.BtnText)) {
        w.optBtnText[0]->setChecked(true);
        w.cmdBtnText->setText(shown.BtnText);
    } else {
        w.optBtnText[1]->setChecked(true);
        w.txtBtnText->setText(shown.BtnText);
    }
    w.txtBtnX->setText(QString::number(shown.BtnX));
    w.txtBtnY->setText(QString::number(shown.BtnY));
}

int ButtonPropertiesPanel::recordForPick(QComboBox *list) const
{
    const int record = shownRecord();
    // With no button selected a pick is undone (Qt signals a write of -1 again
    // even when nothing is selected); no entry picked writes nothing.
    if (!record && list->currentIndex() >= 0)
        list->setCurrentIndex(-1);
    return list->currentIndex() >= 0 ? record : 0;
}

void ButtonPropertiesPanel::cbxBtnType_Click()
{
    const int record = recordForPick(w.cbxBtnType);
    if (!record)
        return;
    const int type = w.cbxBtnType->currentIndex();
    gButtons[record].BtnType = uint8_t(type);
    if (frmSkin *skin = frmSkin::loaded()) {
        if (PictureBox *picture = skin->pctSkinButton[record])
            MakeWindowRegion(picture, type != 0);
    }
    SetSkinChanged();
}

void ButtonPropertiesPanel::cbxBtnAction_Click()
{
    const int record = recordForPick(w.cbxBtnAction);
    if (!record)
        return;
    gButtons[record].BtnAction = int16_t(w.cbxBtnAction->currentIndex());
    SetSkinChanged();
}

void ButtonPropertiesPanel::optBtnText_Click(int index)
{
    const bool multilanguage = index == 0;
    w.cmdBtnText->setEnabled(multilanguage);
    w.txtBtnText->setEnabled(!multilanguage);
    const int record = shownRecord();
    if (!record)
        return;
    // A switch of mode keeps the text: it moves to the other control.
    ButtonRec &button = gButtons[record];
    if (multilanguage) {
        w.cmdBtnText->setText(button.BtnText);
        w.txtBtnText->setText(QString());
        button.BtnText = w.cmdBtnText->text();
    } else {
        w.txtBtnText->setText(button.BtnText);
        w.cmdBtnText->setText(QString());
        button.BtnText = w.txtBtnText->text();
    }
    SetSkinChanged();
}

void ButtonPropertiesPanel::txtBtnText_KeyPress(int &keyAscii)
{
    if (!buttonSelected()) {
        keyAscii = 0;
        return;
    }
    if (keyAscii == 13) {
        keyAscii = 0;
        w.txtBtnText->sendTab();
    }
}

void ButtonPropertiesPanel::txtBtnText_Validate()
{
    const int record = shownRecord();
    if (!record)
        return;
    gButtons[record].BtnText = w.txtBtnText->text();
    SetSkinChanged();
}

void ButtonPropertiesPanel::txtBtnCoordinate_Change(bool horizontal)
{
    CoordinateEdit *box = horizontal ? w.txtBtnX : w.txtBtnY;
    const int record = shownRecord();
    if (!record) {
        box->setText(QString());
        return;
    }
    // Writing the normalised text runs this handler again, which stores it.
    const QString normalized = CoordinateEdit::normalizedText(box->text());
    if (normalized != box->text()) {
        box->setText(normalized);
        return;
    }
    const int32_t value = CoordinateEdit::wholeValue(normalized);
    ButtonRec &button = gButtons[record];
    (horizontal ? button.BtnX : button.BtnY) = value;
    if (frmSkin *skin = frmSkin::loaded()) {
        if (PictureBox *picture = skin->pctSkinButton[record])
            picture->move(frmSkin::ZoomedPixels(button.BtnX), frmSkin::ZoomedPixels(button.BtnY));
    }
    SetSkinChanged();
}

void ButtonPropertiesPanel::blank()
{
    if (w.cbxBtnType->currentIndex() >= 0)
        w.cbxBtnType->setCurrentIndex(-1);
    if (w.cbxBtnAction->currentIndex() >= 0)
        w.cbxBtnAction->setCurrentIndex(-1);
    w.optBtnText[1]->setChecked(true);
    w.cmdBtnText->setText(QString());
    w.txtBtnText->setText(QString());
    w.txtBtnX->setText(QString());
    w.txtBtnY->setText(QString());
}
