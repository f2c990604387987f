#pragma once
// The catalogue of an edition's shipped data files ("original" or "resistance"), read once.
#include <map>
#include <string>

#include "core/app/catalogue.h"

namespace qm::fuzz {

inline const Catalogue& ShippedCatalogue(const std::string& edition) {
    static std::map<std::string, Catalogue> loaded;
    auto [it, added] = loaded.try_emplace(edition);
    if (added) {
        const std::string d = std::string(QM_SOURCE_DIR) + "/data/";
        it->second.LoadDataFiles({d + edition + "/commands.txt", d + edition + "/data.txt", d + edition + "/unit.txt",
                                  d + "syntax.txt", d + "header.txt"});
    }
    return it->second;
}

}  // namespace qm::fuzz
