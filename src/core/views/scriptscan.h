#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// The two kinds of script text: an .sqs script runs line by line (";" remark lines, "#" labels,
// every string and bracket within its line); an .sqf function is one text ("//" and "/* */"
// remarks, strings and brackets across lines, "#" lines for the preprocessor).
enum class ScriptKind { Script, Function };

// A piece of script text, positions in UTF-16 code units within its line.
struct ScriptToken {
    enum Kind {
        Word,       // letters, digits and "_": a command, keyword, variable or number
        String,     // from its opening double quote to its closing one ("" inside is one quote)
        Remark,     // a remark line or remark, to its end on this line
        Label,      // an .sqs label line, "#" to the line's end
        Directive,  // an .sqf preprocessor line
        Symbol,     // any other character that is not a blank: brackets, operators, ";", ","
    };
    Kind kind = Symbol;
    int line = 0;
    int column = 0;
    int length = 0;
    // A string or "/* */" remark that does not end on this line; `continued`: it began on a line before.
    bool open = false;
    bool continued = false;

    bool operator==(const ScriptToken&) const = default;
};

// Where a line starts: inside a string or remark left open by the lines before (functions only).
struct ScanState {
    bool inString = false;
    bool inRemark = false;
    bool inDirective = false;  // a preprocessor line ended with "\\": the next line is part of it
    bool operator==(const ScanState&) const = default;
};

// The tokens of one line, given the state the lines before left; `state` becomes the state
// after the line. Blanks make no token. A script line that begins with ";" (blanks before it
// allowed) is a remark, one whose first non-blank is "#" a label; a ";" later in the line is a
// Symbol: whether it ends the line's code is the reader's choice.
std::vector<ScriptToken> ScanScriptLine(std::u16string_view line, int lineNumber, ScriptKind kind, ScanState& state);

// The lines of a text split at "\n" (a "\r" before it dropped), as views into the text.
std::vector<std::u16string_view> SplitLines(std::u16string_view text);

// The text of a string token without its quotes, each "" made one quote.
std::u16string StringTokenText(std::u16string_view line, const ScriptToken& token);

// A word of the scripting language: ASCII letters, digits and "_".
inline bool IsScriptNameChar(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_';
}

// UTF-16 text as UTF-8 (the catalogue's names are UTF-8).
std::string Utf8Of(std::u16string_view text);

}  // namespace qm
