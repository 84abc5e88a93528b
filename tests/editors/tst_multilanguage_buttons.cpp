#include "support/MainWindowFixture.h"
#include "skin/Module.h"
#include "editors/frmSelectFile.h"
#include "editors/buttons/frmImagesToolBar.h"
#include "editors/buttons/frmMultilanguageButtons.h"
#include "editors/fullscreen/frmFullScreenToolBar.h"
#include "core/ApplyLanguage.h"
#include "lang/Locale.h"
#include "support/DialogRecorder.h"
#include "support/TestFiles.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QtTest>

// The button-text picker on player language files the tests write: a pick
// through both button windows' text button, the failures it reports, and the
// remembered folder and file across a restart.
class tst_multilanguage_buttons : public QObject
{
    Q_OBJECT

    QTemporaryDir m_player;

    QString langFolder() const { return m_player.filePath(QStringLiteral("Lang")); }

    static QListWidget *list(QDialog *form)
    {
        return form->findChild<QListWidget *>(QStringLiteral("lstChooseDescription"));
    }
    static QString box(QDialog *form, const char *name)
    {
        return form->findChild<QLineEdit *>(QLatin1String(name))->text();
    }
    static void click(QDialog *form, const char *name)
    {
        form->findChild<QPushButton *>(QLatin1String(name))->click();
    }
    static int rowOf(QDialog *form, const QString &line)
    {
        return list(form)->row(list(form)->findItems(line, Qt::MatchExactly).value(0));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(QDir(m_player.path()).mkpath(QStringLiteral("Lang")));
        qputenv("TVX_MORVANE_REGISTRY", m_player.filePath(QStringLiteral("registry")).toUtf8());
        LoadMessages();
        ApplyLanguage();
    }

    void init()
    {
        gPlayerLangPath = langFolder();
        gPlayerLangFile = QStringLiteral("English.lng");
        ini::clearCache();
    }

    void pickThroughTheTextButton_data()
    {
        QTest::addColumn<bool>("fullScreen");
        QTest::newRow("Images window") << false;
        QTest::newRow("full-screen window") << true;
    }

    void pickThroughTheTextButton()
    {
        QFETCH(bool, fullScreen);
        QVERIFY(testfiles::write(langFolder() + QStringLiteral("/English.lng"),
            "; Tovix language\r\n[Tovix.lang]\r\nC1=Hidden\r\n[Menu] remark\r\nTitle=Menu\r\n"
            "  C12 = Play\r\n[Actions]\r\n12=Stop\r\n[menu]\r\nC12=Again\r\n"));
        ButtonToolWindow *window = fullScreen ? static_cast<ButtonToolWindow *>(frmFullScreenToolBar::get())
                                              : frmImagesToolBar::get();
        gButtons = { ButtonRec {}, ButtonRec {} };
        gButtons[1].BtnText = QStringLiteral("$lang.Actions.12");
        {
            const QSignalBlocker quiet(window->cbxBtn);
            window->cbxBtn->addItem(QStringLiteral("Play"));
            window->cbxBtn->setCurrentIndex(0);
        }
        window->cmdBtnText->setText(gButtons[1].BtnText);
        gSkinChanged = false;

        DialogRecorder dialogs;
        dialogs.answerForm([](QDialog *form) {
            // The current text comes up picked.
            QCOMPARE(list(form)->currentItem()->text(), QStringLiteral("12=Stop"));
            QCOMPARE(box(form, "txtLangString"), QStringLiteral("Stop"));
            // Lines of "Tovix.lang" and keys not starting with C or a digit keep the pick.
            list(form)->setCurrentRow(rowOf(form, QStringLiteral("C1=Hidden")));
            list(form)->setCurrentRow(rowOf(form, QStringLiteral("Title=Menu")));
            QCOMPARE(box(form, "txtLangSection"), QStringLiteral("$lang.Actions.12"));
            list(form)->setCurrentRow(rowOf(form, QStringLiteral("  C12 = Play")));
            QCOMPARE(box(form, "txtLangString"), QStringLiteral("Play"));
            click(form, "cmdOK");
        });
        window->cmdBtnText_Click();
        QCOMPARE(window->cmdBtnText->text(), QStringLiteral("$lang.Menu.C12"));
        QCOMPARE(gButtons[1].BtnText, QStringLiteral("$lang.Menu.C12"));
        QVERIFY(gSkinChanged);

        gSkinChanged = false;
        dialogs.answerForm([](QDialog *form) {
            // A section repeated: the pick lands in the later one, the value is the first one's.
            QCOMPARE(list(form)->currentItem()->text(), QStringLiteral("C12=Again"));
            QCOMPARE(box(form, "txtLangSection"), QStringLiteral("$lang.menu.C12"));
            QCOMPARE(box(form, "txtLangString"), QStringLiteral("Play"));
            list(form)->setCurrentRow(rowOf(form, QStringLiteral("12=Stop")));
            click(form, "cmdCancel");
        });
        window->cmdBtnText_Click();
        QCOMPARE(gButtons[1].BtnText, QStringLiteral("$lang.Menu.C12"));
        QVERIFY(!gSkinChanged);
        QCOMPARE(dialogs.count(DialogRecorder::Kind::MessageBox), 0);
        fullScreen ? frmFullScreenToolBar::unload() : frmImagesToolBar::unload();
    }

    void failuresShowAMessageAndAnEmptyList_data()
    {
        QTest::addColumn<QByteArray>("content"); // "" with missing: no file
        QTest::addColumn<bool>("missing");
        QTest::addColumn<int>("message");
        // clang-format off
        QTest::newRow("missing")           << QByteArray()                      << true  << 35;
        QTest::newRow("binary")            << QByteArray("MZ\x90\0\x03\0", 6)   << false << 70;
        // clang-format on
    }

    void filesWithoutSectionsAreListedWithoutAMessage_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("no section at all") << QByteArray("Just a note\r\nC1=Play\r\n");
    }
    void filesWithoutSectionsAreListedWithoutAMessage()
    {
        QFETCH(QByteArray, content);
        QVERIFY(testfiles::write(langFolder() + QStringLiteral("/English.lng"), content));
        DialogRecorder dialogs;
        frmMultilanguageButtons picker;
        QCOMPARE(list(&picker)->count(), content.count('\n'));
        for (int row = 0; row < list(&picker)->count(); ++row) {
            list(&picker)->setCurrentRow(row); // a click: nothing before a section can be picked
            QVERIFY(!picker.findChild<QPushButton *>(QStringLiteral("cmdOK"))->isEnabled());
        }
        QCOMPARE(dialogs.count(), 0);
    }

    void failuresShowAMessageAndAnEmptyList()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, missing);
        QFETCH(int, message);
        gPlayerLangFile = QStringLiteral("Broken.lng");
        const QString path = langFolder() + QStringLiteral("/Broken.lng");
        QFile::remove(path);
        if (!missing)
            QVERIFY(testfiles::write(path, content));

        DialogRecorder dialogs;
        frmMultilanguageButtons picker;
        QCOMPARE(list(&picker)->count(), 0);
        QCOMPARE(dialogs.messages().size(), 1);
        QVERIFY(dialogs.messages().at(0).startsWith(gMessages[message]));
        QCOMPARE(dialogs.last().title, gMessages[2]);
    }

    void aPlayerFolderWithoutLangAsksForAnExistingPath()
    {
        QVERIFY(QDir(m_player.path()).mkpath(QStringLiteral("registry")));
        QVERIFY(testfiles::write(m_player.filePath(QStringLiteral("registry/registry-hkcu.ini")),
            "[Software\\KRW\\rezori1]\r\nAppPath=" + m_player.filePath(QStringLiteral("bin/tovix")).toUtf8()
                + "\r\n"));
        QVERIFY(QDir(m_player.path()).mkpath(QStringLiteral("bin")));
        ini::clearCache();
        gPlayerLangPath.clear();
        gPlayerLangFile.clear();

        DialogRecorder dialogs;
        QString text = QStringLiteral("Play");
        QVERIFY(!ShowMultilanguageButtons(text, nullptr));
        QCOMPARE(gPlayerLangPath, m_player.filePath(QStringLiteral("bin/Lang")));
        QCOMPARE(dialogs.messages(), QStringList { gMessages[64] });
        QCOMPARE(dialogs.count(DialogRecorder::Kind::ModalForm), 1);
        QFile::remove(m_player.filePath(QStringLiteral("registry/registry-hkcu.ini")));
    }

    void aLongFileListsAtOnce()
    {
        QByteArray content = "[Menu]\r\n";
        for (int i = 0; i < 60000; ++i)
            content += "C" + QByteArray::number(i) + "=Entry " + QByteArray::number(i) + "\r\n";
        QVERIFY(testfiles::write(langFolder() + QStringLiteral("/English.lng"), content));
        gMultilangText = QStringLiteral("$lang.menu.c59999");

        QElapsedTimer timer;
        timer.start();
        frmMultilanguageButtons picker;
        QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(list(&picker)->count(), 60001);
        QCOMPARE(box(&picker, "txtLangString"), QStringLiteral("Entry 59999"));
    }

    void theChosenFolderAndFileSurviveARestart()
    {
        // A name a skin file could not hold.
        const QString name = QStringLiteral("Polski \u0141\u00f3d\u017a.lng");
        QVERIFY(testfiles::write(langFolder() + QLatin1Char('/') + name, "[Menu]\r\nC1=Apri\r\n"));
        MainWindowFixture f;
        f.start();
        gPlayerLangPath = langFolder();
        gPlayerLangFile.clear();
        // No file chosen yet: the file picker comes before the dialog. The name
        // goes only into the settings file, which holds any name.
        f.dialogs.answerForm([name](QDialog *form) {
            auto *files = form->findChild<QListWidget *>(QStringLiteral("flstImageList"));
            files->setCurrentItem(files->findItems(name, Qt::MatchExactly).value(0));
            form->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
        });
        f.dialogs.answerForm([](QDialog *form) { QCOMPARE(list(form)->count(), 2); });
        QString text;
        ShowMultilanguageButtons(text, f.main);
        QCOMPARE(gPlayerLangFile, name);

        QVERIFY(f.closeMain());
        gPlayerLangPath.clear();
        gPlayerLangFile.clear();
        f.start();
        QCOMPARE(gPlayerLangPath, langFolder());
        QCOMPARE(gPlayerLangFile, name);
    }
};

QTEST_MAIN(tst_multilanguage_buttons)
#include "tst_multilanguage_buttons.moc"
