#include "core/wizards/briefingreader.h"

#include <algorithm>
#include <cstdio>
#include <functional>

#include "core/app/casefold.h"

namespace qm {

namespace {
constexpr std::string_view kEndMarker = "<!-- [END] -->";

// The first occurrence of needle at or after `from`, or npos. The searcher skips ahead by the
// needle's length, so the many look-ups of a large page stay quick.
size_t Find(std::string_view text, std::string_view needle, size_t from = 0) {
    if (from > text.size() || needle.size() > text.size() - from) return std::string_view::npos;
    const auto hit = std::search(text.begin() + from, text.end(),
                                 std::boyer_moore_horspool_searcher(needle.begin(), needle.end()));
    return hit == text.end() ? std::string_view::npos : static_cast<size_t>(hit - text.begin());
}

// Copies the section's content into out; false (out untouched) when the marker or its end is missing.
bool Section(std::string_view text, const std::string& marker, std::string& out) {
    const auto [start, end] = FindSection(text, marker);
    if (start < 0 || end < 0) return false;
    out.assign(text.substr(static_cast<size_t>(start), static_cast<size_t>(end - start)));
    return true;
}

std::string Marker(const char* pattern, int n, const char* side = nullptr) {
    char buf[64];
    if (side) std::snprintf(buf, sizeof buf, pattern, n, side);
    else std::snprintf(buf, sizeof buf, pattern, n);
    return buf;
}

void ReadSingleSided(std::string_view text, SideBriefing& b) {
    Section(text, "<!-- [NOTES] -->", b.notes);
    for (int n = 1; n <= kBriefingObjectives; ++n) Section(text, Marker("<!-- [OBJ_%d] -->", n), b.objectives[n - 1]);
    for (int n = 1; n <= kBriefingEndings; ++n)
        if (Section(text, Marker("<!-- [TITLE_%d] -->", n), b.endingTitles[n - 1]))
            Section(text, Marker("<!-- [TEXT_%d] -->", n), b.endingTexts[n - 1]);
}

void ReadSide(std::string_view text, int s, SideBriefing& b) {
    const std::string side = SideName(s);
    Section(text, "<!-- [PLAN_" + side + "] -->", b.plan);
    Section(text, "<!-- [NOTES_" + side + "] -->", b.notes);
    for (int n = 1; n <= kBriefingObjectives; ++n)
        Section(text, Marker("<!-- [OBJ_%d_%s] -->", n, side.c_str()), b.objectives[n - 1]);
    for (int n = 1; n <= kBriefingEndings; ++n)
        if (Section(text, Marker("<!-- [TITLE_%d_%s] -->", n, side.c_str()), b.endingTitles[n - 1]))
            Section(text, Marker("<!-- [TEXT_%d_%s] -->", n, side.c_str()), b.endingTexts[n - 1]);
}
}  // namespace

std::pair<long long, long long> FindSection(std::string_view text, std::string_view marker) {
    const size_t at = Find(text, marker);
    if (at == std::string_view::npos) return {-1, -1};
    const size_t start = at + marker.size();
    const size_t end = Find(text, kEndMarker, start);
    return {static_cast<long long>(start), end == std::string_view::npos ? -1 : static_cast<long long>(end)};
}

ParsedBriefing ParseBriefing(std::string_view raw) {
    std::string text;
    text.reserve(raw.size());
    std::copy_if(raw.begin(), raw.end(), std::back_inserter(text), [](char c) { return c != '\r' && c != '\n'; });

    ParsedBriefing parsed;
    if (Find(text, "<!-- [MULTI-SIDED] -->") != std::string_view::npos) {
        parsed.ok = true;
        parsed.multiSided = true;
        for (int s = 0; s < kBriefingSides; ++s) ReadSide(text, s, parsed.sides[s]);
        return parsed;
    }
    SideBriefing& b = parsed.sides[0];
    if (!Section(text, "<!-- [PLAN] -->", b.plan)) return parsed;
    parsed.ok = true;
    ReadSingleSided(text, b);
    return parsed;
}

bool IsBriefingTitle(std::string_view title) {
    std::string lower = FoldCase(title);
    if (!lower.empty() && lower.back() == '*') lower.pop_back();
    return lower == "briefing" || lower == "briefing.html" || lower == "briefing.htm";
}

}  // namespace qm
