#pragma once

#include <QColor>
#include <QSize>
#include <QString>

#include "platform/Pictures.h"

#include <cstdint>
#include <memory>
#include <optional>

// What the skin reader shows of a skin as it reads it: the preview and the tool
// windows of the skin's kind. The reader fills the document itself and tells the
// view, step by step, what to show. A view call may raise vb::Error: 380 (a value
// a control refuses) and 481 (a picture the loader does not read) are reported and
// the read goes on with its next step; any other number ends the read.
class SkinReaderView
{
public:
    virtual ~SkinReaderView() = default;

    // The main picture at path (53 or 481 before anything changes); the preview
    // is made visible and sized to it.
    virtual void showMainImage(const QString &path) = 0;
    // The editing frames of the tool windows, usable once a main image is there.
    virtual void enableEditingFrames() = 0;
    // The main picture's window region, with or without the image's shape.
    virtual void showShape(bool shaped) = 0;
    // Font slot's file exists at path: register it with the system.
    virtual void registerFont(int slot, const QString &path) = 0;
    // The picture of button index (the next free element); false after the view
    // has reported its own failure.
    virtual bool addButton(int16_t index, int16_t x, int16_t y, const QString &path, bool shaped) = 0;
    // How display i's label looks (the document holds DspX, DspY, DspMaxWidth).
    struct DisplayLook {
        double x = 0;
        double y = 0;
        QString face;
        double size = 0;
        bool bold = false;
        bool italic = false;
        bool underline = false;
        std::optional<QColor> colour;
    };
    virtual void showDisplay(int i, const DisplayLook &look) = 0;
    // The picture of bar b (53 or 481 before anything changes), shaped for button bars.
    virtual void loadBarImage(int b, const QString &path, bool shaped) = 0;
    // The size in skin pixels of the picture shown by bar b's picture box; an
    // invalid size while the box shows no picture.
    virtual QSize barImageSize(int b) const = 0;
    // The tool windows show the document as far as it was read, by writing
    // their controls: their handlers run, store the values again, set the
    // modified mark and bring the preview's bars in line. Runs once per read,
    // when the read ends after its editing frames were enabled.
    virtual void showToolWindows() = 0;
    // The read has ended well: clear the modified mark, apply the stacking order.
    virtual void completeLoad() = 0;
};

// The skin reader: reads gSkinFile (window or full-screen skin by gFullScreenSkin,
// in gSkinFolder) into the document, which the preview has just reset, and into
// view. An old one-file skin is converted and the converted file read. Problems
// are reported with message boxes as they are found.
namespace skinreader {

enum class Outcome {
    Complete, // read to its end without a problem: the document holds the whole skin
    // The document holds less than the file: the read ended early (no main image
    // named, a problem that ends it, a failed conversion) or reported something
    // it left out. Saving it would replace the file with less.
    Incomplete,
    NotOpened, // an old skin the user chose not to convert: nothing to show
};

Outcome readSkin(SkinReaderView &view);

// Made by an open before it makes its windows, for the read it then starts:
// the pictures that a read of gSkinFile (in gSkinFolder) loads first, its main
// image and its buttons' pictures, are decoded on other threads meanwhile, and
// the read takes the button lines named here instead of naming them again.
class ReadAhead
{
public:
    ReadAhead();
    ~ReadAhead();
    ReadAhead(const ReadAhead &) = delete;
    ReadAhead &operator=(const ReadAhead &) = delete;

    struct Buttons;

private:
    pictures::Prefetch m_pictures;
    std::unique_ptr<Buttons> m_buttons;
};

// Whether file is a skin the reader can open: a file of format 1.00 (or newer),
// or an old one-file skin to convert. Anything else (a file without
// "[Tovix.Skin]" that holds none of the old format's sections, or an old skin
// under a name other than "Skin.ini") is refused with a message: nothing is
// written and nothing opens.
bool acceptSkinFile(const QString &file);

} // namespace skinreader
