#include "core/options/filetypes.h"

namespace qm {

std::vector<DocKind> FileTypesToUnregister(const FrameSettings& s) {
    const std::pair<int, DocKind> order[] = {
        {s.m_regSQS, DocKind::Script},      {s.m_regEXT, DocKind::Description}, {s.m_regSQF, DocKind::Function},
        {s.m_regCSV, DocKind::StringTable}, {s.m_regHTML, DocKind::Briefing},   {s.m_regTXT, DocKind::Text},
    };
    std::vector<DocKind> kinds;
    for (const auto& [flag, kind] : order)
        if (flag == 1) kinds.push_back(kind);
    return kinds;
}

bool SetFileTypeAssociation(Registry& registry, DocKind kind, bool associate) {
    (void)registry;
    (void)kind;
    (void)associate;
    return true;  // HOOK: file-type registration fills this in.
}

}  // namespace qm
