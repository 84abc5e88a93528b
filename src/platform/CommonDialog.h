#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

class QWidget;

// The system's file, colour, font and folder dialogs as the editor's windows use
// them: each takes everything it needs, shows its dialog modally over owner,
// returns true when the user confirmed a choice and leaves that choice in the
// result variables below. A result variable marked "on success" keeps the value
// of the last successful call when a dialog is cancelled.

// --- File dialog ---
extern QString gDlgFileName; // on success: full path of the chosen file
extern QString gDlgFileTitle; // on success: its file name
extern int32_t gDlgResult; // always: 1 chosen, 0 cancelled

// --- Colour dialog ---
extern int32_t gChosenColor; // on success: 0x00BBGGRR
extern QByteArray gCustomColorsBuffer; // on success: the 16 custom colours, 64 bytes

// --- Font dialog ---
extern QString gFontName; // on success
extern int16_t gFontSize; // on success: whole points, the fraction dropped
extern bool gFontBold; // on success
extern bool gFontItalic; // on success
extern bool gFontUnderline; // on success
extern bool gFontStrikeOut; // on success
extern int32_t gFontColor; // on success: 0x00BBGGRR
extern int32_t gFontDlgResult; // after the dialog ran: 1 chosen, 0 cancelled

// --- Folder dialog ---
extern QString gBrowsedFolder; // on success: the chosen folder

// Flags of the file dialog that change what it does.
constexpr int32_t OFN_OVERWRITEPROMPT = 0x2;
constexpr int32_t OFN_HIDEREADONLY = 0x4;
constexpr int32_t OFN_PATHMUSTEXIST = 0x800;
constexpr int32_t OFN_FILEMUSTEXIST = 0x1000;
constexpr int32_t OFN_CREATEPROMPT = 0x2000;
// Flag of the colour dialog: start at the initial colour.
constexpr int32_t CC_RGBINIT = 0x1;

// The open (isOpen) or save dialog. filter holds pairs of description and
// pattern ("*.tvk;Skin.ini"), each ended by a NUL character, the list ended by a
// further NUL; filterIndex 1 is the first pair. Of the flags, OFN_OVERWRITEPROMPT
// makes the save dialog ask before replacing a file and OFN_FILEMUSTEXIST makes the
// open dialog accept only existing files. defExt is added to a name typed without
// an extension. Sets gDlgResult, and gDlgFileName and gDlgFileTitle on success.
bool ShowFileDialog(QWidget *owner, const QString &filter, int32_t filterIndex, const QString &initialDir,
    const QString &title, int32_t flags, const QString &fileName, const QString &defExt, bool isOpen);

// The colour dialog, with the 16 custom colours of customColors (64 bytes: red,
// green, blue and 0 for each) and starting at initialColor (0x00BBGGRR) when flags
// hold CC_RGBINIT. Sets gChosenColor and gCustomColorsBuffer on success.
bool ShowColorDialog(QWidget *owner, const QByteArray &customColors, int32_t initialColor, int32_t flags);

// The font dialog starting at the given face, style and size in points. The
// dialog has no colour of its own: gFontColor takes color on success.
bool ShowFontDialog(QWidget *owner, const QString &faceName, bool bold, bool italic, bool underline,
    bool strikeOut, int32_t color, int32_t pointSize, int32_t flags);

// The folder dialog, titled title, opening at startFolder. Sets gBrowsedFolder on
// success.
bool BrowseForFolder(QWidget *owner, const QString &title, const QString &startFolder);

// The custom-colour buffer (always 64 bytes) from the saved palette: up to 64
// comma-separated byte values. A missing value, or one that is not a whole number
// from 0 to 255, reads as 0, so a damaged settings file costs colours, not the run.
QByteArray PaletteToBuffer(const QString &palette);

// The saved palette from the custom-colour buffer: for each of the 16 colours its
// red, green and blue values and "0", all joined by ",".
QString BufferToPalette(const QByteArray &buffer);
