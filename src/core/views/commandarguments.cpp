#include "core/views/commandarguments.h"

#include "core/app/casefold.h"

namespace qm {

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Where `name` stands in `text` as a whole name, letter case ignored; npos when it does not.
size_t FindName(const std::string& text, const std::string& name) {
    const std::string folded = FoldCase(text), wanted = FoldCase(name);
    for (size_t at = folded.find(wanted); at != std::string::npos; at = folded.find(wanted, at + 1)) {
        const size_t end = at + wanted.size();
        if ((at == 0 || !IsWordChar(folded[at - 1])) && (end == folded.size() || !IsWordChar(folded[end])))
            return at;
    }
    return std::string::npos;
}

std::string NameAt(const std::string& text, size_t at) {
    while (at < text.size() && IsBlank(text[at])) ++at;
    size_t end = at;
    while (end < text.size() && IsWordChar(text[end])) ++end;
    return text.substr(at, end - at);
}
}  // namespace

std::string ArgumentName(const Catalogue& catalogue, std::string_view command, bool inArray, int element) {
    if (command.empty() || element < 0) return {};
    const std::vector<std::string> block = catalogue.SyntaxFor(command);
    if (block.empty()) return {};
    const std::string& usage = block[0];
    const size_t at = FindName(usage, std::string(command));
    if (at == std::string::npos) return {};
    size_t i = at + command.size();
    while (i < usage.size() && IsBlank(usage[i])) ++i;
    const bool array = i < usage.size() && usage[i] == '[';
    if (array != inArray) return {};
    if (!array) return NameAt(usage, i);
    int depth = 0, index = 0;
    for (size_t j = i; j < usage.size(); ++j) {
        const char c = usage[j];
        if (c == '[') {
            if (++depth == 1 && index == element) return NameAt(usage, j + 1);
        } else if (c == ']') {
            if (--depth == 0) break;
        } else if (c == ',' && depth == 1 && ++index == element) {
            return NameAt(usage, j + 1);
        }
    }
    return {};
}

std::vector<ItemList> ItemListsForArgument(std::string_view argumentName) {
    const std::string name = FoldCase(argumentName);
    if (name == "weaponname") return {ItemList::Weapons, ItemList::Equipment};
    if (name == "magazinename" || name == "ammoname")
        return {ItemList::Ammo, ItemList::VehicleAmmo, ItemList::Equipment};
    if (name == "vehiclemagazinename" || name == "vehicleammoname") return {ItemList::VehicleAmmo};
    if (name == "equipmentname" || name == "itemname") return {ItemList::Equipment};
    return {};
}

const StringList& ItemListOf(const Catalogue& catalogue, ItemList list) {
    switch (list) {
        case ItemList::Weapons: return catalogue.m_weapons;
        case ItemList::Ammo: return catalogue.m_ammo;
        case ItemList::VehicleAmmo: return catalogue.m_vehicleAmmo;
        case ItemList::Equipment: return catalogue.m_equipment;
    }
    return catalogue.m_weapons;
}

}  // namespace qm
