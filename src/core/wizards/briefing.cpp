#include "core/wizards/briefing.h"

#include "core/wizards/briefingpage.h"

namespace qm {

namespace {
int ClampSide(int side) { return side < 0 || side >= kBriefingSides ? 0 : side; }
}  // namespace

const char* SideName(int side) {
    static const char* const names[] = {"WEST", "EAST", "RESISTANCE"};
    return names[ClampSide(side)];
}

const char* SideWord(int side) {
    static const char* const words[] = {"west", "east", "guerrila"};
    return words[ClampSide(side)];
}

void BriefingWizard::ResetBriefing() {
    m_sides = {};
    m_fields = {};
    m_markerName.clear();
    m_multiSided = false;
    m_sideChoice = 0;
    m_currentSide = 0;
}

void BriefingWizard::StoreSide() { m_sides[ClampSide(m_currentSide)] = m_fields; }

void BriefingWizard::LoadSide() { m_fields = m_sides[ClampSide(m_currentSide)]; }

void BriefingWizard::SetMultiSided(bool on) {
    if (!on) {
        StoreSide();
        m_sideChoice = 0;
        m_currentSide = 0;
        LoadSide();
    }
    m_multiSided = on;
    StoreSide();
}

void BriefingWizard::ChooseSide(int side) {
    m_sideChoice = ClampSide(side);
    StoreSide();
    m_currentSide = m_sideChoice;
    LoadSide();
}

std::string BriefingWizard::GroupCaption(BriefingGroup group) const {
    static const char* const names[] = {"Plan", "Notes", "Objectives", "Endings"};
    std::string caption = names[static_cast<int>(group)];
    if (m_multiSided) caption += std::string(" - ") + SideName(m_currentSide);
    return caption;
}

BriefingWizard::Output BriefingWizard::BuildForOutput(const std::string& version) {
    StoreSide();
    if (m_multiSided) return {BuildMultiSidedPage(m_sides, version), BuildInitScript(m_sides)};
    return {BuildBriefingPage(m_fields, version), BuildInitScript(m_fields)};
}

void BriefingWizard::TakeReadBack(bool multiSided, const SideBriefings& sides) {
    ResetBriefing();
    if (multiSided) {
        m_sides = sides;
        m_multiSided = true;
        LoadSide();
    } else {
        m_fields = sides[0];
    }
}

}  // namespace qm
