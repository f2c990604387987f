#include "core/views/syntaxtip.h"

#include "core/frames/commandtree.h"
#include "core/views/colouring.h"
#include "core/views/scriptcontext.h"

namespace qm {

std::string SyntaxTipAt(const Catalogue& catalogue, std::u16string_view line, int column) {
    const auto [from, to] = WordAround(line, column);
    if (from >= to) return {};
    // The context where the name starts: a name is never partly inside a string.
    if (ContextAt(line, from).place != ScriptContext::Place::Code) return {};
    std::string name;
    for (int i = from; i < to; ++i) name.push_back(static_cast<char>(line[i]));  // names are ASCII
    const int index = catalogue.FindCommand(name);
    if (index < 0) return {};
    return CommandSyntaxText(catalogue, catalogue.m_commands[static_cast<size_t>(index)]);
}

}  // namespace qm
