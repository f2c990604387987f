#pragma once
#include <string_view>
#include <vector>

#include "core/app/catalogue.h"

namespace qm {

// What a run of characters is coloured as; the view maps roles to its own colours.
enum class ColourRole { Text, Remark, Command, Item, Programming, Variable };

// A run of one line, positions in UTF-16 code units from the line's start. Runs of one line
// do not overlap, are in order and cover the whole line.
struct ColourRun {
    int start;
    int length;
    ColourRole role;
    bool bold = false;
    bool operator==(const ColourRun&) const = default;
};

// The script rules: remark, label and "~" lines, keywords, "_" variables, commands and items
// from the catalogue, and the special characters "?", ":", "!", "@" outside quotes and "%" inside.
std::vector<ColourRun> ColourScriptLine(std::u16string_view line, const Catalogue& catalogue);

// The description rules: "class" bold in the programming colour anywhere, "//" to the end a remark.
std::vector<ColourRun> ColourDescriptionLine(std::u16string_view line);

// The word that contains pos, or ends right before it: letters, digits and "_".
// Returns [from, to); empty when there is no word there.
std::pair<int, int> WordAround(std::u16string_view line, int pos);

}  // namespace qm
