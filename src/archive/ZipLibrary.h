#pragma once

#include <cstdint>
#include <string>

// The archive library the skin archives use: a zip writer and an unzip reader
// with the entry points, option records, callbacks and result codes the archive
// dialogs were designed around, built on libzip (opened when first needed).
//
// Extraction is safe against hostile archives: every entry is checked before
// anything is written (names that are empty, absolute, hold a drive or "..", or
// a part longer than a file system allows, links and special files refuse the
// whole archive; an entry marked as a pipe is data and becomes a plain file), the
// number of entries and the bytes actually inflated are limited, every file goes
// to a temporary name and is renamed only once every entry has been read without
// fault, and every folder is checked to lie inside the extraction folder after its
// links are resolved. A refused or failed extraction leaves nothing behind: files
// already renamed are taken back and the files they replaced restored.
//
// Creation packs regular files, and links that lead to a regular file inside the
// skin folder as that file; any other link and any special file refuses it by name.
namespace ziplib {

// Limits that stop archive bombs.
constexpr std::int64_t kMaxEntries = 10000;
constexpr std::int64_t kMaxInflatedBytes = std::int64_t(512) * 1024 * 1024;
// Tries of a password before the extraction gives up.
constexpr int kPasswordTries = 3;
// The name lists handed to the entry points hold at most this many names; a
// larger count is refused as a bad parameter, never read past the list.
constexpr int kMaxNames = 100;

// --- The zip side ---

// Results of ZpArchive (0 success); 1 is the caller's "library did not start".
enum ZipResult : int {
    ZipOk = 0,
    ZipUnexpectedEnd = 2,
    ZipStructure = 3,
    ZipMemory = 4,
    ZipLogic = 5,
    ZipEntryTooLarge = 6,
    ZipBadComment = 7,
    ZipTestFailed = 8,
    ZipInterrupted = 9,
    ZipTempFile = 10,
    ZipReadSeek = 11,
    ZipNothingToDo = 12,
    ZipMissingArchive = 13,
    ZipWrite = 14,
    ZipCannotCreate = 15,
    ZipBadArgument = 16,
    ZipCannotRead = 18,
};

using PrintCallback = int (*)(const char *text, unsigned long length);
// Fills comment; returns 1.
using CommentCallback = int (*)(std::string &comment);
// Fills password (no length limit); 0 when one was given, else 1.
using PasswordCallback = int (*)(std::string &password, const char *prompt, const char *entryName);
using ServiceCallback = int (*)(const char *entryName, unsigned long size);

struct ZIPUSERFUNCTIONS {
    PrintCallback print = nullptr;
    CommentCallback comment = nullptr;
    PasswordCallback password = nullptr;
    ServiceCallback ServiceApplication = nullptr;
};

// Options of the next ZpArchive. Flags are 0 or 1; the library reads szRootDir
// (stored names are relative to it), fRecurse (a wildcard name takes the subfolders
// too, each as a folder entry before its files), fJunkDir (stored names are bare file names), fEncrypt (asks
// a password and encrypts), fComment (asks an archive comment) and fLevel ('0' to '9').
struct ZPOPT {
    const char *Date = nullptr;
    const char *szRootDir = nullptr;
    const char *szTempDir = nullptr;
    int fTemp = 0, fSuffix = 0, fEncrypt = 0, fSystem = 0, fVolume = 0, fExtra = 0, fNoDirEntries = 0;
    int fExcludeDate = 0, fIncludeDate = 0, fVerbose = 0, fQuiet = 0, fCRLF_LF = 0, fLF_CRLF = 0;
    int fJunkDir = 0, fGrow = 0, fForce = 0, fMove = 0, fDeleteEntries = 0, fUpdate = 0, fFreshen = 0;
    int fJunkSFX = 0, fLatestTime = 0, fComment = 0, fOffsets = 0, fPrivilege = 0, fEncryption = 0;
    int fRecurse = 0, fRepair = 0;
    char fLevel = '9';
};

// Nonzero when the library is ready (the callbacks are kept for ZpArchive).
int ZpInit(const ZIPUSERFUNCTIONS *callbacks);
int ZpSetOptions(const ZPOPT *options);
// Writes archive afresh from the argc names of names: files, or "<folder>/*.*"
// (every file of the folder). The old archive is replaced only when the new one
// is complete; the archive never holds itself.
int ZpArchive(int argc, const char *archive, const char *const *names);

// --- The unzip side ---

// Results of Wiz_SingleEntryUnzip (0 success).
enum UnzipResult : int {
    UnzipOk = 0,
    UnzipWarning = 1,
    UnzipCorrupt = 2, // or libzip cannot be loaded to read it
    UnzipRefused = 3, // hostile or over the limits
    UnzipMemory = 4,
    UnzipNoArchive = 9,
    UnzipBadParameters = 10,
    UnzipDisk = 50, // a file or folder cannot be written
    UnzipInterrupted = 80,
    UnzipUnsupported = 81,
    UnzipBadPassword = 82,
};

// Answers of the replace callback.
enum ReplaceAnswer : int { ReplaceNo = 100, ReplaceYes = 102, ReplaceNone = 104 };

using ReplaceCallback = int (*)(const char *fileName);
// Once per entry of a listing: sizes, ratio in per cent, date and time, a check
// character, the stored name (with "/" separators as stored), the method's name,
// the CRC and whether the entry is encrypted.
using MessageCallback = void (*)(unsigned long size, unsigned long compressedSize, unsigned ratio,
    unsigned month, unsigned day, unsigned year, unsigned hour, unsigned minute, char check, const char *name,
    const char *method, unsigned long crc, char encrypted);

struct USERFUNCTIONS {
    PrintCallback print = nullptr;
    void (*sound)() = nullptr;
    ReplaceCallback replace = nullptr;
    PasswordCallback password = nullptr;
    MessageCallback SendApplicationMessage = nullptr;
    ServiceCallback ServCallBk = nullptr;
    unsigned long TotalSizeComp = 0, TotalSize = 0, CompFactor = 0, NumMembers = 0;
    unsigned short cchComment = 0;
};

// Options of one unzip run. The library reads nvflag (list the entries through
// SendApplicationMessage, write nothing), ndflag (keep the stored folders; 0
// puts every file straight into the extraction folder), noflag (overwrite without
// asking; else the replace callback decides), lpszZipFN and lpszExtractDir.
struct DCL {
    int ExtractOnlyNewer = 0, SpaceToUnderscore = 0, PromptToOverwrite = 0, fQuiet = 0, ncflag = 0;
    int ntflag = 0, nvflag = 0, nfflag = 0, nzflag = 0, ndflag = 0, noflag = 0, naflag = 0, nZIflag = 0;
    int C_flag = 0, fPrivilege = 0;
    const char *lpszZipFN = nullptr;
    const char *lpszExtractDir = nullptr;
};

// Lists or extracts the archive. ifnc names of ifnv, when not 0, are the only
// entries taken; the xfnc names of xfnv are left out (stored names, exactly).
int Wiz_SingleEntryUnzip(int ifnc, const char *const *ifnv, int xfnc, const char *const *xfnv,
    const DCL *options, const USERFUNCTIONS *callbacks);

// Why the last ZpArchive or Wiz_SingleEntryUnzip failed, in English; "" after success.
const std::string &LastDiagnostic();

} // namespace ziplib
