#include "core/frames/commandtree.h"

#include <algorithm>

#include "core/doc/titlerules.h"

namespace qm {

std::vector<TreeChild> ProjectFileChildren(const std::vector<std::string>& slots) {
    std::vector<TreeChild> out;
    for (size_t i = 0; i < slots.size(); ++i)
        if (!slots[i].empty()) out.push_back({FileNameOfPath(slots[i]), static_cast<int>(i)});
    std::stable_sort(out.begin(), out.end(), [](const TreeChild& a, const TreeChild& b) { return a.text < b.text; });
    return out;
}

std::vector<TreeBranch> BuildCommandTree(const Catalogue& catalogue, const std::vector<std::string>& projectSlots) {
    const StringList* lists[] = {&catalogue.m_commands, &catalogue.m_weapons, &catalogue.m_ammo,
                                 &catalogue.m_vehicleAmmo, &catalogue.m_equipment};
    std::vector<TreeBranch> tree(kTreeRoots);
    for (int r = 0; r < kTreeRoots; ++r) tree[r].text = kTreeRootText[r];
    for (int r = ROOT_COMMANDS; r <= ROOT_EQUIPMENT; ++r) {
        const StringList& list = *lists[r];
        auto& children = tree[r].children;
        if (list.empty()) {
            children.push_back({kNotAvailable});
            continue;
        }
        children.reserve(list.size());
        for (const auto& name : list) children.push_back({r == ROOT_COMMANDS ? name : "\"" + name + "\""});
    }
    tree[ROOT_PROJECT_FILES].children = ProjectFileChildren(projectSlots);
    return tree;
}

std::string CommandSyntaxText(const Catalogue& catalogue, std::string_view command) {
    const auto block = catalogue.SyntaxFor(command);
    if (block.empty()) return kNoSyntax;
    std::string text;
    for (size_t i = 0; i < block.size(); ++i) text += (i ? "\r\n" : "") + block[i];
    return text;
}

std::string SyntaxPaneText(const Catalogue& catalogue, const TreeSelection& s) {
    if (s.root < 0 || s.root >= kTreeRoots) return {};
    if (s.root == ROOT_COMMANDS && !s.isRoot) return CommandSyntaxText(catalogue, s.text);
    if (s.root == ROOT_PROJECT_FILES) return kProjectHint;
    std::string text = s.isRoot ? s.text : std::string(kTreeRootText[s.root]) + " - " + s.text;
    if (!s.hasChildren) text += kInsertHint;
    return text;
}

bool CanInsertItem(const TreeSelection& s, bool documentActive) {
    return documentActive && s.root >= 0 && !s.hasChildren && !(s.root == ROOT_PROJECT_FILES && !s.isRoot);
}

}  // namespace qm
