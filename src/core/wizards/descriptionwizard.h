#pragma once
#include <cstdint>
#include <string>

#include "core/app/catalogue.h"
#include "core/wizards/descriptionfile.h"

namespace qm {

enum class GearSource { Weapons, Ammo, Equipment };

// The description wizard without its widgets: the gear source lists, the counts, and the rules
// for adding to the sound, music and gear lists. The file itself is BuildDescription's.
class DescriptionWizard {
public:
    static constexpr uint32_t kDefaultWeaponCount = 3;
    static constexpr uint32_t kDefaultAmmoCount = 15;
    static constexpr uint32_t kDefaultEquipmentCount = 5;
    static constexpr int kDefaultRespawnIndex = 3;  // BASE
    static constexpr const char* kDefaultDelay = "15";

    // Refills the source lists (sorted, letter case ignored), respawn BASE and delay "15".
    // The flags, counts, file fields and the four lists stay.
    void ResetWizard(const StringList& weapons, const StringList& ammo, const StringList& equipment);

    // An empty catalogue list shows the single error entry, which adds nothing.
    const StringList& Source(GearSource source) const;
    bool SourceAvailable(GearSource source) const;

    uint32_t Count(GearSource source) const;
    void SetCount(GearSource source, uint32_t count);

    // The ammo line to select for weapon line i: the first that begins with the weapon's name,
    // letter case ignored; -1 leaves the selection as it is.
    int AmmoForWeapon(int weaponLine) const;

    // Appends "name (count)" for line `index` of the source to the weapon or magazine list.
    // Binoculars and night-vision goggles are weapons to the game. Nothing happens (false) when
    // the list holds a line beginning with the name and a space already, or for the error entry.
    bool AddGear(GearSource source, int index);
    // Removes the selected line of each gear list; -1 for a list without a selection.
    void RemoveGear(int weaponLine, int magazineLine);
    void ClearGear();

    // Appends the file to the sound or music list (".ogg" added when missing); an empty text adds
    // nothing. Duplicates are allowed: the user may want a sound twice.
    bool AddSound(const std::string& text) { return AddFile(m_data.soundFiles, text); }
    bool AddMusic(const std::string& text) { return AddFile(m_data.musicFiles, text); }
    void RemoveSound(int line) { RemoveAt(m_data.soundFiles, line); }
    void RemoveMusic(int line) { RemoveAt(m_data.musicFiles, line); }

    DescriptionData& Data() { return m_data; }
    const DescriptionData& Data() const { return m_data; }

    std::string BuildDescription(const std::string& version) const { return qm::BuildDescription(m_data, version); }

private:
    struct SourceList {
        StringList lines;
        bool available = false;
        uint32_t count = 0;
    };
    SourceList& List(GearSource source);
    const SourceList& List(GearSource source) const;
    static bool AddFile(StringList& list, const std::string& text);
    static void RemoveAt(StringList& list, int line);

    SourceList m_weapons{{}, false, kDefaultWeaponCount};
    SourceList m_ammo{{}, false, kDefaultAmmoCount};
    SourceList m_equipment{{}, false, kDefaultEquipmentCount};
    DescriptionData m_data;
};

// True when a gear list holds a line that begins with name and a space, letter case ignored.
bool HasGearItem(const std::vector<GearItem>& items, const std::string& name);

}  // namespace qm
