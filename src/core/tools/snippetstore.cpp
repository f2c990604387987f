#include "core/tools/snippetstore.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#ifndef _WIN32
#include <unistd.h>
#else
#include <io.h>
#endif

#include "core/app/datapaths.h"
#include "core/app/safefile.h"
#include "core/doc/textfile.h"
#include "core/tools/toolfiles.h"
#include "core/wizards/wizardcommon.h"

namespace qm {

namespace fs = std::filesystem;

namespace {
constexpr std::string_view kExtension = ".txt";

char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    const auto cmp = [](char x, char y) {
        return static_cast<unsigned char>(FoldCase(x)) < static_cast<unsigned char>(FoldCase(y));
    };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), cmp)) return true;
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), cmp)) return false;
    return a < b;
}

// Any line end becomes CR LF, and the last line gets one when it has none.
std::string WithCrLfLines(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 16 + 2);
    for (size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            out += "\r\n";
        } else {
            out.push_back(c);
        }
    }
    if (!out.empty() && out.back() != '\n') out += "\r\n";
    return out;
}
}  // namespace

bool IsValidSnippetName(std::string_view name) {
    if (!IsValidWizardName(name)) return false;
    return std::none_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

std::string InvalidSnippetNameMessage(std::string_view name) {
    std::string text = "\"";
    return text.append(name) +
           "\" cannot be a snippet name.\nA snippet is a file, and a file name cannot hold any of the "
           "characters \\ / : * ? | \" < >.";
}

SnippetStore::SnippetStore(std::string folder) : m_folder(WithTrailingSeparator(std::move(folder))) {}

std::string SnippetStore::PathOf(std::string_view name) const {
    return m_folder + std::string(name) + std::string(kExtension);
}

bool SnippetStore::IsWritable() const { return IsWritableFolder(m_folder); }

bool SnippetStore::Exists(std::string_view name) const {
    std::error_code ec;
    return fs::exists(fs::symlink_status(PathOf(name), ec));  // a dangling link takes its name too
}

std::vector<std::string> SnippetStore::List() const {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(m_folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_directory(typeError)) continue;
        const std::string file = it->path().filename().string();
        if (file.size() <= kExtension.size() || !file.ends_with(kExtension)) continue;
        names.push_back(file.substr(0, file.size() - kExtension.size()));
    }
    std::sort(names.begin(), names.end(), LessIgnoringCase);
    return names;
}

bool SnippetStore::Load(std::string_view name, std::string& text) const {
    std::string loaded;
    if (!LoadTextFile(PathOf(name), loaded).result.ok) return false;
    while (!loaded.empty() && loaded.back() == '\n') loaded.pop_back();
    text = std::move(loaded);
    return true;
}

SnippetPreview SnippetStore::Preview(std::string_view name, size_t maxBytes) const {
    SnippetPreview preview;
    FileResult opened;
    const std::string path = PathOf(name);
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return preview;  // missing, a folder, a pipe: nothing is opened
    const int fd = OpenReadableFile(path, UINT64_MAX, opened, &preview.size);
    if (fd < 0) return preview;
    std::FILE* f = ::fdopen(fd, "rb");
    if (!f) {
        ::close(fd);
        return preview;
    }
    std::string raw(static_cast<size_t>(std::min<std::uint64_t>(preview.size, maxBytes)), '\0');
    raw.resize(std::fread(raw.data(), 1, raw.size(), f));
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) return preview;
    preview.ok = true;
    preview.whole = raw.size() == preview.size;
    preview.binary = raw.find('\0') != std::string::npos;
    if (preview.binary) return preview;
    preview.text = DecodeDocumentText(raw);
    if (preview.whole)
        while (!preview.text.empty() && preview.text.back() == '\n') preview.text.pop_back();
    return preview;
}

bool SnippetStore::Save(std::string_view name, std::string_view text, size_t* unmappable) const {
    if (!IsValidSnippetName(name) || !IsWritable()) return false;
    const TextSaveReport report = SaveTextFile(PathOf(name), text);
    if (unmappable) *unmappable = report.unmappable;
    return report.result.ok;
}

size_t SnippetStore::Import(const std::vector<std::string>& files) const {
    size_t done = 0;
    for (const std::string& file : files) {
        std::string bytes;
        if (!ReadFileBytes(file, bytes).ok) break;
        const std::string name = fs::path(file).stem().string();
        if (name.empty() || !IsWritable() || !WriteFileAtomically(PathOf(name), WithCrLfLines(bytes)).ok) break;
        ++done;
    }
    return done;
}

bool SnippetStore::Remove(std::string_view name) const {
    const std::string path = PathOf(name);
    if (!IsWritable() || IsReadOnlyFile(path)) return false;
    std::error_code ec;
    return fs::remove(path, ec) && !ec;
}

bool SnippetStore::Rename(std::string_view oldName, std::string_view newName) const {
    if (newName.empty() || newName == oldName || !IsValidSnippetName(newName)) return false;
    if (!IsWritable() || !Exists(oldName) || Exists(newName)) return false;  // moving never replaces
    std::error_code ec;
    fs::rename(PathOf(oldName), PathOf(newName), ec);
    return !ec;
}

std::string SnippetStore::FreeTextSnippetName() const {
    for (int n = 1; n <= kMaxTextSnippets; ++n) {
        std::string name = "Text Snippet " + std::to_string(n);
        if (!Exists(name)) return name;
    }
    return {};
}

}  // namespace qm
