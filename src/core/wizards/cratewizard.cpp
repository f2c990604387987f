#include "core/wizards/cratewizard.h"

#include <algorithm>
#include <cstdint>

#include "core/app/casefold.h"
#include "core/wizards/cratescript.h"
#include "core/wizards/wizardcommon.h"

namespace qm {

std::optional<uint32_t> ParseCrateCount(std::string_view text) {
    if (text.empty()) return std::nullopt;
    uint64_t n = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + static_cast<uint64_t>(c - '0');
        if (n > UINT32_MAX) return std::nullopt;
    }
    return static_cast<uint32_t>(n);
}

int FindFirstWithPrefix(const StringList& lines, std::string_view prefix) {
    const std::string folded = FoldCase(prefix);
    for (size_t i = 0; i < lines.size(); ++i)
        if (FoldCase(lines[i]).starts_with(folded)) return static_cast<int>(i);
    return -1;
}

namespace {
void Fill(StringList& into, bool& available, const StringList& from) {
    available = !from.empty();
    into = available ? from : StringList{kNotAvailable};
}
}  // namespace

void CrateWizard::ResetWizard(const StringList& weapons, const StringList& ammo, const StringList& equipment,
                              int randomNumber) {
    Fill(m_weapons.lines, m_weapons.available, weapons);
    Fill(m_magazines.lines, m_magazines.available, ammo);
    if (m_magazines.available) {
        std::vector<std::pair<std::string, std::string>> keyed;
        for (const auto& m : m_magazines.lines) keyed.emplace_back(FoldCase(m), m);
        std::stable_sort(keyed.begin(), keyed.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (size_t i = 0; i < keyed.size(); ++i) m_magazines.lines[i] = keyed[i].second;
    }
    Fill(m_equipment.lines, m_equipment.available, equipment);
    m_contents.lines.clear();
    m_contents.name = DefaultWizardName("CRATE_", randomNumber);
}

CrateWizard::SourceList& CrateWizard::List(CrateSource source) {
    switch (source) {
        case CrateSource::Weapons: return m_weapons;
        case CrateSource::Magazines: return m_magazines;
        case CrateSource::Equipment: break;
    }
    return m_equipment;
}

const CrateWizard::SourceList& CrateWizard::List(CrateSource source) const {
    return const_cast<CrateWizard*>(this)->List(source);
}

const StringList& CrateWizard::Source(CrateSource source) const { return List(source).lines; }
bool CrateWizard::SourceAvailable(CrateSource source) const { return List(source).available; }
uint32_t CrateWizard::Count(CrateSource source) const { return List(source).count; }
void CrateWizard::SetCount(CrateSource source, uint32_t count) { List(source).count = count; }

void CrateWizard::StepCount(CrateSource source, int steps) {
    int64_t next = static_cast<int64_t>(List(source).count) + steps;
    next = std::clamp<int64_t>(next, 0, UINT32_MAX);
    List(source).count = static_cast<uint32_t>(next);
}

int CrateWizard::MagazineForWeapon(int weaponLine) const {
    if (!m_weapons.available || !m_magazines.available) return -1;
    if (weaponLine < 0 || weaponLine >= static_cast<int>(m_weapons.lines.size())) return -1;
    return FindFirstWithPrefix(m_magazines.lines, m_weapons.lines[weaponLine]);
}

std::string CrateWizard::CargoCommand(CrateSource source, const std::string& cls) {
    if (source == CrateSource::Weapons) return "AddWeaponCargo";
    if (source == CrateSource::Equipment && IsWeaponEquipment(cls)) return "AddWeaponCargo";
    return "AddMagazineCargo";
}

bool CrateWizard::Add(CrateSource source, int index) {
    const SourceList& list = List(source);
    if (!list.available || index < 0 || index >= static_cast<int>(list.lines.size())) return false;
    const std::string& cls = list.lines[index];
    // The closing quote and comma belong to the prefix, so a longer class that merely begins
    // like an existing one is still added.
    const std::string prefix = CargoCommand(source, cls) + " [\"" + cls + "\", ";
    if (FindFirstWithPrefix(m_contents.lines, prefix) >= 0) return false;
    m_contents.lines.push_back(prefix + std::to_string(list.count) + "]");
    return true;
}

void CrateWizard::RemoveLine(int line) {
    if (line < 0 || line >= static_cast<int>(m_contents.lines.size())) return;
    m_contents.lines.erase(m_contents.lines.begin() + line);
}

bool CrateWizard::CanCreateToDisk() const { return IsValidWizardName(m_contents.name); }

std::string CrateWizard::BuildCrateScript(const std::string& version) const {
    return qm::BuildCrateScript(m_contents, version);
}

}  // namespace qm
