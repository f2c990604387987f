#pragma once

namespace qm {

// Registers the pictures compiled into the ui library; a static library's resources are not
// registered on their own.
void InitResources();

}  // namespace qm
