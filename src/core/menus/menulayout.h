#pragma once
#include <string>

namespace qm {

// Measures and positions of the owner-drawn menus, in pixels.
inline constexpr int kPictureSize = 16;
inline constexpr int kIconColumnWidth = 22;
inline constexpr int kIconItemHeight = kPictureSize + 6;
inline constexpr int kCaptionLeft = 27;       // captions and the separator line start here
inline constexpr int kShortcutRightGap = 5;   // the shortcut ends this far from the right edge
inline constexpr int kSeparatorWidth = 90;
inline constexpr int kSeparatorHeight = 3;
inline constexpr int kLightenAmount = 64;
inline constexpr float kMenuWidthFactor = 0.9f;
inline constexpr int kBarPictureCommand = 1123;  // the document bar's picture; no handler serves it
inline constexpr int kPictureSlots = 16;

struct MenuRect {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};
struct MenuPoint {
    int x = 0, y = 0;
    bool operator==(const MenuPoint&) const = default;
};
struct MenuSize {
    int width = 0, height = 0;
    bool operator==(const MenuSize&) const = default;
};

// A pop-up item as measured: a separator (command 0) is 90 x 3; any other item is
// (text width + 22) x 0.9 wide, truncated, and 22 high. textWidth is the whole caption's, tab and
// shortcut included.
MenuSize MeasureIconItem(int commandId, int textWidth);
// The width an item finally gets: the measured one, but never narrower than what it draws (the
// caption from x + 27, a gap, the shortcut and its 5 pixels at the right), so no text is cut.
int FitIconItemWidth(int measuredWidth, int captionWidth, int shortcutWidth);
inline constexpr int kShortcutGap = 12;

// A bar item: the picture item is 16 - 8 wide, a caption item its text width x 0.9, truncated.
int MeasureTopItem(int commandId, int textWidth);
// The bar pads each item by this much on either side, and never makes it narrower than its content.
inline constexpr int kTopItemPadding = 6;
int FitTopItemWidth(int measuredWidth, int contentWidth);

// Where an item's picture goes: 3 pixels into the column, centred vertically (integer halves).
MenuPoint IconPicturePosition(const MenuRect& rc);
// The separator line's row (the vertical centre).
int SeparatorLineY(const MenuRect& rc);
// The bar picture, centred in its item.
MenuPoint TopPicturePosition(const MenuRect& rc, int pictureWidth, int pictureHeight);

// A caption split at its first tab: the text before it, and the shortcut after it.
struct CaptionParts {
    std::string caption;
    std::string shortcut;
    bool hasShortcut = false;
};
CaptionParts SplitCaption(const std::string& text);

// Captions measured as bar items, whatever menu holds them.
bool IsBarCaption(const std::string& caption);

// The caption as a Qt menu shows it: "&" doubled, and a mnemonic "&" put before the letter that
// standardCaption marks with "&" (its first occurrence at a word start, else its first occurrence).
// Without a marked letter in standardCaption the first letter or digit gets it; with one that the
// caption lacks there is none.
std::string MnemonicCaption(const std::string& caption, const std::string& standardCaption);

// The 8 x 8 check glyph, rows from top to bottom, '#' for a black pixel.
extern const char* const kCheckGlyph[8];

}  // namespace qm
