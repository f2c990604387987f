#pragma once
#include <string>
#include <vector>

namespace qm {

// The six document kinds, in the order their templates are registered.
enum class DocKind { Script, Description, StringTable, Briefing, Function, Text };

enum class ViewKind { Script, Description, Text };
enum class FrameKind { Script, Child };
enum class HeaderKind { None, Script, Description };

struct DocKindInfo {
    DocKind kind;
    int resourceId;
    const char* name;          // document and new-file name
    const char* filterName;
    const char* extension;     // with the dot
    const char* regTypeId;
    const char* regTypeName;
    ViewKind view;
    FrameKind frame;
    bool wrapsLines;
    HeaderKind header;
};

const std::vector<DocKindInfo>& DocKinds();
const DocKindInfo& KindInfo(DocKind kind);

// The template that opens a path: by extension (case ignored); a file whose extension no
// template claims opens with the first template, Script.
DocKind KindForPath(const std::string& path);

}  // namespace qm
