#include "support/MainWindowFixture.h"

#include "skin/Module.h"
#include "skin/SkinChange.h"
#include "core/frmAbout.h"
#include "core/frmMain.h"
#include "preview/frmSkin.h"
#include "editors/buttons/frmImagesToolBar.h"
#include "editors/buttons/ButtonToolWindow.h"
#include "editors/CoordinateEdit.h"
#include "editors/display_bars/BarPanel.h"
#include "editors/display_bars/ColorSwatch.h"
#include "editors/fullscreen/frmFullScreenToolBar.h"
#include "editors/display_bars/frmTrackVolumeToolBar.h"
#include "lang/Locale.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

// The skin commands of the main window (New, Open, command line, drop, Save,
// Close, Exit), its Help commands, the background colour and the tool-window
// toggles, driven through the real window and answered by the dialog recorder.
class tst_commands_skin : public QObject
{
    Q_OBJECT

private:
    static QAction *item(frmMain *main, const char *name)
    {
        return main->findChild<QAction *>(QLatin1String(name));
    }

    static inline const QByteArray kSkin
        = "[Tovix.Skin]\r\nVersion=1.00\r\n[Settings]\r\nMainImg=Main.bmp\r\n";

    // A skin the reader reads completely: its main image and nothing else.
    static QString makeSkinFile(const QTemporaryDir &dir, const QString &relative)
    {
        const QString path = dir.filePath(relative);
        QDir().mkpath(QFileInfo(path).path());
        const bool fullScreen = QFileInfo(path).fileName().contains(QLatin1String("fs"), Qt::CaseInsensitive);
        MainWindowFixture::writeFile(path, fullScreen ? kSkin + "Position=B,1\r\n" : kSkin);
        QImage main(40, 30, QImage::Format_RGB32);
        main.fill(Qt::gray);
        main.save(QFileInfo(path).path() + QStringLiteral("/Main.bmp"), "BMP");
        return path;
    }

    static QMimeData *filesData(const QStringList &paths)
    {
        auto *data = new QMimeData;
        QList<QUrl> urls;
        for (const QString &path : paths)
            urls << QUrl::fromLocalFile(path);
        data->setUrls(urls);
        return data;
    }

    static bool dragAccepted(frmMain *main, const QStringList &paths)
    {
        std::unique_ptr<QMimeData> data(filesData(paths));
        QDragEnterEvent event(QPoint(10, 10), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(main, &event);
        return event.isAccepted();
    }

    static void drop(frmMain *main, const QStringList &paths)
    {
        std::unique_ptr<QMimeData> data(filesData(paths));
        // A drop goes to the widget that accepted the drag's entry.
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(main, &enter);
        QDropEvent event(QPointF(10, 10), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(main, &event);
        QCoreApplication::processEvents();
    }

    // What the open skin's bar panels, the preview's bars (with which bar lies
    // on top) and a full-screen skin's position controls show, a line each.
    static QStringList shownSkin()
    {
        QStringList shown;
        frmSkin *skin = frmSkin::loaded();
        for (int i = 0; i < 2; ++i) {
            const BarPanel *panel = gFullScreenSkin ? frmFullScreenToolBar::loaded()->bar(i)
                                                    : frmTrackVolumeToolBar::loaded()->bar(i);
            QStringList line { QString::number(panel->cbxBarType->currentIndex()) };
            for (const QCheckBox *box : { panel->chkBarUsed, panel->chkBorder, panel->chkTransparentBG })
                line << QString::number(box->isChecked());
            for (const ColorSwatch *swatch :
                { panel->cmdBorderColor, panel->cmdMouseOverColor, panel->cmdForeColor, panel->cmdBackColor })
                line << swatch->toolTip() << QString::number(swatch->backColor());
            for (const CoordinateEdit *box : { panel->txtPosSizeLeft, panel->txtPosSizeTop,
                     panel->txtPosSizeWidth, panel->txtPosSizeHeight })
                line << box->text();
            shown << line.join(QLatin1Char(','));
            const QLabel *label = skin->lblSkinBar[i];
            const QWidget *picture = skin->pctSkinBar[i];
            shown << QDebug::toString(label->geometry()) + QDebug::toString(!label->isHidden())
                    + QDebug::toString(label->frameShape()) + QDebug::toString(label->autoFillBackground())
                    + label->palette().color(label->backgroundRole()).name()
                  << QDebug::toString(picture->geometry()) + QDebug::toString(!picture->isHidden());
        }
        const QObjectList stacked = skin->pctSkinMain->children();
        shown << QString::number(stacked.indexOf(skin->lblSkinBar[0]) > stacked.indexOf(skin->lblSkinBar[1]));
        if (gFullScreenSkin) {
            const frmFullScreenToolBar *window = frmFullScreenToolBar::loaded();
            QString line = QStringLiteral("%1,%2 ")
                               .arg(window->cbxPositionBTB->currentIndex())
                               .arg(window->cbxPositionLMR->currentIndex());
            for (int i = 0; i < 3; ++i)
                line += QStringLiteral("%1%2")
                            .arg(window->optPositionTOP[i]->isChecked())
                            .arg(window->optPositionBOTTOM[i]->isChecked());
            shown << line;
        }
        return shown;
    }

private slots:
    // --- New and Save ---

    void newSkinWithoutAFolderClosesAgain()
    {
        MainWindowFixture f;
        frmMain *main = f.start();
        gLastSkinPath = f.skins.path() + QLatin1Char('/');
        f.dialogs.answerButton(dialogs::vbOK); // the notice that the name is fixed
        f.dialogs.cancel(); // the folder
        f.dialogs.answerButton(dialogs::vbOK); // the notice that no skin was made
        item(main, "mnuFileNew")->trigger();

        QCOMPARE(f.dialogs.count(), 3);
        QCOMPARE(f.dialogs.at(0).prompt,
            QStringLiteral("Your skin will be saved as \"Skin.ini\" even if you'll specify another name."));
        QCOMPARE(f.dialogs.at(0).style, int(dialogs::vbExclamation));
        QCOMPARE(f.dialogs.at(0).title, QStringLiteral("Attention"));
        const auto &save = f.dialogs.at(1);
        QCOMPARE(save.kind, DialogRecorder::Kind::SaveFile);
        QCOMPARE(save.text, QStringLiteral("Skin.ini"));
        QCOMPARE(save.directory, gLastSkinPath);
        QCOMPARE(save.filters.value(0), QStringLiteral("Skin files (Skin.ini)"));
        QCOMPARE(f.dialogs.at(2).prompt,
            QStringLiteral("You have to choose the skin file before start.\n"
                           "Please press F2 and save the skin file in the desired folder."));
        QCOMPARE(f.dialogs.at(2).style, int(dialogs::vbInformation));
        QCOMPARE(f.dialogs.at(2).title, QStringLiteral("Information"));
        QVERIFY(!frmSkin::loaded());
        QVERIFY(!frmImagesToolBar::loaded());
        QCOMPARE(gSkinFile, QString());
        QVERIFY(!item(main, "mnuFileClose")->isEnabled());
    }

    void newFullScreenSkinTellsItsOwnKeys()
    {
        MainWindowFixture f;
        frmMain *main = f.start();
        f.dialogs.answerButton(dialogs::vbOK);
        f.dialogs.cancel();
        f.dialogs.answerButton(dialogs::vbOK);
        item(main, "mnuFileNewFS")->trigger();
        QCOMPARE(f.dialogs.count(), 3);
        QVERIFY(f.dialogs.at(0).prompt.contains(QStringLiteral("\"Skinfs.ini\"")));
        QCOMPARE(f.dialogs.at(1).text, QStringLiteral("Skinfs.ini"));
        QVERIFY(f.dialogs.at(2).prompt.endsWith(
            QStringLiteral("Please press Ctrl+F2 and save the skin file in the desired folder.")));
        QVERIFY(!frmSkin::loaded());
    }

    void newSkinTakesTheFolderAndTheKindsName()
    {
        MainWindowFixture f;
        frmMain *main = f.start();
        f.dialogs.answerButton(dialogs::vbOK);
        f.dialogs.acceptFile(f.skins.filePath(QStringLiteral("MyBlueSkin.txt")));
        item(main, "mnuFileNew")->trigger();

        const QString expected = f.skins.filePath(QStringLiteral("Skin.ini"));
        QCOMPARE(gSkinFile, expected);
        QCOMPARE(gSkinFolder, f.skins.path() + QLatin1Char('/'));
        QCOMPARE(gLastSkinPath, gSkinFolder);
        QVERIFY(!gFullScreenSkin);
        QVERIFY(frmSkin::loaded());
        QCOMPARE(frmSkin::loaded()->caption(), expected);
        QVERIFY(item(main, "mnuFileSave")->isEnabled());
        // Nothing is written until the skin is saved.
        QVERIFY(!QFile::exists(expected));
        QVERIFY(!QFile::exists(f.skins.filePath(QStringLiteral("MyBlueSkin.txt"))));

        const int asked = f.dialogs.count();
        item(main, "mnuFileSave")->trigger();
        QCOMPARE(f.dialogs.count(), asked);
        QVERIFY(MainWindowFixture::readFile(expected).startsWith("[Tovix.Skin]\r\n"));
    }

    void newSkinAsksAtItsFirstSaveBeforeReplacingASkinFile()
    {
        MainWindowFixture f;
        frmMain *main = f.start();
        // Made on Windows: the kind's file in another case is the one bound.
        const QString existing = makeSkinFile(f.skins, QStringLiteral("SKINFS.INI"));
        const QByteArray before = MainWindowFixture::readFile(existing);

        // Another name typed in a folder that holds the kind's file: bound, not asked yet.
        f.dialogs.answerButton(dialogs::vbOK);
        f.dialogs.acceptFile(f.skins.filePath(QStringLiteral("other.ini")));
        item(main, "mnuFileNewFS")->trigger();
        QCOMPARE(f.dialogs.count(), 2);
        QCOMPARE(gSkinFile, existing);
        QVERIFY(frmSkin::loaded());

        // Save: No keeps the file, and the skin stays open and modified.
        SetSkinChanged();
        f.dialogs.answerButton(dialogs::vbNo);
        item(main, "mnuFileSave")->trigger();
        QCOMPARE(f.dialogs.count(), 3);
        const DialogRecorder::Request question = f.dialogs.at(2);
        QCOMPARE(question.style & 7, int(dialogs::vbYesNo));
        QVERIFY(question.style & dialogs::vbDefaultButton2);
        QVERIFY(question.prompt.contains(existing));
        QCOMPARE(MainWindowFixture::readFile(existing), before);
        QVERIFY(gSkinChanged);
        QCOMPARE(gSkinFile, existing);

        // The preview's save question takes the same road: No to the replacement
        // keeps the file and the window.
        f.dialogs.answerButton(dialogs::vbYes);
        f.dialogs.answerButton(dialogs::vbNo);
        item(main, "mnuFileClose")->trigger();
        QCOMPARE(f.dialogs.count(), 5);
        QCOMPARE(f.dialogs.at(4).prompt, question.prompt);
        QVERIFY(frmSkin::loaded());
        QVERIFY(gSkinChanged);
        QCOMPARE(MainWindowFixture::readFile(existing), before);

        // Yes replaces it; later saves ask no more.
        f.dialogs.answerButton(dialogs::vbYes);
        item(main, "mnuFileSave")->trigger();
        QCOMPARE(f.dialogs.count(), 6);
        QVERIFY(MainWindowFixture::readFile(existing) != before);
        QVERIFY(!gSkinChanged);
        item(main, "mnuFileSave")->trigger();
        QCOMPARE(f.dialogs.count(), 6);
    }

    void newSkinReplacingNothingOrWhatTheDialogConfirmedIsNotAsked()
    {
        MainWindowFixture f;
        frmMain *main = f.start();
        const QString existing = makeSkinFile(f.skins, QStringLiteral("Skin.ini"));
        const QByteArray before = MainWindowFixture::readFile(existing);
        f.dialogs.answerButton(dialogs::vbOK);
        f.dialogs.acceptFile(existing); // the dialog itself asked before replacing it
        item(main, "mnuFileNew")->trigger();
        QCOMPARE(f.dialogs.count(), 2);
        QCOMPARE(gSkinFile, existing);
        item(main, "mnuFileSave")->trigger();
        QCOMPARE(f.dialogs.count(), 2);
        QVERIFY(MainWindowFixture::readFile(existing) != before);

        // A skin file that the user opens is the user's own to save.
        const QString other = makeSkinFile(f.skins, QStringLiteral("B/Skin.ini"));
        f.dialogs.answerButton(dialogs::vbOK);
        f.dialogs.acceptFile(f.skins.filePath(QStringLiteral("B/x.ini")));
        item(main, "mnuFileNew")->trigger();
        QCOMPARE(gSkinFile, other);
        item(main, "mnuFileClose")->trigger();
        f.dialogs.acceptFile(other);
        item(main, "mnuFileOpen")->trigger();
        QCOMPARE(gSkinFile, other);
        const int asked = f.dialogs.count();
        item(main, "mnuFileSave")->trigger();
        QCOMPARE(f.dialogs.count(), asked);
        QVERIFY(MainWindowFixture::readFile(other).contains("Version=1.00"));
        QVERIFY(MainWindowFixture::readFile(other) != "[Tovix.Skin]\r\nVersion=1.00\r\n");
    }

    void newSkinWhileTheOpenOneIsKeptChangesNothing()
    {
        MainWindowFixture f;
        const QString path = makeSkinFile(f.skins, QStringLiteral("Skinfs.ini"));
        MainWindowFixture::writeFile(
            path, MainWindowFixture::readFile(path) + "[Buttons]\r\nNumber=1\r\nBtn1=Play,1,2,0,20\r\n");
        QVERIFY(QFile::copy(
            f.skins.filePath(QStringLiteral("Main.bmp")), f.skins.filePath(QStringLiteral("PlayN.bmp"))));
        frmMain *main = f.start({ path });
        QVERIFY(frmSkin::loaded());
        QVERIFY(gFullScreenSkin);
        frmFullScreenToolBar::loaded()->lstButtons->setCurrentRow(0);
        SetSkinChanged();
        f.dialogs.clear();
        f.dialogs.answerButton(dialogs::vbCancel);
        item(main, "mnuFileNew")->trigger();
        QCOMPARE(f.dialogs.count(), 1); // the save question only
        QVERIFY(frmSkin::loaded());
        QCOMPARE(gSkinFile, path);
        QVERIFY(gFullScreenSkin);
        QCOMPARE(frmFullScreenToolBar::loaded()->cbxBtn->currentIndex(), 0);
    }

    // Right after New, and once a main image is chosen, the bar panels, the
    // preview's bars and the full-screen position show the document that Save
    // writes, as they show it when the file is opened again.
    void newSkinShowsWhatItSaves_data()
    {
        QTest::addColumn<bool>("fullScreen");
        QTest::addColumn<QString>("saved"); // the file the editor has always written for it
        // clang-format off
        QTest::newRow("window skin")      << false << "data/NewSkin.ini";
        QTest::newRow("full-screen skin") << true  << "data/NewSkinfs.ini";
        // clang-format on
    }

    void newSkinShowsWhatItSaves()
    {
        QFETCH(bool, fullScreen);
        QFETCH(QString, saved);
        MainWindowFixture f;
        frmMain *main = f.start();
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(Qt::gray);
        QVERIFY(image.save(f.skins.filePath(QStringLiteral("Main.bmp")), "BMP"));
        f.dialogs.answerButton(dialogs::vbOK);
        f.dialogs.acceptFile(f.skins.filePath(QStringLiteral("x.ini")));
        item(main, fullScreen ? "mnuFileNewFS" : "mnuFileNew")->trigger();
        // The windows' handlers that showing the document runs leave no mark.
        QVERIFY(!gSkinChanged);
        QVERIFY(!frmSkin::loaded()->caption().startsWith(QLatin1Char('*')));
        // Only the main image's frame can be used until a main image is chosen.
        for (ToolWindowId id : toolwindows::ofKind(fullScreen)) {
            for (const QGroupBox *frame :
                toolwindows::get(id)->findChildren<QGroupBox *>(QString(), Qt::FindDirectChildrenOnly))
                QVERIFY2(frame->isEnabled() == (frame->objectName() == QLatin1String("fmMain")),
                    qPrintable(frame->objectName()));
        }
        const QStringList atNew = shownSkin();
        f.pickFile(QStringLiteral("Main.bmp"));
        toolwindows::activeButtonWindow()->cmdBrowseMainWindow->click();
        const QStringList shown = shownSkin();
        QCOMPARE(shown, atNew);

        item(main, "mnuFileSave")->trigger();
        const QString file = gSkinFile;
        QCOMPARE(MainWindowFixture::readFile(file), testfiles::read(QFINDTESTDATA(saved)));
        item(main, "mnuFileClose")->trigger();
        f.dialogs.acceptFile(file);
        item(main, "mnuFileOpen")->trigger();
        QCOMPARE(gSkinFile, file);
        QCOMPARE(shownSkin(), shown);
    }

    // --- Open, command line, drop ---

    void openFromTheDialog()
    {
        MainWindowFixture f;
        frmMain *main = f.start();
        const QString path = makeSkinFile(f.skins, QStringLiteral("Blue/Skin.ini"));
        gLastSkinPath = f.skins.path() + QLatin1Char('/');
        f.dialogs.acceptFile(path);
        item(main, "mnuFileOpen")->trigger();
        const auto &open = f.dialogs.at(0);
        QCOMPARE(open.kind, DialogRecorder::Kind::OpenFile);
        QCOMPARE(open.directory, f.skins.path() + QLatin1Char('/'));
        QCOMPARE(open.filters.value(0),
            QStringLiteral("Skin files (*.tvk Skin.ini Skinv1.ini Skinfs.ini Skinfsv1.ini)"));
        QVERIFY(frmSkin::loaded());
        QCOMPARE(frmSkin::loaded()->caption(), path);
        QCOMPARE(gSkinFile, path);
        QCOMPARE(gLastSkinPath, f.skins.filePath(QStringLiteral("Blue/")));
        QCOMPARE(gSkinFolder, gLastSkinPath);
        QVERIFY(!gFullScreenSkin);

        // Cancelled: nothing changes.
        f.dialogs.cancel();
        item(main, "mnuFileOpen")->trigger();
        QCOMPARE(gSkinFile, path);
    }

    void openKeptWhenTheUserCancelsTheClose()
    {
        MainWindowFixture f;
        const QString first = makeSkinFile(f.skins, QStringLiteral("A/Skin.ini"));
        const QString second = makeSkinFile(f.skins, QStringLiteral("B/Skinfs.ini"));
        frmMain *main = f.start({ first });
        SetSkinChanged();
        f.dialogs.clear();
        f.dialogs.acceptFile(second);
        f.dialogs.answerButton(dialogs::vbCancel);
        item(main, "mnuFileOpen")->trigger();
        QCOMPARE(gSkinFile, first);
        QCOMPARE(gLastSkinPath, f.skins.filePath(QStringLiteral("A/")));
        QVERIFY(!gFullScreenSkin);
    }

    void commandLine_data()
    {
        QTest::addColumn<QString>("file"); // created in the skins folder
        QTest::addColumn<QString>("argument"); // relative to the skins folder
        QTest::addColumn<bool>("opened");
        QTest::addColumn<bool>("fullScreen");
        QTest::newRow("window skin") << "Skin.ini"
                                     << "Skin.ini" << true << false;
        QTest::newRow("full-screen skin, any case") << "skinFS.INI"
                                                    << "skinFS.INI" << true << true;
        QTest::newRow("named in another case") << "Skinfsv1.ini"
                                               << "SKINFSV1.INI" << true << true;
        QTest::newRow("folder with blanks") << "My Skins/Skinv1.ini"
                                            << "My Skins/Skinv1.ini" << true << false;
        QTest::newRow("other name") << "Blue.ini"
                                    << "Blue.ini" << false << false;
        QTest::newRow("missing file") << "Skin.ini"
                                      << "Gone/Skin.ini" << false << false;
    }

    void commandLine()
    {
        QFETCH(QString, file);
        QFETCH(QString, argument);
        QFETCH(bool, opened);
        QFETCH(bool, fullScreen);
        MainWindowFixture f;
        makeSkinFile(f.skins, file);
        QVERIFY(f.start({ f.skins.filePath(argument) }));
        QCOMPARE(f.dialogs.count(), 0);
        QCOMPARE(bool(frmSkin::loaded()), opened);
        if (opened) {
            QCOMPARE(gSkinFile, f.skins.filePath(file));
            QCOMPARE(gFullScreenSkin, fullScreen);
            QVERIFY(QFile::exists(gSkinFile));
        } else {
            QCOMPARE(gSkinFile, QString());
        }
    }

    void commandLineFullScreenSkinTakesItsWindowSkinsExtension()
    {
        // The open names the buttons of a skin ahead of its read; a full-screen
        // skin's buttons take the window skin's extension.
        MainWindowFixture f;
        const QString path = makeSkinFile(f.skins, QStringLiteral("Skinfs.ini"));
        MainWindowFixture::writeFile(path,
            MainWindowFixture::readFile(path) + "Ext=.png\r\n[Buttons]\r\nNumber=1\r\nBtn1=play,1,2,0,0\r\n");
        MainWindowFixture::writeFile(f.skins.filePath(QStringLiteral("Skin.ini")), kSkin + "Ext=.bmp\r\n");
        QImage picture(4, 4, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(picture.save(f.skins.filePath(QStringLiteral("PLAYN.BMP")), "BMP"));
        QVERIFY(picture.save(f.skins.filePath(QStringLiteral("playN.png")), "PNG"));
        QVERIFY(f.start({ path }));
        QCOMPARE(ButtonCount(), 1);
        QCOMPARE(gButtons[1].BtnFile, f.skins.filePath(QStringLiteral("playN.bmp")));
    }

    void commandLineSkinIsLookedAtAfterTheWelcome()
    {
        // A picture made while the first start's question waits is found.
        MainWindowFixture f;
        MainWindowFixture::writeFile(f.home.filePath(QStringLiteral("TVX_Morvane.pdf")), "%PDF");
        const QString path = makeSkinFile(f.skins, QStringLiteral("Skin.ini"));
        MainWindowFixture::writeFile(
            path, MainWindowFixture::readFile(path) + "[Buttons]\r\nNumber=1\r\nBtn1=play,1,2,0,0\r\n");
        f.dialogs.enqueue([&](const dialogs::Request &) {
            QImage picture(4, 4, QImage::Format_RGB32);
            picture.fill(Qt::red);
            picture.save(f.skins.filePath(QStringLiteral("playN.bmp")), "BMP");
            dialogs::Answer answer;
            answer.button = dialogs::vbNo;
            return answer;
        });
        QVERIFY(f.start({ path }));
        QCOMPARE(f.dialogs.count(), 1);
        QCOMPARE(ButtonCount(), 1);
    }

    void dragAcceptsOnlySkinFiles()
    {
        MainWindowFixture f;
        frmMain *main = f.start();
        const QString skin = f.skins.filePath(QStringLiteral("Skin.ini"));
        QVERIFY(dragAccepted(main, { skin }));
        QVERIFY(dragAccepted(main, { f.skins.filePath(QStringLiteral("skinFS.INI")) }));
        QVERIFY(dragAccepted(main, { f.skins.filePath(QStringLiteral("a.tvk")) }));
        QVERIFY(!dragAccepted(main, { f.skins.filePath(QStringLiteral("readme.txt")) }));
        // Only the first file counts.
        QVERIFY(dragAccepted(main, { skin, f.skins.filePath(QStringLiteral("readme.txt")) }));
        QVERIFY(!dragAccepted(main, { f.skins.filePath(QStringLiteral("readme.txt")), skin }));
        QVERIFY(!dragAccepted(main, {}));

        // Nothing drops while a modal window is open over the main window.
        QDialog modal(main);
        modal.setModal(true);
        modal.show();
        QVERIFY(!dragAccepted(main, { skin }));
        modal.hide();
        QVERIFY(dragAccepted(main, { skin }));
    }

    void dropOpensTheFirstFile()
    {
        MainWindowFixture f;
        frmMain *main = f.start();
        const QString first = makeSkinFile(f.skins, QStringLiteral("A/skinfs.ini"));
        const QString second = makeSkinFile(f.skins, QStringLiteral("B/Skin.ini"));
        drop(main, { first, second });
        QVERIFY(frmSkin::loaded());
        QCOMPARE(gSkinFile, first);
        QVERIFY(gFullScreenSkin);
        QCOMPARE(gLastSkinPath, f.skins.filePath(QStringLiteral("A/")));
    }

    void skinFileInAnotherCaseIsTheOneSaved_data()
    {
        QTest::addColumn<QString>("road");
        QTest::newRow("dialog") << "dialog";
        QTest::newRow("drop") << "drop";
        QTest::newRow("extraction") << "extraction";
    }

    void skinFileInAnotherCaseIsTheOneSaved()
    {
        QFETCH(QString, road);
        MainWindowFixture f;
        // Made on Windows: the file is "SKIN.INI", the road names "Skin.ini".
        const QString onDisk = makeSkinFile(f.skins, QStringLiteral("Red/SKIN.INI"));
        const QString named = f.skins.filePath(QStringLiteral("Red/Skin.ini"));
        frmMain *main = nullptr;
        if (road == QLatin1String("extraction")) {
            const QString archive = f.skins.filePath(QStringLiteral("Blue.tvk"));
            QProcess zip;
            zip.setWorkingDirectory(QFileInfo(onDisk).path());
            zip.start(QStringLiteral("zip"),
                { QStringLiteral("-q"), archive, QStringLiteral("SKIN.INI"), QStringLiteral("Main.bmp") });
            QVERIFY(zip.waitForFinished() && zip.exitCode() == 0);
            f.dialogs.answerForm([](QDialog *form) {
                form->findChild<QPushButton *>(QStringLiteral("cmdTVKExtrac"))->click();
            });
            main = f.start({ archive });
        } else {
            main = f.start();
            if (road == QLatin1String("drop")) {
                drop(main, { named });
            } else {
                f.dialogs.acceptFile(named);
                item(main, "mnuFileOpen")->trigger();
            }
        }
        QVERIFY(frmSkin::loaded());
        QCOMPARE(gSkinFile, gSkinFolder + QStringLiteral("SKIN.INI"));
        QVERIFY(QFileInfo(gSkinFile).isFile());
        QCOMPARE(frmSkin::loaded()->caption(), gSkinFile);

        // The archive commands find the file: the creation dialog opens.
        f.dialogs.clear();
        f.dialogs.answerForm([](QDialog *form) { form->reject(); });
        main->mnuFileCreateTVK_Click();
        QCOMPARE(f.dialogs.messages(), QStringList());
        QCOMPARE(f.dialogs.count(DialogRecorder::Kind::ModalForm), 1);

        // Save replaces that very file and writes no second one beside it.
        SetSkinChanged();
        main->mnuFileSave_Click();
        QVERIFY(MainWindowFixture::readFile(gSkinFile).contains("SkinType=0"));
        QCOMPARE(
            QDir(gSkinFolder).entryList({ QStringLiteral("*.ini"), QStringLiteral("*.INI") }, QDir::Files),
            QStringList { QStringLiteral("SKIN.INI") });
    }

    // --- Close and Exit ---

    void closeAndExitStopWhenTheUserKeepsTheSkin()
    {
        MainWindowFixture f;
        const QString path = makeSkinFile(f.skins, QStringLiteral("Skin.ini"));
        frmMain *main = f.start({ path });
        SetSkinChanged();

        f.dialogs.answerButton(dialogs::vbCancel);
        item(main, "mnuFileClose")->trigger();
        QVERIFY(frmSkin::loaded());

        f.dialogs.answerButton(dialogs::vbCancel);
        item(main, "mnuFileExit")->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(f.main);
        QVERIFY(main->isVisible());
        QVERIFY(frmSkin::loaded());
        QVERIFY(!QFile::exists(f.settingsPath()));

        // No: the skin closes unsaved and the program ends, writing its settings.
        f.dialogs.answerButton(dialogs::vbNo);
        item(main, "mnuFileExit")->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!f.main);
        QVERIFY(!frmSkin::loaded());
        QVERIFY(QFile::exists(f.settingsPath()));
        QCOMPARE(MainWindowFixture::readFile(path), kSkin);
    }

    void closeUnloadsThePreview()
    {
        MainWindowFixture f;
        frmMain *main = f.start({ makeSkinFile(f.skins, QStringLiteral("Skin.ini")) });
        QVERIFY(frmSkin::loaded());
        item(main, "mnuFileClose")->trigger();
        QVERIFY(!frmSkin::loaded());
        QCOMPARE(gSkinFile, QString());
        QCOMPARE(f.dialogs.count(), 0);
    }

    // --- View ---

    void toolWindowToggle()
    {
        MainWindowFixture f;
        frmMain *main = f.start({ makeSkinFile(f.skins, QStringLiteral("Skin.ini")) });
        frmImagesToolBar *images = frmImagesToolBar::loaded();
        QVERIFY(images);
        QAction *toggle = item(main, "mnuViewImagesTB");
        QVERIFY(toggle->isEnabled());
        QVERIFY(toggle->isChecked());
        QVERIFY(images->isShown());
        toggle->trigger();
        QVERIFY(!toggle->isChecked());
        QVERIFY(!images->isShown());
        toggle->trigger();
        QVERIFY(toggle->isChecked());
        QVERIFY(images->isShown());
        // The tool window's close box calls the same command.
        main->mnuViewImagesTB_Click();
        QVERIFY(!toggle->isChecked());
        QVERIFY(!images->isShown());
        QVERIFY(frmImagesToolBar::loaded());
    }

    void backgroundColour()
    {
        MainWindowFixture f;
        MainWindowFixture::writeFile(f.settingsPath(), "[Settings]\r\nCustomPalette=red,,300,-4,10,20\r\n");
        frmMain *main = f.start({ makeSkinFile(f.skins, QStringLiteral("Skin.ini")) });
        QVERIFY(main);
        QCOMPARE(gBackColor, -1);

        // A damaged palette costs colours, not the run.
        f.dialogs.acceptColor(QColor(255, 0, 0));
        main->mnuBackGroundChoose_Click();
        const auto &request = f.dialogs.last();
        QCOMPARE(request.kind, DialogRecorder::Kind::Color);
        QCOMPARE(request.color, QColor(128, 128, 128));
        QCOMPARE(request.customColors.size(), 16);
        QCOMPARE(request.customColors.at(1), QColor(10, 20, 0));
        QCOMPARE(gBackColor, 0x0000FF);
        QCOMPARE(gCustomPalette.split(QLatin1Char(',')).size(), 64);
        QVERIFY(gCustomPalette.startsWith(QStringLiteral("0,0,0,0,10,20,0,0,")));
        QCOMPARE(frmSkin::loaded()->pctBackground->backColor(), QColor(255, 0, 0));

        // The next choice starts at the colour now shown.
        f.dialogs.cancel();
        main->mnuBackGroundChoose_Click();
        QCOMPARE(f.dialogs.last().color, QColor(255, 0, 0));
        QCOMPARE(gBackColor, 0x0000FF);

        item(main, "mnuBackGroundRestore")->trigger();
        QCOMPARE(gBackColor, -1);
        QVERIFY(f.closeMain());
        QVERIFY(MainWindowFixture::readFile(f.settingsPath()).endsWith("BackGround=0\r\n"));
    }

    // --- Help ---

    void helpFilesMissing()
    {
        MainWindowFixture f;
        frmMain *main = f.start();
        item(main, "mnuHelpGuide")->trigger();
        item(main, "mnuHelpLicense")->trigger();
        QCOMPARE(f.dialogs.count(), 2);
        const QString home = AddBackslash(QDir(f.home.path()).absolutePath());
        QCOMPARE(f.dialogs.at(0).prompt,
            QStringLiteral("Program guide file wasn't found. Be sure that the ") + home
                + QStringLiteral("TVX_Morvane.pdf file is present and retry."));
        QCOMPARE(f.dialogs.at(1).prompt,
            QStringLiteral("Program license file wasn't found. Be sure that the ") + home
                + QStringLiteral("License.txt file is present and retry."));
        for (const auto &box : f.dialogs.requests()) {
            QCOMPARE(box.style, int(dialogs::vbCritical));
            QCOMPARE(box.title, QStringLiteral("Attention"));
        }
        QVERIFY((f.shell.count() == 0));
    }

    void helpFilesOpenWithTheShell()
    {
        MainWindowFixture f;
        const QString license = f.home.filePath(QStringLiteral("License.txt"));
        const QString guide = f.home.filePath(QStringLiteral("TVX_Morvane.pdf"));
        MainWindowFixture::writeFile(license, "MIT");
        MainWindowFixture::writeFile(f.settingsPath(), "[Settings]\r\n");
        frmMain *main = f.start();
        MainWindowFixture::writeFile(guide, "%PDF");
        item(main, "mnuHelpLicense")->trigger();
        item(main, "mnuHelpGuide")->trigger();
        QCOMPARE(f.dialogs.count(), 0);
        QCOMPARE(f.shell.count(), 2);
        QCOMPARE(f.shell.launches().at(0).url, QUrl::fromLocalFile(license));
        QCOMPARE(f.shell.launches().at(1).url, QUrl::fromLocalFile(guide));
    }

    void aboutIsModal()
    {
        MainWindowFixture f;
        frmMain *main = f.start();
        bool about = false;
        QWidget *owner = nullptr;
        f.dialogs.answerForm([&](QDialog *form) {
            about = qobject_cast<frmAbout *>(form) != nullptr;
            owner = form->parentWidget();
        });
        item(main, "mnuHelpAbout")->trigger();
        QCOMPARE(f.dialogs.count(), 1);
        QCOMPARE(f.dialogs.at(0).kind, DialogRecorder::Kind::ModalForm);
        QVERIFY(about);
        QCOMPARE(owner, main);
    }
};

QTEST_MAIN(tst_commands_skin)
#include "tst_commands_skin.moc"
