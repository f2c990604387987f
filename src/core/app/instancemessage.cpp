#include "core/app/instancemessage.h"

#include <algorithm>

#include "core/app/datapaths.h"

namespace qm {

namespace {
constexpr std::string_view kMagic = "QUILLMARK-OPEN 1\n";
constexpr size_t kMaxFiles = 4096;
constexpr size_t kMaxPathBytes = 65536;

// A decimal number ended by '\n' at pos; Incomplete when the line has not arrived yet.
DecodeResult ReadNumber(std::string_view b, size_t& pos, size_t limit, size_t& value) {
    value = 0;
    const size_t start = pos;
    while (pos < b.size() && b[pos] != '\n') {
        const char c = b[pos++];
        if (c < '0' || c > '9' || pos - start > 9) return DecodeResult::Invalid;
        value = value * 10 + static_cast<size_t>(c - '0');
    }
    if (pos >= b.size()) return DecodeResult::Incomplete;
    if (pos == start || value > limit) return DecodeResult::Invalid;
    ++pos;
    return DecodeResult::Complete;
}
}  // namespace

std::string EncodeOpenRequest(const std::vector<std::string>& files) {
    std::string out(kMagic);
    out += std::to_string(files.size()) + "\n";
    for (const auto& f : files) out += std::to_string(f.size()) + "\n" + f;
    return out;
}

DecodeResult DecodeOpenRequest(std::string_view bytes, std::vector<std::string>& files) {
    files.clear();
    const size_t head = std::min(bytes.size(), kMagic.size());
    if (bytes.substr(0, head) != kMagic.substr(0, head)) return DecodeResult::Invalid;
    if (bytes.size() < kMagic.size()) return DecodeResult::Incomplete;
    size_t pos = kMagic.size(), count = 0;
    if (DecodeResult r = ReadNumber(bytes, pos, kMaxFiles, count); r != DecodeResult::Complete) return r;
    std::vector<std::string> out;
    for (size_t i = 0; i < count; ++i) {
        size_t length = 0;
        if (DecodeResult r = ReadNumber(bytes, pos, kMaxPathBytes, length); r != DecodeResult::Complete) return r;
        if (bytes.size() - pos < length) return DecodeResult::Incomplete;
        out.emplace_back(bytes.substr(pos, length));
        if (out.back().empty() || out.back().find('\0') != std::string::npos) return DecodeResult::Invalid;
        pos += length;
    }
    if (pos != bytes.size()) return DecodeResult::Invalid;  // nothing follows a request
    files = std::move(out);
    return DecodeResult::Complete;
}

std::string InstanceSocketPath(const std::optional<std::string>& overrideVariable,
                               const std::optional<std::string>& runtimeFolder, unsigned userId) {
    if (overrideVariable && !overrideVariable->empty()) return *overrideVariable;
    if (runtimeFolder && !runtimeFolder->empty() && (*runtimeFolder)[0] == '/')
        return WithTrailingSeparator(*runtimeFolder) + "quillmark.socket";
    return "/tmp/quillmark-" + std::to_string(userId) + ".socket";
}

}  // namespace qm
