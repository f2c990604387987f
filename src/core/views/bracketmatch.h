#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qm {

// Which characters of a line are code under a view's rules: script lines that start with ";" are
// remarks; in description files "//" starts a remark; text in double quotes is a string in both.
enum class BracketRules { Script, Description };
std::vector<bool> CodeColumns(std::u16string_view line, BracketRules rules);

struct TextPoint {
    int line = 0, column = 0;
    bool operator==(const TextPoint&) const = default;
};

struct BracketPair {
    TextPoint bracket, partner;
    bool operator==(const BracketPair&) const = default;
};

// The bracket ( ) [ ] { } right after the caret, else right before it, and its partner,
// counting only brackets in code. Nothing when there is no bracket at the caret, when it lies
// in a string or remark, or when its partner is not within `maxLines` lines of it.
// `lineText` gives a line's text by number, 0 to lineCount - 1.
std::optional<BracketPair> MatchBracket(const std::function<std::u16string(int)>& lineText, int lineCount,
                                        TextPoint caret, BracketRules rules, int maxLines = 3000);

}  // namespace qm
