#include "platform/Dialogs.h"

#include "platform/AppInfo.h"
#include "platform/FileSystem.h"

#include <utility>

namespace dialogs {

namespace {

// The colour dialog keeps 16 custom colours.
constexpr int CustomColorCount = 16;

Responder &responder()
{
    static Responder installed;
    return installed;
}

Responder &windowDialogs()
{
    static Responder installed;
    return installed;
}

QString titleOrProgram(const QString &title)
{
    return title.isEmpty() ? app::title() : title;
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
template <typename T> bool deliver(bool accepted, const T &value, T *out)
{
    if (accepted && out)
        *out = value;
    return accepted;
}

QString askText(
    const QString &prompt, const QString &title, const QString &defaultText, QWidget *owner, bool hidden)
{
    Request request = requestOf(Request::Kind::InputBox, owner, titleOrProgram(title));
    request.prompt = prompt;
    request.text = defaultText;
    request.hiddenText = hidden;
    const Answer answer = ask(request);
    return answer.accepted ? answer.text : QString();
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

void setWindowDialogs(Responder realDialogs)
{
    windowDialogs() = std::move(realDialogs);
}

Answer ask(const Request &request)
{
    // A copy, so a responder that replaces itself while answering stays alive.
    const Responder current = hasResponder() ? responder() : windowDialogs();
    return current ? current(request) : Answer();
}

int msgBox(const QString &prompt, int style, const QString &title, QWidget *owner)
{
    Request request = requestOf(Request::Kind::MessageBox, owner, titleOrProgram(title));
    request.prompt = prompt;
    request.style = style;
    return ask(request).button;
}

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
    Request request = requestOf(open ? Request::Kind::OpenFile : Request::Kind::SaveFile, owner, title);
    request.directory = directory.isEmpty() ? QString() : fs::resolve(directory);
    request.filters = qtFilters(filters);
    request.filterIndex = filterIndex;
    request.text = initialName;
    request.overwritePrompt = !open && overwritePrompt;
    request.fileMustExist = open && fileMustExist;
    request.defaultSuffix = defaultSuffix;
    const Answer answer = ask(request);
    return deliver(answer.accepted && !answer.text.isEmpty(), answer.text, chosen);
}

bool colorDialog(QWidget *owner, const QColor &initial, QList<QColor> &customColors, QColor *chosen)
{
    while (customColors.size() < CustomColorCount)
        customColors.append(QColor(Qt::black));
    Request request = requestOf(Request::Kind::Color, owner);
    request.color = initial;
    request.customColors = customColors;
    const Answer answer = ask(request);
    if (answer.accepted)
        for (int i = 0; i < answer.customColors.size() && i < customColors.size(); ++i)
            customColors[i] = answer.customColors.at(i);
    return deliver(answer.accepted, answer.color, chosen);
}

bool fontDialog(QWidget *owner, const QFont &initial, QFont *chosen)
{
    Request request = requestOf(Request::Kind::Font, owner);
    request.font = initial;
    const Answer answer = ask(request);
    return deliver(answer.accepted, answer.font, chosen);
}

bool folderDialog(QWidget *owner, const QString &title, const QString &start, QString *chosen)
{
    Request request = requestOf(Request::Kind::Folder, owner, title);
    request.text = start.isEmpty() ? QString() : fs::resolve(start);
    const Answer answer = ask(request);
    return deliver(answer.accepted && !answer.text.isEmpty(), answer.text, chosen);
}

} // namespace dialogs
