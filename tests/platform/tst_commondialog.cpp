#include "platform/CommonDialog.h"
#include "support/DialogRecorder.h"

#include <QtTest>

#include <QWidget>

// The four system dialog wrappers and their result variables, answered by the
// dialog recorder.
class tst_commondialog : public QObject
{
    Q_OBJECT
private slots:
    void fileDialogResultsAndCancel();
    void fileDialogFiltersAndFlags();
    void colourDialogResultsAndCancel();
    void fontDialogResultsAndCancel();
    void folderDialogResultsAndCancel();
    void paletteToBuffer();
    void bufferToPalette();
};

void tst_commondialog::fileDialogResultsAndCancel()
{
    DialogRecorder recorder;
    recorder.acceptFile(QStringLiteral("/skins/Blue/Skin.ini"));
    QVERIFY(ShowFileDialog(nullptr, QString(), 1, QString(), QString(), 0, QString(), QString(), true));
    QCOMPARE(gDlgResult, 1);
    QCOMPARE(gDlgFileName, QStringLiteral("/skins/Blue/Skin.ini"));
    QCOMPARE(gDlgFileTitle, QStringLiteral("Skin.ini"));

    // No fixed-size path buffer: a long path is a path like any other.
    const QString deep = QStringLiteral("/skins") + QString(QStringLiteral("/folder")).repeated(60)
        + QStringLiteral("/Skin.ini");
    recorder.acceptFile(deep);
    QVERIFY(ShowFileDialog(nullptr, QString(), 1, QString(), QString(), 0, QString(), QString(), true));
    QCOMPARE(gDlgFileName, deep);
    recorder.acceptFile(QStringLiteral("/skins/Blue/Skin.ini"));
    QVERIFY(ShowFileDialog(nullptr, QString(), 1, QString(), QString(), 0, QString(), QString(), true));

    recorder.cancel();
    QVERIFY(!ShowFileDialog(nullptr, QString(), 1, QString(), QString(), 0, QString(), QString(), false));
    QCOMPARE(gDlgResult, 0);
    QCOMPARE(gDlgFileName, QStringLiteral("/skins/Blue/Skin.ini"));
    QCOMPARE(gDlgFileTitle, QStringLiteral("Skin.ini"));
}

void tst_commondialog::fileDialogFiltersAndFlags()
{
    DialogRecorder recorder;
    QWidget owner;
    const QChar nul(0);
    const QString open = QStringLiteral("Skin files (*.tvk; Skin.ini; Skinv1.ini)") + nul
        + QStringLiteral("*.tvk;Skin.ini;Skinv1.ini") + nul;
    ShowFileDialog(&owner, open, 1, QStringLiteral("/tmp"), QString(), 0x1804, QString(), QString(), true);
    dialogs::Request r = recorder.last();
    QCOMPARE(r.kind, DialogRecorder::Kind::OpenFile);
    QCOMPARE(r.owner, &owner);
    QCOMPARE(r.filters, QStringList { QStringLiteral("Skin files (*.tvk Skin.ini Skinv1.ini)") });
    QCOMPARE(r.filterIndex, 1);
    QCOMPARE(r.directory, QStringLiteral("/tmp"));
    QVERIFY(r.fileMustExist);
    QVERIFY(!r.overwritePrompt);

    const QString save = QStringLiteral("TVK Skin files (*.tvk)") + nul + QStringLiteral("*.tvk") + nul + nul
        + QStringLiteral("Ignored") + nul + QStringLiteral("*.x") + nul;
    ShowFileDialog(&owner, save, 1, QString(), QStringLiteral("Title"), 0x2006, QStringLiteral("Skin.tvk"),
        QStringLiteral("tvk"), false);
    r = recorder.last();
    QCOMPARE(r.kind, DialogRecorder::Kind::SaveFile);
    QCOMPARE(r.filters, QStringList { QStringLiteral("TVK Skin files (*.tvk)") });
    QCOMPARE(r.title, QStringLiteral("Title"));
    QCOMPARE(r.text, QStringLiteral("Skin.tvk"));
    QCOMPARE(r.defaultSuffix, QStringLiteral("tvk"));
    QVERIFY(r.overwritePrompt);

    ShowFileDialog(&owner, QStringLiteral("Skin files (Skin.ini)") + nul + QStringLiteral("Skin.ini") + nul,
        1, QString(), QString(), 0x4, QString(), QString(), false);
    QVERIFY(!recorder.last().overwritePrompt);
    QCOMPARE(recorder.last().filters, QStringList { QStringLiteral("Skin files (Skin.ini)") });
}

void tst_commondialog::colourDialogResultsAndCancel()
{
    DialogRecorder recorder;
    QByteArray custom(64, '\0');
    custom[0] = char(10);
    custom[1] = char(20);
    custom[2] = char(30);
    custom[3] = char(99); // not part of the colour
    QList<QColor> changed(16, QColor(1, 2, 3));
    recorder.acceptColor(QColor(0x11, 0x22, 0x33), changed);
    QVERIFY(ShowColorDialog(nullptr, custom, 0x00030201, CC_RGBINIT));
    QCOMPARE(recorder.last().color, QColor(1, 2, 3)); // 0x00BBGGRR
    QCOMPARE(recorder.last().customColors.at(0), QColor(10, 20, 30));
    QCOMPARE(recorder.last().customColors.at(1), QColor(0, 0, 0));
    QCOMPARE(gChosenColor, 0x00332211);
    QCOMPARE(gCustomColorsBuffer.size(), 64);
    QCOMPARE(BufferToPalette(gCustomColorsBuffer),
        QStringList(16, QStringLiteral("1,2,3,0")).join(QLatin1Char(',')));

    recorder.cancel();
    QVERIFY(!ShowColorDialog(nullptr, QByteArray(), 0xFFFFFF, CC_RGBINIT));
    QCOMPARE(recorder.last().customColors.size(), 16); // a short buffer still gives 16 colours
    QCOMPARE(gChosenColor, 0x00332211);
    QCOMPARE(BufferToPalette(gCustomColorsBuffer),
        QStringList(16, QStringLiteral("1,2,3,0")).join(QLatin1Char(',')));
}

void tst_commondialog::fontDialogResultsAndCancel()
{
    DialogRecorder recorder;
    QFont chosen(QStringLiteral("Courier"));
    chosen.setPointSizeF(9.5);
    chosen.setBold(true);
    chosen.setUnderline(true);
    recorder.acceptFont(chosen);
    QVERIFY(
        ShowFontDialog(nullptr, QStringLiteral("Arial"), false, true, false, false, 0x123456, 8, 0x10141));
    const QFont asked = recorder.last().font;
    QCOMPARE(asked.family(), QStringLiteral("Arial"));
    QCOMPARE(asked.pointSize(), 8);
    QVERIFY(asked.italic());
    QVERIFY(!asked.bold());
    QCOMPARE(gFontDlgResult, 1);
    QCOMPARE(gFontName, QStringLiteral("Courier"));
    QCOMPARE(gFontSize, int16_t(9));
    QVERIFY(gFontBold);
    QVERIFY(!gFontItalic);
    QVERIFY(gFontUnderline);
    QVERIFY(!gFontStrikeOut);
    QCOMPARE(gFontColor, 0x123456);

    // A face name longer than the Windows font record holds still opens the dialog.
    const QString longFace = QStringLiteral("A Very Long Font Family Name Over 31 Chars");
    recorder.cancel();
    QVERIFY(!ShowFontDialog(nullptr, longFace, false, false, false, false, 0, 12, 0x10141));
    QCOMPARE(recorder.last().font.family(), longFace);
    QCOMPARE(gFontDlgResult, 0);
    QCOMPARE(gFontName, QStringLiteral("Courier"));
    QCOMPARE(gFontSize, int16_t(9));
    QVERIFY(gFontBold);
    QCOMPARE(gFontColor, 0x123456);
}

void tst_commondialog::folderDialogResultsAndCancel()
{
    DialogRecorder recorder;
    recorder.acceptFolder(QStringLiteral("/tmp/chosen"));
    QVERIFY(BrowseForFolder(nullptr, QStringLiteral("Select the folder"), QStringLiteral("\\tmp")));
    QCOMPARE(recorder.last().title, QStringLiteral("Select the folder"));
    QCOMPARE(recorder.last().text, QStringLiteral("/tmp"));
    QCOMPARE(gBrowsedFolder, QStringLiteral("/tmp/chosen"));
    recorder.cancel();
    QVERIFY(!BrowseForFolder(nullptr, QString(), QString()));
    QCOMPARE(gBrowsedFolder, QStringLiteral("/tmp/chosen"));
}

void tst_commondialog::paletteToBuffer()
{
    QStringList values;
    for (int i = 0; i < 64; ++i)
        values += QString::number(i * 4);
    QByteArray buffer = PaletteToBuffer(values.join(QLatin1Char(',')));
    QCOMPARE(buffer.size(), 64);
    QCOMPARE(uchar(buffer.at(1)), uchar(4));
    QCOMPARE(uchar(buffer.at(63)), uchar(252));

    // Bad and missing values read as 0, and never stop the conversion.
    buffer = PaletteToBuffer(QStringLiteral("1,abc,256,-1,2.5, 7 ,,+3,0009,99999999999"));
    QCOMPARE(buffer.size(), 64);
    const QByteArray expected
        = QByteArray("\x01\x00\x00\x00\x00\x07\x00\x00\x09\x00", 10) + QByteArray(54, '\0');
    QCOMPARE(buffer, expected);
    QCOMPARE(PaletteToBuffer(QString()), QByteArray(64, '\0'));
    // More than 64 values: the first 64 count.
    QCOMPARE(
        PaletteToBuffer(QStringList(70, QStringLiteral("5")).join(QLatin1Char(','))), QByteArray(64, '\5'));
}

void tst_commondialog::bufferToPalette()
{
    QByteArray buffer(64, '\0');
    buffer[0] = char(255);
    buffer[1] = char(128);
    buffer[2] = char(1);
    buffer[3] = char(77); // whatever the fourth byte holds, "0" is written
    const QString palette = BufferToPalette(buffer);
    QVERIFY(palette.startsWith(QStringLiteral("255,128,1,0,0,0,0,0,")));
    QCOMPARE(palette.split(QLatin1Char(',')).size(), 64);
    QVERIFY(!palette.endsWith(QLatin1Char(',')));
    QVERIFY(!palette.contains(QLatin1Char(' ')));
    // A round trip keeps the colours and clears the fourth bytes.
    QByteArray cleared = buffer;
    cleared[3] = 0;
    QCOMPARE(PaletteToBuffer(palette), cleared);
    QCOMPARE(BufferToPalette(QByteArray()), QStringList(64, QStringLiteral("0")).join(QLatin1Char(',')));
}

QTEST_MAIN(tst_commondialog)
#include "tst_commondialog.moc"
