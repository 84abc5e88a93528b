#include "archive/ZipLibrary.h"

#include <zip.h>

#include <dlfcn.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <future>
#include <thread>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <memory>
#include <set>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fsys = std::filesystem;

namespace ziplib {

namespace {

// libzip is opened the first time an archive is made or read, not as the
// program starts: with the cryptography library it brings along, linking it
// cost every start of the editor more than a millisecond. Its functions are
// called through this table, under their own names.
// clang-format off
#define TVX_LIBZIP_FUNCTIONS(F) \
    F(zip_close) \
    F(zip_compression_method_supported) \
    F(zip_dir_add) \
    F(zip_discard) \
    F(zip_encryption_method_supported) \
    F(zip_error_clear) \
    F(zip_error_code_zip) \
    F(zip_error_fini) \
    F(zip_error_init) \
    F(zip_fclose) \
    F(zip_file_add) \
    F(zip_file_get_error) \
    F(zip_file_get_external_attributes) \
    F(zip_file_set_encryption) \
    F(zip_file_set_external_attributes) \
    F(zip_file_set_mtime) \
    F(zip_fopen_index) \
    F(zip_fopen_index_encrypted) \
    F(zip_fread) \
    F(zip_get_error) \
    F(zip_get_num_entries) \
    F(zip_open) \
    F(zip_open_from_source) \
    F(zip_register_progress_callback_with_state) \
    F(zip_set_archive_comment) \
    F(zip_set_file_compression) \
    F(zip_source_buffer_create) \
    F(zip_source_file) \
    F(zip_source_free) \
    F(zip_source_keep) \
    F(zip_source_zip) \
    F(zip_stat_index) \
    F(zip_stat_init) \
    F(zip_strerror)
// clang-format on

struct LibZip {
#define TVX_LIBZIP_POINTER(name) decltype(&::name) name = nullptr;
    TVX_LIBZIP_FUNCTIONS(TVX_LIBZIP_POINTER)
#undef TVX_LIBZIP_POINTER
    bool loaded = false;
    std::string failure; // why it could not be opened
};

// libzip, opened once by whichever thread asks first; the entry points check
// that it opened before anything else calls it.
const LibZip &libzip()
{
    static const LibZip library = [] {
        LibZip opened;
        void *handle = dlopen(TVX_LIBZIP_FILE, RTLD_NOW | RTLD_LOCAL);
        const std::string name = std::string("the zip library ") + TVX_LIBZIP_FILE;
        if (!handle) {
            const char *why = dlerror();
            opened.failure = name + " cannot be loaded" + (why ? std::string(": ") + why : std::string());
            return opened;
        }
        // It stays open for the rest of the run.
#define TVX_LIBZIP_SYMBOL(function)                                                                          \
    opened.function = reinterpret_cast<decltype(opened.function)>(dlsym(handle, #function));                 \
    if (!opened.function && opened.failure.empty())                                                          \
        opened.failure = name + " lacks " #function;
        TVX_LIBZIP_FUNCTIONS(TVX_LIBZIP_SYMBOL)
#undef TVX_LIBZIP_SYMBOL
        opened.loaded = opened.failure.empty();
        return opened;
    }();
    return library;
}

std::string gDiagnostic;

int fail(int code, const std::string &why)
{
    gDiagnostic = why;
    return code;
}

// A zip_t closed without writing when it goes out of scope.
struct ArchiveCloser {
    void operator()(zip_t *archive) const { libzip().zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;

struct FileCloser {
    void operator()(zip_file_t *file) const { libzip().zip_fclose(file); }
};
using EntryFile = std::unique_ptr<zip_file_t, FileCloser>;

bool endsWith(const std::string &text, const std::string &tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// --- Zip -------------------------------------------------------------------

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

// --- Unzip -----------------------------------------------------------------

struct Entry {
    zip_uint64_t index = 0;
    std::string name; // as stored
    std::vector<std::string> parts; // checked path components
    bool folder = false;
    bool encrypted = false;
    zip_uint64_t size = 0;
};

// Splits a stored name into safe components; false (with a reason) when the
// name is empty, absolute, names a drive or a UNC host, or climbs with "..".
bool checkName(const std::string &stored, std::vector<std::string> &parts, bool &folder, std::string &why)
{
    std::string name = stored;
    std::replace(name.begin(), name.end(), '\\', '/');
    if (name.empty()) {
        why = "an entry has no name";
        return false;
    }
    if (name.front() == '/' || (name.size() >= 2 && name[1] == ':')) {
        why = "the entry \"" + stored + "\" has an absolute name";
        return false;
    }
    folder = name.back() == '/';
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find('/', start);
        if (end == std::string::npos)
            end = name.size();
        const std::string part = name.substr(start, end - start);
        if (part == "..") {
            why = "the entry \"" + stored + "\" would be written outside the extraction folder";
            return false;
        }
        // Checked with the other name rules, so that the refusal comes before
        // anything is written and not at a rename after other files are in place.
        if (part.size() > NAME_MAX) {
            why = "the entry \"" + stored + "\" has a name longer than the file system allows";
            return false;
        }
        if (!part.empty() && part != ".")
            parts.push_back(part);
        start = end + 1;
    }
    if (parts.empty() && !folder) {
        why = "the entry \"" + stored + "\" has no file name";
        return false;
    }
    return true;
}

// Links and special files refuse the archive: their attributes say so.
bool checkKind(zip_t *archive, zip_uint64_t index, const std::string &name, bool &folder, std::string &why)
{
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    if (libzip().zip_file_get_external_attributes(archive, index, 0, &system, &attributes) != 0)
        return true;
    if (system == ZIP_OPSYS_UNIX) {
        const unsigned type = (attributes >> 16) & 0170000u;
        if (type == 0120000u) {
            why = "the entry \"" + name + "\" is a link";
            return false;
        }
        // A pipe entry is what zip stores for data read from its standard input:
        // its bytes become a plain file, as other zip tools extract it.
        if (type == 0040000u)
            folder = true;
        else if (type != 0 && type != 0100000u && type != 0010000u) {
            why = "the entry \"" + name + "\" is a special file";
            return false;
        }
    }
    // The Windows attribute of links and junctions.
    if ((system == ZIP_OPSYS_DOS || system == ZIP_OPSYS_WINDOWS_NTFS || system == ZIP_OPSYS_VFAT)
        && (attributes & 0x400u)) {
        why = "the entry \"" + name + "\" is a link";
        return false;
    }
    return true;
}

int openErrorCode(int libzipError, std::string &why)
{
    switch (libzipError) {
    case ZIP_ER_NOENT:
    case ZIP_ER_OPEN:
        why = "the archive cannot be opened";
        return UnzipNoArchive;
    case ZIP_ER_NOZIP:
        why = "the file is not an archive, or it is truncated";
        return UnzipNoArchive;
    case ZIP_ER_MEMORY:
        why = "out of memory";
        return UnzipMemory;
    default:
        why = "the archive is damaged";
        return UnzipCorrupt;
    }
}

int readErrorCode(int libzipError, std::string &why, const std::string &name)
{
    switch (libzipError) {
    case ZIP_ER_WRONGPASSWD:
    case ZIP_ER_NOPASSWD:
        why = "the password is wrong";
        return UnzipBadPassword;
    case ZIP_ER_MEMORY:
        why = "out of memory";
        return UnzipMemory;
    case ZIP_ER_COMPNOTSUPP:
    case ZIP_ER_ENCRNOTSUPP:
        why = "the entry \"" + name + "\" is stored in a way that cannot be read";
        return UnzipUnsupported;
    default:
        why = "the entry \"" + name + "\" is damaged";
        return UnzipCorrupt;
    }
}

// A file inflated under a temporary name beside its target.
struct WrittenFile {
    std::string temporary;
    std::string target;
    std::string backup; // the file it replaces, moved aside until the extraction completes
    bool placed = false;
};

// What one extraction has put on disk so far, removed again unless it completes:
// files placed are taken back (the files they replaced restored), temporary files
// and the folders it created are removed.
struct Extraction {
    std::string root; // the extraction folder, links resolved
    std::vector<std::string> createdFolders;
    std::vector<WrittenFile> written;

    ~Extraction()
    {
        for (auto it = written.rbegin(); it != written.rend(); ++it) {
            ::unlink((it->placed ? it->target : it->temporary).c_str());
            if (!it->backup.empty())
                ::rename(it->backup.c_str(), it->target.c_str());
        }
        for (auto it = createdFolders.rbegin(); it != createdFolders.rend(); ++it)
            ::rmdir(it->c_str());
    }

    // Gives every written file its name; false (with the target that failed) as
    // soon as one cannot be placed, which leaves the rest to the destructor.
    bool place(std::string &failed)
    {
        for (WrittenFile &file : written) {
            failed = file.target;
            struct stat existing;
            if (::lstat(file.target.c_str(), &existing) == 0) {
                std::string backup = fsys::path(file.target).parent_path().string() + "/.tvk-XXXXXX";
                const int fd = ::mkstemp(backup.data());
                if (fd < 0)
                    return false;
                ::close(fd);
                if (::rename(file.target.c_str(), backup.c_str()) != 0) {
                    ::unlink(backup.c_str());
                    return false;
                }
                file.backup = backup;
            }
            if (::rename(file.temporary.c_str(), file.target.c_str()) != 0)
                return false;
            file.placed = true;
        }
        failed.clear();
        for (const WrittenFile &file : written) {
            if (!file.backup.empty())
                ::unlink(file.backup.c_str());
        }
        written.clear();
        createdFolders.clear();
        return true;
    }

    bool inside(const std::string &path) const
    {
        char resolved[PATH_MAX];
        if (!::realpath(path.c_str(), resolved))
            return false;
        const std::string text(resolved);
        return text == root || text.compare(0, root.size() + 1, root + "/") == 0;
    }

    // Creates (or finds) folder, which must be a folder inside the root once its links are resolved.
    bool makeFolder(const std::string &folder)
    {
        struct stat info;
        if (::lstat(folder.c_str(), &info) != 0) {
            if (::mkdir(folder.c_str(), 0777) != 0)
                return false;
            createdFolders.push_back(folder);
        }
        struct stat target;
        return ::stat(folder.c_str(), &target) == 0 && S_ISDIR(target.st_mode) && inside(folder);
    }
};

// Creates path and the folders above it that are missing, remembering what it created.
bool makeRoot(const std::string &path, Extraction &extraction)
{
    std::vector<std::string> missing;
    fsys::path at = fsys::path(path).lexically_normal();
    if (at.has_filename() == false)
        at = at.parent_path();
    struct stat info;
    while (!at.empty() && ::stat(at.c_str(), &info) != 0) {
        missing.push_back(at.string());
        if (at == at.parent_path())
            break;
        at = at.parent_path();
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        if (::mkdir(it->c_str(), 0777) != 0 && errno != EEXIST)
            return false;
        extraction.createdFolders.push_back(*it);
    }
    char resolved[PATH_MAX];
    if (!::realpath(path.c_str(), resolved))
        return false;
    extraction.root = resolved;
    return ::stat(resolved, &info) == 0 && S_ISDIR(info.st_mode);
}

bool wanted(const std::string &name, int count, const char *const *names)
{
    for (int i = 0; i < count; ++i) {
        if (names && names[i] && name == names[i])
            return true;
    }
    return false;
}

void yieldTo(const USERFUNCTIONS *callbacks)
{
    if (callbacks && callbacks->print)
        callbacks->print("", 0);
}

void listEntries(zip_t *archive, const std::vector<Entry> &entries, const USERFUNCTIONS *callbacks)
{
    for (const Entry &entry : entries) {
        zip_stat_t st;
        libzip().zip_stat_init(&st);
        libzip().zip_stat_index(archive, entry.index, 0, &st);
        std::tm when {};
        const std::time_t mtime = (st.valid & ZIP_STAT_MTIME) ? st.mtime : 0;
        localtime_r(&mtime, &when);
        const unsigned long compressed = (st.valid & ZIP_STAT_COMP_SIZE) ? st.comp_size : 0;
        const unsigned ratio
            = st.size ? unsigned(100 - std::min<zip_uint64_t>(100, compressed * 100 / st.size)) : 0;
        const char *method = st.comp_method == ZIP_CM_STORE ? "Stored" : "Defl:N";
        if (callbacks && callbacks->SendApplicationMessage)
            callbacks->SendApplicationMessage(st.size, compressed, ratio, unsigned(when.tm_mon + 1),
                unsigned(when.tm_mday), unsigned(when.tm_year % 100), unsigned(when.tm_hour),
                unsigned(when.tm_min), ' ', entry.name.c_str(), method, st.crc, entry.encrypted ? 'E' : ' ');
        yieldTo(callbacks);
    }
}

// Inflating an encrypted entry failed with the password given: libzip checks only
// one byte of a password, so about one wrong password in 256 opens the entry and
// then shows as damaged data.
constexpr int kWrongPassword = -1;

bool isDataFault(int libzipError)
{
    return libzipError == ZIP_ER_CRC || libzipError == ZIP_ER_COMPRESSED_DATA || libzipError == ZIP_ER_ZLIB;
}

// Asks for the password until it opens entry; the tries are counted over the
// whole extraction.
int obtainPassword(
    zip_t *archive, const Entry &entry, const USERFUNCTIONS *callbacks, std::string &password, int &asked)
{
    while (asked < kPasswordTries) {
        ++asked;
        password.clear();
        if (!callbacks || !callbacks->password
            || callbacks->password(password, "Enter password", entry.name.c_str()) != 0)
            return fail(UnzipBadPassword, "no password was given");
        zip_file_t *file = libzip().zip_fopen_index_encrypted(archive, entry.index, 0, password.c_str());
        if (file) {
            libzip().zip_fclose(file);
            return UnzipOk;
        }
        const int error = libzip().zip_error_code_zip(libzip().zip_get_error(archive));
        libzip().zip_error_clear(archive);
        if (error != ZIP_ER_WRONGPASSWD) {
            std::string why;
            const int code = readErrorCode(error, why, entry.name);
            return fail(code, why);
        }
    }
    return fail(UnzipBadPassword, "the password is wrong");
}

// Writes one entry into a new temporary file beside target. An encrypted entry
// whose data fails with the password given leaves no file and gives kWrongPassword.
int inflateEntry(zip_t *archive, const Entry &entry, const std::string &password, const std::string &folder,
    const std::string &target, std::int64_t &inflated, const USERFUNCTIONS *callbacks, Extraction &extraction)
{
    EntryFile file(entry.encrypted
            ? libzip().zip_fopen_index_encrypted(archive, entry.index, 0, password.c_str())
            : libzip().zip_fopen_index(archive, entry.index, 0));
    std::string why;
    if (!file) {
        const int error = libzip().zip_error_code_zip(libzip().zip_get_error(archive));
        libzip().zip_error_clear(archive);
        if (entry.encrypted && error == ZIP_ER_WRONGPASSWD)
            return kWrongPassword;
        const int code = readErrorCode(error, why, entry.name);
        return fail(code, why);
    }
    std::string temporary = folder + "/.tvk-XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return fail(UnzipDisk, "the file \"" + target + "\" cannot be written");
    extraction.written.push_back({ temporary, target, {}, false });
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);

    static std::vector<char> buffer(1 << 20);
    zip_uint64_t entryBytes = 0;
    int result = UnzipOk;
    bool dataFault = false;
    for (;;) {
        const zip_int64_t got = libzip().zip_fread(file.get(), buffer.data(), buffer.size());
        if (got < 0) {
            const int error = libzip().zip_error_code_zip(libzip().zip_file_get_error(file.get()));
            dataFault = isDataFault(error);
            result = readErrorCode(error, why, entry.name);
            break;
        }
        if (got == 0)
            break;
        entryBytes += zip_uint64_t(got);
        inflated += got;
        if (entryBytes > entry.size) {
            dataFault = true;
            result = UnzipCorrupt;
            why = "the entry \"" + entry.name + "\" holds more data than it declares";
            break;
        }
        if (inflated > kMaxInflatedBytes) {
            result = UnzipRefused;
            why = "the archive inflates to more than 512 MiB";
            break;
        }
        for (zip_int64_t done = 0; done < got;) {
            const ssize_t wrote = ::write(fd, buffer.data() + done, size_t(got - done));
            if (wrote <= 0) {
                result = UnzipDisk;
                why = "the file \"" + target + "\" cannot be written";
                break;
            }
            done += wrote;
        }
        if (result != UnzipOk)
            break;
        yieldTo(callbacks);
    }
    if (::close(fd) != 0 && result == UnzipOk) {
        result = UnzipDisk;
        why = "the file \"" + target + "\" cannot be written";
    }
    if (result != UnzipOk && dataFault && entry.encrypted) {
        inflated -= std::int64_t(entryBytes);
        ::unlink(temporary.c_str());
        extraction.written.pop_back();
        return kWrongPassword;
    }
    return result == UnzipOk ? UnzipOk : fail(result, why);
}

// --- The phases of Wiz_SingleEntryUnzip ---

// The entries a run takes: when includeCount is not 0 only those include names,
// and never those exclude names (stored names, exactly).
struct NameLists {
    int includeCount = 0;
    const char *const *include = nullptr;
    int excludeCount = 0;
    const char *const *exclude = nullptr;

    bool takes(const std::string &name) const
    {
        return !((includeCount > 0 && !wanted(name, includeCount, include))
            || (excludeCount > 0 && wanted(name, excludeCount, exclude)));
    }
};

int checkUnzipParameters(const NameLists &names, const DCL *options)
{
    if (!options || !options->lpszZipFN || !*options->lpszZipFN)
        return fail(UnzipBadParameters, "no archive was named");
    if (names.includeCount < 0 || names.includeCount > kMaxNames || names.excludeCount < 0
        || names.excludeCount > kMaxNames || (names.includeCount > 0 && !names.include)
        || (names.excludeCount > 0 && !names.exclude))
        return fail(UnzipBadParameters, "bad name lists");
    if (!options->nvflag && (!options->lpszExtractDir || !*options->lpszExtractDir))
        return fail(UnzipBadParameters, "no extraction folder was named");
    return UnzipOk;
}

int openArchive(const char *path, Archive &archive)
{
    int openError = 0;
    archive.reset(libzip().zip_open(path, ZIP_RDONLY | ZIP_CHECKCONS, &openError));
    if (!archive) {
        std::string why;
        const int code = openErrorCode(openError, why);
        return fail(code, why);
    }
    return UnzipOk;
}

// Reads entry index: its name and kind must be safe to extract, and it must be
// stored in a way that can be read.
int checkEntry(zip_t *archive, zip_uint64_t index, Entry &entry)
{
    zip_stat_t st;
    if (libzip().zip_stat_index(archive, index, 0, &st) != 0 || !(st.valid & ZIP_STAT_NAME)
        || !(st.valid & ZIP_STAT_SIZE))
        return fail(UnzipCorrupt, "the archive is damaged");
    entry.index = index;
    entry.name = st.name;
    entry.size = st.size;
    std::string why;
    if (!checkName(entry.name, entry.parts, entry.folder, why)
        || !checkKind(archive, entry.index, entry.name, entry.folder, why))
        return fail(UnzipRefused, why);
    entry.encrypted = (st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE;
    if ((st.valid & ZIP_STAT_COMP_METHOD) && !libzip().zip_compression_method_supported(st.comp_method, 0))
        return fail(
            UnzipUnsupported, "the entry \"" + entry.name + "\" is compressed in a way that cannot be read");
    if (entry.encrypted && !libzip().zip_encryption_method_supported(st.encryption_method, 0))
        return fail(
            UnzipUnsupported, "the entry \"" + entry.name + "\" is encrypted in a way that cannot be read");
    return UnzipOk;
}

// Every entry is checked, and the archive held to the limits, before anything is
// written; entries receives the ones the name lists take.
int checkEntries(zip_t *archive, const NameLists &names, std::vector<Entry> &entries)
{
    const zip_int64_t count = libzip().zip_get_num_entries(archive, 0);
    if (count < 0)
        return fail(UnzipCorrupt, "the archive is damaged");
    if (count > kMaxEntries)
        return fail(UnzipRefused, "the archive holds more than 10000 entries");
    zip_uint64_t declared = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        Entry entry;
        const int code = checkEntry(archive, zip_uint64_t(i), entry);
        if (code != UnzipOk)
            return code;
        declared += entry.size;
        if (entry.size > zip_uint64_t(kMaxInflatedBytes) || declared > zip_uint64_t(kMaxInflatedBytes))
            return fail(UnzipRefused, "the archive inflates to more than 512 MiB");
        if (names.takes(entry.name))
            entries.push_back(std::move(entry));
    }
    return UnzipOk;
}

// A name that is a file in one entry and a folder in another cannot be extracted.
int checkFileFolderClashes(const std::vector<Entry> &entries)
{
    std::set<std::string> files, folders;
    for (const Entry &entry : entries) {
        std::string path;
        for (size_t i = 0; i < entry.parts.size(); ++i) {
            path += (i ? "/" : "") + entry.parts[i];
            if (i + 1 < entry.parts.size() || entry.folder)
                folders.insert(path);
            else
                files.insert(path);
        }
    }
    for (const std::string &file : files) {
        if (folders.count(file))
            return fail(UnzipRefused, "\"" + file + "\" is both a file and a folder in the archive");
    }
    return UnzipOk;
}

// Writes the entries of one extraction: each file inflated into a temporary file
// in its folder, and given its name only once all of them are complete. What it
// wrote is taken back unless placeFiles succeeds.
class Extractor
{
public:
    Extractor(zip_t *archive, const DCL &options, const USERFUNCTIONS *callbacks)
        : m_archive(archive)
        , m_options(options)
        , m_callbacks(callbacks)
    {
    }

    int extractToTemporaryFiles(const std::vector<Entry> &entries)
    {
        if (!makeRoot(m_options.lpszExtractDir, m_extraction))
            return fail(
                UnzipDisk, std::string("the folder \"") + m_options.lpszExtractDir + "\" cannot be created");
        int code = askFirstPassword(entries);
        for (auto entry = entries.begin(); code == UnzipOk && entry != entries.end(); ++entry)
            code = extract(*entry);
        return code;
    }

    int placeFiles()
    {
        std::string failed;
        if (!m_extraction.place(failed))
            return fail(UnzipDisk, "the file \"" + failed + "\" cannot be written");
        return UnzipOk;
    }

private:
    int askFirstPassword(const std::vector<Entry> &entries)
    {
        const auto first = std::find_if(
            entries.begin(), entries.end(), [](const Entry &e) { return e.encrypted && !e.folder; });
        if (first == entries.end())
            return UnzipOk;
        return obtainPassword(m_archive, *first, m_callbacks, m_password, m_asked);
    }

    // One entry: its folders, and for a file, once it may be written, its bytes.
    int extract(const Entry &entry)
    {
        std::string folder;
        int code = makeFolders(entry, folder);
        if (code != UnzipOk || entry.folder)
            return code;
        const std::string target = folder + "/" + entry.parts.back();
        bool write = true;
        code = mayWrite(target, write);
        if (code != UnzipOk || !write)
            return code;
        if (m_callbacks && m_callbacks->ServCallBk)
            m_callbacks->ServCallBk(entry.name.c_str(), (unsigned long)entry.size);
        return inflateAskingPassword(entry, folder, target);
    }

    // The folder the entry goes into (the extraction folder itself unless stored
    // folders are kept), made with those above it that are missing.
    int makeFolders(const Entry &entry, std::string &folder)
    {
        std::vector<std::string> folders(entry.parts.begin(), entry.parts.end() - (entry.folder ? 0 : 1));
        if (!m_options.ndflag)
            folders.clear();
        folder = m_extraction.root;
        for (const std::string &part : folders) {
            folder += "/" + part;
            if (!m_extraction.makeFolder(folder))
                return fail(
                    UnzipDisk, "the folder \"" + folder + "\" cannot be made inside the extraction folder");
        }
        return UnzipOk;
    }

    // A file that exists at target is replaced when the options say so or the
    // replace callback agrees; "none" answers every later question too. A folder
    // there fails the extraction.
    int mayWrite(const std::string &target, bool &write)
    {
        struct stat existing;
        if (::lstat(target.c_str(), &existing) != 0)
            return UnzipOk;
        if (S_ISDIR(existing.st_mode))
            return fail(UnzipDisk, "a folder stands where the file \"" + target + "\" goes");
        if (!m_options.noflag) {
            const int answer = m_replaceNone || !m_callbacks || !m_callbacks->replace
                ? ReplaceNo
                : m_callbacks->replace(target.c_str());
            m_replaceNone = m_replaceNone || answer == ReplaceNone;
            write = answer == ReplaceYes;
        }
        return UnzipOk;
    }

    int inflateAskingPassword(const Entry &entry, const std::string &folder, const std::string &target)
    {
        int code = inflateEntry(
            m_archive, entry, m_password, folder, target, m_inflated, m_callbacks, m_extraction);
        while (code == kWrongPassword) {
            code = obtainPassword(m_archive, entry, m_callbacks, m_password, m_asked);
            if (code == UnzipOk)
                code = inflateEntry(
                    m_archive, entry, m_password, folder, target, m_inflated, m_callbacks, m_extraction);
        }
        return code;
    }

    zip_t *m_archive;
    const DCL &m_options;
    const USERFUNCTIONS *m_callbacks;
    Extraction m_extraction;
    std::string m_password;
    int m_asked = 0; // tries of the password, counted over the whole extraction
    std::int64_t m_inflated = 0;
    bool m_replaceNone = false;
};

} // namespace

const std::string &LastDiagnostic()
{
    return gDiagnostic;
}

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

int Wiz_SingleEntryUnzip(int ifnc, const char *const *ifnv, int xfnc, const char *const *xfnv,
    const DCL *options, const USERFUNCTIONS *callbacks)
{
    gDiagnostic.clear();
    if (!libzip().loaded)
        return fail(UnzipCorrupt, libzip().failure);
    const NameLists names { ifnc, ifnv, xfnc, xfnv };
    int code = checkUnzipParameters(names, options);
    if (code != UnzipOk)
        return code;
    Archive archive;
    code = openArchive(options->lpszZipFN, archive);
    if (code != UnzipOk)
        return code;
    std::vector<Entry> entries;
    code = checkEntries(archive.get(), names, entries);
    if (code != UnzipOk)
        return code;
    code = checkFileFolderClashes(entries);
    if (code != UnzipOk)
        return code;
    if (options->nvflag) {
        listEntries(archive.get(), entries, callbacks);
        return UnzipOk;
    }
    // A failure from here on leaves nothing behind: the extractor takes back what it wrote.
    Extractor extractor(archive.get(), *options, callbacks);
    code = extractor.extractToTemporaryFiles(entries);
    if (code != UnzipOk)
        return code;
    return extractor.placeFiles();
}

} // namespace ziplib
