#pragma once

#include "lang/PlayerLangFile.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The picker's text: in, the button's text when it opens; out, the reference
// chosen with OK.
extern QString gMultilangText;
// False when the picker opens and after Cancel, true after OK.
extern bool gMultilangOK;

// Lets the user pick a button text out of the player's language file: shows
// the button-text picker modally, owned by owner (the main window), starting
// from text. When the player's language folder is not known yet it is taken
// from the player's registry entry; when no file has been chosen in a known
// folder, the user is asked for one first. True when the user chose OK; the
// reference is then in gMultilangText.
bool ShowMultilanguageButtons(QString &text, QWidget *owner);

// The button-text picker: lists every line of the player's language file and
// turns a picked entry into "$lang.<section>.<key>". Constructing it loads it
// (texts, the remembered folder and file, the current text preselected); show
// it with dialogs::showModal (ShowMultilanguageButtons does both).
class frmMultilanguageButtons : public QDialog
{
    Q_OBJECT

public:
    explicit frmMultilanguageButtons(QWidget *owner = nullptr);

    void cmdBrowsePath_Click();
    // Lets the user choose the file in the folder, then lists it.
    void cmdBrowseFile_Click();
    // Lists the remembered file of the remembered folder.
    void Open_Lang_File();
    void lstChooseDescription_Click();
    void lstChooseDescription_DblClick();
    void cmdOK_Click();
    void cmdCancel_Click();

    // Esc and the title bar's close button count as Cancel.
    void reject() override;

    // The file as last listed, and its sections.
    const PlayerLangFile &langFile() const { return m_file; }

private:
    void createControls();
    void connectHandlers();
    void Form_Load();
    // Selects the entry the current text refers to, if the list holds it.
    void preselect();
    // Fills the two boxes from the selected entry and enables OK; false when
    // that entry cannot be picked (then nothing changes).
    bool pickSelected();
    void reportUnlisted(PlayerLangFile::Status status, const QString &path);
    QString langFilePath() const;

    QGroupBox *fmChooseLang = nullptr;
    QLabel *lblChoosePath = nullptr;
    QLineEdit *txtChoosePath = nullptr;
    QPushButton *cmdBrowsePath = nullptr;
    QLabel *lblChooseFile = nullptr;
    QLineEdit *txtChooseFile = nullptr;
    QPushButton *cmdBrowseFile = nullptr;
    QGroupBox *fmChooseDescription = nullptr;
    QLabel *lblChooseDescription = nullptr;
    QListWidget *lstChooseDescription = nullptr;
    QLabel *lblLangSection = nullptr;
    QLineEdit *txtLangSection = nullptr;
    QLabel *lblLangString = nullptr;
    QLineEdit *txtLangString = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;

    PlayerLangFile m_file;
};
