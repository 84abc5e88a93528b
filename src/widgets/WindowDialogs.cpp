#include "widgets/WindowDialogs.h"

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QInputDialog>
#include <QLayout>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

#include <algorithm>

namespace dialogs {

namespace {

QWidget *parentFor(QWidget *owner)
{
    return owner ? owner : QApplication::activeWindow();
}

// Messages are built with Windows line ends; a label wants "\n" alone.
QString shownText(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

struct ButtonCode {
    QMessageBox::StandardButton button;
    int code;
};

QList<ButtonCode> buttonsOf(int style)
{
    switch (style & 7) {
    case vbOKCancel:
        return { { QMessageBox::Ok, vbOK }, { QMessageBox::Cancel, vbCancel } };
    case vbAbortRetryIgnore:
        return { { QMessageBox::Abort, vbAbort }, { QMessageBox::Retry, vbRetry },
            { QMessageBox::Ignore, vbIgnore } };
    case vbYesNoCancel:
        return { { QMessageBox::Yes, vbYes }, { QMessageBox::No, vbNo }, { QMessageBox::Cancel, vbCancel } };
    case vbYesNo:
        return { { QMessageBox::Yes, vbYes }, { QMessageBox::No, vbNo } };
    case vbRetryCancel:
        return { { QMessageBox::Retry, vbRetry }, { QMessageBox::Cancel, vbCancel } };
    default:
        return { { QMessageBox::Ok, vbOK } };
    }
}

QMessageBox::Icon iconOf(int style)
{
    switch (style & 0x70) {
    case vbCritical:
        return QMessageBox::Critical;
    case vbQuestion:
        return QMessageBox::Question;
    case vbExclamation:
        return QMessageBox::Warning;
    case vbInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// The folder itself when it exists, else its nearest existing parent (a folder
// that an extraction is still to create); "" when none is found.
QString existingFolder(const QString &folder)
{
    QString current = QDir::cleanPath(folder);
    while (!current.isEmpty() && !QFileInfo(current).isDir()) {
        const QString parent = QFileInfo(current).path();
        if (parent == current || parent == QLatin1String("."))
            return QString();
        current = parent;
    }
    return current;
}

// Runs a file dialog made non-native, titled title when one is given, opened in
// startFolder (or its nearest existing parent) and with initialName in its name
// box; the chosen path, or "" when cancelled.
QString execFileDialog(QFileDialog &dialog, const QString &title, const QString &startFolder,
    const QString &initialName = QString())
{
    if (!title.isEmpty())
        dialog.setWindowTitle(title);
    const QString folder = startFolder.isEmpty() ? QString() : existingFolder(startFolder);
    if (!folder.isEmpty())
        dialog.setDirectory(folder);
    if (!initialName.isEmpty())
        dialog.selectFile(initialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

// The width a window needs for its title bar to show its whole title: the
// title in the title bar's font, which window managers commonly draw bold, and
// room for the window's minimise, maximise and close buttons, each about as wide
// as the bar is high, on both sides (a bar that centres its title needs as much
// beside the window's icon), with a margin at each end. Never wider than the screen.
int titleBarWidth(const QWidget *window)
{
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    const QFontMetrics metrics(font);
    const int buttons = 3 * (metrics.height() * 3 / 2);
    const int width = metrics.horizontalAdvance(window->windowTitle()) + 2 * buttons + metrics.height();
    return std::min(width, window->screen()->availableGeometry().width());
}

// A message box wide enough to show its whole title, as the system's message
// boxes are: Qt fits a box to its text, as it shows and whenever its layout
// asks, and leaves room beside the title for one button only.
class MessageBox : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent *event) override
    {
        QMessageBox::showEvent(event);
        if (fitTitle() && !event->spontaneous() && !testAttribute(Qt::WA_Moved))
            adjustPosition(parentWidget());
    }

    bool event(QEvent *event) override
    {
        const bool result = QMessageBox::event(event);
        if (event->type() == QEvent::LayoutRequest)
            fitTitle();
        return result;
    }

private:
    // Widens the box to its title; true when it did.
    bool fitTitle()
    {
        const int width = titleBarWidth(this);
        if (!isVisible() || width <= this->width())
            return false;
        QLayout *grid = layout();
        setFixedSize(width, grid->hasHeightForWidth() ? grid->totalHeightForWidth(width) : height());
        // The new size asks for no other layout: Qt would fit the box to its text again.
        QCoreApplication::removePostedEvents(this, QEvent::LayoutRequest);
        return true;
    }
};

// An answer carrying a path: accepted when one was chosen.
Answer pathAnswer(const QString &path)
{
    Answer answer;
    answer.accepted = !path.isEmpty();
    answer.text = path;
    return answer;
}

Answer messageBox(const Request &request)
{
    const int style = request.style;
    MessageBox box(iconOf(style), request.title, shownText(request.prompt), QMessageBox::NoButton,
        parentFor(request.owner));
    const QList<ButtonCode> buttons = buttonsOf(style);
    for (const ButtonCode &b : buttons)
        box.addButton(b.button);
    const int defaultIndex = (style & vbDefaultButton3) ? 2 : (style & vbDefaultButton2) ? 1 : 0;
    box.setDefaultButton(buttons.value(defaultIndex, buttons.first()).button);
    // Escape answers only where the box has a way out: Cancel, or OK alone.
    for (const ButtonCode &b : buttons)
        if (b.code == vbCancel || buttons.size() == 1)
            box.setEscapeButton(b.button);
    const int pressed = box.exec();
    Answer answer;
    answer.button = buttons.size() == 1 ? vbOK : vbCancel;
    for (const ButtonCode &b : buttons)
        if (b.button == pressed)
            answer.button = b.code;
    return answer;
}

Answer inputBox(const Request &request)
{
    QInputDialog dialog(parentFor(request.owner));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setTextEchoMode(request.hiddenText ? QLineEdit::Password : QLineEdit::Normal);
    dialog.setWindowTitle(request.title);
    dialog.setLabelText(shownText(request.prompt));
    dialog.setTextValue(request.text);
    Answer answer;
    answer.accepted = dialog.exec() == QDialog::Accepted;
    if (answer.accepted)
        answer.text = dialog.textValue();
    return answer;
}

Answer fileDialog(const Request &request)
{
    QFileDialog dialog(parentFor(request.owner));
    // Non-native before anything else, or Qt may keep to the platform's dialog.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    if (request.kind == Request::Kind::OpenFile) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(request.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    }
    const QStringList &filters = request.filters;
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
            dialog.selectNameFilter(filters.at(request.filterIndex - 1));
    }
    if (!request.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(request.defaultSuffix);
    return pathAnswer(execFileDialog(dialog, request.title, request.directory, request.text));
}

Answer colorDialog(const Request &request)
{
    // The dialog keeps its custom colours between runs; the program's own
    // palette is the one that counts, so it is loaded every time.
    for (int i = 0; i < QColorDialog::customCount(); ++i)
        QColorDialog::setCustomColor(i, request.customColors.at(i));
    QColorDialog dialog(parentFor(request.owner));
    dialog.setOption(QColorDialog::DontUseNativeDialog, true);
    dialog.setCurrentColor(request.color);
    Answer answer;
    answer.accepted = dialog.exec() == QDialog::Accepted;
    answer.color = dialog.selectedColor();
    if (answer.accepted)
        for (int i = 0; i < QColorDialog::customCount(); ++i)
            answer.customColors.append(QColorDialog::customColor(i));
    return answer;
}

Answer fontDialog(const Request &request)
{
    QFontDialog dialog(request.font, parentFor(request.owner));
    dialog.setOption(QFontDialog::DontUseNativeDialog, true);
    Answer answer;
    answer.accepted = dialog.exec() == QDialog::Accepted;
    answer.font = dialog.selectedFont();
    return answer;
}

Answer folderDialog(const Request &request)
{
    QFileDialog dialog(parentFor(request.owner));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // Opening inside the start folder selects it: accepting at once returns it.
    return pathAnswer(execFileDialog(dialog, request.title, request.text));
}

Answer windowDialog(const Request &request)
{
    switch (request.kind) {
    case Request::Kind::MessageBox:
        return messageBox(request);
    case Request::Kind::InputBox:
        return inputBox(request);
    case Request::Kind::OpenFile:
    case Request::Kind::SaveFile:
        return fileDialog(request);
    case Request::Kind::Color:
        return colorDialog(request);
    case Request::Kind::Font:
        return fontDialog(request);
    case Request::Kind::Folder:
        return folderDialog(request);
    case Request::Kind::PopupMenu:
    case Request::Kind::ModalForm:
        // Asked through popupMenu() and showModal(), which show them themselves.
        break;
    }
    return Answer();
}

} // namespace

void installWindowDialogs()
{
    setWindowDialogs(&windowDialog);
}

QAction *popupMenu(QMenu *menu, const QPoint &globalPos, QAction *defaultAction)
{
    if (!menu)
        return nullptr;
    if (!hasResponder()) {
        // The default item shows in bold; the menu opens with its corner at the pointer.
        QAction *previous = menu->defaultAction();
        menu->setDefaultAction(defaultAction);
        QAction *chosen = menu->exec(globalPos);
        menu->setDefaultAction(previous);
        return chosen;
    }

    // The menu's own preparation runs as when it really pops up.
    emit menu->aboutToShow();
    Request request;
    request.kind = Request::Kind::PopupMenu;
    request.owner = menu->parentWidget();
    request.menu = menu;
    request.defaultAction = defaultAction;
    const Answer answer = ask(request);
    emit menu->aboutToHide();
    QAction *action = answer.action;
    if (!action || !action->isEnabled() || action->isSeparator())
        return nullptr;
    action->trigger();
    return action;
}

int showModal(QDialog *form)
{
    if (!form)
        return QDialog::Rejected;
    if (!hasResponder())
        return form->exec();

    QPointer<QDialog> guard(form);
    bool finished = false;
    int code = QDialog::Rejected;
    const auto connection = QObject::connect(form, &QDialog::finished, form, [&](int result) {
        finished = true;
        code = result;
    });
    form->show();
    Request request;
    request.kind = Request::Kind::ModalForm;
    request.owner = form->parentWidget();
    request.title = form->windowTitle();
    request.form = form;
    const Answer answer = ask(request);
    if (guard && !finished) {
        form->done(answer.formResult);
        // done() may have closed the form (finished) or, overridden, deleted it.
        if (guard && !finished) {
            // The form refused to close; a person would still be looking at it.
            form->hide();
            code = answer.formResult;
        }
    }
    if (guard)
        QObject::disconnect(connection);
    return code;
}

} // namespace dialogs
