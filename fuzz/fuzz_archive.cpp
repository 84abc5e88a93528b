// Opens, lists and extracts arbitrary bytes as an archive; aborts when anything
// is written outside the extraction folder, when the extraction folder is or
// holds a link or a special file, or when a refused extraction leaves anything
// behind (half the inputs go into a folder that holds a "Skin.ini" already,
// which must then be as it was).
//
// The extraction folder lies a few folders down a temporary root, and the
// current folder is its parent while an input is read: a name that climbs out of
// the extraction folder, or that is taken relative to the current folder, lands
// in the root; one that climbs further, or that is taken as absolute, lands at
// the top of the file system or in a folder there. The folders of the root and
// the top of the file system are watched through their times of change, which a
// name added or taken away moves on (one status each); the archive must keep its
// node and bytes. The folders at the top, which other programs change too, are not.
#include "archive/ZipLibrary.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fsys = std::filesystem;

namespace {

int quiet(const char *, unsigned long)
{
    return 0;
}

int password(std::string &answer, const char *, const char *)
{
    answer = "secret";
    return 0;
}

int replaceYes(const char *)
{
    return ziplib::ReplaceYes;
}

std::string bytesOf(const std::string &path)
{
    std::string bytes;
    if (FILE *file = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
            bytes.append(buffer, got);
        std::fclose(file);
    }
    return bytes;
}

void writeFile(const std::string &path, const void *data, size_t size)
{
    if (FILE *file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
}

// The folders between the root and the extraction folder.
constexpr int kDepth = 4;

struct Root {
    std::string path; // the temporary root
    std::string archive; // the input, as a file in the root
    std::string current; // the current folder while an input is read
    std::string target; // the extraction folder
    std::vector<int> watched; // the folders from the root down to the current one, and "/"
    int home = -1; // the current folder of the process, to come back to

    Root()
    {
        char pattern[] = "/tmp/fuzz_archive.XXXXXX";
        if (!mkdtemp(pattern))
            std::abort();
        path = current = pattern;
        archive = path + "/a.tvk";
        for (int i = 0; i <= kDepth; ++i) {
            if (i > 0 && ::mkdir((current += "/d").c_str(), 0700) != 0)
                std::abort();
            watched.push_back(::open(current.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
        }
        watched.push_back(::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC));
        target = current + "/out";
        home = ::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (home < 0 || std::count(watched.begin(), watched.end(), -1))
            std::abort();
    }
    ~Root() { fsys::remove_all(path); }

    // Each watched folder's time of change (the current folder's changes as the
    // extraction folder comes and goes), and the archive's node.
    std::vector<long long> state() const
    {
        std::vector<long long> numbers;
        struct stat info = {};
        for (size_t i = 0; i < watched.size(); ++i) {
            ::fstat(watched[i], &info);
            if (i != size_t(kDepth))
                numbers.insert(numbers.end(), { info.st_mtim.tv_sec, info.st_mtim.tv_nsec });
        }
        info = {};
        ::lstat(archive.c_str(), &info);
        numbers.insert(numbers.end(), { (long long)info.st_mode, (long long)info.st_ino });
        return numbers;
    }

    // The current folder holds the extraction folder or nothing.
    bool currentHoldsOnlyTarget() const
    {
        std::error_code error;
        for (fsys::directory_iterator it(current, error), end; !error && it != end; it.increment(error)) {
            if (it->path() != target)
                return false;
        }
        return !error;
    }
};

bool onlyFilesAndFolders(const std::string &folder)
{
    std::error_code error;
    for (fsys::recursive_directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        const fsys::file_type type = it->symlink_status(error).type();
        if (type != fsys::file_type::regular && type != fsys::file_type::directory)
            return false;
    }
    return !error;
}

void violation(const char *what)
{
    std::fprintf(stderr, "fuzz_archive: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const Root root;
    const std::string &target = root.target;
    writeFile(root.archive, data, size);
    const bool occupied = size % 2 == 1;
    if (occupied) {
        fsys::create_directory(target);
        writeFile(target + "/Skin.ini", "old", 3);
    }
    const std::vector<long long> before = root.state();

    ziplib::USERFUNCTIONS callbacks;
    callbacks.print = quiet;
    callbacks.password = password;
    callbacks.replace = replaceYes;
    ziplib::DCL options;
    options.lpszZipFN = root.archive.c_str();
    options.lpszExtractDir = "";
    options.nvflag = 1;
    options.ndflag = 1;
    if (::chdir(root.current.c_str()) != 0)
        violation("cannot enter the temporary root");
    ziplib::Wiz_SingleEntryUnzip(0, nullptr, 0, nullptr, &options, &callbacks);
    options.nvflag = 0;
    options.noflag = 1;
    options.lpszExtractDir = target.c_str();
    const int result = ziplib::Wiz_SingleEntryUnzip(0, nullptr, 0, nullptr, &options, &callbacks);
    if (::fchdir(root.home) != 0)
        violation("cannot leave the temporary root");

    if (root.state() != before || !root.currentHoldsOnlyTarget()
        || bytesOf(root.archive) != std::string(data, data + size))
        violation("written outside the extraction folder");
    std::error_code error;
    const fsys::file_type made = fsys::symlink_status(target, error).type();
    if (made != fsys::file_type::not_found
        && (made != fsys::file_type::directory || !onlyFilesAndFolders(target)))
        violation("the extraction folder is or holds a link or a special file");
    if (result != 0 && made == fsys::file_type::directory) {
        // A refused archive leaves nothing behind, and what was there stays.
        int left = 0;
        for (const auto &entry : fsys::directory_iterator(target))
            left += entry.path().filename() == "Skin.ini" && occupied ? 0 : 1;
        if (left || (occupied && bytesOf(target + "/Skin.ini") != "old"))
            violation("a refused extraction left files behind");
    }
    fsys::remove_all(target);
    return 0;
}
