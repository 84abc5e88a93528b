#pragma once

class QWidget;

// Window shapes of the preview's pictures: the colour of a picture's top-left
// pixel becomes transparent to the eye and to the mouse.

// Shaped: the control keeps only the pixels whose colour differs from the
// top-left pixel of what it shows now (after any enlargement); a control that
// is all key colour keeps nothing and cannot be clicked. Not shaped: the
// control is a full rectangle again. Returns nonzero on success, also left in
// gApiResult.
int MakeWindowRegion(QWidget *ctl, bool shaped);
