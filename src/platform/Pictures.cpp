#include "platform/Pictures.h"

#include "platform/FileSystem.h"
#include "platform/VbRuntime.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QThread>
#include <QThreadPool>
#include <QtEndian>

#include <algorithm>
#include <atomic>
#include <bit>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pictures {

namespace {

// Bit x of bits (word x / 64, bit x % 64) is set when pixel x of the row is
// kept: its colour differs from key (alpha does not count).
void keptPixels(const QRgb *pixels, int width, QRgb key, quint64 *bits)
{
    for (int begin = 0; begin < width; begin += 64) {
        const int end = std::min(width, begin + 64);
        quint64 word = 0;
        int x = begin;
#if defined(__SSE2__)
        // Four pixels at a time: one of the many pictures a skin shapes.
        const __m128i colour = _mm_set1_epi32(0xFFFFFF);
        const __m128i keys = _mm_set1_epi32(int(key));
        for (; x + 4 <= end; x += 4) {
            const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i *>(pixels + x));
            const __m128i same = _mm_cmpeq_epi32(_mm_and_si128(four, colour), keys);
            const auto keyed = quint64(_mm_movemask_ps(_mm_castsi128_ps(same)));
            word |= (~keyed & 0xF) << (x - begin);
        }
#endif
        for (; x < end; ++x) {
            if ((pixels[x] & 0xFFFFFF) != key)
                word |= quint64(1) << (x - begin);
        }
        bits[begin / 64] = word;
    }
}

// The first pixel from x on whose bit is set (kept) or clear (not kept);
// width when there is none.
int nextPixel(const quint64 *bits, int x, int width, bool kept)
{
    while (x < width) {
        const quint64 word = kept ? bits[x / 64] : ~bits[x / 64];
        const quint64 from = word >> (x % 64);
        if (from != 0)
            return std::min(width, x + std::countr_zero(from));
        x = (x / 64 + 1) * 64;
    }
    return width;
}

} // namespace

namespace {

// The file that load(path) decodes, or the error it raises first.
struct Readable {
    QString file;
    int error = 0;
};

Readable readable(const QString &path)
{
    // With folder listings held, the file is known from its folder's listing
    // without another call to the system.
    const QFileInfo info(fs::resolve(path));
    if (path.isEmpty() || !fs::fileExists(info.filePath()))
        return { QString(), vb::ErrFileNotFound };
    // Metafiles are pictures on Windows but nothing here draws them.
    const QString suffix = info.suffix().toLower();
    if (suffix == QLatin1String("wmf") || suffix == QLatin1String("emf"))
        return { QString(), vb::ErrInvalidPicture };
    return { info.filePath(), 0 };
}

// A file opened for reading and closed as it goes. Opening does not wait:
// a pipe or a device named as a picture would keep its reader waiting for ever.
class OpenFile
{
public:
    explicit OpenFile(const QString &path)
        : m_fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK))
    {
        struct stat status;
        if (m_fd >= 0 && ::fstat(m_fd, &status) == 0 && S_ISREG(status.st_mode))
            m_size = status.st_size;
    }
    ~OpenFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Q_DISABLE_COPY_MOVE(OpenFile)

    // Whether it is a plain file, the only kind read here.
    bool plain() const { return m_size >= 0; }
    qint64 size() const { return m_size; }

    // Reads count bytes from offset on; false when the file holds fewer.
    bool readAt(void *data, qint64 count, qint64 offset) const
    {
        auto *into = static_cast<char *>(data);
        while (count > 0) {
            const ssize_t read = ::pread(m_fd, into, size_t(count), off_t(offset));
            if (read < 0 && errno == EINTR)
                continue;
            if (read <= 0)
                return false;
            into += read;
            offset += read;
            count -= read;
        }
        return true;
    }

private:
    int m_fd;
    qint64 m_size = -1;
};

// A file of this size or less, as most button pictures are, is read whole at
// once; a larger one a band of rows at a time.
constexpr qint64 BandBytes = qint64(64) << 10;

// The bytes of in when it is read whole; none for a larger file, or when they
// cannot be read.
QByteArray wholeSmallFile(const OpenFile &in)
{
    QByteArray whole;
    if (!in.plain() || in.size() > BandBytes)
        return whole;
    whole.resize(in.size());
    if (!in.readAt(whole.data(), in.size(), 0))
        whole.clear();
    return whole;
}

// A plain Windows bitmap, 24 bits a pixel, uncompressed, with the usual
// 40-byte header, the kind most skins are drawn in, read here in half the time
// the image reader takes: that goes through its plugin list under a lock every
// reader shares, and takes each pixel apart by its colour masks. The picture is
// the one the image reader gives, pixel for pixel, with its dots per metre; a
// null one for any other file, which is left to the reader: another depth,
// compression or header, a short file, a picture too large. whole holds the
// file's bytes when it is small enough to be read whole.
QImage plainBitmap(const OpenFile &in, const QByteArray &whole)
{
    constexpr int HeadSize = 54;
    constexpr qsizetype MostBytes = qsizetype(64) << 20;
    if (in.size() < HeadSize)
        return {};
    const bool readWhole = in.size() <= BandBytes;
    if (readWhole && whole.size() != in.size())
        return {};
    uchar head[HeadSize];
    if (readWhole)
        std::memcpy(head, whole.constData(), HeadSize);
    else if (!in.readAt(head, HeadSize, 0))
        return {};
    const auto word = [&head](int at) { return qFromLittleEndian<quint16>(head + at); };
    const auto dword = [&head](int at) { return qFromLittleEndian<qint32>(head + at); };
    const qint32 offset = dword(10);
    const qint32 width = dword(18);
    const qint32 height = dword(22);
    if (head[0] != 'B' || head[1] != 'M' || dword(14) != 40 || word(26) != 1 || word(28) != 24
        || dword(30) != 0 || offset < HeadSize || width <= 0 || height == 0)
        return {};
    const qint64 rows = qAbs(qint64(height));
    // Each side is bounded before any product of the two: a header may claim
    // two billion of each.
    constexpr qint64 MostPixels = MostBytes / 4;
    if (width > MostPixels || rows > MostPixels || width * rows > MostPixels)
        return {};
    // The file's rows, 3 bytes a pixel padded to 4 bytes a row, are never
    // larger than the picture: its size bounds both.
    const qint64 stride = (qint64(width) * 24 + 31) / 32 * 4;
    if (in.size() < offset + stride * rows)
        return {};
    QImage image(width, int(rows), QImage::Format_RGB32);
    if (image.isNull())
        return {};
    image.setDotsPerMeterX(dword(38));
    image.setDotsPerMeterY(dword(42));
    // Rows are stored from the bottom up, or from the top down when the
    // height is negative. A large file is read a band of rows at a time: a
    // whole copy of a large picture's file would cost more in new pages than
    // the reading.
    const qint64 bandRows = readWhole ? rows : std::clamp<qint64>(BandBytes / stride, 1, rows);
    QByteArray band(readWhole ? 0 : bandRows * stride, Qt::Uninitialized);
    uchar *const target = image.bits();
    const qsizetype targetStride = image.bytesPerLine();
    for (qint64 first = 0; first < rows; first += bandRows) {
        const qint64 count = std::min(bandRows, rows - first);
        const char *bandPixels = whole.constData() + offset;
        if (!readWhole) {
            if (!in.readAt(band.data(), count * stride, offset + first * stride))
                return {};
            bandPixels = band.constData();
        }
        for (qint64 row = first; row < first + count; ++row) {
            const auto *pixel = reinterpret_cast<const uchar *>(bandPixels) + (row - first) * stride;
            auto *line
                = reinterpret_cast<QRgb *>(target + (height > 0 ? rows - 1 - row : row) * targetStride);
            for (qint32 x = 0; x < width; ++x, pixel += 3)
                line[x] = 0xFF000000u | uint(pixel[2]) << 16 | uint(pixel[1]) << 8 | pixel[0];
        }
    }
    return image;
}

// A small file's bytes, read by the image reader as it reads the file: a seek
// past the end succeeds and reading there gives nothing, so the reader finds
// the file short and refuses it. A plain buffer refuses such a seek, and a
// reader that does not look reads on from where it was, making a picture of
// the header's bytes.
class FileBytes : public QBuffer
{
public:
    bool seek(qint64 pos) override { return pos > size() ? QIODevice::seek(pos) : QBuffer::seek(pos); }
};

// The picture in file; a null one for a file that is not a plain file when
// onlyPlain.
QImage decode(const QString &file, bool onlyPlain = false)
{
    // A small file's bytes serve the image reader too, unread again.
    QByteArray whole;
    {
        const OpenFile in(file);
        if (onlyPlain && !in.plain())
            return {};
        whole = wholeSmallFile(in);
        QImage plain = in.plain() ? plainBitmap(in, whole) : QImage();
        if (!plain.isNull())
            return plain;
    }
    const auto readerOf = [&](FileBytes &bytes, const QByteArray &format) {
        if (whole.isEmpty())
            return std::make_unique<QImageReader>(file, format);
        bytes.setBuffer(&whole);
        return std::make_unique<QImageReader>(&bytes, format);
    };
    // Most pictures hold the format they are named for, and read as that
    // format the reader asks no other about them. Telling a file's format
    // from its content asks every format, loading every format plugin the
    // first time, under a lock all readers share.
    FileBytes namedBytes;
    const auto asNamed = readerOf(namedBytes, QFileInfo(file).suffix().toLower().toLatin1());
    asNamed->setAutoDetectImageFormat(false);
    QImage image = asNamed->read();
    if (!image.isNull())
        return image;
    // Skin images are often named for another format than they hold.
    FileBytes contentBytes;
    const auto reader = readerOf(contentBytes, QByteArray());
    reader->setDecideFormatFromContent(true);
    return reader->read();
}

QRegion shapeOf(const QImage &image);

// One picture of a Prefetch: decoded (and shaped when asked) by the worker,
// unless load() claims it first and decodes it itself.
struct Job {
    enum State { Queued, Claimed, Done };
    QString file;
    bool shaped = false;
    quint64 listings = 0;
    std::atomic<int> state { Queued };
    std::mutex mutex;
    std::condition_variable decoded;
    QImage image;
    QRegion shape;

    bool claim()
    {
        int queued = Queued;
        return state.compare_exchange_strong(queued, Claimed);
    }
    void run()
    {
        if (!claim())
            return;
        // Only a plain file is read: a pipe or a device named as a picture
        // would keep the worker waiting for ever.
        QImage result = decode(file, true);
        QRegion region = shaped && !result.isNull() ? shapeOf(result) : QRegion();
        const std::lock_guard lock(mutex);
        image = std::move(result);
        shape = std::move(region);
        state = Done;
        decoded.notify_all();
    }
    void wait()
    {
        std::unique_lock lock(mutex);
        decoded.wait(lock, [this] { return state == Done; });
    }
};

} // namespace

struct Prefetch::Jobs {
    QThreadPool pool;
    QHash<QString, std::shared_ptr<Job>> byPath;
    // The shapes of the pictures taken, by the picture's cache key, until
    // shapeRegion() is asked for them.
    QHash<qint64, QRegion> shapes;
    // The jobs the worker has not taken yet, in the order they were added.
    // While it is busy, new jobs wait in pending and join the queue a batch at
    // a time, so that adding a picture takes no lock the worker holds.
    std::mutex queueMutex;
    std::vector<std::shared_ptr<Job>> queue;
    size_t next = 0;
    std::atomic<int> workers = 0;
    std::vector<std::shared_ptr<Job>> pending;

    // A worker for each processor the reader leaves free, from two to four:
    // one alone fell behind a reader that makes a window for each picture; at
    // 5,000 buttons the reader waited 18 to 40 ms an open for the pictures of
    // two, and mostly not at all for those of four, and six did no better than
    // four. A worker with nothing left to decode ends at once, on its own
    // time: the pool need not end it when it goes.
    Jobs()
    {
        pool.setMaxThreadCount(std::clamp(QThread::idealThreadCount() - 1, 2, 4));
        pool.setExpiryTimeout(0);
    }
    ~Jobs()
    {
        // Pictures still waiting are not decoded; those under way are finished.
        for (const auto &job : std::as_const(byPath))
            job->claim();
        pool.waitForDone();
    }

    void add(const std::shared_ptr<Job> &job)
    {
        pending.push_back(job);
        if (pending.size() >= 32 || workers < pool.maxThreadCount())
            publish();
    }

    void publish()
    {
        const std::lock_guard lock(queueMutex);
        for (auto &job : pending)
            queue.push_back(std::move(job));
        pending.clear();
        while (workers < pool.maxThreadCount() && next + size_t(workers) < queue.size()) {
            ++workers;
            pool.start([this] { work(); });
        }
    }

    void work()
    {
        for (;;) {
            std::shared_ptr<Job> job;
            {
                const std::lock_guard lock(queueMutex);
                if (next == queue.size()) {
                    --workers;
                    return;
                }
                job = std::move(queue[next++]);
            }
            job->run();
        }
    }

    // The picture of path as its job decoded it, when file is what the job
    // read; none when path has no job, when the listings it was added under
    // are gone or when no worker has started it yet (load() then decodes it at
    // once).
    std::optional<QImage> take(const QString &path, const QString &file)
    {
        if (!pending.empty())
            publish();
        const std::shared_ptr<Job> job = byPath.take(path);
        if (!job || job->claim())
            return std::nullopt;
        job->wait();
        if (job->file != file || job->listings != fs::listingsId() || job->image.isNull())
            return std::nullopt;
        if (job->shaped)
            shapes.insert(job->image.cacheKey(), std::move(job->shape));
        return std::move(job->image);
    }
};

namespace {

Prefetch::Jobs *activeJobs = nullptr;

} // namespace

Prefetch::Prefetch()
{
    if (!activeJobs) {
        m_jobs = std::make_shared<Jobs>();
        activeJobs = m_jobs.get();
    }
}

Prefetch::~Prefetch()
{
    if (m_jobs && activeJobs == m_jobs.get())
        activeJobs = nullptr;
}

void Prefetch::add(const QString &path, bool shaped)
{
    if (!activeJobs || path.isEmpty())
        return;
    std::shared_ptr<Job> &job = activeJobs->byPath[path];
    if (job)
        return;
    // Decoded under the name given: load() takes the picture when that is the
    // name of the file it finds, as it mostly is.
    job = std::make_shared<Job>();
    job->file = path;
    job->shaped = shaped;
    job->listings = fs::listingsId();
    activeJobs->add(job);
}

QImage load(const QString &path)
{
    const Readable picture = readable(path);
    if (picture.error != 0)
        vb::raise(picture.error);
    std::optional<QImage> prefetched = activeJobs ? activeJobs->take(path, picture.file) : std::nullopt;
    const QImage image = prefetched ? *std::move(prefetched) : decode(picture.file);
    if (image.isNull())
        vb::raise(vb::ErrInvalidPicture);
    return image;
}

QRegion shapeRegion(const QImage &image)
{
    if (activeJobs && !activeJobs->shapes.isEmpty()) {
        const auto known = activeJobs->shapes.constFind(image.cacheKey());
        if (known != activeJobs->shapes.constEnd())
            return activeJobs->shapes.take(image.cacheKey());
    }
    return shapeOf(image);
}

namespace {

QRegion shapeOf(const QImage &image)
{
    const QRegion allKeyColour(-1, -1, 1, 1);
    if (image.isNull())
        return allKeyColour;
    // A 32-bit picture is read as it is; others are converted once.
    const bool thirtyTwoBit
        = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32;
    const QImage argb = thirtyTwoBit ? image : image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = argb.pixel(0, 0) & 0xFFFFFF;
    const int width = argb.width();
    const int height = argb.height();

    // One rectangle per run of kept pixels in a row, rows with the same runs
    // as the row above joined into one band: bands of equal height in y-x
    // order, the form QRegion::setRects takes as it is. A row is first told
    // as one bit per pixel: the same bits as the row above mean the same runs.
    const auto words = static_cast<size_t>((width + 63) / 64);
    std::vector<quint64> bits(words), above(words);
    std::vector<QRect> runs;
    qsizetype band = -1; // where the band of the row above starts in runs; -1: that row keeps nothing
    for (int y = 0; y < height; ++y) {
        keptPixels(reinterpret_cast<const QRgb *>(argb.constScanLine(y)), width, key, bits.data());
        if (y > 0 && bits == above) {
            for (qsizetype k = band; band >= 0 && k < qsizetype(runs.size()); ++k)
                runs[size_t(k)].setBottom(y);
            continue;
        }
        band = qsizetype(runs.size());
        for (int x = nextPixel(bits.data(), 0, width, true); x < width;) {
            const int end = nextPixel(bits.data(), x, width, false);
            runs.emplace_back(x, y, end - x, 1);
            x = nextPixel(bits.data(), end, width, true);
        }
        if (band == qsizetype(runs.size()))
            band = -1;
        above.swap(bits);
    }
    if (runs.empty())
        return allKeyColour;
    QRegion region;
    region.setRects(runs.data(), int(runs.size()));
    return region;
}

} // namespace

QImage zoomed(const QImage &image, int factor)
{
    if (factor <= 1 || image.isNull())
        return image;
    return image.scaled(
        image.width() * factor, image.height() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

} // namespace pictures
