#include "editors/frmSelectFile.h"
#include "lang/Locale.h"
#include "platform/Dialogs.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

// What the picker showed when it opened.
struct Seen {
    bool shown = false;
    QWidget *owner = nullptr;
    QString title;
    QString prompt;
    QStringList entries;
    QString selected;
    QString fileName;
    bool okEnabled = false;
    QString okCaption;
    QString cancelCaption;
    QStringList messages; // the prompts of the message boxes it showed
};

class tst_frmSelectFile : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_folder;
    Seen m_seen;

    static QListWidget *list(QDialog *form)
    {
        return form->findChild<QListWidget *>(QStringLiteral("flstImageList"));
    }

    // Shows the picker; act plays the user's part on the loaded form.
    bool pick(const QString &folder, const QString &filter, const QString &current,
        const std::function<void(frmSelectFile *)> &act)
    {
        m_seen = Seen();
        dialogs::setResponder([&](const dialogs::Request &request) {
            dialogs::Answer answer;
            if (request.kind == dialogs::Request::Kind::MessageBox)
                m_seen.messages << request.prompt;
            auto *form = qobject_cast<frmSelectFile *>(request.form);
            if (request.kind != dialogs::Request::Kind::ModalForm || !form)
                return answer;
            m_seen.shown = true;
            m_seen.owner = form->parentWidget();
            m_seen.title = form->windowTitle();
            m_seen.prompt = form->findChild<QLabel *>(QStringLiteral("lblDescription"))->text();
            QListWidget *files = list(form);
            for (int row = 0; row < files->count(); ++row)
                m_seen.entries << files->item(row)->text();
            m_seen.selected = files->currentItem() ? files->currentItem()->text() : QString();
            m_seen.fileName = form->findChild<QLineEdit *>(QStringLiteral("txtFileName"))->text();
            auto *ok = form->findChild<QPushButton *>(QStringLiteral("cmdOK"));
            m_seen.okEnabled = ok->isEnabled();
            m_seen.okCaption = ok->text();
            m_seen.cancelCaption = form->findChild<QPushButton *>(QStringLiteral("cmdCancel"))->text();
            if (act)
                act(form);
            return answer;
        });
        const bool chosen = ShowSelectFile(&m_owner, folder, filter, current, QStringLiteral("Pick one:"));
        dialogs::setResponder({});
        return chosen;
    }

    void touch(const QString &name)
    {
        QFile file(m_folder + QLatin1Char('/') + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

    QWidget m_owner;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_folder = m_dir.path();
        for (const char *name : { "Main.bmp", "main2.BMP", "Button1N.Bmp", "back.jpg", "readme.txt", "bmp",
                 "font1.TTF", "font2.fon", "f.fnt", "g.ttc", "h.fot", "i.OTF", "j.mmm", "k.pfb", "l.pfm",
                 "m.ttf.bak", ".hidden.bmp" })
            touch(QString::fromLatin1(name));
        QVERIFY(QDir(m_folder).mkdir(QStringLiteral("folder.bmp")));
        gUIStrings[0] = QStringLiteral("&OK");
        gUIStrings[1] = QStringLiteral("&Cancel");
    }

    void listsMatchingFilesWithoutRegardToCase()
    {
        QVERIFY(!pick(m_folder, QStringLiteral("bmp"), QString(), nullptr));
        QVERIFY(m_seen.shown);
        QCOMPARE(m_seen.owner, &m_owner);
        QCOMPARE(m_seen.entries,
            (QStringList {
                QStringLiteral("Button1N.Bmp"), QStringLiteral("Main.bmp"), QStringLiteral("main2.BMP") }));
        QCOMPARE(m_seen.title, m_folder);
        QCOMPARE(m_seen.prompt, QStringLiteral("Pick one:"));
        QCOMPARE(m_seen.okCaption, QStringLiteral("&OK"));
        QCOMPARE(m_seen.cancelCaption, QStringLiteral("&Cancel"));
    }

    void fontFilterListsEveryFontFileOnce()
    {
        pick(m_folder, QStringLiteral("ttf;*.fon;*.fnt;*.ttf;*.ttc;*.fot;*.otf;*.mmm;*.pfb;*.pfm"), QString(),
            nullptr);
        QStringList entries = m_seen.entries;
        entries.sort(Qt::CaseInsensitive);
        QCOMPARE(entries,
            (QStringList { QStringLiteral("f.fnt"), QStringLiteral("font1.TTF"), QStringLiteral("font2.fon"),
                QStringLiteral("g.ttc"), QStringLiteral("h.fot"), QStringLiteral("i.OTF"),
                QStringLiteral("j.mmm"), QStringLiteral("k.pfb"), QStringLiteral("l.pfm") }));
    }

    void folderWithoutMatchesGivesAnEmptyList()
    {
        QVERIFY(!pick(m_folder, QStringLiteral("lng"), QStringLiteral("English"),
            [](frmSelectFile *form) { form->cmdOK_Click(); }));
        QVERIFY(m_seen.entries.isEmpty());
        QVERIFY(!m_seen.okEnabled);
        QCOMPARE(gSelFilePath, QString());
    }

    void preselection_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("selected");
        QTest::newRow("other case") << QStringLiteral("main.BMP") << QStringLiteral("Main.bmp");
        QTest::newRow("prefix") << QStringLiteral("MAIN") << QStringLiteral("Main.bmp");
        QTest::newRow("later prefix") << QStringLiteral("main2") << QStringLiteral("main2.BMP");
        QTest::newRow("no match") << QStringLiteral("zzz") << QString();
        QTest::newRow("empty") << QString() << QString();
    }
    void preselection()
    {
        QFETCH(QString, current);
        QFETCH(QString, selected);
        pick(m_folder, QStringLiteral("bmp"), current, nullptr);
        QCOMPARE(m_seen.selected, selected);
        QCOMPARE(m_seen.okEnabled, !selected.isEmpty());
        QCOMPARE(m_seen.fileName, selected.isEmpty() ? QString() : m_folder + QLatin1Char('/') + selected);
    }

    void theListsFocusAloneChoosesNothing()
    {
        // Focus moves the list's current row to its first entry without selecting it.
        QVERIFY(!pick(m_folder, QStringLiteral("bmp"), QString(), [](frmSelectFile *form) {
            form->show();
            QVERIFY(QTest::qWaitForWindowExposed(form));
            form->activateWindow();
            list(form)->setFocus();
            QTRY_VERIFY(list(form)->hasFocus());
            QCOMPARE(form->findChild<QLineEdit *>(QStringLiteral("txtFileName"))->text(), QString());
            QVERIFY(!form->findChild<QPushButton *>(QStringLiteral("cmdOK"))->isEnabled());
            QTest::keyClick(list(form), Qt::Key_Return);
            QVERIFY(form->isVisible());
        }));
        QCOMPARE(gSelFilePath, QString());
    }

    void okReturnsTheChosenFile()
    {
        // A folder given with its trailing separator yields the same path.
        const bool chosen = pick(m_folder + QLatin1Char('/'), QStringLiteral("bmp"), QStringLiteral("main"),
            [](frmSelectFile *form) {
                list(form)->setCurrentRow(0);
                form->cmdOK_Click();
            });
        QVERIFY(chosen);
        QVERIFY(gSelFileOK);
        QCOMPARE(gSelFileName, QStringLiteral("Button1N.Bmp"));
        QCOMPARE(gSelFilePath, m_folder + QStringLiteral("/Button1N.Bmp"));
    }

    void okWithoutSelectionDoesNothing()
    {
        QVERIFY(!pick(m_folder, QStringLiteral("bmp"), QString(), [](frmSelectFile *form) {
            form->cmdOK_Click();
            QCOMPARE(form->result(), 0);
        }));
        QCOMPARE(gSelFilePath, QString());
        QCOMPARE(gSelFileName, QString());
    }

    void cancelEscAndCloseReturnFalse_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("Cancel") << 0;
        QTest::newRow("Esc") << 1;
        QTest::newRow("close button") << 2;
    }
    void cancelEscAndCloseReturnFalse()
    {
        QFETCH(int, how);
        const bool chosen
            = pick(m_folder, QStringLiteral("bmp"), QStringLiteral("Main.bmp"), [how](frmSelectFile *form) {
                  form->show();
                  if (how == 0)
                      form->findChild<QPushButton *>(QStringLiteral("cmdCancel"))->click();
                  else if (how == 1)
                      QTest::keyClick(form, Qt::Key_Escape);
                  else
                      form->close();
                  QVERIFY(!form->isVisible());
              });
        QVERIFY(!chosen);
        QVERIFY(!gSelFileOK);
        QCOMPARE(gSelFilePath, QString());
    }

    void doubleClickConfirmsAtOnce()
    {
        const bool chosen = pick(m_folder, QStringLiteral("bmp"), QString(), [](frmSelectFile *form) {
            form->show();
            QVERIFY(QTest::qWaitForWindowExposed(form));
            QListWidget *files = list(form);
            const QRect place = files->visualItemRect(files->item(2));
            // A person's double click: press and release, then the double click.
            QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, place.center());
            QTest::mouseDClick(files->viewport(), Qt::LeftButton, {}, place.center());
            QVERIFY(!form->isVisible());
        });
        QVERIFY(chosen);
        QCOMPARE(gSelFileName, QStringLiteral("main2.BMP"));
    }

    void enterConfirmsThePreselection()
    {
        const bool chosen
            = pick(m_folder, QStringLiteral("bmp"), QStringLiteral("main.bmp"), [](frmSelectFile *form) {
                  form->show();
                  QVERIFY(QTest::qWaitForWindowExposed(form));
                  QTest::keyClick(list(form), Qt::Key_Return);
              });
        QVERIFY(chosen);
        QCOMPARE(gSelFileName, QStringLiteral("Main.bmp"));
    }

    void aNameASkinFileCannotHoldIsRefused()
    {
        QTemporaryDir dir;
        const QString name = QStringLiteral("G\u0142\u00f3wny.bmp");
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(!pick(dir.path(), QStringLiteral("bmp"), name, [](frmSelectFile *form) {
            form->cmdOK_Click();
            QCOMPARE(form->result(), 0); // it stays open for another choice
            form->cmdCancel_Click();
        }));
        QCOMPARE(m_seen.messages,
            QStringList { QStringLiteral("\"G\u0142\u00f3wny.bmp\" cannot be used: a skin file cannot hold "
                                         "\"\u0142\" (U+0142) of its name.\nRename the file to use only the "
                                         "characters of Windows-1252 and choose it again.") });
    }
};

QTEST_MAIN(tst_frmSelectFile)
#include "tst_frmSelectFile.moc"
