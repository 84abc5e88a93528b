#include "widgets/WindowDialogs.h"
#include "support/DialogRecorder.h"

#include <QPointer>
#include <QtTest>

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

// The dialog wrapper with a responder installed, through the recorder the other
// tests use.
class tst_dialogs : public QObject
{
    Q_OBJECT
private slots:
    void messageBoxesAreRecordedAndAnswered();
    void defaultAnswersWhenNothingIsScripted();
    void inputAndFileDialogs();
    void colourDialogKeepsCustomColoursOnCancel();
    void popupMenuTriggersTheChosenItem();
    void modalFormDrivenByTheResponder();
    void nestedRequestsFromAModalForm();
    void callbackAnswersAfterTheQueue();
    void responderRemovedWithTheRecorder();
};

void tst_dialogs::messageBoxesAreRecordedAndAnswered()
{
    DialogRecorder recorder;
    recorder.answerButton(dialogs::vbYes);
    recorder.answerButton(dialogs::vbRetry);
    QCOMPARE(dialogs::msgBox(QStringLiteral("Save?"), dialogs::vbYesNoCancel | dialogs::vbQuestion),
        int(dialogs::vbYes));
    QCOMPARE(dialogs::msgBox(QStringLiteral("Disk"), dialogs::vbRetryCancel, QStringLiteral("Error")),
        int(dialogs::vbRetry));
    QCOMPARE(recorder.count(), 2);
    QCOMPARE(recorder.at(0).kind, DialogRecorder::Kind::MessageBox);
    QCOMPARE(recorder.at(0).title, QStringLiteral("TVX_Morvane")); // an empty title is the program's
    QCOMPARE(recorder.at(0).style, dialogs::vbYesNoCancel | dialogs::vbQuestion);
    QCOMPARE(recorder.at(1).title, QStringLiteral("Error"));
    QCOMPARE(recorder.messages(), (QStringList { QStringLiteral("Save?"), QStringLiteral("Disk") }));
    QCOMPARE(recorder.unanswered(), 0);
}

void tst_dialogs::defaultAnswersWhenNothingIsScripted()
{
    DialogRecorder recorder;
    QCOMPARE(dialogs::msgBox(QStringLiteral("a")), int(dialogs::vbOK));
    QCOMPARE(dialogs::msgBox(QStringLiteral("b"), dialogs::vbYesNo), int(dialogs::vbNo));
    QCOMPARE(dialogs::msgBox(QStringLiteral("c"), dialogs::vbYesNoCancel), int(dialogs::vbCancel));
    QString chosen = QStringLiteral("unchanged");
    QVERIFY(!dialogs::fileDialog(true, nullptr, QString(), QString(), {}, 1, QString(), &chosen));
    QCOMPARE(chosen, QStringLiteral("unchanged"));
    QCOMPARE(dialogs::inputBox(QStringLiteral("?"), QString(), QStringLiteral("default")), QString());
    QCOMPARE(recorder.unanswered(), 5);
}

void tst_dialogs::inputAndFileDialogs()
{
    DialogRecorder recorder;
    recorder.acceptText(QStringLiteral("typed"));
    QCOMPARE(dialogs::inputBox(QStringLiteral("Name?"), QString(), QStringLiteral("old")),
        QStringLiteral("typed"));
    QCOMPARE(recorder.last().text, QStringLiteral("old"));

    recorder.acceptFile(QStringLiteral("/tmp/x/Skin.ini"));
    QString chosen;
    QVERIFY(dialogs::fileDialog(false, nullptr, QStringLiteral("Save"), QStringLiteral("/tmp"),
        { QStringLiteral("Skin files (Skin.ini;Skinv1.ini)"), QStringLiteral("All (*)") }, 2,
        QStringLiteral("Skin.ini"), &chosen, true));
    QCOMPARE(chosen, QStringLiteral("/tmp/x/Skin.ini"));
    const dialogs::Request &r = recorder.last();
    QCOMPARE(r.kind, DialogRecorder::Kind::SaveFile);
    QCOMPARE(r.filters,
        (QStringList { QStringLiteral("Skin files (Skin.ini Skinv1.ini)"), QStringLiteral("All (*)") }));
    QCOMPARE(r.filterIndex, 2);
    QCOMPARE(r.text, QStringLiteral("Skin.ini"));
    QCOMPARE(r.directory, QStringLiteral("/tmp"));
    QVERIFY(r.overwritePrompt);
    QVERIFY(!r.fileMustExist);

    recorder.acceptFolder(QStringLiteral("/tmp"));
    QVERIFY(dialogs::folderDialog(nullptr, QStringLiteral("Pick"), QStringLiteral("/TMP"), &chosen));
    QCOMPARE(chosen, QStringLiteral("/tmp"));
    QCOMPARE(recorder.last().kind, DialogRecorder::Kind::Folder);
    QCOMPARE(recorder.last().text, QStringLiteral("/tmp")); // the start folder, found without regard to case
}

void tst_dialogs::colourDialogKeepsCustomColoursOnCancel()
{
    DialogRecorder recorder;
    QList<QColor> custom(16, QColor(Qt::red));
    QColor chosen(Qt::green);
    recorder.cancel();
    QVERIFY(!dialogs::colorDialog(nullptr, QColor(Qt::blue), custom, &chosen));
    QCOMPARE(chosen, QColor(Qt::green));
    QCOMPARE(custom, QList<QColor>(16, QColor(Qt::red)));
    QCOMPARE(recorder.last().color, QColor(Qt::blue));
    QCOMPARE(recorder.last().customColors.size(), 16);

    QList<QColor> changed(16, QColor(Qt::yellow));
    recorder.acceptColor(QColor(Qt::cyan), changed);
    QVERIFY(dialogs::colorDialog(nullptr, QColor(Qt::blue), custom, &chosen));
    QCOMPARE(chosen, QColor(Qt::cyan));
    QCOMPARE(custom, changed);
}

void tst_dialogs::popupMenuTriggersTheChosenItem()
{
    DialogRecorder recorder;
    QMenu menu;
    QAction *first = menu.addAction(QStringLiteral("First"));
    QAction *disabled = menu.addAction(QStringLiteral("Disabled"));
    disabled->setEnabled(false);
    int triggered = 0;
    int shown = 0;
    connect(first, &QAction::triggered, this, [&] { ++triggered; });
    connect(disabled, &QAction::triggered, this, [&] { ++triggered; });
    connect(&menu, &QMenu::aboutToShow, this, [&] { ++shown; });

    recorder.chooseAction(first);
    QCOMPARE(dialogs::popupMenu(&menu, QPoint(10, 10), first), first);
    QCOMPARE(triggered, 1);
    QCOMPARE(shown, 1);
    QCOMPARE(recorder.last().menu, &menu);
    QCOMPARE(recorder.last().defaultAction, first);

    recorder.chooseAction(disabled);
    QCOMPARE(dialogs::popupMenu(&menu, QPoint()), nullptr);
    recorder.chooseAction(nullptr);
    QCOMPARE(dialogs::popupMenu(&menu, QPoint()), nullptr);
    QCOMPARE(triggered, 1);
}

void tst_dialogs::modalFormDrivenByTheResponder()
{
    DialogRecorder recorder;
    QDialog form;
    auto *edit = new QLineEdit(&form);
    edit->setObjectName(QStringLiteral("txtName"));
    auto *ok = new QPushButton(QStringLiteral("OK"), &form);
    connect(ok, &QPushButton::clicked, &form, &QDialog::accept);

    bool visibleWhileAnswering = false;
    recorder.answerForm([&](QDialog *f) {
        visibleWhileAnswering = f->isVisible();
        f->findChild<QLineEdit *>(QStringLiteral("txtName"))->setText(QStringLiteral("abc"));
        ok->click();
    });
    QCOMPARE(dialogs::showModal(&form), int(QDialog::Accepted));
    QVERIFY(visibleWhileAnswering);
    QVERIFY(!form.isVisible());
    QCOMPARE(edit->text(), QStringLiteral("abc"));

    // Left open: closed with the scripted result.
    int finishedWith = -1;
    connect(&form, &QDialog::finished, this, [&](int r) { finishedWith = r; });
    recorder.answerForm(nullptr, 7);
    QCOMPARE(dialogs::showModal(&form), 7);
    QCOMPARE(finishedWith, 7);
    QVERIFY(!form.isVisible());

    // Nothing scripted: rejected.
    QCOMPARE(dialogs::showModal(&form), int(QDialog::Rejected));

    // A form whose done() deletes it without finishing is not touched again.
    struct SelfDeleting : QDialog {
        void done(int) override { delete this; }
    };
    QPointer<QDialog> gone = new SelfDeleting;
    QCOMPARE(dialogs::showModal(gone), int(QDialog::Rejected));
    QVERIFY(gone.isNull());
}

void tst_dialogs::nestedRequestsFromAModalForm()
{
    DialogRecorder recorder;
    QDialog form;
    int inner = 0;
    recorder.answerForm([&](QDialog *f) {
        inner = dialogs::msgBox(QStringLiteral("inside"), dialogs::vbYesNo);
        f->accept();
    });
    recorder.answerButton(dialogs::vbYes);
    QCOMPARE(dialogs::showModal(&form), int(QDialog::Accepted));
    QCOMPARE(inner, int(dialogs::vbYes));
    QCOMPARE(recorder.count(), 2);
    QCOMPARE(recorder.at(0).kind, DialogRecorder::Kind::ModalForm);
    QCOMPARE(recorder.at(1).kind, DialogRecorder::Kind::MessageBox);
}

void tst_dialogs::callbackAnswersAfterTheQueue()
{
    DialogRecorder recorder;
    recorder.answerButton(dialogs::vbOK);
    recorder.setCallback([](const dialogs::Request &request) {
        dialogs::Answer answer;
        answer.button = request.prompt == QLatin1String("retry?") ? dialogs::vbRetry : dialogs::vbCancel;
        return answer;
    });
    QCOMPARE(dialogs::msgBox(QStringLiteral("first"), dialogs::vbOKCancel), int(dialogs::vbOK));
    QCOMPARE(dialogs::msgBox(QStringLiteral("retry?"), dialogs::vbRetryCancel), int(dialogs::vbRetry));
    QCOMPARE(dialogs::msgBox(QStringLiteral("other"), dialogs::vbRetryCancel), int(dialogs::vbCancel));
    QCOMPARE(recorder.pending(), 0);
}

void tst_dialogs::responderRemovedWithTheRecorder()
{
    {
        DialogRecorder recorder;
        QVERIFY(dialogs::hasResponder());
    }
    QVERIFY(!dialogs::hasResponder());
}

QTEST_MAIN(tst_dialogs)
#include "tst_dialogs.moc"
