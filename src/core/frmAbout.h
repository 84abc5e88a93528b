#pragma once

#include <QDialog>

class PictureBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The About box: the program's name, version, description, copyright, author,
// a link to the home page, and a version history that opens hidden and is shown
// or hidden with a button. Constructing it loads it (its texts come from the
// current language); show it with dialogs::showModal, owned by the main window,
// and let it go when it closes:
//     frmAbout about(this);
//     dialogs::showModal(&about);
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit frmAbout(QWidget *owner = nullptr);

    // Shows or hides the version history by moving the window's lower edge.
    void cmdHistory_Click();
    // Opens the home page with the shell; says so when no program opens web addresses.
    void lblCheckVersion_Click();

    bool historyHidden() const { return m_historyHidden; }

    // "v", the major number, ".", then the minor number and the revision written
    // together: 1, 0, 7 give "v1.07".
    static QString VersionLine(int major, int minor, int revision);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void connectHandlers();
    void Form_Load();

    QLabel *lblTitle = nullptr;
    QLabel *lblVersion = nullptr;
    PictureBox *pctAuthor = nullptr;
    QLabel *lblComment = nullptr;
    QLabel *lblCopyright = nullptr;
    QLabel *lblAuthor = nullptr;
    QLabel *lblCheckVersion = nullptr;
    QPushButton *cmdHistory = nullptr;
    QPlainTextEdit *txtHistory = nullptr;

    bool m_historyHidden = false;
};
