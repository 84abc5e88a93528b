#include "editors/frmSelectFile.h"

#include "skin/FileErrors.h"
#include "skin/Module.h"
#include "lang/Locale.h"
#include "platform/Cp1252.h"
#include "platform/Dialogs.h"
#include "widgets/WindowDialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

QString gSelFileFolder;
QString gSelFileFilter;
QString gSelFilePrompt;
QString gSelFileName;
QString gSelFilePath;
bool gSelFileOK = false;
bool gSelFileForSkin = true;

bool ShowSelectFile(QWidget *owner, const QString &folder, const QString &filter, const QString &currentName,
    const QString &prompt, bool forSkin)
{
    gSelFileForSkin = forSkin;
    gSelFileFolder = folder;
    gSelFilePrompt = prompt;
    gSelFileFilter = filter;
    gSelFilePath.clear();
    gSelFileName = currentName;

    frmSelectFile picker(owner);
    dialogs::showModal(&picker);
    return gSelFileOK;
}

frmSelectFile::frmSelectFile(QWidget *owner)
    : QDialog(owner)
{
    createControls();
    connectHandlers();
    Form_Load();
}

void frmSelectFile::createControls()
{
    setObjectName(QStringLiteral("frmSelectFile"));
    setFixedSize(345, 321);

    lblDescription = new QLabel(this);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    lblDescription->setGeometry(8, 8, 331, 17);

    flstImageList = new QListWidget(this);
    flstImageList->setObjectName(QStringLiteral("flstImageList"));
    flstImageList->setGeometry(8, 32, 329, 223);
    flstImageList->setSelectionMode(QAbstractItemView::SingleSelection);

    txtFileName = new QLineEdit(this);
    txtFileName->setObjectName(QStringLiteral("txtFileName"));
    txtFileName->setGeometry(8, 264, 329, 21);
    txtFileName->setReadOnly(true);

    cmdOK = new QPushButton(this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(184, 296, 73, 21);
    cmdOK->setEnabled(false);
    cmdOK->setDefault(true);

    cmdCancel = new QPushButton(this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setGeometry(264, 296, 73, 21);
    cmdCancel->setAutoDefault(false);
}

void frmSelectFile::connectHandlers()
{
    // A click is a change of the selection. The list's focus alone moves its
    // current row to the first entry without selecting it: that is no click.
    connect(flstImageList, &QListWidget::itemSelectionChanged, this, [this] {
        if (selectedEntry())
            flstImageList_Click();
    });
    connect(flstImageList, &QListWidget::itemDoubleClicked, this, &frmSelectFile::flstImageList_DblClick);
    connect(cmdOK, &QPushButton::clicked, this, &frmSelectFile::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmSelectFile::cmdCancel_Click);
}

void frmSelectFile::Form_Load()
{
    cmdOK->setText(UIString(12001));
    cmdCancel->setText(UIString(12002));
    gSelFileOK = false;
    setWindowTitle(gSelFileFolder);
    lblDescription->setText(gSelFilePrompt);
    listFiles(AddBackslash(gSelFileFolder), patternsOf(gSelFileFilter));
    preselect(gSelFileName);
}

QStringList frmSelectFile::patternsOf(const QString &filter)
{
    // The filter is the pattern "*." & filter: extensions separated by ";*.".
    QStringList patterns;
    const QStringList parts = (QStringLiteral("*.") + filter).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        const QString pattern = part.trimmed();
        if (!pattern.isEmpty() && !patterns.contains(pattern, Qt::CaseInsensitive))
            patterns.append(pattern);
    }
    return patterns;
}

void frmSelectFile::listFiles(const QString &folder, const QStringList &patterns)
{
    // Skins come from Windows, whose names match their patterns without regard
    // to case: "MAIN.BMP" is a "*.bmp" file. There "*." is the pattern of the
    // names without an extension (an empty button-image extension gives it),
    // not of names that end in a dot. Hidden files are not listed.
    QStringList wildcards = patterns;
    const bool withoutExtension = wildcards.removeAll(QStringLiteral("*.")) > 0;
    QDir dir(folder);
    dir.setFilter(QDir::Files);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    const QStringList names = dir.entryList();
    for (const QString &name : names) {
        const bool listed = (withoutExtension && !name.contains(QLatin1Char('.')))
            || (!wildcards.isEmpty() && QDir::match(wildcards, name));
        if (!listed)
            continue;
        flstImageList->addItem(name);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

void frmSelectFile::preselect(const QString &name)
{
    // The first entry that begins with the name, compared without regard to
    // case; an empty name selects nothing.
    int found = -1;
    if (!name.isEmpty()) {
        for (int row = 0; row < flstImageList->count(); ++row) {
            if (flstImageList->item(row)->text().startsWith(name, Qt::CaseInsensitive)) {
                found = row;
                break;
            }
        }
    }
    if (found >= 0)
        flstImageList->setCurrentRow(found);
}

QListWidgetItem *frmSelectFile::selectedEntry() const
{
    const QList<QListWidgetItem *> selected = flstImageList->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

void frmSelectFile::flstImageList_Click()
{
    QListWidgetItem *item = selectedEntry();
    if (!item)
        return;
    const QString path = AddBackslash(gSelFileFolder) + item->text();
    txtFileName->setText(path);
    txtFileName->setToolTip(path);
    cmdOK->setEnabled(true);
}

void frmSelectFile::flstImageList_DblClick()
{
    flstImageList_Click();
    cmdOK_Click();
}

void frmSelectFile::cmdOK_Click()
{
    QListWidgetItem *item = selectedEntry();
    if (txtFileName->text().isEmpty() || !item)
        return;
    // A name the skin file would write as "?" would be a file the skin can
    // never find again: the author renames the file first. No message of the
    // table says this: the text stays English.
    const QList<char32_t> missing = gSelFileForSkin ? cp1252::unencodable(item->text()) : QList<char32_t>();
    if (!missing.isEmpty()) {
        dialogs::msgBox(QLatin1Char('"') + item->text()
                + QStringLiteral("\" cannot be used: a skin file cannot hold ") + CharactersText(missing)
                + QStringLiteral(" of its name.\n")
                + QStringLiteral(
                    "Rename the file to use only the characters of Windows-1252 and choose it again."),
            dialogs::vbExclamation, Message(13003), this);
        return;
    }
    gSelFilePath = AddBackslash(gSelFileFolder) + item->text();
    gSelFileName = item->text();
    gSelFileOK = true;
    done(Accepted);
}

void frmSelectFile::cmdCancel_Click()
{
    gSelFileOK = false;
    done(Rejected);
}

void frmSelectFile::reject()
{
    cmdCancel_Click();
}
