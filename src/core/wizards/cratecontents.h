#pragma once
#include <string>

#include "core/app/catalogue.h"

namespace qm {

// What the crate script is built from: the crate's name, whether it is emptied first, and its
// cargo lines ("AddWeaponCargo [\"class\", 5]") in the order they were added.
struct CrateContents {
    std::string name;
    bool emptyCrate = true;
    StringList lines;
};

}  // namespace qm
