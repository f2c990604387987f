#include "core/tools/projectslots.h"

namespace qm {

int FirstFreeSlot(const ProjectSlots& slots) {
    for (int i = 0; i < kProjectSlots; ++i)
        if (slots[i].empty()) return i;
    return -1;
}

int AddProjectFile(ProjectSlots& slots, const std::string& path) {
    const int slot = path.empty() ? -1 : FirstFreeSlot(slots);
    if (slot >= 0) slots[slot] = path;
    return slot;
}

bool RemoveProjectFile(ProjectSlots& slots, int slot) {
    if (slot < 0 || slot >= kProjectSlots) return false;
    slots[slot].clear();
    return true;
}

void ClearProjectFiles(ProjectSlots& slots) {
    for (auto& s : slots) s.clear();
}

}  // namespace qm
