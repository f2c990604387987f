#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "core/app/catalogue.h"

namespace qm {

// The catalogue's lists of quoted names.
enum class ItemList { Weapons, Ammo, VehicleAmmo, Equipment };

// The name syntax.txt gives an argument of a command: the usage line of its block names the
// command and then its right-hand argument, a single name ("unit addMagazine magazineName") or
// an array of them ("vehicle addWeaponCargo [weaponName, count]"). `inArray` and `element`
// say which one is meant. Empty when the block is missing or its usage does not have it.
std::string ArgumentName(const Catalogue& catalogue, std::string_view command, bool inArray, int element);

// The lists whose names an argument so named takes, in the order they are offered; empty for
// an argument that takes no catalogue name. Binoculars and night-vision goggles are handed out
// as weapons, grenades, mines and charges as magazines, so equipment belongs to both kinds.
std::vector<ItemList> ItemListsForArgument(std::string_view argumentName);

const StringList& ItemListOf(const Catalogue& catalogue, ItemList list);

}  // namespace qm
