#include "editors/buttons/ButtonToolWindow.h"

#include "skin/Module.h"
#include "skin/SkinChange.h"
#include "editors/CoordinateEdit.h"
#include "editors/buttons/ButtonListPanel.h"
#include "editors/buttons/ButtonPropertiesPanel.h"
#include "editors/buttons/ExtensionRules.h"
#include "editors/buttons/KeyPressEdit.h"
#include "editors/buttons/MainImageEditor.h"
#include "editors/buttons/frmMultilanguageButtons.h"
#include "platform/Screen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>

ButtonToolWindow::ButtonToolWindow(ToolWindowId id)
    : ToolWindow(id)
{
    optBtnText.setFactory(QStringLiteral("optBtnText"), nullptr);
}

ButtonToolWindow::~ButtonToolWindow() = default;

ButtonToolWindow *ButtonToolWindow::active()
{
    return toolwindows::activeButtonWindow();
}

int ButtonToolWindow::px(int twips)
{
    return screen::twipsToPixelsX(twips);
}

void ButtonToolWindow::createButtonList(QWidget *host)
{
    m_buttonList = std::make_unique<ButtonListPanel>(*this, host);
}

void ButtonToolWindow::createButtonProperties(QWidget *host, QWidget *coordinatesHost, int typeCount)
{
    m_buttonProperties = std::make_unique<ButtonPropertiesPanel>(*this, host, coordinatesHost, typeCount);
}

void ButtonToolWindow::connectSharedHandlers()
{
    connect(cmdBrowseMainWindow, &QPushButton::clicked, this, &ButtonToolWindow::cmdBrowseMainWindow_Click);
    connect(chkShape, &QCheckBox::toggled, this, &ButtonToolWindow::chkShape_Click);
    txtExtension->setKeyPress([this](int &keyAscii) { txtExtension_KeyPress(keyAscii); });
    txtExtension->setValidate([this] { txtExtension_Validate(); });

    connect(cmdAdd, &QPushButton::clicked, this, &ButtonToolWindow::cmdAdd_Click);
    connect(cmdUp, &QPushButton::clicked, this, &ButtonToolWindow::cmdUp_Click);
    connect(cmdDown, &QPushButton::clicked, this, &ButtonToolWindow::cmdDown_Click);
    connect(cmdRemove, &QPushButton::clicked, this, &ButtonToolWindow::cmdRemove_Click);
    connect(cmdClear, &QPushButton::clicked, this, &ButtonToolWindow::cmdClear_Click);
    connect(cmdBtnText, &QPushButton::clicked, this, &ButtonToolWindow::cmdBtnText_Click);
    m_buttonList->connectHandlers();
    m_buttonProperties->connectHandlers();
    fmBtn->installEventFilter(this);
}

bool ButtonToolWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == fmBtn && event->type() == QEvent::MouseButtonRelease) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::RightButton)
            emit buttonsFramePopupRequested(mouse->globalPosition().toPoint(), lstButtons->count() > 0);
    }
    return MdiForm::eventFilter(watched, event);
}

void ButtonToolWindow::cmdBrowseMainWindow_Click()
{
    if (!MainImageEditor::ChooseMainImage(txtMainWindow, chkShape->isChecked()))
        return;
    EnableEditingFrames();
    SetSkinChanged();
}

void ButtonToolWindow::chkShape_Click()
{
    MainImageEditor::ApplyShape(txtMainWindow, chkShape->isChecked());
    SetSkinChanged();
}

void ButtonToolWindow::txtExtension_KeyPress(int &keyAscii)
{
    ExtensionRules::KeyPress(txtExtension, keyAscii);
}

void ButtonToolWindow::txtExtension_Validate()
{
    ExtensionRules::Validate(
        txtExtension, lstButtons, { barKindBox(0), barKindBox(1) }, [this] { cmdClear_Click(); });
}

void ButtonToolWindow::cmdAdd_Click()
{
    m_buttonList->cmdAdd_Click();
}

void ButtonToolWindow::cmdUp_Click()
{
    m_buttonList->cmdUp_Click();
}

void ButtonToolWindow::cmdDown_Click()
{
    m_buttonList->cmdDown_Click();
}

void ButtonToolWindow::cmdRemove_Click()
{
    m_buttonList->cmdRemove_Click();
}

void ButtonToolWindow::cmdClear_Click()
{
    m_buttonList->cmdClear_Click();
}

void ButtonToolWindow::cmdBtnText_Click()
{
    const int index = cbxBtn->currentIndex();
    if (index < 0)
        return;
    QString text = cmdBtnText->text();
    if (!ShowMultilanguageButtons(text, window()))
        return;
    cmdBtnText->setText(gMultilangText);
    gButtons[index + 1].BtnText = gMultilangText;
    SetSkinChanged();
}

void ButtonToolWindow::ApplyActionNames(const LangReader &lang)
{
    m_buttonProperties->fillActionNames(lang);
}

void ButtonToolWindow::applyButtonTexts(const WindowTexts &texts, int firstCommandKey, int firstCommandId,
    int firstPropertyKey, int firstPropertyId)
{
    m_buttonList->applyTexts(texts, firstCommandKey, firstCommandId);
    m_buttonProperties->applyTexts(texts, firstPropertyKey, firstPropertyId);
}

void ButtonToolWindow::showSharedDocument()
{
    // The shape first: its handler shapes the main image the box then names.
    chkShape->setChecked(gAnyShape != 0);
    const QString mainImage = gMainImage.isEmpty() ? QString() : AddBackslash(gSkinFolder) + gMainImage;
    txtMainWindow->setText(mainImage);
    txtMainWindow->setToolTip(mainImage);
    txtExtension->setText(gButtonExt);
    m_buttonList->showButtons();
}

void ButtonToolWindow::lstButtons_Click()
{
    m_buttonList->lstButtons_Click();
}

void ButtonToolWindow::cbxBtn_Click()
{
    m_buttonProperties->cbxBtn_Click();
}

void ButtonToolWindow::cbxBtnType_Click()
{
    m_buttonProperties->cbxBtnType_Click();
}

void ButtonToolWindow::cbxBtnAction_Click()
{
    m_buttonProperties->cbxBtnAction_Click();
}

void ButtonToolWindow::optBtnText_Click(int index)
{
    m_buttonProperties->optBtnText_Click(index);
}

void ButtonToolWindow::txtBtnText_Validate()
{
    m_buttonProperties->txtBtnText_Validate();
}

void ButtonToolWindow::commitPendingText()
{
    m_buttonProperties->commitPendingText();
}

void ButtonToolWindow::commitPendingEdits()
{
    commitPendingText();
    // A command of the main window (its menu or its key) moves no focus, so
    // the box has not been left.
    if (txtExtension->text() != gButtonExt)
        txtExtension_Validate();
}

void ButtonToolWindow::leaveShownButton()
{
    m_buttonProperties->leaveShownButton();
}

void ButtonToolWindow::blankButtonProperties()
{
    m_buttonProperties->blank();
}

void ButtonToolWindow::clearButtonEditor()
{
    m_buttonProperties->leaveShownButton();
    m_buttonList->clearSelection();
}
