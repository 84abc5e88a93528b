#pragma once

#include "archive/ArchiveDialog.h"

#include <cstdint>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The archive creation dialog: lists the files of the open skin's folder with a
// check box each (the skin INI files cannot be unchecked), takes the whole folder
// through one wildcard name above 100 files or when subfolders are asked for, lets
// the user choose the archive file and writes it. Constructing it loads it; show
// it with ShowTVKCreation.
class frmTVKCreation : public ArchiveDialog
{
    Q_OBJECT

public:
    explicit frmTVKCreation(QWidget *owner = nullptr);

    // Lists the files of folder into the list, unchecked; 101 when it cannot be listed.
    int16_t EnumFiles(const QString &folder);

    void ckTVKRecurseSubFolders_Click();
    void cmdTVKSelectAll_Click();
    void cmdTVKSelectNone_Click();
    void lstTVKSkinFiles_ItemCheck(int item);
    void cmdTVKBrowse_Click();
    void cmdTVKCreate_Click();

    QCheckBox *ckTVKRecurseSubFolders = nullptr;
    QListWidget *lstTVKSkinFiles = nullptr;
    QPushButton *cmdTVKSelectAll = nullptr;
    QPushButton *cmdTVKSelectNone = nullptr;
    QLabel *lblFileName = nullptr;
    QLineEdit *txtTVKFileName = nullptr;
    QPushButton *cmdTVKBrowse = nullptr;
    QPushButton *cmdTVKCreate = nullptr;

private:
    void createControls();
    void connectHandlers();
    void Form_Load();

    void setNameList();
    void setWildcard();
    void setListEnabled(bool enabled);

    int32_t m_fileCount = 0;
};

// Shows the creation dialog modally over owner; true when it created an archive
// (gApiResult 0), whose path is then in gArchivePath.
bool ShowTVKCreation(QWidget *owner);
