#include "archive/Zip_UnZip.h"

#include "archive/ZipLibrary.h"
#include "skin/Module.h"
#include "lang/Locale.h"
#include "platform/AppInfo.h"
#include "platform/Dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <vector>

QString gZipOptDate;
QString gZipOptRootDir;
QString gZipOptTempDir;
int16_t gZipOptRecurse = 0;
int16_t gZipOptLevel = 0;
int16_t gZipOptJunkDir = 0;
int16_t gZipOptEncrypt = 0;
int16_t gZipOptUpdate = 0;
int16_t gZipOptFreshen = 0;
int16_t gZipOptComment = 0;
int16_t gZipArgc = 0;
QString gZipArchiveName;
ZipNameList gZipFileNames;

std::array<int16_t, UnzipFlag::Count> gUnzipOptFlags {};
QString gUnzipArchiveName;
QString gUnzipExtractDir;
int32_t gUnzipFileCount = 0;
ZipNameList gUnzipFileNames;
int32_t gUnzipExcludeCount = 0;
ZipNameList gUnzipExcludeNames;
int16_t gUnzipSkipPassword = 0;
QString gTVKNormalIni;
QString gTVKFullScreenIni;
QStringList gUnzipListedNames;
QString gArchiveDiagnostic;

namespace {

// The strings of one call, alive until it returns; a null string is a null pointer.
class CallStrings
{
public:
    const char *add(const QString &text)
    {
        if (text.isNull())
            return nullptr;
        m_bytes.push_back(QFile::encodeName(text));
        return m_bytes.back().constData();
    }

    std::vector<const char *> list(const ZipNameList &names)
    {
        std::vector<const char *> pointers;
        for (const QString &name : names)
            pointers.push_back(add(name));
        return pointers;
    }

private:
    std::vector<QByteArray> m_bytes;
};

// The library works on files next to nothing of the program, yet every run
// starts in the program folder, as the archive code always has.
void enterProgramFolder()
{
    QDir::setCurrent(app::path());
}

int yieldOnce()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return 0;
}

int askPassword(std::string &password)
{
    const QString answer = dialogs::passwordBox(QStringLiteral("Please Enter The Password!"), app::title());
    if (answer.isEmpty())
        return 1;
    password = answer.toLocal8Bit().toStdString();
    return 0;
}

int ZipCbPrint(const char *, unsigned long)
{
    return yieldOnce();
}

int ZipCbComment(std::string &comment)
{
    const QString answer = dialogs::inputBox(QStringLiteral("Enter the comment"), app::title());
    if (!answer.isEmpty())
        comment = answer.toLocal8Bit().toStdString();
    return 1;
}

int ZipCbPassword(std::string &password, const char *, const char *)
{
    return askPassword(password);
}

int ZipCbService(const char *, unsigned long)
{
    return 0;
}

int UnzipCbPrint(const char *, unsigned long)
{
    return yieldOnce();
}

int UnzipCbReplace(const char *fileName)
{
    const int answer = dialogs::msgBox(
        QStringLiteral("Overwrite ") + QFile::decodeName(fileName) + QLatin1Char('?'),
        dialogs::vbYesNoCancel | dialogs::vbExclamation, QStringLiteral("VBUnZip32 - File Already Exists!"));
    if (answer == dialogs::vbYes)
        return ziplib::ReplaceYes;
    if (answer == dialogs::vbNo)
        return ziplib::ReplaceNo;
    return ziplib::ReplaceNone;
}

int UnzipCbPassword(std::string &password, const char *, const char *)
{
    if (gUnzipSkipPassword == 1)
        return 1;
    const int result = askPassword(password);
    if (result != 0)
        gUnzipSkipPassword = 1;
    return result;
}

void UnzipCbMessage(unsigned long, unsigned long, unsigned, unsigned, unsigned, unsigned, unsigned, unsigned,
    char, const char *name, const char *, unsigned long, char)
{
    const QString entry = QFile::decodeName(name);
    gUnzipListedNames.append(entry);
    const auto is = [&entry](const char *skinFile) {
        return entry.compare(QLatin1String(skinFile), Qt::CaseInsensitive) == 0;
    };
    if (is("Skinv1.ini"))
        gTVKNormalIni = QStringLiteral("Skinv1.ini");
    if (gTVKNormalIni.isEmpty() && is("Skin.ini"))
        gTVKNormalIni = QStringLiteral("Skin.ini");
    if (is("Skinfs.ini"))
        gTVKFullScreenIni = QStringLiteral("Skinfs.ini");
    if (gTVKFullScreenIni.isEmpty() && is("Skinfsv1.ini"))
        gTVKFullScreenIni = QStringLiteral("Skinfsv1.ini");
}

int UnzipCbService(const char *, unsigned long)
{
    return 0;
}

} // namespace

int32_t RunZip()
{
    ziplib::ZIPUSERFUNCTIONS callbacks;
    callbacks.print = ZipCbPrint;
    callbacks.comment = ZipCbComment;
    callbacks.password = ZipCbPassword;
    callbacks.ServiceApplication = ZipCbService;
    enterProgramFolder();
    if (ziplib::ZpInit(&callbacks) == 0) {
        dialogs::msgBox(Message(13095) + QLatin1Char('\n') + Message(13096), dialogs::vbCritical,
            app::title() + QStringLiteral(" - ") + Message(13093));
        return 1;
    }

    CallStrings strings;
    ziplib::ZPOPT options;
    options.Date = strings.add(gZipOptDate);
    options.szRootDir = strings.add(gZipOptRootDir);
    options.szTempDir = strings.add(gZipOptTempDir);
    options.fRecurse = gZipOptRecurse;
    options.fJunkDir = gZipOptJunkDir;
    options.fEncrypt = gZipOptEncrypt;
    options.fUpdate = gZipOptUpdate;
    options.fFreshen = gZipOptFreshen;
    options.fComment = gZipOptComment;
    options.fLevel = char(gZipOptLevel);
    ziplib::ZpSetOptions(&options);
    const std::vector<const char *> names = strings.list(gZipFileNames);
    const int result = ziplib::ZpArchive(gZipArgc, strings.add(gZipArchiveName), names.data());
    gArchiveDiagnostic = QString::fromStdString(ziplib::LastDiagnostic());
    return result;
}

void RunUnzip()
{
    // A password refused once is not asked again in the same run; the next
    // archive asks afresh.
    gUnzipSkipPassword = 0;
    gUnzipListedNames.clear();
    CallStrings strings;
    ziplib::DCL options;
    int *const flags[] = { &options.ExtractOnlyNewer, &options.SpaceToUnderscore, &options.PromptToOverwrite,
        &options.fQuiet, &options.ncflag, &options.ntflag, &options.nvflag, &options.nfflag, &options.nzflag,
        &options.ndflag, &options.noflag, &options.naflag, &options.nZIflag, &options.C_flag,
        &options.fPrivilege };
    for (int i = 0; i < UnzipFlag::Count; ++i)
        *flags[i] = gUnzipOptFlags[size_t(i)];
    options.lpszZipFN = strings.add(gUnzipArchiveName);
    options.lpszExtractDir = strings.add(gUnzipExtractDir);

    ziplib::USERFUNCTIONS callbacks;
    callbacks.print = UnzipCbPrint;
    callbacks.replace = UnzipCbReplace;
    callbacks.password = UnzipCbPassword;
    callbacks.SendApplicationMessage = UnzipCbMessage;
    callbacks.ServCallBk = UnzipCbService;

    enterProgramFolder();
    const std::vector<const char *> included = strings.list(gUnzipFileNames);
    const std::vector<const char *> excluded = strings.list(gUnzipExcludeNames);
    gApiResult = ziplib::Wiz_SingleEntryUnzip(
        gUnzipFileCount, included.data(), gUnzipExcludeCount, excluded.data(), &options, &callbacks);
    gArchiveDiagnostic = QString::fromStdString(ziplib::LastDiagnostic());
}
