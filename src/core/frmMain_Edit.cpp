// The editing commands of the main window: the automatic button texts, the
// pop-up menus of the preview and of the buttons frames, the fixed stacking
// order and viewing the skin file; and the routing of what the preview and the
// button tool windows report.
#include "core/frmMain.h"

#include "skin/Module.h"
#include "skin/SkinChange.h"
#include "preview/frmSkin.h"
#include "core/ShellFailure.h"
#include "editors/CoordinateEdit.h"
#include "editors/buttons/frmImagesToolBar.h"
#include "editors/display_bars/BarPanel.h"
#include "editors/display_bars/frmDisplayToolBar.h"
#include "editors/display_bars/frmTrackVolumeToolBar.h"
#include "editors/fullscreen/frmFullScreenToolBar.h"
#include "widgets/WindowDialogs.h"
#include "platform/FileSystem.h"

#include <QAction>
#include <QComboBox>
#include <QListWidget>
#include <QMenu>
#include <QTimer>

#include <cmath>

namespace {

// A dragged coordinate as its box shows it: whole, or with the half pixel of zoom 2.
QString dragText(double value)
{
    if (value == std::trunc(value))
        return QString::number(static_cast<qint64>(value));
    return QString::number(value, 'g', 7);
}

// The coordinate boxes of the tool window that edits a dragged element.
std::pair<QLineEdit *, QLineEdit *> coordinateBoxes(frmSkin::ElementKind kind, int index)
{
    switch (kind) {
    case frmSkin::ElementKind::Button: {
        ButtonToolWindow *window = ButtonToolWindow::active();
        return { window->txtBtnX, window->txtBtnY };
    }
    case frmSkin::ElementKind::Display:
        if (gFullScreenSkin) {
            frmFullScreenToolBar *window = frmFullScreenToolBar::get();
            return { window->txtDisplayX, window->txtDisplayY };
        } else {
            frmDisplayToolBar *window = frmDisplayToolBar::get();
            return { window->txtDisplayX, window->txtDisplayY };
        }
    case frmSkin::ElementKind::Bar: {
        BarPanel *panel = gFullScreenSkin ? frmFullScreenToolBar::get()->bar(index)
                                          : frmTrackVolumeToolBar::get()->bar(index);
        return { panel->txtPosSizeLeft, panel->txtPosSizeTop };
    }
    }
    return { nullptr, nullptr };
}

void writeDraggedPosition(frmSkin::ElementKind kind, int index, double x, double y)
{
    const auto [boxX, boxY] = coordinateBoxes(kind, index);
    if (boxX)
        boxX->setText(dragText(x));
    if (boxY)
        boxY->setText(dragText(y));
}

// The tooltip of a button's picture: its action's name, while the action list has it.
void showActionTip(int index)
{
    frmSkin *skin = frmSkin::loaded();
    PictureBox *picture = skin ? skin->pctSkinButton[index] : nullptr;
    if (!picture || index > ButtonCount())
        return;
    const QComboBox *actions = ButtonToolWindow::active()->cbxBtnAction;
    const int action = gButtons[index].BtnAction;
    if (action >= 0 && action < actions->count())
        picture->setToolTip(actions->itemText(action));
}

} // namespace

void frmMain::connectChildWindow(MdiForm *form)
{
    if (auto *skin = qobject_cast<frmSkin *>(form)) {
        connect(skin, &frmSkin::elementPressed, this,
            [this](frmSkin::ElementKind kind, int index, Qt::MouseButton button, QPoint globalPos) {
                if (kind == frmSkin::ElementKind::Button) {
                    ButtonToolWindow::active()->cbxBtn->setCurrentIndex(index - 1);
                    // The pop-up opens once the press is over: its commands may
                    // unload the very picture that was pressed.
                    if (button == Qt::RightButton)
                        QTimer::singleShot(0, this, [this, globalPos] { showButtonPopup(globalPos); });
                } else if (kind == frmSkin::ElementKind::Display && !gFullScreenSkin) {
                    frmDisplayToolBar::get()->cbxDisplay->setCurrentIndex(index);
                }
            });
        connect(skin, &frmSkin::elementDragged, this, &writeDraggedPosition);
        connect(skin, &frmSkin::buttonHovered, this, &showActionTip);
        connect(skin, &frmSkin::backgroundDoubleClicked, this, &frmMain::mnuBackGroundChoose_Click);
        connect(skin, &frmSkin::backgroundMenuRequested, this,
            [this](QPoint globalPos) { dialogs::popupMenu(mnuBackGround, globalPos, mnuBackGroundChoose); });
    } else if (auto *buttons = qobject_cast<ButtonToolWindow *>(form)) {
        connect(buttons, &ButtonToolWindow::buttonsFramePopupRequested, this,
            [this](QPoint globalPos, bool hasButtons) {
                mnufmBtnRightClickMultilanguage->setEnabled(hasButtons);
                // Centred on the pointer.
                const QPoint centred = globalPos - QPoint(mnufmBtnRightClick->sizeHint().width() / 2, 0);
                dialogs::popupMenu(mnufmBtnRightClick, centred);
            });
    }
}

void frmMain::commitPendingEdits()
{
    if (frmImagesToolBar *window = frmImagesToolBar::loaded())
        window->commitPendingEdits();
    if (frmFullScreenToolBar *window = frmFullScreenToolBar::loaded())
        window->commitPendingEdits();
}

void frmMain::showButtonPopup(const QPoint &globalPos)
{
    if (!frmSkin::loaded())
        return;
    setMenuIcons(MenuIconTime::ButtonPopup);
    dialogs::popupMenu(mnupctBtnRightClick, globalPos);
}

void frmMain::mnufmBtnRightClickMultilanguage_Click()
{
    ButtonToolWindow::active()->clearButtonEditor();
    // The player's own text of each button's action.
    for (int i = 1; i <= ButtonCount(); ++i)
        gButtons[i].BtnText = QStringLiteral("$lang.Actions.") + QString::number(gButtons[i].BtnAction + 1);
    // Every button changed: the skin carries the mark, "*" included.
    SetSkinChanged();
}

void frmMain::mnupctBtnRightClickUP_Click()
{
    ButtonToolWindow::active()->cmdUp_Click();
}

void frmMain::mnupctBtnRightClickDOWN_Click()
{
    ButtonToolWindow::active()->cmdDown_Click();
}

void frmMain::mnupctBtnRightClickBOTTOM_Click()
{
    // Down once for every place from the selected one to the last; the last
    // call finds the button at the end and does nothing.
    ButtonToolWindow *window = ButtonToolWindow::active();
    const int steps = window->lstButtons->count() - window->lstButtons->currentRow();
    for (int k = 0; k < steps; ++k)
        window->cmdDown_Click();
}

void frmMain::mnupctBtnRightClickREMOVE_Click()
{
    ButtonToolWindow::active()->cmdRemove_Click();
}

void frmMain::mnupctBtnRightClickCLEAR_Click()
{
    ButtonToolWindow::active()->cmdClear_Click();
}

void frmMain::mnupctBtnRightClickSORT_Click()
{
    mnuViewApplyZOrder_Click();
}

void frmMain::mnuViewApplyZOrder_Click()
{
    if (frmSkin *skin = frmSkin::loaded())
        skin->ApplyZOrder();
}

void frmMain::mnuViewSkinFile_Click()
{
    if (gSkinFile.isEmpty())
        return;
    const QString file = fs::resolve(gSkinFile);
    // A new skin has its file name before its first save.
    if (!fs::fileExists(file)) {
        ShowShellFailure(this,
            QStringLiteral("The skin has not been saved yet: its file \"") + file
                + QStringLiteral("\" does not exist."),
            QStringLiteral("Save the skin and retry."));
        return;
    }
    OpenWithShell(this, file);
}
