#pragma once
#include <string>
#include <vector>

namespace qm {

// The font list's names: families whose name begins with "@" (the vertical variants) are left
// out, the rest sorted as a sorted list sorts them (letter case ignored) and each listed once.
std::vector<std::string> FontListNames(const std::vector<std::string>& families);

// The font size list holds "6" to "24". The item shown for a size is the first whose text begins
// with the size written in decimal (so 1 shows "10"), or the first item when none does.
inline constexpr int kSmallestFontSize = 6;
inline constexpr int kLargestFontSize = 24;
int FontSizeListIndex(int size);
inline int FontSizeOfListIndex(int index) { return index + kSmallestFontSize; }

// A font height in pixels for a size in points on a screen of dpi dots per inch.
int FontPixelHeight(int points, int dpi);

}  // namespace qm
