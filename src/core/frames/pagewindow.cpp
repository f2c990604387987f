#include "core/frames/pagewindow.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace qm {

namespace {
constexpr size_t kMaxOpen = 4096;  // deeper unclosed tags are not followed
constexpr std::string_view kMarker = "qm-piece-";

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsNameChar(char c) { return IsLetter(c) || (c >= '0' && c <= '9') || c == '-' || c == ':' || c == '_'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

template <size_t N>
bool OneOf(std::string_view name, const std::array<std::string_view, N>& names) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

bool IsVoid(std::string_view n) {
    static constexpr std::array<std::string_view, 18> names{"area", "base", "br",    "col",    "embed",   "hr",
                                                            "img",  "input", "link", "meta",   "param",   "source",
                                                            "track", "wbr",  "keygen", "basefont", "frame", "isindex"};
    return OneOf(n, names);
}

// Inside these a window cannot start: a table or a list of options opened again would not be the
// same one, and the head and raw text hold no shown text to start at.
bool IsNoCut(std::string_view n) {
    static constexpr std::array<std::string_view, 17> names{
        "table", "tr",     "td",       "th",       "thead",    "tbody",  "tfoot",  "caption", "colgroup",
        "head",  "select", "optgroup", "option",   "textarea", "object", "applet", "frameset"};
    return OneOf(n, names);
}

bool IsRawText(std::string_view n) {
    static constexpr std::array<std::string_view, 5> names{"script", "style", "textarea", "title", "xmp"};
    return OneOf(n, names);
}

bool ClosesParagraph(std::string_view n) {
    static constexpr std::array<std::string_view, 28> names{
        "address", "article", "aside", "blockquote", "center", "dir",  "div",     "dl",     "fieldset", "figure",
        "footer",  "form",    "h1",    "h2",         "h3",     "h4",   "h5",      "h6",     "header",   "hr",
        "li",      "menu",    "nav",   "ol",         "p",      "pre",  "section", "table"};
    return n == "ul" || OneOf(n, names);
}

// Where the end tag of a raw-text element starts ("</name", any case), from a position on.
size_t FindEndTag(std::string_view html, const std::string& name, size_t from) {
    for (size_t at = html.find("</", from); at != std::string_view::npos; at = html.find("</", at + 2)) {
        size_t k = 0;
        while (k < name.size() && at + 2 + k < html.size() && Lower(html[at + 2 + k]) == name[k]) ++k;
        if (k == name.size() && (at + 2 + k >= html.size() || !IsNameChar(html[at + 2 + k]))) return at;
    }
    return std::string_view::npos;
}

struct OpenTag {
    std::string name;
    TextRange tag;
};

// Walks a page's markup, keeping the stack of open elements, and cuts it into pieces.
class Cutter {
public:
    Cutter(std::string_view html, size_t pieceBytes) : m_html(html), m_pieceBytes(std::max<size_t>(pieceBytes, 1)) {}

    PageCut Run() {
        m_cut.pieces.push_back({0, 0, {}});
        size_t i = 0;
        const size_t n = m_html.size();
        while (i < n) {
            const size_t lt = m_html.find('<', i);
            const size_t textEnd = lt == std::string_view::npos ? n : lt;
            CutInText(i, textEnd);
            if (textEnd == n) break;
            i = Tag(lt);
        }
        m_cut.pieces.back().end = n;
        return std::move(m_cut);
    }

private:
    // Not inside a link or anchor while it can be helped: carried, an anchor would be there twice.
    bool Due(size_t at) const {
        const size_t length = at - m_cut.pieces.back().begin;
        return m_noCut == 0 && length >= m_pieceBytes && (m_openLinks == 0 || length >= 4 * m_pieceBytes);
    }

    void CutAt(size_t at) {
        PagePiece& last = m_cut.pieces.back();
        if (at <= last.begin) return;
        last.end = at;
        PagePiece next{at, at, {}};
        for (size_t k = 0; k < m_open.size() && next.openTags.size() < kMaxCarriedTags; ++k) {
            if (m_open[k].name == "a") continue;
            TextRange r = m_open[k].tag;
            if (r.second - r.first > kMaxCarriedTagBytes) r.second = r.first + 1 + m_open[k].name.size();
            next.openTags.push_back(r);
        }
        m_cut.pieces.push_back(std::move(next));
    }

    // A long stretch of text is cut at the start of a line.
    void CutInText(size_t from, size_t to) {
        while (Due(to)) {
            const size_t want = m_cut.pieces.back().begin + m_pieceBytes;
            const size_t nl = m_html.find('\n', std::max(from, want) - 1);
            if (nl == std::string_view::npos || nl + 1 >= to) break;
            NoteText(from, nl + 1);
            CutAt(nl + 1);
            from = nl + 1;
        }
        NoteText(from, to);
    }

    // The current piece's first shown text, if it has none yet.
    void NoteText(size_t from, size_t to) {
        PagePiece& piece = m_cut.pieces.back();
        if (piece.textAt != kNoText) return;
        while (from < to && IsBlank(m_html[from])) ++from;
        if (from < to) piece.textAt = from;
    }

    // Reads the tag, comment or declaration at lt; returns where the text after it starts.
    size_t Tag(size_t lt) {
        const size_t n = m_html.size();
        const char next = lt + 1 < n ? m_html[lt + 1] : '\0';
        const bool endTag = next == '/';
        if (!IsLetter(next) && next != '!' && next != '?' && !endTag) {  // a "<" in text
            NoteText(lt, lt + 1);
            return lt + 1;
        }
        if (Due(lt)) CutAt(lt);
        if (m_html.compare(lt, 4, "<!--") == 0) {
            const size_t close = m_html.find("-->", lt + 4);
            return close == std::string_view::npos ? n : close + 3;
        }
        if (next == '!' || next == '?') {
            const size_t close = m_html.find('>', lt);
            return close == std::string_view::npos ? n : close + 1;
        }
        size_t i = lt + (endTag ? 2 : 1);
        const size_t nameStart = i;
        while (i < n && IsNameChar(m_html[i])) ++i;
        std::string name(m_html.substr(nameStart, i - nameStart));
        for (char& c : name) c = Lower(c);
        // To the tag's ">", past quoted values.
        bool selfClosing = false;
        while (i < n && m_html[i] != '>') {
            const char c = m_html[i];
            if ((c == '"' || c == '\'') && i > 0 && (m_html[i - 1] == '=' || m_html[i - 1] == ' ')) {
                const size_t close = m_html.find(c, i + 1);
                if (close == std::string_view::npos) return n;
                i = close + 1;
                continue;
            }
            selfClosing = c == '/';
            if (c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '/') selfClosing = false;
            ++i;
        }
        if (i >= n) return n;
        const size_t tagEnd = i + 1;
        if (name.empty()) return tagEnd;
        if (endTag) {
            Close(name);
            return tagEnd;
        }
        if (IsRawText(name)) {
            const size_t close = FindEndTag(m_html, name, tagEnd);
            if (close == std::string_view::npos) return n;
            const size_t gt = m_html.find('>', close);
            const size_t after = gt == std::string_view::npos ? n : gt + 1;
            if (name == "style") m_cut.styleSheets.push_back({lt, after});
            return after;
        }
        Open(std::move(name), {lt, tagEnd}, selfClosing);
        return tagEnd;
    }

    // The nearest open element of a name, not looking past one of the stops.
    template <size_t N>
    long Nearest(std::string_view name, const std::array<std::string_view, N>& stops) const {
        for (size_t k = m_open.size(); k-- > 0;) {
            if (m_open[k].name == name) return static_cast<long>(k);
            if (OneOf(std::string_view(m_open[k].name), stops)) return -1;
        }
        return -1;
    }

    void PopTo(size_t depth) {
        while (m_open.size() > depth) {
            if (IsNoCut(m_open.back().name)) --m_noCut;
            if (m_open.back().name == "a") --m_openLinks;
            m_open.pop_back();
        }
    }

    void Open(std::string name, TextRange tag, bool selfClosing) {
        // The closings HTML leaves out, so the stack does not grow with every paragraph or cell.
        static constexpr std::array<std::string_view, 4> listStops{"ul", "ol", "menu", "dir"};
        static constexpr std::array<std::string_view, 1> dlStops{"dl"};
        static constexpr std::array<std::string_view, 1> tableStops{"table"};
        static constexpr std::array<std::string_view, 2> rowStops{"tr", "table"};
        static constexpr std::array<std::string_view, 0> none{};
        if (ClosesParagraph(name) && !m_open.empty() && m_open.back().name == "p") PopTo(m_open.size() - 1);
        long at = -1;
        if (name == "li") at = Nearest("li", listStops);
        if (name == "dt" || name == "dd") at = std::max(Nearest("dt", dlStops), Nearest("dd", dlStops));
        if (name == "tr") at = Nearest("tr", tableStops);
        if (name == "td" || name == "th") at = std::max(Nearest("td", rowStops), Nearest("th", rowStops));
        if (name == "option") at = Nearest("option", none);
        if (name == "body") at = Nearest("head", none);
        if (at >= 0) PopTo(static_cast<size_t>(at));
        if (selfClosing || IsVoid(name) || m_open.size() >= kMaxOpen) return;
        if (IsNoCut(name)) ++m_noCut;
        if (name == "a") ++m_openLinks;
        m_open.push_back({std::move(name), tag});
    }

    void Close(const std::string& name) {
        // The body and the page stay open: text after them is still shown in the body.
        if (name == "body" || name == "html") return;
        for (size_t k = m_open.size(); k-- > 0;)
            if (m_open[k].name == name) {
                PopTo(k);
                return;
            }
    }

    std::string_view m_html;
    size_t m_pieceBytes;
    PageCut m_cut;
    std::vector<OpenTag> m_open;
    int m_noCut = 0;
    int m_openLinks = 0;
};
}  // namespace

PageCut CutPage(std::string_view html, size_t pieceBytes) { return Cutter(html, pieceBytes).Run(); }

size_t PieceAt(const PageCut& cut, size_t offset) {
    if (cut.pieces.empty()) return 0;
    const auto it = std::upper_bound(cut.pieces.begin(), cut.pieces.end(), offset,
                                     [](size_t off, const PagePiece& p) { return off < p.begin; });
    return it == cut.pieces.begin() ? 0 : static_cast<size_t>(it - cut.pieces.begin()) - 1;
}

std::string PieceMarker(size_t index) { return std::string(kMarker) + std::to_string(index); }

long MarkerPiece(std::string_view anchor) {
    if (anchor.substr(0, kMarker.size()) != kMarker) return -1;
    const std::string_view digits = anchor.substr(kMarker.size());
    long index = -1;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
    return ec == std::errc() && end == digits.data() + digits.size() && !digits.empty() ? index : -1;
}

std::string PageWindowHtml(std::string_view html, const PageCut& cut, size_t first, size_t last) {
    std::string out;
    if (cut.pieces.empty() || first > last || last >= cut.pieces.size()) return out;
    const PagePiece& start = cut.pieces[first];
    const auto add = [&](TextRange r) { out.append(html.substr(r.first, r.second - r.first)); };
    // Styles first: the page's rules apply to the elements that follow them.
    for (const TextRange& s : cut.styleSheets)
        if (s.second <= start.begin) add(s);
    for (const TextRange& t : start.openTags) {
        add(t);
        if (out.back() != '>') out += '>';
    }
    for (size_t k = first; k <= last; ++k) {
        const PagePiece& p = cut.pieces[k];
        const size_t text = p.textAt == kNoText ? p.begin : p.textAt;
        add({p.begin, text});
        out += "<a name=\"" + PieceMarker(k) + "\"></a>";
        add({text, p.end});
    }
    return out;
}

std::pair<size_t, size_t> WindowAround(const PageCut& cut, size_t centre, size_t windowBytes) {
    if (cut.pieces.empty()) return {0, 0};
    centre = std::min(centre, cut.pieces.size() - 1);
    size_t first = centre, last = centre;
    const auto size = [&](size_t k) { return cut.pieces[k].end - cut.pieces[k].begin; };
    size_t bytes = size(centre);
    bool down = true;
    while (bytes < windowBytes && (first > 0 || last + 1 < cut.pieces.size())) {
        if ((down && last + 1 < cut.pieces.size()) || first == 0)
            bytes += size(++last);
        else
            bytes += size(--first);
        down = !down;
    }
    return {first, last};
}

}  // namespace qm
