#include "core/wizards/unittables.h"

#include <climits>

#include "core/wizards/wizardcommon.h"

namespace qm {

int ReadLeadingNumber(std::string_view text) {
    long long n = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        n = n * 10 + (c - '0');
        if (n > INT_MAX) return INT_MAX;
    }
    return static_cast<int>(n);
}

namespace {

std::vector<std::string> SplitAtCommas(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        const size_t comma = line.find(',', start);
        if (comma == std::string::npos) {
            fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(line.substr(start, comma - start));
        start = comma + 1;
    }
}

// The entries of a section: the lines after its header up to the first empty line. Empty when
// the header is missing; found tells which.
std::vector<std::string> SectionLines(const StringList& data, const char* header, bool& found) {
    std::vector<std::string> lines;
    const int at = FindInList(data, header, true);
    found = at >= 0;
    if (!found) return lines;
    for (size_t i = static_cast<size_t>(at) + 1; i < data.size() && !data[i].empty(); ++i) lines.push_back(data[i]);
    return lines;
}

template <class Entry>
void StartWeaponTable(WeaponTable<Entry>& table, bool found) {
    table.names = {"NONE"};
    table.records = {Entry{}};
    table.available = found;
    if (!found) {
        table.names.push_back(kNotAvailable);
        table.records.push_back(Entry{});
    }
}

template <class Entry>
void AddWeapon(WeaponTable<Entry>& table, size_t capacity, Entry entry) {
    if (table.records.size() >= capacity) return;
    table.names.push_back(entry.weapon);
    table.records.push_back(std::move(entry));
}

void ReadPrimary(const StringList& data, WeaponTable<PrimaryWeaponEntry>& table) {
    bool found = false;
    const auto lines = SectionLines(data, "[PRIMARY]", found);
    StartWeaponTable(table, found);
    for (const auto& line : lines) {
        const auto f = SplitAtCommas(line);
        PrimaryWeaponEntry e;
        if (f.size() == 3) {
            e = {f[0], f[1], ReadLeadingNumber(f[2]), "NONE", 0};
        } else if (f.size() >= 5) {
            // Fields past the fifth are ignored.
            e = {f[0], f[1], ReadLeadingNumber(f[2]), f[3], ReadLeadingNumber(f[4])};
            if (e.launcherMagazine.empty()) continue;
        } else {
            continue;  // a launcher magazine without its slots, or too few fields
        }
        if (e.weapon.empty() || e.magazine.empty()) continue;
        AddWeapon(table, kPrimaryCapacity, std::move(e));
    }
}

void ReadSecondary(const StringList& data, WeaponTable<SecondaryWeaponEntry>& table) {
    bool found = false;
    const auto lines = SectionLines(data, "[SECONDARY]", found);
    StartWeaponTable(table, found);
    for (const auto& line : lines) {
        const auto f = SplitAtCommas(line);
        if (f.size() < 3 || f[0].empty() || f[1].empty()) continue;
        AddWeapon(table, kSecondaryCapacity, SecondaryWeaponEntry{f[0], f[1], ReadLeadingNumber(f[2])});
    }
}

void ReadHandguns(const StringList& data, bool expansionEdition, WeaponTable<HandgunEntry>& table) {
    if (!expansionEdition) {
        // The original edition has no handguns: the section is not read at all.
        StartWeaponTable(table, true);
        return;
    }
    bool found = false;
    const auto lines = SectionLines(data, "[HANDGUNS]", found);
    StartWeaponTable(table, found);
    for (const auto& line : lines) {
        const size_t comma = line.find(',');
        if (comma == std::string::npos) continue;
        HandgunEntry e{line.substr(0, comma), line.substr(comma + 1)};  // the magazine is all the rest
        if (e.weapon.empty() || e.magazine.empty()) continue;
        AddWeapon(table, kHandgunCapacity, std::move(e));
    }
}

void ReadEquipment(const StringList& data, UnitTables& tables) {
    bool found = false;
    const auto lines = SectionLines(data, "[EQUIPMENT]", found);
    tables.equipment.clear();
    tables.equipmentAvailable = found;
    for (const auto& line : lines) {
        if (tables.equipment.size() >= kEquipmentCapacity) break;
        const auto f = SplitAtCommas(line);
        if (f.size() < 2 || f[0].empty()) continue;
        tables.equipment.push_back({f[0], ReadLeadingNumber(f[1])});
    }
}

}  // namespace

UnitTables LoadUnitTables(const StringList& unitData, bool expansionEdition) {
    UnitTables t;
    ReadPrimary(unitData, t.primary);
    ReadSecondary(unitData, t.secondary);
    ReadHandguns(unitData, expansionEdition, t.handguns);
    ReadEquipment(unitData, t);
    return t;
}

}  // namespace qm
