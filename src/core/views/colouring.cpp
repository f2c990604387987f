#include "core/views/colouring.h"

#include <algorithm>
#include <array>
#include <string>

namespace qm {

namespace {

// A name in the scripting language: ASCII letters, digits and "_".
bool IsNameChar(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_';
}

// The tokenizer's word characters, after lower-casing.
bool IsTokenChar(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'_' || c == u'"' || c == u'&' ||
           c == u'|';
}

char16_t Lower(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c; }

constexpr std::array<std::string_view, 13> kKeywords = {"goto", "true", "false", "and", "or", "not", "&&",
                                                        "||",   "while", "do",   "if",  "then", "else"};

bool IsKeyword(std::string_view w) {
    for (auto k : kKeywords)
        if (k == w) return true;
    return false;
}

// Collects the colour of every character, later rules painting over earlier ones, then
// packs them into runs.
class LinePainter {
public:
    explicit LinePainter(size_t length) : m_roles(length, ColourRole::Text), m_bold(length, false) {}

    void Paint(int from, int to, ColourRole role, bool bold = false) {
        from = std::max(from, 0);
        to = std::min<int>(to, static_cast<int>(m_roles.size()));
        for (int i = from; i < to; ++i) {
            m_roles[i] = role;
            m_bold[i] = bold;
        }
    }

    std::vector<ColourRun> Runs() const {
        std::vector<ColourRun> runs;
        for (size_t i = 0; i < m_roles.size(); ++i) {
            if (!runs.empty() && runs.back().role == m_roles[i] && runs.back().bold == m_bold[i])
                ++runs.back().length;
            else
                runs.push_back({static_cast<int>(i), 1, m_roles[i], static_cast<bool>(m_bold[i])});
        }
        return runs;
    }

private:
    std::vector<ColourRole> m_roles;
    std::vector<char> m_bold;
};

void ColourWord(std::u16string_view line, const std::string& word, int from, int to, const Catalogue& catalogue,
                LinePainter& painter) {
    if (word.empty() || word == "\"") return;
    auto paintWordAround = [&](int pos, ColourRole role) {
        auto [a, b] = WordAround(line, pos);
        if (a < b) painter.Paint(a, b, role);
    };
    if (IsKeyword(word)) {
        paintWordAround(from + 1, ColourRole::Programming);
        // "&&" and "||" have no letters around them: colour the token itself.
        if (word == "&&" || word == "||") painter.Paint(from, to, ColourRole::Programming);
        return;
    }
    if (word[0] == '_') {
        painter.Paint(from, to, word == "_this" || word == "_time" ? ColourRole::Programming : ColourRole::Variable);
        return;
    }
    // The name starts after any quotes in front of it ("""Karveth"""); the quotes keep the line's colour.
    const int nameStart = from + static_cast<int>(std::min(word.find_first_not_of('"'), word.size()));
    if (catalogue.FindCommand(word) >= 0) {
        paintWordAround(nameStart + 1, ColourRole::Command);
        return;
    }
    std::string bare;
    for (char c : word)
        if (c != '"') bare.push_back(c);
    if (catalogue.IsItem(bare)) paintWordAround(nameStart + 1, ColourRole::Item);
}

}  // namespace

std::pair<int, int> WordAround(std::u16string_view line, int pos) {
    const int n = static_cast<int>(line.size());
    if (pos < 0 || pos > n) return {pos, pos};
    int a = pos, b = pos;
    if (pos == n || !IsNameChar(line[pos])) {
        // No word here: take the one that ends right before, if any.
        if (pos == 0 || !IsNameChar(line[pos - 1])) return {pos, pos};
    }
    while (a > 0 && IsNameChar(line[a - 1])) --a;
    while (b < n && IsNameChar(line[b])) ++b;
    return {a, b};
}

std::vector<ColourRun> ColourScriptLine(std::u16string_view line, const Catalogue& catalogue) {
    const int length = static_cast<int>(line.size());
    if (length < 1) return {};
    LinePainter painter(line.size());
    const char16_t first = line[0];
    if (first == u';') {
        painter.Paint(0, length, ColourRole::Remark);
        return painter.Runs();
    }
    if (first == u'#' || first == u'&') {
        painter.Paint(0, length, ColourRole::Programming);
        return painter.Runs();
    }
    if (first == u'~') painter.Paint(0, length, ColourRole::Programming);

    std::string word;  // the tokenizer's characters are ASCII
    bool inQuote = false;
    for (int i = 0; i <= length; ++i) {
        const char16_t c = i < length ? Lower(line[i]) : u'\0';
        if (c == u'"') inQuote = !inQuote;
        if (!inQuote && (c == u'?' || c == u':' || c == u'!' || c == u'@')) {
            painter.Paint(i, i + 1, ColourRole::Programming);
            word.clear();
            continue;
        }
        if (inQuote && c == u'%') {
            painter.Paint(i, i + 1, ColourRole::Programming);
            word.clear();
            continue;
        }
        if (c != u'\0' && IsTokenChar(c)) {
            word.push_back(static_cast<char>(c));
            continue;
        }
        if (!inQuote) {
            const int wordLength = static_cast<int>(word.size());
            ColourWord(line, word, i - wordLength, i, catalogue, painter);
        }
        word.clear();
    }
    return painter.Runs();
}

std::vector<ColourRun> ColourDescriptionLine(std::u16string_view line) {
    const int length = static_cast<int>(line.size());
    if (length < 1) return {};
    LinePainter painter(line.size());
    std::u16string lower(line);
    for (auto& c : lower) c = Lower(c);
    for (size_t p = lower.find(u"class"); p != std::u16string::npos; p = lower.find(u"class", p + 5))
        painter.Paint(static_cast<int>(p), static_cast<int>(p) + 5, ColourRole::Programming, true);
    if (size_t p = lower.find(u"//"); p != std::u16string::npos)
        painter.Paint(static_cast<int>(p), length, ColourRole::Remark, false);
    return painter.Runs();
}

}  // namespace qm
