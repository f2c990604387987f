#pragma once
#include <string>

#include "core/wizards/cratecontents.h"

namespace qm {

// The .sqs script that empties the crate (optionally) and loads it. Every line ends in "\r\n",
// the closing "Exit" too.
std::string BuildCrateScript(const CrateContents& crate, const std::string& version);

}  // namespace qm
