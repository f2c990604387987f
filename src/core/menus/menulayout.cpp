#include "core/menus/menulayout.h"

#include <algorithm>
#include <cctype>

namespace qm {

const char* const kCheckGlyph[8] = {
    "........",
    ".......#",
    "......##",
    ".#...###",
    ".##.###.",
    ".#####..",
    "..###...",
    "...#....",
};

MenuSize MeasureIconItem(int commandId, int textWidth) {
    if (commandId == 0) return {kSeparatorWidth, kSeparatorHeight};
    return {static_cast<int>(static_cast<float>(textWidth + kIconColumnWidth) * kMenuWidthFactor), kIconItemHeight};
}

int FitIconItemWidth(int measuredWidth, int captionWidth, int shortcutWidth) {
    int needed = kCaptionLeft + captionWidth + kShortcutRightGap;
    if (shortcutWidth > 0) needed += kShortcutGap + shortcutWidth;
    return std::max(measuredWidth, needed);
}

int MeasureTopItem(int commandId, int textWidth) {
    if (commandId == kBarPictureCommand) return kPictureSize - 8;
    return static_cast<int>(static_cast<float>(textWidth) * kMenuWidthFactor);
}

int FitTopItemWidth(int measuredWidth, int contentWidth) {
    return std::max(measuredWidth, contentWidth) + 2 * kTopItemPadding;
}

MenuPoint IconPicturePosition(const MenuRect& rc) {
    return {rc.left + (kIconColumnWidth - kPictureSize) / 2, rc.top + (rc.Height() - kPictureSize) / 2};
}

int SeparatorLineY(const MenuRect& rc) { return (rc.top + rc.bottom) / 2; }

MenuPoint TopPicturePosition(const MenuRect& rc, int pictureWidth, int pictureHeight) {
    return {rc.left + (rc.Width() - pictureWidth) / 2, rc.top + (rc.Height() - pictureHeight) / 2};
}

CaptionParts SplitCaption(const std::string& text) {
    const size_t tab = text.find('\t');
    if (tab == std::string::npos) return {text, {}, false};
    return {text.substr(0, tab), text.substr(tab + 1), true};
}

bool IsBarCaption(const std::string& caption) {
    for (const char* c : {"File", "Edit", "View", "Project", "Tools", "Window", "Help"})
        if (caption == c) return true;
    return false;
}

namespace {
char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }
bool IsAlnum(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }

// The letter standardCaption marks with a single "&", or 0.
char MarkedLetter(const std::string& s) {
    for (size_t i = 0; i + 1 < s.size(); ++i) {
        if (s[i] != '&') continue;
        if (s[i + 1] == '&') {
            ++i;
            continue;
        }
        return s[i + 1];
    }
    return 0;
}
}  // namespace

std::string MnemonicCaption(const std::string& caption, const std::string& standardCaption) {
    const CaptionParts parts = SplitCaption(caption);
    const std::string& text = parts.caption;
    size_t at = std::string::npos;
    const char key = standardCaption.empty() ? 0 : MarkedLetter(standardCaption);
    if (key) {
        for (size_t i = 0; i < text.size() && at == std::string::npos; ++i)
            if (Lower(text[i]) == Lower(key) && (i == 0 || text[i - 1] == ' ')) at = i;
        for (size_t i = 0; i < text.size() && at == std::string::npos; ++i)
            if (Lower(text[i]) == Lower(key)) at = i;
    } else {
        for (size_t i = 0; i < text.size() && at == std::string::npos; ++i)
            if (IsAlnum(text[i])) at = i;
    }
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (i == at) out += '&';
        out += text[i];
        if (text[i] == '&') out += '&';
    }
    if (parts.hasShortcut) out += '\t' + parts.shortcut;
    return out;
}

}  // namespace qm
