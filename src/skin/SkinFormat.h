#pragma once

#include "skin/Module.h"

#include <QColor>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

// The rules of skin files in format version 1.00: how each value is written and
// how the reader takes it apart. Pure functions on strings (a few also test
// whether a file exists), so that the writer, the reader and the converter share
// one definition and tests need no window. Failures that the reader's error trap
// dispatches on are raised as vb::Error with the run-time error number.
namespace skinformat {

// --- Values in general ---

// "Read as a number": the value's leading number ("." as the decimal point,
// blanks skipped); a value without one reads as 0.
double readAsNumber(const QString &value);

// "Made whole": to the nearest whole number, halves to the even neighbour.
double madeWhole(double value);

// Read as a number and made whole, as a 32-bit number (error 6 outside its range).
int32_t wholeNumber(const QString &value);

// A written value never holds a line break: CR, LF and CR LF become one blank
// each; breaks at the end are dropped.
QString oneLine(const QString &text);

// A value of a skin file that a reading would not give back as it stands: the
// file holds Windows-1252 only, and a reading returns at most ini::MaxValueLength
// characters of a value.
struct UnsavableValue {
    QString section; // without its brackets
    QString key;
    QList<char32_t> characters; // those the code page lacks, each once
    qsizetype length = 0; // the value's length, when it is too long
};
// The first such value among the lines of a skin file, each taken as oneLine
// writes it; headers, empty lines and lines without "=" hold no value.
std::optional<UnsavableValue> firstUnsavableValue(const QStringList &lines);

// Splits text at separator into at most limit pieces (0: no limit), the last
// piece holding the rest. An empty text gives no pieces at all.
QStringList splitLimited(const QString &text, QChar separator, int limit = 0);

// Piece index of pieces; a piece that does not exist raises error 9.
QString piece(const QStringList &pieces, int index);

// Flags: written as the absolute value of the stored flag (true -1 becomes "1");
// read as a number, where anything but 0 is true (-1).
QString flagValue(int flag);
int16_t flagFromValue(const QString &value);

// Whether two paths name the same file for a skin from Windows: compared without
// regard to case and with "\" and "/" alike.
bool samePath(const QString &a, const QString &b);

// --- "[Tovix.Skin]" ---

enum class VersionKind {
    Old, // below 1, also missing: an old one-file skin, to be converted
    Current, // exactly 1
    Newer, // above 1: read as 1.00 after a notice
};
VersionKind versionKind(const QString &value);

// --- "[Settings]" ---

// name, or name with ".bmp" appended when folder + name + ".bmp" exists: a
// bitmap may be named without its extension (main image, bar bitmaps).
QString withBmpFallback(const QString &folder, const QString &name);

// The value of "Ext": "." and the extension, or "" when it is empty.
QString extensionValue(const QString &extension);
// The extension of an "Ext" value: one leading "." removed.
QString extensionFromValue(const QString &value);

// The button-image extension of a skin file. A window skin takes "[Settings]"
// "Ext" of its own file, else "[Buttons]" "Ext". A full-screen skin holds none and
// takes the first non-empty of "[Settings]" and "[Buttons]" "Ext" of "Skinv1.ini",
// then of "Skin.ini", in its folder.
QString readButtonExtension(const QString &folder, const QString &skinFile, bool fullScreen);

// Full-screen position: the value written ("B,1"), and the entry of a code in the
// position list (0 "B", 1 "T", 2 "BT", letters in any case; -1 for anything else).
QString positionValue(const FSPositionRec &position);
int positionCodeEntry(const QString &code);

// The reading of "Position": valid when it holds a "," and a known code before it.
struct Position {
    bool valid = false;
    QString code; // as read
    int entry = -1; // positionCodeEntry(code)
    double index = 0; // the second piece read as a number (the file holds index + 1)
};
Position parsePosition(const QString &value);

// --- "[Buttons]" ---

// The image that shows a button of base name baseName: folder, baseName, "N." and
// the extension ("N" alone when the extension is empty), with ".bmp" appended
// when a file of that name exists.
QString buttonImagePath(const QString &folder, const QString &baseName, const QString &extension);

// The base name of a button image picked by its file name: the name without the
// extension and its dot, and without the state letter ("a", "n", "d" or "u", in
// either case) that must end it. "" when the name does not end in a state letter
// or holds nothing before it.
QString buttonBaseName(const QString &fileName, const QString &extension);

// The value of key "Btn<n>": name,x,y,type,action;text (the ";" always written).
QString buttonLine(const ButtonRec &button);

// A button line taken apart: the fields before the first ";" (all of the value
// without one) and the text after it. Valid when the fields hold exactly four ",".
struct ButtonLine {
    QString fields;
    QString text;
    bool hasText = false; // the value held a ";"
    bool valid = false;
    QStringList pieces; // name, x, y, type, action when valid
};
ButtonLine splitButtonLine(const QString &value);

// --- "[Display]" ---

// The value of a display line: x,y;font;colour.
QString displayLine(const DisplayRec &display);

// The key under which display index's width is written: "MaxSubsWidth" for the
// subtitle display while subsWidthMode is 0, else the display's own width key.
QString displayWidthKey(int index, int subsWidthMode, const DisplayRec &display);

// A font piece is face, size and style separated by ",": it needs a ",", must
// not end in "," and needs a second "," after the first.
bool isValidFontPiece(const QString &font);

struct FontStyle {
    bool bold = false;
    bool italic = false;
    bool underline = false;
};
// "B", "I" and "U" in either case anywhere in the style part.
FontStyle fontStyle(const QString &style);

// A font string "face,size,style" taken apart at its first two ",". Pieces that
// are missing read as empty, a size that is not a number from 0 to 32767 as 0
// (the size is the piece's leading number, made whole); it never fails.
struct FontString {
    QString face;
    int size = 0;
    FontStyle style;
};
FontString parseFontString(const QString &font);
// The font string of a face, a size in whole points and a style: "Arial,10,BI",
// "Tahoma,8,NU" ("B" or "N", then "I" and "U" when set).
QString fontString(const QString &face, int size, const FontStyle &style);

// A display line read by the window-skin rules, which stop at the first problem.
struct DisplayEntry {
    enum Problem { None, SemicolonCount, PositionComma, FontPiece };
    Problem problem = None;
    double x = 0; // position, read as numbers (not yet made whole)
    double y = 0;
    QString font; // the whole font piece as read
    QString face;
    QString size; // converted by the reader (error 13 when not a number)
    QString style;
    QString colour; // the colour piece as read: taken only when isColourString
};
// The entry must not be empty (an empty entry means the display is not used).
DisplayEntry parseDisplayEntry(const QString &value);

// "StatTxtAlign": "L", "R", "C" for 0, 1, 2 ("" for any other value); read back
// in either case, an empty value as 0; -1 for anything else.
QString statTxtAlignCode(int align);
int statTxtAlignFromValue(const QString &value);

// --- Colours ---

// A colour string is taken only when exactly six characters long (as read,
// digits not checked).
bool isColourString(const QString &value);
// The colour of a six-character string RRGGBB; error 13 when not hexadecimal.
QColor colourFromString(const QString &value);
// The same without an error: false, and colour unchanged, when value is not six
// hexadecimal digits.
bool colourFromString(const QString &value, QColor &colour);
// The colour string of a colour: RRGGBB in upper-case hexadecimal.
QString colourString(const QColor &colour);

// --- Bars ---

// "H", "V", "HB", "VB", "HBtn", "VBtn" for kinds 0 to 5 ("" for any other); read
// back with exact case, -1 for anything else.
QString barKindKeyword(int kind);
int barKindFromKeyword(const QString &value);

// The value of "PosSize": left,top,width,height.
QString posSizeValue(const BarRec &bar);

// "PosSize" taken apart: at most four pieces, the last holding the rest; it is
// well formed only with exactly three ",".
struct PosSize {
    bool wellFormed = false;
    QStringList pieces;
};
PosSize splitPosSize(const QString &value);
// Piece index of "PosSize" converted strictly and made whole (9 when missing,
// 13 when not a number, 6 outside 32 bits).
int32_t posSizePiece(const PosSize &posSize, int index);

// The base name that "ButtonImg" keeps: its value up to the first blank.
QString barImageBaseName(const QString &value);

} // namespace skinformat
