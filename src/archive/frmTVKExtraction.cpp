#include "archive/frmTVKExtraction.h"

#include "archive/Zip_UnZip.h"
#include "platform/CommonDialog.h"
#include "skin/Module.h"
#include "lang/Locale.h"
#include "widgets/WindowTexts.h"
#include "platform/AppInfo.h"
#include "platform/Dialogs.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

frmTVKExtraction::frmTVKExtraction(QWidget *owner)
    : ArchiveDialog(owner)
{
    createControls();
    connectHandlers();
    Form_Load();
}

void frmTVKExtraction::createControls()
{
    setObjectName(QStringLiteral("frmTVKExtraction"));
    auto *grid = new QGridLayout(this);
    ckTVKSkinName = new QCheckBox(this);
    ckTVKSkinName->setObjectName(QStringLiteral("ckTVKSkinName"));
    ckTVKSkinName->setChecked(true);
    grid->addWidget(ckTVKSkinName, 0, 0, 1, 3);

    lblTVKChoosePath = new QLabel(this);
    lblTVKChoosePath->setObjectName(QStringLiteral("lblTVKChoosePath"));
    txtTVKExtractPath = new QLineEdit(this);
    txtTVKExtractPath->setObjectName(QStringLiteral("txtTVKExtractPath"));
    txtTVKExtractPath->setReadOnly(true);
    txtTVKExtractPath->setMinimumWidth(260);
    cmdTVKBrowse = new QPushButton(this);
    cmdTVKBrowse->setObjectName(QStringLiteral("cmdTVKBrowse"));
    cmdTVKBrowse->setAutoDefault(false);
    grid->addWidget(lblTVKChoosePath, 1, 0);
    grid->addWidget(txtTVKExtractPath, 1, 1);
    grid->addWidget(cmdTVKBrowse, 1, 2);

    auto *options = new QHBoxLayout;
    optTVKSkinType.setFactory(QStringLiteral("optTVKSkinType"), [this](int) {
        auto *option = new QRadioButton(this);
        option->setEnabled(false);
        return option;
    });
    for (int i = 0; i < 2; ++i)
        options->addWidget(optTVKSkinType.load(i));
    grid->addLayout(options, 2, 0, 1, 3);

    cmdTVKExtrac = new QPushButton(this);
    cmdTVKExtrac->setObjectName(QStringLiteral("cmdTVKExtrac"));
    cmdTVKExtrac->setEnabled(false);
    cmdTVKExtrac->setDefault(true);
    grid->addWidget(cmdTVKExtrac, 3, 0, 1, 3);
}

void frmTVKExtraction::connectHandlers()
{
    connect(ckTVKSkinName, &QCheckBox::toggled, this, &frmTVKExtraction::ckTVKSkinName_Click);
    connect(cmdTVKBrowse, &QPushButton::clicked, this, &frmTVKExtraction::cmdTVKBrowse_Click);
    for (int i = 0; i < 2; ++i) {
        connect(optTVKSkinType[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                optTVKSkinType_Click(i);
        });
    }
    connect(cmdTVKExtrac, &QPushButton::clicked, this, &frmTVKExtraction::cmdTVKExtrac_Click);
}

QString frmTVKExtraction::ArchiveName(const QString &archiveTitle)
{
    const qsizetype dot = archiveTitle.lastIndexOf(QLatin1Char('.'));
    QString name = dot < 0 ? archiveTitle : archiveTitle.left(dot);
    // A folder name keeps no trailing dots or blanks (as on the system skins come
    // from), so "...tvk" cannot name the folder above; nothing left gives "Skin".
    while (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')))
        name.chop(1);
    return name.isEmpty() ? QStringLiteral("Skin") : name;
}

QString frmTVKExtraction::extractionFolder() const
{
    const QString base = AddBackslash(m_baseFolder);
    if (!ckTVKSkinName->isChecked())
        return base;
    return AddBackslash(base + ArchiveName(m_archiveTitle));
}

QString frmTVKExtraction::chosenSkinFile() const
{
    return optTVKSkinType[0]->isChecked() ? gTVKNormalIni : gTVKFullScreenIni;
}

void frmTVKExtraction::showExtractionFolder()
{
    txtTVKExtractPath->setText(extractionFolder());
    txtTVKExtractPath->setToolTip(txtTVKExtractPath->text());
}

void frmTVKExtraction::Form_Load()
{
    const LangReader lang;
    const WindowTexts texts(lang, "TVK_Extract");
    texts.caption(this, 1, 10001);
    texts.caption(ckTVKSkinName, 2, 10002);
    texts.caption(lblTVKChoosePath, 3, 10003);
    texts.caption(cmdTVKBrowse, 4, 10004);
    texts.caption(optTVKSkinType[0], 5, 10005);
    texts.toolTip(optTVKSkinType[0], "5_T", 10006);
    texts.caption(optTVKSkinType[1], 6, 10007);
    texts.toolTip(optTVKSkinType[1], "6_T", 10008);
    texts.caption(cmdTVKExtrac, 7, 10009);

    gOpenOK = false;
    gTVKNormalIni.clear();
    gTVKFullScreenIni.clear();
    m_baseFolder = gSkinFolder;
    m_archivePath = gDlgFileName;
    m_archiveTitle = gDlgFileTitle;

    stage(true);
    RunUnzip();
    if (gApiResult != 0) {
        // A damaged or hostile archive is refused before the dialog shows.
        m_listed = false;
        showFailure(app::title() + QStringLiteral(" - ") + Message(13008));
        return;
    }

    const QString folder = extractionFolder();
    if (!gTVKNormalIni.isEmpty()) {
        optTVKSkinType[0]->setEnabled(true);
        optTVKSkinType[0]->setChecked(true);
        cmdTVKExtrac->setEnabled(true);
        gDlgFileName = folder + gTVKNormalIni;
    }
    if (!gTVKFullScreenIni.isEmpty()) {
        optTVKSkinType[1]->setEnabled(true);
        if (!optTVKSkinType[0]->isChecked())
            optTVKSkinType[1]->setChecked(true);
        cmdTVKExtrac->setEnabled(true);
        if (gTVKNormalIni.isEmpty())
            gDlgFileName = folder + gTVKFullScreenIni;
    }
    showExtractionFolder();
    ckTVKSkinName->setText(
        ckTVKSkinName->text() + QStringLiteral(" \"") + ArchiveName(m_archiveTitle) + QLatin1Char('"'));
}

void frmTVKExtraction::optTVKSkinType_Click(int index)
{
    const QString skinFile = index == 0 ? gTVKNormalIni : gTVKFullScreenIni;
    gDlgFileName = AddBackslash(txtTVKExtractPath->text()) + skinFile;
    gDlgFileTitle = skinFile;
}

void frmTVKExtraction::ckTVKSkinName_Click()
{
    showExtractionFolder();
    gDlgFileName = AddBackslash(txtTVKExtractPath->text()) + chosenSkinFile();
    gDlgFileTitle = chosenSkinFile();
}

void frmTVKExtraction::cmdTVKBrowse_Click()
{
    if (!BrowseForFolder(this, UIString(12008), txtTVKExtractPath->text()))
        return;
    m_baseFolder = AddBackslash(gBrowsedFolder);
    showExtractionFolder();
    gDlgFileName = AddBackslash(txtTVKExtractPath->text()) + chosenSkinFile();
    gDlgFileTitle = chosenSkinFile();
}

bool frmTVKExtraction::replacesFiles() const
{
    const QString folder = extractionFolder();
    for (QString name : gUnzipListedNames) {
        name.replace(QLatin1Char('\\'), QLatin1Char('/'));
        const QFileInfo existing(folder + name);
        if (!name.endsWith(QLatin1Char('/')) && (existing.exists() || existing.isSymLink())
            && !existing.isDir())
            return true;
    }
    return false;
}

void frmTVKExtraction::stage(bool listing)
{
    gUnzipOptFlags.fill(0);
    gUnzipOptFlags[UnzipFlag::nvflag] = listing ? 1 : 0;
    gUnzipOptFlags[UnzipFlag::noflag] = listing ? 0 : 1;
    gUnzipOptFlags[UnzipFlag::ndflag] = 1;
    gUnzipFileNames[0] = QString();
    gUnzipFileCount = 0;
    gUnzipExcludeNames[0] = QString();
    gUnzipExcludeCount = 0;
    gUnzipArchiveName = m_archivePath;
    gUnzipExtractDir = listing ? QStringLiteral("") : txtTVKExtractPath->text();
}

void frmTVKExtraction::showFailure(const QString &title)
{
    QString text = Message(13089) + QString::number(gApiResult) + QLatin1Char('\n') + Message(13097);
    if (!gArchiveDiagnostic.isEmpty())
        text += QLatin1Char('\n') + gArchiveDiagnostic;
    dialogs::msgBox(text, dialogs::vbCritical, title, messageOwner());
}

void frmTVKExtraction::cmdTVKExtrac_Click()
{
    const QString title = app::title() + QStringLiteral(" - ") + Message(13008);
    stage(false);
    if (m_baseFolder.isEmpty()) {
        showFailure(title);
        done(QDialog::Rejected);
        return;
    }
    if (replacesFiles()) {
        // No message of the table says this: the text stays English.
        const QString prompt = QStringLiteral("Files of the archive already exist in \"") + extractionFolder()
            + QStringLiteral("\".\nDo you want to replace them?");
        if (dialogs::msgBox(
                prompt, dialogs::vbYesNo | dialogs::vbExclamation | dialogs::vbDefaultButton2, title, this)
            != dialogs::vbYes)
            return;
    }
    runDisabled([] { RunUnzip(); });
    if (gApiResult == 0) {
        gLastSkinPath = extractionFolder();
        gSkinFolder = gLastSkinPath;
        gOpenOK = true;
        done(QDialog::Accepted);
        return;
    }
    showFailure(title);
    done(QDialog::Rejected);
}
