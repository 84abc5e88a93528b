#include "skin/SkinFileReader.h"

#include "skin/Module.h"
#include "skin/SkinFormat.h"
#include "lang/Locale.h"
#include "platform/AppInfo.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/VbRuntime.h"
#include "skin/FileErrors.h"
#include "skin/OldSkinConverter.h"
#include "skin/OpenRoad.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace skinreader {

namespace {

using namespace skinformat;

// Thrown to end the read at once; what was read stays.
struct LoadEnded {
};

void notice(const QString &text, bool information = false)
{
    dialogs::msgBox(text, (information ? dialogs::vbInformation : dialogs::vbCritical) | dialogs::vbOKOnly,
        Message(information ? 13002 : 13003));
}

QString loadTitleText()
{
    return app::title() + QStringLiteral(" - ") + Message(13007);
}

// Two pictures of a skin must not be one file: the main image is only the main image.
bool isMainImage(const QString &folder, const QString &path)
{
    return samePath(path, folder + gMainImage);
}

// The count of "[Buttons]" "Number" of file; a negative count means no buttons,
// one beyond a list index is an overflow.
int16_t buttonCount(const QString &file)
{
    return vb::CInt(readAsNumber(ReadIni(QStringLiteral("Buttons"), QStringLiteral("Number"), file)));
}

// The main image's name as "[Settings]" "MainImg" of file gives it (see
// withBmpFallback), and whether the picture is cut to its shape.
QString mainImageName(const QString &file, const QString &folder)
{
    return withBmpFallback(folder, ReadIni(QStringLiteral("Settings"), QStringLiteral("MainImg"), file));
}

bool mainImageShaped(const QString &file)
{
    return readAsNumber(ReadIni(QStringLiteral("Settings"), QStringLiteral("MainAnySape"), file)) != 0;
}

// A line of "[Buttons]" and the picture it names.
struct NamedButton {
    ButtonLine line;
    QString path;
    bool shaped = false; // the picture is cut to its shape
};

// The lines "Btn1" to "Btn<count>" of file up to the first that is no button,
// each with its picture in folder.
std::vector<NamedButton> namedButtons(
    const QString &file, const QString &folder, const QString &extension, int count)
{
    std::vector<NamedButton> named;
    named.reserve(size_t(std::max(count, 0)));
    for (int i = 1; i <= count; ++i) {
        NamedButton button;
        button.line
            = splitButtonLine(ReadIni(QStringLiteral("Buttons"), QStringLiteral("Btn") + vb::Str(i), file));
        if (!button.line.valid)
            break;
        button.path = buttonImagePath(folder, button.line.pieces.at(0), extension);
        button.shaped = madeWhole(readAsNumber(button.line.pieces.at(3))) != 0;
        named.push_back(std::move(button));
    }
    return named;
}

} // namespace

// Buttons named ahead of a read, under the folder listings they were named
// under: while those are held, the file reads and its pictures are found as
// they were then.
struct ReadAhead::Buttons {
    QString file;
    quint64 listings = 0;
    std::vector<NamedButton> named;
};

namespace {

ReadAhead::Buttons *namedAhead = nullptr;

// The buttons of file named in folder with extension: those the open named
// ahead of the read under the same listings, else named now.
std::vector<NamedButton> takeNamedButtons(
    const QString &file, const QString &folder, const QString &extension, int count)
{
    ReadAhead::Buttons *ahead = std::exchange(namedAhead, nullptr);
    if (ahead && ahead->file == file && ahead->listings == fs::listingsId())
        return std::move(ahead->named);
    return namedButtons(file, folder, extension, count);
}

class Reader
{
public:
    explicit Reader(SkinReaderView &view)
        : m_view(view)
        , m_folder(AddBackslash(gSkinFolder))
        , m_file(gSkinFile)
        , m_loadTitle(loadTitleText())
    {
    }

    Outcome run();

private:
    // Reads a value of the skin file: what fails from here on fails at its key.
    QString read(const char *section, const QString &key)
    {
        at(section, key);
        return ReadIni(QLatin1String(section), key, m_file);
    }
    QString read(const char *section, const char *key) { return read(section, QLatin1String(key)); }
    // The key whose value the read works on, named by the message of a failure
    // that ends the read; no section: a step that works on no value of the file.
    void at(const char *section, const QString &key)
    {
        m_section = QLatin1String(section);
        m_key = key;
    }
    void atNoKey() { at("", QString()); }

    // Runs one step that calls the view; a refused value or an unreadable
    // picture is reported and the read goes on, anything else ends it.
    template <typename F> void step(F &&f)
    {
        try {
            f();
        } catch (const vb::Error &error) {
            if (!trap(error))
                throw LoadEnded();
        }
    }
    // Reports error; true when the read goes on with its next step.
    bool trap(const vb::Error &error);
    // Reports a problem of the file; what it concerns is left out of the document.
    void report(const QString &text)
    {
        m_keptLess = true;
        notice(text);
    }
    // Once the editing frames are enabled, the tool windows show what the read
    // has put in the document, whichever way it ends.
    void showToolWindows();

    bool readMainImage();
    void readSettings();
    void readPosition();
    void readButtons();
    void readDisplays();
    void readStatusText();
    void readBar(int b);
    void readGuiAndText();

    SkinReaderView &m_view;
    const QString m_folder;
    const QString m_file;
    const QString m_loadTitle;
    // The first piece of the last split into fields: the face name after a
    // display's font, named by the message of a refused value.
    QString m_firstField;
    // The key the read works on (see at()).
    QString m_section;
    QString m_key;
    bool m_framesEnabled = false;
    bool m_toolWindowsShown = false;
    // Something the file holds was reported and left out: saving would lose it.
    bool m_keptLess = false;
};

bool Reader::trap(const vb::Error &error)
{
    m_keptLess = true;
    const int number = error.number();
    const QString description
        = error.description().isEmpty() ? vb::errorDescription(number) : error.description();
    const int style = dialogs::vbCritical | dialogs::vbOKOnly;
    if (number == vb::ErrInvalidPropertyValue) {
        dialogs::msgBox(Message(13089) + QString::number(number) + QLatin1Char('\n') + description
                + Message(13090) + QLatin1Char('\n') + Message(13091) + m_firstField + Message(13092),
            style, m_loadTitle);
        return true;
    }
    if (number == vb::ErrInvalidPicture) {
        dialogs::msgBox(Message(13071) + QLatin1Char('\n') + Message(13072), style, m_loadTitle);
        return !gMainImage.isEmpty();
    }
    vb::Error located = error;
    if (!m_section.isEmpty())
        located.setWhere(IniPlace(m_file, m_section, m_key));
    dialogs::msgBox(ErrorNumberText(located), style, m_loadTitle);
    return false;
}

void Reader::showToolWindows()
{
    if (!m_framesEnabled || m_toolWindowsShown)
        return;
    m_toolWindowsShown = true;
    atNoKey();
    try {
        step([&] { m_view.showToolWindows(); });
    } catch (const LoadEnded &) {
    }
}

Outcome Reader::run()
{
    try {
        switch (versionKind(read("Tovix.Skin", "Version"))) {
        case VersionKind::Old: {
            notice(Message(13045), true);
            switch (oldskin::ConvertOldSkin()) {
            case oldskin::Result::Converted:
                // The converted window skin is read in the place of the old one.
                return Reader(m_view).run();
            case oldskin::Result::Declined:
                return Outcome::NotOpened;
            case oldskin::Result::Failed:
                return Outcome::Incomplete;
            }
            return Outcome::Incomplete;
        }
        case VersionKind::Newer:
            notice(Message(13046), true);
            break;
        case VersionKind::Current:
            break;
        }
        // Without a main image nothing else is read: whatever else the file
        // holds is not in the document.
        if (read("Settings", "MainImg").isEmpty() || !readMainImage())
            return Outcome::Incomplete;
        atNoKey();
        step([&] { m_view.enableEditingFrames(); });
        m_framesEnabled = true;
        readSettings();
        readButtons();
        if (gFullScreenSkin)
            readStatusText();
        else
            readDisplays();
        readBar(0);
        readBar(1);
        if (!gFullScreenSkin)
            readGuiAndText();
        showToolWindows();
        step([&] { m_view.completeLoad(); });
        return m_keptLess ? Outcome::Incomplete : Outcome::Complete;
    } catch (const LoadEnded &) {
    } catch (const vb::Error &error) {
        trap(error);
    }
    showToolWindows();
    return Outcome::Incomplete;
}

bool Reader::readMainImage()
{
    const QString name = mainImageName(m_file, m_folder);
    if (!name.isEmpty() && !fs::fileExists(m_folder + name)) {
        report(Message(13047) + QLatin1Char('\n') + QLatin1Char('"') + name + Message(13048));
        return false;
    }
    if (name.isEmpty())
        return false;
    const QString path = m_folder + name;
    step([&] { m_view.showMainImage(path); });
    // The name stays as the file gave it, folder part included, so that a save
    // writes it back and the next read finds the picture again.
    gMainImage = name;
    return true;
}

void Reader::readSettings()
{
    at("Settings", QStringLiteral("MainAnySape"));
    const bool shaped = mainImageShaped(m_file);
    gAnyShape = vb::fromBool(shaped);
    step([&] { m_view.showShape(shaped); });

    gButtonExt = readButtonExtension(m_folder, m_file, gFullScreenSkin);

    if (gFullScreenSkin) {
        readPosition();
        return;
    }
    for (int slot = 0; slot < 2; ++slot) {
        const QString font = read("Settings", QStringLiteral("LoadFont%1").arg(slot + 1));
        if (font.isEmpty() || !fs::fileExists(m_folder + font))
            continue;
        gSkinFonts[size_t(slot)] = font;
        step([&] { m_view.registerFont(slot, fs::resolve(m_folder + font)); });
    }
}

void Reader::readPosition()
{
    const Position position = parsePosition(read("Settings", "Position"));
    // The monitor has three places only: an index outside them is refused like
    // an unknown code, and the position stays bottom-left.
    const double index = madeWhole(position.index);
    if (!position.valid || !(index >= 1 && index <= 3)) {
        report(Message(13049));
        return;
    }
    gFSPosition.FSPosCode = position.code;
    gFSPosition.FSPosIndex = uint8_t(index - 1);
}

void Reader::readButtons()
{
    at("Buttons", QStringLiteral("Number"));
    const int16_t count = buttonCount(m_file);
    gButtons.resize(1);
    gButtons[0] = ButtonRec();
    // The lines and their pictures' names first, up to the first line that is
    // no button: the pictures are decoded on another thread while the buttons
    // are made one by one (an open has most of them under way already).
    const std::vector<NamedButton> named = takeNamedButtons(m_file, m_folder, gButtonExt, count);
    pictures::Prefetch prefetch;
    for (const NamedButton &button : named)
        prefetch.add(button.path, button.shaped);
    const QString mainImage = m_folder + gMainImage;
    for (int i = 1; i <= count; ++i) {
        if (size_t(i) > named.size()) {
            report(Message(13050) + vb::Str(i) + Message(13051));
            break;
        }
        // The line was read ahead: what fails now fails at its key.
        at("Buttons", QStringLiteral("Btn") + vb::Str(i));
        const ButtonLine &line = named[size_t(i - 1)].line;
        const QString &path = named[size_t(i - 1)].path;
        m_firstField = line.pieces.at(0);
        const QString &name = line.pieces.at(0);
        if (!fs::fileExists(path)) {
            report(Message(13036) + path + Message(13037) + QLatin1Char('\n') + Message(13038));
            break;
        }
        // Two pictures of a skin must not be one file.
        if (samePath(path, mainImage)) {
            report(Message(13039) + QLatin1Char('\n') + Message(13040));
            break;
        }
        const int16_t x = vb::CInt(readAsNumber(line.pieces.at(1)));
        const int16_t y = vb::CInt(readAsNumber(line.pieces.at(2)));
        const int16_t type = vb::CInt(readAsNumber(line.pieces.at(3)));
        // Every value is converted before the button's picture is made: a value
        // that ends the read leaves no picture the document does not hold.
        ButtonRec button;
        button.BtnAction = vb::CInt(readAsNumber(line.pieces.at(4)));
        if (line.hasText)
            button.BtnText = line.text;
        button.BtnName = name;
        button.BtnFile = path;
        button.BtnType = vb::CByte(double(type));
        button.BtnX = vb::CLng(line.pieces.at(1).trimmed());
        button.BtnY = vb::CLng(line.pieces.at(2).trimmed());
        // A button whose picture failed is left out: the buttons after it move
        // up, so that the records, the lists and the pictures stay in step.
        const int16_t index = int16_t(ButtonCount() + 1);
        bool added = false;
        step([&] { added = m_view.addButton(index, x, y, path, type != 0); });
        if (!added) {
            m_keptLess = true;
            continue;
        }
        gButtons.append(button);
    }
}

void Reader::readDisplays()
{
    for (int i = 0; i <= 6; ++i) {
        DisplayRec &display = gDisplays[size_t(i)];
        QString width;
        if (i == 5) {
            width = read("Display", "MaxSubsWidth");
            gSubsWidthMode = 0;
            if (readAsNumber(width) == 0) {
                width = read("Display", display.DspMaxKey);
                gSubsWidthMode = 1;
            }
        } else {
            width = read("Display", display.DspMaxKey);
        }
        display.DspMaxWidth = vb::CLng(readAsNumber(width));

        const QString value = read("Display", display.DspKey);
        if (value.isEmpty())
            continue;
        const DisplayEntry entry = parseDisplayEntry(value);
        if (entry.problem != DisplayEntry::None) {
            report(Message(13053) + display.DspKey + Message(13054));
            return;
        }
        m_firstField = entry.face;
        display.DspX = vb::CLng(entry.x);
        display.DspY = vb::CLng(entry.y);
        SkinReaderView::DisplayLook look;
        look.x = entry.x;
        look.y = entry.y;
        look.face = entry.face;
        look.size = vb::CDbl(entry.size);
        const FontStyle style = fontStyle(entry.style);
        look.bold = style.bold;
        look.italic = style.italic;
        look.underline = style.underline;
        display.DspFont = entry.font;
        if (isColourString(entry.colour)) {
            look.colour = colourFromString(entry.colour);
            display.DspColor = entry.colour;
        }
        display.DspUsed = vb::True;
        step([&] { m_view.showDisplay(i, look); });
    }
}

void Reader::readStatusText()
{
    DisplayRec &display = gDisplays[7];
    const QString value = read("Display", display.DspKey);
    if (value.isEmpty())
        return;
    // The status text reports each problem and reads on; a piece that is then
    // missing ends the read.
    const QString m1 = Message(13053) + display.DspKey + Message(13054);
    if (value.count(QLatin1Char(';')) != 2)
        report(m1);
    const QStringList pieces = splitLimited(value, QLatin1Char(';'), 3);
    const QString position = piece(pieces, 0);
    if (!position.contains(QLatin1Char(',')))
        report(m1);
    const QStringList xy = splitLimited(position, QLatin1Char(','), 2);
    SkinReaderView::DisplayLook look;
    look.x = readAsNumber(piece(xy, 0));
    look.y = readAsNumber(piece(xy, 1));
    const QString font = piece(pieces, 1);
    if (!isValidFontPiece(font))
        report(m1);
    display.DspX = vb::CLng(look.x);
    display.DspY = vb::CLng(look.y);
    const QStringList parts = splitLimited(font, QLatin1Char(','), 3);
    m_firstField = piece(parts, 0);
    look.face = piece(parts, 0);
    look.size = vb::CDbl(piece(parts, 1));
    const FontStyle style = fontStyle(piece(parts, 2));
    look.bold = style.bold;
    look.italic = style.italic;
    look.underline = style.underline;
    display.DspFont = font;
    const QString colour = piece(pieces, 2);
    if (isColourString(colour)) {
        look.colour = colourFromString(colour);
        display.DspColor = colour;
    }
    display.DspMaxWidth = vb::CLng(readAsNumber(read("Display", display.DspMaxKey)));
    const int align = statTxtAlignFromValue(read("Display", "StatTxtAlign"));
    if (align < 0)
        report(Message(13052));
    else
        gStatTxtAlign = int16_t(align);
    display.DspUsed = vb::True;
    at("Display", display.DspKey);
    step([&] { m_view.showDisplay(7, look); });
}

void Reader::readBar(int b)
{
    BarRec &bar = gBars[size_t(b)];
    const char *section = b == 0 ? "TrackBar" : "Volume";
    const QString kindValue = read(section, "Kind");
    const int kind = barKindFromKeyword(kindValue);
    if (kind == 0 || kind == 1) {
        bar.BarKind = int16_t(kind);
        bar.BarTransparentBg = flagFromValue(read(section, "TransparentBg"));
        bar.BarBorder = flagFromValue(read(section, "Border"));
        QString *colours[]
            = { &bar.BarBorderColor, &bar.BarColor, &bar.BarMouseOverColor, &bar.BarBackColor };
        const char *keys[] = { "BorderColor", "Color", "MouseOverColor", "BackColor" };
        for (int k = 0; k < 4; ++k) {
            const QString colour = read(section, keys[k]);
            if (isColourString(colour))
                *colours[k] = colour;
        }
    } else if (kind == 2 || kind == 3) {
        bar.BarKind = int16_t(kind);
        const QString name = withBmpFallback(m_folder, read(section, "Bitmap"));
        if (!name.isEmpty() && !fs::fileExists(m_folder + name)) {
            report(Message(13055) + QLatin1Char('\n') + QLatin1Char('"') + read(section, "Bitmap")
                + Message(13056));
            throw LoadEnded();
        }
        if (!name.isEmpty()) {
            const QString path = m_folder + name;
            if (isMainImage(m_folder, path)) {
                report(Message(13043) + QLatin1Char('\n') + Message(13044));
            } else {
                step([&] { m_view.loadBarImage(b, path, false); });
                // Kept as the file named it, folder part included.
                bar.BarImage = name;
            }
        }
    } else if (kind == 4 || kind == 5) {
        bar.BarKind = int16_t(kind);
        const QString value = read(section, "ButtonImg");
        const QString path = buttonImagePath(m_folder, value, gButtonExt);
        if (!fs::fileExists(path)) {
            report(Message(13036) + path + Message(13037) + QLatin1Char('\n') + Message(13038));
        } else if (isMainImage(m_folder, path)) {
            report(Message(13039) + QLatin1Char('\n') + Message(13040));
        } else {
            m_firstField = barImageBaseName(value);
            step([&] { m_view.loadBarImage(b, path, true); });
            // The whole value is the base name the next read completes again.
            bar.BarImage = value;
        }
    } else if (kindValue.isEmpty()) {
        bar.BarUsed = vb::False;
        return;
    } else {
        report(Message(b == 0 ? 13057 : 13059));
    }

    const PosSize posSize = splitPosSize(read(section, "PosSize"));
    if (!posSize.wellFormed)
        report(Message(b == 0 ? 13058 : 13060));
    if (posSize.pieces.size() < 4)
        vb::raise(vb::ErrSubscript);
    bar.BarLeft = posSizePiece(posSize, 0);
    bar.BarTop = posSizePiece(posSize, 1);
    // Image bars take their size from the image: a button bar keeps the length
    // the file gives along its direction. A bar whose image is missing keeps
    // the size the file gives, so that saving it again changes nothing.
    const QSize image = bar.BarKind >= 2 ? m_view.barImageSize(b) : QSize();
    const bool sizedByImage = image.isValid();
    bar.BarWidth = sizedByImage && bar.BarKind != 4 ? int32_t(image.width()) : posSizePiece(posSize, 2);
    bar.BarHeight = sizedByImage && bar.BarKind != 5 ? int32_t(image.height()) : posSizePiece(posSize, 3);
}

void Reader::readGuiAndText()
{
    for (GuiColorRec &colour : gGuiColors) {
        const QString value = read("GUI", colour.GuiKey);
        if (isColourString(value)) {
            colour.GuiUsed = vb::True;
            colour.GuiValue = value;
        }
    }
    gSkinInfo.InfoAuthor = read("Text", "Author");
    gSkinInfo.InfoURL = read("Text", "URL");
    gSkinInfo.InfoDescription = read("Text", "Description");
}

} // namespace

Outcome readSkin(SkinReaderView &view)
{
    return Reader(view).run();
}

ReadAhead::ReadAhead()
{
    const QString &skinFile = gSkinFile;
    // An old skin is converted first; its pictures are named in another way.
    if (versionKind(ReadIni(QStringLiteral("Tovix.Skin"), QStringLiteral("Version"), skinFile))
        == VersionKind::Old)
        return;
    const QString folder = AddBackslash(gSkinFolder);
    const QString mainImage = mainImageName(skinFile, folder);
    if (!mainImage.isEmpty())
        m_pictures.add(folder + mainImage, mainImageShaped(skinFile));
    try {
        auto buttons = std::make_unique<Buttons>();
        buttons->file = skinFile;
        buttons->listings = fs::listingsId();
        buttons->named = namedButtons(
            skinFile, folder, readButtonExtension(folder, skinFile, gFullScreenSkin), buttonCount(skinFile));
        for (const NamedButton &button : buttons->named)
            m_pictures.add(button.path, button.shaped);
        // Without listings held, the file may change before the read.
        if (buttons->listings != 0) {
            m_buttons = std::move(buttons);
            namedAhead = m_buttons.get();
        }
    } catch (const vb::Error &) {
        // A count the read cannot take: the read says so, and loads no button.
    }
}

ReadAhead::~ReadAhead()
{
    if (namedAhead == m_buttons.get())
        namedAhead = nullptr;
}

bool acceptSkinFile(const QString &file)
{
    if (versionKind(ReadIni(QStringLiteral("Tovix.Skin"), QStringLiteral("Version"), file))
            != VersionKind::Old
        || oldskin::isOldSkinFile(file))
        return true;
    // No message of the table says this: the text stays English.
    dialogs::msgBox(QLatin1Char('"') + file + QStringLiteral("\" is not a skin file.\nIt was not opened."),
        dialogs::vbCritical | dialogs::vbOKOnly, loadTitleText());
    return false;
}

} // namespace skinreader
