#include "core/wizards/unitwizard.h"

#include <climits>

#include "core/wizards/unitscript.h"
#include "core/wizards/wizardcommon.h"

namespace qm {

namespace {
constexpr int64_t kUsedLimit = INT64_MAX;

// used + slotsEach x count without overflowing, for any numbers a data file may hold.
int64_t AddLoad(int64_t used, int slotsEach, int count) {
    if (slotsEach <= 0 || count <= 0) return used;
    const int64_t load = static_cast<int64_t>(slotsEach) * count;  // both below 2^31: fits
    return load > kUsedLimit - used ? kUsedLimit : used + load;
}
}  // namespace

void UnitWizard::ResetWizard(const StringList& unitData, bool expansionEdition, int randomNumber) {
    m_expansionEdition = expansionEdition;
    m_tables = LoadUnitTables(unitData, expansionEdition);
    m_loadout = UnitLoadout{};
    m_loadout.name = DefaultWizardName("UNIT_", randomNumber);
    m_loadout.equipmentCounts.assign(m_tables.equipment.size(), 0);
}

void UnitWizard::SelectPrimary(int index) {
    if (index < 0 || index >= static_cast<int>(m_tables.primary.names.size())) return;
    m_loadout.primary = index;
    if (!PrimaryCountEnabled()) m_loadout.primaryMagazines = 0;
    if (!LauncherEnabled()) m_loadout.launcherMagazines = 0;
}

void UnitWizard::SelectSecondary(int index) {
    if (!SecondaryListEnabled()) return;
    if (index < 0 || index >= static_cast<int>(m_tables.secondary.names.size())) return;
    m_loadout.secondary = index;  // the ammunition count keeps its value
}

void UnitWizard::SelectHandgun(int index) {
    if (!HandgunListEnabled()) return;
    if (index < 0 || index >= static_cast<int>(m_tables.handguns.names.size())) return;
    m_loadout.handgun = index;
}

int* UnitWizard::CountField(UnitCount which) {
    switch (which) {
        case UnitCount::Primary: return &m_loadout.primaryMagazines;
        case UnitCount::Launcher: return &m_loadout.launcherMagazines;
        case UnitCount::Secondary: return &m_loadout.secondaryAmmo;
        case UnitCount::Handgun: return &m_loadout.handgunMagazines;
    }
    return nullptr;
}

int UnitWizard::Count(UnitCount which) const {
    switch (which) {
        case UnitCount::Primary: return m_loadout.primaryMagazines;
        case UnitCount::Launcher: return m_loadout.launcherMagazines;
        case UnitCount::Secondary: return m_loadout.secondaryAmmo;
        case UnitCount::Handgun: return m_loadout.handgunMagazines;
    }
    return 0;
}

void UnitWizard::StepCount(UnitCount which, int steps) {
    const bool enabled = which == UnitCount::Primary     ? PrimaryCountEnabled()
                         : which == UnitCount::Launcher  ? LauncherEnabled()
                         : which == UnitCount::Secondary ? SecondaryCountEnabled()
                                                         : HandgunCountEnabled();
    if (!enabled) return;
    const int64_t limit = which == UnitCount::Handgun ? kMaxHandgunMagazines : INT_MAX;
    int* count = CountField(which);
    int64_t next = static_cast<int64_t>(*count) + steps;
    if (next < 0) next = 0;
    if (next > limit) next = limit;
    *count = static_cast<int>(next);
}

bool UnitWizard::AddOne(int line) {
    if (line < 0 || line >= static_cast<int>(m_loadout.equipmentCounts.size())) return false;
    int& count = m_loadout.equipmentCounts[line];
    if (count == INT_MAX) return false;
    ++count;
    return true;
}

bool UnitWizard::RemoveOne(int line) {
    if (line < 0 || line >= static_cast<int>(m_loadout.equipmentCounts.size())) return false;
    int& count = m_loadout.equipmentCounts[line];
    if (count <= 0) return false;
    --count;
    return true;
}

StringList UnitWizard::EquipmentLines() const {
    if (!m_tables.equipmentAvailable) return {kNotAvailable};
    StringList lines;
    for (size_t i = 0; i < m_tables.equipment.size(); ++i) {
        // Appended piece by piece: "(" + to_string(...) trips a false -Wrestrict in GCC 12.
        std::string line = "(";
        line += std::to_string(m_loadout.equipmentCounts[i]);
        line += ") ";
        line += m_tables.equipment[i].magazine;
        lines.push_back(std::move(line));
    }
    return lines;
}

void UnitWizard::SetSniper(bool on) {
    m_loadout.sniper = on;
    if (on) m_loadout.secondary = 0;
}

bool UnitWizard::LauncherEnabled() const {
    return PrimaryCountEnabled() && m_tables.primary.Record(m_loadout.primary).launcherMagazine != "NONE";
}

std::string UnitWizard::PrimaryMagazineLabel() const {
    return LauncherEnabled() ? m_tables.primary.Record(m_loadout.primary).magazine : "Magazines";
}

std::string UnitWizard::LauncherLabel() const {
    return LauncherEnabled() ? m_tables.primary.Record(m_loadout.primary).launcherMagazine : "GrenadeLauncher";
}

int64_t UnitWizard::Used() const {
    int64_t used = m_loadout.removeGear ? 0 : Maximum();
    const PrimaryWeaponEntry& p = m_tables.primary.Record(m_loadout.primary);
    used = AddLoad(used, p.magazineSlots, m_loadout.primaryMagazines);
    used = AddLoad(used, p.launcherSlots, m_loadout.launcherMagazines);
    used = AddLoad(used, m_tables.secondary.Record(m_loadout.secondary).magazineSlots, m_loadout.secondaryAmmo);
    for (size_t i = 0; i < m_tables.equipment.size(); ++i)
        used = AddLoad(used, m_tables.equipment[i].itemSlots, m_loadout.equipmentCounts[i]);
    return used;
}

std::string UnitWizard::CapacityText() const {
    return "Unit Capacity (" + std::to_string(Used()) + "/" + std::to_string(Maximum()) + ")";
}

bool UnitWizard::CanCreateToDisk() const { return IsValidWizardName(m_loadout.name); }

std::string UnitWizard::BuildUnitScript(const std::string& version) const {
    return qm::BuildUnitScript(m_tables, m_loadout, version);
}

}  // namespace qm
