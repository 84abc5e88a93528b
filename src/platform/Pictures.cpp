#include "platform/Pictures.h"

#include "platform/FileSystem.h"
#include "platform/VbRuntime.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImageIOHandler>
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

// Reads count bytes of in from offset on, from whole when the file was read
// whole; false when the file holds fewer.
bool readBytes(const OpenFile &in, const QByteArray &whole, void *data, qint64 count, qint64 offset)
{
    if (in.size() > BandBytes)
        return in.readAt(data, count, offset);
    if (whole.size() != in.size() || offset < 0 || count > whole.size() - offset)
        return false;
    std::memcpy(data, whole.constData() + offset, size_t(count));
    return true;
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
    uchar head[HeadSize];
    if (!readBytes(in, whole, head, HeadSize, 0))
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

// The bytes of a file one after the other from a given place on: from memory
// when the file was read whole, otherwise a band at a time.
class ByteStream
{
public:
    ByteStream(const OpenFile &in, const QByteArray &whole, qint64 from)
        : m_in(in)
        , m_band(in.size() <= BandBytes ? whole : QByteArray())
        , m_at(from)
    {
    }

    // The next byte; false at the end of the file.
    bool next(uchar &byte)
    {
        if (m_at < 0 || m_at >= m_in.size())
            return false;
        if (m_at < m_bandAt || m_at >= m_bandAt + m_band.size()) {
            m_band.resize(std::min(BandBytes, m_in.size() - m_at));
            if (!m_in.readAt(m_band.data(), m_band.size(), m_at))
                return false;
            m_bandAt = m_at;
        }
        byte = uchar(m_band[m_at++ - m_bandAt]);
        return true;
    }
    // Passes over count bytes; false when the file ends first.
    bool skip(qint64 count)
    {
        m_at += count;
        return m_at <= m_in.size();
    }

private:
    const OpenFile &m_in;
    QByteArray m_band;
    qint64 m_bandAt = 0;
    qint64 m_at;
};

// Whether the run-length codes of a bitmap, from offset on, are whole as the
// image reader walks them: they reach the end-of-bitmap code or the end of the
// last row, or the file ends between two codes once the last row is full.
// The reader writes a pixel a byte, rows from the bottom up, each padded to
// whole 4-byte words, and cuts a run only where it would pass the end of the
// bottom row: how many bytes a run of pixels as they stand takes depends on it.
bool runLengthCodesWhole(
    const OpenFile &in, const QByteArray &whole, qint64 offset, qint64 width, qint64 rows, bool fourBits)
{
    ByteStream codes(in, whole, offset);
    const qint64 rowBytes = (width + 3) / 4 * 4;
    const qint64 end = (rows - 1) * rowBytes + width;
    qint64 x = 0, y = 0, at = (rows - 1) * rowBytes;
    while (y < rows) {
        uchar code = 0;
        if (!codes.next(code))
            return y == rows - 1 && x >= width;
        if (code != 0) { // a run of one colour
            const qint64 count = std::min<qint64>(code, end - at);
            x += count;
            at += count;
            if (!codes.skip(1))
                return false;
            continue;
        }
        if (!codes.next(code))
            return false;
        if (code == 1) // end of bitmap
            return true;
        if (code == 0) { // end of row
            x = 0;
            ++y;
            at = (rows - y - 1) * rowBytes;
        } else if (code == 2) { // a move right and up
            uchar right = 0, up = 0;
            if (!codes.next(right) || !codes.next(up))
                return false;
            x = std::min(x + right, width - 1);
            y = std::min(y + up, rows - 1);
            at = (rows - y - 1) * rowBytes + x;
        } else { // pixels as they stand, in whole 2-byte words
            const qint64 count = std::min<qint64>(code, end - at);
            const qint64 bytes = fourBits ? (count + 1) / 2 : count;
            if (!codes.skip(bytes + bytes % 2))
                return false;
            x += count;
            at += count;
        }
    }
    return true;
}

// What the image reader makes of a Windows bitmap's pixels (a DIB is one
// without the file header).
struct BitmapPixels {
    // The file ends before the pixels the reader takes from it: the reader
    // makes a picture of the full size all the same and leaves what it could
    // not read as the memory held.
    bool cutShort = false;
    // Run-length coded: the reader leaves the pixels that its codes pass over
    // as the memory held.
    bool runLength = false;
};

// The pixels of the bitmap in, worked out from its headers as the image
// reader reads them: an info header of 40, 64, 108 or 124 bytes, or else one
// read as the 12-byte kind whatever size it states, the reader going on where
// that size ends (where it is when the size is negative); the colour masks of
// bit fields after one of 40 or 64; the colour table, 3 bytes an entry after a
// 12-byte header and 4 after the others; the pixels after it, or where the
// file header says when that lies further on. A DIB's pixels are its last
// size-of-the-pixels bytes when its header gives a size smaller than the file,
// and otherwise follow 12 bytes of colour masks after a header of 108 or 124
// bytes with bit fields. Nothing for a file the reader does not read as such
// a bitmap.
BitmapPixels bitmapPixels(const OpenFile &in, const QByteArray &whole, bool dib)
{
    constexpr int FileHead = 14;
    constexpr int MostHead = FileHead + 124 + 12;
    uchar head[MostHead] = {};
    if (!in.plain() || !readBytes(in, whole, head, std::min<qint64>(in.size(), MostHead), 0))
        return {};
    const int info = dib ? 0 : FileHead;
    const auto word = [&head](int at) { return qFromLittleEndian<quint16>(head + at); };
    const auto dword = [&head](int at) { return qFromLittleEndian<quint32>(head + at); };
    if (!dib && (in.size() < FileHead || head[0] != 'B' || head[1] != 'M'))
        return {};
    const quint32 infoSize = dword(info);
    const bool windows = infoSize == 40 || infoSize == 64 || infoSize == 108 || infoSize == 124;
    qint64 width = 0, height = 0;
    quint32 compression = 0, pixelBytes = 0, colours = 0;
    if (windows) {
        width = qint32(dword(info + 4));
        height = qint32(dword(info + 8));
        compression = dword(info + 16);
        pixelBytes = dword(info + 20);
        colours = dword(info + 32);
    } else {
        width = qint16(word(info + 4));
        height = qint16(word(info + 6));
    }
    const int bits = word(info + (windows ? 14 : 10));
    const bool runLength = (compression == 1 && bits == 8) || (compression == 2 && bits == 4);
    const bool masks = compression == 3 && (bits == 16 || bits == 32);
    const bool plainBits = bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    const qint64 rows = qAbs(height);
    // The reader's own bound on the sides, checked before any product of them.
    constexpr qint64 MostPixels = qint64(16384) * 16384;
    if ((compression != 0 || !plainBits) && !runLength && !masks)
        return {};
    if (width <= 0 || rows == 0 || width > MostPixels || rows > MostPixels || width * rows > MostPixels)
        return {};
    const qint64 afterInfo = info + qint64(qint32(infoSize));
    qint64 pixels = (afterInfo >= 0 ? afterInfo : info + 12) + (masks && infoSize < 108 ? 12 : 0);
    if (bits <= 8) {
        const qint64 entries = colours != 0 ? colours : 1 << bits;
        if (entries > 256)
            return {};
        pixels += entries * (infoSize == 12 ? 3 : 4);
    }
    qint64 stated = dib ? -1 : qint32(dword(10));
    if (dib && pixelBytes != 0 && pixelBytes < in.size())
        stated = in.size() - pixelBytes;
    else if (dib && masks && infoSize >= 108)
        stated = infoSize + 12;
    pixels = std::max(pixels, stated);
    if (runLength)
        return { !runLengthCodesWhole(in, whole, pixels, width, rows, bits == 4), true };
    const qint64 stride = (width * bits + 31) / 32 * 4;
    return { pixels + stride * rows > in.size(), false };
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
// onlyPlain, and for a bitmap whose pixels run past the end of the file.
QImage decode(const QString &file, bool onlyPlain = false)
{
    const QByteArray suffix = QFileInfo(file).suffix().toLower().toLatin1();
    // A small file's bytes serve the image reader too, unread again.
    QByteArray whole;
    // The reader takes a file that starts "BM" for a bitmap when it is named
    // .bmp and when it tells the format from the content; one named .dib it
    // reads as a DIB first.
    BitmapPixels bitmap, dib;
    {
        const OpenFile in(file);
        if (onlyPlain && !in.plain())
            return {};
        whole = wholeSmallFile(in);
        QImage plain = in.plain() ? plainBitmap(in, whole) : QImage();
        if (!plain.isNull())
            return plain;
        bitmap = bitmapPixels(in, whole, false);
        if (suffix == "dib")
            dib = bitmapPixels(in, whole, true);
    }
    const auto readerOf = [&](FileBytes &bytes, const QByteArray &format) {
        if (whole.isEmpty())
            return std::make_unique<QImageReader>(file, format);
        bytes.setBuffer(&whole);
        return std::make_unique<QImageReader>(&bytes, format);
    };
    // Nothing is drawn that the file does not give: a bitmap cut short is not
    // read, and the pixels that run-length codes pass over are the first
    // colour of the colour table, the same every time.
    const auto read = [](QImageReader &reader, const BitmapPixels &pixels) {
        if (pixels.cutShort)
            return QImage();
        QImage image;
        if (pixels.runLength) {
            // Made within the reader's limit on the memory a picture takes;
            // the reader gives a picture stored top down a negative height.
            const QSize size = reader.size();
            if (QImageIOHandler::allocateImage(
                    QSize(size.width(), qAbs(size.height())), reader.imageFormat(), &image))
                std::memset(image.bits(), 0, size_t(image.sizeInBytes()));
        }
        return reader.read(&image) ? image : QImage();
    };
    // Most pictures hold the format they are named for, and read as that
    // format the reader asks no other about them. Telling a file's format
    // from its content asks every format, loading every format plugin the
    // first time, under a lock all readers share.
    FileBytes namedBytes;
    const auto asNamed = readerOf(namedBytes, suffix);
    asNamed->setAutoDetectImageFormat(false);
    QImage image = read(*asNamed, suffix == "dib" ? dib : suffix == "bmp" ? bitmap : BitmapPixels());
    if (!image.isNull())
        return image;
    // Skin images are often named for another format than they hold.
    FileBytes contentBytes;
    const auto reader = readerOf(contentBytes, QByteArray());
    reader->setDecideFormatFromContent(true);
    return read(*reader, bitmap);
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
