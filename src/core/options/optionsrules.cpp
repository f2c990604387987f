#include "core/options/optionsrules.h"

#include <algorithm>

#include "core/app/casefold.h"

namespace qm {

std::vector<std::string> FontListNames(const std::vector<std::string>& families) {
    std::vector<std::string> names;
    for (const std::string& f : families)
        if (!f.empty() && f.front() != '@') names.push_back(f);
    std::stable_sort(names.begin(), names.end(),
                     [](const std::string& a, const std::string& b) { return FoldCase(a) < FoldCase(b); });
    // From the last item to the first, an item equal to the one after it goes.
    for (size_t i = names.size(); i-- > 1;)
        if (names[i - 1] == names[i]) names.erase(names.begin() + static_cast<long>(i));
    return names;
}

int FontSizeListIndex(int size) {
    const std::string wanted = std::to_string(size);
    for (int s = kSmallestFontSize; s <= kLargestFontSize; ++s)
        if (std::to_string(s).rfind(wanted, 0) == 0) return s - kSmallestFontSize;
    return 0;
}

int FontPixelHeight(int points, int dpi) {
    return std::max(1, static_cast<int>(static_cast<long long>(points) * dpi / 72));
}

}  // namespace qm
