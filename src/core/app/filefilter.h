#pragma once
#include <string>

namespace qm {

// The open/save dialog filter in the "Name|pattern|...||" form.
std::string BuildFileFilter(bool combined);

}  // namespace qm
