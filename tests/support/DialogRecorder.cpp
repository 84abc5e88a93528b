#include "support/DialogRecorder.h"

#include <QDialog>

DialogRecorder::DialogRecorder()
{
    dialogs::setResponder([this](const Request &request) { return respond(request); });
}

DialogRecorder::~DialogRecorder()
{
    dialogs::setResponder({});
}

void DialogRecorder::enqueue(const Answer &answer)
{
    m_queue.enqueue([answer](const Request &) { return answer; });
}

void DialogRecorder::enqueue(std::function<Answer(const Request &)> answer)
{
    m_queue.enqueue(std::move(answer));
}

void DialogRecorder::answerButton(int vbCode)
{
    Answer answer;
    answer.button = vbCode;
    enqueue(answer);
}

void DialogRecorder::acceptText(const QString &text)
{
    Answer answer;
    answer.accepted = true;
    answer.text = text;
    enqueue(answer);
}

void DialogRecorder::acceptFile(const QString &path)
{
    acceptText(path);
}

void DialogRecorder::acceptFolder(const QString &path)
{
    acceptText(path);
}

void DialogRecorder::acceptColor(const QColor &color, const QList<QColor> &customColors)
{
    enqueue([color, customColors](const Request &request) {
        Answer answer;
        answer.accepted = true;
        answer.color = color;
        answer.customColors = customColors.isEmpty() ? request.customColors : customColors;
        return answer;
    });
}

void DialogRecorder::acceptFont(const QFont &font)
{
    Answer answer;
    answer.accepted = true;
    answer.font = font;
    enqueue(answer);
}

void DialogRecorder::chooseAction(QAction *action)
{
    Answer answer;
    answer.action = action;
    enqueue(answer);
}

void DialogRecorder::answerForm(std::function<void(QDialog *)> drive, int resultIfLeftOpen)
{
    enqueue([drive = std::move(drive), resultIfLeftOpen](const Request &request) {
        if (drive && request.form)
            drive(request.form);
        Answer answer;
        answer.formResult = resultIfLeftOpen;
        return answer;
    });
}

void DialogRecorder::cancel()
{
    enqueue([](const Request &request) { return defaultAnswer(request); });
}

void DialogRecorder::setCallback(std::function<Answer(const Request &)> callback)
{
    m_callback = std::move(callback);
}

int DialogRecorder::count(Kind kind) const
{
    int n = 0;
    for (const Request &request : m_requests)
        if (request.kind == kind)
            ++n;
    return n;
}

QStringList DialogRecorder::messages() const
{
    QStringList prompts;
    for (const Request &request : m_requests)
        if (request.kind == Kind::MessageBox)
            prompts += request.prompt;
    return prompts;
}

void DialogRecorder::clear()
{
    m_requests.clear();
    m_queue.clear();
    m_unanswered = 0;
}

DialogRecorder::Answer DialogRecorder::defaultAnswer(const Request &request)
{
    Answer answer;
    if (request.kind == Kind::MessageBox) {
        switch (request.style & 7) {
        case dialogs::vbOKOnly:
            answer.button = dialogs::vbOK;
            break;
        case dialogs::vbAbortRetryIgnore:
            answer.button = dialogs::vbAbort;
            break;
        case dialogs::vbYesNo:
            answer.button = dialogs::vbNo;
            break;
        default:
            answer.button = dialogs::vbCancel;
        }
    }
    answer.formResult = QDialog::Rejected;
    return answer;
}

DialogRecorder::Answer DialogRecorder::respond(const Request &request)
{
    m_requests.append(request);
    if (!m_queue.isEmpty()) {
        const auto answer = m_queue.dequeue();
        return answer(request);
    }
    if (m_callback)
        return m_callback(request);
    ++m_unanswered;
    return defaultAnswer(request);
}
