#include "archive/frmTVKCreation.h"

#include "archive/Zip_UnZip.h"
#include "platform/CommonDialog.h"
#include "skin/Module.h"
#include "lang/Locale.h"
#include "widgets/WindowTexts.h"
#include "platform/AppInfo.h"
#include "widgets/WindowDialogs.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

bool isSkinIniName(const QString &name)
{
    for (const char *skinFile : { "Skin.ini", "Skinv1.ini", "Skinfs.ini", "Skinfsv1.ini" }) {
        if (name.compare(QLatin1String(skinFile), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace

bool ShowTVKCreation(QWidget *owner)
{
    frmTVKCreation dialog(owner);
    dialogs::showModal(&dialog);
    return gApiResult == 0;
}

frmTVKCreation::frmTVKCreation(QWidget *owner)
    : ArchiveDialog(owner)
{
    createControls();
    connectHandlers();
    Form_Load();
}

void frmTVKCreation::createControls()
{
    setObjectName(QStringLiteral("frmTVKCreation"));
    auto *grid = new QGridLayout(this);
    ckTVKRecurseSubFolders = new QCheckBox(this);
    ckTVKRecurseSubFolders->setObjectName(QStringLiteral("ckTVKRecurseSubFolders"));
    grid->addWidget(ckTVKRecurseSubFolders, 0, 0, 1, 3);

    lstTVKSkinFiles = new QListWidget(this);
    lstTVKSkinFiles->setObjectName(QStringLiteral("lstTVKSkinFiles"));
    cmdTVKSelectAll = new QPushButton(this);
    cmdTVKSelectAll->setObjectName(QStringLiteral("cmdTVKSelectAll"));
    cmdTVKSelectNone = new QPushButton(this);
    cmdTVKSelectNone->setObjectName(QStringLiteral("cmdTVKSelectNone"));
    for (QPushButton *button : { cmdTVKSelectAll, cmdTVKSelectNone }) {
        button->setAutoDefault(false);
        button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    }
    grid->addWidget(lstTVKSkinFiles, 1, 0, 2, 2);
    grid->addWidget(cmdTVKSelectAll, 1, 2);
    grid->addWidget(cmdTVKSelectNone, 2, 2);

    lblFileName = new QLabel(this);
    lblFileName->setObjectName(QStringLiteral("lblFileName"));
    txtTVKFileName = new QLineEdit(this);
    txtTVKFileName->setObjectName(QStringLiteral("txtTVKFileName"));
    txtTVKFileName->setReadOnly(true);
    txtTVKFileName->setMinimumWidth(260);
    cmdTVKBrowse = new QPushButton(this);
    cmdTVKBrowse->setObjectName(QStringLiteral("cmdTVKBrowse"));
    cmdTVKBrowse->setAutoDefault(false);
    grid->addWidget(lblFileName, 3, 0);
    grid->addWidget(txtTVKFileName, 3, 1);
    grid->addWidget(cmdTVKBrowse, 3, 2);

    cmdTVKCreate = new QPushButton(this);
    cmdTVKCreate->setObjectName(QStringLiteral("cmdTVKCreate"));
    cmdTVKCreate->setEnabled(false);
    cmdTVKCreate->setDefault(true);
    grid->addWidget(cmdTVKCreate, 4, 0, 1, 3);
}

void frmTVKCreation::connectHandlers()
{
    connect(ckTVKRecurseSubFolders, &QCheckBox::toggled, this, &frmTVKCreation::ckTVKRecurseSubFolders_Click);
    connect(cmdTVKSelectAll, &QPushButton::clicked, this, &frmTVKCreation::cmdTVKSelectAll_Click);
    connect(cmdTVKSelectNone, &QPushButton::clicked, this, &frmTVKCreation::cmdTVKSelectNone_Click);
    connect(lstTVKSkinFiles, &QListWidget::itemChanged, this,
        [this](QListWidgetItem *item) { lstTVKSkinFiles_ItemCheck(lstTVKSkinFiles->row(item)); });
    connect(cmdTVKBrowse, &QPushButton::clicked, this, &frmTVKCreation::cmdTVKBrowse_Click);
    connect(cmdTVKCreate, &QPushButton::clicked, this, &frmTVKCreation::cmdTVKCreate_Click);
}

void frmTVKCreation::Form_Load()
{
    const LangReader lang;
    const WindowTexts texts(lang, "TVK_Create");
    texts.caption(this, 1, 11001);
    texts.caption(ckTVKRecurseSubFolders, 2, 11002);
    texts.toolTip(ckTVKRecurseSubFolders, "2_T", 11003);
    texts.toolTip(lstTVKSkinFiles, "3_T", 11004);
    texts.caption(cmdTVKSelectAll, 4, 11005);
    texts.caption(cmdTVKSelectNone, 5, 11006);
    texts.caption(lblFileName, 6, 11007);
    texts.caption(cmdTVKBrowse, 7, 11008);
    texts.caption(cmdTVKCreate, 8, 11009);

    gApiResult = 1;
    gArchivePath.clear();
    gZipOptRecurse = 0;
    const int16_t n = EnumFiles(gSkinFolder);
    if (n <= 100) {
        cmdTVKSelectAll_Click();
        cmdTVKSelectAll->setToolTip(QString::number(n) + Message(13066));
        return;
    }
    dialogs::msgBox(Message(13067) + QLatin1Char('\n') + Message(13068), dialogs::vbInformation,
        Message(13002), messageOwner());
    cmdTVKSelectNone_Click();
    setWildcard();
    setListEnabled(false);
}

int16_t frmTVKCreation::EnumFiles(const QString &folder)
{
    m_fileCount = 0;
    const QDir dir(folder);
    if (folder.isEmpty() || !dir.exists() || !dir.isReadable()) {
        dialogs::msgBox(
            Message(13069) + QLatin1Char('"') + gSkinFolder + QStringLiteral("\".\n") + Message(13070),
            dialogs::vbCritical, app::title() + QStringLiteral(" - ") + Message(13005), messageOwner());
        return 101;
    }
    // Links and special files are listed too: a link to a file of the skin is
    // packed as that file, and Create names any other that cannot be packed.
    const QStringList files
        = dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name | QDir::IgnoreCase);
    const QSignalBlocker blocker(lstTVKSkinFiles);
    for (const QString &name : files) {
        auto *item = new QListWidgetItem(name, lstTVKSkinFiles);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        ++m_fileCount;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    return int16_t(qMin<int32_t>(m_fileCount, 32767));
}

void frmTVKCreation::setWildcard()
{
    gZipArgc = 1;
    gZipFileNames[0] = AddBackslash(gSkinFolder) + QStringLiteral("*.*");
}

void frmTVKCreation::setNameList()
{
    if (m_fileCount > 100 || gZipOptRecurse == 1) {
        setWildcard();
        return;
    }
    int slot = 0;
    for (int i = 0; i < lstTVKSkinFiles->count(); ++i) {
        if (lstTVKSkinFiles->item(i)->checkState() == Qt::Checked)
            gZipFileNames[size_t(slot++)] = AddBackslash(gSkinFolder) + lstTVKSkinFiles->item(i)->text();
    }
    gZipArgc = int16_t(slot);
    for (int i = slot; i < 100; ++i)
        gZipFileNames[size_t(i)] = QStringLiteral("");
}

void frmTVKCreation::setListEnabled(bool enabled)
{
    cmdTVKSelectAll->setEnabled(enabled);
    cmdTVKSelectNone->setEnabled(enabled);
    lstTVKSkinFiles->setEnabled(enabled);
}

void frmTVKCreation::lstTVKSkinFiles_ItemCheck(int item)
{
    QListWidgetItem *entry = lstTVKSkinFiles->item(item);
    if (!entry)
        return;
    if (entry->checkState() != Qt::Checked && isSkinIniName(entry->text())) {
        entry->setCheckState(Qt::Checked); // runs this handler again
        return;
    }
    setNameList();
}

void frmTVKCreation::cmdTVKSelectAll_Click()
{
    for (int i = 0; i < lstTVKSkinFiles->count(); ++i)
        lstTVKSkinFiles->item(i)->setCheckState(Qt::Checked);
    lstTVKSkinFiles->setCurrentRow(-1);
    setNameList();
}

void frmTVKCreation::cmdTVKSelectNone_Click()
{
    for (int i = 0; i < lstTVKSkinFiles->count(); ++i) {
        if (!isSkinIniName(lstTVKSkinFiles->item(i)->text()))
            lstTVKSkinFiles->item(i)->setCheckState(Qt::Unchecked);
    }
    lstTVKSkinFiles->setCurrentRow(-1);
    setNameList();
}

void frmTVKCreation::ckTVKRecurseSubFolders_Click()
{
    if (ckTVKRecurseSubFolders->isChecked()) {
        gZipOptRecurse = 1;
        cmdTVKSelectAll_Click();
        setWildcard();
        setListEnabled(false);
        return;
    }
    gZipOptRecurse = 0;
    cmdTVKSelectAll_Click();
    setNameList();
    if (m_fileCount <= 100)
        setListEnabled(true);
}

void frmTVKCreation::cmdTVKBrowse_Click()
{
    const QString filter = UIString(12006) + QChar(0) + QStringLiteral("*.tvk") + QChar(0) + QChar(0);
    // A name typed without an extension becomes a ".tvk" archive.
    if (!ShowFileDialog(
            this, filter, 1, gSkinFolder, QString(), 0x2006, QString(), QStringLiteral("tvk"), false))
        return;
    txtTVKFileName->setText(gDlgFileName);
    txtTVKFileName->setToolTip(gDlgFileName);
    gZipArchiveName = gDlgFileName;
    gArchivePath = gDlgFileName;
    cmdTVKCreate->setEnabled(true);
}

void frmTVKCreation::cmdTVKCreate_Click()
{
    gZipOptDate = QString();
    gZipOptJunkDir = 0;
    gZipOptUpdate = 0;
    gZipOptFreshen = 0;
    gZipOptEncrypt = 0;
    gZipOptComment = 0;
    gZipOptLevel = 57;
    QString root = gSkinFolder;
    if (root.endsWith(QLatin1Char('/')) && root.size() > 1)
        root.chop(1);
    gZipOptRootDir = root;

    runDisabled([] { gApiResult = RunZip(); });
    if (gApiResult == 0) {
        done(QDialog::Accepted);
        return;
    }
    if ((gApiResult >= 2 && gApiResult <= 16) || gApiResult == 18) {
        // Zip results 2 to 16 have messages 13098 to 13112; result 18 has 13113.
        const int number = gApiResult == 18 ? 13113 : 13096 + gApiResult;
        QString text = Message(13089) + QString::number(gApiResult) + QLatin1Char('\n') + Message(number)
            + QLatin1Char('\n') + Message(13114) + QLatin1Char('"') + gDlgFileTitle + QStringLiteral("\".");
        // The library's words name the file that stopped it.
        if (!gArchiveDiagnostic.isEmpty())
            text += QLatin1Char('\n') + gArchiveDiagnostic;
        dialogs::msgBox(
            text, dialogs::vbCritical, app::title() + QStringLiteral(" - ") + Message(13094), this);
    }
}
