#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// The image-file picker's inputs and results. ShowSelectFile fills the inputs;
// the picker reads them when it loads and leaves its results behind.
extern QString gSelFileFolder; // in: the folder whose files are listed
extern QString gSelFileFilter; // in: "bmp", or several extensions joined by ";*." ("ttf;*.fon")
extern QString gSelFilePrompt; // in: the prompt above the list
extern QString gSelFileName; // in: the name to preselect; out: the chosen name (no folder)
extern QString gSelFilePath; // out: AddBackslash(folder) & the chosen name; "" until one is chosen
extern bool gSelFileOK; // out: true only when the user confirmed a file
extern bool gSelFileForSkin; // in: the chosen name goes into a skin file

// Shows the picker modally, owned by owner, listing the files of folder that
// match filter, with the first file whose name begins with currentName (without
// regard to case) preselected. True when a file was chosen: then gSelFileName is
// its name and gSelFilePath its full path. A name that goes into a skin file
// (forSkin) must be one the file can hold: the picker refuses any other.
bool ShowSelectFile(QWidget *owner, const QString &folder, const QString &filter, const QString &currentName,
    const QString &prompt, bool forSkin = true);

// The image-file picker: chooses one file of one folder, which the user cannot
// leave. Constructing it loads it from the g-variables above; show it with
// dialogs::showModal (ShowSelectFile does both).
class frmSelectFile : public QDialog
{
    Q_OBJECT

public:
    explicit frmSelectFile(QWidget *owner = nullptr);

    void flstImageList_Click();
    void flstImageList_DblClick();
    void cmdOK_Click();
    void cmdCancel_Click();

    // Esc and the title bar's close button count as Cancel.
    void reject() override;

private:
    void createControls();
    void connectHandlers();
    void Form_Load();
    void listFiles(const QString &folder, const QStringList &patterns);
    void preselect(const QString &name);
    // The list's wildcard patterns for an extension filter: "ttf;*.fon" gives
    // "*.ttf" and "*.fon".
    static QStringList patternsOf(const QString &filter);
    // The entry the user chose in the list, or nullptr.
    QListWidgetItem *selectedEntry() const;

    QLabel *lblDescription = nullptr;
    QListWidget *flstImageList = nullptr;
    QLineEdit *txtFileName = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
};
