#include "core/tools/missioncheck.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <unistd.h>
#include <system_error>

#include "core/app/casefold.h"
#include "core/app/safefile.h"
#include "core/app/utf8.h"
#include "core/doc/textfile.h"

namespace qm {

namespace fs = std::filesystem;

namespace {

char16_t Lower(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c; }

bool EqualsFolded(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) {
               return Lower(x) == Lower(y);
           });
}

std::u16string Utf16Of(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const char32_t c = DecodeUtf8(utf8, i);
        if (c >= 0x10000) {
            out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
    }
    return out;
}

struct LineToken {
    ScriptToken t;
    std::u16string_view line;
    bool Is(char16_t c) const { return t.kind == ScriptToken::Symbol && line[t.column] == c; }
    bool IsWord(std::u16string_view w) const {
        return t.kind == ScriptToken::Word && EqualsFolded(line.substr(t.column, t.length), w);
    }
};

// The code tokens of a text: remarks, labels and directives left out; in a script a ";" ends its line's code.
std::vector<LineToken> CodeTokens(const std::vector<std::u16string_view>& lines, ScriptKind kind) {
    std::vector<LineToken> code;
    ScanState state;
    for (size_t n = 0; n < lines.size(); ++n) {
        int depth = 0;  // as the script rules read it: a ";" outside brackets ends the line's code
        for (const ScriptToken& t : ScanScriptLine(lines[n], static_cast<int>(n), kind, state)) {
            if (kind == ScriptKind::Script && t.kind == ScriptToken::Symbol) {
                const char16_t c = lines[n][t.column];
                if (c == u';' && depth <= 0) break;
                if (c == u'(' || c == u'[' || c == u'{') ++depth;
                else if (c == u')' || c == u']' || c == u'}') --depth;
            }
            if (t.kind == ScriptToken::Remark || t.kind == ScriptToken::Label || t.kind == ScriptToken::Directive)
                continue;
            code.push_back({t, lines[n]});
        }
    }
    return code;
}

void FindExecs(std::u16string_view text, ScriptKind kind, const FileReference* outer, int depth,
               std::vector<FileReference>& out) {
    const auto lines = SplitLines(text);
    const auto code = CodeTokens(lines, kind);
    for (size_t i = 0; i < code.size(); ++i) {
        const LineToken& tok = code[i];
        if (tok.t.kind == ScriptToken::String && !tok.t.open && !tok.t.continued && depth < 3) {
            // A string may be code run later: its own exec commands count too.
            const std::u16string inner = StringTokenText(tok.line, tok.t);
            if (FoldCase(Utf8Of(inner)).find("exec") != std::string::npos) {
                FileReference here{tok.t.line, tok.t.column, tok.t.length, {}, false};
                FindExecs(inner, ScriptKind::Function, outer ? outer : &here, depth + 1, out);
            }
            continue;
        }
        if (!tok.IsWord(u"exec") || i + 1 >= code.size()) continue;
        const LineToken& name = code[i + 1];
        if (name.t.kind != ScriptToken::String || name.t.open || name.t.continued) continue;
        if (i + 2 < code.size() && code[i + 2].Is(u'+')) continue;
        FileReference ref{name.t.line, name.t.column, name.t.length, Utf8Of(StringTokenText(name.line, name.t)), false};
        // "\folder\file.sqs" names a script of an add-on, not of the mission.
        if (ref.path.empty() || ref.path[0] == '\\' || ref.path[0] == '/') continue;
        if (outer) ref.line = outer->line, ref.column = outer->column, ref.length = outer->length;
        out.push_back(std::move(ref));
    }
}

bool HasExtension(std::string_view path) {
    const size_t slash = path.find_last_of("/\\");
    const size_t dot = path.find_last_of('.');
    return dot != std::string_view::npos && (slash == std::string_view::npos || dot > slash);
}

std::string TrimAscii(std::string s) {
    const size_t a = s.find_first_not_of(" \t");
    if (a == std::string::npos) return {};
    return s.substr(a, s.find_last_not_of(" \t") - a + 1);
}

}  // namespace

std::vector<FileReference> ExecReferences(std::u16string_view text, ScriptKind kind) {
    std::vector<FileReference> out;
    FindExecs(text, kind, nullptr, 0, out);
    return out;
}

std::vector<FileReference> DescriptionSounds(std::u16string_view text) {
    std::vector<FileReference> out;
    const auto lines = SplitLines(text);
    const auto code = CodeTokens(lines, ScriptKind::Function);
    std::vector<std::u16string> classes;  // the class each open brace belongs to ("" for other braces)
    std::u16string pendingClass;
    auto inside = [&](std::u16string_view name) {
        return std::any_of(classes.begin(), classes.end(), [&](const std::u16string& c) { return EqualsFolded(c, name); });
    };
    for (size_t i = 0; i < code.size(); ++i) {
        const LineToken& tok = code[i];
        if (tok.IsWord(u"class") && i + 1 < code.size() && code[i + 1].t.kind == ScriptToken::Word) {
            pendingClass = std::u16string(code[i + 1].line.substr(code[i + 1].t.column, code[i + 1].t.length));
            ++i;
            continue;
        }
        if (tok.Is(u'{')) {
            classes.push_back(std::move(pendingClass));
            pendingClass.clear();
            continue;
        }
        if (tok.Is(u'}')) {
            if (!classes.empty()) classes.pop_back();
            continue;
        }
        if (tok.Is(u';')) pendingClass.clear();
        const bool music = inside(u"cfgmusic");
        if (!(music || inside(u"cfgsounds")) || !tok.IsWord(u"sound")) continue;
        // sound[] = {file, volume, pitch}
        if (i + 4 >= code.size() || !code[i + 1].Is(u'[') || !code[i + 2].Is(u']') || !code[i + 3].Is(u'=') ||
            !code[i + 4].Is(u'{'))
            continue;
        size_t j = i + 5;
        if (j >= code.size() || code[j].t.line != code[i + 4].t.line) continue;
        const LineToken& first = code[j];
        size_t end = j;
        while (end < code.size() && code[end].t.line == first.t.line && !code[end].Is(u',') && !code[end].Is(u'}'))
            ++end;
        if (end == j || end >= code.size() || code[end].t.line != first.t.line) continue;
        const int from = first.t.column, to = code[end].t.column;
        std::string path;
        if (end == j + 1 && first.t.kind == ScriptToken::String) path = Utf8Of(StringTokenText(first.line, first.t));
        else path = TrimAscii(Utf8Of(first.line.substr(from, to - from)));
        if (path.empty()) continue;
        out.push_back({first.t.line, from, to - from, std::move(path), music});
        i += 3;  // on to the array's "{", so that its "}" closes it and not the class
    }
    return out;
}

std::vector<FileReference> PagePictures(std::u16string_view html) {
    std::vector<FileReference> out;
    std::u16string lower(html);
    for (auto& c : lower) c = Lower(c);
    for (size_t at = lower.find(u"<img"); at != std::u16string::npos; at = lower.find(u"<img", at + 4)) {
        const size_t close = lower.find(u'>', at);
        const std::u16string_view tag = std::u16string_view(lower).substr(at, close == std::u16string::npos ? close : close - at);
        size_t src = tag.find(u"src");
        while (src != std::u16string_view::npos && src > 0 && tag[src - 1] != u' ' && tag[src - 1] != u'\t' &&
               tag[src - 1] != u'\n' && tag[src - 1] != u'\r')
            src = tag.find(u"src", src + 3);
        if (src == std::u16string_view::npos) continue;
        size_t p = src + 3;
        while (p < tag.size() && (tag[p] == u' ' || tag[p] == u'\t')) ++p;
        if (p >= tag.size() || tag[p] != u'=') continue;
        ++p;
        while (p < tag.size() && (tag[p] == u' ' || tag[p] == u'\t')) ++p;
        if (p >= tag.size()) continue;
        size_t from = p, to;
        if (tag[p] == u'"' || tag[p] == u'\'') {
            from = p + 1;
            to = tag.find(tag[p], from);
            if (to == std::u16string_view::npos) continue;
        } else {
            to = tag.find_first_of(u" \t\r\n/>", from);
            if (to == std::u16string_view::npos) to = tag.size();
        }
        const std::u16string_view value = html.substr(at + from, to - from);
        if (value.find_first_of(u"\r\n") != std::u16string_view::npos) continue;
        const std::string path = TrimAscii(Utf8Of(value));
        if (path.empty() || path.find(':') != std::string::npos || path[0] == '/' || path[0] == '\\') continue;
        const size_t offset = at + from;
        const size_t lineStart = html.rfind(u'\n', offset == 0 ? 0 : offset - 1);
        const int line = static_cast<int>(std::count(html.begin(), html.begin() + static_cast<long>(offset), u'\n'));
        const int column = static_cast<int>(lineStart == std::u16string_view::npos || offset == 0 ? offset : offset - lineStart - 1);
        out.push_back({line, column, static_cast<int>(to - from), path, false});
    }
    return out;
}

std::string MissionFiles::Key(std::string_view name) {
    std::string s = FoldCase(name);
    std::replace(s.begin(), s.end(), '\\', '/');
    if (s.find(':') != std::string::npos) return {};
    std::vector<std::string> parts;
    size_t from = 0;
    while (from <= s.size()) {
        size_t to = s.find('/', from);
        if (to == std::string::npos) to = s.size();
        std::string part = s.substr(from, to - from);
        from = to + 1;
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            if (parts.empty()) return {};
            parts.pop_back();
            continue;
        }
        parts.push_back(std::move(part));
    }
    std::string key;
    for (const auto& p : parts) key += (key.empty() ? "" : "/") + p;
    return key;
}

void MissionFiles::Add(std::string_view relativePath) {
    if (std::string key = Key(relativePath); !key.empty()) m_files.insert(std::move(key));
}

bool MissionFiles::Has(std::string_view name) const {
    const std::string key = Key(name);
    return !key.empty() && m_files.count(key) != 0;
}

namespace {

constexpr std::uint64_t kLargestCheckedFile = std::uint64_t{64} << 20;
constexpr int kDeepestFolder = 32;

enum class FileRole { Script, Function, Description, Overview, Other };

FileRole RoleOf(const std::string& relative) {
    const std::string lower = FoldCase(relative);
    auto ends = [&](std::string_view e) { return lower.size() >= e.size() && lower.compare(lower.size() - e.size(), e.size(), e) == 0; };
    if (ends(".sqs")) return FileRole::Script;
    if (ends(".sqf")) return FileRole::Function;
    if (lower == "description.ext") return FileRole::Description;
    if (lower == "overview.html") return FileRole::Overview;
    return FileRole::Other;
}

struct Walk {
    fs::path root;
    std::vector<std::string> files;  // relative, "/" between parts
    std::vector<MissionFinding> findings;

    void Folder(const fs::path& at, const std::string& relative, int depth) {
        std::error_code ec;
        fs::directory_iterator it(at, ec), end;
        if (ec) {
            findings.push_back({relative.empty() ? "." : relative, -1, 0, 0, ProblemSeverity::Error,
                                "This folder cannot be read: " + ec.message()});
            return;
        }
        std::vector<std::pair<std::string, bool>> entries;
        for (; it != end; it.increment(ec)) {
            if (ec) {
                findings.push_back({relative.empty() ? "." : relative, -1, 0, 0, ProblemSeverity::Error,
                                    "This folder cannot be read to its end: " + ec.message()});
                break;
            }
            std::error_code typeError;
            const fs::file_status link = it->symlink_status(typeError);
            const std::string name = it->path().filename().string();
            // Linked folders are not followed: a link back up would never end.
            if (fs::is_directory(link)) entries.emplace_back(name, true);
            else if (!fs::is_symlink(link) || fs::is_regular_file(it->status(typeError))) entries.emplace_back(name, false);
        }
        std::sort(entries.begin(), entries.end());
        for (const auto& [name, folder] : entries) {
            const std::string rel = relative.empty() ? name : relative + "/" + name;
            if (!folder) files.push_back(rel);
            else if (depth < kDeepestFolder) Folder(at / name, rel, depth + 1);
        }
    }
};

// Reads a file of the mission as UTF-16 text; false with a finding when it cannot be checked.
// The file is opened as every document is (never blocking on a pipe), but against a fixed limit:
// the memory limits a document load looks up would cost each of thousands of files more than its check.
bool ReadMissionText(const fs::path& path, const std::string& relative, std::u16string& text,
                     std::vector<MissionFinding>& findings) {
    FileResult opened;
    std::uint64_t size = 0;
    const int fd = OpenReadableFile(path.string(), kLargestCheckedFile, opened, &size);
    std::string bytes;
    if (fd >= 0) {
        std::FILE* f = ::fdopen(fd, "rb");
        if (!f) {
            ::close(fd);
            opened = {false, "it cannot be opened"};
        } else {
            bytes.resize(size);
            bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
            if (std::ferror(f)) opened = {false, "it could not be read completely"};
            std::fclose(f);
        }
    }
    if (!opened.ok) {
        findings.push_back({relative, -1, 0, 0, ProblemSeverity::Error, "This file cannot be checked: " + opened.error});
        return false;
    }
    TextLoadReport report;
    const std::string utf8 = DecodeDocumentText(bytes, &report);
    if (report.hasNul) {
        findings.push_back({relative, -1, 0, 0, ProblemSeverity::Warning, "This file holds binary data and is not checked"});
        return false;
    }
    text = Utf16Of(utf8);
    return true;
}

}  // namespace

std::vector<MissionFinding> CheckMissionFolder(const std::string& folder, const ScriptRules& rules,
                                               const std::function<bool(size_t, size_t)>& progress) {
    Walk walk{fs::path(folder), {}, {}};
    walk.Folder(walk.root, "", 0);
    MissionFiles index;
    for (const std::string& f : walk.files) index.Add(f);
    std::vector<MissionFinding> findings = std::move(walk.findings);
    const size_t total = walk.files.size();
    for (size_t n = 0; n < total; ++n) {
        if (progress && !progress(n, total)) return findings;
        const std::string& rel = walk.files[n];
        const FileRole role = RoleOf(rel);
        if (role == FileRole::Other) continue;
        std::u16string text;
        if (!ReadMissionText(walk.root / fs::path(rel), rel, text, findings)) continue;
        if (role == FileRole::Script || role == FileRole::Function) {
            const ScriptKind kind = role == FileRole::Script ? ScriptKind::Script : ScriptKind::Function;
            for (const ScriptProblem& p : FindScriptProblems(text, kind, rules))
                findings.push_back({rel, p.line, p.column, p.length, p.severity, p.message});
            for (const FileReference& r : ExecReferences(text, kind))
                if (!index.Has(r.path))
                    findings.push_back({rel, r.line, r.column, r.length, ProblemSeverity::Error,
                                        "exec \"" + r.path + "\": the mission folder has no such script"});
        } else if (role == FileRole::Description) {
            for (const FileReference& r : DescriptionSounds(text)) {
                const char* folderName = r.music ? "music/" : "sound/";
                std::vector<std::string> names = {r.path, folderName + r.path};
                if (!HasExtension(r.path))
                    for (const char* ext : {".ogg", ".wss"}) {
                        names.push_back(r.path + ext);
                        names.push_back(folderName + r.path + ext);
                    }
                if (std::none_of(names.begin(), names.end(), [&](const std::string& n) { return index.Has(n); }))
                    findings.push_back({rel, r.line, r.column, r.length, ProblemSeverity::Error,
                                        std::string(r.music ? "Music" : "Sound") + " file \"" + r.path +
                                            "\" is not in the mission folder"});
            }
        } else {
            for (const FileReference& r : PagePictures(text))
                if (!index.Has(r.path))
                    findings.push_back({rel, r.line, r.column, r.length, ProblemSeverity::Error,
                                        "Picture \"" + r.path + "\" is not in the mission folder"});
        }
    }
    if (progress) progress(total, total);
    return findings;
}

}  // namespace qm
