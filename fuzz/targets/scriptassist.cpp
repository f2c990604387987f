// What the editor offers at a caret (context, completion, goto target, syntax tip), at every
// column of every line, against the shipped catalogue. Bytes are characters (Windows-1252 style).
#include "core/app/catalogue.h"
#include "core/views/completion.h"
#include "core/views/gotolabel.h"
#include "core/views/scriptcontext.h"
#include "core/views/syntaxtip.h"
#include "fuzztarget.h"
#include "shippedcatalogue.h"

namespace {
const qm::Catalogue& Shipped() { return qm::fuzz::ShippedCatalogue("resistance"); }
}  // namespace

QM_FUZZ_TARGET(scriptassist) {
    std::vector<std::u16string> lines(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == '\n') lines.emplace_back();
        else if (data[i] != '\r') lines.back().push_back(static_cast<char16_t>(data[i]));
    }
    qm::LabelIndex labels;
    labels.Rebuild(lines);
    const qm::Catalogue& catalogue = Shipped();
    for (const std::u16string& line : lines) {
        const int len = static_cast<int>(line.size());
        const int step = len <= 256 ? 1 : len / 64;  // a long line is sampled, or the run time goes quadratic
        for (int column = 0; column <= len; column += step) {
            const qm::ScriptContext context = qm::ContextAt(line, column);
            QM_FUZZ_CHECK(0 <= context.nameStart && context.nameStart <= column);
            if (context.place == qm::ScriptContext::Place::String)
                QM_FUZZ_CHECK(0 <= context.stringStart && context.stringStart < column && line[context.stringStart] == u'"');
            for (bool asked : {false, true}) {
                const qm::CompletionPlace place = qm::CompletionPlaceAt(line, column, catalogue, asked);
                if (place.kind == qm::CompletionPlace::Kind::None) continue;
                QM_FUZZ_CHECK(0 <= place.from && place.from <= place.typedFrom && place.typedFrom <= column &&
                              column <= place.to && place.to <= len);
                if (column == len) {  // the entries once a line, to keep the run quick
                    const auto items = qm::CompletionItems(place, catalogue, labels.Entries());
                    const auto typed = std::u16string_view(line).substr(place.typedFrom, column - place.typedFrom);
                    for (int i : qm::FilterCompletions(items, typed))
                        QM_FUZZ_CHECK(i >= 0 && static_cast<size_t>(i) < items.size());
                }
            }
            if (const auto name = qm::GotoTargetAt(line, column)) qm::FindLabelLine(labels.Entries(), *name);
            qm::SyntaxTipAt(catalogue, line, column);
        }
    }
}
