#pragma once
#include <cstdio>
#include <string>
#include <vector>

namespace qm {

// "--help" and "--version", the conventions of a Linux program. Either one anywhere on the command
// line answers on standard output and ends the program before any window or setting exists, so it
// is never taken for a file name. Only the exact long forms count: "-h" or "--HELP" stay file names
// as every other argument the program does not know.
enum class InfoRequest { None, Help, Version };

InfoRequest MatchInfoRequest(const std::vector<std::string>& args);

// The usage text lists the wizard switches from their own table.
std::string UsageText();
std::string VersionText(const std::string& version);

// Writes the answer to out and returns the exit status: 0, or 1 when the text could not be
// written (a closed pipe, a full disk), which is told on err.
int ShowInfo(InfoRequest request, const std::string& version, std::FILE* out, std::FILE* err);

}  // namespace qm
