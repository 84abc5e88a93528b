#include "widgets/WindowDialogs.h"

#include <QtTest>

#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <functional>

// The real Qt dialogs behind the wrapper, without a responder: a timer finds
// the modal widget once it shows, checks it and closes it as a person would.
class tst_realdialogs : public QObject
{
    Q_OBJECT
private slots:
    void messageBoxButtonsAndCodes();
    void messageBoxIsAsWideAsItsTitle();
    void inputBox();
    void fileDialogSettings();
    void colourDialogLoadsAndReturnsCustomColours();
    void folderDialogStartsInTheStartFolder();
    void modalForm();

private:
    // Runs act on the modal widget as soon as one is active.
    void whenModal(std::function<void(QWidget *)> act);
};

void tst_realdialogs::whenModal(std::function<void(QWidget *)> act)
{
    auto *timer = new QTimer(this);
    timer->setInterval(10);
    connect(timer, &QTimer::timeout, this, [timer, act] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            act(modal);
            // A failed check leaves the dialog open: close it so nothing hangs.
            if (auto *dialog = qobject_cast<QDialog *>(modal); dialog && dialog->isVisible())
                dialog->reject();
        }
    });
    timer->start();
}

void tst_realdialogs::messageBoxButtonsAndCodes()
{
    QMessageBox::StandardButtons buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QAbstractButton *defaultButton = nullptr;
    whenModal([&](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        QVERIFY(box);
        buttons = box->standardButtons();
        icon = box->icon();
        title = box->windowTitle();
        defaultButton = box->defaultButton();
        QCOMPARE(defaultButton, box->button(QMessageBox::No));
        box->button(QMessageBox::No)->click();
    });
    const int answer = dialogs::msgBox(
        QStringLiteral("Save?"), dialogs::vbYesNoCancel | dialogs::vbQuestion | dialogs::vbDefaultButton2);
    QCOMPARE(answer, int(dialogs::vbNo));
    QCOMPARE(buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QCOMPARE(icon, QMessageBox::Question);
    QCOMPARE(title, QStringLiteral("TVX_Morvane"));

    whenModal([&](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        QCOMPARE(box->icon(), QMessageBox::Critical);
        QCOMPARE(box->standardButtons(), QMessageBox::Retry | QMessageBox::Cancel);
        QTest::keyClick(box, Qt::Key_Escape);
    });
    QCOMPARE(dialogs::msgBox(
                 QStringLiteral("Disk"), dialogs::vbRetryCancel | dialogs::vbCritical, QStringLiteral("T")),
        int(dialogs::vbCancel));

    whenModal([&](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        QCOMPARE(box->icon(), QMessageBox::Warning);
        box->button(QMessageBox::Ok)->click();
    });
    QCOMPARE(dialogs::msgBox(QStringLiteral("x"), dialogs::vbExclamation), int(dialogs::vbOK));
}

void tst_realdialogs::messageBoxIsAsWideAsItsTitle()
{
    // Window managers commonly draw a title bold; a short text makes a narrow box.
    const QString title
        = QStringLiteral("TVX_Morvane - A title much longer than the message in the box below it");
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    int width = 0;
    whenModal([&](QWidget *w) {
        width = w->width();
        qobject_cast<QMessageBox *>(w)->button(QMessageBox::Ok)->click();
    });
    dialogs::msgBox(QStringLiteral("Short."), dialogs::vbOKOnly, title);
    QVERIFY2(width >= QFontMetrics(font).horizontalAdvance(title), qPrintable(QString::number(width)));
}

void tst_realdialogs::inputBox()
{
    whenModal([](QWidget *w) {
        auto *dialog = qobject_cast<QInputDialog *>(w);
        QVERIFY(dialog);
        QCOMPARE(dialog->labelText(), QStringLiteral("Name?"));
        QCOMPARE(dialog->textValue(), QStringLiteral("old"));
        dialog->setTextValue(QStringLiteral("new"));
        static_cast<QDialog *>(dialog)->accept();
    });
    QCOMPARE(
        dialogs::inputBox(QStringLiteral("Name?"), QString(), QStringLiteral("old")), QStringLiteral("new"));
    whenModal([](QWidget *w) { qobject_cast<QDialog *>(w)->reject(); });
    QCOMPARE(dialogs::inputBox(QStringLiteral("Name?"), QString(), QStringLiteral("old")), QString());
    // A password is typed unseen.
    whenModal([](QWidget *w) {
        QCOMPARE(w->findChild<QLineEdit *>()->echoMode(), QLineEdit::Password);
        qobject_cast<QInputDialog *>(w)->setTextValue(QStringLiteral("secret"));
        static_cast<QDialog *>(w)->accept();
    });
    QCOMPARE(dialogs::passwordBox(QStringLiteral("Password?")), QStringLiteral("secret"));
}

void tst_realdialogs::fileDialogSettings()
{
    QTemporaryDir dir;
    QFile existing(dir.filePath(QStringLiteral("Skin.ini")));
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.close();

    QStringList filters;
    QString selectedFilter;
    bool native = true;
    bool confirmOverwrite = true;
    QString directory;
    whenModal([&](QWidget *w) {
        auto *dialog = qobject_cast<QFileDialog *>(w);
        QVERIFY(dialog);
        native = !dialog->testOption(QFileDialog::DontUseNativeDialog);
        confirmOverwrite = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
        filters = dialog->nameFilters();
        selectedFilter = dialog->selectedNameFilter();
        directory = dialog->directory().absolutePath();
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
        static_cast<QDialog *>(dialog)->accept();
    });
    QString chosen;
    QVERIFY(dialogs::fileDialog(false, nullptr, QString(), dir.path(),
        { QStringLiteral("Ini (*.ini;*.INI)"), QStringLiteral("All (*)") }, 2, QStringLiteral("Skin.ini"),
        &chosen));
    QVERIFY(!native);
    QVERIFY(!confirmOverwrite);
    QCOMPARE(filters, (QStringList { QStringLiteral("Ini (*.ini *.INI)"), QStringLiteral("All (*)") }));
    QCOMPARE(selectedFilter, QStringLiteral("All (*)"));
    QCOMPARE(directory, dir.path());
    QCOMPARE(chosen, dir.filePath(QStringLiteral("Skin.ini")));

    whenModal([&](QWidget *w) {
        auto *dialog = qobject_cast<QFileDialog *>(w);
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptOpen);
        QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFile);
        dialog->reject();
    });
    chosen = QStringLiteral("kept");
    QVERIFY(!dialogs::fileDialog(true, nullptr, QString(), dir.path(), {}, 1, QString(), &chosen));
    QCOMPARE(chosen, QStringLiteral("kept"));
}

void tst_realdialogs::colourDialogLoadsAndReturnsCustomColours()
{
    QList<QColor> custom;
    for (int i = 0; i < 16; ++i)
        custom.append(QColor(i, 2 * i, 3 * i));
    QColorDialog::setCustomColor(0, Qt::white); // left over from an earlier run
    QColor initial;
    QColor customSeen;
    whenModal([&](QWidget *w) {
        auto *dialog = qobject_cast<QColorDialog *>(w);
        QVERIFY(dialog);
        initial = dialog->currentColor();
        customSeen = QColorDialog::customColor(0);
        QColorDialog::setCustomColor(5, QColor(9, 9, 9));
        dialog->setCurrentColor(QColor(1, 2, 3));
        static_cast<QDialog *>(dialog)->accept();
    });
    QColor chosen;
    QVERIFY(dialogs::colorDialog(nullptr, QColor(10, 20, 30), custom, &chosen));
    QCOMPARE(initial, QColor(10, 20, 30));
    QCOMPARE(customSeen, QColor(0, 0, 0));
    QCOMPARE(chosen, QColor(1, 2, 3));
    QCOMPARE(custom.at(5), QColor(9, 9, 9));
    QCOMPARE(custom.at(6), QColor(6, 12, 18));
}

void tst_realdialogs::folderDialogStartsInTheStartFolder()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Lang")));
    whenModal([&](QWidget *w) {
        auto *dialog = qobject_cast<QFileDialog *>(w);
        QVERIFY(dialog);
        QCOMPARE(dialog->fileMode(), QFileDialog::Directory);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Pick"));
        static_cast<QDialog *>(dialog)->accept();
    });
    QString chosen;
    QVERIFY(dialogs::folderDialog(
        nullptr, QStringLiteral("Pick"), dir.filePath(QStringLiteral("LANG")), &chosen));
    QCOMPARE(chosen, dir.filePath(QStringLiteral("Lang")));
}

void tst_realdialogs::modalForm()
{
    QDialog form;
    bool modal = false;
    whenModal([&](QWidget *w) {
        modal = w == &form;
        form.done(5);
    });
    QCOMPARE(dialogs::showModal(&form), 5);
    QVERIFY(modal);
}

QTEST_MAIN(tst_realdialogs)
#include "tst_realdialogs.moc"
