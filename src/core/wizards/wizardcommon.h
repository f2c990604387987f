#pragma once
#include <string>
#include <string_view>

namespace qm {

// Characters a wizard's unit, crate or file name may not hold: they are not allowed in file names.
inline constexpr std::string_view kForbiddenNameChars = "\\/:*?|\"<>";

// The entry shown in a wizard's list when the catalogue had nothing for it.
inline constexpr const char* kNotAvailable = "ERROR: Not Available";

// Binoculars and night-vision goggles: equipment the game takes as weapons, so the wizards put
// them with the weapons (the crate's AddWeaponCargo, the description's weapon list).
bool IsWeaponEquipment(std::string_view name);

// True when the name is not empty and holds none of kForbiddenNameChars.
bool IsValidWizardName(std::string_view name);

// prefix + (randomNumber mod 1000), e.g. "UNIT_42". The caller draws the number, so tests need no seed.
std::string DefaultWizardName(std::string_view prefix, int randomNumber);

// "; " followed by 71 asterisks: the banner line of the generated scripts.
std::string ScriptSeparator();

// The comment banner at the top of a generated script, up to and including its closing separator:
// the generator, the version, the file name and how to run the script from the object's
// INITIALIZATION box. `marker` leads each line ("**" or "****"); `object` is "unit" or "crate".
std::string ScriptBanner(const std::string& marker, const std::string& object, const std::string& name,
                         const std::string& version);

}  // namespace qm
