#include "core/frmAbout.h"
#include "lang/Locale.h"
#include "widgets/WindowDialogs.h"
#include "resources/BuiltinTexts.h"
#include "support/LangHome.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

class tst_frmAbout : public QObject
{
    Q_OBJECT

private:
    LangHome m_home;

    void writeLanguage(const QString &name, const QByteArray &content)
    {
        QVERIFY(m_home.writeLanguage(name + QStringLiteral(".lng"), content));
    }
    static QString textOf(const frmAbout &about, const char *name)
    {
        if (auto *label = about.findChild<QLabel *>(QString::fromLatin1(name)))
            return label->text();
        if (auto *button = about.findChild<QPushButton *>(QString::fromLatin1(name)))
            return button->text();
        return QStringLiteral("<missing %1>").arg(QString::fromLatin1(name));
    }

private slots:
    void initTestCase() { QVERIFY(m_home.isValid()); }
    void init() { gUILanguage.clear(); }

    void versionLine()
    {
        QCOMPARE(frmAbout::VersionLine(1, 0, 7), QStringLiteral("v1.07"));
        QCOMPARE(frmAbout::VersionLine(2, 3, 15), QStringLiteral("v2.315"));
        frmAbout about;
        QVERIFY(QRegularExpression(QStringLiteral("^v\\d+\\.\\d+$"))
                    .match(textOf(about, "lblVersion"))
                    .hasMatch());
    }

    void builtinTexts()
    {
        frmAbout about;
        QCOMPARE(about.objectName(), QStringLiteral("frmAbout"));
        QCOMPARE(about.windowTitle(), LoadResString(2001));
        QCOMPARE(textOf(about, "lblComment"), LoadResString(2002));
        QVERIFY(textOf(about, "lblCopyright").startsWith(LoadResString(2003)));
        QVERIFY(textOf(about, "lblAuthor").startsWith(LoadResString(2004) + QLatin1Char(' ')));
        QCOMPARE(textOf(about, "lblCheckVersion"), LoadResString(2005));
        QCOMPARE(textOf(about, "cmdHistory"), LoadResString(2006));
        QVERIFY(!about.findChild<QPlainTextEdit *>(QStringLiteral("txtHistory"))->toPlainText().isEmpty());
    }

    void languageFileReplacesTextsOneByOne()
    {
        const frmAbout builtin;
        writeLanguage(QStringLiteral("Testish"),
            "[TVX_Morvane]\r\nVersion=1\r\n[About]\r\n1=Info\r\n3=Rights:\r\n4=Written by:\r\n"
            "6=History\r\n5=\r\n");
        gUILanguage = QStringLiteral("Testish");
        frmAbout about;
        QCOMPARE(about.windowTitle(), QStringLiteral("Info"));
        QCOMPARE(textOf(about, "lblComment"), LoadResString(2002)); // missing key
        QCOMPARE(textOf(about, "lblCheckVersion"), LoadResString(2005)); // empty value
        QCOMPARE(textOf(about, "cmdHistory"), QStringLiteral("History"));
        // The fixed parts stay as they are.
        const QString copyrightSuffix = textOf(builtin, "lblCopyright").mid(LoadResString(2003).size());
        QCOMPARE(textOf(about, "lblCopyright"), QStringLiteral("Rights:") + copyrightSuffix);
        const QString authorSuffix = textOf(builtin, "lblAuthor").mid(LoadResString(2004).size());
        QCOMPARE(textOf(about, "lblAuthor"), QStringLiteral("Written by:") + authorSuffix);
        QCOMPARE(textOf(about, "lblVersion"), textOf(builtin, "lblVersion"));
        QCOMPARE(textOf(about, "lblTitle"), textOf(builtin, "lblTitle"));
    }

    void languageFileBelowVersionOneIsIgnored()
    {
        writeLanguage(QStringLiteral("Old"), "[TVX_Morvane]\r\nVersion=0.9\r\n[About]\r\n1=Info\r\n");
        gUILanguage = QStringLiteral("Old");
        frmAbout about;
        QCOMPARE(about.windowTitle(), LoadResString(2001));
    }

    void historyOpensHiddenAndToggles()
    {
        frmAbout about;
        auto *history = about.findChild<QPlainTextEdit *>(QStringLiteral("txtHistory"));
        QVERIFY(history);
        const QRect historyPlace = history->geometry();
        const int opened = about.height();
        QVERIFY(about.historyHidden());
        // Hidden: the history box lies below the window's lower edge.
        QVERIFY(historyPlace.top() >= opened);

        about.cmdHistory_Click();
        QVERIFY(!about.historyHidden());
        QCOMPARE(about.height(), opened + history->height());
        QVERIFY(historyPlace.bottom() < about.height());
        about.cmdHistory_Click();
        QVERIFY(about.historyHidden());
        QCOMPARE(about.height(), opened);
        QCOMPARE(history->geometry(), historyPlace);
    }

    void enterTogglesTheHistory()
    {
        frmAbout about;
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        const int opened = about.height();
        QTest::keyClick(&about, Qt::Key_Return);
        QVERIFY(!about.historyHidden());
        QVERIFY(about.height() > opened);
        QTest::keyClick(&about, Qt::Key_Return);
        QCOMPARE(about.height(), opened);
    }

    void shownThroughTheModalWrapper()
    {
        QString seenTitle;
        dialogs::setResponder([&](const dialogs::Request &request) {
            dialogs::Answer answer;
            if (request.kind == dialogs::Request::Kind::ModalForm && request.form)
                seenTitle = request.form->windowTitle();
            return answer;
        });
        {
            frmAbout about;
            dialogs::showModal(&about);
        }
        dialogs::setResponder({});
        QCOMPARE(seenTitle, LoadResString(2001));
    }
};

QTEST_MAIN(tst_frmAbout)
#include "tst_frmAbout.moc"
