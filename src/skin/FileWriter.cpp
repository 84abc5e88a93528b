#include "skin/FileWriter.h"

#include "skin/FileErrors.h"
#include "skin/SkinFormat.h"
#include "platform/Cp1252.h"
#include "platform/FileSystem.h"
#include "platform/IniFile.h"
#include "platform/VbRuntime.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <optional>

namespace {

// The file-error numbers of the table, as the operating system's errors map onto
// them. Errors the table has no row for keep a run-time number of their own where
// one fits, and otherwise fall back on the kind of failure Qt reports.
int numberForErrno(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
        return vb::ErrPermissionDenied; // 70
    case EROFS:
    case EISDIR:
        return vb::ErrPathFileAccess; // 75
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return vb::ErrDiskFull; // 61
    case EIO:
        return vb::ErrDeviceIO; // 57
    case ENOENT:
    case ENOTDIR:
    case ENXIO:
    case ENODEV:
        return vb::ErrDeviceUnavailable; // 68
    case ENOMEDIUM:
        return vb::ErrDiskNotReady; // 71
    case EBUSY:
    case ETXTBSY:
        return vb::ErrFileAlreadyOpen; // 55
    case ENAMETOOLONG:
    case EINVAL:
        return vb::ErrBadFileNameOrNumber; // 52
    case EMFILE:
    case ENFILE:
        return vb::ErrTooManyFiles; // 67
    case EXDEV:
        return vb::ErrRenameAcrossDisks; // 74
    case EEXIST:
        return vb::ErrFileAlreadyExists; // 58
    default:
        return 0;
    }
}

int numberForFileError(QFileDevice::FileError error)
{
    switch (error) {
    case QFileDevice::ResourceError:
        return vb::ErrDiskFull;
    case QFileDevice::PermissionsError:
        return vb::ErrPermissionDenied;
    case QFileDevice::WriteError:
    case QFileDevice::FatalError:
        return vb::ErrDeviceIO;
    case QFileDevice::TimeOutError:
        return vb::ErrDiskNotReady;
    default:
        // No row of the table names this failure: it gets the last row, with Qt's
        // own words, rather than a row that would blame a read-only file.
        return vb::ErrInternal;
    }
}

// errnoAfter is errno right after the failed call; Qt's text of the failure is
// kept as the description for a failure the table has no number for.
vb::Error failureOf(int errnoAfter, const QFileDevice &file)
{
    int number = numberForErrno(errnoAfter);
    if (number == 0)
        number = numberForFileError(file.error());
    return vb::Error(number, number == vb::ErrInternal ? file.errorString() : QString());
}

// Failures that QSaveFile reports without an operating-system error: a target that
// is a folder, or an existing file that may not be written.
std::optional<vb::Error> precheck(const QString &path)
{
    if (path.isEmpty())
        return vb::Error(vb::ErrBadFileNameOrNumber);
    const QFileInfo target(path);
    if (target.isDir() || (target.exists() && !target.isWritable()))
        return vb::Error(vb::ErrPathFileAccess);
    return std::nullopt;
}

// Joins the lines as the file holds them: each ended by CR LF, the last included.
QByteArray fileBytes(const QStringList &lines, TextEncoding encoding)
{
    bool utf8 = false;
    if (encoding == TextEncoding::Cp1252OrUtf8Bom)
        for (const QString &line : lines)
            utf8 = utf8 || !cp1252::canEncode(line);
    QByteArray bytes = utf8 ? QByteArray("\xEF\xBB\xBF") : QByteArray();
    for (const QString &line : lines) {
        // A line break inside a line would split it into two lines of the file.
        const QString flat = skinformat::oneLine(line);
        bytes += utf8 ? flat.toUtf8() : cp1252::encode(flat);
        bytes += "\r\n";
    }
    return bytes;
}

} // namespace

bool WriteTextFile(
    const QString &path, const QStringList &lines, const QString &operation, TextEncoding encoding)
{
    return WriteWholeFile(path, fileBytes(lines, encoding), operation);
}

bool UpdateTextFile(
    const QString &path, const QStringList &lines, const QString &operation, TextEncoding encoding)
{
    const QByteArray bytes = fileBytes(lines, encoding);
    QFile old(path);
    if (old.open(QIODevice::ReadOnly) && old.size() == bytes.size() && old.readAll() == bytes)
        return true;
    old.close();
    return WriteWholeFile(path, bytes, operation);
}

bool WriteWholeFile(const QString &path, const QByteArray &bytes, const QString &operation)
{
    // The old file is replaced only by a complete new one, so a failure at any
    // step leaves it as it was. A write or a commit that failed has discarded the
    // temporary file, so Retry of those steps starts the temporary file again:
    // for the file on disk that is the same as repeating the failed step.
    for (;;) {
        std::optional<vb::Error> failure = precheck(path);
        if (!failure) {
            QSaveFile file(path);
            errno = 0;
            // Unbuffered: a buffered QSaveFile flushes only while committing and
            // does not notice when that flush fails, so a full disk would replace
            // the old file with a cut one. Written directly, a short write shows.
            if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
                failure = failureOf(errno, file);
            } else {
                errno = 0;
                if (file.write(bytes) != bytes.size()) {
                    failure = failureOf(errno, file);
                    file.cancelWriting();
                } else {
                    errno = 0;
                    if (file.commit()) {
                        // The INI reader caches files by size and time; a rewrite
                        // within the same millisecond must not read as the old file.
                        // Folder listings held for an open would miss a new file.
                        ini::clearCache();
                        fs::forgetListings();
                        return true;
                    }
                    failure = failureOf(errno, file);
                }
            }
        }
        if (!ShowFileError(*failure, operation))
            return false;
    }
}
