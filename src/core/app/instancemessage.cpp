#include "core/app/instancemessage.h"

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>

#include "core/app/datapaths.h"

namespace qm {

namespace {
// The first form carried only files; the second carries the sender's folder before them. An
// editor that knows only the first refuses the second, so it never misreads it.
constexpr std::string_view kMagicFiles = "QUILLMARK-OPEN 1\n";
constexpr std::string_view kMagicFolder = "QUILLMARK-OPEN 2\n";
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

// A length line and that many bytes, not holding a NUL, and empty only where allowed.
DecodeResult ReadPath(std::string_view b, size_t& pos, std::string& out, bool mayBeEmpty = false) {
    size_t length = 0;
    if (DecodeResult r = ReadNumber(b, pos, kMaxPathBytes, length); r != DecodeResult::Complete) return r;
    if (b.size() - pos < length) return DecodeResult::Incomplete;
    out.assign(b.substr(pos, length));
    if ((out.empty() && !mayBeEmpty) || out.find('\0') != std::string::npos) return DecodeResult::Invalid;
    pos += length;
    return DecodeResult::Complete;
}

bool StartsWith(std::string_view bytes, std::string_view head) { return bytes.substr(0, head.size()) == head; }
}  // namespace

std::string EncodeOpenRequest(const std::vector<std::string>& files, const std::string& folder) {
    std::string out(kMagicFolder);
    out += std::to_string(folder.size()) + "\n" + folder;
    out += std::to_string(files.size()) + "\n";
    for (const auto& f : files) out += std::to_string(f.size()) + "\n" + f;
    return out;
}

DecodeResult DecodeOpenRequest(std::string_view bytes, OpenRequest& request) {
    request = {};
    const bool withFolder = StartsWith(bytes, kMagicFolder);
    if (!withFolder && !StartsWith(bytes, kMagicFiles)) {
        const bool partial = bytes.size() < kMagicFiles.size() &&
                             (StartsWith(kMagicFiles, bytes) || StartsWith(kMagicFolder, bytes));
        return partial ? DecodeResult::Incomplete : DecodeResult::Invalid;
    }
    size_t pos = kMagicFiles.size(), count = 0;
    OpenRequest out;
    // A sender whose folder was deleted has none to send.
    if (withFolder)
        if (DecodeResult r = ReadPath(bytes, pos, out.folder, true); r != DecodeResult::Complete) return r;
    if (DecodeResult r = ReadNumber(bytes, pos, kMaxFiles, count); r != DecodeResult::Complete) return r;
    for (size_t i = 0; i < count; ++i)
        if (DecodeResult r = ReadPath(bytes, pos, out.files.emplace_back()); r != DecodeResult::Complete) return r;
    if (pos != bytes.size()) return DecodeResult::Invalid;  // nothing follows a request
    request = std::move(out);
    return DecodeResult::Complete;
}

std::vector<std::string> RequestedPaths(const OpenRequest& request) {
    namespace fs = std::filesystem;
    const fs::path folder(request.folder);
    std::vector<std::string> paths;
    for (const auto& f : request.files) {
        const fs::path file(f);
        if (file.is_absolute()) paths.push_back(f);
        else if (folder.is_absolute()) paths.push_back((folder / file).lexically_normal().string());
    }
    return paths;
}

std::string InstanceSocketPath(const std::optional<std::string>& overrideVariable,
                               const std::optional<std::string>& runtimeFolder, unsigned userId) {
    if (overrideVariable && !overrideVariable->empty()) return *overrideVariable;
    if (runtimeFolder && !runtimeFolder->empty() && (*runtimeFolder)[0] == '/')
        return WithTrailingSeparator(*runtimeFolder) + "quillmark.socket";
    return "/tmp/quillmark-" + std::to_string(userId) + "/quillmark.socket";
}

bool MakeUserOnlyFolder(const std::string& folder, unsigned userId) {
    if (folder.empty()) return false;
    ::mkdir(folder.c_str(), 0700);  // an existing one is judged below as it is
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
    return st.st_uid == userId && (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

}  // namespace qm
