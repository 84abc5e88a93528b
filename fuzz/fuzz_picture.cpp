// The picture loader on arbitrary bytes, against Qt's image reader: the same
// pictures refused, and the others of the same format, size and resolution (a
// short bitmap leaves rows of the reader's picture unset, so pixels are not
// compared here).
#include "FuzzSupport.h"

#include "platform/Pictures.h"
#include "platform/VbRuntime.h"

#include <QImageReader>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static FuzzFolder folder;
    const QString file = folder.write("Picture.bmp", data, size);
    QImage loaded;
    vb::resumeNext([&] { loaded = pictures::load(file); });
    const QImage read = QImageReader(file).read();
    if (loaded.format() != read.format() || loaded.size() != read.size()
        || loaded.dotsPerMeterX() != read.dotsPerMeterX() || loaded.dotsPerMeterY() != read.dotsPerMeterY())
        __builtin_trap();
    return 0;
}
