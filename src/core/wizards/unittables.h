#pragma once
#include <string>
#include <vector>

#include "core/app/catalogue.h"

namespace qm {

struct PrimaryWeaponEntry {
    std::string weapon, magazine;
    int magazineSlots = 0;
    std::string launcherMagazine = "NONE";  // "NONE": the weapon has no launcher
    int launcherSlots = 0;
};

struct SecondaryWeaponEntry {
    std::string weapon, magazine;
    int magazineSlots = 0;
};

struct HandgunEntry {
    std::string weapon, magazine;
};

struct EquipmentEntry {
    std::string magazine;
    int itemSlots = 0;
};

// The most records a table holds; the weapon tables count their "NONE" entry.
inline constexpr size_t kPrimaryCapacity = 64;
inline constexpr size_t kSecondaryCapacity = 32;
inline constexpr size_t kHandgunCapacity = 32;
inline constexpr size_t kEquipmentCapacity = 32;

// One weapon drop-down: its lines and their records, index for index. Line 0 is "NONE" with an
// empty record. When the section is missing, line 1 is the error entry, which is no weapon.
template <class Entry>
struct WeaponTable {
    StringList names;
    std::vector<Entry> records;
    bool available = true;

    // True when line i is a real weapon.
    bool IsWeapon(int i) const { return available && i > 0 && i < static_cast<int>(records.size()); }
    // The record of line i; the empty "NONE" record for anything that is not a weapon.
    const Entry& Record(int i) const { return records[IsWeapon(i) ? i : 0]; }
};

// The custom unit wizard's tables, read from the lines of unit.txt.
struct UnitTables {
    WeaponTable<PrimaryWeaponEntry> primary;
    WeaponTable<SecondaryWeaponEntry> secondary;
    WeaponTable<HandgunEntry> handguns;
    std::vector<EquipmentEntry> equipment;
    bool equipmentAvailable = true;  // false: the list shows only the error entry
};

// Reads the four sections. Lines without the commas of their form, or with an empty class, are
// skipped; lines past a table's capacity are ignored. Handguns are read only for the expansion edition.
UnitTables LoadUnitTables(const StringList& unitData, bool expansionEdition);

// Leading decimal digits as a number, 0 when there are none; stops growing at INT_MAX.
int ReadLeadingNumber(std::string_view text);

}  // namespace qm
