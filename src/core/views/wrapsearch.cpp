#include "core/views/wrapsearch.h"

namespace qm {

WrapFound FindWrapping(const std::function<int(int)>& findFrom, int from, int textEnd, bool backward) {
    if (const int p = findFrom(from); p >= 0) return {p, false};
    const int restart = backward ? textEnd : 0;
    // Already at the other end: starting over finds nothing new.
    if (restart == from) return {};
    const int p = findFrom(restart);
    return p >= 0 ? WrapFound{p, true} : WrapFound{};
}

const char* WrapMessage(bool backward) {
    return backward ? "Passed the start of the text" : "Passed the end of the text";
}

}  // namespace qm
