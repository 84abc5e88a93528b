#pragma once

#include <QImage>
#include <QRegion>
#include <QString>

#include <memory>

// Loading pictures and shaping picture windows.
namespace pictures {

// Loads a picture (bmp, ico, cur, gif, jpg ...). Raises vb::Error 53 for a
// missing file and 481 for a file the loader does not read (wmf, emf included).
QImage load(const QString &path);

// While a Prefetch lives, the pictures added to it are decoded on worker
// threads, taken up in the order they were added, and load() takes a picture
// from there instead of decoding it itself: a skin's open asks for hundreds of
// pictures.
// What load() returns or raises is the same either way. A picture is taken as
// it was when added, as long as the folder listings held then are (see
// fs::listingsId); pictures not taken are dropped with the Prefetch. Made and
// used on one thread; Prefetches nest, an inner one adding to the outermost.
class Prefetch
{
public:
    Prefetch();
    ~Prefetch();
    Q_DISABLE_COPY_MOVE(Prefetch)

    // A picture load(path) will be asked for, with shapeRegion() of it when
    // shaped. A path load() would refuse is left to it.
    void add(const QString &path, bool shaped = false);

    struct Jobs;

private:
    std::shared_ptr<Jobs> m_jobs;
};

// The region of the pixels whose colour differs from the top-left pixel (exact
// RGB), built from row runs. For a picture that is all key colour, an empty but
// valid region (QRegion(-1, -1, 1, 1)).
QRegion shapeRegion(const QImage &image);

// Enlarges by a whole factor with pixel replication.
QImage zoomed(const QImage &image, int factor);

} // namespace pictures
