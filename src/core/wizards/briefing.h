#pragma once
#include <array>
#include <string>

namespace qm {

inline constexpr int kBriefingSides = 3;       // WEST, EAST, RESISTANCE
inline constexpr int kBriefingObjectives = 8;
inline constexpr int kBriefingEndings = 3;

// One side's briefing. Texts hold "\r\n" line breaks, as they are written into the page.
struct SideBriefing {
    std::string plan;
    std::string notes;
    std::array<std::string, kBriefingObjectives> objectives;
    std::array<bool, kBriefingObjectives> hidden{};  // the objective starts hidden
    std::array<std::string, kBriefingEndings> endingTitles;
    std::array<std::string, kBriefingEndings> endingTexts;

    bool operator==(const SideBriefing&) const = default;
};

using SideBriefings = std::array<SideBriefing, kBriefingSides>;

// "WEST", "EAST", "RESISTANCE": the side in captions and marker comments.
const char* SideName(int side);
// "west", "east", "guerrila": the side in anchor names.
const char* SideWord(int side);

// The four groups whose captions name the side in multi-sided mode.
enum class BriefingGroup { Plan, Notes, Objectives, Endings };

// The briefing wizard without its widgets: three side records, the working fields the controls
// show, and the multi-sided state. In single-sided mode the fields are WEST's record.
class BriefingWizard {
public:
    BriefingWizard() { ResetBriefing(); }

    void ResetBriefing();
    // Fields into record[current side], and back.
    void StoreSide();
    void LoadSide();

    // The check box: turning it on makes the present content WEST's; turning it off shows WEST
    // again and keeps the other sides' records.
    void SetMultiSided(bool on);
    // A side radio button: the fields go to the side shown until now, the chosen side's record comes in.
    void ChooseSide(int side);

    // "Plan" in single-sided mode, "Plan - EAST" in multi-sided mode.
    std::string GroupCaption(BriefingGroup group) const;

    // Stores the fields, then builds the page and the Init script for the mode (the script is
    // empty when no objective starts hidden).
    struct Output {
        std::string page, init;
    };
    Output BuildForOutput(const std::string& version);

    // A page read back: the reset state with the read texts, in the mode of the page.
    void TakeReadBack(bool multiSided, const SideBriefings& sides);

    SideBriefing m_fields;
    SideBriefings m_sides;
    std::string m_markerName;
    bool m_multiSided = false;
    int m_sideChoice = 0;
    int m_currentSide = 0;
};

}  // namespace qm
