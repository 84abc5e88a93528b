#include "platform/Dialogs.h"

#include "platform/AppInfo.h"
#include "platform/FileSystem.h"

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include <utility>

namespace dialogs {

namespace {

Responder &responder()
{
    static Responder installed;
    return installed;
}

QWidget *parentFor(QWidget *owner)
{
    return owner ? owner : QApplication::activeWindow();
}

QString titleOrProgram(const QString &title)
{
    return title.isEmpty() ? app::title() : title;
}

// Messages are built with Windows line ends; a label wants "\n" alone.
QString shownText(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

Answer ask(const Request &request)
{
    // A copy, so a responder that replaces itself while answering stays alive.
    const Responder current = responder();
    return current(request);
}

struct ButtonCode {
    QMessageBox::StandardButton button;
    int code;
};

QList<ButtonCode> buttonsOf(int style)
{
    switch (style & 7) {
    case vbOKCancel:
        return {{QMessageBox::Ok, vbOK}, {QMessageBox::Cancel, vbCancel}};
    case vbAbortRetryIgnore:
        return {{QMessageBox::Abort, vbAbort}, {QMessageBox::Retry, vbRetry}, {QMessageBox::Ignore, vbIgnore}};
    case vbYesNoCancel:
        return {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}, {QMessageBox::Cancel, vbCancel}};
    case vbYesNo:
        return {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}};
    case vbRetryCancel:
        return {{QMessageBox::Retry, vbRetry}, {QMessageBox::Cancel, vbCancel}};
    default:
        return {{QMessageBox::Ok, vbOK}};
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

// Qt takes the patterns inside the filter's last parentheses, separated by
// blanks; the Windows form separates them by ";".
QString qtFilter(const QString &filter)
{
    const QString f = filter.trimmed();
    const qsizetype open = f.lastIndexOf(QLatin1Char('('));
    if (open < 0 || !f.endsWith(QLatin1Char(')')))
        return f;
    QString patterns = f.mid(open + 1, f.size() - open - 2);
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    return f.left(open + 1) + patterns.simplified() + QLatin1Char(')');
}

QStringList qtFilters(const QStringList &filters)
{
    QStringList result;
    for (const QString &filter : filters)
        result += qtFilter(filter);
    return result;
}

Request requestOf(Request::Kind kind, QWidget *owner, const QString &title = QString())
{
    Request request;
    request.kind = kind;
    request.owner = owner;
    request.title = title;
    return request;
}

// What every dialog that can be cancelled hands back: the value only when accepted.
template <typename T>
bool deliver(bool accepted, const T &value, T *out)
{
    if (accepted && out)
        *out = value;
    return accepted;
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

} // namespace

void setResponder(Responder r)
{
    responder() = std::move(r);
}

bool hasResponder()
{
    return bool(responder());
}

int msgBox(const QString &prompt, int style, const QString &title, QWidget *owner)
{
    const QString shownTitle = titleOrProgram(title);
    if (hasResponder()) {
        Request request = requestOf(Request::Kind::MessageBox, owner, shownTitle);
        request.prompt = prompt;
        request.style = style;
        return ask(request).button;
    }

    QMessageBox box(iconOf(style), shownTitle, shownText(prompt), QMessageBox::NoButton, parentFor(owner));
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
    for (const ButtonCode &b : buttons)
        if (b.button == pressed)
            return b.code;
    return buttons.size() == 1 ? vbOK : vbCancel;
}

namespace {

QString askText(const QString &prompt, const QString &title, const QString &defaultText, QWidget *owner,
                bool hidden)
{
    const QString shownTitle = titleOrProgram(title);
    if (hasResponder()) {
        Request request = requestOf(Request::Kind::InputBox, owner, shownTitle);
        request.prompt = prompt;
        request.text = defaultText;
        request.hiddenText = hidden;
        const Answer answer = ask(request);
        return answer.accepted ? answer.text : QString();
    }

    QInputDialog dialog(parentFor(owner));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setTextEchoMode(hidden ? QLineEdit::Password : QLineEdit::Normal);
    dialog.setWindowTitle(shownTitle);
    dialog.setLabelText(shownText(prompt));
    dialog.setTextValue(defaultText);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.textValue();
}

} // namespace

QString inputBox(const QString &prompt, const QString &title, const QString &defaultText, QWidget *owner)
{
    return askText(prompt, title, defaultText, owner, false);
}

QString passwordBox(const QString &prompt, const QString &title, QWidget *owner)
{
    return askText(prompt, title, QString(), owner, true);
}

bool fileDialog(bool open, QWidget *owner, const QString &title, const QString &directory,
                const QStringList &filters, int filterIndex, const QString &initialName, QString *chosen,
                bool overwritePrompt, bool fileMustExist, const QString &defaultSuffix)
{
    const QStringList shownFilters = qtFilters(filters);
    const QString startFolder = directory.isEmpty() ? QString() : fs::resolve(directory);
    if (hasResponder()) {
        Request request = requestOf(open ? Request::Kind::OpenFile : Request::Kind::SaveFile, owner, title);
        request.directory = startFolder;
        request.filters = shownFilters;
        request.filterIndex = filterIndex;
        request.text = initialName;
        request.overwritePrompt = !open && overwritePrompt;
        request.fileMustExist = open && fileMustExist;
        request.defaultSuffix = defaultSuffix;
        const Answer answer = ask(request);
        return deliver(answer.accepted && !answer.text.isEmpty(), answer.text, chosen);
    }

    QFileDialog dialog(parentFor(owner));
    // Non-native before anything else, or Qt may keep to the platform's dialog.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    if (open) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !overwritePrompt);
    }
    if (!shownFilters.isEmpty()) {
        dialog.setNameFilters(shownFilters);
        if (filterIndex >= 1 && filterIndex <= shownFilters.size())
            dialog.selectNameFilter(shownFilters.at(filterIndex - 1));
    }
    if (!defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(defaultSuffix);
    const QString path = execFileDialog(dialog, title, startFolder, initialName);
    return deliver(!path.isEmpty(), path, chosen);
}

bool colorDialog(QWidget *owner, const QColor &initial, QList<QColor> &customColors, QColor *chosen)
{
    while (customColors.size() < QColorDialog::customCount())
        customColors.append(QColor(Qt::black));
    if (hasResponder()) {
        Request request = requestOf(Request::Kind::Color, owner);
        request.color = initial;
        request.customColors = customColors;
        const Answer answer = ask(request);
        if (answer.accepted)
            for (int i = 0; i < answer.customColors.size() && i < customColors.size(); ++i)
                customColors[i] = answer.customColors.at(i);
        return deliver(answer.accepted, answer.color, chosen);
    }

    // The dialog keeps its custom colours between runs; the program's own
    // palette is the one that counts, so it is loaded every time.
    for (int i = 0; i < QColorDialog::customCount(); ++i)
        QColorDialog::setCustomColor(i, customColors.at(i));
    QColorDialog dialog(parentFor(owner));
    dialog.setOption(QColorDialog::DontUseNativeDialog, true);
    dialog.setCurrentColor(initial);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    if (accepted)
        for (int i = 0; i < QColorDialog::customCount(); ++i)
            customColors[i] = QColorDialog::customColor(i);
    return deliver(accepted, dialog.selectedColor(), chosen);
}

bool fontDialog(QWidget *owner, const QFont &initial, QFont *chosen)
{
    if (hasResponder()) {
        Request request = requestOf(Request::Kind::Font, owner);
        request.font = initial;
        const Answer answer = ask(request);
        return deliver(answer.accepted, answer.font, chosen);
    }

    QFontDialog dialog(initial, parentFor(owner));
    dialog.setOption(QFontDialog::DontUseNativeDialog, true);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    return deliver(accepted, dialog.selectedFont(), chosen);
}

bool folderDialog(QWidget *owner, const QString &title, const QString &start, QString *chosen)
{
    const QString startFolder = start.isEmpty() ? QString() : fs::resolve(start);
    if (hasResponder()) {
        Request request = requestOf(Request::Kind::Folder, owner, title);
        request.text = startFolder;
        const Answer answer = ask(request);
        return deliver(answer.accepted && !answer.text.isEmpty(), answer.text, chosen);
    }

    QFileDialog dialog(parentFor(owner));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // Opening inside the start folder selects it: accepting at once returns it.
    const QString path = execFileDialog(dialog, title, startFolder);
    return deliver(!path.isEmpty(), path, chosen);
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
    Request request = requestOf(Request::Kind::PopupMenu, menu->parentWidget());
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
    Request request = requestOf(Request::Kind::ModalForm, form->parentWidget(), form->windowTitle());
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
