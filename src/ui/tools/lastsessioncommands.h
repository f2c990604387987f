#pragma once
#include <vector>

#include "core/tools/lastsession.h"

namespace qm {

class CMainFrame;

// The documents open at a normal exit, kept for "Reopen documents from last time".

// The documents with a file, in the order their windows were opened, with the caret's line.
std::vector<SessionEntry> OpenSession(const CMainFrame& main);
// Opens the recorded documents that still exist, each at its line; true when any was recorded.
bool ReopenLastSession(CMainFrame& main);

}  // namespace qm
