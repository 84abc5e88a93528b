#pragma once

#include "core/MdiForm.h"

class LangReader;

// The "Display & GUI" tool window of a window skin: display texts, menu and playlist colours, author information.
class frmDisplayToolBar : public MdiForm, public FormInstance<frmDisplayToolBar>
{
    Q_OBJECT

public:
    frmDisplayToolBar();
    ~frmDisplayToolBar() override;

    void Form_Load();

    // Gives the window's captions, labels, tooltips and list entries their texts
    // in the current language (also run by the window's own load).
    void ApplyTexts(const LangReader &lang);

};
