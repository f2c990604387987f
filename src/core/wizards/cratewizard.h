#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/app/catalogue.h"
#include "core/wizards/cratecontents.h"

namespace qm {

enum class CrateSource { Weapons, Magazines, Equipment };

// A count field's text read as an unsigned 32-bit number: digits only, not empty, not too large.
std::optional<uint32_t> ParseCrateCount(std::string_view text);

// The index of the first line that begins with prefix, letter case ignored; -1 when none does.
int FindFirstWithPrefix(const StringList& lines, std::string_view prefix);

// The crate builder without its widgets: the three source lists, the counts, the crate's lines
// and the rules for adding to it.
class CrateWizard {
public:
    static constexpr uint32_t kDefaultWeaponCount = 5;
    static constexpr uint32_t kDefaultMagazineCount = 25;
    static constexpr uint32_t kDefaultEquipmentCount = 5;

    // Refills the source lists (magazines sorted, letter case ignored), empties the crate and
    // names it "CRATE_" + randomNumber mod 1000. Counts and the empty-crate choice stay.
    void ResetWizard(const StringList& weapons, const StringList& ammo, const StringList& equipment,
                     int randomNumber);

    // The lines of a source list; an empty catalogue list shows the single error entry.
    const StringList& Source(CrateSource source) const;
    // False when the list holds only the error entry, which is nothing to add.
    bool SourceAvailable(CrateSource source) const;

    uint32_t Count(CrateSource source) const;
    void SetCount(CrateSource source, uint32_t count);
    // Arrow presses: the count stays within 0..4294967295.
    void StepCount(CrateSource source, int steps);

    // The magazine line to select for weapon line i: the first magazine that begins with the
    // weapon's class; -1 leaves the selection as it is.
    int MagazineForWeapon(int weaponLine) const;

    // Appends a cargo line for line `index` of the source with the source's count. Nothing happens
    // (false) when the crate already holds that command and class, or for the error entry.
    bool Add(CrateSource source, int index);
    void RemoveLine(int line);
    void ClearLines() { m_contents.lines.clear(); }

    const CrateContents& Contents() const { return m_contents; }
    void SetName(const std::string& name) { m_contents.name = name; }
    void SetEmptyCrate(bool on) { m_contents.emptyCrate = on; }

    bool CanClear() const { return !m_contents.lines.empty(); }
    bool CanCreateToDisk() const;
    bool CanCreateInEditor(bool editorAvailable) const { return editorAvailable && CanCreateToDisk(); }

    std::string BuildCrateScript(const std::string& version) const;

    // "AddWeaponCargo" for weapons and for equipment that the game counts as a weapon
    // ("Binocular", "NVGoggles"); "AddMagazineCargo" otherwise.
    static std::string CargoCommand(CrateSource source, const std::string& cls);

private:
    struct SourceList {
        StringList lines;
        bool available = false;
        uint32_t count = 0;
    };
    SourceList& List(CrateSource source);
    const SourceList& List(CrateSource source) const;

    SourceList m_weapons{{}, false, kDefaultWeaponCount};
    SourceList m_magazines{{}, false, kDefaultMagazineCount};
    SourceList m_equipment{{}, false, kDefaultEquipmentCount};
    CrateContents m_contents;
};

}  // namespace qm
