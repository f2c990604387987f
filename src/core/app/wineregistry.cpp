#include "core/app/wineregistry.h"

#include "core/app/utf8.h"

namespace qm {

namespace {
char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string LowerAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = Lower(c);
    return out;
}

bool IsHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
int HexValue(char c) { return c <= '9' ? c - '0' : Lower(c) - 'a' + 10; }

// Turns the UTF-16 units Wine writes as "\x" escapes, and the plain bytes between them, into UTF-8.
class Utf8Builder {
public:
    void Unit(char32_t u) {
        if (u >= 0xD800 && u <= 0xDBFF) {
            FlushHigh();
            m_high = u;
            return;
        }
        if (u >= 0xDC00 && u <= 0xDFFF) {
            if (m_high) AppendUtf8(m_out, 0x10000 + ((m_high - 0xD800) << 10) + (u - 0xDC00));
            else AppendUtf8(m_out, 0xFFFD);
            m_high = 0;
            return;
        }
        FlushHigh();
        AppendUtf8(m_out, u);
    }
    void Byte(char c) {
        FlushHigh();
        m_out.push_back(c);
    }
    std::string Take() {
        FlushHigh();
        return std::move(m_out);
    }

private:
    void FlushHigh() {
        if (m_high) AppendUtf8(m_out, 0xFFFD);  // a lone high surrogate
        m_high = 0;
    }
    std::string m_out;
    char32_t m_high = 0;
};

// Reads an escaped string from pos up to the unescaped `end` character and steps past it.
// None when the line ends first (a damaged or cut line).
std::optional<std::string> ReadEscaped(std::string_view line, size_t& pos, char end) {
    Utf8Builder out;
    while (pos < line.size()) {
        const char c = line[pos++];
        if (c == end) return out.Take();
        if (c != '\\') {
            out.Byte(c);
            continue;
        }
        if (pos >= line.size()) return std::nullopt;
        const char e = line[pos++];
        switch (e) {
            case 'a': out.Unit('\a'); break;
            case 'b': out.Unit('\b'); break;
            case 'e': out.Unit(0x1B); break;
            case 'f': out.Unit('\f'); break;
            case 'n': out.Unit('\n'); break;
            case 'r': out.Unit('\r'); break;
            case 't': out.Unit('\t'); break;
            case 'v': out.Unit('\v'); break;
            case 'x': {
                char32_t v = 0;
                int digits = 0;
                while (digits < 4 && pos < line.size() && IsHex(line[pos])) v = v * 16 + HexValue(line[pos++]), ++digits;
                if (digits == 0) out.Byte('x');
                else out.Unit(v);
                break;
            }
            default:
                if (e >= '0' && e <= '7') {
                    char32_t v = e - '0';
                    for (int d = 1; d < 3 && pos < line.size() && line[pos] >= '0' && line[pos] <= '7'; ++d)
                        v = v * 8 + (line[pos++] - '0');
                    out.Unit(v);
                } else {
                    out.Byte(e);  // "\\", "\"", "\]" and any other character stand for themselves
                }
        }
    }
    return std::nullopt;
}

// A string cut at its first NUL, as a program reading the value sees it.
std::string CutAtNul(std::string s) {
    if (auto nul = s.find('\0'); nul != std::string::npos) s.resize(nul);
    return s;
}
}  // namespace

std::string FoldRegistryKey(std::string_view key) {
    std::string out;
    for (char c : key) {
        if (c == '\\' && (out.empty() || out.back() == '\\')) continue;
        out.push_back(Lower(c));
    }
    while (!out.empty() && out.back() == '\\') out.pop_back();
    return out;
}

std::optional<std::string> WineRegistryFile::GetString(const std::string& key, const std::string& name) const {
    auto k = m_keys.find(FoldRegistryKey(key));
    if (k == m_keys.end()) return std::nullopt;
    auto v = k->second.find(LowerAscii(name));
    if (v == k->second.end()) return std::nullopt;
    return v->second;
}

WineRegistryFile ParseWineRegistry(std::string_view text, const std::function<bool(const std::string&)>& wanted) {
    WineRegistryFile file;
    std::map<std::string, std::string>* current = nullptr;
    bool first = true;
    size_t start = 0;
    while (start < text.size()) {
        size_t eol = text.find('\n', start);
        if (eol == std::string_view::npos) eol = text.size();
        std::string_view line = text.substr(start, eol - start);
        start = eol + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

        if (first) {
            first = false;
            if (line != "WINE REGISTRY Version 2") return file;
            file.m_valid = true;
            continue;
        }
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        if (line[0] == '[') {
            size_t pos = 1;
            current = nullptr;
            std::optional<std::string> key = ReadEscaped(line, pos, ']');
            if (!key) continue;
            const std::string folded = FoldRegistryKey(*key);
            if (!wanted || wanted(folded)) current = &file.m_keys[folded];
            continue;
        }
        if (!current) continue;  // values of a key not kept, or continuation lines of hex data

        std::string name;
        size_t pos = 0;
        if (line[0] == '@') {
            pos = 1;
        } else if (line[0] == '"') {
            pos = 1;
            std::optional<std::string> n = ReadEscaped(line, pos, '"');
            if (!n) continue;
            name = LowerAscii(*n);
        } else {
            continue;
        }
        if (pos >= line.size() || line[pos] != '=') continue;
        ++pos;
        std::string_view data = line.substr(pos);
        if (data.starts_with("str(2):")) pos += 7;
        else if (!data.starts_with("\"")) {
            current->erase(name);  // another type replaces an earlier string of that name
            continue;
        }
        if (pos >= line.size() || line[pos] != '"') continue;
        ++pos;
        if (std::optional<std::string> value = ReadEscaped(line, pos, '"')) (*current)[name] = CutAtNul(*value);
    }
    return file;
}

}  // namespace qm
