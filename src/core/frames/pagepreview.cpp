#include "core/frames/pagepreview.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/app/casefold.h"

namespace qm {

namespace fs = std::filesystem;

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool StartsWithFolded(std::string_view s, std::string_view lowerPrefix) {
    if (s.size() < lowerPrefix.size()) return false;
    for (size_t i = 0; i < lowerPrefix.size(); ++i) {
        char c = s[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != lowerPrefix[i]) return false;
    }
    return true;
}

bool AllDigits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "west", "east", "guerrila" and "res" to the side's caption; empty for anything else.
std::string SideName(std::string_view word) {
    if (word == "west") return "WEST";
    if (word == "east") return "EAST";
    if (word == "guerrila" || word == "res") return "RESISTANCE";
    return {};
}

// "base" or "base" + separator + side word; caption gets " - SIDE" for the second.
bool SplitSide(std::string_view name, char separator, std::string_view& base, std::string& side) {
    const size_t at = name.rfind(separator);
    if (at == std::string_view::npos) {
        base = name;
        side.clear();
        return true;
    }
    side = SideName(name.substr(at + 1));
    base = name.substr(0, at);
    return !side.empty();
}

std::string WithSide(std::string caption, const std::string& side) {
    return side.empty() ? caption : caption + " - " + side;
}

// The entry of a folder whose name equals name when letter case is ignored.
std::string FindFolded(const fs::path& folder, const std::string& name) {
    std::error_code ec;
    const std::string wanted = FoldCase(name);
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (FoldCase(it->path().filename().string()) == wanted) return it->path().filename().string();
    return {};
}
}  // namespace

bool HasPagePreview(DocKind kind) { return kind == DocKind::Briefing; }

int PreviewPauseMs(size_t textLength) {
    constexpr size_t kShort = 400, kLongest = 2000;
    return static_cast<int>(std::min(kLongest, kShort + textLength / 10000));
}

PageLink ClassifyPageLink(std::string_view href) {
    const std::string_view h = Trim(href);
    if (!h.empty() && h.front() == '#') return {PageLinkKind::Anchor, std::string(h.substr(1))};
    if (StartsWithFolded(h, "marker:")) return {PageLinkKind::Marker, std::string(Trim(h.substr(7)))};
    return {PageLinkKind::Other, std::string(h)};
}

std::string DescribePageLink(const PageLink& link, bool anchorOnPage) {
    switch (link.kind) {
        case PageLinkKind::Anchor:
            return anchorOnPage ? std::string() : "This page has no place named \"" + link.target + "\"";
        case PageLinkKind::Marker:
            return link.target.empty() ? "Map link without a marker name"
                                       : "Map marker: " + link.target;
        case PageLinkKind::Other:
            break;
    }
    return "Links to other pages are not followed in the preview: " + link.target;
}

std::string FindPagePicture(std::string_view src, const std::string& pagePath) {
    std::string name(Trim(src));
    if (name.empty() || pagePath.empty()) return {};
    if (name.find(':') != std::string::npos) return {};  // a drive letter or a web address
    std::replace(name.begin(), name.end(), '\\', '/');
    if (name.front() == '/') return {};

    fs::path at = fs::path(pagePath).parent_path();
    if (at.empty()) at = ".";
    std::error_code ec;
    size_t from = 0;
    while (from <= name.size()) {
        size_t to = name.find('/', from);
        if (to == std::string::npos) to = name.size();
        const std::string part = name.substr(from, to - from);
        from = to + 1;
        if (part.empty() || part == ".") continue;
        if (part == "..") return {};
        if (fs::exists(at / part, ec)) {
            at /= part;
            continue;
        }
        const std::string folded = FindFolded(at, part);
        if (folded.empty()) return {};
        at /= folded;
    }
    return fs::is_regular_file(at, ec) ? at.string() : std::string();
}

std::string SectionCaption(const std::string& anchor) {
    std::string_view base;
    std::string side;
    const std::string_view a = anchor;
    if (a.rfind("debriefing:end", 0) == 0 && SplitSide(a.substr(14), '.', base, side) && AllDigits(base))
        return WithSide("End #" + std::string(base), side);
    if (a.rfind("obj_", 0) == 0 && SplitSide(a.substr(4), '_', base, side) && AllDigits(base))
        return WithSide("Objective " + std::string(base), side);
    if (SplitSide(a, '.', base, side)) {
        if (base == "plan") return WithSide("Plan", side);
        if (base == "main") return WithSide("Notes", side);
    }
    return anchor;
}

std::vector<PageSection> ListPageSections(std::string_view html) {
    std::vector<PageSection> sections;
    size_t i = 0;
    while ((i = html.find('<', i)) != std::string_view::npos) {
        if (html.compare(i, 4, "<!--") == 0) {
            const size_t end = html.find("-->", i + 4);
            if (end == std::string_view::npos) break;
            i = end + 3;
            continue;
        }
        const size_t tagStart = i;
        ++i;
        while (i < html.size() && IsBlank(html[i])) ++i;
        if (i + 1 >= html.size() || (html[i] != 'a' && html[i] != 'A') || !IsBlank(html[i + 1])) continue;
        ++i;
        // The tag's attributes, up to its ">".
        while (i < html.size() && html[i] != '>') {
            while (i < html.size() && IsBlank(html[i])) ++i;
            const size_t nameStart = i;
            while (i < html.size() && !IsBlank(html[i]) && html[i] != '=' && html[i] != '>') ++i;
            const std::string_view attr = html.substr(nameStart, i - nameStart);
            while (i < html.size() && IsBlank(html[i])) ++i;
            if (i >= html.size() || html[i] != '=') {
                if (attr.empty() && i < html.size() && html[i] != '>') ++i;  // a stray character
                continue;
            }
            ++i;
            while (i < html.size() && IsBlank(html[i])) ++i;
            std::string_view value;
            if (i < html.size() && (html[i] == '"' || html[i] == '\'')) {
                const size_t close = html.find(html[i], i + 1);
                if (close == std::string_view::npos) return sections;
                value = html.substr(i + 1, close - i - 1);
                i = close + 1;
            } else {
                const size_t valueStart = i;
                while (i < html.size() && !IsBlank(html[i]) && html[i] != '>') ++i;
                value = html.substr(valueStart, i - valueStart);
            }
            if (attr.size() == 4 && StartsWithFolded(attr, "name") && !Trim(value).empty()) {
                std::string anchor(Trim(value));
                sections.push_back({anchor, SectionCaption(anchor), tagStart});
            }
        }
    }
    return sections;
}

}  // namespace qm
