// The briefing reader over any page, and the writer's page read back. The input is a page; its
// first pieces (split at "\x1e\n") also serve as the plan, notes and first objective of a page
// the writer makes.
#include <algorithm>

#include "core/wizards/briefingpage.h"
#include "core/wizards/briefingreader.h"
#include "fuzztarget.h"

namespace {
std::string WithoutLineBreaks(std::string s) {
    s.erase(std::remove_if(s.begin(), s.end(), [](char c) { return c == '\r' || c == '\n'; }), s.end());
    return s;
}
}  // namespace

QM_FUZZ_TARGET(briefingreader) {
    const std::string page(reinterpret_cast<const char*>(data), size);
    const std::string flat = WithoutLineBreaks(page);
    const qm::ParsedBriefing read = qm::ParseBriefing(page);
    // Whatever was read back is a piece of the page: nothing from outside the text.
    for (const qm::SideBriefing& side : read.sides) {
        QM_FUZZ_CHECK(flat.find(side.plan) != std::string::npos);
        QM_FUZZ_CHECK(flat.find(side.notes) != std::string::npos);
        for (const std::string& o : side.objectives) QM_FUZZ_CHECK(flat.find(o) != std::string::npos);
        for (const std::string& t : side.endingTexts) QM_FUZZ_CHECK(flat.find(t) != std::string::npos);
    }

    const std::vector<std::string> parts = qm::fuzz::SplitParts(data, size, 3);
    qm::SideBriefing side;
    side.plan = parts[0];
    side.notes = parts[1];
    side.objectives[0] = parts[2];
    // A page the writer made always reads back.
    QM_FUZZ_CHECK(qm::ParseBriefing(qm::BuildBriefingPage(side, "Version 3.0.1000")).ok);
}
