#pragma once
#include <functional>

namespace qm {

// A search that runs off the end of the text (or its start, searching up) goes on from the
// other end. `findFrom(from)` gives the position of the next match from `from` in the search's
// direction, -1 when there is none; `textEnd` is where a search up starts over.
struct WrapFound {
    int position = -1;     // -1: the text holds no match at all
    bool wrapped = false;  // the match was found only after starting over
};
WrapFound FindWrapping(const std::function<int(int)>& findFrom, int from, int textEnd, bool backward);

// What the status bar says when a search started over.
const char* WrapMessage(bool backward);

}  // namespace qm
