#include "core/views/scriptproblems.h"

#include <algorithm>
#include <array>

#include "core/app/casefold.h"

namespace qm {

namespace {

char16_t Lower(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c; }

std::u16string Folded(std::u16string_view s) {
    std::u16string out(s);
    for (auto& c : out) c = Lower(c);
    return out;
}

std::u16string_view Trimmed(std::u16string_view s) {
    while (!s.empty() && (s.front() == u' ' || s.front() == u'\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == u' ' || s.back() == u'\t')) s.remove_suffix(1);
    return s;
}

// The argument names of syntax.txt that stand for a class name of the catalogue, and what they are called.
const char* ItemKindOf(std::string_view argument) {
    static constexpr std::array<std::pair<std::string_view, const char*>, 7> kinds = {{
        {"weaponname", "weapon"},
        {"magazinename", "magazine"},
        {"ammoname", "magazine"},
        {"vehicleammoname", "vehicle magazine"},
        {"vehiclemagazinename", "vehicle magazine"},
        {"equipmentname", "equipment"},
        {"itemname", "item"},
    }};
    const std::string folded = FoldCase(argument);
    for (const auto& [name, kind] : kinds)
        if (folded == name) return kind;
    return nullptr;
}

std::string_view TrimmedAscii(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// A token with the line it stands in: the rules look across lines in a function.
struct Token {
    ScriptToken t;
    std::u16string_view line;
    std::u16string_view Text() const { return line.substr(t.column, t.length); }
    bool Is(char16_t c) const { return t.kind == ScriptToken::Symbol && line[t.column] == c; }
};

struct Checker {
    const ScriptRules& rules;
    ScriptKind kind;
    std::vector<std::u16string_view> lines;
    std::vector<Token> code;  // the tokens that are code, in text order (of the line, in a script)
    std::vector<Token> gotos;
    std::vector<ScriptProblem> problems;

    void Add(const ScriptToken& t, int length, ProblemSeverity s, std::string message) {
        problems.push_back({t.line, t.column, length, s, std::move(message)});
    }

    void Scan() {
        ScanState state;
        std::vector<ScriptToken> labels;
        for (size_t n = 0; n < lines.size(); ++n) {
            const auto tokens = ScanScriptLine(lines[n], static_cast<int>(n), kind, state);
            // An .sqs line's code ends at a ";" outside strings and brackets (inside brackets it
            // parts statements of a code block).
            int depth = 0;
            const size_t firstCode = code.size();
            for (const ScriptToken& t : tokens) {
                if (kind == ScriptKind::Script && t.kind == ScriptToken::Symbol) {
                    const char16_t c = lines[n][t.column];
                    if (c == u';' && depth <= 0) break;
                    if (c == u'(' || c == u'[' || c == u'{') ++depth;
                    else if (c == u')' || c == u']' || c == u'}') --depth;
                }
                if (t.kind == ScriptToken::Label) labels.push_back(t);
                if (t.kind == ScriptToken::Remark || t.kind == ScriptToken::Label || t.kind == ScriptToken::Directive)
                    continue;
                code.push_back({t, lines[n]});
            }
            if (kind == ScriptKind::Script) {
                // A script's rules need no other line than the labels: its tokens go line by line,
                // so a long script never holds the tokens of all its lines.
                CheckLine(firstCode);
                CheckWords();
                CollectGotos();
                code.clear();
            }
        }
        if (kind == ScriptKind::Script) CheckLabels(labels);
        if (kind == ScriptKind::Function) {
            CheckBrackets(0, code.size());
            CheckWords();
        }
        std::stable_sort(problems.begin(), problems.end(), [](const ScriptProblem& a, const ScriptProblem& b) {
            return a.line != b.line ? a.line < b.line : a.column < b.column;
        });
    }

    // An .sqs line: its strings must close, its brackets pair within it.
    void CheckLine(size_t first) {
        for (size_t i = first; i < code.size(); ++i) {
            if (code[i].t.kind == ScriptToken::String && code[i].t.open) {
                Add(code[i].t, code[i].t.length, ProblemSeverity::Error,
                    "Unclosed string: this line has an odd number of double quotes");
                return;  // what follows the quote is the string's; its brackets tell nothing
            }
        }
        CheckBrackets(first, code.size());
    }

    void CheckBrackets(size_t from, size_t to) {
        static constexpr std::u16string_view open = u"([{", close = u")]}";
        std::vector<const Token*> stack;
        auto quoted = [](char16_t c) { return std::string("\"") + static_cast<char>(c) + "\""; };
        for (size_t i = from; i < to; ++i) {
            const Token& tok = code[i];
            if (tok.t.kind != ScriptToken::Symbol) continue;
            const char16_t c = tok.line[tok.t.column];
            if (open.find(c) != std::u16string_view::npos) {
                stack.push_back(&tok);
                continue;
            }
            const size_t k = close.find(c);
            if (k == std::u16string_view::npos) continue;
            const char16_t partner = open[k];
            auto match = std::find_if(stack.rbegin(), stack.rend(),
                                      [&](const Token* o) { return o->line[o->t.column] == partner; });
            if (match == stack.rend()) {
                Add(tok.t, 1, ProblemSeverity::Error, quoted(c) + " has no opening " + quoted(partner));
                continue;
            }
            // Brackets opened after the partner and not closed before this one never close.
            for (auto it = stack.rbegin(); it != match; ++it)
                Add((*it)->t, 1, ProblemSeverity::Error,
                    quoted((*it)->line[(*it)->t.column]) + " is not closed before " + quoted(c));
            stack.erase(std::prev(match.base()), stack.end());
        }
        for (const Token* o : stack)
            Add(o->t, 1, ProblemSeverity::Error, quoted(o->line[o->t.column]) + " is never closed");
    }

    void CheckLabels(const std::vector<ScriptToken>& labels) {
        // Every name a label line may define: its whole name and its first word.
        std::unordered_set<std::u16string> defined;
        std::unordered_set<std::u16string> seen;
        for (const ScriptToken& t : labels) {
            const std::u16string_view text = lines[t.line].substr(t.column);
            const std::u16string name = Folded(LabelName(text));
            if (name.empty()) continue;
            defined.insert(name);
            defined.insert(name.substr(0, name.find_first_of(u" \t")));
            // Only labels at the line's start are the ones the labels bar lists and finds.
            if (t.column != 0) continue;
            if (!seen.insert(name).second)
                Add(t, t.length, ProblemSeverity::Warning,
                    "Label #" + Utf8Of(LabelName(text)) +
                        " is defined twice: a goto finds the first, this one is never reached");
        }
        for (const Token& target : gotos) {
            const std::u16string name = Folded(Trimmed(StringTokenText(target.line, target.t)));
            if (defined.count(name)) continue;
            Add(target.t, target.t.length, ProblemSeverity::Error,
                "goto " + Utf8Of(target.Text()) + ": no line defines the label #" +
                    Utf8Of(Trimmed(StringTokenText(target.line, target.t))));
        }
    }

    // The quoted label of each goto of the line.
    void CollectGotos() {
        for (size_t i = 0; i + 1 < code.size(); ++i) {
            const Token& g = code[i];
            if (g.t.kind != ScriptToken::Word || g.t.length != 4 || Folded(g.Text()) != u"goto") continue;
            const Token& target = code[i + 1];
            if (target.t.line != g.t.line || target.t.kind != ScriptToken::String || target.t.open) continue;
            // "goto "a" + _b" names its label by an expression: nothing certain.
            if (i + 2 < code.size() && code[i + 2].t.line == g.t.line && code[i + 2].Is(u'+')) continue;
            gotos.push_back(target);
        }
    }

    void CheckWords() {
        for (size_t i = 0; i < code.size(); ++i) {
            const Token& w = code[i];
            if (w.t.kind != ScriptToken::Word) continue;
            const std::u16string_view text = w.Text();
            if (text[0] == u'_' || (text[0] >= u'0' && text[0] <= u'9')) continue;
            const std::string name = Utf8Of(text);
            const std::string folded = FoldCase(name);
            if (rules.commands.Find(folded) < 0) {
                const int other = rules.otherCommands.Find(folded);
                if (other >= 0 && !IsAssigned(i))
                    Add(w.t, w.t.length, ProblemSeverity::Warning,
                        rules.otherCommandNames[other] + " is not available in " + rules.editionName);
                continue;
            }
            auto arg = rules.itemArguments.find(folded);
            if (arg != rules.itemArguments.end()) CheckItem(i, arg->second);
        }
    }

    // "name = ..." gives a variable of that name a value: a word of the other edition may be one.
    bool IsAssigned(size_t i) const {
        return i + 1 < code.size() && code[i + 1].Is(u'=') &&
               !(i + 2 < code.size() && code[i + 2].Is(u'=') && code[i + 2].t.column == code[i + 1].t.column + 1);
    }

    void CheckItem(size_t i, const ScriptRules::ItemArgument& arg) {
        size_t at = i + 1;
        if (at >= code.size()) return;
        if (arg.element >= 0) {
            if (!code[at].Is(u'[')) return;
            // Find the element's tokens at this array's own depth.
            int depth = 0, element = 0;
            size_t start = at + 1, stop = 0;
            for (size_t j = at; j < code.size(); ++j) {
                if (kind == ScriptKind::Script && code[j].t.line != code[at].t.line) return;
                if (code[j].Is(u'[') || code[j].Is(u'(') || code[j].Is(u'{')) ++depth;
                else if (code[j].Is(u']') || code[j].Is(u')') || code[j].Is(u'}')) {
                    if (--depth == 0) {
                        stop = j;
                        break;
                    }
                } else if (depth == 1 && code[j].Is(u',')) {
                    if (element == arg.element) {
                        stop = j;
                        break;
                    }
                    ++element;
                    start = j + 1;
                }
            }
            if (element != arg.element || stop != start + 1) return;
            at = start;
        } else if (at + 1 < code.size() && code[at + 1].t.line == code[at].t.line && code[at + 1].Is(u'+')) {
            return;  // a name made by joining strings
        }
        const Token& s = code[at];
        if (s.t.kind != ScriptToken::String || s.t.open || s.t.continued) return;
        if (kind == ScriptKind::Script && s.t.line != code[i].t.line) return;
        const std::u16string name = StringTokenText(s.line, s.t);
        // An empty catalogue (data.txt missing) knows no name: that says nothing about this one.
        if (name.empty() || rules.items.empty() || rules.items.count(FoldCase(Utf8Of(name)))) return;
        Add(s.t, s.t.length, ProblemSeverity::Warning,
            Utf8Of(s.Text()) + " is no " + arg.kind + " the " + rules.editionName +
                " catalogue lists: it may come from an add-on");
    }
};

}  // namespace

std::string EditionName(int expansionEdition) { return expansionEdition == 1 ? "Varnholt: Resistance" : "Varnholt"; }

bool ItemArgumentOf(std::string_view usage, std::string_view command, ScriptRules::ItemArgument& argument) {
    const std::string lower = FoldCase(usage), name = FoldCase(command);
    size_t at = 0;
    for (;; at += name.size()) {
        at = lower.find(name, at);
        if (at == std::string::npos || name.empty()) return false;
        const bool startsWord = at == 0 || !IsWordChar(lower[at - 1]);
        const bool endsWord = at + name.size() >= lower.size() || !IsWordChar(lower[at + name.size()]);
        if (startsWord && endsWord) break;
    }
    std::string_view rest = TrimmedAscii(usage.substr(at + name.size()));
    if (!rest.empty() && rest.front() == '[') {
        const size_t end = rest.find(']');
        std::string_view inside = rest.substr(1, end == std::string_view::npos ? std::string_view::npos : end - 1);
        for (int element = 0;; ++element) {
            const size_t comma = inside.find(',');
            if (const char* kind = ItemKindOf(TrimmedAscii(inside.substr(0, comma)))) {
                argument = {element, kind};
                return true;
            }
            if (comma == std::string_view::npos) return false;
            inside.remove_prefix(comma + 1);
        }
    }
    size_t word = 0;
    while (word < rest.size() && IsWordChar(rest[word])) ++word;
    if (const char* kind = ItemKindOf(rest.substr(0, word))) {
        argument = {-1, kind};
        return true;
    }
    return false;
}

std::shared_ptr<const ScriptRules> MakeScriptRules(const Catalogue& catalogue, const StringList& otherEditionCommands,
                                                   int expansionEdition) {
    auto rules = std::make_shared<ScriptRules>();
    rules->commands.Build(catalogue.m_commands);
    // Without this edition's list every command would look like the other edition's.
    if (!catalogue.m_commands.empty()) {
        rules->otherCommands.Build(otherEditionCommands);
        rules->otherCommandNames = otherEditionCommands;
    }
    rules->editionName = EditionName(expansionEdition);
    rules->otherEditionName = EditionName(expansionEdition == 1 ? 0 : 1);
    for (const StringList* list : {&catalogue.m_weapons, &catalogue.m_ammo, &catalogue.m_vehicleAmmo,
                                   &catalogue.m_equipment})
        for (const std::string& item : *list) rules->items.insert(FoldCase(item));
    for (const std::string& command : catalogue.m_commands) {
        if (command.empty()) continue;
        const auto block = catalogue.SyntaxFor(command);
        ScriptRules::ItemArgument argument;
        if (!block.empty() && ItemArgumentOf(block[0], command, argument))
            rules->itemArguments.emplace(FoldCase(command), argument);
    }
    return rules;
}

std::vector<ScriptProblem> FindScriptProblems(std::u16string_view text, ScriptKind kind, const ScriptRules& rules) {
    Checker checker{rules, kind, SplitLines(text), {}, {}, {}};
    checker.Scan();
    return std::move(checker.problems);
}

std::u16string LabelName(std::u16string_view labelLine) {
    std::u16string_view s = Trimmed(labelLine);
    if (s.empty() || s[0] != u'#') return {};
    s.remove_prefix(1);
    s = s.substr(0, s.find(u';'));
    return std::u16string(Trimmed(s));
}

}  // namespace qm
