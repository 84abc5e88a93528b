#pragma once

#include "archive/ArchiveDialog.h"
#include "platform/ControlArray.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The archive extraction dialog: lists a ".tvk" archive to learn which skin files
// it holds at its root, lets the user choose where to extract it and which skin
// to load, extracts the whole archive (asking once before it replaces files that
// exist in the extraction folder) and hands the chosen skin file back in
// gDlgFileName and gDlgFileTitle with gOpenOK set. Constructing it loads it (and
// lists the archive named by gDlgFileName); show it with dialogs::showModal,
// owned by the main window, when listed() is true.
class frmTVKExtraction : public ArchiveDialog
{
    Q_OBJECT

public:
    explicit frmTVKExtraction(QWidget *owner = nullptr);

    // False when the archive could not be listed; the failure has been shown.
    bool listed() const { return m_listed; }

    void ckTVKSkinName_Click();
    void cmdTVKBrowse_Click();
    void optTVKSkinType_Click(int index);
    void cmdTVKExtrac_Click();

    // The subfolder an archive file name gives: the name without its extension,
    // never "." or "..".
    static QString ArchiveName(const QString &archiveTitle);

    QCheckBox *ckTVKSkinName = nullptr;
    QLabel *lblTVKChoosePath = nullptr;
    QLineEdit *txtTVKExtractPath = nullptr;
    QPushButton *cmdTVKBrowse = nullptr;
    ControlArray<QRadioButton> optTVKSkinType;
    QPushButton *cmdTVKExtrac = nullptr;

private:
    void createControls();
    void connectHandlers();
    void Form_Load();

    QString extractionFolder() const;
    QString chosenSkinFile() const;
    void showExtractionFolder();
    // True when extracting would replace a file that exists in the extraction folder.
    bool replacesFiles() const;
    void stage(bool listing);
    void showFailure(const QString &title);

    QString m_baseFolder;
    QString m_archivePath;
    QString m_archiveTitle;
    bool m_listed = true;
};
