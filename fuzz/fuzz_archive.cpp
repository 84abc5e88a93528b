// Opens, lists and extracts arbitrary bytes as an archive into a temporary folder;
// aborts when anything appears outside the extraction folder, or when a refused
// extraction leaves anything behind (half the inputs go into a folder that holds
// a "Skin.ini" already, which must then be as it was).
#include "archive/ZipLibrary.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

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
        char buffer[16];
        bytes.assign(buffer, std::fread(buffer, 1, sizeof buffer, file));
        std::fclose(file);
    }
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    char pattern[] = "/tmp/fuzz_archive.XXXXXX";
    const char *sandbox = mkdtemp(pattern);
    if (!sandbox)
        return 0;
    const std::string archive = std::string(sandbox) + "/a.tvk";
    const std::string target = std::string(sandbox) + "/out";
    if (FILE *file = std::fopen(archive.c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    }

    const bool occupied = size % 2 == 1;
    if (occupied) {
        std::filesystem::create_directory(target);
        if (FILE *file = std::fopen((target + "/Skin.ini").c_str(), "wb")) {
            std::fputs("old", file);
            std::fclose(file);
        }
    }

    ziplib::USERFUNCTIONS callbacks;
    callbacks.print = quiet;
    callbacks.password = password;
    callbacks.replace = replaceYes;
    ziplib::DCL options;
    options.lpszZipFN = archive.c_str();
    options.lpszExtractDir = "";
    options.nvflag = 1;
    options.ndflag = 1;
    ziplib::Wiz_SingleEntryUnzip(0, nullptr, 0, nullptr, &options, &callbacks);
    options.nvflag = 0;
    options.noflag = 1;
    options.lpszExtractDir = target.c_str();
    const int result = ziplib::Wiz_SingleEntryUnzip(0, nullptr, 0, nullptr, &options, &callbacks);

    int outside = 0;
    for (const auto &entry : std::filesystem::directory_iterator(sandbox)) {
        const std::string name = entry.path().filename().string();
        if (name != "a.tvk" && name != "out")
            ++outside;
    }
    if (result != 0 && std::filesystem::exists(target)) {
        // A refused archive leaves nothing behind, and what was there stays.
        int left = 0;
        for (const auto &entry : std::filesystem::directory_iterator(target))
            left += entry.path().filename() == "Skin.ini" && occupied ? 0 : 1;
        if (left || (occupied && bytesOf(target + "/Skin.ini") != "old"))
            ++outside;
    }
    std::filesystem::remove_all(sandbox);
    if (outside)
        std::abort();
    return 0;
}
