#include "core/wizards/descriptionwizard.h"

#include <algorithm>
#include <utility>

#include "core/app/casefold.h"
#include "core/wizards/cratewizard.h"
#include "core/wizards/wizardcommon.h"

namespace qm {

namespace {
void Fill(StringList& into, bool& available, const StringList& from) {
    available = !from.empty();
    if (!available) {
        into = StringList{kNotAvailable};
        return;
    }
    // Sorted as the drop-downs show them: letter case ignored, equal names in catalogue order.
    std::vector<std::pair<std::string, std::string>> keyed;
    for (const auto& line : from) keyed.emplace_back(FoldCase(line), line);
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    into.clear();
    for (auto& k : keyed) into.push_back(std::move(k.second));
}
}  // namespace

bool HasGearItem(const std::vector<GearItem>& items, const std::string& name) {
    const std::string prefix = FoldCase(name + " ");
    return std::any_of(items.begin(), items.end(),
                       [&](const GearItem& item) { return FoldCase(item.text).starts_with(prefix); });
}

void DescriptionWizard::ResetWizard(const StringList& weapons, const StringList& ammo, const StringList& equipment) {
    Fill(m_weapons.lines, m_weapons.available, weapons);
    Fill(m_ammo.lines, m_ammo.available, ammo);
    Fill(m_equipment.lines, m_equipment.available, equipment);
    m_data.respawnIndex = kDefaultRespawnIndex;
    m_data.delay = kDefaultDelay;
}

DescriptionWizard::SourceList& DescriptionWizard::List(GearSource source) {
    switch (source) {
        case GearSource::Weapons: return m_weapons;
        case GearSource::Ammo: return m_ammo;
        case GearSource::Equipment: break;
    }
    return m_equipment;
}

const DescriptionWizard::SourceList& DescriptionWizard::List(GearSource source) const {
    return const_cast<DescriptionWizard*>(this)->List(source);
}

const StringList& DescriptionWizard::Source(GearSource source) const { return List(source).lines; }
bool DescriptionWizard::SourceAvailable(GearSource source) const { return List(source).available; }
uint32_t DescriptionWizard::Count(GearSource source) const { return List(source).count; }
void DescriptionWizard::SetCount(GearSource source, uint32_t count) { List(source).count = count; }

int DescriptionWizard::AmmoForWeapon(int weaponLine) const {
    if (!m_weapons.available || !m_ammo.available) return -1;
    if (weaponLine < 0 || weaponLine >= static_cast<int>(m_weapons.lines.size())) return -1;
    return FindFirstWithPrefix(m_ammo.lines, m_weapons.lines[weaponLine]);
}

bool DescriptionWizard::AddGear(GearSource source, int index) {
    const SourceList& list = List(source);
    if (!list.available || index < 0 || index >= static_cast<int>(list.lines.size())) return false;
    const std::string& name = list.lines[index];
    const bool weapon =
        source == GearSource::Weapons || (source == GearSource::Equipment && IsWeaponEquipment(name));
    std::vector<GearItem>& items = weapon ? m_data.weaponItems : m_data.magazineItems;
    if (HasGearItem(items, name)) return false;
    items.push_back({name + " (" + std::to_string(list.count) + ")", list.count});
    return true;
}

void DescriptionWizard::RemoveGear(int weaponLine, int magazineLine) {
    auto erase = [](std::vector<GearItem>& items, int line) {
        if (line >= 0 && line < static_cast<int>(items.size())) items.erase(items.begin() + line);
    };
    erase(m_data.weaponItems, weaponLine);
    erase(m_data.magazineItems, magazineLine);
}

void DescriptionWizard::ClearGear() {
    m_data.weaponItems.clear();
    m_data.magazineItems.clear();
}

bool DescriptionWizard::AddFile(StringList& list, const std::string& text) {
    if (text.empty()) return false;
    list.push_back(OggFileName(text));
    return true;
}

void DescriptionWizard::RemoveAt(StringList& list, int line) {
    if (line >= 0 && line < static_cast<int>(list.size())) list.erase(list.begin() + line);
}

}  // namespace qm
