// The menus of the main window, written once: the table of their entries, from
// which the window creates its menus, connects their items to its commands,
// gives them their icons and translates their captions.
#include "core/frmMain.h"

#include "widgets/WindowTexts.h"
#include "widgets/MenuIcons.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace {

using enum frmMain::MenuIconTime;

// An item's icon: picture k of the menu bitmaps (bitmap 100 + k, 0 for none),
// and when the item takes it.
struct MenuIcon {
    int picture = 0;
    frmMain::MenuIconTime time = StartUp;
};

// One entry of the menu bar: a menu (a pop-up sits hidden in the bar, and who
// shows it pops it up), or an item of the menu above it: a command, a tool-window
// toggle or a separator. The window's member of the same name holds it.
struct MenuEntry {
    enum class Kind { Menu, Popup, Command, Toggle, Separator };

    Kind kind;
    const char *name;
    QMenu *frmMain::*menu;
    QAction *frmMain::*item;
    // Key n of the language file's "Menu" section, with built-in text 1000 + n;
    // 0 for a caption that no language changes.
    int captionKey;
    // A pop-up's fixed title (nullptr: none).
    const char *title;
    QKeyCombination shortcut;
    MenuIcon icon;
    void (frmMain::*handler)();
};

constexpr MenuEntry menu(QMenu *frmMain::*handle, const char *name, int captionKey)
{
    return { MenuEntry::Kind::Menu, name, handle, nullptr, captionKey, nullptr, {}, {}, nullptr };
}

constexpr MenuEntry popup(QMenu *frmMain::*handle, const char *name, const char *title)
{
    return { MenuEntry::Kind::Popup, name, handle, nullptr, 0, title, {}, {}, nullptr };
}

constexpr MenuEntry command(QAction *frmMain::*handle, const char *name, int captionKey,
    QKeyCombination shortcut, MenuIcon icon, void (frmMain::*handler)())
{
    return { MenuEntry::Kind::Command, name, nullptr, handle, captionKey, nullptr, shortcut, icon, handler };
}

constexpr MenuEntry toggle(QAction *frmMain::*handle, const char *name, int captionKey,
    QKeyCombination shortcut, void (frmMain::*handler)())
{
    return { MenuEntry::Kind::Toggle, name, nullptr, handle, captionKey, nullptr, shortcut, {}, handler };
}

constexpr MenuEntry separator(QAction *frmMain::*handle, const char *name)
{
    return { MenuEntry::Kind::Separator, name, nullptr, handle, 0, nullptr, {}, {}, nullptr };
}

constexpr QKeyCombination NoKey = Qt::Key_unknown;

// In the bar's order: File, View, Language, BackGround, Help and the two button
// pop-ups. Key 16 serves both Apply ZOrder items, which run the same command.
// The Language menu's list of language files follows its separator at run time.
// clang-format off
constexpr MenuEntry kMenuEntries[] = {
    menu     (&frmMain::mnuFile,                         "mnuFile",                          1),
    command  (&frmMain::mnuFileNew,                      "mnuFileNew",                       2, Qt::Key_F2,             { 1, StartUp },      &frmMain::mnuFileNew_Click),
    command  (&frmMain::mnuFileNewFS,                    "mnuFileNewFS",                     3, Qt::CTRL | Qt::Key_F2,  { 2, StartUp },      &frmMain::mnuFileNewFS_Click),
    command  (&frmMain::mnuFileOpen,                     "mnuFileOpen",                      4, Qt::Key_F3,             { 3, StartUp },      &frmMain::mnuFileOpen_Click),
    command  (&frmMain::mnuFileClose,                    "mnuFileClose",                     5, Qt::Key_F4,             { 4, StartUp },      &frmMain::mnuFileClose_Click),
    separator(&frmMain::mnuFileSep0,                     "mnuFileSep0"),
    command  (&frmMain::mnuFileSave,                     "mnuFileSave",                      6, Qt::Key_F5,             { 5, StartUp },      &frmMain::mnuFileSave_Click),
    separator(&frmMain::mnuFileSep1,                     "mnuFileSep1"),
    command  (&frmMain::mnuFileCreateTVK,                "mnuFileCreateTVK",                 7, Qt::Key_F11,            { 6, SkinOpens },    &frmMain::mnuFileCreateTVK_Click),
    command  (&frmMain::mnuFileTestSkin,                 "mnuFileTestSkin",                  8, Qt::CTRL | Qt::Key_F11, { 7, SkinOpens },    &frmMain::mnuFileTestSkin_Click),
    separator(&frmMain::mnuFileSep2,                     "mnuFileSep2"),
    command  (&frmMain::mnuFileExit,                     "mnuFileExit",                      9, NoKey,                  {},                  &frmMain::mnuFileExit_Click),

    menu     (&frmMain::mnuView,                         "mnuView",                         10),
    toggle   (&frmMain::mnuViewImagesTB,                 "mnuViewImagesTB",                 11, Qt::Key_F6,                                  &frmMain::mnuViewImagesTB_Click),
    toggle   (&frmMain::mnuViewDisplayTB,                "mnuViewDisplayTB",                12, Qt::Key_F7,                                  &frmMain::mnuViewDisplayTB_Click),
    toggle   (&frmMain::mnuViewTrackVolumeTB,            "mnuViewTrackVolumeTB",            13, Qt::Key_F8,                                  &frmMain::mnuViewTrackVolumeTB_Click),
    toggle   (&frmMain::mnuViewFullScreenTB,             "mnuViewFullScreenTB",             14, Qt::CTRL | Qt::Key_F8,                       &frmMain::mnuViewFullScreenTB_Click),
    separator(&frmMain::mnuViewSep0,                     "mnuViewSep0"),
    command  (&frmMain::mnuViewSkinFile,                 "mnuViewSkinFile",                 15, Qt::Key_F9,             { 8, SkinOpens },    &frmMain::mnuViewSkinFile_Click),
    command  (&frmMain::mnuViewApplyZOrder,              "mnuViewApplyZOrder",              16, Qt::CTRL | Qt::Key_F9,  { 9, SkinOpens },    &frmMain::mnuViewApplyZOrder_Click),

    menu     (&frmMain::mnuLanguage,                     "mnuLanguage",                     17),
    command  (&frmMain::mnuLanguageChoose,               "mnuLanguageChoose",               18, NoKey,                  { 10, StartUp },     nullptr),
    separator(&frmMain::mnuLanguageSep0,                 "mnuLanguageSep0"),

    popup    (&frmMain::mnuBackGround,                   "mnuBackGround",                   "BackgroundMenu"),
    command  (&frmMain::mnuBackGroundChoose,             "mnuBackGroundChoose",             29, NoKey,                  {},                  &frmMain::mnuBackGroundChoose_Click),
    command  (&frmMain::mnuBackGroundRestore,            "mnuBackGroundRestore",            30, NoKey,                  {},                  &frmMain::mnuBackGroundRestore_Click),

    menu     (&frmMain::mnuHelp,                         "mnuHelp",                         19),
    command  (&frmMain::mnuHelpGuide,                    "mnuHelpGuide",                    20, Qt::Key_F1,             { 11, StartUp },     &frmMain::mnuHelpGuide_Click),
    separator(&frmMain::mnuHelpSep0,                     "mnuHelpSep0"),
    command  (&frmMain::mnuHelpLicense,                  "mnuHelpLicense",                  21, Qt::CTRL | Qt::Key_F1,  { 12, StartUp },     &frmMain::mnuHelpLicense_Click),
    command  (&frmMain::mnuHelpAbout,                    "mnuHelpAbout",                    22, Qt::Key_F12,            { 13, StartUp },     &frmMain::mnuHelpAbout_Click),

    popup    (&frmMain::mnufmBtnRightClick,              "mnufmBtnRightClick",              "fmBtnRightClick"),
    command  (&frmMain::mnufmBtnRightClickMultilanguage, "mnufmBtnRightClickMultilanguage", 23, NoKey,                  {},                  &frmMain::mnufmBtnRightClickMultilanguage_Click),

    popup    (&frmMain::mnupctBtnRightClick,             "mnupctBtnRightClick",             nullptr),
    command  (&frmMain::mnupctBtnRightClickUP,           "mnupctBtnRightClickUP",           24, NoKey,                  { 14, ButtonPopup }, &frmMain::mnupctBtnRightClickUP_Click),
    command  (&frmMain::mnupctBtnRightClickDOWN,         "mnupctBtnRightClickDOWN",         25, NoKey,                  { 15, ButtonPopup }, &frmMain::mnupctBtnRightClickDOWN_Click),
    command  (&frmMain::mnupctBtnRightClickBOTTOM,       "mnupctBtnRightClickBOTTOM",       26, NoKey,                  { 16, ButtonPopup }, &frmMain::mnupctBtnRightClickBOTTOM_Click),
    command  (&frmMain::mnupctBtnRightClickREMOVE,       "mnupctBtnRightClickREMOVE",       27, NoKey,                  { 17, ButtonPopup }, &frmMain::mnupctBtnRightClickREMOVE_Click),
    command  (&frmMain::mnupctBtnRightClickCLEAR,        "mnupctBtnRightClickCLEAR",        28, NoKey,                  { 18, ButtonPopup }, &frmMain::mnupctBtnRightClickCLEAR_Click),
    command  (&frmMain::mnupctBtnRightClickSORT,         "mnupctBtnRightClickSORT",         16, NoKey,                  { 9, ButtonPopup },  &frmMain::mnupctBtnRightClickSORT_Click),
};
// clang-format on

} // namespace

void frmMain::createMenus()
{
    QMenu *current = nullptr;
    for (const MenuEntry &entry : kMenuEntries) {
        const QString name = QLatin1String(entry.name);
        switch (entry.kind) {
        case MenuEntry::Kind::Menu:
        case MenuEntry::Kind::Popup:
            current = new QMenu(this);
            current->setObjectName(name);
            menuBar()->addMenu(current);
            if (entry.kind == MenuEntry::Kind::Popup)
                current->menuAction()->setVisible(false);
            if (entry.title)
                current->setTitle(QLatin1String(entry.title));
            this->*entry.menu = current;
            break;
        case MenuEntry::Kind::Separator:
            this->*entry.item = current->addSeparator();
            (this->*entry.item)->setObjectName(name);
            break;
        case MenuEntry::Kind::Command:
        case MenuEntry::Kind::Toggle: {
            QAction *action = current->addAction(QString());
            action->setObjectName(name);
            if (entry.shortcut != NoKey) {
                action->setShortcut(QKeySequence(entry.shortcut));
                // The shortcuts work from every child window, as menu accelerators do.
                action->setShortcutContext(Qt::ApplicationShortcut);
            }
            if (entry.kind == MenuEntry::Kind::Toggle)
                action->setCheckable(true);
            this->*entry.item = action;
            break;
        }
        }
    }

    // One item per language file; the language list loads the elements past 0.
    mnuLanguageLng.setFactory(QStringLiteral("mnuLanguageLng"), [this](int index) {
        auto *item = new QAction(mnuLanguage);
        item->setCheckable(true);
        item->setVisible(false);
        mnuLanguage->addAction(item);
        connect(item, &QAction::triggered, this, [this, index] { mnuLanguageLng_Click(index); });
        return item;
    });
    mnuLanguageLng.load(0);
}

void frmMain::connectMenus()
{
    for (const MenuEntry &entry : kMenuEntries) {
        if (!entry.handler)
            continue;
        QAction *item = this->*entry.item;
        if (entry.kind != MenuEntry::Kind::Toggle) {
            connect(item, &QAction::triggered, this, entry.handler);
            continue;
        }
        // A tool-window toggle inverts its own check mark (other windows call it
        // too), so the mark Qt has already inverted on a menu click is put back first.
        connect(item, &QAction::triggered, this, [this, item, handler = entry.handler](bool checked) {
            item->setChecked(!checked);
            (this->*handler)();
        });
    }
}

void frmMain::setMenuIcons(MenuIconTime time)
{
    for (const MenuEntry &entry : kMenuEntries) {
        if (entry.icon.picture != 0 && entry.icon.time == time)
            SetMenuItemIcon(this->*entry.item, entry.icon.picture);
    }
}

void frmMain::applyMenuTexts(const LangReader &lang)
{
    const WindowTexts texts(lang, "Menu");
    for (const MenuEntry &entry : kMenuEntries) {
        if (entry.captionKey == 0)
            continue;
        QObject *target = entry.menu ? static_cast<QObject *>(this->*entry.menu) : this->*entry.item;
        texts.caption(target, entry.captionKey, 1000 + entry.captionKey);
    }
}
