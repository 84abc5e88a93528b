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
    // A 32-bit picture is read as it is; others are converted once.
    const bool thirtyTwoBit = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32;
    const QImage argb = thirtyTwoBit ? image : image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = argb.pixel(0, 0) & 0xFFFFFF;
    const int width = argb.width();

    // One rectangle per run of kept pixels in a row, rows with the same runs
    // as the row above joined into one band: bands of equal height in y-x
    // order, the form QRegion::setRects takes as it is.
    QVector<QRect> runs;
    QVector<QRect> row;
    qsizetype band = -1; // where the last band's rectangles start in runs
    for (int y = 0; y < argb.height(); ++y) {
        const auto *pixels = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        row.clear();
        int x = 0;
        while (x < width) {
            while (x < width && (pixels[x] & 0xFFFFFF) == key)
                ++x;
            const int start = x;
            while (x < width && (pixels[x] & 0xFFFFFF) != key)
                ++x;
            if (x > start)
                row.append(QRect(start, y, x - start, 1));
        }
        const auto sameRuns = [&] {
            if (band < 0 || runs.size() - band != row.size() || runs.at(band).bottom() != y - 1)
                return false;
            for (qsizetype k = 0; k < row.size(); ++k)
                if (runs.at(band + k).left() != row.at(k).left() || runs.at(band + k).width() != row.at(k).width())
                    return false;
            return true;
        };
        if (row.isEmpty())
            continue;
        if (sameRuns()) {
            for (qsizetype k = band; k < runs.size(); ++k)
                runs[k].setBottom(y);
        } else {
            band = runs.size();
            runs += row;
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
