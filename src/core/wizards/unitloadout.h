#pragma once
#include <string>
#include <vector>

namespace qm {

// The soldier's loadout as chosen in the custom unit wizard.
struct UnitLoadout {
    std::string name;
    // Selected lines of the three weapon drop-downs; 0 is "NONE".
    int primary = 0, secondary = 0, handgun = 0;
    int primaryMagazines = 0, launcherMagazines = 0, secondaryAmmo = 0, handgunMagazines = 4;
    std::vector<int> equipmentCounts;  // one per equipment record
    bool binoculars = false, nvGoggles = false, sniper = false, removeGear = true;
};

}  // namespace qm
