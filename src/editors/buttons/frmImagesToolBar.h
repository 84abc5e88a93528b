#pragma once

#include "core/MdiForm.h"

class LangReader;

// The Images tool window of a window skin: main image, fonts, extension and the buttons.
class frmImagesToolBar : public MdiForm, public FormInstance<frmImagesToolBar>
{
    Q_OBJECT

public:
    frmImagesToolBar();
    ~frmImagesToolBar() override;

    void Form_Load();

    // Gives the window's captions, labels, tooltips and list entries their texts
    // in the current language (also run by the window's own load).
    void ApplyTexts(const LangReader &lang);

    // The button-list commands the preview's pop-up menu calls.
    void cmdUp_Click();
    void cmdDown_Click();
    void cmdRemove_Click();
    void cmdClear_Click();

    // Gives the 123 action names their texts in the current language.
    void ApplyActionNames(const LangReader &lang);
};
