#pragma once
#include <array>
#include <string>

#include "core/options/settingstable.h"

namespace qm {

// The project files: 16 slots of full paths, an empty text is a free slot. Slot order is not
// the order they are shown in.
using ProjectSlots = std::array<std::string, kProjectSlots>;

// The lowest free slot, or -1 when all 16 are taken.
int FirstFreeSlot(const ProjectSlots& slots);

// Puts a path into the first free slot and returns it; -1 (nothing changed) when the path is
// empty or no slot is free. The same file may take several slots.
int AddProjectFile(ProjectSlots& slots, const std::string& path);

// Empties one slot; false for an index outside 0-15.
bool RemoveProjectFile(ProjectSlots& slots, int slot);

void ClearProjectFiles(ProjectSlots& slots);

}  // namespace qm
