#include "skin/Module.h"
#include "core/frmMain.h"
#include "preview/frmSkin.h"
#include "editors/buttons/frmImagesToolBar.h"
#include "editors/display_bars/frmDisplayToolBar.h"
#include "editors/display_bars/frmTrackVolumeToolBar.h"
#include "editors/fullscreen/frmFullScreenToolBar.h"
#include "core/ApplyLanguage.h"
#include "archive/frmTVKCreation.h"
#include "archive/frmTVKExtraction.h"
#include "editors/ToolWindows.h"
#include "editors/buttons/frmMultilanguageButtons.h"
#include "lang/Locale.h"
#include "resources/BuiltinTexts.h"
#include "support/MainWindowFixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QtTest>

#include <memory>

// Applying a language to the running program, and the English language file
// that ships with it.
class tst_ApplyLanguage : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void withoutSkinOnlyMenusStringsAndMessagesChange();
    void builtinTextsWhenNoLanguageIsChosen();
    void failedGateLeavesEveryMenuBuiltin();
    void withSkinThePreviewLabelsTakeTextAndLayout();
    void hugeSkinValuesAreKeptWithinWidgetLimits();
    void onlyTheToolWindowsOfTheOpenSkinsKindChange();
    void englishFileMirrorsTheBuiltinTable();
    void englishFileIsAPlainCrlfFileWithEveryKeyOnce();
    void everyTextOfAWindowComesFromItsKey_data();
    void everyTextOfAWindowComesFromItsKey();

private:
    // The keys n whose value "M<n>" some menu item of the main window shows.
    static QSet<int> keysShown(frmMain *main);
    static QString caption(QObject *item);
    frmSkin *openPreview(bool fullScreen);

    MainWindowFixture m_env;
    frmMain *m_main = nullptr;
};

namespace {

// The section and key of every built-in text, by the numbering of the language
// file: a key's number is the block base plus its place in the section's list.
QList<std::tuple<int, QString, QString>> everyKey()
{
    QList<std::tuple<int, QString, QString>> all;
    auto plain = [&all](int base, const char *section, int count) {
        for (int n = 1; n <= count; ++n)
            all.append({ base + n, QString::fromLatin1(section), QString::number(n) });
    };
    auto listed = [&all](int base, const char *section, const QStringList &keys) {
        for (int k = 0; k < keys.size(); ++k)
            all.append({ base + k + 1, QString::fromLatin1(section), keys.at(k) });
    };
    plain(1000, "Menu", 30);
    plain(2000, "About", 6);
    plain(3000, "Actions", 123);
    plain(4000, "Skin", 8);
    plain(5000, "Images", 29);
    QStringList display = { "1", "2", "3", "4_T", "5", "5_T", "6", "6_T" };
    for (int n = 7; n <= 38; ++n)
        display.append(QString::number(n));
    listed(6000, "Display", display);
    plain(7000, "Bars", 24);
    plain(8000, "FullScreen", 70);
    plain(9000, "Multilanguage", 12);
    listed(10000, "TVK_Extract", { "1", "2", "3", "4", "5", "5_T", "6", "6_T", "7" });
    listed(11000, "TVK_Create", { "1", "2", "2_T", "3_T", "4", "5", "6", "7", "8" });
    plain(12000, "Strings", 12);
    QStringList messages;
    const QList<int> onePart = { 10, 11, 12, 16, 17, 18, 19, 20, 21, 23, 25, 28, 31, 33, 35, 36, 41, 42, 45,
        46, 47, 48, 50, 51, 52, 54, 55, 56, 60 };
    for (int n = 1; n <= 78; ++n) {
        const QString key = QString::number(n);
        messages.append(key);
        const int parts = onePart.contains(n) ? 1 : (n == 22 || n == 24) ? 2 : n == 57 ? 3 : 0;
        for (int p = 1; p <= parts; ++p)
            messages.append(key + QLatin1Char('_') + QString::number(p));
    }
    listed(13000, "Messages", messages);
    return all;
}

// The keys and values of every section of the English language file, in file order.
QList<std::pair<QString, QList<std::pair<QString, QString>>>> englishSections()
{
    QList<std::pair<QString, QList<std::pair<QString, QString>>>> sections;
    QFile file(QFINDTESTDATA("../../Lang/English.lng"));
    if (!file.open(QIODevice::ReadOnly))
        return sections;
    for (const QByteArray &line : file.readAll().split('\n')) {
        const QString text = QString::fromLatin1(line).trimmed();
        const int eq = text.indexOf(QLatin1Char('='));
        if (text.startsWith(QLatin1Char('[')))
            sections.append({ text.mid(1, text.indexOf(QLatin1Char(']')) - 1), {} });
        else if (eq > 0 && !sections.isEmpty())
            sections.last().second.append({ text.left(eq), text.mid(eq + 1) });
    }
    return sections;
}

// A text as a control without an access key shows it: the markers go, "&&" stays "&".
QString withoutMarkers(QString text)
{
    text.replace(QLatin1String("&&"), QLatin1String("\x01"));
    text.remove(QLatin1Char('&'));
    return text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
}

// Every text a window shows, by a name of the place that shows it: an object's
// name, its ordinal among objects of that name, and the property.
QMap<QString, QString> textsShown(QWidget *window)
{
    QMap<QString, QString> shown;
    QHash<QString, int> ordinals;
    QList<QObject *> objects { window };
    objects += window->findChildren<QObject *>();
    for (QObject *object : objects) {
        const QString place
            = object->objectName() + QLatin1Char('#') + QString::number(ordinals[object->objectName()]++);
        auto put = [&](const char *property, const QString &text) {
            if (!text.isEmpty())
                shown.insert(place + QLatin1Char('.') + QLatin1String(property), text);
        };
        if (auto *action = qobject_cast<QAction *>(object)) {
            put("text", action->text());
            put("toolTip",
                action->toolTip() == QString(action->text()).remove(QLatin1Char('&')) ? QString()
                                                                                      : action->toolTip());
            continue;
        }
        auto *widget = qobject_cast<QWidget *>(object);
        if (!widget)
            continue;
        // A tooltip that shows a cut-off caption whole repeats it: no text of its own.
        QString tip = widget->toolTip();
        const auto *button = qobject_cast<QAbstractButton *>(widget);
        const auto *label = qobject_cast<QLabel *>(widget);
        const QString caption = withoutMarkers(button ? button->text() : label ? label->text() : QString());
        if (!caption.isEmpty() && (tip == caption || tip.startsWith(caption + QLatin1Char('\n'))))
            tip = tip.mid(caption.size() + 1);
        put("toolTip", tip);
        if (widget == window)
            put("title", window->windowTitle());
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            put("text", button->text());
        else if (auto *label = qobject_cast<QLabel *>(widget))
            put("text", label->text());
        else if (auto *group = qobject_cast<QGroupBox *>(widget))
            put("text", group->title());
        else if (auto *box = qobject_cast<QComboBox *>(widget))
            for (int i = 0; i < box->count(); ++i)
                shown.insert(place + QStringLiteral(".entry") + QString::number(i), box->itemText(i));
    }
    return shown;
}

} // namespace

void tst_ApplyLanguage::init()
{
    QVERIFY(m_env.isValid());
    m_main = m_env.open();
    gMessages.fill(QString());
    gUIStrings.fill(QString());
}

void tst_ApplyLanguage::cleanup()
{
    m_env.finish();
    m_main = nullptr;
}

QSet<int> tst_ApplyLanguage::keysShown(frmMain *main)
{
    QSet<int> keys;
    for (QAction *action : main->findChildren<QAction *>()) {
        const QString text = action->text();
        if (text.startsWith(QLatin1Char('M')) && text.mid(1).toInt() > 0)
            keys.insert(text.mid(1).toInt());
    }
    return keys;
}

QString tst_ApplyLanguage::caption(QObject *item)
{
    if (auto *menu = qobject_cast<QMenu *>(item))
        return menu->title();
    return qobject_cast<QAction *>(item)->text();
}

void tst_ApplyLanguage::withoutSkinOnlyMenusStringsAndMessagesChange()
{
    QByteArray content = "[TVX_Morvane]\nVersion=1\n[Menu]\n";
    for (int n = 1; n <= 31; ++n)
        content += QByteArray::number(n) + "=M" + QByteArray::number(n) + "\n";
    content.replace("7=M7\n", "7=\n");
    content += "[Strings]\n1=&Va bene\n12=Police :\n[Messages]\n1=Bienvenue\n"
               "[Skin]\n1=Fassung\n[Actions]\n21=Abspielen\n[Images]\n1=Bilder\n";
    QVERIFY(m_env.home.writeLanguage(QStringLiteral("Test.lng"), content));

    // Items the language never names keep what they show.
    m_main->mnuBackGround->setTitle(QStringLiteral("BackgroundMenu"));
    m_main->mnuFileSep0->setText(QStringLiteral("-"));
    m_main->mnuLanguageSep0->setText(QStringLiteral("-"));

    gUILanguage = QStringLiteral("Test");
    ApplyLanguage();

    // Every key of the menu section lands on an item; an empty value keeps the built-in text.
    QSet<int> expected;
    for (int n = 1; n <= 30; ++n)
        expected.insert(n);
    expected.remove(7);
    QCOMPARE(keysShown(m_main), expected);
    QCOMPARE(m_main->mnuFileCreateTVK->text(), QStringLiteral("Create &TVK from this skin"));
    QCOMPARE(m_main->mnupctBtnRightClickSORT->text(), QStringLiteral("M16"));
    QCOMPARE(m_main->mnuBackGround->title(), QStringLiteral("BackgroundMenu"));
    QCOMPARE(m_main->mnuFileSep0->text(), QStringLiteral("-"));
    QCOMPARE(m_main->mnuLanguageSep0->text(), QStringLiteral("-"));

    QCOMPARE(gUIStrings[0], QStringLiteral("&Va bene"));
    QCOMPARE(gUIStrings[1], QStringLiteral("&Cancel"));
    QCOMPARE(gUIStrings[11], QStringLiteral("Police :"));
    QCOMPARE(gMessages[0], QStringLiteral("Bienvenue"));
    QCOMPARE(gMessages[1], QStringLiteral("Information"));

    // No skin is open: the preview and the tool windows are neither made nor touched.
    QVERIFY(!frmSkin::loaded());
    QVERIFY(!frmImagesToolBar::loaded());
    QVERIFY(!frmDisplayToolBar::loaded());
    QVERIFY(!frmTrackVolumeToolBar::loaded());
    QVERIFY(!frmFullScreenToolBar::loaded());
    QCOMPARE(gUILanguage, QStringLiteral("Test"));
}

void tst_ApplyLanguage::builtinTextsWhenNoLanguageIsChosen()
{
    QVERIFY(m_env.home.writeLanguage(
        QStringLiteral(".lng"), "[TVX_Morvane]\nVersion=1\n[Menu]\n1=Wrong\n[Strings]\n1=Wrong\n"));
    ApplyLanguage();
    for (QAction *action : m_main->findChildren<QAction *>())
        QVERIFY(action->text() != QStringLiteral("Wrong"));
    QCOMPARE(m_main->mnuFile->title(), LoadResString(1001));
    for (int k = 0; k < 12; ++k)
        QCOMPARE(gUIStrings[k], LoadResString(12001 + k));
    for (int k = 0; k < 114; ++k)
        QCOMPARE(gMessages[k], LoadResString(13001 + k));
}

void tst_ApplyLanguage::failedGateLeavesEveryMenuBuiltin()
{
    QVERIFY(m_env.home.writeLanguage(
        QStringLiteral("Old.lng"), "[TVX_Morvane]\nVersion=0.9\n[Menu]\n1=Datei\n[Strings]\n1=OK!\n"));
    gUILanguage = QStringLiteral("Old");
    m_main->mnuFile->setTitle(QStringLiteral("stale"));
    ApplyLanguage();
    QCOMPARE(m_main->mnuFile->title(), QStringLiteral("&File"));
    QCOMPARE(m_main->mnuViewDisplayTB->text(), QStringLiteral("&Display && GUI ToolBar"));
    QCOMPARE(gUIStrings[0], QStringLiteral("&OK"));

    // Switching back to the built-in texts restores every item.
    QVERIFY(
        m_env.home.writeLanguage(QStringLiteral("New.lng"), "[TVX_Morvane]\nVersion=1\n[Menu]\n1=Datei\n"));
    gUILanguage = QStringLiteral("New");
    ApplyLanguage();
    QCOMPARE(m_main->mnuFile->title(), QStringLiteral("Datei"));
    gUILanguage.clear();
    ApplyLanguage();
    QCOMPARE(m_main->mnuFile->title(), QStringLiteral("&File"));
}

frmSkin *tst_ApplyLanguage::openPreview(bool fullScreen)
{
    gSkinFile
        = m_env.home.path() + (fullScreen ? QStringLiteral("/Skinfs.ini") : QStringLiteral("/Skin.ini"));
    gSkinFolder = m_env.home.path() + QLatin1Char('/');
    gFullScreenSkin = fullScreen;
    frmSkin *preview = frmSkin::get();
    for (int i = 0; i < 8; ++i)
        if (!preview->lblSkinText.at(i))
            preview->lblSkinText.insert(i, new QLabel(preview));
    for (DisplayRec &display : gDisplays) {
        display.DspMaxWidth = 0;
        display.DspX = 0;
    }
    gSkinChanged = false;
    return preview;
}

void tst_ApplyLanguage::withSkinThePreviewLabelsTakeTextAndLayout()
{
    QVERIFY(m_env.home.writeLanguage(
        QStringLiteral("Test.lng"), "[TVX_Morvane]\nVersion=1\n[Skin]\n2=Filmtitel\n8=Statustext\n"));
    frmSkin *preview = openPreview(false);
    gZoom = 2;
    gDisplays[1].DspMaxWidth = 40;
    gDisplays[7].DspX = 33;
    gDisplays[0].DspMaxWidth = -5;
    QLabel *version = preview->lblSkinText.at(0);
    QLabel *title = preview->lblSkinText.at(1);
    QLabel *status = preview->lblSkinText.at(7);
    version->setFrameShape(QFrame::Box);
    version->resize(300, version->height());
    status->move(5, 17);

    gUILanguage = QStringLiteral("Test");
    ApplyLanguage();

    QCOMPARE(title->text(), QStringLiteral("Filmtitel"));
    QCOMPARE(title->frameShape(), QFrame::Box);
    QCOMPARE(title->width(), 80); // 40 skin pixels at zoom 2
    QCOMPARE(version->text(), QStringLiteral("Version"));
    QCOMPARE(version->frameShape(), QFrame::NoFrame);
    QCOMPARE(version->size(), version->sizeHint());
    QCOMPARE(status->text(), QStringLiteral("Statustext"));
    QCOMPARE(status->pos(), QPoint(66, 17));
    QVERIFY(!frmFullScreenToolBar::loaded());
    QVERIFY(!gSkinChanged);

    // The same run again leaves the same texts and layout.
    ApplyLanguage();
    QCOMPARE(title->width(), 80);
    QCOMPARE(status->pos(), QPoint(66, 17));

    frmSkin::unload();
    QVERIFY(!frmSkin::loaded());
}

void tst_ApplyLanguage::hugeSkinValuesAreKeptWithinWidgetLimits()
{
    frmSkin *preview = openPreview(true);
    gZoom = 2;
    gDisplays[2].DspMaxWidth = 2000000000; // twice this overflows 32 bits
    gDisplays[7].DspX = -2000000000;
    ApplyLanguage();
    QCOMPARE(preview->lblSkinText.at(2)->width(), QWIDGETSIZE_MAX);
    QVERIFY(preview->lblSkinText.at(7)->x() <= -1000000);
    QVERIFY(!frmImagesToolBar::loaded());
    frmSkin::unload();
}

void tst_ApplyLanguage::onlyTheToolWindowsOfTheOpenSkinsKindChange()
{
    openPreview(false);
    frmDisplayToolBar *display = frmDisplayToolBar::get();
    frmTrackVolumeToolBar *bars = frmTrackVolumeToolBar::get();
    QVERIFY(m_env.home.writeLanguage(
        QStringLiteral("One.lng"), "[TVX_Morvane]\nVersion=1\n[Display]\n1=Anzeige\n[Bars]\n1=Leisten\n"));
    gUILanguage = QStringLiteral("One");
    ApplyLanguage();
    QCOMPARE(display->caption(), QStringLiteral("Anzeige"));
    QCOMPARE(bars->caption(), QStringLiteral("Leisten"));
    QVERIFY(!frmFullScreenToolBar::loaded());

    // A full-screen skin: the window-skin tool windows are left alone.
    QVERIFY(m_env.home.writeLanguage(
        QStringLiteral("Two.lng"), "[TVX_Morvane]\nVersion=1\n[Display]\n1=Zwei\n[Bars]\n1=Zwei\n"));
    gUILanguage = QStringLiteral("Two");
    gFullScreenSkin = true;
    ApplyLanguage();
    QCOMPARE(display->caption(), QStringLiteral("Anzeige"));
    QCOMPARE(bars->caption(), QStringLiteral("Leisten"));
    QVERIFY(!frmFullScreenToolBar::loaded());

    // No skin: nothing but the menus, the strings and the messages.
    gFullScreenSkin = false;
    gSkinFile.clear();
    ApplyLanguage();
    QCOMPARE(display->caption(), QStringLiteral("Anzeige"));

    frmDisplayToolBar::unload();
    frmTrackVolumeToolBar::unload();
    frmImagesToolBar::unload();
}

void tst_ApplyLanguage::englishFileMirrorsTheBuiltinTable()
{
    const QString source = QFINDTESTDATA("../../Lang/English.lng");
    QVERIFY(!source.isEmpty());
    QVERIFY(QFile::copy(source, m_env.home.langFolder() + QStringLiteral("English.lng")));
    gUILanguage = QStringLiteral("English");
    const LangReader lang;
    QVERIFY(lang.gatePassed());
    QCOMPARE(ReadIni(QStringLiteral("TVX_Morvane"), QStringLiteral("Version"), lang.path()),
        QStringLiteral("1.00"));

    const auto keys = everyKey();
    QCOMPARE(keys.size(), 486);
    for (const auto &[id, section, key] : keys) {
        // Each key is read on its own: a built-in fallback would hide a missing key.
        const QString value = ReadIni(section, key, lang.path());
        QVERIFY2(value == LoadResString(id),
            qPrintable(QStringLiteral("[%1] %2 (%3): \"%4\"").arg(section, key).arg(id).arg(value)));
    }
}

void tst_ApplyLanguage::englishFileIsAPlainCrlfFileWithEveryKeyOnce()
{
    QFile file(QFINDTESTDATA("../../Lang/English.lng"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.endsWith("\r\n"));
    QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
    for (char c : bytes)
        QVERIFY(c == '\r' || c == '\n' || (c >= 0x20 && c < 0x7F));

    QString section;
    QSet<QString> seen;
    for (const QByteArray &line : bytes.split('\n')) {
        const QString text = QString::fromLatin1(line).trimmed();
        if (text.startsWith(QLatin1Char('['))) {
            section = text.mid(1, text.indexOf(QLatin1Char(']')) - 1);
            continue;
        }
        const int eq = text.indexOf(QLatin1Char('='));
        if (text.isEmpty() || text.startsWith(QLatin1Char(';')) || eq < 0)
            continue;
        const QString entry = section.toLower() + QLatin1Char('/') + text.left(eq).toLower();
        QVERIFY2(!seen.contains(entry), qPrintable(entry));
        seen.insert(entry);
    }
    QCOMPARE(seen.size(), 486 + 1);
    QVERIFY(seen.contains(QStringLiteral("tvx_morvane/version")));
}

void tst_ApplyLanguage::everyTextOfAWindowComesFromItsKey_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("sections");
    // clang-format off
    QTest::newRow("Images")        << "Images"        << QStringList { "Images", "Actions" };
    QTest::newRow("Display")       << "Display"       << QStringList { "Display" };
    QTest::newRow("Bars")          << "Bars"          << QStringList { "Bars" };
    QTest::newRow("FullScreen")    << "FullScreen"    << QStringList { "FullScreen", "Actions" };
    QTest::newRow("Multilanguage") << "Multilanguage" << QStringList { "Multilanguage" };
    QTest::newRow("TVK_Extract")   << "TVK_Extract"   << QStringList { "TVK_Extract" };
    QTest::newRow("TVK_Create")    << "TVK_Create"    << QStringList { "TVK_Create" };
    // clang-format on
}

// A language file whose every value names its own section and key: each text
// of the window is one of them (no built-in text is left), every key of the
// window's sections is shown, and without the file the same place shows the
// English file's value of that key (the key and the built-in text agree).
void tst_ApplyLanguage::everyTextOfAWindowComesFromItsKey()
{
    QFETCH(QString, window);
    QFETCH(QStringList, sections);
    const auto english = englishSections();
    QVERIFY(!english.isEmpty());
    QByteArray file = "[TVX_Morvane]\nVersion=1\n";
    QHash<QString, QString> builtin; // "Section.key" -> English value
    for (const auto &[section, entries] : english) {
        if (section == QLatin1String("TVX_Morvane"))
            continue;
        file += "[" + section.toLatin1() + "]\n";
        for (const auto &[key, value] : entries) {
            const QString name = section + QLatin1Char('.') + key;
            file += key.toLatin1() + "=" + name.toLatin1() + "\n";
            builtin.insert(name, value);
        }
    }
    QVERIFY(m_env.home.writeLanguage(QStringLiteral("Self.lng"), file));

    const ToolWindowId ids[] = { ToolWindowId::Images, ToolWindowId::Display, ToolWindowId::TrackVolume,
        ToolWindowId::FullScreen };
    const QStringList toolWindows = { "Images", "Display", "Bars", "FullScreen" };
    const int tool = toolWindows.indexOf(window);
    std::function<QMap<QString, QString>()> open;
    std::unique_ptr<QWidget> dialog;
    if (tool >= 0) {
        openPreview(tool == 3);
        open = [&] {
            ApplyLanguage();
            return textsShown(toolwindows::get(ids[tool]));
        };
    } else {
        open = [&] {
            ApplyLanguage();
            dialog.reset();
            if (window == QLatin1String("Multilanguage"))
                dialog = std::make_unique<frmMultilanguageButtons>(m_main);
            else if (window == QLatin1String("TVK_Extract"))
                dialog = std::make_unique<frmTVKExtraction>(m_main);
            else
                dialog = std::make_unique<frmTVKCreation>(m_main);
            return textsShown(dialog.get());
        };
    }

    gUILanguage = QStringLiteral("Self");
    const QMap<QString, QString> named = open();
    QSet<QString> keysShown;
    QStringList problems;
    for (auto it = named.cbegin(); it != named.cend(); ++it) {
        // A number or a sample value the window fills in itself is no text of the language.
        const QString text = withoutMarkers(it.value());
        if (builtin.contains(text))
            keysShown.insert(text);
        else if (builtin.values().contains(it.value()) && it.value().size() > 1)
            problems.append(it.key() + QStringLiteral(": built-in \"") + it.value() + QLatin1Char('"'));
    }
    for (const QString &section : sections) {
        for (const auto &[name, entries] : english) {
            if (name != section)
                continue;
            for (const auto &[key, value] : entries) {
                if (!keysShown.contains(section + QLatin1Char('.') + key))
                    problems.append(section + QLatin1Char('.') + key + QStringLiteral(" not shown"));
            }
        }
    }

    gUILanguage.clear();
    const QMap<QString, QString> plain = open();
    for (auto it = named.cbegin(); it != named.cend(); ++it) {
        const QString name = withoutMarkers(it.value());
        const QString shown = plain.value(it.key());
        const QString value = builtin.value(name);
        if (builtin.contains(name) && shown != value && shown != withoutMarkers(value))
            problems.append(it.key() + QStringLiteral(" shows \"") + plain.value(it.key())
                + QStringLiteral("\" for ") + name);
    }
    dialog.reset();
    toolwindows::unloadAll();
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
}

QTEST_MAIN(tst_ApplyLanguage)
#include "tst_ApplyLanguage.moc"
