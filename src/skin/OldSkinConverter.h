#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The converter of old one-file skins: an old "Skin.ini" (no version) becomes a
// window skin "Skinv1.ini" in format 1.00 and, when it describes a full-screen
// panel, a full-screen skin "Skinfsv1.ini"; its About hot spot becomes a button
// with a blank picture "BAboutN.bmp". The old file is never changed.
namespace oldskin {

// What a conversion writes, all made before anything is written.
struct Converted {
    QStringList windowSkin; // lines of "Skinv1.ini"
    QStringList fullScreenSkin; // lines of "Skinfsv1.ini"; empty: no full-screen panel
    QByteArray aboutPicture; // "BAboutN.bmp"; empty: no About hot spot
};

// Converts the old skin file oldFile. Raises vb::Error (9, 13, 6, 380) for values
// that cannot be taken apart as the old format has them, telling where: the
// file, section and key of the value.
Converted convert(const QString &oldFile);

// Whether path is an old one-file skin: a file named "Skin.ini" (in any case)
// holding "[Tovix.Skin]" or any section the converter reads. Old skins have no
// other name; a file holding none of those sections is no skin at all.
bool isOldSkinFile(const QString &path);

enum class Result {
    Converted, // written; gSkinFile names the new window skin
    Declined, // the user kept an existing converted file: nothing written
    Failed, // not an old skin that can be converted, or a failure reported
};

// Converts gSkinFile, which must be an old "Skin.ini", into its folder, asking
// before it replaces a converted file already there (No: nothing written) or an
// About picture already there (No: the picture is kept and the rest written),
// all before anything is written. Failures are reported with the file-error
// table under the title of a load. Whatever the result,
// gSkinFile then names the converted window skin "Skinv1.ini": the old file is
// never the one a save writes.
Result ConvertOldSkin();

} // namespace oldskin
