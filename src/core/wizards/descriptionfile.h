#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/catalogue.h"

namespace qm {

// One line of a gear list: "class (count)", with the count kept beside the text.
struct GearItem {
    std::string text;
    uint32_t count = 0;
};

// Everything a description file is built from: which blocks to write and what goes into them.
struct DescriptionData {
    bool gear = false;
    bool respawn = false;
    bool sounds = false;
    bool music = false;
    int respawnIndex = 0;  // 0 NONE .. 5 SIDE
    std::string delay;     // the delay list's text; empty means "15"
    StringList soundFiles;
    StringList musicFiles;
    std::vector<GearItem> weaponItems;
    std::vector<GearItem> magazineItems;
};

// "NONE", "BIRD", "INSTANT", "BASE", "GROUP", "SIDE" for 0..5; an index outside that range
// writes the default "BASE".
const char* RespawnWord(int index);

// The delay list's items: "0", "5", ..., "60".
StringList RespawnDelays();

// A sound or music file as the list keeps it: ".ogg" appended unless the text holds it already
// (letter case counts, so "Boom.OGG" becomes "Boom.OGG.ogg").
std::string OggFileName(std::string_view text);

// The class name the game knows a sound or track by: the file name with every ".ogg" removed.
std::string OggClassName(std::string_view file);

// The class name of a gear line: its text up to the first space.
std::string GearClassName(std::string_view text);

// The whole .ext file, every line ending in "\r\n". A pure function of its arguments.
std::string BuildDescription(const DescriptionData& data, const std::string& version);

}  // namespace qm
