#pragma once

#include "editors/buttons/ButtonToolWindow.h"

class LangReader;
class PictureBox;

// The Images tool window of a window skin: main image, shape, the two skin
// fonts, the button-image extension and the buttons.
class frmImagesToolBar : public ButtonToolWindow, public FormInstance<frmImagesToolBar>
{
    Q_OBJECT

public:
    frmImagesToolBar();
    ~frmImagesToolBar() override;

    void Form_Load();

    void ApplyTexts(const LangReader &lang) override;
    // Main image, shape, skin fonts and extension.
    void showDocument() override;
    QComboBox *barKindBox(int bar) override;

    // The skin fonts: choosing one, and the keys of their boxes (only
    // Backspace does something: it empties the slot).
    void cmdMainFont_Click(int index);
    void txtMainFont_KeyPress(int index, int &keyAscii);

    // Controls of this window only.
    QWidget *pctMain = nullptr;
    QCheckBox *chkType = nullptr;
    ControlArray<QLabel> lblMainFont;
    ControlArray<KeyPressEdit> txtMainFont;
    ControlArray<QPushButton> cmdMainFont;
    QWidget *pctBtnList = nullptr;
    QLabel *lblExtension = nullptr;
    QWidget *pctBtn = nullptr;

protected:
    void EnableEditingFrames() override;

private:
    void createControls();
    void createMainFrame();
    void createButtonFrames();
    void connectHandlers();
};
