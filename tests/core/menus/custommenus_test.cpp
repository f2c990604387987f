#include "core/menus/custommenus.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace qm;

namespace {
const MenuPlan& Find(const std::vector<MenuPlan>& plan, MenuName name) {
    const auto it = std::find_if(plan.begin(), plan.end(), [name](const MenuPlan& p) { return p.name == name; });
    if (it == plan.end()) throw std::runtime_error("menu missing");
    return *it;
}
// "id/picture/caption" per item, "-" per separator, ">caption" per pop-up.
std::vector<std::string> Texts(const MenuPlan& p) {
    std::vector<std::string> out;
    for (const MenuEntry& e : p.entries) {
        if (e.kind == MenuEntry::Separator) out.push_back("-");
        else if (e.kind == MenuEntry::Popup) out.push_back(">" + e.caption);
        else out.push_back(std::to_string(e.commandId) + "/" + std::to_string(e.pictureId) + "/" + e.caption);
    }
    return out;
}
CustomMenuOptions WithPlayer() {
    CustomMenuOptions o;
    o.openMissionsText = "Open Hale's Missions...";
    o.saveInMissionsText = "Save In Hale's Missions...";
    return o;
}
using V = std::vector<std::string>;
}  // namespace

TEST(CustomMenus, NineteenMenusEachBuiltBeforeTheMenusThatHoldIt) {
    const auto plan = CustomMenuPlan(WithPlayer());
    ASSERT_EQ(plan.size(), 19u);
    std::set<MenuName> built;
    for (const MenuPlan& p : plan) {
        for (const MenuEntry& e : p.entries)
            if (e.kind == MenuEntry::Popup) {
                EXPECT_TRUE(built.count(e.popup)) << e.caption;
            }
        EXPECT_TRUE(built.insert(p.name).second);
    }
    EXPECT_EQ(plan.front().name, MenuName::NewFile);
    EXPECT_EQ(plan.back().name, MenuName::NoDocumentBar);
    // 17 pop-ups in the frame's order, then the bars.
    EXPECT_EQ(IconMenuIndex(MenuName::FileNoDocument), 0);
    EXPECT_EQ(IconMenuIndex(MenuName::LabelsBar), 16);
    EXPECT_EQ(IconMenuIndex(MenuName::DocumentBar), -1);
    EXPECT_EQ(TopMenuIndex(MenuName::NoDocumentBar), 0);
    EXPECT_EQ(TopMenuIndex(MenuName::DocumentBar), 1);
}

TEST(CustomMenus, FileMenusWithAPlayerAndRecentFiles) {
    const auto plan = CustomMenuPlan(WithPlayer());
    EXPECT_EQ(Texts(Find(plan, MenuName::FileNoDocument)),
              (V{">New File", ">Wizard Created Files", ">Quick Scripts", "-", "57601/153/Open...\tCtrl+O",
                 "1348/0/Open Hale's Missions...", "-", "1259/165/Run Varnholt", "-", "57606/0/Print Setup...", "-",
                 ">Recent Files", "-", "57665/172/Exit\tEsc"}));
    EXPECT_EQ(Texts(Find(plan, MenuName::FileDocument)),
              (V{">New File", ">Wizard Created Files", ">Quick Scripts", "-", "57601/153/Open...\tCtrl+O",
                 "57602/201/Close", "-", "57603/163/Save\tCtrl+S", "1213/164/Save All\tF2", "57604/192/Save As...",
                 "1402/202/Save As Snippet", "-", "1348/0/Open Hale's Missions...",
                 "1349/0/Save In Hale's Missions...", "-", "1259/165/Run Varnholt", "-",
                 "57607/166/Print...\tCtrl+P", "57609/0/Print Preview...", "57606/0/Print Setup...", "-",
                 ">Recent Files", "-", "57665/172/Exit\tEsc"}));
}

TEST(CustomMenus, NoRecentFilesPopupWithMrusZero) {
    CustomMenuOptions o = WithPlayer();
    o.mrus = 0;
    const auto plan = CustomMenuPlan(o);
    for (MenuName n : {MenuName::FileNoDocument, MenuName::FileDocument}) {
        const V t = Texts(Find(plan, n));
        EXPECT_EQ(std::count(t.begin(), t.end(), ">Recent Files"), 0);
        // Only one separator before Exit, none left dangling.
        ASSERT_GE(t.size(), 3u);
        EXPECT_EQ(t[t.size() - 3], "57606/0/Print Setup...");
        EXPECT_EQ(t[t.size() - 2], "-");
    }
    // The Recent Files menu itself still exists (empty), so the frame still has 17 pop-ups.
    EXPECT_TRUE(Find(plan, MenuName::RecentFiles).entries.empty());
}

TEST(CustomMenus, NoMissionItemsWithoutShowUsersOrPlayer) {
    CustomMenuOptions hidden = WithPlayer();
    hidden.showUsers = 0;
    CustomMenuOptions noPlayer;
    for (const CustomMenuOptions& o : {hidden, noPlayer}) {
        const auto plan = CustomMenuPlan(o);
        EXPECT_EQ(Texts(Find(plan, MenuName::FileNoDocument)),
                  (V{">New File", ">Wizard Created Files", ">Quick Scripts", "-", "57601/153/Open...\tCtrl+O", "-",
                     "1259/165/Run Varnholt", "-", "57606/0/Print Setup...", "-", ">Recent Files", "-",
                     "57665/172/Exit\tEsc"}));
        const V doc = Texts(Find(plan, MenuName::FileDocument));
        // The separator before the mission items goes with them.
        EXPECT_EQ(V(doc.begin() + 10, doc.begin() + 13), (V{"1402/202/Save As Snippet", "-", "1259/165/Run Varnholt"}));
        EXPECT_EQ(doc.size(), 21u);
    }
}

TEST(CustomMenus, EditContextAndToolsMenus) {
    const auto plan = CustomMenuPlan({});
    EXPECT_EQ(Texts(Find(plan, MenuName::Edit)),
              (V{"57643/157/Undo\tCtrl+Z", "-", "1282/180/Insert Current Item", "1261/170/Insert Snippet...", "-",
                 "1404/204/Edit Briefing...", "-", "57635/154/Cut\tCtrl+X", "57634/155/Copy\tCtrl+C",
                 "57637/156/Paste\tCtrl+V", "57632/200/Delete\tDel", "1398/203/Copy As Snippet", "-",
                 "57636/188/Find Text...\tCtrl+F", "1502/188/Find Previous\tShift+F3",
                 "57641/189/Replace Text...\tCtrl+H", "1501/0/Go To Line...\tCtrl+G", "1641/0/Go To Label\tF12",
                 "-", "1642/0/Complete Word\tCtrl+Space", "1643/0/Syntax Tip\tCtrl+Shift+Space", "-",
                 "1503/0/Toggle Remark\tCtrl+/", "-", "57642/0/Select All\tCtrl+A"}));
    EXPECT_EQ(Texts(Find(plan, MenuName::EditorContext)),
              (V{"57643/157/Undo", "-", "1282/180/Insert Current Item", "1261/170/Insert Snippet...", "-",
                 "57635/154/Cut", "57634/155/Copy", "57637/156/Paste", "57632/200/Delete", "1398/203/Copy As Snippet",
                 "-", "57642/0/Select All"}));
    EXPECT_EQ(Texts(Find(plan, MenuName::Tools)),
              (V{"1258/185/Command Reference Manual", "1652/205/Check Mission", "-", ">Helpful Links",
                 ">Edit Data Files", "-", "1216/171/Options..."}));
    EXPECT_EQ(Texts(Find(plan, MenuName::EditDataFiles)),
              (V{"1250/186/Edit Commands Data", "1251/186/Edit Weapons Data", "1253/186/Edit Syntax Data",
                 "1379/186/Edit Unit Wizard Data", "1254/186/Edit Auto Header Data", "-", "1374/190/Backup Data Files",
                 "1375/191/Restore Data Files", "-", "1256/0/Update Application Data"}));
    EXPECT_EQ(Texts(Find(plan, MenuName::Project)),
              (V{"1376/190/Add Project File...", "1380/181/Add Current Active File", "1377/200/Remove Project File",
                 "-", "1378/0/Clear Project Files"}));
    EXPECT_EQ(Texts(Find(plan, MenuName::WizardFiles))[3], "1227/161/Custom Unit Wizard...");
    EXPECT_EQ(Texts(Find(plan, MenuName::NewFile)).size(), 6u);
    EXPECT_EQ(Texts(Find(plan, MenuName::Help)), (V{"57666/178/Help Contents\tF1", "-", "57664/183/About Quillmark"}));
    EXPECT_EQ(Texts(Find(plan, MenuName::LabelsBar)), (V{"1271/0/Labels Bar"}));
    EXPECT_EQ(Texts(Find(plan, MenuName::BarContext)),
              (V{"59392/0/Main Toolbar", "1211/0/Command Bar", "1212/0/Status Bar"}));
}

TEST(CustomMenus, BarsShareTheirPopups) {
    const auto plan = CustomMenuPlan({});
    const MenuPlan& doc = Find(plan, MenuName::DocumentBar);
    EXPECT_EQ(doc.barPicture, 181);
    EXPECT_EQ(Texts(doc), (V{">File", ">Edit", ">View", ">Project", ">Tools", ">Window", ">Help"}));
    EXPECT_EQ(doc.entries[0].popup, MenuName::FileDocument);
    const MenuPlan& none = Find(plan, MenuName::NoDocumentBar);
    EXPECT_EQ(none.barPicture, 0);
    EXPECT_EQ(Texts(none), (V{">File", ">View", ">Project", ">Tools", ">Help"}));
    EXPECT_EQ(none.entries[0].popup, MenuName::FileNoDocument);
    EXPECT_EQ(none.entries[1].popup, doc.entries[2].popup);
}

TEST(CustomMenus, ListHeadsAndTails) {
    MenuPlan window{MenuName::Window, 0, WindowMenuHead()};
    EXPECT_EQ(Texts(window), (V{"1319/177/New Window", "1320/173/Cascade", "1321/174/Tile Horizontally",
                                "1322/184/Tile Vertically", "1323/0/Arrange Icons", "-", "1287/175/Next\tF6",
                                "1288/176/Prevoius\tShift+F6", "-"}));
    MenuPlan quick{MenuName::QuickScripts, 0, QuickScriptsTail()};
    EXPECT_EQ(Texts(quick), (V{"-", "1370/190/Add Quick Script...", "1381/181/Add Current Active File",
                               "1371/200/Delete Quick Scripts..."}));
}
