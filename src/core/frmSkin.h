#pragma once

#include "core/MdiForm.h"
#include "core/PictureBox.h"
#include "platform/ControlArray.h"

#include <QLabel>

// The preview window: draws the open skin at zoom 1 or 2, one control per
// element of the skin document.
class frmSkin : public MdiForm, public FormInstance<frmSkin>
{
    Q_OBJECT

public:
    frmSkin();
    ~frmSkin() override;

    void Form_Load();

    // A click on the main picture: toggles the zoom and redraws every element.
    void pctSkinMain_Click();

    PictureBox *pctBackground = nullptr;
    PictureBox *pctSkinMain = nullptr;
    ControlArray<PictureBox> pctSkinButton; // element 0 is the template
    ControlArray<QLabel> lblSkinText;       // 0 to 7
    ControlArray<QLabel> lblSkinBar;        // 0 and 1
    ControlArray<PictureBox> pctSkinBar;    // 0 and 1
};
