// The skin reader on arbitrary bytes, with a view that shows nothing: window and
// full-screen skins, every failure path of the reader and its error trap.
#include "FuzzSupport.h"

#include "skin/Module.h"
#include "skin/SkinDocument.h"
#include "platform/VbRuntime.h"
#include "skin/SkinFileReader.h"

#include <QImage>

namespace {

class NullView : public SkinReaderView
{
public:
    void showMainImage(const QString &) override { }
    void enableEditingFrames() override { }
    void showShape(bool) override { }
    void registerFont(int, const QString &) override { }
    bool addButton(int16_t index, int16_t, int16_t, const QString &, bool) override
    {
        if (index != ButtonCount() + 1)
            __builtin_trap();
        return true;
    }
    void showDisplay(int, const DisplayLook &) override { }
    void loadBarImage(int, const QString &, bool) override { }
    QSize barImageSize(int) const override { return QSize(3, 4); }
    void showToolWindows() override { }
    void completeLoad() override { }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static FuzzFolder folder;
    static const bool images = [] {
        // Pictures the fuzzed names can reach: main image, buttons, bars.
        QImage picture(2, 2, QImage::Format_RGB32);
        picture.fill(Qt::red);
        for (const char *name : { "Main.bmp", "BPlayN.bmp", "trk.bmp", "volN.bmp" })
            picture.save(folder.path() + QLatin1String(name), "BMP");
        return true;
    }();
    (void)images;
    gSkinFolder = folder.path();
    NullView view;
    for (bool fullScreen : { false, true }) {
        // A version below 1 would convert the bytes: the converter has its own target.
        QByteArray bytes("[Tovix.Skin]\r\nVersion=1\r\n");
        bytes.append(reinterpret_cast<const char *>(data), qsizetype(size));
        gSkinFile = folder.write(fullScreen ? "Skinfs.ini" : "Skinv1.ini",
            reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
        gFullScreenSkin = fullScreen;
        InitSkinDefaults();
        skinreader::readSkin(view);
        if (ButtonCount() < 0 || gFSPosition.FSPosIndex > 2)
            __builtin_trap();
    }
    return 0;
}
