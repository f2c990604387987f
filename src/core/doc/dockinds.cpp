#include "core/doc/dockinds.h"

#include "core/app/casefold.h"

namespace qm {

const std::vector<DocKindInfo>& DocKinds() {
    static const std::vector<DocKindInfo> kinds = {
        {DocKind::Script, 131, "Script", "Script Files (*.sqs)", ".sqs", "VarnholtScript.Document",
         "Varnholt Script File", ViewKind::Script, FrameKind::Script, false, HeaderKind::Script},
        {DocKind::Description, 132, "Description", "Description Files (*.ext)", ".ext",
         "VarnholtDescription.Document", "Varnholt Description File", ViewKind::Description, FrameKind::Child,
         false, HeaderKind::Description},
        {DocKind::StringTable, 133, "StringTable", "String Table Files (*.csv)", ".csv",
         "VarnholtStringTable.Document", "Varnholt String Table File", ViewKind::Text, FrameKind::Child, true,
         HeaderKind::None},
        {DocKind::Briefing, 134, "Briefing", "Briefing/Overview Files (*.html)", ".html",
         "VarnholtBriefing.Document", "Varnholt Briefing File", ViewKind::Text, FrameKind::Child, true,
         HeaderKind::None},
        {DocKind::Function, 135, "Function", "Function Files (*.sqf)", ".sqf", "VarnholtFunction.Document",
         "Varnholt Function File", ViewKind::Script, FrameKind::Script, false, HeaderKind::Script},
        {DocKind::Text, 136, "Text", "Text Files (*.txt)", ".txt", "VarnholtText.Document", "Varnholt Text File",
         ViewKind::Text, FrameKind::Child, true, HeaderKind::None},
    };
    return kinds;
}

const DocKindInfo& KindInfo(DocKind kind) { return DocKinds()[static_cast<size_t>(kind)]; }

DocKind KindForPath(const std::string& path) {
    const std::string folded = FoldCase(path);
    for (const auto& k : DocKinds()) {
        const std::string ext = k.extension;
        if (folded.size() > ext.size() && folded.compare(folded.size() - ext.size(), ext.size(), ext) == 0)
            return k.kind;
    }
    return DocKind::Script;
}

}  // namespace qm
