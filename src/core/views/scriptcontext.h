#pragma once
#include <string>
#include <string_view>

#include "core/views/scriptscan.h"  // IsScriptNameChar

namespace qm {

// What surrounds a column of one script line, read from that line alone: a remark or label
// line, code, or a quoted string and what the string is given to. Strings are delimited by
// double quotes, "" inside a string being one quote; a remark line has ";" as its first
// character that is not a space or tab; a label line has "#" as its very first character.
struct ScriptContext {
    enum class Place { Code, Remark, Label, String };
    Place place = Place::Code;

    // Code: the start of the name (letters, digits, "_") that ends at the column; the column
    // itself when no name does.
    int nameStart = 0;

    // String: the column of the opening quote.
    int stringStart = -1;
    // String: the word outside strings that the string follows, directly ("goto", a command),
    // or through the "[" of the array the string is an element of; empty when there is none.
    std::u16string owner;
    // String: false when the string follows the owner directly, true when it is an element of
    // an array that follows the owner; `element` is then its place in the array (from 0).
    bool inArray = false;
    int element = 0;
};

// The context at `column` (0 to the line's length) of `line`.
ScriptContext ContextAt(std::u16string_view line, int column);

// The end of the name that starts at or runs through `column`: the first column after it.
int NameEnd(std::u16string_view line, int column);

// ASCII letters lower-cased; the names of the scripting language are ASCII.
std::u16string FoldAscii(std::u16string_view text);

}  // namespace qm
