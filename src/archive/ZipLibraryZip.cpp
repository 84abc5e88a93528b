// The zip half of the archive library: ZpInit, ZpSetOptions and ZpArchive.
#include "archive/ZipLibrary.h"

#include "archive/ZipLibraryCommon.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <future>
#include <set>
#include <thread>
#include <vector>

#include <sys/stat.h>

namespace fsys = std::filesystem;

namespace ziplib {

using namespace detail;

namespace {

bool endsWith(const std::string &text, const std::string &tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

ZIPUSERFUNCTIONS gZipCallbacks;
bool gZipReady = false;
ZPOPT gZipOptions;
std::string gZipRoot;

// A file, or (when recursing) a folder, going into the archive.
struct ZipItem {
    std::string path;
    std::string stored;
    bool folder = false;
};

std::string storedName(const fsys::path &file)
{
    if (gZipOptions.fJunkDir || gZipRoot.empty())
        return file.filename().string();
    const std::string text = file.lexically_normal().string();
    const std::string root = fsys::path(gZipRoot).lexically_normal().string();
    const std::string prefix = endsWith(root, "/") ? root : root + "/";
    if (text.compare(0, prefix.size(), prefix) == 0 && text.size() > prefix.size())
        return text.substr(prefix.size());
    return file.filename().string();
}

// True when target (links resolved) lies inside the skin folder: the root, or
// the folder of link when no root was given.
bool insideSkinFolder(const fsys::path &target, const fsys::path &link)
{
    std::error_code error;
    const fsys::path folder
        = fsys::canonical(gZipRoot.empty() ? link.parent_path() : fsys::path(gZipRoot), error);
    if (error)
        return false;
    const std::string prefix = folder.string() == "/" ? "/" : folder.string() + "/";
    return target.string().compare(0, prefix.size(), prefix) == 0;
}

// How a name of the skin folder goes into the archive.
enum class Kind { File, Folder, LinkedFolder };

// What a name of the skin folder is to the archive. A regular file, or a link
// that leads to a regular file inside the skin folder (packed as that file), is a
// file. A link that leads anywhere else, and a pipe, a device or a socket, refuse
// the archive by name: packing them would take what is not the skin's, or hang.
int kindOf(const fsys::path &path, Kind &kind)
{
    std::error_code error;
    const fsys::file_status own = fsys::symlink_status(path, error);
    if (error || !fsys::exists(own))
        return fail(ZipCannotRead, "the file \"" + path.string() + "\" cannot be read");
    if (fsys::is_regular_file(own) || fsys::is_directory(own)) {
        kind = fsys::is_directory(own) ? Kind::Folder : Kind::File;
        return ZipOk;
    }
    if (fsys::is_symlink(own)) {
        const fsys::path target = fsys::canonical(path, error);
        if (!error && fsys::is_directory(target, error)) {
            kind = Kind::LinkedFolder;
            return ZipOk;
        }
        if (!error && fsys::is_regular_file(target, error) && insideSkinFolder(target, path)) {
            kind = Kind::File;
            return ZipOk;
        }
        return fail(ZipCannotRead,
            "the link \"" + path.string() + "\" does not lead to a file inside the skin folder");
    }
    return fail(ZipCannotRead, "\"" + path.string() + "\" is a pipe, a device or a socket, not a file");
}

// The files of folder and, when recursing, its subfolders (each before its
// files, so that empty ones are kept). A link to a folder is passed over like a
// folder when not recursing; when recursing it refuses the archive, since
// following it could pack files twice or without end.
int collectFolder(const fsys::path &folder, bool recurse, std::vector<ZipItem> &items)
{
    std::error_code error;
    std::vector<fsys::path> entries;
    for (fsys::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        entries.push_back(it->path());
    std::sort(entries.begin(), entries.end());
    for (const fsys::path &entry : entries) {
        Kind kind = Kind::File;
        const int code = kindOf(entry, kind);
        if (code != ZipOk)
            return code;
        if (kind == Kind::File)
            items.push_back({ entry.string(), storedName(entry) });
        else if (recurse && kind == Kind::LinkedFolder)
            return fail(ZipCannotRead, "the link \"" + entry.string() + "\" leads to a folder");
        else if (recurse && kind == Kind::Folder) {
            items.push_back({ entry.string(), storedName(entry) + "/", true });
            const int inner = collectFolder(entry, recurse, items);
            if (inner != ZipOk)
                return inner;
        }
    }
    return ZipOk;
}

int zipErrorCode(int libzipError)
{
    switch (libzipError) {
    case ZIP_ER_MEMORY:
        return ZipMemory;
    case ZIP_ER_READ:
    case ZIP_ER_SEEK:
        return ZipReadSeek;
    case ZIP_ER_OPEN:
    case ZIP_ER_NOENT:
        return ZipCannotRead;
    case ZIP_ER_TMPOPEN:
    case ZIP_ER_RENAME:
        return ZipTempFile;
    case ZIP_ER_WRITE:
    case ZIP_ER_CLOSE:
        return ZipWrite;
    case ZIP_ER_CANCELLED:
        return ZipInterrupted;
    default:
        return ZipLogic;
    }
}

void zipProgress(zip_t *, double, void *)
{
    if (gZipCallbacks.print)
        gZipCallbacks.print("", 0);
}

// One file compressed into an archive of its own, in memory.
zip_t *packFile(const ZipItem &item, int level, int &code)
{
    zip_error_t error;
    libzip().zip_error_init(&error);
    zip_source_t *buffer = libzip().zip_source_buffer_create(nullptr, 0, 0, &error);
    libzip().zip_error_fini(&error);
    if (!buffer) {
        code = ZipMemory;
        return nullptr;
    }
    zip_t *writer = libzip().zip_open_from_source(buffer, ZIP_TRUNCATE, nullptr);
    if (!writer) {
        libzip().zip_source_free(buffer); // no archive took it
        code = ZipMemory;
        return nullptr;
    }
    libzip().zip_source_keep(buffer); // it outlives the writing archive
    zip_source_t *file = libzip().zip_source_file(writer, item.path.c_str(), 0, -1);
    zip_int64_t index = -1;
    if (file && (index = libzip().zip_file_add(writer, "f", file, 0)) < 0)
        libzip().zip_source_free(file);
    if (index >= 0)
        libzip().zip_set_file_compression(
            writer, zip_uint64_t(index), level ? ZIP_CM_DEFLATE : ZIP_CM_STORE, zip_uint32_t(level));
    if (index < 0 || libzip().zip_close(writer) != 0) {
        code = index < 0 ? ZipCannotRead
                         : zipErrorCode(libzip().zip_error_code_zip(libzip().zip_get_error(writer)));
        libzip().zip_discard(writer);
        libzip().zip_source_free(buffer);
        return nullptr;
    }
    zip_t *reader = libzip().zip_open_from_source(buffer, ZIP_RDONLY, nullptr);
    if (!reader) {
        libzip().zip_source_free(buffer);
        code = ZipLogic;
    }
    return reader;
}

int packInParallel(const std::vector<ZipItem> &items, int level, std::vector<Archive> &packed)
{
    packed.resize(items.size());
    std::vector<int> codes(items.size(), ZipOk);
    std::atomic<size_t> next { 0 };
    const unsigned count
        = std::max(1u, std::min<unsigned>(std::thread::hardware_concurrency(), unsigned(items.size())));
    std::vector<std::future<void>> workers;
    for (unsigned w = 0; w < count; ++w) {
        workers.push_back(std::async(std::launch::async, [&] {
            for (size_t i = next++; i < items.size(); i = next++) {
                if (!items[i].folder)
                    packed[i].reset(packFile(items[i], level, codes[i]));
            }
        }));
    }
    // The caller's window keeps painting while the files are compressed.
    for (auto &worker : workers) {
        while (worker.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready)
            zipProgress(nullptr, 0, nullptr);
    }
    for (size_t i = 0; i < items.size(); ++i) {
        if (codes[i] != ZipOk || (!packed[i] && !items[i].folder))
            return fail(
                codes[i] != ZipOk ? codes[i] : ZipLogic, "the file \"" + items[i].path + "\" cannot be read");
    }
    return ZipOk;
}

// --- The phases of ZpArchive ---

int checkZipParameters(int argc, const char *archive, const char *const *names)
{
    if (!gZipReady || !archive || !*archive || argc < 0 || argc > kMaxNames || (argc > 0 && !names))
        return fail(ZipBadArgument, "bad arguments");
    return ZipOk;
}

// What one name of the list puts into the archive: every file of the folder for
// "<folder>/*.*" or "<folder>/*", else the file itself.
int collectName(const std::string &name, std::vector<ZipItem> &found)
{
    if (endsWith(name, "/*.*") || endsWith(name, "/*"))
        return collectFolder(fsys::path(name.substr(0, name.rfind('/'))), gZipOptions.fRecurse != 0, found);
    Kind kind = Kind::File;
    const int code = kindOf(name, kind);
    if (code != ZipOk)
        return code;
    if (kind != Kind::File)
        return fail(ZipCannotRead, "the file \"" + name + "\" cannot be read");
    found.push_back({ name, storedName(name) });
    return ZipOk;
}

// The files of the name list, in name order, each stored name once, without the
// archive itself.
int collectFiles(int argc, const char *archive, const char *const *names, std::vector<ZipItem> &items)
{
    std::error_code error;
    const fsys::path self = fsys::weakly_canonical(archive, error);
    std::set<std::string> stored;
    for (int i = 0; i < argc; ++i) {
        if (!names[i] || !*names[i])
            continue;
        std::vector<ZipItem> found;
        const int code = collectName(names[i], found);
        if (code != ZipOk)
            return code;
        for (ZipItem &item : found) {
            if (fsys::weakly_canonical(item.path, error) == self)
                continue;
            if (stored.insert(item.stored).second)
                items.push_back(std::move(item));
        }
    }
    if (items.empty())
        return fail(ZipNothingToDo, "there are no files to put into the archive");
    return ZipOk;
}

int compressionLevel()
{
    return (gZipOptions.fLevel >= '0' && gZipOptions.fLevel <= '9') ? gZipOptions.fLevel - '0' : 6;
}

// A fresh archive in memory, with the password and the comment the options ask
// for; libzip writes nothing to disk before it is closed.
int startArchive(const char *path, Archive &out, std::string &password)
{
    int openError = 0;
    out.reset(libzip().zip_open(path, ZIP_CREATE | ZIP_TRUNCATE, &openError));
    if (!out)
        return fail(ZipCannotCreate, "the archive cannot be created");
    if (gZipOptions.fEncrypt) {
        if (!gZipCallbacks.password || gZipCallbacks.password(password, "Enter password", "") != 0)
            return fail(ZipInterrupted, "no password was given");
    }
    if (gZipOptions.fComment && gZipCallbacks.comment) {
        std::string comment;
        gZipCallbacks.comment(comment);
        if (!comment.empty())
            libzip().zip_set_archive_comment(
                out.get(), comment.c_str(), zip_uint16_t(std::min<size_t>(comment.size(), 65535)));
    }
    return ZipOk;
}

int addFolder(zip_t *out, const ZipItem &item)
{
    const zip_int64_t index = libzip().zip_dir_add(out, item.stored.c_str(), ZIP_FL_ENC_UTF_8);
    if (index < 0)
        return fail(ZipLogic, "the folder \"" + item.path + "\" cannot be added");
    // The folder's own mode and time, as its files carry theirs (libzip
    // would make it writable by everyone).
    struct stat info;
    if (::stat(item.path.c_str(), &info) == 0) {
        libzip().zip_file_set_external_attributes(
            out, zip_uint64_t(index), 0, ZIP_OPSYS_UNIX, ((S_IFDIR | (info.st_mode & 07777)) << 16) | 0x10u);
        libzip().zip_file_set_mtime(out, zip_uint64_t(index), info.st_mtime, 0);
    }
    return ZipOk;
}

// packed is the file already compressed in an archive of its own, copied as it
// is; without it the file is compressed (and encrypted) while out is closed.
int addFile(zip_t *out, const ZipItem &item, zip_t *packed, int level, const std::string &password)
{
    zip_source_t *source = packed ? libzip().zip_source_zip(out, packed, 0, 0, 0, -1)
                                  : libzip().zip_source_file(out, item.path.c_str(), 0, -1);
    if (!source)
        return fail(ZipCannotRead, "the file \"" + item.path + "\" cannot be read");
    const zip_int64_t index = libzip().zip_file_add(out, item.stored.c_str(), source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        libzip().zip_source_free(source);
        return fail(ZipLogic, "the file \"" + item.path + "\" cannot be added");
    }
    if (!packed)
        libzip().zip_set_file_compression(
            out, zip_uint64_t(index), level ? ZIP_CM_DEFLATE : ZIP_CM_STORE, zip_uint32_t(level));
    if (gZipOptions.fEncrypt
        && libzip().zip_file_set_encryption(out, zip_uint64_t(index), ZIP_EM_TRAD_PKWARE, password.c_str())
            != 0)
        return fail(ZipLogic, "the archive cannot be encrypted");
    return ZipOk;
}

// Every item in its order; packed is empty, or holds each file compressed already.
int addItems(zip_t *out, const std::vector<ZipItem> &items, const std::vector<Archive> &packed, int level,
    const std::string &password)
{
    for (size_t i = 0; i < items.size(); ++i) {
        const ZipItem &item = items[i];
        if (gZipCallbacks.ServiceApplication)
            gZipCallbacks.ServiceApplication(item.stored.c_str(), 0);
        const int code = item.folder
            ? addFolder(out, item)
            : addFile(out, item, packed.empty() ? nullptr : packed[i].get(), level, password);
        if (code != ZipOk)
            return code;
    }
    return ZipOk;
}

// libzip writes the archive to a temporary file and renames it over the old
// archive only when it is complete.
int replaceOldArchive(Archive &out)
{
    libzip().zip_register_progress_callback_with_state(out.get(), 0.01, zipProgress, nullptr, nullptr);
    if (libzip().zip_close(out.get()) != 0) {
        const int code = zipErrorCode(libzip().zip_error_code_zip(libzip().zip_get_error(out.get())));
        return fail(code, libzip().zip_strerror(out.get()));
    }
    out.release();
    return ZipOk;
}

} // namespace

int ZpInit(const ZIPUSERFUNCTIONS *callbacks)
{
    gZipCallbacks = callbacks ? *callbacks : ZIPUSERFUNCTIONS {};
    // Without libzip the library did not start, and the caller says so.
    gZipReady = libzip().loaded;
    gDiagnostic = libzip().failure;
    return gZipReady ? 1 : 0;
}

int ZpSetOptions(const ZPOPT *options)
{
    gZipOptions = options ? *options : ZPOPT {};
    gZipRoot = gZipOptions.szRootDir ? gZipOptions.szRootDir : "";
    return 1;
}

int ZpArchive(int argc, const char *archive, const char *const *names)
{
    gDiagnostic.clear();
    int code = checkZipParameters(argc, archive, names);
    if (code != ZipOk)
        return code;
    std::vector<ZipItem> items;
    code = collectFiles(argc, archive, names, items);
    if (code != ZipOk)
        return code;
    std::vector<Archive> packed; // read by out until it is closed
    Archive out;
    std::string password;
    code = startArchive(archive, out, password);
    if (code != ZipOk)
        return code;
    // Unencrypted files are compressed in parallel, each into an archive of its
    // own in memory, whose compressed entry is then copied into the archive as it is.
    if (!gZipOptions.fEncrypt) {
        code = packInParallel(items, compressionLevel(), packed);
        if (code != ZipOk)
            return code;
    }
    code = addItems(out.get(), items, packed, compressionLevel(), password);
    if (code != ZipOk)
        return code;
    return replaceOldArchive(out);
}

} // namespace ziplib
