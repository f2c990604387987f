#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "core/app/catalogue.h"
#include "core/views/scriptscan.h"

namespace qm {

enum class ProblemSeverity { Error, Warning };

// One problem of a script: where (line from 0, column and length in UTF-16 code units) and why.
struct ScriptProblem {
    int line = 0;
    int column = 0;
    int length = 0;
    ProblemSeverity severity = ProblemSeverity::Error;
    std::string message;
    bool operator==(const ScriptProblem&) const = default;
};

// The names the game's editions are shown by: "Varnholt" and "Varnholt: Resistance".
std::string EditionName(int expansionEdition);

// Everything the rules read, copied out of the catalogue so that a check can run on another
// thread while the catalogue is reloaded.
struct ScriptRules {
    FoldedIndex commands;       // this edition's
    FoldedIndex otherCommands;  // the other edition's
    StringList otherCommandNames;
    std::string editionName, otherEditionName;
    std::unordered_set<std::string> items;  // every weapon, magazine, vehicle magazine and equipment, folded
    // Commands whose syntax names an item argument (folded name -> where the name stands).
    struct ItemArgument {
        int element = -1;  // -1: the argument itself; else its place in an array argument
        std::string kind;  // "weapon", "magazine", ...
    };
    std::unordered_map<std::string, ItemArgument> itemArguments;
};

// The rules for the catalogue's edition; `otherEditionCommands` is the other edition's commands.txt.
std::shared_ptr<const ScriptRules> MakeScriptRules(const Catalogue& catalogue, const StringList& otherEditionCommands,
                                                   int expansionEdition);

// Where syntax.txt's usage line puts an item name after the command ("unit addMagazine
// magazineName", "vehicle addWeaponCargo [weaponName, count]"); false when it names none.
bool ItemArgumentOf(std::string_view usage, std::string_view command, ScriptRules::ItemArgument& argument);

// The problems of a script text ("\n" line breaks), in text order. Each rule reports only what
// is certain from the text: a label a goto names that no line defines; a label defined again; an
// .sqs line with an unclosed string; brackets that do not pair (within an .sqs line, across an
// .sqf function), strings and remarks left out; a command only the other edition has; a quoted
// name the catalogue does not list where the command's syntax names a weapon, magazine or the like.
std::vector<ScriptProblem> FindScriptProblems(std::u16string_view text, ScriptKind kind, const ScriptRules& rules);

// The name a label line defines: after "#", up to a ";" remark, blanks trimmed.
std::u16string LabelName(std::u16string_view labelLine);

}  // namespace qm
