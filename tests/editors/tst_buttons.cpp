#include "widgets/MenuIcons.h"
#include "editors/CoordinateEdit.h"
#include "support/MainWindowFixture.h"
#include "editors/buttons/KeyPressEdit.h"
#include "resources/BuiltinTexts.h"
#include "resources/MenuBitmaps.h"
#include "support/ShellRecorder.h"
#include "support/TestFiles.h"
#include "editors/display_bars/BarPanel.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QListWidget>
#include <QMenu>
#include <QtTest>

// The buttons of both button tool windows, dragging on the preview and the
// main window's editing commands, driven through the real windows.
class tst_buttons : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_env.isValid()); }
    void init() { m_env.open(); }
    void cleanup() { m_env.finish(); }

    void listCommandsKeepListsDocumentAndPreviewInStep_data() { windows(); }
    void listCommandsKeepListsDocumentAndPreviewInStep();
    void refusedAddsShowTheirMessageAndAddNothing_data();
    void refusedAddsShowTheirMessageAndAddNothing();
    void propertyEditsReachTheSavedButtonLine_data() { windows(); }
    void propertyEditsReachTheSavedButtonLine();
    void storedValuesOutsideTheListsStayUntilPicked_data() { windows(); }
    void storedValuesOutsideTheListsStayUntilPicked();
    void typedTextIsCommittedBeforeSaveAndAnotherButton();
    void typedExtensionIsCommittedBeforeSave_data() { windows(); }
    void typedExtensionIsCommittedBeforeSave();
    void anEmptyExtensionAddsFromNamesWithoutOne();
    void dragsEndInTheSavedCoordinates();
    void applyZOrderStacksTheElements();
    void previewPopUpsAndViewSkinFile();

private:
    void windows()
    {
        QTest::addColumn<bool>("fullScreen");
        QTest::newRow("window skin") << false;
        QTest::newRow("full-screen skin") << true;
    }
    ButtonToolWindow *openSkin(bool fullScreen);
    void writeImage(const QString &name, QRgb colour);
    void add(ButtonToolWindow *window, const QString &file);
    void verifyInStep(ButtonToolWindow *window, const QStringList &names);
    QString savedButtonLine(int i);
    // A mouse event at a point of a widget, through its window as the platform delivers it.
    static void mouse(QTest::MouseAction action, QWidget *at, Qt::MouseButton button, const QPoint &pos,
        Qt::KeyboardModifiers keys = Qt::NoModifier)
    {
        QWidget *top = at->window();
        QTest::mouseEvent(action, top->windowHandle(), button, keys, at->mapTo(top, pos));
    }

    MainWindowFixture m_env;
};

ButtonToolWindow *tst_buttons::openSkin(bool fullScreen)
{
    m_env.openSkin(fullScreen);
    writeImage(QStringLiteral("Main.bmp"), qRgb(90, 90, 90));
    gMainImage = QStringLiteral("Main.bmp");
    writeImage(QStringLiteral("PlayN.bmp"), qRgb(200, 0, 0));
    writeImage(QStringLiteral("StopN.bmp"), qRgb(0, 200, 0));
    writeImage(QStringLiteral("NextN.bmp"), qRgb(0, 0, 200));
    ButtonToolWindow *window = ButtonToolWindow::active();
    for (QWidget *frame : { window->fmBtnList, window->fmBtn, window->fmBtnCoordinates })
        frame->setEnabled(true);
    frmSkin::get()->Show();
    return window;
}

void tst_buttons::writeImage(const QString &name, QRgb colour)
{
    QImage image(name == QLatin1String("Main.bmp") ? QSize(200, 150) : QSize(10, 8), QImage::Format_RGB32);
    image.fill(colour);
    // Shaped, only the top-left pixel's colour goes.
    image.setPixel(0, 0, qRgb(255, 255, 255));
    QVERIFY(image.save(m_env.skins.filePath(name), "BMP"));
}

void tst_buttons::add(ButtonToolWindow *window, const QString &file)
{
    m_env.pickFile(file);
    window->cmdAdd_Click();
}

void tst_buttons::verifyInStep(ButtonToolWindow *window, const QStringList &names)
{
    frmSkin *skin = frmSkin::get();
    QCOMPARE(ButtonCount(), names.size());
    QCOMPARE(skin->pctSkinButton.uBound(), names.size());
    QCOMPARE(window->lstButtons->count(), names.size());
    QCOMPARE(window->cbxBtn->count(), names.size());
    for (int p = 0; p < names.size(); ++p) {
        QCOMPARE(window->lstButtons->item(p)->text(), names[p]);
        QCOMPARE(window->cbxBtn->itemText(p), names[p]);
        QCOMPARE(gButtons[p + 1].BtnName, names[p]);
        // The picture shows the record's image at the record's place.
        QCOMPARE(
            skin->pctSkinButton[p + 1]->image().pixel(0, 0), QImage(gButtons[p + 1].BtnFile).pixel(0, 0));
        QCOMPARE(skin->pctSkinButton[p + 1]->pos(), QPoint(gButtons[p + 1].BtnX, gButtons[p + 1].BtnY));
    }
}

QString tst_buttons::savedButtonLine(int i)
{
    m_env.main->mnuFileSave_Click();
    QFile file(gSkinFile);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QString key = QStringLiteral("Btn%1=").arg(i);
    for (const QString &line : QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n")))
        if (line.startsWith(key))
            return line.mid(key.size());
    return QString();
}

void tst_buttons::listCommandsKeepListsDocumentAndPreviewInStep()
{
    QFETCH(bool, fullScreen);
    ButtonToolWindow *window = openSkin(fullScreen);
    for (const char *file : { "PlayN.bmp", "StopN.bmp", "NextN.bmp" })
        add(window, QLatin1String(file));
    verifyInStep(window, { "Play", "Stop", "Next" });
    QCOMPARE(window->lstButtons->currentRow(), -1);
    QVERIFY(gSkinChanged);
    gButtons[1].BtnX = 30;
    frmSkin::get()->RedrawSkinButton(1);

    // Up on the first entry changes nothing, the mark included.
    window->lstButtons->setCurrentRow(0);
    ClearSkinChanged();
    window->cmdUp_Click();
    verifyInStep(window, { "Play", "Stop", "Next" });
    QCOMPARE(gButtons[1].BtnX, 30);
    QCOMPARE(window->lstButtons->currentRow(), 0);
    QVERIFY(!gSkinChanged);
    QVERIFY(!frmSkin::get()->caption().startsWith(QLatin1Char('*')));

    QVERIFY(window->cmdDown->isEnabled());
    window->cmdDown_Click();
    verifyInStep(window, { "Stop", "Play", "Next" });
    QCOMPARE(window->cbxBtn->currentIndex(), 1);
    QCOMPARE(gButtons[2].BtnX, 30);
    window->cmdUp_Click();
    verifyInStep(window, { "Play", "Stop", "Next" });
    m_env.main->mnupctBtnRightClickBOTTOM_Click();
    verifyInStep(window, { "Stop", "Next", "Play" });
    QCOMPARE(window->lstButtons->currentRow(), 2);

    window->lstButtons->setCurrentRow(1);
    window->cmdRemove_Click();
    verifyInStep(window, { "Stop", "Play" });
    QCOMPARE(window->lstButtons->currentRow(), -1);
    QVERIFY(!window->cmdRemove->isEnabled());
    QVERIFY(window->txtBtnX->text().isEmpty());

    m_env.dialogs.answerButton(dialogs::vbNo);
    window->cmdClear_Click();
    verifyInStep(window, { "Stop", "Play" });
    m_env.dialogs.answerButton(dialogs::vbYes);
    window->cmdClear_Click();
    verifyInStep(window, {});
    QCOMPARE(m_env.dialogs.messages(), QStringList(2, gMessages[40]));
}

void tst_buttons::refusedAddsShowTheirMessageAndAddNothing_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("message");
    // clang-format off
    QTest::newRow("no state letter") << "PlayX.bmp" << "13034\n13035";
    QTest::newRow("state letter alone") << "N.bmp" << "13034\n13035";
    QTest::newRow("no N image") << "LoneA.bmp" << "13036LoneN.bmp13037\n13038";
    QTest::newRow("the main image") << "mainN.bmp" << "13039\n13040";
    QTest::newRow("separator in the name") << "Pl,ayN.bmp" << "13034\n13115";
    QTest::newRow("not a picture") << "JunkN.bmp" << "13071\n13072";
    // clang-format on
}

void tst_buttons::refusedAddsShowTheirMessageAndAddNothing()
{
    QFETCH(QString, file);
    QFETCH(QString, message);
    ButtonToolWindow *window = openSkin(false);
    gMainImage = QStringLiteral("MainN.bmp");
    writeImage(QStringLiteral("MainN.bmp"), qRgb(1, 2, 3));
    writeImage(QStringLiteral("LoneA.bmp"), qRgb(1, 2, 3));
    writeImage(QStringLiteral("PlayX.bmp"), qRgb(1, 2, 3));
    writeImage(QStringLiteral("N.bmp"), qRgb(1, 2, 3));
    writeImage(QStringLiteral("Pl,ayN.bmp"), qRgb(1, 2, 3));
    QFile junk(m_env.skins.filePath(QStringLiteral("JunkN.bmp")));
    QVERIFY(junk.open(QIODevice::WriteOnly) && junk.write("no picture") > 0);
    junk.close();

    add(window, file);
    QString expected = message;
    for (int id : { 13034, 13035, 13036, 13037, 13038, 13039, 13040, 13071, 13072 })
        expected.replace(QString::number(id), gMessages[id - 13001]);
    expected.replace(QStringLiteral("13115"), LoadResString(13115));
    expected.replace(QStringLiteral("LoneN.bmp"), gSkinFolder + QStringLiteral("LoneN.bmp"));
    QCOMPARE(m_env.dialogs.messages().value(0), expected);
    verifyInStep(window, {});
}

void tst_buttons::propertyEditsReachTheSavedButtonLine()
{
    QFETCH(bool, fullScreen);
    ButtonToolWindow *window = openSkin(fullScreen);
    add(window, QStringLiteral("PlayN.bmp"));
    add(window, QStringLiteral("StopN.bmp"));
    window->cbxBtn->setCurrentIndex(0);
    window->cbxBtnType->setCurrentIndex(1);
    QVERIFY(!frmSkin::get()->pctSkinButton[1]->mask().isEmpty());
    window->cbxBtnAction->setCurrentIndex(20);
    window->txtBtnX->setFocus();
    QTest::keyClicks(window->txtBtnX, QStringLiteral("12a"));
    window->txtBtnY->setText(QStringLiteral("12.5"));
    QCOMPARE(window->txtBtnY->text(), QStringLiteral("12.5"));
    window->txtBtnText->setFocus();
    QTest::keyClicks(window->txtBtnText, QStringLiteral("Hi"));
    QTest::keyClick(window->txtBtnText, Qt::Key_Return);
    QCOMPARE(savedButtonLine(1), QStringLiteral("Play,12,12,1,20;Hi"));
    QCOMPARE(frmSkin::get()->pctSkinButton[1]->pos(), QPoint(12, 12));
    // A paste keeps seven characters, as typing does.
    for (QLineEdit *box : { window->txtBtnX, window->txtBtnY }) {
        box->selectAll();
        box->insert(box == window->txtBtnX ? QStringLiteral("123456789012") : QStringLiteral("-99999999"));
    }
    QCOMPARE(savedButtonLine(1), QStringLiteral("Play,1234567,-999999,1,20;Hi"));

    // The player's own texts for every button, with the mark and its "*".
    ClearSkinChanged();
    m_env.main->mnufmBtnRightClickMultilanguage_Click();
    QVERIFY(frmSkin::get()->caption().startsWith(QLatin1Char('*')));
    QCOMPARE(window->cbxBtn->currentIndex(), -1);
    QCOMPARE(savedButtonLine(2), QStringLiteral("Stop,0,0,0,0;$lang.Actions.1"));
    window->cbxBtn->setCurrentIndex(0);
    QVERIFY(window->optBtnText[0]->isChecked());
    QCOMPARE(window->cmdBtnText->text(), QStringLiteral("$lang.Actions.21"));

    // A reference with one part too many is free text.
    gButtons[2].BtnText = QStringLiteral("$lang.a.b.c");
    window->cbxBtn->setCurrentIndex(1);
    QVERIFY(window->optBtnText[1]->isChecked());
    QCOMPARE(window->txtBtnText->text(), QStringLiteral("$lang.a.b.c"));
    QCOMPARE(savedButtonLine(2), QStringLiteral("Stop,0,0,0,0;$lang.a.b.c"));
}

void tst_buttons::storedValuesOutsideTheListsStayUntilPicked()
{
    QFETCH(bool, fullScreen);
    ButtonToolWindow *window = openSkin(fullScreen);
    add(window, QStringLiteral("PlayN.bmp"));
    gButtons[1].BtnType = uint8_t(window->cbxBtnType->count());
    gButtons[1].BtnAction = 123;
    window->cbxBtn->setCurrentIndex(0);
    QCOMPARE(window->cbxBtnType->currentIndex(), -1);
    QCOMPARE(window->cbxBtnAction->currentIndex(), -1);
    QCOMPARE(savedButtonLine(1), QStringLiteral("Play,0,0,%1,123;").arg(window->cbxBtnType->count()));
    window->cbxBtnAction->setCurrentIndex(5);
    QCOMPARE(gButtons[1].BtnAction, int16_t(5));
}

void tst_buttons::typedTextIsCommittedBeforeSaveAndAnotherButton()
{
    ButtonToolWindow *window = openSkin(false);
    add(window, QStringLiteral("PlayN.bmp"));
    add(window, QStringLiteral("StopN.bmp"));
    window->cbxBtn->setCurrentIndex(0);
    window->txtBtnText->setFocus();
    QTest::keyClicks(window->txtBtnText, QStringLiteral("Go"));
    QCOMPARE(savedButtonLine(1), QStringLiteral("Play,0,0,0,0;Go"));
    QTest::keyClicks(window->txtBtnText, QStringLiteral("!"));
    window->cbxBtn->setCurrentIndex(1);
    QCOMPARE(gButtons[1].BtnText, QStringLiteral("Go!"));
    QVERIFY(window->txtBtnText->text().isEmpty());
}

void tst_buttons::typedExtensionIsCommittedBeforeSave()
{
    QFETCH(bool, fullScreen);
    ButtonToolWindow *window = openSkin(fullScreen);
    add(window, QStringLiteral("PlayN.bmp"));
    window->txtExtension->setEnabled(true);
    window->txtExtension->setFocus();
    m_env.dialogs.clear();

    // The change asks first; No keeps the old extension and the save goes on.
    window->txtExtension->setText(QStringLiteral("jpg"));
    m_env.dialogs.answerButton(dialogs::vbNo);
    QCOMPARE(savedButtonLine(1), QStringLiteral("Play,0,0,0,0;"));
    QCOMPARE(m_env.dialogs.messages(), QStringList { gMessages[41] });
    QCOMPARE(window->txtExtension->text(), QStringLiteral("bmp"));

    // Yes to it and to the clear: the buttons go and the new extension is saved.
    window->txtExtension->setText(QStringLiteral("jpg"));
    m_env.dialogs.answerButton(dialogs::vbYes);
    m_env.dialogs.answerButton(dialogs::vbYes);
    QCOMPARE(savedButtonLine(1), QString());
    QCOMPARE(gButtonExt, QStringLiteral("jpg"));
    QCOMPARE(testfiles::read(gSkinFile).contains("\r\nExt=.jpg\r\n"), !fullScreen);
}

void tst_buttons::anEmptyExtensionAddsFromNamesWithoutOne()
{
    ButtonToolWindow *window = openSkin(false);
    window->txtExtension->setText(QString());
    window->txtExtension_Validate();
    for (const char *name : { "Fwda", "FwdN" })
        QVERIFY(QFile::copy(m_env.skins.filePath(QStringLiteral("PlayN.bmp")), m_env.skins.filePath(name)));
    add(window, QStringLiteral("Fwda"));
    verifyInStep(window, { "Fwd" });
    QCOMPARE(gButtons[1].BtnFile, gSkinFolder + QStringLiteral("FwdN"));
}

void tst_buttons::dragsEndInTheSavedCoordinates()
{
    ButtonToolWindow *window = openSkin(false);
    add(window, QStringLiteral("PlayN.bmp"));
    frmSkin *skin = frmSkin::get();
    QVERIFY(QTest::qWaitForWindowExposed(skin));
    skin->LoadMainPicture(m_env.skins.filePath(QStringLiteral("Main.bmp")));
    PictureBox *play = skin->pctSkinButton[1];
    // A display text and the track bar, each apart from the other elements.
    frmDisplayToolBar::get()->showDocument();
    frmDisplayToolBar::get()->cbxDisplay->setCurrentIndex(1);
    frmDisplayToolBar::get()->chkDisplay->setChecked(true);
    frmDisplayToolBar::get()->txtDisplayX->setText(QStringLiteral("100"));
    frmTrackVolumeToolBar::get()->showDocument();
    frmTrackVolumeToolBar::get()->bar(1)->txtPosSizeTop->setText(QStringLiteral("100"));
    frmTrackVolumeToolBar::get()->bar(0)->txtPosSizeTop->setText(QStringLiteral("50"));
    const auto drag = [&](QWidget *element, QPoint to, Qt::KeyboardModifiers keys = Qt::NoModifier) {
        mouse(QTest::MousePress, skin->pctSkinMain, Qt::LeftButton,
            element->mapTo(skin->pctSkinMain, QPoint(3, 3)), keys);
        mouse(QTest::MouseMove, skin->pctSkinMain, Qt::NoButton, to + QPoint(9, 9), keys);
        mouse(QTest::MouseRelease, skin->pctSkinMain, Qt::LeftButton, to, keys);
    };

    // A click without a move selects the button and changes nothing.
    mouse(QTest::MousePress, play, Qt::LeftButton, QPoint(2, 3));
    ClearSkinChanged();
    mouse(QTest::MouseRelease, play, Qt::LeftButton, QPoint(3, 3));
    QCOMPARE(window->cbxBtn->currentIndex(), 0);
    QVERIFY(!gSkinChanged);

    // A plain drag at zoom 1: the button and its boxes follow the mouse.
    mouse(QTest::MousePress, play, Qt::LeftButton, QPoint(2, 3));
    mouse(QTest::MouseMove, skin->pctSkinMain, Qt::NoButton, QPoint(40, 40));
    QCOMPARE(play->pos(), QPoint(38, 37));
    QCOMPARE(window->txtBtnX->text(), QStringLiteral("38"));
    QVERIFY(gSkinChanged);
    mouse(QTest::MouseRelease, skin->pctSkinMain, Qt::LeftButton, QPoint(52, 63));
    drag(skin->lblSkinText[1], QPoint(44, 66));
    QCOMPARE(savedButtonLine(1), QStringLiteral("Play,50,60,0,0;"));

    // The Ctrl drag at zoom 2: a coordinate follows only onto whole skin
    // pixels; the drop's half pixel stays in the box, the record takes the
    // even neighbour.
    skin->pctSkinMain_Click();
    QCOMPARE(play->pos(), QPoint(100, 120));
    mouse(QTest::MousePress, play, Qt::LeftButton, QPoint(1, 1), Qt::ControlModifier);
    mouse(QTest::MouseMove, skin->pctSkinMain, Qt::NoButton, QPoint(31, 41), Qt::ControlModifier);
    QCOMPARE(play->pos(), QPoint(30, 40));
    QCOMPARE(window->txtBtnY->text(), QStringLiteral("20"));
    mouse(QTest::MouseMove, skin->pctSkinMain, Qt::NoButton, QPoint(35, 42), Qt::ControlModifier);
    QCOMPARE(play->pos(), QPoint(34, 40));
    mouse(QTest::MouseRelease, skin->pctSkinMain, Qt::LeftButton, QPoint(26, 31), Qt::ControlModifier);
    QCOMPARE(window->txtBtnX->text(), QStringLiteral("12.5"));
    QCOMPARE(play->pos(), QPoint(24, 30));
    drag(skin->lblSkinBar[0], QPoint(244, 166), Qt::ControlModifier);
    QCOMPARE(savedButtonLine(1), QStringLiteral("Play,12,15,0,0;"));

    // Ctrl with Shift is the plain drag: an odd screen pixel gives a half
    // coordinate; released over the background the drag is undone, its mark too.
    const auto ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    mouse(QTest::MousePress, play, Qt::LeftButton, QPoint(1, 1), ctrlShift);
    mouse(QTest::MouseMove, skin->pctSkinMain, Qt::NoButton, QPoint(36, 47), ctrlShift);
    QCOMPARE(window->txtBtnX->text(), QStringLiteral("17.5"));
    QCOMPARE(play->pos(), QPoint(36, 46));
    mouse(QTest::MouseRelease, skin->pctSkinMain, Qt::LeftButton, QPoint(-5, -5), ctrlShift);
    QCOMPARE(play->pos(), QPoint(24, 30));
    QCOMPARE(window->txtBtnX->text(), QStringLiteral("12"));
    QVERIFY(!gSkinChanged);
    // A mark the skin had before such a drag stays.
    SetSkinChanged();
    mouse(QTest::MousePress, play, Qt::LeftButton, QPoint(1, 1));
    mouse(QTest::MouseMove, skin->pctSkinMain, Qt::NoButton, QPoint(36, 47));
    mouse(QTest::MouseRelease, skin->pctSkinMain, Qt::LeftButton, QPoint(-5, -5));
    QCOMPARE(play->pos(), QPoint(24, 30));
    QVERIFY(gSkinChanged);
    QVERIFY(skin->caption().startsWith(QLatin1Char('*')));
    // The Ctrl drag released over the background stays at its last live step,
    // with its boxes, its record and the mark.
    ClearSkinChanged();
    mouse(QTest::MousePress, play, Qt::LeftButton, QPoint(1, 1), Qt::ControlModifier);
    mouse(QTest::MouseMove, skin->pctSkinMain, Qt::NoButton, QPoint(33, 45), Qt::ControlModifier);
    mouse(QTest::MouseRelease, skin->pctSkinMain, Qt::LeftButton, QPoint(-5, -5), Qt::ControlModifier);
    QCOMPARE(play->pos(), QPoint(32, 44));
    QCOMPARE(window->txtBtnX->text(), QStringLiteral("16"));
    QCOMPARE(window->txtBtnY->text(), QStringLiteral("22"));
    QVERIFY(skin->caption().startsWith(QLatin1Char('*')));
    QCOMPARE(savedButtonLine(1), QStringLiteral("Play,16,22,0,0;"));
    // Dropped on the odd pixel of its last step, it ends on its record's pixel.
    mouse(QTest::MousePress, play, Qt::LeftButton, QPoint(1, 1));
    mouse(QTest::MouseMove, skin->pctSkinMain, Qt::NoButton, QPoint(40, 51));
    mouse(QTest::MouseRelease, skin->pctSkinMain, Qt::LeftButton, QPoint(40, 51));
    QCOMPARE(window->txtBtnX->text(), QStringLiteral("19.5"));
    QCOMPARE(play->pos(), QPoint(40, 50));
    QCOMPARE(savedButtonLine(1), QStringLiteral("Play,20,25,0,0;"));
    const QString saved = QString::fromLatin1(testfiles::read(gSkinFile));
    QVERIFY(saved.contains(QStringLiteral("\r\nTitle=41,63;")));
    QVERIFY(saved.contains(QStringLiteral("[TrackBar]\r\nPosSize=120,82,")));
}

void tst_buttons::applyZOrderStacksTheElements()
{
    ButtonToolWindow *window = openSkin(false);
    add(window, QStringLiteral("PlayN.bmp"));
    add(window, QStringLiteral("StopN.bmp"));
    frmSkin *skin = frmSkin::get();
    skin->lblSkinText[7]->raise();
    skin->pctSkinButton[1]->raise();
    m_env.main->mnuViewApplyZOrder_Click();
    // From the bottom up, after the elements that are not moved.
    const QList<QWidget *> expected { skin->lblSkinText[0], skin->lblSkinText[4], skin->lblSkinText[6],
        skin->lblSkinText[1], skin->lblSkinText[5], skin->lblSkinText[2], skin->lblSkinText[3],
        skin->lblSkinBar[1], skin->pctSkinBar[1], skin->lblSkinBar[0], skin->pctSkinBar[0],
        skin->pctSkinButton[1], skin->pctSkinButton[2] };
    const auto stack = [&] {
        QList<QWidget *> stacked;
        for (QObject *child : skin->pctSkinMain->children())
            if (expected.contains(child))
                stacked.append(static_cast<QWidget *>(child));
        return stacked;
    };
    QCOMPARE(stack(), expected);
    QCOMPARE(skin->pctSkinMain->children().last(), skin->pctSkinButton[2]);

    // The buttons on top keep their order; the text raised above them goes
    // back below them, among the others.
    skin->lblSkinText[3]->raise();
    m_env.main->mnuViewApplyZOrder_Click();
    QCOMPARE(stack(), expected);
    QCOMPARE(skin->pctSkinMain->children().last(), skin->pctSkinButton[2]);
}

void tst_buttons::previewPopUpsAndViewSkinFile()
{
    ButtonToolWindow *window = openSkin(true);
    add(window, QStringLiteral("PlayN.bmp"));
    add(window, QStringLiteral("StopN.bmp"));
    frmSkin *skin = frmSkin::get();
    QVERIFY(QTest::qWaitForWindowExposed(skin));
    frmMain *main = m_env.main;

    // A right press selects the button, then its pop-up removes it.
    m_env.dialogs.chooseAction(main->mnupctBtnRightClickREMOVE);
    LoadMenuBitmaps();
    mouse(QTest::MousePress, skin->pctSkinButton[2], Qt::RightButton, QPoint(1, 1));
    QTRY_COMPARE(ButtonCount(), 1);
    verifyInStep(window, { "Play" });
    mouse(QTest::MouseRelease, skin->pctSkinMain, Qt::RightButton, QPoint(1, 1));
    QVERIFY(!main->mnupctBtnRightClickUP->icon().isNull());
    FreeMenuBitmaps();
    QVERIFY(!main->mnupctBtnRightClick->menuAction()->isVisible());

    // The buttons frame's pop-up offers its command while buttons are listed.
    QTest::mouseClick(window->fmBtn, Qt::RightButton, Qt::NoModifier, QPoint(4, 4));
    QCOMPARE(m_env.dialogs.last().menu, main->mnufmBtnRightClick);
    QVERIFY(main->mnufmBtnRightClickMultilanguage->isEnabled());

    // The background: its pop-up on a right release, the colour on a double click.
    QTest::mouseClick(
        skin->pctBackground, Qt::RightButton, Qt::NoModifier, QPoint(skin->width() - 2, skin->height() - 2));
    QCOMPARE(m_env.dialogs.last().menu, main->mnuBackGround);
    QTest::mouseDClick(
        skin->pctBackground, Qt::LeftButton, Qt::NoModifier, QPoint(skin->width() - 2, skin->height() - 2));
    QCOMPARE(m_env.dialogs.last().kind, dialogs::Request::Kind::Color);

    ShellRecorder shell;
    main->mnuFileSave_Click();
    main->mnuViewSkinFile_Click();
    QCOMPARE(shell.count(), 1);
    QCOMPARE(shell.last().url, QUrl::fromLocalFile(gSkinFile));
}

QTEST_MAIN(tst_buttons)
#include "tst_buttons.moc"
