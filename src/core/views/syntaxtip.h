#pragma once
#include <string>
#include <string_view>

#include "core/app/catalogue.h"

namespace qm {

// The syntax tip for the name at `column` of a script line (the name that holds the column or
// ends right before it): the command's syntax lines as the command bar's syntax pane shows them
// (CR LF between lines), when the name is a command outside strings, remarks and labels; empty
// otherwise.
std::string SyntaxTipAt(const Catalogue& catalogue, std::u16string_view line, int column);

}  // namespace qm
