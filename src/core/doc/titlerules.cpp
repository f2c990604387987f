#include "core/doc/titlerules.h"

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
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace qm
