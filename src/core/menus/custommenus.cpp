#include "core/menus/custommenus.h"

namespace qm {

namespace {
MenuEntry Item(int id, int picture, std::string caption) {
    return {MenuEntry::Item, id, picture, std::move(caption), MenuName::NewFile};
}
MenuEntry Sep() { return {MenuEntry::Separator, 0, 0, {}, MenuName::NewFile}; }
MenuEntry Popup(MenuName name, std::string caption) { return {MenuEntry::Popup, 0, 0, std::move(caption), name}; }
}  // namespace

int IconMenuIndex(MenuName name) {
    const int i = static_cast<int>(name);
    return i < kIconMenuCount ? i : -1;
}

int TopMenuIndex(MenuName name) {
    if (name == MenuName::NoDocumentBar) return 0;
    if (name == MenuName::DocumentBar) return 1;
    return -1;
}

bool IsBar(MenuName name) { return TopMenuIndex(name) >= 0; }

std::vector<MenuPlan> CustomMenuPlan(const CustomMenuOptions& o) {
    const bool missions = !o.openMissionsText.empty() && o.showUsers != 0;
    const bool recent = o.mrus != 0;
    std::vector<MenuPlan> plan;

    plan.push_back({MenuName::NewFile, 0,
                    {Item(1218, 168, "Script File (.sqs)"), Item(1219, 168, "Description File (.ext)"),
                     Item(1223, 168, "Briefing File (.html)"), Item(1262, 168, "Function File (.sqf)"),
                     Item(1222, 168, "String Table File (.csv)"), Item(1220, 168, "Text File (.txt)")}});
    plan.push_back({MenuName::WizardFiles, 0,
                    {Item(1224, 158, "Briefing Wizard..."), Item(1225, 159, "Overview Wizard..."),
                     Item(1226, 160, "Description Wizard..."), Item(1227, 161, "Custom Unit Wizard..."),
                     Item(1260, 162, "Crate Builder Wizard...")}});
    plan.push_back({MenuName::QuickScripts, 0, {}});
    plan.push_back({MenuName::RecentFiles, 0, {}});

    const std::vector<MenuEntry> fileHead = {Popup(MenuName::NewFile, "New File"),
                                             Popup(MenuName::WizardFiles, "Wizard Created Files"),
                                             Popup(MenuName::QuickScripts, "Quick Scripts"), Sep(),
                                             Item(57601, 153, "Open...\tCtrl+O")};
    auto fileTail = [recent](std::vector<MenuEntry>& e) {
        if (recent) {
            e.push_back(Sep());
            e.push_back(Popup(MenuName::RecentFiles, "Recent Files"));
        }
        e.push_back(Sep());
        e.push_back(Item(57665, 172, "Exit\tEsc"));
    };

    MenuPlan fileNoDoc{MenuName::FileNoDocument, 0, fileHead};
    if (missions) fileNoDoc.entries.push_back(Item(1348, 0, o.openMissionsText));
    for (const MenuEntry& e : {Sep(), Item(1259, 165, "Run Varnholt"), Sep(), Item(57606, 0, "Print Setup...")})
        fileNoDoc.entries.push_back(e);
    fileTail(fileNoDoc.entries);
    plan.push_back(fileNoDoc);

    MenuPlan fileDoc{MenuName::FileDocument, 0, fileHead};
    for (const MenuEntry& e : {Item(57602, 201, "Close"), Sep(), Item(57603, 163, "Save\tCtrl+S"),
                               Item(1213, 164, "Save All\tF2"), Item(57604, 192, "Save As..."),
                               Item(1402, 202, "Save As Snippet")})
        fileDoc.entries.push_back(e);
    if (missions)
        for (const MenuEntry& e : {Sep(), Item(1348, 0, o.openMissionsText), Item(1349, 0, o.saveInMissionsText)})
            fileDoc.entries.push_back(e);
    for (const MenuEntry& e : {Sep(), Item(1259, 165, "Run Varnholt"), Sep(), Item(57607, 166, "Print...\tCtrl+P"),
                               Item(57609, 0, "Print Preview..."), Item(57606, 0, "Print Setup...")})
        fileDoc.entries.push_back(e);
    fileTail(fileDoc.entries);
    plan.push_back(fileDoc);

    plan.push_back({MenuName::EditorContext, 0,
                    {Item(57643, 157, "Undo"), Sep(), Item(1282, 180, "Insert Current Item"),
                     Item(1261, 170, "Insert Snippet..."), Sep(), Item(57635, 154, "Cut"), Item(57634, 155, "Copy"),
                     Item(57637, 156, "Paste"), Item(57632, 200, "Delete"), Item(1398, 203, "Copy As Snippet"), Sep(),
                     Item(57642, 0, "Select All")}});
    plan.push_back({MenuName::Edit, 0,
                    {Item(57643, 157, "Undo\tCtrl+Z"), Sep(), Item(1282, 180, "Insert Current Item"),
                     Item(1261, 170, "Insert Snippet..."), Sep(), Item(1404, 204, "Edit Briefing..."), Sep(),
                     Item(57635, 154, "Cut\tCtrl+X"), Item(57634, 155, "Copy\tCtrl+C"),
                     Item(57637, 156, "Paste\tCtrl+V"), Item(57632, 200, "Delete\tDel"),
                     Item(1398, 203, "Copy As Snippet"), Sep(), Item(57636, 188, "Find Text...\tCtrl+F"),
                     Item(1502, 188, "Find Previous\tShift+F3"), Item(57641, 189, "Replace Text...\tCtrl+H"),
                     Item(1501, 0, "Go To Line...\tCtrl+G"), Item(1641, 0, "Go To Label\tF12"), Sep(),
                     Item(1642, 0, "Complete Word\tCtrl+Space"), Item(1643, 0, "Syntax Tip\tCtrl+Shift+Space"), Sep(),
                     Item(1503, 0, "Toggle Remark\tCtrl+/"), Sep(),
                     Item(57642, 0, "Select All\tCtrl+A")}});
    plan.push_back({MenuName::View, 0,
                    {Item(59392, 0, "Main Toolbar"), Item(1211, 0, "Command Bar"), Item(1271, 0, "Labels Toolbar"),
                     Item(1212, 0, "Status Bar"), Sep(), Item(1491, 0, "Page Preview"), Item(1651, 0, "Problems"), Sep(),
                     Item(1504, 0, "Line Numbers"), Item(1644, 0, "Auto Complete"), Item(1505, 0, "Zoom In\tCtrl++"),
                     Item(1506, 0, "Zoom Out\tCtrl+-"), Item(1507, 0, "Normal Text Size\tCtrl+0")}});
    plan.push_back({MenuName::Project, 0,
                    {Item(1376, 190, "Add Project File..."), Item(1380, 181, "Add Current Active File"),
                     Item(1377, 200, "Remove Project File"), Sep(), Item(1378, 0, "Clear Project Files")}});
    plan.push_back({MenuName::HelpfulLinks, 0,
                    {Item(1245, 187, "Varnholt Home Page - LATEST PATCH"),
                     Item(1246, 187, "Varnholt Editing Center - DOWNLOADS AND HELP"), Sep(),
                     Item(1247, 187, "Updates and Error Reporting")}});
    plan.push_back({MenuName::EditDataFiles, 0,
                    {Item(1250, 186, "Edit Commands Data"), Item(1251, 186, "Edit Weapons Data"),
                     Item(1253, 186, "Edit Syntax Data"), Item(1379, 186, "Edit Unit Wizard Data"),
                     Item(1254, 186, "Edit Auto Header Data"), Sep(), Item(1374, 190, "Backup Data Files"),
                     Item(1375, 191, "Restore Data Files"), Sep(), Item(1256, 0, "Update Application Data")}});
    plan.push_back({MenuName::Tools, 0,
                    {Item(1258, 185, "Command Reference Manual"), Item(1652, 205, "Check Mission"), Sep(),
                     Popup(MenuName::HelpfulLinks, "Helpful Links"), Popup(MenuName::EditDataFiles, "Edit Data Files"),
                     Sep(), Item(1216, 171, "Options...")}});
    plan.push_back({MenuName::Window, 0, {}});
    plan.push_back(
        {MenuName::Help, 0, {Item(57666, 178, "Help Contents\tF1"), Sep(), Item(57664, 183, "About Quillmark")}});
    plan.push_back({MenuName::BarContext, 0,
                    {Item(59392, 0, "Main Toolbar"), Item(1211, 0, "Command Bar"), Item(1212, 0, "Status Bar")}});
    plan.push_back({MenuName::LabelsBar, 0, {Item(1271, 0, "Labels Bar")}});
    plan.push_back({MenuName::DocumentBar, 181,
                    {Popup(MenuName::FileDocument, "File"), Popup(MenuName::Edit, "Edit"), Popup(MenuName::View, "View"),
                     Popup(MenuName::Project, "Project"), Popup(MenuName::Tools, "Tools"),
                     Popup(MenuName::Window, "Window"), Popup(MenuName::Help, "Help")}});
    plan.push_back({MenuName::NoDocumentBar, 0,
                    {Popup(MenuName::FileNoDocument, "File"), Popup(MenuName::View, "View"),
                     Popup(MenuName::Project, "Project"), Popup(MenuName::Tools, "Tools"),
                     Popup(MenuName::Help, "Help")}});
    return plan;
}

std::vector<MenuEntry> QuickScriptsTail() {
    return {Sep(), Item(1370, 190, "Add Quick Script..."), Item(1381, 181, "Add Current Active File"),
            Item(1371, 200, "Delete Quick Scripts...")};
}

std::vector<MenuEntry> WindowMenuHead() {
    return {Item(kNewWindowCommand, 177, "New Window"), Item(kCascadeCommand, 173, "Cascade"),
            Item(kTileHorizontallyCommand, 174, "Tile Horizontally"), Item(kTileVerticallyCommand, 184, "Tile Vertically"),
            Item(kArrangeIconsCommand, 0, "Arrange Icons"), Sep(), Item(1287, 175, "Next\tF6"),
            Item(1288, 176, "Prevoius\tShift+F6"), Sep()};
}

}  // namespace qm
