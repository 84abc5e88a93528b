#pragma once

#include "platform/Dialogs.h"

#include <QList>
#include <QQueue>

#include <functional>

class QAction;
class QDialog;

// Answers every message box, input box, file, colour, font and folder dialog,
// pop-up menu and modal form of the program while it lives, and records each
// request, so that a test never waits on a window.
//
//     DialogRecorder dialogs;                       // installs itself
//     dialogs.answerButton(dialogs::vbYes);         // the next request gets Yes
//     dialogs.acceptFile(dir.filePath("Skin.ini")); // the one after a file
//     window->mnuFileOpen_Click();
//     QCOMPARE(dialogs.count(), 2);
//     QCOMPARE(dialogs.at(0).kind, dialogs::Request::Kind::MessageBox);
//     QVERIFY(dialogs.at(0).prompt.contains("saved"));
//
// Answers are taken in order from the queue, whatever kind of request comes.
// When the queue is empty the callback set with setCallback() answers; without
// one, the default answer is what a person pressing Escape would get: the only
// button of an OK-only message box and Cancel otherwise (vbNo for Yes/No), no
// file, colour, font or folder, no pop-up item, and a modal form closed with 0
// (rejected). unanswered() counts the requests that got a default answer.
//
// A modal form is shown (not modally) while its answer runs; answerForm() lets
// a test drive its widgets and close it with done(). Nesting works: a request
// made while an answer runs (a message box from inside a modal form) is recorded
// and answered from the queue like any other.
//
// The destructor removes the responder; only one recorder should live at a time.
class DialogRecorder
{
public:
    using Request = dialogs::Request;
    using Answer = dialogs::Answer;
    using Kind = dialogs::Request::Kind;

    DialogRecorder();
    ~DialogRecorder();
    DialogRecorder(const DialogRecorder &) = delete;
    DialogRecorder &operator=(const DialogRecorder &) = delete;

    // --- Scripting the next answers (queued in order) ---
    void enqueue(const Answer &answer);
    void enqueue(std::function<Answer(const Request &)> answer);
    void answerButton(int vbCode); // message box
    void acceptText(const QString &text); // input box
    void acceptFile(const QString &path); // open or save dialog
    void acceptFolder(const QString &path); // folder dialog
    void acceptColor(const QColor &color, const QList<QColor> &customColors = {}); // colour dialog
    void acceptFont(const QFont &font); // font dialog
    void chooseAction(QAction *action); // pop-up menu (nullptr: dismissed)
    void answerForm(std::function<void(QDialog *form)> drive, int resultIfLeftOpen = 0); // modal form
    void cancel(); // any kind: the default (Escape) answer
    int pending() const { return int(m_queue.size()); }

    // Answers every request once the queue is empty (an empty function: defaults).
    void setCallback(std::function<Answer(const Request &)> callback);

    // --- What was asked ---
    const QList<Request> &requests() const { return m_requests; }
    int count() const { return int(m_requests.size()); }
    int count(Kind kind) const;
    const Request &at(int i) const { return m_requests.at(i); }
    const Request &last() const { return m_requests.constLast(); }
    // The prompts of the message boxes, in order.
    QStringList messages() const;
    int unanswered() const { return m_unanswered; }
    void clear();

    // The answer a person pressing Escape gets.
    static Answer defaultAnswer(const Request &request);

private:
    Answer respond(const Request &request);

    QList<Request> m_requests;
    QQueue<std::function<Answer(const Request &)>> m_queue;
    std::function<Answer(const Request &)> m_callback;
    int m_unanswered = 0;
};
