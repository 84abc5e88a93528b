// The File menu of the main window: the skin commands and the open road.
#include "core/frmMain.h"

#include "archive/frmTVKCreation.h"
#include "archive/frmTVKExtraction.h"
#include "platform/CommonDialog.h"
#include "skin/Module.h"
#include "skin/NewSkinFile.h"
#include "skin/OpenRoad.h"
#include "core/ShellFailure.h"
#include "core/SkinReader.h"
#include "skin/SkinFileReader.h"
#include "skin/SkinChange.h"
#include "skin/SkinWriter.h"
#include "preview/frmSkin.h"
#include "editors/ToolWindows.h"
#include "lang/Locale.h"
#include "platform/AppInfo.h"
#include "widgets/WindowDialogs.h"
#include "platform/FileSystem.h"
#include "platform/ListingScope.h"
#include "platform/Registry.h"
#include "platform/Shell.h"

#include <QFileInfo>

namespace {

// Closes the open skin; false when it is still open (the user kept it).
bool closeSkin()
{
    if (frmMain *main = frmMain::instance())
        main->commitPendingEdits();
    frmSkin::unload();
    return !frmSkin::loaded() && gSkinFile.isEmpty();
}

// The tool windows and the preview show a new skin's document as they show a
// skin read from its file, by the same control writes and the same stacking
// order. The handlers that the writes run store the same values again; their
// marks are not the user's, so the mark stays as it was.
void showNewSkin(frmMain *main)
{
    const bool changed = gSkinChanged;
    toolwindows::showDocument();
    main->mnuViewApplyZOrder_Click();
    if (!changed)
        ClearSkinChanged();
}

} // namespace

void frmMain::OpenRoad(const QString &path)
{
    if (!closeSkin())
        return;
    if (!path.isEmpty()) {
        gDlgFileName = path;
        gDlgFileTitle = FileTitle(path);
    }
    gLastSkinPath = FolderOf(gDlgFileName);
    gSkinFolder = gLastSkinPath;
    gOpenOK = true;
    if (IsArchiveTitle(gDlgFileTitle))
        showTVKExtraction();
    if (!gOpenOK)
        return;
    // The skin file as it is on disk ("SKIN.INI" from an archive made on
    // Windows): the one a save replaces and the archive commands find.
    gDlgFileName = fs::resolve(gDlgFileName);
    gDlgFileTitle = FileTitle(gDlgFileName);
    if (!skinreader::acceptSkinFile(gDlgFileName))
        return;
    ForgetNewSkinFile();
    gSkinFile = gDlgFileName;
    gFullScreenSkin = IsFullScreenSkinTitle(gDlgFileTitle);
    // The skin's folders are listed once for the whole open, and its pictures
    // are decoded on another thread while its windows are made.
    const ListingScope listings;
    const skinreader::ReadAhead ahead;
    frmSkin *skin = frmSkin::get();
    skin->Show();
    skin->setCaption(gDlgFileName);
    LoadSkin();
}

void frmMain::showTVKExtraction()
{
    // A damaged or hostile archive is refused (and said so) before the dialog shows.
    frmTVKExtraction extraction(this);
    if (extraction.listed())
        dialogs::showModal(&extraction);
}

void frmMain::mnuFileOpen_Click()
{
    const QString filter = UIString(12005) + QChar(0)
        + QStringLiteral("*.tvk;Skin.ini;Skinv1.ini;Skinfs.ini;Skinfsv1.ini") + QChar(0);
    if (ShowFileDialog(this, filter, 1, gLastSkinPath, QString(), 0x1804, QString(), QString(), true))
        OpenRoad();
}

void frmMain::mnuFileNew_Click()
{
    newSkin(false);
}

void frmMain::mnuFileNewFS_Click()
{
    newSkin(true);
}

void frmMain::newSkin(bool fullScreen)
{
    const bool previousKind = gFullScreenSkin;
    gFullScreenSkin = fullScreen;
    const bool closed = closeSkin();
    if (!closed)
        gFullScreenSkin = previousKind;
    // The load of a new preview asks where the skin goes (Save without a file);
    // a preview that stayed open only comes forward.
    frmSkin *skin = frmSkin::get();
    if (!gSkinFile.isEmpty()) {
        skin->Show();
        if (closed)
            showNewSkin(this);
        return;
    }
    frmSkin::unload();
    const int first = fullScreen ? 13014 : 13012;
    dialogs::msgBox(Message(first) + QLatin1Char('\n') + Message(first + 1), dialogs::vbInformation,
        Message(13002), this);
}

void frmMain::mnuFileSave_Click()
{
    commitPendingEdits();
    if (!gSkinFile.isEmpty()) {
        SaveSkin();
        return;
    }

    // A new skin: fix the folder; its file name is always the kind's own.
    const bool fullScreen = gFullScreenSkin;
    const QString name = fullScreen ? QStringLiteral("Skinfs.ini") : QStringLiteral("Skin.ini");
    dialogs::msgBox(Message(fullScreen ? 13016 : 13017), dialogs::vbExclamation, Message(13003), this);
    const QString filter = UIString(fullScreen ? 12004 : 12003) + QChar(0) + name + QChar(0);
    if (!ShowFileDialog(this, filter, 1, gLastSkinPath, QString(), 0x2006, name, QString(), false))
        return;
    const QString folder = FolderOf(gDlgFileName);
    // A skin file the folder holds in another case ("SKIN.INI") is the one the
    // new skin replaces, not one to write a second file beside.
    const QString skinFile = fs::resolve(AddBackslash(folder) + name);
    // The first save asks before it replaces a skin file already there, unless
    // the save dialog has just asked for that very file.
    BindNewSkinFile(skinFile, gDlgFileName == skinFile && QFileInfo::exists(skinFile));
    gLastSkinPath = folder;
    gSkinFolder = folder;
    gSkinFile = skinFile;
    if (frmSkin *skin = frmSkin::loaded())
        skin->setCaption(gSkinFile);
}

void frmMain::mnuFileClose_Click()
{
    commitPendingEdits();
    frmSkin::unload();
}

bool frmMain::refuseUnsavedSkin(int firstMessage)
{
    // A new skin that was never saved has no file to pack yet.
    if (!gSkinChanged && QFileInfo::exists(gSkinFile))
        return false;
    dialogs::msgBox(Message(firstMessage) + QLatin1Char('\n') + Message(firstMessage + 1),
        dialogs::vbExclamation, Message(13003), this);
    return true;
}

bool frmMain::createdArchive()
{
    return ShowTVKCreation(this) && !gArchivePath.isEmpty() && QFileInfo::exists(gArchivePath);
}

void frmMain::mnuFileCreateTVK_Click()
{
    if (refuseUnsavedSkin(13019) || !createdArchive())
        return;
    dialogs::msgBox(Message(13021) + FileTitle(gArchivePath) + Message(13022), dialogs::vbInformation,
        Message(13002), this);
}

void frmMain::mnuFileTestSkin_Click()
{
    if (refuseUnsavedSkin(13023))
        return;
    const QString title = app::title() + QStringLiteral(" - ") + Message(13009);
    const QString player = registry::queryValue(
        registry::Root::CurrentUser, QStringLiteral("Software\\KRW\\rezori1"), QStringLiteral("AppPath"));
    if (player.isEmpty() || !QFileInfo::exists(fs::resolve(fs::toSlashes(player)))) {
        dialogs::msgBox(
            Message(13025) + QLatin1Char('\n') + Message(13026), dialogs::vbCritical, title, this);
        return;
    }
    QString verb = registry::queryValue(
        registry::Root::LocalMachine, QStringLiteral("SOFTWARE\\CLASSES\\TVX.SkinZip\\Shell"), QString());
    if (verb.isEmpty())
        verb = registry::queryValue(
            registry::Root::CurrentUser, QStringLiteral("Software\\Classes\\TVX.SkinZip\\shell"), QString());
    // The verb runs the command registered under it: a verb without one is
    // as good as none, and is found before the skin is packed for nothing.
    QString command;
    if (!verb.isEmpty())
        command = registry::queryValue(registry::Root::ClassesRoot,
            QStringLiteral("TVX.SkinZip\\shell\\") + verb + QStringLiteral("\\command"), QString());
    if (shell::commandProgram(command).isEmpty()) {
        dialogs::msgBox(
            Message(13027) + QLatin1Char('\n') + Message(13028), dialogs::vbCritical, title, this);
        return;
    }
    dialogs::msgBox(
        Message(13029) + QLatin1Char('\n') + Message(13030), dialogs::vbInformation, Message(13002), this);
    if (!createdArchive())
        return;
    // The player's archive verb runs its registered command on the archive, detached.
    gApiResult = shell::runCommand(command, gArchivePath) ? 42 : shell::NoAssociation;
    if (gApiResult != shell::NoAssociation)
        return;
    // A player since removed leaves its command behind; the archive stays for another try.
    ShowShellFailure(this,
        QStringLiteral("Tovix could not be started: the program \"") + shell::commandProgram(command)
            + QStringLiteral("\" that it registered for TVK files could not be run."),
        QStringLiteral("The skin was compressed into \"") + gArchivePath
            + QStringLiteral("\". To fix this you can try reinstalling Tovix and then retry."));
}

void frmMain::mnuFileExit_Click()
{
    close();
}
