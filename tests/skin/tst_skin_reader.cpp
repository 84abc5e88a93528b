#include "support/MainWindowFixture.h"

#include "skin/Module.h"
#include "editors/buttons/ButtonToolWindow.h"
#include "lang/Locale.h"
#include "platform/AppInfo.h"
#include "platform/VbRuntime.h"

#include <QDir>
#include <QListWidget>
#include <QtTest>

// Opening skins through the open road and saving them again: what a skin file
// holds comes back byte for byte, every problem of a file is reported with its
// message, and old one-file skins are converted.
class tst_skin_reader : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void openThenSaveKeepsTheBytes_data();
    void openThenSaveKeepsTheBytes();
    void problemsAreReported_data();
    void problemsAreReported();
    void errorTrap();
    void readEndsSayingWhere_data();
    void readEndsSayingWhere();
    void partialLoadAsksBeforeSaving_data();
    void partialLoadAsksBeforeSaving();
    void oldSkinIsConverted();
    void convertedFilesAreNotReplacedWithoutAsking_data();
    void convertedFilesAreNotReplacedWithoutAsking();
    void aboutPictureIsNotReplacedWithoutAsking_data();
    void aboutPictureIsNotReplacedWithoutAsking();
    void failedConversionNeverCostsTheOldSkin_data();
    void failedConversionNeverCostsTheOldSkin();
    void noSkinIsRefused_data();
    void noSkinIsRefused();
    void eachOpenLooksAtTheFolderAnew();
    void messageDuringOpenShowsWhatWasRead();

private:
    QString folder() const { return m_fixture->skins.path() + QLatin1Char('/'); }
    void picture(const QString &relative, int width, int height);
    // Writes the skin file name (LF line ends become CR LF) and opens it.
    void open(const char *name, const QByteArray &text);
    QByteArray saved(const char *name);

    std::unique_ptr<MainWindowFixture> m_fixture;
};

namespace {

QByteArray crlf(QByteArray text)
{
    return text.replace("\r\n", "\n").replace("\n", "\r\n");
}

const QByteArray kHead = "[Tovix.Skin]\nVersion=1.00\n\n";

// A window skin as the writer writes it, every part filled.
const QByteArray kWindowSkin = kHead
    + "[Settings]\nSkinType=0\nMainImg=img\\Main.bmp\nMainAnySape=0\nExt=.bmp\n\n"
      "[Buttons]\nNumber=2\nBtn1=BPlay,10,20,1,20;Play, now; go\nBtn2=b2,-5,40,0,21;\n\n"
      "[Display]\nVersion=1,2;Arial,8,N;FFFFFF\nTitle=3,4;Arial,9,BIU;ff00AA\nMaxTitleWidth=120\n"
      "Subs=5,6;Arial,8,N;000000\nMaxSubsWidth=80\nStatus=7,8;Arial,8,U;00FF00\nStatusMaxWidth=60\n\n"
      "[TrackBar]\nPosSize=10,20,200,12\nKind=HB\nBitmap=img\\trk.bmp\n\n"
      "[Volume]\nPosSize=1,2,70,32\nKind=HBtn\nButtonImg=vol knob\n\n"
      "[GUI]\nMenuBackClr=112233\nPlayListActTextClr=abcdef\n\n"
      "[Text]\nAuthor=Andr\xe9 \x81\x9d\nURL=http://x\nDescription=\n\n";

} // namespace

void tst_skin_reader::init()
{
    m_fixture = std::make_unique<MainWindowFixture>();
    QVERIFY(m_fixture->start());
    QDir(folder()).mkpath(QStringLiteral("img"));
    picture(QStringLiteral("img/Main.bmp"), 300, 200);
    picture(QStringLiteral("BPlayN.bmp"), 20, 20);
    picture(QStringLiteral("B2N.BMP"), 20, 20); // named "b2" in the skin file
    picture(QStringLiteral("img/trk.bmp"), 200, 12);
    picture(QStringLiteral("vol knobN.bmp"), 16, 32);
}

void tst_skin_reader::cleanup()
{
    m_fixture.reset();
}

void tst_skin_reader::picture(const QString &relative, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::red);
    image.setPixel(1, 1, qRgb(0, 0, 255));
    QVERIFY(image.save(folder() + relative, "BMP"));
}

void tst_skin_reader::open(const char *name, const QByteArray &text)
{
    MainWindowFixture::writeFile(folder() + QLatin1String(name), crlf(text));
    ini::clearCache();
    m_fixture->main->OpenRoad(folder() + QLatin1String(name));
}

QByteArray tst_skin_reader::saved(const char *name)
{
    // Saving writes the file anew even when nothing changed.
    QFile::remove(folder() + QLatin1String(name));
    m_fixture->main->mnuFileSave_Click();
    return MainWindowFixture::readFile(folder() + QLatin1String(name));
}

void tst_skin_reader::openThenSaveKeepsTheBytes_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("expected"); // empty: the file itself

    const QByteArray plainBars
        = "[TrackBar]\nPosSize=1,2,3,4\nKind=H\nTransparentBg=1\nBorder=0\n"
          "BorderColor=010203\nColor=040506\nMouseOverColor=070809\nBackColor=0A0B0C\n\n"
          "[Volume]\nPosSize=5,6,7,8\nKind=V\nTransparentBg=0\nBorder=1\n"
          "BorderColor=000000\nColor=000000\nMouseOverColor=000000\nBackColor=000000\n\n";
    const QByteArray fsHead = kHead + "[Settings]\nMainImg=img\\Main.bmp\nMainAnySape=1\nPosition=bt,3\n\n";
    const QByteArray fsBody = "[Buttons]\nNumber=1\nBtn1=BPlay,1,2,0,7;a;b\n\n[Display]\nStatTxtAlign=C\n"
                              "StatTxt=4,5;Arial,8,N;00FF00\nStatTxtMaxWidth=90\n\n"
        + plainBars;
    const QByteArray tail = "[GUI]\n\n[Text]\nAuthor=\nURL=\nDescription=d\n\n";
    const QByteArray settings = "[Settings]\nSkinType=0\nMainImg=img\\Main.bmp\nMainAnySape=1\nExt=.bmp\n\n";
    const QByteArray noButtons = "[Buttons]\nNumber=0\n\n[Display]\n\n";
    // clang-format off
    QTest::newRow("every part") << QByteArray("Skin.ini") << kWindowSkin << QByteArray();
    QTest::newRow("plain bars") << QByteArray("Skin.ini") << kHead + settings + noButtons + plainBars + tail << QByteArray();
    // Selecting the position's entry writes its code in upper case.
    QTest::newRow("full screen") << QByteArray("Skinfs.ini")
        << fsHead + fsBody
        << QByteArray(fsHead).replace("bt,3", "BT,3") + fsBody;
    QTest::newRow("INI quirks") << QByteArray("Skin.ini")
        << QByteArray("; comment\n[tovix.skin]\nversion = 1\n[SETTINGS]\nmainimg=img\\MAIN\nExt=bmp\nMainImg=other.bmp\n"
                      "[Buttons]\nnumber=0.6\nBTN1 = BPlay, 1 ,2,0,3 \n[Unknown]\nx=y\n")
        << kHead + "[Settings]\nSkinType=0\nMainImg=img\\MAIN.bmp\nMainAnySape=0\nExt=.bmp\n\n"
           "[Buttons]\nNumber=1\nBtn1=BPlay,1,2,0,3;\n\n[Display]\n\n[GUI]\n\n[Text]\nAuthor=\nURL=\nDescription=\n\n";
    QTest::newRow("image bar without image") << QByteArray("Skin.ini") << kHead + settings + noButtons + "[TrackBar]\nPosSize=1,2,30,4\nKind=HB\nBitmap=\n\n" + tail << QByteArray();
    QTest::newRow("300 characters") << QByteArray("Skin.ini")
        << kHead + settings + noButtons + "[GUI]\n\n[Text]\nAuthor=" + QByteArray(300, 'a') + "\nURL=\nDescription=\n\n"
        << kHead + settings + noButtons + "[GUI]\n\n[Text]\nAuthor=" + QByteArray(255, 'a') + "\nURL=\nDescription=\n\n";
    // clang-format on
}

void tst_skin_reader::openThenSaveKeepsTheBytes()
{
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, expected);
    open(name.constData(), file);
    QVERIFY2(m_fixture->dialogs.messages().isEmpty(), qPrintable(m_fixture->dialogs.messages().join('|')));
    QVERIFY(!gSkinChanged);
    const QByteArray bytes = saved(name.constData());
    QCOMPARE(bytes, crlf(expected.isEmpty() ? file : expected));
    // The lists, the document and the preview hold the same buttons.
    QCOMPARE(ButtonToolWindow::active()->lstButtons->count(), ButtonCount());
    for (int i = 1; i <= ButtonCount(); ++i)
        QVERIFY(frmSkin::get()->pctSkinButton.contains(i)
            && frmSkin::get()->pctSkinButton[i]->isVisibleTo(frmSkin::get()));
}

void tst_skin_reader::problemsAreReported_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QList<int>>("messages"); // the message's first and last parts
    QTest::addColumn<int>("buttons");

    const QByteArray window = kHead + "[Settings]\nMainImg=img\\Main.bmp\n";
    const QByteArray fs = kHead + "[Settings]\nMainImg=img\\Main.bmp\n";
    // clang-format off
    QTest::newRow("newer version") << QByteArray("Skin.ini") << QByteArray("[Tovix.Skin]\nVersion=2\n[Settings]\nMainImg=img\\Main.bmp\n") << QList<int>{13046} << 0;
    QTest::newRow("main image missing") << QByteArray("Skin.ini") << kHead + "[Settings]\nMainImg=gone\n" << QList<int>{13047, 13048} << 0;
    QTest::newRow("no position") << QByteArray("Skinfs.ini") << fs << QList<int>{13049} << 0;
    QTest::newRow("position index 4") << QByteArray("Skinfs.ini") << fs + "Position=B,4\n" << QList<int>{13049} << 0;
    QTest::newRow("five commas") << QByteArray("Skin.ini") << window + "[Buttons]\nNumber=2\nBtn1=BPlay,1,2,0,0\nBtn2=BPlay,1,2,0,0,0;x\n" << QList<int>{13050, 13051} << 1;
    QTest::newRow("button image missing") << QByteArray("Skin.ini") << window + "[Buttons]\nNumber=2\nBtn1=BPlay,1,2,0,0\nBtn2=none,1,2,0,0\n" << QList<int>{13036, 13038} << 1;
    QTest::newRow("button is main image") << QByteArray("Skin.ini") << window + "Ext=\n[Buttons]\nNumber=1\nBtn1=img\\MAI,1,2,0,0\n" << QList<int>{13039, 13040} << 0;
    QTest::newRow("negative number") << QByteArray("Skin.ini") << window + "[Buttons]\nNumber=-3\n" << QList<int>{} << 0;
    QTest::newRow("display") << QByteArray("Skin.ini") << window + "[Display]\nTitle=10,20;Arial,8,N\n" << QList<int>{13053, 13054} << 0;
    QTest::newRow("alignment") << QByteArray("Skinfs.ini") << fs + "Position=B,1\n[Display]\nStatTxt=1,2;Arial,8,N;000000\nStatTxtAlign=Left\n" << QList<int>{13052} << 0;
    QTest::newRow("bar kind") << QByteArray("Skin.ini") << window + "[TrackBar]\nKind=hb\nPosSize=1,2,3,4\n" << QList<int>{13057} << 0;
    QTest::newRow("bitmap missing") << QByteArray("Skin.ini") << window + "[Volume]\nKind=HB\nBitmap=gone\n" << QList<int>{13055, 13056} << 0;
    QTest::newRow("bitmap is main image") << QByteArray("Skin.ini") << window + "[Volume]\nKind=VB\nBitmap=IMG\\main\nPosSize=1,2,3,4\n" << QList<int>{13043, 13044} << 0;
    QTest::newRow("button bar image missing") << QByteArray("Skin.ini") << window + "[Volume]\nKind=VBtn\nButtonImg=gone\nPosSize=1,2,3,4\n" << QList<int>{13036, 13038} << 0;
    // clang-format on
}

void tst_skin_reader::problemsAreReported()
{
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, file);
    QFETCH(QList<int>, messages);
    QFETCH(int, buttons);
    open(name.constData(), file);
    const QStringList shown = m_fixture->dialogs.messages();
    QCOMPARE(shown.size(), messages.isEmpty() ? 0 : 1);
    if (!messages.isEmpty()) {
        QVERIFY2(shown.at(0).startsWith(Message(messages.first())), qPrintable(shown.at(0)));
        QVERIFY2(shown.at(0).endsWith(Message(messages.last())), qPrintable(shown.at(0)));
    }
    QCOMPARE(ButtonCount(), buttons);
    QCOMPARE(ButtonToolWindow::active()->lstButtons->count(), buttons);

    // What the load reported leaving out makes a save ask before it replaces the file.
    const bool leftOut = !messages.isEmpty() && messages.first() != 13046;
    m_fixture->dialogs.clear();
    m_fixture->dialogs.answerButton(dialogs::vbNo);
    m_fixture->main->mnuFileSave_Click();
    QCOMPARE(m_fixture->dialogs.count(), leftOut ? 1 : 0);
    QCOMPARE(MainWindowFixture::readFile(folder() + QLatin1String(name)) == crlf(file), leftOut);
}

void tst_skin_reader::errorTrap()
{
    const QByteArray window = kHead + "[Settings]\nMainImg=img\\Main.bmp\n";
    MainWindowFixture::writeFile(folder() + QStringLiteral("bad.bmp"), "not a picture");

    // A value a control refuses: reported, and the read goes on to its end.
    open("Skin.ini", window + "[Display]\nTitle=1,2;Arial,0,N;000000\n");
    QCOMPARE(m_fixture->dialogs.messages().size(), 1);
    QVERIFY(m_fixture->dialogs.last().prompt.startsWith(Message(13089) + QStringLiteral("380")));
    QVERIFY(
        m_fixture->dialogs.last().prompt.contains(Message(13091) + QStringLiteral("Arial") + Message(13092)));
    QVERIFY(!gSkinChanged);
    QVERIFY(!frmSkin::get()->lblSkinText[1]->isHidden());

    // A picture the loader does not read: a bar goes on, a main image ends the read.
    m_fixture->dialogs.clear();
    open("Skin.ini", window + "[TrackBar]\nKind=HB\nBitmap=bad.bmp\nPosSize=1,2,3,4\n");
    QCOMPARE(
        m_fixture->dialogs.messages(), QStringList { Message(13071) + QLatin1Char('\n') + Message(13072) });
    QCOMPARE(gBars[0].BarImage, QStringLiteral("bad.bmp"));
    QVERIFY(!gSkinChanged);
    m_fixture->dialogs.clear();
    open("Skin.ini", kHead + "[Settings]\nMainImg=bad.bmp\n");
    QCOMPARE(
        m_fixture->dialogs.messages(), QStringList { Message(13071) + QLatin1Char('\n') + Message(13072) });
    QVERIFY(gMainImage.isEmpty());

    // Any other error ends the read.
    m_fixture->dialogs.clear();
    open("Skin.ini", window + "[TrackBar]\nKind=H\nPosSize=1,2,3\n[GUI]\nMenuBackClr=112233\n");
    QCOMPARE(m_fixture->dialogs.messages().size(), 2);
    QCOMPARE(m_fixture->dialogs.messages().at(0), Message(13058));
    QVERIFY(m_fixture->dialogs.messages().at(1).startsWith(Message(13089) + QStringLiteral("9\n")));
    QVERIFY(!vb::isTrue(gGuiColors[0].GuiUsed));

    // A button value that is not a number ends the read before the button's picture is made.
    m_fixture->dialogs.answerButton(dialogs::vbNo); // the skin before is not saved
    open("Skin.ini", window + "[Buttons]\nNumber=2\nBtn1=BPlay,1,2,0,0\nBtn2=BPlay,x,2,0,0\n");
    QCOMPARE(ButtonCount(), 1);
    QVERIFY(!frmSkin::get()->pctSkinButton.contains(2));
}

void tst_skin_reader::readEndsSayingWhere_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("message"); // the last message shown

    const QByteArray window = kHead + "[Settings]\nMainImg=img\\Main.bmp\n";
    // clang-format off
    QTest::newRow("button") << QByteArray("Skin.ini") << window + "[Buttons]\nNumber=2\nBtn1=BPlay,1,2,0,0\nBtn2=BPlay,abc,xyz,9,9\n"
        << QStringLiteral("Error number: 13\nType mismatch\nin Skin.ini, [Buttons] Btn2");
    QTest::newRow("bar") << QByteArray("Skin.ini") << window + "[Volume]\nKind=H\nPosSize=1,2,3\n"
        << QStringLiteral("Error number: 9\nSubscript out of range\nin Skin.ini, [Volume] PosSize");
    QTest::newRow("display coordinate") << QByteArray("Skin.ini") << window + "[Display]\nMovInfo=1,3000000000;Arial,8,N;000000\n"
        << QStringLiteral("Error number: 6\nOverflow\nin Skin.ini, [Display] MovInfo");
    QTest::newRow("count too large") << QByteArray("Skin.ini") << window + "[Buttons]\nNumber=40000\n"
        << QStringLiteral("Error number: 6\nOverflow\nin Skin.ini, [Buttons] Number");
    QTest::newRow("status text") << QByteArray("Skinfs.ini") << window + "Position=B,1\n[Display]\nStatTxt=1,2;Arial,x,N;000000\n"
        << QStringLiteral("Error number: 13\nType mismatch\nin Skinfs.ini, [Display] StatTxt");
    // clang-format on
}

void tst_skin_reader::readEndsSayingWhere()
{
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, file);
    QFETCH(QString, message);
    open(name.constData(), file);
    QVERIFY(m_fixture->dialogs.count() > 0);
    QCOMPARE(m_fixture->dialogs.last().prompt, message);
    QCOMPARE(m_fixture->dialogs.last().title, app::title() + QStringLiteral(" - ") + Message(13007));
}

void tst_skin_reader::partialLoadAsksBeforeSaving_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("asks");
    QTest::addColumn<QByteArray>("written"); // part of what Yes writes

    const QByteArray window = kHead + "[Settings]\nMainImg=img\\Main.bmp\n";
    // clang-format off
    QTest::newRow("buttons, then a bitmap that ends the read") << QByteArray("Skin.ini")
        << window + "[Buttons]\nNumber=3\nBtn1=BPlay,1,2,0,0\nBtn2=b2,1,2,0,0\nBtn3=none,1,2,0,0\n[TrackBar]\nKind=HB\nBitmap=gone\n"
        << true << QByteArray("Number=2\r\nBtn1=BPlay,1,2,0,0;\r\nBtn2=b2,1,2,0,0;\r\n\r\n");
    QTest::newRow("main image empty") << QByteArray("Skin.ini") << kHead + "[Settings]\nMainImg=\n[Buttons]\nNumber=1\nBtn1=BPlay,1,2,0,0\n" << true << QByteArray("Number=0");
    QTest::newRow("refused value") << QByteArray("Skin.ini") << window + "[Display]\nTitle=1,2;Arial,0,N;000000\n" << true << QByteArray("Title=1,2;Arial,0,N;000000");
    QTest::newRow("unreadable button picture") << QByteArray("Skin.ini") << window + "[Buttons]\nNumber=2\nBtn1=bad,1,2,0,0\nBtn2=BPlay,1,2,0,0\n" << true << QByteArray("Number=1\r\nBtn1=BPlay,");
    QTest::newRow("nothing reported") << QByteArray("Skin.ini") << kWindowSkin << false << QByteArray("Number=2");
    // clang-format on
}

void tst_skin_reader::partialLoadAsksBeforeSaving()
{
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, file);
    QFETCH(bool, asks);
    QFETCH(QByteArray, written);
    MainWindowFixture::writeFile(folder() + QStringLiteral("badN.bmp"), "not a picture");
    open(name.constData(), file);
    const QString path = folder() + QLatin1String(name);
    m_fixture->dialogs.clear();
    if (!asks) {
        m_fixture->main->mnuFileSave_Click();
        QCOMPARE(m_fixture->dialogs.count(), 0);
        QVERIFY(MainWindowFixture::readFile(path).contains(written));
        return;
    }

    // No keeps the file; the skin stays open, and every later save asks again.
    m_fixture->dialogs.answerButton(dialogs::vbNo);
    m_fixture->main->mnuFileSave_Click();
    QCOMPARE(m_fixture->dialogs.count(), 1);
    QCOMPARE(m_fixture->dialogs.last().style & 7, int(dialogs::vbYesNo));
    QCOMPARE(MainWindowFixture::readFile(path), crlf(file));
    // The close question's Yes asks too; No keeps the skin open and marked.
    SetSkinChanged();
    m_fixture->dialogs.answerButton(dialogs::vbYes);
    m_fixture->dialogs.answerButton(dialogs::vbNo);
    m_fixture->main->mnuFileClose_Click();
    QCOMPARE(m_fixture->dialogs.count(), 3);
    QVERIFY(frmSkin::loaded());
    QVERIFY(gSkinChanged);
    QCOMPARE(MainWindowFixture::readFile(path), crlf(file));

    m_fixture->dialogs.answerButton(dialogs::vbYes);
    m_fixture->main->mnuFileSave_Click();
    QCOMPARE(m_fixture->dialogs.count(), 4);
    QVERIFY2(MainWindowFixture::readFile(path).contains(written), MainWindowFixture::readFile(path));
    QVERIFY(!gSkinChanged);
}

void tst_skin_reader::oldSkinIsConverted()
{
    picture(QStringLiteral("Main.bmp"), 300, 200);
    for (const char *name : { "BPlayN.bmp", "BPauseN.bmp", "BStopN.bmp", "BPrevN.bmp", "BNextN.bmp",
             "BOpenN.bmp", "BExitN.bmp", "Btn1N.bmp", "Btn2N.bmp", "Btn3N.bmp", "trkN.bmp" })
        picture(QLatin1String(name), 10, 10);
    picture(QStringLiteral("volN.bmp"), 10, 30);
    const QByteArray old
        = "[Settings]\nMainAnySape=1\nButtonAnyShape=1\n"
          "[Position]\nBtnPlay=1,2;Play it\nBtnPause=3,4\nBtnStop=5,6\nBtnPrev=7,8\nBtnNext=9,10\n"
          "BtnOpen=11,12\nBtnExit=13,14\nAbout=10,10,40,30\nExtrNum=3\nBtn1=20,21:5;Open\n"
          "Btn2=22,23:12;a;b\nBtn3=24,25:10\n"
          "Txt1=1,1\nTxt2=2,2\nTxt3=3,3\nTxt4=4,4\nTxt5=5,5\nTxt6=6,6\nTxt1MaxSize=150\n"
          "TrackBar=10,250,100,5\nTrackKind=h\nVolumeKind=cv\nVolume=5,6,70\nVolumeBtn=vol\n"
          "[Fonts]\nTxt1=Arial-8\nTxt2=Arial-9\nTxt3=Arial-10\nTxt4=Arial-11\nTxt5=Arial-12\nTxt6=Arial-13\n"
          "[Colors]\nFontClr=FFFFFF\nPosBackClr=112233\nPosForeClr=445566\nPlayLBG=000001\nPlayLTX=000002\n"
          "[GUI]\nMenuBackClr=AAAAAA\nMenuDisFontClr=BBBBBB\n[Text]\nAuthor=Me\nDescription=Old one\n"
          "[FullScreen]\nEnable=1\nBitmap=Main.bmp\nPosition=T,2\nNumButton=2\nBtn1=BPlay;1,2:12;go\n"
          "Btn2=BPause;5,6:10\n"
          "StatTxt=Arial-8;3,4;00FF00\nTrackKind=hb\nTrackBar=1,2,3,4\nTrackBitmap=trk.bmp\nVolumeKind=ch\n"
          "Volume=1,2,3\nVolumeBtn=vol\n";
    open("Skin.ini", old);
    QCOMPARE(m_fixture->dialogs.messages(), QStringList { Message(13045) });
    QCOMPARE(gSkinFile, folder() + QStringLiteral("Skinv1.ini"));
    QCOMPARE(ButtonCount(), 11);
    QVERIFY(!gSkinChanged);
    QCOMPARE(QImage(folder() + QStringLiteral("BAboutN.bmp")).size(), QSize(30, 20));
    QCOMPARE(MainWindowFixture::readFile(folder() + QStringLiteral("Skinv1.ini")),
        crlf(kHead
            + "[Settings]\nSkinType=0\nMainImg=Main.bmp\nMainAnySape=1\nExt=.bmp\n\n[Buttons]\n"
              "Btn1=BPlay,1,2,1,20;Play it\nBtn2=BPause,3,4,1,21\nBtn3=BStop,5,6,1,22\nBtn4=BPrev,7,8,1,25\n"
              "Btn5=BNext,9,10,1,28\nBtn6=BOpen,11,12,1,63\nBtn7=BExit,13,14,1,77\nBtn8=BAbout,10,10,2,70;$"
              "lang.Actions.71\nNumber=11\n"
              "Btn9=Btn1,20,21,1,61;Open\nBtn10=Btn2,22,23,1,0\nBtn11=Btn3,24,25,1,0\n\n"
              "[Display]\nVersion=2,2;Arial,9,N;FFFFFF\n"
              "Title=1,1;Arial,8,N;FFFFFF\nMaxTitleWidth=150\nMovInfo=3,3;Arial,10,N;FFFFFF\n"
              "MovTimeLen=5,5;Arial,12,N;FFFFFF\nsRepeat=6,6;Arial,13,N;FFFFFF\nStatus=4,4;Arial,11,N;"
              "FFFFFF\n\n"
              "[TrackBar]\nPosSize=10,250,100,5\nKind=H\nTransparentBg=0\nBorder=0\nBorderColor="
              "000000\nColor=445566\n"
              "MouseOverColor=445566\nBackColor=112233\n\n[Volume]\nPosSize=5,6,0,70\nKind=VBtn\nButtonImg="
              "vol\n\n"
              "[GUI]\nMenuBackClr=AAAAAA\nMenuDisFontClr=BBBBBB\nPlayListBackClr=000001\nPlayListTextClr="
              "000002\n\n"
              "[Text]\nAuthor=Me\nURL=\nDescription=Old one\n"));
    QCOMPARE(MainWindowFixture::readFile(folder() + QStringLiteral("Skinfsv1.ini")),
        crlf(kHead
            + "[Settings]\nMainImg=Main.bmp\nMainAnySape=1\nPosition=T,2\n\n[Buttons]\nNumber=2\nBtn1=BPlay,"
              "1,2,1,22;go\nBtn2=BPause,5,6,1,20\n\n"
              "[Display]\nStatTxt=3,4;Arial,8,N;00FF00\n\n[TrackBar]\nPosSize=1,2,3,4\nKind=HB\nBitmap=trk."
              "bmp\n\n"
              "[Volume]\nPosSize=1,2,3,0\nKind=HBtn\nButtonImg=vol\n\n"));
}

void tst_skin_reader::convertedFilesAreNotReplacedWithoutAsking_data()
{
    QTest::addColumn<QByteArray>("old");
    // The converted files already in the folder: Yes to each question but No to the last.
    QTest::addColumn<QStringList>("there");

    // clang-format off
    QTest::newRow("window skin")        << QByteArray("[Settings]\nMainAnySape=1\n") << QStringList { QStringLiteral("SKINV1.INI") };
    QTest::newRow("full-screen panel")  << QByteArray("[Settings]\nMainAnySape=1\n[FullScreen]\nEnable=1\nBitmap=Main.bmp\n")
                                        << QStringList { QStringLiteral("Skinv1.ini"), QStringLiteral("Skinfsv1.ini") };
    // clang-format on
}

void tst_skin_reader::convertedFilesAreNotReplacedWithoutAsking()
{
    QFETCH(QByteArray, old);
    QFETCH(QStringList, there);
    m_fixture->dialogs.answerButton(dialogs::vbOK); // the old-skin notice
    for (const QString &name : there) {
        MainWindowFixture::writeFile(folder() + name, name.toLatin1());
        m_fixture->dialogs.answerButton(name == there.last() ? dialogs::vbNo : dialogs::vbYes);
    }
    open("Skin.ini", old);
    QCOMPARE(m_fixture->dialogs.count(), 1 + there.size());
    QVERIFY(m_fixture->dialogs.last().prompt.startsWith(QLatin1Char('"') + folder() + there.last()));
    for (const QString &name : there)
        QCOMPARE(MainWindowFixture::readFile(folder() + name), name.toLatin1());
    QStringList files = QDir(folder()).entryList({ QStringLiteral("*.ini") }, QDir::Files);
    files.sort();
    QStringList expected = there + QStringList { QStringLiteral("Skin.ini") };
    expected.sort();
    QCOMPARE(files, expected); // nothing written
    QVERIFY(!frmSkin::loaded());
}

void tst_skin_reader::aboutPictureIsNotReplacedWithoutAsking_data()
{
    QTest::addColumn<QByteArray>("about"); // the old skin's About hot spot
    QTest::addColumn<QString>("there"); // the About picture already in the folder
    QTest::addColumn<int>("answer"); // to the question about it; 0: nothing asked
    // clang-format off
    QTest::newRow("there, No")         << QByteArray("About=10,10,40,30") << QStringLiteral("BAboutN.bmp") << int(dialogs::vbNo);
    QTest::newRow("other case, Yes")   << QByteArray("About=10,10,40,30") << QStringLiteral("baboutn.BMP") << int(dialogs::vbYes);
    QTest::newRow("not there")         << QByteArray("About=10,10,40,30") << QString()                     << 0;
    QTest::newRow("no About hot spot") << QByteArray()                    << QStringLiteral("BAboutN.bmp") << 0;
    // clang-format on
}

void tst_skin_reader::aboutPictureIsNotReplacedWithoutAsking()
{
    QFETCH(QByteArray, about);
    QFETCH(QString, there);
    QFETCH(int, answer);
    const QString name = there.isEmpty() ? QStringLiteral("BAboutN.bmp") : there;
    picture(QStringLiteral("Main.bmp"), 300, 200);
    if (!there.isEmpty())
        picture(there, 8, 6);
    m_fixture->dialogs.answerButton(dialogs::vbOK); // the old-skin notice
    if (answer)
        m_fixture->dialogs.answerButton(answer);
    open("Skin.ini", "[Settings]\nMainAnySape=1\n[Position]\n" + about);
    QCOMPARE(m_fixture->dialogs.count(), answer ? 2 : 1);
    // One picture, kept or the hot spot's blank, and the skin converted either way.
    QCOMPARE(QDir(folder()).entryList({ QStringLiteral("BAboutN.bmp") }, QDir::Files), QStringList { name });
    const bool kept = answer == dialogs::vbNo || about.isEmpty();
    QCOMPARE(QImage(folder() + name).size(), kept ? QSize(8, 6) : QSize(30, 20));
    QCOMPARE(ButtonCount(), about.isEmpty() ? 0 : 1);
}

void tst_skin_reader::failedConversionNeverCostsTheOldSkin_data()
{
    QTest::addColumn<QByteArray>("old");
    QTest::addColumn<int>("error"); // the error number the conversion ends with; 0: it does not start
    QTest::addColumn<QString>("where"); // the old file's section and key it ends at

    // clang-format off
    QTest::newRow("About not a number")         << QByteArray("[Settings]\nMainAnySape=1\n[Position]\nBtnPlay=1,2\nAbout=1,2,x,4\n") << 13 << QStringLiteral("[Position] About");
    QTest::newRow("About negative")             << QByteArray("[Settings]\nMainAnySape=1\n[Position]\nAbout=10,10,5,30\n") << 380 << QStringLiteral("[Position] About");
    QTest::newRow("further button missing")     << QByteArray("[Settings]\nMainAnySape=1\n[Position]\nExtrNum=2\nBtn1=1,2:5\n") << 9 << QStringLiteral("[Position] Btn2");
    QTest::newRow("full-screen button missing") << QByteArray("[Settings]\nMainAnySape=1\n[FullScreen]\nEnable=1\nBitmap=Main.bmp\nNumButton=1\n") << 9 << QStringLiteral("[FullScreen] Btn1");
    QTest::newRow("display font missing")       << QByteArray("[Settings]\nMainAnySape=1\n[Position]\nTxt1=1,1\n") << 9 << QStringLiteral("[Fonts] Txt1");
    QTest::newRow("volume height missing")      << QByteArray("[Settings]\nMainAnySape=1\n[Position]\nVolumeKind=CV\nVolume=1,2\nVolumeBtn=vol\n") << 9 << QStringLiteral("[Position] Volume");
    // An old section alone is an old skin, though one that cannot be converted.
    QTest::newRow("shape missing")              << QByteArray("[Position]\nBtnPlay=1,2\n") << 0 << QString();
    QTest::newRow("shape empty")                << QByteArray("[Settings]\nMainAnySape=\nButtonAnyShape=1\n") << 0 << QString();
    // clang-format on
}

void tst_skin_reader::failedConversionNeverCostsTheOldSkin()
{
    QFETCH(QByteArray, old);
    QFETCH(int, error);
    QFETCH(QString, where);
    const QString converted = folder() + QStringLiteral("Skinv1.ini");
    MainWindowFixture::writeFile(converted, "mine");
    open("Skin.ini", old);
    const QStringList shown = m_fixture->dialogs.messages();
    QCOMPARE(shown.value(0), Message(13045));
    QCOMPARE(shown.size(), 2);
    if (error) {
        QVERIFY2(shown.at(1).startsWith(Message(13089) + QString::number(error) + QLatin1Char('\n')),
            qPrintable(shown.at(1)));
        QVERIFY2(shown.at(1).endsWith(QStringLiteral("\nin Skin.ini, ") + where), qPrintable(shown.at(1)));
    } else
        QCOMPARE(shown.at(1),
            QStringLiteral("The old skin \"") + folder()
                + QStringLiteral("Skin.ini\" could not be converted: the key \"MainAnySape\" of its section "
                                 "[Settings] is missing or empty.\nNothing was written."));
    QCOMPARE(MainWindowFixture::readFile(converted), QByteArray("mine"));
    QCOMPARE(gSkinFile, converted);
    QCOMPARE(frmSkin::get()->caption().remove(QLatin1Char('*')), converted);

    // Every save writes the converted file, after asking, and never the old one.
    m_fixture->dialogs.clear();
    m_fixture->dialogs.answerButton(dialogs::vbNo);
    m_fixture->main->mnuFileSave_Click();
    QCOMPARE(m_fixture->dialogs.count(), 1);
    QCOMPARE(MainWindowFixture::readFile(converted), QByteArray("mine"));
    m_fixture->dialogs.answerButton(dialogs::vbYes);
    m_fixture->main->mnuFileSave_Click();
    QVERIFY(MainWindowFixture::readFile(converted).startsWith("[Tovix.Skin]\r\nVersion=1.00\r\n"));
    SetSkinChanged();
    m_fixture->dialogs.answerButton(dialogs::vbYes);
    QVERIFY(m_fixture->closeMain());
    QCOMPARE(MainWindowFixture::readFile(folder() + QStringLiteral("Skin.ini")), crlf(old));
}

void tst_skin_reader::noSkinIsRefused_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("file");

    // clang-format off
    QTest::newRow("shopping list")  << QByteArray("Skin.ini")   << QByteArray("Milk\nBread\n2 apples = 1 euro\n");
    QTest::newRow("binary")         << QByteArray("SKIN.INI")   << QByteArray("MZ\x90\0\x03\0\0\0[\x04\0", 12);
    QTest::newRow("empty")          << QByteArray("Skin.ini")   << QByteArray();
    // Old skins are only ever named "Skin.ini".
    QTest::newRow("old sections under another name") << QByteArray("Skinfs.ini") << QByteArray("[Settings]\nMainAnySape=1\n");
    QTest::newRow("old version under another name")  << QByteArray("Skinv1.ini") << QByteArray("[Tovix.Skin]\nVersion=0.5\n");
    // clang-format on
}

void tst_skin_reader::noSkinIsRefused()
{
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, file);
    const QString path = folder() + QLatin1String(name);
    open(name.constData(), file);
    QCOMPARE(m_fixture->dialogs.count(), 1);
    QCOMPARE(m_fixture->dialogs.last().prompt,
        QLatin1Char('"') + path + QStringLiteral("\" is not a skin file.\nIt was not opened."));
    QCOMPARE(m_fixture->dialogs.last().title, app::title() + QStringLiteral(" - ") + Message(13007));
    QCOMPARE(m_fixture->dialogs.last().style & 0xF0, int(dialogs::vbCritical));
    QVERIFY(!frmSkin::loaded());
    QCOMPARE(gSkinFile, QString());
    QCOMPARE(MainWindowFixture::readFile(path), crlf(file));
    QCOMPARE(QDir(folder()).entryList({ QStringLiteral("*.ini"), QStringLiteral("*.INI") }, QDir::Files),
        QStringList { QLatin1String(name) });
}

void tst_skin_reader::eachOpenLooksAtTheFolderAnew()
{
    // A button image created after an open that missed it is found by the
    // next open, spelled otherwise than the skin file spells it.
    const QByteArray file = kHead
        + "[Settings]\nMainImg=img\\Main.bmp\n[Buttons]\nNumber=2\n"
          "Btn1=BPlay,1,2,0,0\nBtn2=late,1,2,0,0\n";
    open("Skin.ini", file);
    QCOMPARE(ButtonCount(), 1);
    m_fixture->dialogs.clear();
    picture(QStringLiteral("LATEN.bmp"), 20, 20);
    open("Skin.ini", file);
    QCOMPARE(m_fixture->dialogs.messages(), QStringList());
    QCOMPARE(ButtonCount(), 2);
    QCOMPARE(gButtons[2].BtnFile, folder() + QStringLiteral("lateN.bmp"));
}

void tst_skin_reader::messageDuringOpenShowsWhatWasRead()
{
    // The buttons are drawn together when the read ends; a message box that
    // comes up over the preview before (it blocks the main window) shows the
    // main picture with the buttons read so far.
    bool shown = false;
    m_fixture->dialogs.enqueue([&](const dialogs::Request &) {
        QEvent blocked(QEvent::WindowBlocked);
        QCoreApplication::sendEvent(m_fixture->main, &blocked);
        frmSkin *skin = frmSkin::get();
        shown = skin->pctSkinMain->isVisibleTo(skin) && skin->pctSkinButton[1]->isVisibleTo(skin);
        dialogs::Answer answer;
        answer.button = dialogs::vbOK;
        return answer;
    });
    open("Skin.ini",
        kHead
            + "[Settings]\nMainImg=img\\Main.bmp\n[Buttons]\nNumber=2\nBtn1=BPlay,1,2,0,0\n"
              "Btn2=none,1,2,0,0\n");
    QVERIFY(shown);
}

QTEST_MAIN(tst_skin_reader)
#include "tst_skin_reader.moc"
