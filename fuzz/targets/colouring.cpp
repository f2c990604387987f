// The colouring rules and the word steps, line by line, against the shipped catalogue.
#include <filesystem>

#include "core/app/catalogue.h"
#include "core/views/colouring.h"
#include "core/views/labelindex.h"
#include "core/views/wordbreak.h"
#include "fuzztarget.h"
#include "shippedcatalogue.h"

namespace {
const qm::Catalogue& Shipped() { return qm::fuzz::ShippedCatalogue("resistance"); }

void CheckRuns(const std::vector<qm::ColourRun>& runs, size_t length) {
    int at = 0;
    for (const auto& r : runs) {
        QM_FUZZ_CHECK(r.start == at);
        QM_FUZZ_CHECK(r.length > 0);
        at += r.length;
    }
    QM_FUZZ_CHECK(static_cast<size_t>(at) == length);
}

void CheckSpan(std::pair<int, int> span, int length) {
    QM_FUZZ_CHECK(0 <= span.first && span.first <= span.second && span.second <= length);
}
}  // namespace

QM_FUZZ_TARGET(colouring) {
    // Lines are UTF-16 code units, two bytes each; "\n" (0x000A) separates them.
    std::vector<std::u16string> lines(1);
    for (size_t i = 0; i + 1 < size; i += 2) {
        const char16_t c = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
        if (c == u'\n') lines.emplace_back();
        else lines.back().push_back(c);
    }
    const qm::Catalogue& catalogue = Shipped();
    qm::LabelIndex labels;
    labels.Rebuild(lines);
    for (size_t n = 0; n < lines.size(); ++n) {
        const std::u16string& line = lines[n];
        const int len = static_cast<int>(line.size());
        auto script = qm::ColourScriptLine(line, catalogue);
        if (len > 0) CheckRuns(script, line.size());
        auto desc = qm::ColourDescriptionLine(line);
        if (len > 0) CheckRuns(desc, line.size());
        // Every position of a short line; a long one is sampled, or the run time goes quadratic.
        const int step = len <= 256 ? 1 : len / 64;
        for (int pos = 0; pos <= len; pos += step) {
            {
                CheckSpan(qm::WordAround(line, pos), len);
                CheckSpan(qm::DoubleClickSelection(line, pos, true), len);
                CheckSpan(qm::DoubleClickSelection(line, pos, false), len);
                const int start = qm::WordStartAt(line, pos);
                QM_FUZZ_CHECK(0 <= start && start <= pos);
                const int next = qm::NextWordStart(line, pos);
                QM_FUZZ_CHECK(pos <= next && next <= len);
            }
        }
        QM_FUZZ_CHECK(qm::DescriptionIndent(line) >= 0);
        // An edit of one line leaves the index as reading everything would.
        labels.UpdateLine(static_cast<int>(n), line + u"#");
    }
    qm::LabelIndex fresh;
    std::vector<std::u16string> edited = lines;
    for (auto& l : edited) l += u"#";
    fresh.Rebuild(edited);
    QM_FUZZ_CHECK(fresh.Entries() == labels.Entries());
}
