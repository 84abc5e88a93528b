#pragma once

#include "widgets/PictureBox.h"
#include "platform/ControlArray.h"

#include <QString>

#include <cstdint>

namespace vb {
class Error;
}

// The preview's button pictures and the loading of element pictures at the
// current zoom.

// Loads the picture file into box at the current zoom: removes any shape, loads
// the picture (the box takes its size), enlarges it in place by gZoom and shapes
// it when shaped. Raises vb::Error 53 or 481 before changing anything when the
// file is missing or not a picture.
void LoadSkinPicture(PictureBox *box, const QString &path, bool shaped);

// Creates the preview picture of a button: index below 1 asks for a new button
// at the end of gButtons (a new empty record; the new index is written back);
// index 1 or more names a picture not loaded yet. x and y are skin pixels. On a
// failure it shows the error in a message box, undoes what it did (the record it
// appended, the picture it created) and returns false.
bool AddSkinButton(int16_t &index, int16_t x, int16_t y, const QString &fileName, bool shaped);

// Reports a picture that could not be loaded (critical box titled with the
// program title and "Skin"): an unsupported picture, or any other error by its
// number and description.
void ShowPictureError(const vb::Error &error);

// The N image of the button of base name baseName, the one the preview shows:
// the skin folder, the name, "N." and gButtonExt ("N" alone when the extension
// is empty), with ".bmp" appended when a file of that name exists.
QString ButtonImagePath(const QString &baseName);

// Whether the N image exists as an ordinary file: a hidden file counts as missing.
bool ButtonImageExists(const QString &path);

// Unloads every element of a control array but the template element 0.
void UnloadControlArray(ControlArray<PictureBox> &ctl);
