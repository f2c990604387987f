#include "ui/menus/custommenus.h"

#include <QAction>
#include <QDebug>
#include <QSet>

#include "core/menus/custommenus.h"
#include "ui/frames/commandids.h"
#include "ui/frames/mainfrm.h"
#include "ui/menus/iconmenu.h"
#include "ui/menus/menustyle.h"

namespace qm {

namespace {
// The standard menus' captions give the custom pop-ups their mnemonic letters.
QString StandardPopupCaption(const CMainFrame& main, MenuName name) {
    const char* key = nullptr;
    switch (name) {
        case MenuName::FileNoDocument:
        case MenuName::FileDocument: key = "File (document)"; break;
        case MenuName::NewFile: key = "New File"; break;
        case MenuName::WizardFiles: key = "Wizard Created File"; break;
        case MenuName::Edit: key = "Edit"; break;
        case MenuName::View: key = "View"; break;
        case MenuName::Tools: key = "Tools"; break;
        case MenuName::HelpfulLinks: key = "Helpful Links"; break;
        case MenuName::EditDataFiles: key = "Edit Data Files"; break;
        case MenuName::Window: key = "Window"; break;
        case MenuName::Help: key = "Help"; break;
        default: return {};
    }
    QMenu* m = main.PopupMenu(QString::fromLatin1(key));
    return m ? m->title() : QString();
}

// The custom Window menu's arrangement commands are the standard ones under ids of their own.
QAction* CommandAction(const CMainFrame& main, int id) {
    if (QAction* a = main.Action(id)) return a;
    switch (id) {
        case kNewWindowCommand: return main.Action(ID_WINDOW_NEW);
        case kCascadeCommand: return main.Action(ID_WINDOW_CASCADE);
        case kTileHorizontallyCommand: return main.Action(ID_WINDOW_TILE_HORZ);
        case kTileVerticallyCommand: return main.Action(ID_WINDOW_TILE_VERT);
        case kArrangeIconsCommand: return main.Action(ID_WINDOW_ARRANGE);
        default: return nullptr;
    }
}

void AppendEntries(CMainFrame& main, CIconMenu& menu, const std::vector<MenuEntry>& entries) {
    for (const MenuEntry& e : entries) {
        if (e.kind == MenuEntry::Separator) {
            menu.AppendIconItem(0, 0, QString());
        } else if (e.kind == MenuEntry::Popup) {
            CIconMenu* popup = main.m_iconMenus[IconMenuIndex(e.popup)];
            menu.AppendPopup(popup, QString::fromStdString(e.caption), StandardPopupCaption(main, e.popup));
        } else {
            const QString caption = QString::fromStdString(e.caption);
            QAction* action = CommandAction(main, e.commandId);
            static QSet<int> told;  // each missing command is named once
            if (!action && !told.contains(e.commandId) && (told.insert(e.commandId), true))
                qDebug().noquote() << QStringLiteral("Custom menus: command %1 (%2) has no handler yet; shown disabled.")
                                          .arg(e.commandId)
                                          .arg(caption.section(QLatin1Char('\t'), 0, 0));
            menu.AppendIconItem(e.commandId, e.pictureId, caption, action, action ? action->text() : QString());
        }
    }
}
}  // namespace

bool BuildCustomMenus(CMainFrame& main) {
    main.m_menuStyle = CMenuStyle::Instance();
    CustomMenuOptions options;
    options.mrus = main.m_mrus;
    options.showUsers = main.m_showUsers;
    options.openMissionsText = main.m_openMissionsText.toStdString();
    options.saveInMissionsText = main.m_saveInMissionsText.toStdString();

    for (const MenuPlan& plan : CustomMenuPlan(options)) {
        if (IsBar(plan.name)) {
            auto* bar = new CTopMenu(&main);
            bar->setStyle(main.m_menuStyle);
            if (!bar->Create(&main.m_menuFont, plan.barPicture)) return false;
            bar->hide();
            main.m_topMenus[TopMenuIndex(plan.name)] = bar;
            for (const MenuEntry& e : plan.entries)
                bar->AppendPopup(main.m_iconMenus[IconMenuIndex(e.popup)], QString::fromStdString(e.caption),
                                 StandardPopupCaption(main, e.popup));
            continue;
        }
        auto* menu = new CIconMenu(&main);
        menu->setStyle(main.m_menuStyle);
        if (!menu->Create(&main.m_menuFont)) return false;
        main.m_iconMenus[IconMenuIndex(plan.name)] = menu;
        // Check marks and enabled states are brought up to date before any of them shows.
        QObject::connect(menu, &QMenu::aboutToShow, &main, [&main] { main.UpdateCommandStates(); });
        AppendEntries(main, *menu, plan.entries);
    }
    RefillQuickScriptsMenu(main);
    RefillRecentFilesMenu(main);
    RefillWindowMenu(main);
    // The lists follow the program whenever a menu of the bars opens.
    QSet<QMenu*> barMenus;  // View, Project, Tools and Help hang in both bars
    for (CTopMenu* bar : main.m_topMenus)
        for (QAction* a : bar->actions())
            if (a->menu()) barMenus.insert(a->menu());
    for (QMenu* m : std::as_const(barMenus))
        QObject::connect(m, &QMenu::aboutToShow, &main, [&main] {
            RefillRecentFilesMenu(main);
            RefillWindowMenu(main);
        });
    return true;
}

void RefillQuickScriptsMenu(CMainFrame& main) {
    CIconMenu* menu = main.m_iconMenus[IconMenuIndex(MenuName::QuickScripts)];
    if (!menu) return;
    menu->RemoveAllItems();
    main.AppendQuickScriptItems(*menu);
    AppendEntries(main, *menu, QuickScriptsTail());
}

void RefillRecentFilesMenu(CMainFrame& main) {
    CIconMenu* menu = main.m_iconMenus[IconMenuIndex(MenuName::RecentFiles)];
    if (!menu) return;
    menu->RemoveAllItems();
    main.AppendRecentFileItems(*menu);
}

void RefillWindowMenu(CMainFrame& main) {
    CIconMenu* menu = main.m_iconMenus[IconMenuIndex(MenuName::Window)];
    if (!menu) return;
    menu->RemoveAllItems();
    AppendEntries(main, *menu, WindowMenuHead());
    main.AppendWindowItems(*menu);
}

}  // namespace qm
