#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

// The one layer between the archive dialogs and the archive library: the dialogs
// write the staging variables below, call RunZip or RunUnzip without arguments
// and read the outcome afterwards. Everything runs on the user-interface thread;
// while the library works its print callback lets pending events other than user
// input run, and the calling dialog stays disabled and cannot be closed.

// The names handed to the library: at most 100, counted from slot 0.
using ZipNameList = std::array<QString, 100>;

// --- Zip staging ---
extern QString gZipOptDate; // null: no date filter
extern QString gZipOptRootDir; // stored names are relative to it
extern QString gZipOptTempDir;
extern int16_t gZipOptRecurse; // 1: a wildcard name takes the subfolders' files too
extern int16_t gZipOptLevel; // character code of the level digit: 57 is "9"
extern int16_t gZipOptJunkDir;
extern int16_t gZipOptEncrypt;
extern int16_t gZipOptUpdate;
extern int16_t gZipOptFreshen;
extern int16_t gZipOptComment;
extern int16_t gZipArgc;
extern QString gZipArchiveName;
extern ZipNameList gZipFileNames;

// --- Unzip staging ---
// One 16-bit value per unzip option, in this order.
namespace UnzipFlag {
enum : int {
    ExtractOnlyNewer,
    SpaceToUnderscore,
    PromptToOverwrite,
    fQuiet,
    ncflag,
    ntflag,
    nvflag,
    nfflag,
    nzflag,
    ndflag,
    noflag,
    naflag,
    nZIflag,
    C_flag,
    fPrivilege,
    Count
};
} // namespace UnzipFlag
extern std::array<int16_t, UnzipFlag::Count> gUnzipOptFlags;
extern QString gUnzipArchiveName;
extern QString gUnzipExtractDir; // "" for a listing
extern int32_t gUnzipFileCount;
extern ZipNameList gUnzipFileNames;
extern int32_t gUnzipExcludeCount;
extern ZipNameList gUnzipExcludeNames;

// Set when the user gave no password, so that the rest of the run asks no more;
// every run starts with it cleared.
extern int16_t gUnzipSkipPassword;

// The skin files a listing found at the archive's root: "Skinv1.ini" before
// "Skin.ini", "Skinfs.ini" before "Skinfsv1.ini"; "" when none.
extern QString gTVKNormalIni;
extern QString gTVKFullScreenIni;

// The stored names of the entries the last listing found, in archive order.
extern QStringList gUnzipListedNames;

// Why the last run failed, in the library's words; "" after success.
extern QString gArchiveDiagnostic;

// Writes gZipArchiveName from the staged names. 0 when written; 1 when the
// library did not start (a message has been shown); otherwise the library's code
// (2 to 16 or 18).
int32_t RunZip();

// Lists (nvflag 1) or extracts gUnzipArchiveName; the library's code goes to
// gApiResult (0 for success).
void RunUnzip();
