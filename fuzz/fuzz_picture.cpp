// The picture loader on arbitrary bytes, named as a bitmap and as a DIB,
// against Qt's image reader (as named, or else from the content): the same
// pictures refused, but for those the reader reads past the end of the file;
// the others of the same format, size and resolution, and with the same pixels
// however the memory was dirtied before, so that nothing is drawn that the file
// did not give.
#include "FuzzSupport.h"

#include "platform/Pictures.h"
#include "platform/VbRuntime.h"

#include <QBuffer>
#include <QImageReader>

#include <array>
#include <cstdlib>
#include <cstring>

// Freed memory is taken again at once and not filled when it is: a picture
// decoded after the heap was dirtied shows what the memory held.
extern "C" const char *__asan_default_options()
{
    return "quarantine_size_mb=0:max_malloc_fill_size=0";
}

namespace {

// A file's bytes as the reader reads the file (a seek past the end succeeds),
// noting whether the reader asked for bytes past the end.
class TrackedBytes : public QBuffer
{
public:
    bool ranOut = false;
    bool seek(qint64 pos) override { return pos > size() ? QIODevice::seek(pos) : QBuffer::seek(pos); }

protected:
    qint64 readData(char *data, qint64 count) override
    {
        const qint64 read = QBuffer::readData(data, count);
        ranOut = ranOut || read < count;
        return read;
    }
};

// Whether the reader, reading bytes as a bitmap of format, reads past their end.
bool bitmapReadPastTheEnd(const QByteArray &bytes, const QByteArray &format)
{
    if (format != "bmp" && format != "dib")
        return false;
    TrackedBytes tracked;
    tracked.setData(bytes);
    QImageReader(&tracked, format).read();
    return tracked.ranOut;
}

// The picture Qt's reader makes of file, as named or from its content, and
// whether it read a bitmap past the end of bytes, the file's bytes, for it.
struct Reading {
    QImage image;
    bool pastTheEnd = false;
};
Reading readerReading(const QString &file, const QByteArray &bytes, bool fromContent)
{
    QImageReader reader(file);
    reader.setDecideFormatFromContent(fromContent);
    const QByteArray format = reader.format();
    Reading reading { reader.read() };
    reading.pastTheEnd = !reading.image.isNull() && bitmapReadPastTheEnd(bytes, format);
    return reading;
}

// Blocks of the heap of the given size filled with fill and freed: the next
// allocations of that size start with it.
void dirtyHeap(qsizetype size, char fill)
{
    std::array<void *, 8> blocks {};
    for (void *&block : blocks) {
        block = std::malloc(size_t(size));
        if (block)
            std::memset(block, fill, size_t(size));
    }
    for (void *block : blocks)
        std::free(block);
}

// The pixels of image as drawn (no row padding) and its colour table.
QByteArray pixelsOf(const QImage &image)
{
    QByteArray pixels;
    const qsizetype row = (qsizetype(image.width()) * image.depth() + 7) / 8;
    for (int y = 0; y < image.height(); ++y)
        pixels.append(reinterpret_cast<const char *>(image.constScanLine(y)), row);
    for (const QRgb colour : image.colorTable())
        pixels.append(reinterpret_cast<const char *>(&colour), sizeof colour);
    return pixels;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static FuzzFolder folder;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const char *name : { "Picture.bmp", "Picture.dib" }) {
        const QString file = folder.write(name, data, size);
        const auto load = [&file] {
            QImage loaded;
            vb::resumeNext([&] { loaded = pictures::load(file); });
            return loaded;
        };
        const QImage loaded = load();
        // The picture as named, or else from the content: one the reader reads
        // past the end of the file counts as none.
        const Reading named = readerReading(file, bytes, false);
        const Reading content = readerReading(file, bytes, true);
        const bool namedNone = named.image.isNull() || named.pastTheEnd;
        if (loaded.isNull()) {
            if (!namedNone || (!content.image.isNull() && !content.pastTheEnd))
                __builtin_trap();
            continue;
        }
        const auto same = [&loaded](const QImage &read) {
            return loaded.format() == read.format() && loaded.size() == read.size()
                && loaded.dotsPerMeterX() == read.dotsPerMeterX()
                && loaded.dotsPerMeterY() == read.dotsPerMeterY();
        };
        if (!same(named.image) && !(namedNone && same(content.image)))
            __builtin_trap();
        dirtyHeap(loaded.sizeInBytes(), 0x55);
        const QByteArray once = pixelsOf(load());
        dirtyHeap(loaded.sizeInBytes(), char(0xAA));
        if (pixelsOf(load()) != once)
            __builtin_trap();
    }
    return 0;
}
