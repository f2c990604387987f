#include "core/doc/tableansi.h"

#include <string>
#include <utility>
#include <vector>

#include "core/app/ansicodec.h"
#include "core/app/utf8.h"

namespace qm {

size_t ReplaceUnmappable(PieceTable& table) {
    constexpr size_t kStretch = size_t{1} << 20;
    std::vector<std::pair<size_t, size_t>> found;  // offset and length in bytes
    for (size_t at = 0; at < table.Size();) {
        // A stretch reaches 3 bytes past its end so that a character cut there is read whole.
        const std::string text = table.Text(at, kStretch + 3);
        const size_t end = std::min(kStretch, text.size());
        size_t i = 0;
        while (i < end) {
            if (static_cast<unsigned char>(text[i]) < 0x80) {
                ++i;
                continue;
            }
            const size_t start = i;
            const char32_t c = DecodeUtf8(text, i);
            if (!HasAnsiByte(c)) found.push_back({at + start, i - start});
        }
        at += i;  // past the last character read, which may end beyond the stretch
    }
    if (found.empty()) return 0;
    table.BeginUndoGroup();
    for (auto it = found.rbegin(); it != found.rend(); ++it) table.Replace(it->first, it->second, "?");
    table.EndUndoGroup();
    return found.size();
}

}  // namespace qm
