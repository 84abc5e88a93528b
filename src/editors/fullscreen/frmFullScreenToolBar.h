#pragma once

#include "core/MdiForm.h"

class LangReader;

// The tool window of a full-screen skin.
class frmFullScreenToolBar : public MdiForm, public FormInstance<frmFullScreenToolBar>
{
    Q_OBJECT

public:
    frmFullScreenToolBar();
    ~frmFullScreenToolBar() override;

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
