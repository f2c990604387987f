#pragma once
#include <string>

#include "core/wizards/briefing.h"

namespace qm {

// The game's briefing page for one side, with the marker comments the wizard reads back.
// Every line ends in "\r\n"; user texts go in as typed, nothing escaped.
std::string BuildBriefingPage(const SideBriefing& briefing, const std::string& version);

// The page with a block per side whose plan is not empty, in the order WEST, EAST, RESISTANCE.
std::string BuildMultiSidedPage(const SideBriefings& sides, const std::string& version);

// The Init script hiding the objectives marked hidden, empty when none is. A hidden objective
// counts even without a text, and in the multi-sided form even on a side the page leaves out.
std::string BuildInitScript(const SideBriefing& briefing);
std::string BuildInitScript(const SideBriefings& sides);

// A map hyperlink put over the selection [start, end) of a text (UTF-16 offsets, as the edit
// controls count). Without a selection inside the text nothing changes (changed is false).
struct HyperlinkEdit {
    bool changed = false;
    std::u16string text;
    int caret = 0;  // after the inserted link
};
HyperlinkEdit InsertHyperlink(const std::u16string& text, int start, int end, const std::u16string& markerName);

}  // namespace qm
