#include "platform/Pictures.h"

#include "platform/FileSystem.h"
#include "platform/VbRuntime.h"

#include <QFileInfo>
#include <QImageReader>
#include <QVector>

namespace pictures {

QImage load(const QString &path)
{
    const QFileInfo info(fs::resolve(path));
    if (path.isEmpty() || !info.isFile())
        vb::raise(vb::ErrFileNotFound);
    // Metafiles are pictures on Windows but nothing here draws them.
    const QString suffix = info.suffix().toLower();
    if (suffix == QLatin1String("wmf") || suffix == QLatin1String("emf"))
        vb::raise(vb::ErrInvalidPicture);
    QImageReader reader(info.filePath());
    // Skin images are often named for another format than they hold.
    reader.setDecideFormatFromContent(true);
    const QImage image = reader.read();
    if (image.isNull())
        vb::raise(vb::ErrInvalidPicture);
    return image;
}

QRegion shapeRegion(const QImage &image)
{
    const QRegion allKeyColour(-1, -1, 1, 1);
    if (image.isNull())
        return allKeyColour;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = argb.pixel(0, 0) & 0xFFFFFF;
    const int width = argb.width();

    // One rectangle per run of kept pixels in a row: rows are bands of equal
    // height in y-x order, the form QRegion::setRects takes as it is.
    QVector<QRect> runs;
    for (int y = 0; y < argb.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        int x = 0;
        while (x < width) {
            while (x < width && (row[x] & 0xFFFFFF) == key)
                ++x;
            const int start = x;
            while (x < width && (row[x] & 0xFFFFFF) != key)
                ++x;
            if (x > start)
                runs.append(QRect(start, y, x - start, 1));
        }
    }
    if (runs.isEmpty())
        return allKeyColour;
    QRegion region;
    region.setRects(runs.constData(), int(runs.size()));
    return region;
}

QImage zoomed(const QImage &image, int factor)
{
    if (factor <= 1 || image.isNull())
        return image;
    return image.scaled(image.width() * factor, image.height() * factor, Qt::IgnoreAspectRatio,
                        Qt::FastTransformation);
}

} // namespace pictures
