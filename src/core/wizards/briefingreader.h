#pragma once
#include <string>
#include <string_view>
#include <utility>

#include "core/wizards/briefing.h"

namespace qm {

// The comment that marks a page written by the briefing wizard.
inline constexpr std::string_view kBriefingWizardMarker = "<!-- [BRIEFING_WIZARD_30] -->";

// Shown (caption "FILE ERROR") when a single-sided page has no complete plan section.
inline constexpr const char* kBriefingReadError =
    "Unable to read briefing file into the Briefing Wizard.\n\n"
    "Briefing must first be created with the Briefing Wizard\n"
    "before it can be re-opened and edited.";

// (start, end): start just after the first occurrence of marker, end at the first "<!-- [END] -->"
// at or after start; -1 for what is not found (end is not looked for without a start).
std::pair<long long, long long> FindSection(std::string_view text, std::string_view marker);

// The texts of a wizard page. Line breaks are removed first, also inside the texts; sections
// that are missing keep empty texts; hide flags always come back off.
struct ParsedBriefing {
    bool ok = false;           // false: a single-sided page without a complete plan section
    bool multiSided = false;
    SideBriefings sides;       // single-sided: the texts are in sides[0]
};
ParsedBriefing ParseBriefing(std::string_view text);

// "Edit Briefing" applies to a wizard page titled "Briefing" (made in the editor) or named as the
// game reads it, "briefing.html" (opened from disk): any letter case, with or without the modified
// mark "*". Other pages holding a wizard page, such as "mission.html", are left alone.
bool IsBriefingTitle(std::string_view title);

}  // namespace qm
