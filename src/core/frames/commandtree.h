#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/catalogue.h"

namespace qm {

// The command bar's tree: always two levels, six roots in this order.
enum TreeRoot : int { ROOT_COMMANDS, ROOT_WEAPONS, ROOT_AMMO, ROOT_VEHICLE_AMMO, ROOT_EQUIPMENT, ROOT_PROJECT_FILES };
inline constexpr int kTreeRoots = 6;
inline constexpr const char* kTreeRootText[kTreeRoots] = {"Commands",     "Weapons",   "Ammo",
                                                          "Vehicle Ammo", "Equipment", "Project Files"};
inline constexpr const char* kNotAvailable = "Not Available";
inline constexpr const char* kNoSyntax = "No syntax available\r\nSee Command Reference Manual";
inline constexpr const char* kProjectHint = "Use the 'Project' menu to add\r\nor remove project files.";
inline constexpr const char* kInsertHint = "\r\nPress 'Insert' to insert the item\r\ninto the active document.";

struct TreeChild {
    std::string text;
    int slot = -1;  // project files: the slot 0 to 15 the entry came from
};

struct TreeBranch {
    std::string text;
    std::vector<TreeChild> children;
};

// The children of "Project Files": one per used slot, sorted by file name.
std::vector<TreeChild> ProjectFileChildren(const std::vector<std::string>& slots);

// The whole tree: catalogue roots in list order (items quoted, commands not), "Not Available"
// under an empty list, then the project files.
std::vector<TreeBranch> BuildCommandTree(const Catalogue& catalogue, const std::vector<std::string>& projectSlots);

// A selected tree item: the root it is under (or is), and whether it is that root itself.
struct TreeSelection {
    int root = -1;        // TreeRoot
    bool isRoot = false;  // the root itself is selected
    std::string text;     // the item's own text
    bool hasChildren = false;
};

// A command's syntax lines (CR LF between them), or the "no syntax" text when its block is
// missing: what the syntax pane shows for it, and the editor's syntax tips too.
std::string CommandSyntaxText(const Catalogue& catalogue, std::string_view command);

// What the syntax pane shows for a selection (CR LF between lines).
std::string SyntaxPaneText(const Catalogue& catalogue, const TreeSelection& selection);

// Insert is offered for a leaf outside "Project Files" while a document window is active.
bool CanInsertItem(const TreeSelection& selection, bool documentActive);

}  // namespace qm
