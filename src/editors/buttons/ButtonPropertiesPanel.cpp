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
    : m_window(window)
    , m_typeCount(typeCount)
{
    m_window.lblBtnName = makeControl<QLabel>(host, "lblBtnName", QRect(8, 21, 60, 17));
    m_window.cbxBtn = makeList(host, QStringLiteral("cbxBtn"), QRect(70, 18, 210, 22));
    m_window.lblBtnType = makeControl<QLabel>(host, "lblBtnType", QRect(8, 47, 60, 17));
    // The type entries are fixed: entry k is BtnType k.
    m_window.cbxBtnType
        = makeFixedList(host, QStringLiteral("cbxBtnType"), QRect(70, 44, 210, 22), typeCount);
    m_window.lblBtnAction = makeControl<QLabel>(host, "lblBtnAction", QRect(8, 73, 60, 17));
    m_window.cbxBtnAction = makeList(host, QStringLiteral("cbxBtnAction"), QRect(70, 70, 210, 22));

    for (int i = 0; i < 2; ++i) {
        auto *option = new QRadioButton(host);
        m_window.optBtnText.insert(i, option);
        option->setGeometry(i == 0 ? QRect(8, 98, 140, 20) : QRect(150, 98, 131, 20));
    }
    m_window.optBtnText[1]->setChecked(true);

    m_window.cmdBtnText = makeControl<QPushButton>(host, "cmdBtnText", QRect(8, 121, 138, 23));
    m_window.cmdBtnText->setEnabled(false);
    m_window.txtBtnText = makeControl<KeyPressEdit>(host, "txtBtnText", QRect(150, 122, 131, 21));

    m_window.lblBtnX = makeControl<QLabel>(coordinatesHost, "lblBtnX", QRect(8, 19, 20, 17));
    m_window.txtBtnX = makeControl<CoordinateEdit>(coordinatesHost, "txtBtnX", QRect(30, 16, 60, 21));
    m_window.lblBtnPixelsX = makeControl<QLabel>(coordinatesHost, "lblBtnPixelsX", QRect(94, 19, 50, 17));
    m_window.lblBtnY = makeControl<QLabel>(coordinatesHost, "lblBtnY", QRect(150, 19, 20, 17));
    m_window.txtBtnY = makeControl<CoordinateEdit>(coordinatesHost, "txtBtnY", QRect(172, 16, 60, 21));
    m_window.lblBtnPixelsY = makeControl<QLabel>(coordinatesHost, "lblBtnPixelsY", QRect(236, 19, 50, 17));

    // With a buddy a label takes "&" as an access key, as the design's labels do.
    m_window.lblBtnName->setBuddy(m_window.cbxBtn);
    m_window.lblBtnType->setBuddy(m_window.cbxBtnType);
    m_window.lblBtnAction->setBuddy(m_window.cbxBtnAction);
    m_window.lblBtnX->setBuddy(m_window.txtBtnX);
    m_window.lblBtnY->setBuddy(m_window.txtBtnY);

    const auto selected = [this] { return buttonSelected(); };
    m_window.txtBtnX->setGate(selected);
    m_window.txtBtnY->setGate(selected);
}

bool ButtonPropertiesPanel::buttonSelected() const
{
    return m_window.cbxBtn->currentIndex() >= 0;
}

void ButtonPropertiesPanel::fillActionNames(const LangReader &lang)
{
    const QSignalBlocker blocker(m_window.cbxBtnAction);
    const bool filling = m_window.cbxBtnAction->count() == 0;
    for (int i = 0; i < ActionCount; ++i) {
        const QString name = lang.text(QStringLiteral("Actions"), i + 1, 3001 + i);
        if (i < m_window.cbxBtnAction->count())
            m_window.cbxBtnAction->setItemText(i, name);
        else
            m_window.cbxBtnAction->addItem(name);
    }
    if (filling)
        m_window.cbxBtnAction->setCurrentIndex(-1);
}

void ButtonPropertiesPanel::applyTexts(const WindowTexts &texts, int firstKey, int firstId)
{
    const auto textOf = [&](int key) { return texts.text(key, firstId + key - firstKey); };
    int key = firstKey;
    SetLangCaption(m_window.fmBtn, textOf(key++));
    SetLangCaption(m_window.lblBtnName, textOf(key++));
    SetLangCaption(m_window.lblBtnType, textOf(key++));
    for (int type = 0; type < m_typeCount; ++type)
        SetLangListEntry(m_window.cbxBtnType, type, textOf(key++));
    SetLangCaption(m_window.lblBtnAction, textOf(key++));
    SetLangCaption(m_window.optBtnText[0], textOf(key++));
    SetLangCaption(m_window.optBtnText[1], textOf(key++));
    SetLangCaption(m_window.fmBtnCoordinates, textOf(key));
    // Each unit label is set right after the label of its box; one key serves both.
    SetLangCaption(m_window.lblBtnX, textOf(key + 1));
    SetLangCaption(m_window.lblBtnPixelsX, textOf(key + 3));
    SetLangCaption(m_window.lblBtnY, textOf(key + 2));
    SetLangCaption(m_window.lblBtnPixelsY, textOf(key + 3));
}

bool ButtonPropertiesPanel::isLangReference(const QString &text)
{
    return text.startsWith(QLatin1String("$lang.")) && text.count(QLatin1Char('.')) == 2
        && !text.contains(QLatin1Char(' '));
}

int ButtonPropertiesPanel::shownRecord() const
{
    const int record = m_window.cbxBtn->currentIndex() + 1;
    return record >= 1 && record <= ButtonCount() ? record : 0;
}

void ButtonPropertiesPanel::connectHandlers()
{
    QObject::connect(m_window.cbxBtn, &QComboBox::currentIndexChanged, &m_window, [this] { cbxBtn_Click(); });
    QObject::connect(
        m_window.cbxBtnType, &QComboBox::currentIndexChanged, &m_window, [this] { cbxBtnType_Click(); });
    QObject::connect(
        m_window.cbxBtnAction, &QComboBox::currentIndexChanged, &m_window, [this] { cbxBtnAction_Click(); });
    for (int i = 0; i < 2; ++i) {
        QObject::connect(m_window.optBtnText[i], &QRadioButton::toggled, &m_window, [this, i](bool checked) {
            if (checked)
                optBtnText_Click(i);
        });
    }
    m_window.txtBtnText->setKeyPress([this](int &keyAscii) { txtBtnText_KeyPress(keyAscii); });
    m_window.txtBtnText->setValidate([this] { txtBtnText_Validate(); });
    QObject::connect(
        m_window.txtBtnX, &QLineEdit::textChanged, &m_window, [this] { txtBtnCoordinate_Change(true); });
    QObject::connect(
        m_window.txtBtnY, &QLineEdit::textChanged, &m_window, [this] { txtBtnCoordinate_Change(false); });
}

void ButtonPropertiesPanel::commitPendingText()
{
    // Only a text that differs from the record is pending: committing an
    // unchanged text would mark an unchanged skin.
    const int record = m_shownRecord;
    if (record < 1 || record > ButtonCount() || !m_window.optBtnText[1]->isChecked())
        return;
    if (m_window.txtBtnText->text() == gButtons[record].BtnText)
        return;
    gButtons[record].BtnText = m_window.txtBtnText->text();
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
    const int i = m_window.cbxBtn->currentIndex();
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
    m_window.lstButtons->setCurrentRow(i);
    // A stored type or action that the list does not offer shows no entry; the
    // record keeps it until the user picks one.
    const ButtonRec shown = gButtons[i + 1];
    m_window.cbxBtnType->setCurrentIndex(shown.BtnType < m_window.cbxBtnType->count() ? shown.BtnType : -1);
    m_window.cbxBtnAction->setCurrentIndex(
        shown.BtnAction >= 0 && shown.BtnAction < m_window.cbxBtnAction->count() ? shown.BtnAction : -1);
    m_window.cmdBtnText->setText(QString());
    m_window.txtBtnText->setText(QString());
    if (isLangReference(shown.BtnText)) {
        m_window.optBtnText[0]->setChecked(true);
        m_window.cmdBtnText->setText(shown.BtnText);
    } else {
        m_window.optBtnText[1]->setChecked(true);
        m_window.txtBtnText->setText(shown.BtnText);
    }
    m_window.txtBtnX->setText(QString::number(shown.BtnX));
    m_window.txtBtnY->setText(QString::number(shown.BtnY));
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
    const int record = recordForPick(m_window.cbxBtnType);
    if (!record)
        return;
    const int type = m_window.cbxBtnType->currentIndex();
    gButtons[record].BtnType = uint8_t(type);
    if (frmSkin *skin = frmSkin::loaded()) {
        if (PictureBox *picture = skin->pctSkinButton[record])
            MakeWindowRegion(picture, type != 0);
    }
    SetSkinChanged();
}

void ButtonPropertiesPanel::cbxBtnAction_Click()
{
    const int record = recordForPick(m_window.cbxBtnAction);
    if (!record)
        return;
    gButtons[record].BtnAction = int16_t(m_window.cbxBtnAction->currentIndex());
    SetSkinChanged();
}

void ButtonPropertiesPanel::optBtnText_Click(int index)
{
    const bool multilanguage = index == 0;
    m_window.cmdBtnText->setEnabled(multilanguage);
    m_window.txtBtnText->setEnabled(!multilanguage);
    const int record = shownRecord();
    if (!record)
        return;
    // A switch of mode keeps the text: it moves to the other control.
    ButtonRec &button = gButtons[record];
    if (multilanguage) {
        m_window.cmdBtnText->setText(button.BtnText);
        m_window.txtBtnText->setText(QString());
        button.BtnText = m_window.cmdBtnText->text();
    } else {
        m_window.txtBtnText->setText(button.BtnText);
        m_window.cmdBtnText->setText(QString());
        button.BtnText = m_window.txtBtnText->text();
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
        m_window.txtBtnText->sendTab();
    }
}

void ButtonPropertiesPanel::txtBtnText_Validate()
{
    const int record = shownRecord();
    if (!record)
        return;
    gButtons[record].BtnText = m_window.txtBtnText->text();
    SetSkinChanged();
}

void ButtonPropertiesPanel::txtBtnCoordinate_Change(bool horizontal)
{
    CoordinateEdit *box = horizontal ? m_window.txtBtnX : m_window.txtBtnY;
    const int record = shownRecord();
    if (!record) {
        box->setText(QString());
        return;
    }
    ButtonRec &button = gButtons[record];
    (horizontal ? button.BtnX : button.BtnY) = box->normalize();
    if (frmSkin *skin = frmSkin::loaded()) {
        if (PictureBox *picture = skin->pctSkinButton[record])
            picture->move(frmSkin::ZoomedPixels(button.BtnX), frmSkin::ZoomedPixels(button.BtnY));
    }
    SetSkinChanged();
}

void ButtonPropertiesPanel::blank()
{
    if (m_window.cbxBtnType->currentIndex() >= 0)
        m_window.cbxBtnType->setCurrentIndex(-1);
    if (m_window.cbxBtnAction->currentIndex() >= 0)
        m_window.cbxBtnAction->setCurrentIndex(-1);
    m_window.optBtnText[1]->setChecked(true);
    m_window.cmdBtnText->setText(QString());
    m_window.txtBtnText->setText(QString());
    m_window.txtBtnX->setText(QString());
    m_window.txtBtnY->setText(QString());
}
