#pragma once
#include <string>

#include "core/app/catalogue.h"

namespace qm {

// The command reference manual: one HTML page listing every command of both editions (case
// ignored, sorted) with its syntax block from syntax.txt, an index linking to each entry, and
// the editions that know it. Built from the shipped data files at build time.
std::string BuildCommandReference(const StringList& originalCommands, const StringList& resistanceCommands,
                                  const Catalogue& syntax, const std::string& version);

}  // namespace qm
