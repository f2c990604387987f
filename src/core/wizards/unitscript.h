#pragma once
#include <string>

#include "core/wizards/unitloadout.h"
#include "core/wizards/unittables.h"

namespace qm {

// The .sqs script that strips the unit (optionally) and gives it the loadout. Lines end in
// "\r\n" except the closing "Exit". Magazines come before the weapon that uses them.
std::string BuildUnitScript(const UnitTables& tables, const UnitLoadout& loadout, const std::string& version);

}  // namespace qm
