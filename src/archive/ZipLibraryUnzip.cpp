// The unzip half of the archive library: Wiz_SingleEntryUnzip, which lists or
// extracts an archive.
#include "archive/ZipLibrary.h"

#include "archive/ZipLibraryCommon.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <set>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fsys = std::filesystem;

namespace ziplib {

using namespace detail;

namespace {

struct FileCloser {
    void operator()(zip_file_t *file) const { libzip().zip_fclose(file); }
};
using EntryFile = std::unique_ptr<zip_file_t, FileCloser>;

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
    case ZIP_ER_MULTIDISK:
        why = "the archive is split into several parts, which is not supported";
        return UnzipUnsupported;
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
    if (result == UnzipOk && entryBytes < entry.size) {
        dataFault = true;
        result = UnzipCorrupt;
        why = "the entry \"" + entry.name + "\" holds less data than it declares";
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

// The bytes that the comments of the end records near the end of the file are
// stated to hold beyond it; 0 when every comment fits.
zip_uint64_t missingCommentBytes(int fd, zip_uint64_t size)
{
    constexpr zip_uint64_t kEndRecord = 22, kLongestComment = 65535;
    const zip_uint64_t tail = std::min(size, kEndRecord + kLongestComment);
    std::vector<unsigned char> bytes(tail);
    if (::pread(fd, bytes.data(), size_t(tail), off_t(size - tail)) != ssize_t(tail))
        return 0;
    zip_uint64_t missing = 0;
    for (zip_uint64_t at = 0; at + kEndRecord <= tail; ++at) {
        if (std::memcmp(&bytes[at], "PK\5\6", 4) != 0)
            continue;
        const zip_uint64_t end = at + kEndRecord + (bytes[at + 20] | unsigned(bytes[at + 21]) << 8);
        missing = std::max(missing, end > tail ? end - tail : 0);
    }
    return missing;
}

// Opens the archive at path from memory, with the bytes its comment misses
// after it as zeros, as other zip tools read an archive cut short inside its
// comment; nullptr when no comment runs past its end, or with openError when it
// still cannot be opened.
zip_t *openWithCommentCompleted(const char *path, int &openError)
{
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat info;
    zip_uint64_t size = 0, missing = 0;
    if (::fstat(fd, &info) == 0) {
        size = zip_uint64_t(info.st_size);
        missing = missingCommentBytes(fd, size);
    }
    // Freed by libzip with the source.
    auto *bytes = missing ? static_cast<char *>(std::calloc(size + missing, 1)) : nullptr;
    const bool read = bytes && ::pread(fd, bytes, size_t(size), 0) == ssize_t(size);
    ::close(fd);
    if (!read) {
        std::free(bytes);
        return nullptr;
    }
    zip_error_t error;
    libzip().zip_error_init(&error);
    zip_source_t *source = libzip().zip_source_buffer_create(bytes, size + missing, 1, &error);
    zip_t *archive = nullptr;
    if (!source)
        std::free(bytes);
    else if (!(archive = libzip().zip_open_from_source(source, ZIP_RDONLY, &error)))
        libzip().zip_source_free(source);
    if (!archive)
        openError = libzip().zip_error_code_zip(&error);
    libzip().zip_error_fini(&error);
    return archive;
}

// Opened as unzip and other zip tools open an archive: bytes after its end, a
// comment of another length than its end record states, and headers that differ
// from the directory in dates or extra fields do not refuse it. What is read of
// an entry is still checked against its size and CRC.
int openArchive(const char *path, Archive &archive)
{
    int openError = 0;
    archive.reset(libzip().zip_open(path, ZIP_RDONLY, &openError));
    if (!archive && openError == ZIP_ER_INCONS)
        archive.reset(openWithCommentCompleted(path, openError));
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
    std::set<std::string> stored;
    for (zip_int64_t i = 0; i < count; ++i) {
        Entry entry;
        const int code = checkEntry(archive, zip_uint64_t(i), entry);
        if (code != UnzipOk)
            return code;
        if (!stored.insert(entry.name).second)
            return fail(UnzipCorrupt, "the archive holds the entry \"" + entry.name + "\" twice");
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
