#pragma once

#include <QImage>
#include <QRegion>
#include <QString>

// Loading pictures and shaping picture windows.
namespace pictures {

// Loads a picture (bmp, ico, cur, gif, jpg ...). Raises vb::Error 53 for a
// missing file and 481 for a file the loader does not read (wmf, emf included).
QImage load(const QString &path);

// The region of the pixels whose colour differs from the top-left pixel (exact
// RGB), built from row runs. For a picture that is all key colour, an empty but
// valid region (QRegion(-1, -1, 1, 1)).
QRegion shapeRegion(const QImage &image);

// Enlarges by a whole factor with pixel replication.
QImage zoomed(const QImage &image, int factor);

} // namespace pictures
