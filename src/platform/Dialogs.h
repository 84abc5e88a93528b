#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QAction;
class QDialog;
class QMenu;
class QWidget;

// The one way the program shows message boxes, input boxes, the system's file,
// colour, font and folder dialogs, pop-up menus and its own modal forms. The
// requests and answers need no window: in the running program the window side
// answers each with a real Qt modal widget shown with exec() (pop-up menus and
// modal forms are asked there too, see widgets/WindowDialogs.h); a test installs a
// responder that answers (and records) them instead, so nothing waits on a person.
namespace dialogs {

// Message box styles and answers, with the Visual Basic codes.
enum MsgBoxStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512,
};
enum MsgBoxResult : int {
    vbOK = 1,
    vbCancel = 2,
    vbAbort = 3,
    vbRetry = 4,
    vbIgnore = 5,
    vbYes = 6,
    vbNo = 7
};

// What is being asked.
struct Request {
    enum class Kind { MessageBox, InputBox, OpenFile, SaveFile, Color, Font, Folder, PopupMenu, ModalForm };
    Kind kind = Kind::MessageBox;
    QWidget *owner = nullptr;
    QString title; // every kind but PopupMenu and ModalForm
    QString prompt; // message box and input box text
    int style = 0; // message box: buttons + icon + default button
    QString text; // input box default, file dialog initial name, folder start
    bool hiddenText = false; // input box: what is typed is not shown (a password)
    QString directory; // file dialog start folder
    QStringList filters; // file dialog: "Description (pattern pattern)" entries as shown
    int filterIndex = 1; // file dialog: 1 = first filter
    bool overwritePrompt = false; // save dialog: asks before replacing an existing file
    bool fileMustExist = false; // open dialog: only an existing file can be chosen
    QString defaultSuffix; // file dialog: extension added to a name typed without one
    QColor color; // colour dialog: initial colour
    QList<QColor> customColors; // colour dialog: the 16 custom colours
    QFont font; // font dialog: initial font
    QMenu *menu = nullptr; // pop-up menu
    QAction *defaultAction = nullptr;
    QDialog *form = nullptr; // modal form, loaded and about to be shown
};

// The answer: which fields count depends on the kind.
struct Answer {
    int button = vbCancel; // message box answer code
    bool accepted = false; // input box, file, colour, font, folder dialogs
    QString text; // input box text, chosen file path, chosen folder
    QColor color; // chosen colour
    QList<QColor> customColors; // the custom colours as the dialog left them (16)
    QFont font; // chosen font
    QAction *action = nullptr; // pop-up menu: the item chosen (nullptr: none)
    int formResult = 0; // modal form: the exec() result when the responder did not close it
};

using Responder = std::function<Answer(const Request &)>;

// Installs a responder (tests); an empty function restores the real dialogs.
void setResponder(Responder responder);
bool hasResponder();

// Installs the real dialogs, which answer while no responder is installed. The
// window side does this as the application starts.
void setWindowDialogs(Responder realDialogs);

// The answer of the responder when one is installed, else of the real dialogs;
// with neither (a program without windows) the default answer: Cancel, nothing
// chosen.
Answer ask(const Request &request);

// MsgBox: returns the answer code. An empty title gives the program title.
int msgBox(
    const QString &prompt, int style = vbOKOnly, const QString &title = QString(), QWidget *owner = nullptr);

// InputBox: the text typed, "" when cancelled.
QString inputBox(const QString &prompt, const QString &title = QString(),
    const QString &defaultText = QString(), QWidget *owner = nullptr);

// An input box whose typed text is hidden (a password); empty default. The text
// typed, "" when cancelled.
QString passwordBox(const QString &prompt, const QString &title = QString(), QWidget *owner = nullptr);

// File dialog (non-native QFileDialog). True with the full path in *chosen.
// A filter is "Description (pattern;pattern)" or "Description (pattern pattern)";
// an empty title gives the dialog's own. The save dialog replaces an existing
// file without asking unless overwritePrompt is set; the open dialog accepts only
// existing files when fileMustExist is set.
bool fileDialog(bool open, QWidget *owner, const QString &title, const QString &directory,
    const QStringList &filters, int filterIndex, const QString &initialName, QString *chosen,
    bool overwritePrompt = false, bool fileMustExist = true, const QString &defaultSuffix = QString());

// Colour dialog starting at initial; customColors (16) are loaded into the dialog
// before it shows and updated from it on success.
bool colorDialog(QWidget *owner, const QColor &initial, QList<QColor> &customColors, QColor *chosen);

// Font dialog starting at initial.
bool fontDialog(QWidget *owner, const QFont &initial, QFont *chosen);

// Folder dialog starting at start (selected when it opens).
bool folderDialog(QWidget *owner, const QString &title, const QString &start, QString *chosen);

} // namespace dialogs
