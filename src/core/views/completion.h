#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "core/app/catalogue.h"
#include "core/views/commandarguments.h"
#include "core/views/labelindex.h"

namespace qm {

// What the completion list offers at a place of a script line, and which columns an entry
// taken from it replaces.
struct CompletionPlace {
    enum class Kind {
        None,
        Code,    // commands of the edition, keywords and the special variables
        Items,   // the catalogue's names of the kinds the command's argument takes, quoted
        Labels,  // the script's labels, quoted, in the string after goto
    };
    Kind kind = Kind::None;
    std::vector<ItemList> lists;  // Items: the lists offered, in order
    int from = 0, to = 0;         // the columns an entry replaces: the name (or string) being written
    int typedFrom = 0;            // the text from here to the caret is what filters the list

    bool operator==(const CompletionPlace&) const = default;
};

// The place at `column` of `line`. `asked`: the user asked for the list (Ctrl+Space); inside a
// string that takes no catalogue name or label the names of code are then offered, since
// scripts run code written in strings. Typing alone offers nothing there, nor in remarks and
// labels.
CompletionPlace CompletionPlaceAt(std::u16string_view line, int column, const Catalogue& catalogue, bool asked);

struct CompletionItem {
    std::string text;    // what the list shows and the typed text is matched against
    std::string detail;  // beside it: a command's first syntax line, an item's kind, a label's line
    std::string insert;  // what takes the place of the replaced columns
    std::string folded;  // the text lower-cased
};

// Every entry a place offers: for code in alphabetical order, letter case ignored; items in
// the lists' order; labels in text order, each name once.
std::vector<CompletionItem> CompletionItems(const CompletionPlace& place, const Catalogue& catalogue,
                                            const std::vector<LabelIndex::Entry>& labels);

// The entries that match the typed text, letter case ignored: one equal to it, then those that
// start with it, then those that hold it further in; each group in the entries' order.
std::vector<int> FilterCompletions(const std::vector<CompletionItem>& items, std::u16string_view typed);

// The kind names the command bar gives the lists.
const char* ItemListTitle(ItemList list);

}  // namespace qm
