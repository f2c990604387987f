// The script rules, the exec, sound and picture references over any text, as script and as function.
#include "core/app/catalogue.h"
#include "core/tools/missioncheck.h"
#include "core/views/scriptproblems.h"
#include "fuzztarget.h"
#include "shippedcatalogue.h"

namespace {
const qm::ScriptRules& Rules() {
    static const std::shared_ptr<const qm::ScriptRules> rules = [] {
        return qm::MakeScriptRules(qm::fuzz::ShippedCatalogue("original"),
                                   qm::fuzz::ShippedCatalogue("resistance").m_commands, 0);
    }();
    return *rules;
}

// Every position lies within its line.
template <typename T>
void CheckPlaces(const std::vector<T>& found, const std::vector<std::u16string_view>& lines) {
    for (const T& f : found) {
        QM_FUZZ_CHECK(f.line >= 0 && static_cast<size_t>(f.line) < lines.size());
        QM_FUZZ_CHECK(f.column >= 0 && f.length >= 0);
        QM_FUZZ_CHECK(static_cast<size_t>(f.column + f.length) <= lines[f.line].size());
    }
}
}  // namespace

QM_FUZZ_TARGET(scriptproblems) {
    // One byte a character, as the game's 8-bit files are.
    std::u16string text(data, data + size);
    const auto lines = qm::SplitLines(text);
    for (qm::ScriptKind kind : {qm::ScriptKind::Script, qm::ScriptKind::Function}) {
        const auto problems = qm::FindScriptProblems(text, kind, Rules());
        CheckPlaces(problems, lines);
        for (size_t i = 1; i < problems.size(); ++i)
            QM_FUZZ_CHECK(problems[i - 1].line < problems[i].line ||
                          (problems[i - 1].line == problems[i].line && problems[i - 1].column <= problems[i].column));
        CheckPlaces(qm::ExecReferences(text, kind), lines);
    }
    CheckPlaces(qm::DescriptionSounds(text), lines);
    CheckPlaces(qm::PagePictures(text), lines);
}
