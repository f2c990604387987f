#pragma once
#include <memory>

#include "core/options/xdgfiletypes.h"

namespace qm {

// The desktop mirror of file-type associations for this user's session: the XDG folders of the
// environment, this executable, and `update-mime-database` when it is installed. Null where
// there is no XDG desktop (Windows, or no home folder).
std::unique_ptr<XdgFileTypes> MakeDesktopFileTypes();

// Runs `update-mime-database` on a folder when the tool is installed; false when it is not or fails.
bool RunUpdateMimeDatabase(const std::string& mimeFolder);

}  // namespace qm
