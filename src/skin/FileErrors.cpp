#include "skin/FileErrors.h"

#include "skin/SkinFormat.h"
#include "lang/Locale.h"
#include "platform/AppInfo.h"
#include "platform/Cp1252.h"
#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "platform/VbRuntime.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

namespace {

QString message(int id)
{
    return Message(id);
}

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

struct Failure {
    int number = 0;
    QString description;
};

// errnoAfter is errno right after the failed call; Qt's text of the failure is
// kept as the description for the rows that show one.
Failure failureOf(int errnoAfter, const QFileDevice &file)
{
    Failure failure;
    failure.number = numberForErrno(errnoAfter);
    if (failure.number == 0)
        failure.number = numberForFileError(file.error());
    failure.description
        = failure.number == vb::ErrInternal ? file.errorString() : vb::errorDescription(failure.number);
    if (failure.description.isEmpty())
        failure.description = vb::errorDescription(failure.number);
    return failure;
}

// Failures that QSaveFile reports without an operating-system error: a target that
// is a folder, or an existing file that may not be written.
bool precheck(const QString &path, Failure *failure)
{
    if (path.isEmpty()) {
        failure->number = vb::ErrBadFileNameOrNumber;
    } else {
        const QFileInfo target(path);
        if (target.isDir() || (target.exists() && !target.isWritable()))
            failure->number = vb::ErrPathFileAccess;
    }
    if (failure->number == 0)
        return true;
    failure->description = vb::errorDescription(failure->number);
    return false;
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

bool ShowFileError(int errorNumber, const QString &description, const QString &operation)
{
    const QString title = app::title() + QStringLiteral(" - ") + operation;
    const QString lineBreak = QStringLiteral("\n");
    const int critical = dialogs::vbCritical;

    // The rows that offer Retry: their two messages, a cause and a remedy.
    int cause = 0;
    switch (errorNumber) {
    case vb::ErrFileAlreadyOpen:
        cause = 13076;
        break;
    case vb::ErrDeviceIO:
        cause = 13078;
        break;
    case vb::ErrDiskFull:
        cause = 13080;
        break;
    case vb::ErrPermissionDenied:
        cause = 13083;
        break;
    case vb::ErrDiskNotReady:
        cause = 13085;
        break;
    case vb::ErrPathFileAccess:
        cause = 13087;
        break;
    default:
        break;
    }
    if (cause != 0) {
        const int answer = dialogs::msgBox(
            message(cause) + lineBreak + message(cause + 1), dialogs::vbRetryCancel | critical, title);
        if (answer == dialogs::vbRetry)
            return true;
        dialogs::msgBox(message(13075), critical, title);
        return false;
    }

    switch (errorNumber) {
    case vb::ErrBadFileNameOrNumber:
        dialogs::msgBox(message(13075), critical, title);
        break;
    case vb::ErrDeviceUnavailable:
        dialogs::msgBox(message(13082), critical, title);
        break;
    default:
        dialogs::msgBox(message(13089) + vb::Str(errorNumber) + lineBreak + description, critical, title);
        break;
    }
    return false;
}

bool WriteTextFile(
    const QString &path, const QStringList &lines, const QString &operation, TextEncoding encoding)
{
    return WriteWholeFile(path, fileBytes(lines, encoding), operation);
}

bool WriteWholeFile(const QString &path, const QByteArray &bytes, const QString &operation)
{
    // The old file is replaced only by a complete new one, so a failure at any
    // step leaves it as it was. A write or a commit that failed has discarded the
    // temporary file, so Retry of those steps starts the temporary file again:
    // for the file on disk that is the same as repeating the failed step.
    for (;;) {
        Failure failure;
        if (precheck(path, &failure)) {
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
                        ini::clearCache();
                        return true;
                    }
                    failure = failureOf(errno, file);
                }
            }
        }
        if (!ShowFileError(failure.number, failure.description, operation))
            return false;
    }
}
