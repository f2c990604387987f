#include "core/doc/titlerules.h"

#include "core/app/datapaths.h"

namespace qm {

std::string StripModifiedMarker(std::string title) {
    while (!title.empty() && title.back() == '*') title.pop_back();
    return title;
}

std::string MarkedTitle(const std::string& title, bool modified) {
    std::string t = StripModifiedMarker(title);
    if (modified) t.push_back('*');
    return t;
}

std::string ResolveTitle(const std::string& text, const std::string& pathName, const std::string& currentTitle,
                         DocKind kind) {
    if (pathName.empty() && currentTitle.empty()) return KindInfo(kind).name;
    return text;
}

std::string FileNameOfPath(const std::string& path) {
    for (size_t i = path.size(); i-- > 0;)
        if (IsPathSeparator(path[i])) return path.substr(i + 1);
    return path;
}

}  // namespace qm
