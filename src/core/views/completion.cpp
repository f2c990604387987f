#include "core/views/completion.h"

#include <algorithm>
#include <array>
#include <unordered_set>

#include "core/app/casefold.h"
#include "core/app/utf8.h"
#include "core/frames/commandtree.h"
#include "core/views/gotolabel.h"
#include "core/views/scriptcontext.h"

namespace qm {

namespace {
// The keywords that are words; "&&" and "||" are operators, not names to complete.
constexpr std::array<const char*, 11> kKeywordNames = {"and",  "do",   "else", "false", "goto", "if",
                                                       "not",  "or",   "then", "true",  "while"};
constexpr std::array<const char*, 2> kSpecialVariables = {"_this", "_time"};

std::string ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        AppendUtf8(out, c);
    }
    return out;
}

CompletionItem Item(std::string text, std::string detail, std::string insert) {
    CompletionItem item{std::move(text), std::move(detail), std::move(insert), {}};
    item.folded = FoldCase(item.text);
    return item;
}

// The string's place: from its opening quote to the end of the name at the caret, and its
// closing quote when one follows right there.
void StringColumns(std::u16string_view line, int column, int stringStart, CompletionPlace& place) {
    place.from = stringStart;
    place.typedFrom = stringStart + 1;
    place.to = NameEnd(line, column);
    if (place.to < static_cast<int>(line.size()) && line[place.to] == u'"') ++place.to;
}
}  // namespace

const char* ItemListTitle(ItemList list) {
    switch (list) {
        case ItemList::Weapons: return kTreeRootText[ROOT_WEAPONS];
        case ItemList::Ammo: return kTreeRootText[ROOT_AMMO];
        case ItemList::VehicleAmmo: return kTreeRootText[ROOT_VEHICLE_AMMO];
        case ItemList::Equipment: return kTreeRootText[ROOT_EQUIPMENT];
    }
    return "";
}

CompletionPlace CompletionPlaceAt(std::u16string_view line, int column, const Catalogue& catalogue, bool asked) {
    CompletionPlace place;
    column = std::clamp(column, 0, static_cast<int>(line.size()));
    const ScriptContext context = ContextAt(line, column);
    switch (context.place) {
        case ScriptContext::Place::Remark:
        case ScriptContext::Place::Label: return place;
        case ScriptContext::Place::Code:
            place.kind = CompletionPlace::Kind::Code;
            place.from = place.typedFrom = context.nameStart;
            place.to = NameEnd(line, column);
            return place;
        case ScriptContext::Place::String: break;
    }
    const std::string owner = ToUtf8(context.owner);
    if (!context.inArray && FoldCase(owner) == "goto") {
        place.kind = CompletionPlace::Kind::Labels;
        StringColumns(line, column, context.stringStart, place);
        return place;
    }
    if (const int index = catalogue.FindCommand(owner); index >= 0 && !owner.empty()) {
        const std::string& command = catalogue.m_commands[static_cast<size_t>(index)];
        place.lists = ItemListsForArgument(ArgumentName(catalogue, command, context.inArray, context.element));
        if (!place.lists.empty()) {
            place.kind = CompletionPlace::Kind::Items;
            StringColumns(line, column, context.stringStart, place);
            return place;
        }
    }
    if (!asked) return place;
    int start = column;
    while (start > context.stringStart + 1 && IsScriptNameChar(line[start - 1])) --start;
    place.kind = CompletionPlace::Kind::Code;
    place.from = place.typedFrom = start;
    place.to = NameEnd(line, column);
    return place;
}

std::vector<CompletionItem> CompletionItems(const CompletionPlace& place, const Catalogue& catalogue,
                                            const std::vector<LabelIndex::Entry>& labels) {
    std::vector<CompletionItem> items;
    std::unordered_set<std::string> seen;  // each name once, letter case ignored
    const auto add = [&](CompletionItem item) {
        if (!item.text.empty() && seen.insert(item.folded).second) items.push_back(std::move(item));
    };
    switch (place.kind) {
        case CompletionPlace::Kind::None: break;
        case CompletionPlace::Kind::Code: {
            for (const std::string& command : catalogue.m_commands) {
                const std::vector<std::string> block = catalogue.SyntaxFor(command);
                add(Item(command, block.empty() ? std::string() : block[0], command));
            }
            for (const char* k : kKeywordNames) add(Item(k, "keyword", k));
            for (const char* v : kSpecialVariables) add(Item(v, "special variable", v));
            // Alphabetical, with "_" after the letters: the commands before the special variables.
            const auto key = [](char c) { return c == '_' ? '\x7f' : c; };
            std::stable_sort(items.begin(), items.end(), [&](const CompletionItem& a, const CompletionItem& b) {
                return std::lexicographical_compare(a.folded.begin(), a.folded.end(), b.folded.begin(), b.folded.end(),
                                                    [&](char x, char y) { return key(x) < key(y); });
            });
            break;
        }
        case CompletionPlace::Kind::Items:
            for (ItemList list : place.lists)
                for (const std::string& name : ItemListOf(catalogue, list))
                    add(Item(name, ItemListTitle(list), "\"" + name + "\""));
            break;
        case CompletionPlace::Kind::Labels:
            items.reserve(labels.size());
            seen.reserve(labels.size());
            for (const LabelIndex::Entry& e : labels) {
                const std::string name = ToUtf8(LabelName(e.text));
                add(Item(name, "line " + std::to_string(e.line + 1), "\"" + name + "\""));
            }
            break;
    }
    return items;
}

std::vector<int> FilterCompletions(const std::vector<CompletionItem>& items, std::u16string_view typed) {
    const std::string wanted = FoldCase(ToUtf8(typed));
    std::vector<int> equal, starting, inside;
    for (size_t i = 0; i < items.size(); ++i) {
        const std::string& f = items[i].folded;
        const size_t at = f.find(wanted);
        if (at == std::string::npos) continue;
        if (at > 0) inside.push_back(static_cast<int>(i));
        else if (f.size() == wanted.size()) equal.push_back(static_cast<int>(i));
        else starting.push_back(static_cast<int>(i));
    }
    equal.insert(equal.end(), starting.begin(), starting.end());
    equal.insert(equal.end(), inside.begin(), inside.end());
    return equal;
}

}  // namespace qm
