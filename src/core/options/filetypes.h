#pragma once
#include <vector>

#include "core/doc/dockinds.h"
#include "core/options/settingstable.h"
#include "core/platform/registry.h"

namespace qm {

// The kinds whose association setting ("RegSQS", "RegEXT", "RegSQF", "RegCSV", "RegHTML",
// "RegTXT", in this order) is 1.
std::vector<DocKind> FileTypesToUnregister(const FrameSettings& s);

// Associates one kind's extension with the program, or gives it back to its previous owner.
// The shell-registry work arrives with file-type registration; until then this changes nothing.
bool SetFileTypeAssociation(Registry& registry, DocKind kind, bool associate);

}  // namespace qm
