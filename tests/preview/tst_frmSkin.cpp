// The preview window's lifecycle: load, the save question, unload, the labels'
// texts and the background colour.

#include "tst_preview_support.h"

#include "widgets/MenuIcons.h"
#include "resources/MenuBitmaps.h"
#include "skin/SkinChange.h"
#include "skin/SkinFonts.h"

#include <QAction>
#include <QFontDatabase>
#include <QMenu>

using namespace previewtest;

class tst_frmSkin : public QObject
{
    Q_OBJECT

private:
    // The main window and its folders; its recorder answers every dialog (the
    // Escape answer when nothing is queued).
    MainWindowFixture m_env;
    DialogRecorder &m_dialogs = m_env.dialogs;
    QTemporaryDir *m_skinDir = nullptr;
    frmMain *m_main = nullptr;

    static bool enabled(QAction *action) { return action && action->isEnabled(); }
    static bool visible(QAction *action) { return action && action->isVisible(); }

private slots:
    void initTestCase()
    {
        m_main = m_env.open();
        LoadMenuBitmaps();
        m_main->resize(1400, 900);
    }

    void init()
    {
        m_skinDir = new QTemporaryDir;
        m_dialogs.clear();
        gUILanguage.clear();
        gBackColor = -1;
    }

    void cleanup()
    {
        closePreview();
        delete m_skinDir;
        m_skinDir = nullptr;
    }

    void cleanupTestCase()
    {
        m_env.finish();
        FreeMenuBitmaps();
    }

    void newSkinWithoutAFolderStopsTheLoad()
    {
        gSkinFile.clear();
        gFullScreenSkin = false;
        gMainImage = QStringLiteral("Kept.bmp");
        frmSkin *skin = frmSkin::get();
        QVERIFY(skin);
        QVERIFY(gSkinFile.isEmpty());
        QVERIFY(!frmImagesToolBar::loaded());
        QVERIFY(!frmDisplayToolBar::loaded());
        QVERIFY(!frmTrackVolumeToolBar::loaded());
        QVERIFY(!frmFullScreenToolBar::loaded());
        QVERIFY(!enabled(m_main->mnuFileClose));
        QVERIFY(!enabled(m_main->mnuFileSave));
        // The labels keep their design captions and the document is not reset:
        // the load stopped before them.
        QVERIFY(skin->lblSkinText[0]->text().isEmpty());
        QCOMPARE(gMainImage, QStringLiteral("Kept.bmp"));
    }

    void windowSkinOpensItsThreeToolWindows()
    {
        gMainImage = QStringLiteral("Old.bmp");
        gZoom = 2;
        gButtons.resize(4);
        frmSkin *skin = openPreview(m_skinDir->path());
        // A new, empty document at zoom 1.
        QVERIFY(gMainImage.isEmpty());
        QCOMPARE(gZoom, int16_t(1));
        QCOMPARE(ButtonCount(), 0);

        QVERIFY(frmImagesToolBar::loaded() && frmImagesToolBar::loaded()->isShown());
        QVERIFY(frmDisplayToolBar::loaded() && frmDisplayToolBar::loaded()->isShown());
        QVERIFY(frmTrackVolumeToolBar::loaded() && frmTrackVolumeToolBar::loaded()->isShown());
        QVERIFY(!frmFullScreenToolBar::loaded());
        QCOMPARE(skin->frameLeft(), 2 * frmImagesToolBar::loaded()->frameWidth());
        QCOMPARE(skin->frameTop(), 0);

        // The skin's menu items while it is open.
        if (m_main->mnuFileClose) {
            QVERIFY(enabled(m_main->mnuFileClose));
            QVERIFY(enabled(m_main->mnuFileSave));
            QVERIFY(visible(m_main->mnuFileCreateTVK));
            QVERIFY(visible(m_main->mnuFileTestSkin));
            QVERIFY(visible(m_main->mnuFileSep2));
            QVERIFY(m_main->mnuView->menuAction()->isVisible());
            for (QAction *item : { m_main->mnuViewImagesTB, m_main->mnuViewDisplayTB,
                     m_main->mnuViewTrackVolumeTB, m_main->mnuViewFullScreenTB })
                QVERIFY(item->isChecked());
            QVERIFY(enabled(m_main->mnuViewImagesTB));
            QVERIFY(enabled(m_main->mnuViewDisplayTB));
            QVERIFY(enabled(m_main->mnuViewTrackVolumeTB));
            QVERIFY(!enabled(m_main->mnuViewFullScreenTB));
            // The items that have just appeared get their icons.
            for (QAction *item : { m_main->mnuFileCreateTVK, m_main->mnuFileTestSkin, m_main->mnuViewSkinFile,
                     m_main->mnuViewApplyZOrder })
                QVERIFY2(!item->icon().isNull(), qPrintable(item->objectName()));
        }

        // The controls, by their design names.
        QVERIFY(skin->findChild<PictureBox *>(QStringLiteral("pctBackground")));
        QCOMPARE(skin->pctSkinMain->parentWidget(), skin->pctBackground);
        QCOMPARE(skin->pctSkinMain->pos(), QPoint(0, 0));
        for (const QString &name : { QStringLiteral("pctSkinButton_0"), QStringLiteral("lblSkinText_7"),
                 QStringLiteral("lblSkinBar_1"), QStringLiteral("pctSkinBar_1") }) {
            QWidget *child = skin->findChild<QWidget *>(name);
            QVERIFY2(child, qPrintable(name));
            QCOMPARE(child->parentWidget(), skin->pctSkinMain);
        }
        QCOMPARE(skin->pctBackground->size(), skin->size());
    }

    void newSkinShowsAnEmptyWhiteMainPicture()
    {
        frmSkin *skin = openPreview(m_skinDir->path());
        QVERIFY(skin->pctSkinMain->isVisibleTo(skin));
        // White where the main window will be, not the workspace colour behind it.
        const QImage shown = skin->pctBackground->grab().toImage();
        QCOMPARE(shown.pixelColor(5, 5), QColor(Qt::white));
        QCOMPARE(shown.pixelColor(skin->pctSkinMain->width() - 1, skin->pctSkinMain->height() - 1),
            QColor(Qt::white));
    }

    void fullScreenSkinOpensOnlyItsToolWindow()
    {
        frmSkin *skin = openPreview(m_skinDir->path(), true);
        QVERIFY(frmFullScreenToolBar::loaded() && frmFullScreenToolBar::loaded()->isShown());
        QVERIFY(!frmImagesToolBar::loaded());
        QVERIFY(!frmDisplayToolBar::loaded());
        QVERIFY(!frmTrackVolumeToolBar::loaded());
        QCOMPARE(skin->frameLeft(), frmFullScreenToolBar::loaded()->frameWidth());
        if (m_main->mnuViewFullScreenTB) {
            QVERIFY(enabled(m_main->mnuViewFullScreenTB));
            QVERIFY(!enabled(m_main->mnuViewImagesTB));
        }
    }

    void unloadClosesToolWindowsMenusAndFonts()
    {
        const QString fontFile = QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
        openPreview(m_skinDir->path());
        int fontId = -1;
        if (QFile::exists(fontFile)) {
            QVERIFY(QFile::copy(fontFile, m_skinDir->filePath(QStringLiteral("Skin.ttf"))));
            fontId = RegisterSkinFont(0, m_skinDir->filePath(QStringLiteral("Skin.ttf")));
            QVERIFY(fontId >= 0);
            QVERIFY(!QFontDatabase::applicationFontFamilies(fontId).isEmpty());
        }

        QVERIFY(frmSkin::unload());
        QVERIFY(!frmSkin::loaded());
        QVERIFY(gSkinFile.isEmpty());
        QVERIFY(!frmImagesToolBar::loaded());
        QVERIFY(!frmDisplayToolBar::loaded());
        QVERIFY(!frmTrackVolumeToolBar::loaded());
        QCOMPARE(RegisteredSkinFontCount(), 0);
        if (fontId >= 0)
            QVERIFY(QFontDatabase::applicationFontFamilies(fontId).isEmpty());
        if (m_main->mnuFileClose) {
            QVERIFY(!enabled(m_main->mnuFileClose));
            QVERIFY(!enabled(m_main->mnuFileSave));
            QVERIFY(!visible(m_main->mnuFileCreateTVK));
            QVERIFY(!visible(m_main->mnuFileTestSkin));
            QVERIFY(!visible(m_main->mnuFileSep2));
            QVERIFY(!m_main->mnuView->menuAction()->isVisible());
            QVERIFY(!enabled(m_main->mnuViewImagesTB));
            QVERIFY(!enabled(m_main->mnuViewFullScreenTB));
        }
    }

    // The next skin's preview stands as placed, however the last one's frame was left.
    void aPreviewLeftMinimizedOrMaximizedLeavesTheNextOneAsPlaced()
    {
        for (const Qt::WindowState left : { Qt::WindowMaximized, Qt::WindowMinimized }) {
            frmSkin *skin = openPreview(m_skinDir->path());
            const QRect placed = skin->frame()->geometry();
            skin->frame()->setWindowState(left);
            QVERIFY(frmSkin::unload());
            const QWidget *next = openPreview(m_skinDir->path())->frame();
            QCOMPARE(int(next->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)), 0);
            QCOMPARE(next->geometry(), placed);
            QVERIFY(frmSkin::unload());
        }
    }

    void labelsTakeTheirTextsFromTheLanguageFile()
    {
        m_env.writeLanguage(
            "[TVX_Morvane]\r\nVersion=1\r\n[Skin]\r\n1=Versione\r\n3=Info film\r\n8=Testo\r\n");
        frmSkin *skin = openPreview(m_skinDir->path());
        QCOMPARE(skin->lblSkinText[0]->text(), QStringLiteral("Versione"));
        QCOMPARE(skin->lblSkinText[1]->text(), QStringLiteral("Movie Title"));
        QCOMPARE(skin->lblSkinText[2]->text(), QStringLiteral("Info film"));
        QCOMPARE(skin->lblSkinText[6]->text(), QStringLiteral("Status"));
        QCOMPARE(skin->lblSkinText[7]->text(), QStringLiteral("Testo"));
        closePreview();

        // Without the version gate every label has its built-in text.
        m_env.writeLanguage("[TVX_Morvane]\r\nVersion=0.9\r\n[Skin]\r\n1=Versione\r\n");
        skin = openPreview(m_skinDir->path());
        QCOMPARE(skin->lblSkinText[0]->text(), QStringLiteral("Version"));
        QCOMPARE(skin->lblSkinText[3]->text(), QStringLiteral("00:00:00 / 00:00:00"));
    }

    void backgroundColour()
    {
        const QColor start = frmSkin::DefaultBackColor();
        gBackColor = -1;
        frmSkin *skin = openPreview(m_skinDir->path());
        QCOMPARE(skin->pctBackground->backColor(), start);
        closePreview();

        gBackColor = 0xFFFFFF;
        skin = openPreview(m_skinDir->path());
        QCOMPARE(skin->pctBackground->backColor(), QColor(Qt::white));
        closePreview();

        gBackColor = 0;
        skin = openPreview(m_skinDir->path());
        QCOMPARE(skin->pctBackground->backColor(), QColor(Qt::black));

        // A colour value holds red in its low byte.
        gBackColor = 0x0000FF;
        skin->ApplyBackColor();
        QCOMPARE(skin->pctBackground->backColor(), QColor(255, 0, 0));
        gBackColor = -1;
        skin->ApplyBackColor();
        QCOMPARE(skin->pctBackground->backColor(), start);
    }

    void closingAnUnchangedSkinAsksNothing()
    {
        openPreview(m_skinDir->path());
        QVERIFY(frmSkin::unload());
        QCOMPARE(m_dialogs.count(), 0);
    }

    void saveQuestionCancelKeepsEverything()
    {
        frmSkin *skin = openPreview(m_skinDir->path());
        SetSkinChanged();
        m_dialogs.answerButton(dialogs::vbCancel);
        QVERIFY(!frmSkin::unload(vbFormControlMenu));
        QCOMPARE(frmSkin::loaded(), skin);
        QVERIFY(gSkinChanged);
        QVERIFY(skin->caption().startsWith(QLatin1Char('*')));
        QVERIFY(frmImagesToolBar::loaded());
        QVERIFY(!gSkinFile.isEmpty());

        QCOMPARE(m_dialogs.count(DialogRecorder::Kind::MessageBox), 1);
        QCOMPARE(m_dialogs.count(), 1);
        const DialogRecorder::Request &box = m_dialogs.at(0);
        QCOMPARE(box.prompt, QStringLiteral("The skin has been modified, do you want to save changes?"));
        QCOMPARE(box.title, QStringLiteral("Information"));
        QCOMPARE(box.style, int(dialogs::vbYesNoCancel | dialogs::vbInformation));
    }

    void saveQuestionNoDropsTheChanges()
    {
        frmSkin *skin = openPreview(m_skinDir->path());
        const QString file = gSkinFile;
        SetSkinChanged();
        QString lastCaption = skin->caption();
        connect(skin, &QWidget::windowTitleChanged, this, [&](const QString &title) { lastCaption = title; });
        m_dialogs.answerButton(dialogs::vbNo);
        QVERIFY(frmSkin::unload());
        QVERIFY(!frmSkin::loaded());
        QVERIFY(!gSkinChanged);
        QCOMPARE(lastCaption, file);
        QVERIFY(!QFile::exists(file));
    }

    void saveQuestionYesSavesThenCloses()
    {
        openPreview(m_skinDir->path());
        const QString file = gSkinFile;
        SetSkinChanged();
        m_dialogs.answerButton(dialogs::vbYes);
        QVERIFY(frmSkin::unload());
        QVERIFY(!frmSkin::loaded());
        QVERIFY(!gSkinChanged);
        QVERIFY(QFile::exists(file));
    }

    void saveQuestionYesWithAFailedSaveKeepsTheWindow()
    {
        frmSkin *skin = openPreview(m_skinDir->path());
        // A skin file that cannot be written: its name is taken by a folder.
        QVERIFY(QDir(m_skinDir->path()).mkdir(QStringLiteral("Skin.ini")));
        SetSkinChanged();
        m_dialogs.answerButton(dialogs::vbYes);
        QVERIFY(!frmSkin::unload(vbAppWindows));
        QCOMPARE(frmSkin::loaded(), skin);
        QVERIFY(gSkinChanged);
        QVERIFY(skin->caption().startsWith(QLatin1Char('*')));
        QVERIFY(frmImagesToolBar::loaded());
        QVERIFY(!gSkinFile.isEmpty());
        // The writer told the user why.
        QVERIFY(m_dialogs.count(DialogRecorder::Kind::MessageBox) >= 2);
    }

    void zeroHeightLeavesTheBackgroundAlone()
    {
        frmSkin *skin = openPreview(m_skinDir->path());
        skin->resize(300, 200);
        QCOMPARE(skin->pctBackground->size(), QSize(300, 200));
        skin->resize(300, 0);
        QCOMPARE(skin->pctBackground->size(), QSize(300, 200));
    }
};

QTEST_MAIN(tst_frmSkin)
#include "tst_frmSkin.moc"
