#pragma once
#include <string>
#include <vector>

namespace qm {

// The owner-drawn menus: which exist, and what each holds.
// The pop-ups in the main frame's order, then the two bars.
enum class MenuName {
    FileNoDocument,
    FileDocument,
    NewFile,
    WizardFiles,
    QuickScripts,
    RecentFiles,
    Edit,
    EditorContext,
    View,
    Project,
    Tools,
    HelpfulLinks,
    EditDataFiles,
    Window,
    Help,
    BarContext,
    LabelsBar,
    NoDocumentBar,
    DocumentBar,
};
inline constexpr int kIconMenuCount = 17;
inline constexpr int kTopMenuCount = 2;
// Index into the frame's pop-ups (0-16) or bars (0 no-document, 1 document).
int IconMenuIndex(MenuName name);
int TopMenuIndex(MenuName name);
bool IsBar(MenuName name);

struct MenuEntry {
    enum Kind { Item, Separator, Popup };
    Kind kind = Item;
    int commandId = 0;  // 0 for separators and pop-ups
    int pictureId = 0;  // 0 = no picture
    std::string caption;
    MenuName popup = MenuName::NewFile;  // the pop-up a Popup entry opens

    bool operator==(const MenuEntry&) const = default;
};

struct MenuPlan {
    MenuName name;
    int barPicture = 0;  // bars only: the picture of their first item, 0 for none
    std::vector<MenuEntry> entries;
};

struct CustomMenuOptions {
    int mrus = 6;
    int showUsers = 1;
    std::string openMissionsText;  // empty when no player name was found
    std::string saveInMissionsText;
};

// All 19 menus in the order they are built (pop-ups before the menus that hold them).
// Quick Scripts, Recent Files and Window are listed empty: they are filled when shown.
std::vector<MenuPlan> CustomMenuPlan(const CustomMenuOptions& options);

// The fixed entries of the lists refilled while the program runs: entry i has the first id + i.
inline constexpr int kRecentFilePicture = 181;
inline constexpr int kQuickScriptPicture = 182;
inline constexpr int kFirstRecentFileCommand = 1303;   // 16 recent files
inline constexpr int kFirstWindowCommand = 1324;       // 24 document windows
inline constexpr int kFirstQuickScriptCommand = 1354;  // 11 quick scripts (ids up to 1369 reserved)
// The Window menu's ids for the standard window commands.
inline constexpr int kNewWindowCommand = 1319;
inline constexpr int kCascadeCommand = 1320;
inline constexpr int kTileHorizontallyCommand = 1321;
inline constexpr int kTileVerticallyCommand = 1322;
inline constexpr int kArrangeIconsCommand = 1323;
// After the quick scripts: a separator, Add Quick Script, Add Current Active File, Delete Quick Scripts.
std::vector<MenuEntry> QuickScriptsTail();
// The Window menu before the window entries: New Window to Arrange Icons, Next, "Prevoius".
std::vector<MenuEntry> WindowMenuHead();

}  // namespace qm
