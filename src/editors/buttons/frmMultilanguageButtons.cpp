#include "editors/buttons/frmMultilanguageButtons.h"

#include "platform/CommonDialog.h"
#include "skin/Module.h"
#include "editors/frmSelectFile.h"
#include "editors/ToolWindowLayout.h"
#include "widgets/WindowTexts.h"
#include "widgets/WindowDialogs.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

QString gMultilangText;
bool gMultilangOK = false;

namespace {

// Where the player records its own executable.
const char *const PlayerKey = "Software\\KRW\\rezori1";
const char *const PlayerValue = "AppPath";

// The player's folder from its registry entry: the value cut after its last
// separator ("" when it holds none), with "/" separators.
QString playerFolderFromRegistry()
{
    const QString appPath = fs::toSlashes(registry::queryValue(
        registry::Root::CurrentUser, QString::fromLatin1(PlayerKey), QString::fromLatin1(PlayerValue)));
    return appPath.left(appPath.lastIndexOf(QLatin1Char('/')) + 1);
}

QLineEdit *makeBox(QWidget *host, const char *name, const QRect &geometry)
{
    auto *box = makeControl<QLineEdit>(host, name, geometry);
    box->setReadOnly(true);
    return box;
}

} // namespace

bool ShowMultilanguageButtons(QString &text, QWidget *owner)
{
    gMultilangText = text;
    if (gPlayerLangPath.isEmpty()) {
        const QString folder = playerFolderFromRegistry();
        // Only the player's folder is checked here; a missing "Lang" folder in
        // it is reported when a file is to be chosen.
        gPlayerLangPath = !folder.isEmpty() && fs::folderExists(folder)
            ? AddBackslash(folder) + QStringLiteral("Lang")
            : folder;
    }

    frmMultilanguageButtons picker(owner);
    if (gPlayerLangFile.isEmpty() && !gPlayerLangPath.isEmpty())
        picker.cmdBrowseFile_Click();
    dialogs::showModal(&picker);
    return gMultilangOK;
}

frmMultilanguageButtons::frmMultilanguageButtons(QWidget *owner)
    : QDialog(owner)
{
    createControls();
    connectHandlers();
    Form_Load();
}

void frmMultilanguageButtons::createControls()
{
    setObjectName(QStringLiteral("frmMultilanguageButtons"));
    setFixedSize(481, 425);

    fmChooseLang = makeControl<QGroupBox>(this, "fmChooseLang", QRect(8, 4, 465, 84));
    lblChoosePath = makeControl<QLabel>(fmChooseLang, "lblChoosePath", QRect(8, 24, 180, 17));
    txtChoosePath = makeBox(fmChooseLang, "txtChoosePath", QRect(190, 21, 160, 21));
    cmdBrowsePath = makeControl<QPushButton>(fmChooseLang, "cmdBrowsePath", QRect(356, 20, 101, 23));
    lblChooseFile = makeControl<QLabel>(fmChooseLang, "lblChooseFile", QRect(8, 54, 180, 17));
    txtChooseFile = makeBox(fmChooseLang, "txtChooseFile", QRect(190, 51, 160, 21));
    cmdBrowseFile = makeControl<QPushButton>(fmChooseLang, "cmdBrowseFile", QRect(356, 50, 101, 23));

    fmChooseDescription = makeControl<QGroupBox>(this, "fmChooseDescription", QRect(8, 92, 465, 296));
    lblChooseDescription
        = makeControl<QLabel>(fmChooseDescription, "lblChooseDescription", QRect(8, 20, 449, 17));
    lstChooseDescription
        = makeControl<QListWidget>(fmChooseDescription, "lstChooseDescription", QRect(8, 40, 449, 188));
    lstChooseDescription->setSelectionMode(QAbstractItemView::SingleSelection);
    // All entries are one line high: the list need not measure a long file line by line.
    lstChooseDescription->setUniformItemSizes(true);
    lblLangSection = makeControl<QLabel>(fmChooseDescription, "lblLangSection", QRect(8, 239, 180, 17));
    txtLangSection = makeBox(fmChooseDescription, "txtLangSection", QRect(190, 236, 267, 21));
    lblLangString = makeControl<QLabel>(fmChooseDescription, "lblLangString", QRect(8, 267, 180, 17));
    txtLangString = makeBox(fmChooseDescription, "txtLangString", QRect(190, 264, 267, 21));

    cmdOK = makeControl<QPushButton>(this, "cmdOK", QRect(312, 396, 77, 23));
    cmdOK->setDefault(true);
    cmdOK->setEnabled(false);
    cmdCancel = makeControl<QPushButton>(this, "cmdCancel", QRect(396, 396, 77, 23));
    cmdCancel->setAutoDefault(false);
    cmdBrowsePath->setAutoDefault(false);
    cmdBrowseFile->setAutoDefault(false);
}

void frmMultilanguageButtons::connectHandlers()
{
    connect(cmdBrowsePath, &QPushButton::clicked, this, &frmMultilanguageButtons::cmdBrowsePath_Click);
    connect(cmdBrowseFile, &QPushButton::clicked, this, &frmMultilanguageButtons::cmdBrowseFile_Click);
    // A click is a change of the selection, by the user or by the preselection.
    connect(lstChooseDescription, &QListWidget::itemSelectionChanged, this, [this] {
        if (!lstChooseDescription->selectedItems().isEmpty())
            lstChooseDescription_Click();
    });
    connect(lstChooseDescription, &QListWidget::itemDoubleClicked, this,
        &frmMultilanguageButtons::lstChooseDescription_DblClick);
    connect(cmdOK, &QPushButton::clicked, this, &frmMultilanguageButtons::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmMultilanguageButtons::cmdCancel_Click);
}

void frmMultilanguageButtons::Form_Load()
{
    const LangReader lang;
    const WindowTexts texts(lang, "Multilanguage");
    texts.caption(this, 1, 9001);
    texts.caption(fmChooseLang, 2, 9002);
    texts.caption(lblChoosePath, 3, 9003);
    texts.caption(cmdBrowsePath, 4, 9004);
    texts.caption(lblChooseFile, 5, 9005);
    texts.caption(cmdBrowseFile, 6, 9006);
    texts.caption(fmChooseDescription, 7, 9007);
    texts.caption(lblChooseDescription, 8, 9008);
    texts.caption(lblLangSection, 9, 9009);
    texts.caption(lblLangString, 10, 9010);
    texts.caption(cmdOK, 11, 9011);
    texts.caption(cmdCancel, 12, 9012);

    txtChooseFile->setText(UIString(12011));
    txtChooseFile->setEnabled(false);
    gMultilangOK = false;
    txtChoosePath->setText(gPlayerLangPath);
    txtChoosePath->setToolTip(gPlayerLangPath);
    if (gPlayerLangFile.isEmpty() || gPlayerLangPath.isEmpty())
        return;
    Open_Lang_File();
    preselect();
}

QString frmMultilanguageButtons::langFilePath() const
{
    return AddBackslash(gPlayerLangPath) + gPlayerLangFile;
}

void frmMultilanguageButtons::Open_Lang_File()
{
    txtLangSection->clear();
    txtLangString->clear();
    cmdOK->setEnabled(false);
    lstChooseDescription->clear();
    m_file = PlayerLangFile();

    txtChooseFile->setText(gPlayerLangFile);
    txtChooseFile->setEnabled(true);
    if (gPlayerLangFile.isEmpty())
        return;

    const QString path = langFilePath();
    const PlayerLangFile::Status status = m_file.read(path);
    if (status != PlayerLangFile::Status::Listed) {
        reportUnlisted(status, path);
        return;
    }
    // One batch, drawn once: a file of many thousand lines lists at once.
    lstChooseDescription->setUpdatesEnabled(false);
    lstChooseDescription->addItems(m_file.lines());
    lstChooseDescription->setUpdatesEnabled(true);
}

void frmMultilanguageButtons::reportUnlisted(PlayerLangFile::Status status, const QString &path)
{
    // A file that is missing (removed, or a stale remembered name) is named; one
    // that cannot be read or is no language file gets the general notice. The
    // list stays empty either way.
    const QString message = status == PlayerLangFile::Status::Missing
        ? Message(13036) + fs::toSlashes(path) + Message(13037)
        : Message(13071);
    dialogs::msgBox(message, dialogs::vbExclamation, Message(13003), this);
}

void frmMultilanguageButtons::cmdBrowseFile_Click()
{
    if (gPlayerLangPath.isEmpty() || !fs::folderExists(gPlayerLangPath)) {
        dialogs::msgBox(Message(13065), dialogs::vbExclamation, Message(13003), this);
        return;
    }
    // The player's language file is named only in the settings file, which
    // holds any name.
    if (!ShowSelectFile(
            this, gPlayerLangPath, QStringLiteral("lng"), gPlayerLangFile, UIString(12009), false))
        return;
    gPlayerLangFile = gSelFileName;
    Open_Lang_File();
    preselect();
}

void frmMultilanguageButtons::preselect()
{
    const int line = m_file.lineOf(gMultilangText);
    if (line >= 0)
        lstChooseDescription->setCurrentRow(line);
}

bool frmMultilanguageButtons::pickSelected()
{
    const int line = lstChooseDescription->currentRow();
    QString section;
    QString key;
    const QString reference = m_file.referenceAt(line, &section, &key);
    if (reference.isEmpty())
        return false;
    txtLangSection->setText(reference);
    const QString value = ReadIni(section, key, langFilePath());
    txtLangString->setText(value);
    txtLangString->setToolTip(value);
    cmdOK->setEnabled(true);
    return true;
}

void frmMultilanguageButtons::lstChooseDescription_Click()
{
    pickSelected();
}

void frmMultilanguageButtons::lstChooseDescription_DblClick()
{
    if (pickSelected())
        cmdOK_Click();
}

void frmMultilanguageButtons::cmdOK_Click()
{
    gMultilangText = txtLangSection->text();
    gMultilangOK = true;
    done(QDialog::Accepted);
}

void frmMultilanguageButtons::cmdCancel_Click()
{
    reject();
}

void frmMultilanguageButtons::reject()
{
    gMultilangOK = false;
    QDialog::reject();
}

void frmMultilanguageButtons::cmdBrowsePath_Click()
{
    if (!BrowseForFolder(this, UIString(12010), gPlayerLangPath))
        return;
    gPlayerLangPath = gBrowsedFolder;
    txtChoosePath->setText(gPlayerLangPath);
    txtChoosePath->setToolTip(gPlayerLangPath);
    gPlayerLangFile.clear();
    txtChooseFile->setText(UIString(12011));
    txtChooseFile->setEnabled(false);
    lstChooseDescription->clear();
    m_file = PlayerLangFile();
    txtLangSection->clear();
    txtLangString->clear();
    txtLangString->setToolTip(QString());
    cmdOK->setEnabled(false);
}
