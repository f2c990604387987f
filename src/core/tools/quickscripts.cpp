#include "core/tools/quickscripts.h"

#include <filesystem>

#include "core/app/datapaths.h"
#include "core/doc/textfile.h"
#include "core/doc/titlerules.h"
#include "core/tools/toolfiles.h"

namespace qm {

namespace fs = std::filesystem;

namespace {
// A name taken from the folder or from a path must stay inside the folder.
bool IsPlainName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find(kPathSep) == std::string::npos;
}

FileResult EnsureFolder(const std::string& folder) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (!fs::is_directory(folder, ec)) return {false, "The folder \"" + folder + "\" cannot be created."};
    return {true, {}};
}
}  // namespace

std::vector<std::string> ListQuickScripts(const std::string& folder) {
    std::vector<std::string> names = ListFolderFiles(folder);
    if (names.size() > static_cast<size_t>(kMaxQuickScripts)) names.resize(kMaxQuickScripts);
    return names;
}

std::vector<std::string> AllQuickScriptFiles(const std::string& folder) { return ListFolderFiles(folder); }

FileResult AddQuickScriptCopy(const std::string& source, const std::string& folder) {
    const std::string name = FileNameOfPath(source);
    if (!IsPlainName(name)) return {false, "\"" + source + "\" has no file name."};
    if (FileResult made = EnsureFolder(folder); !made.ok) return made;
    const std::string target = WithTrailingSeparator(folder) + name;
    FileResult copied = CopyFileTo(source, target, false);
    if (!copied.ok) return copied;
    if (!SetReadOnly(target, true)) return {false, "\"" + target + "\" cannot be made read-only."};
    return {true, {}};
}

FileResult WriteQuickScript(const std::string& documentPath, std::string_view text, const std::string& folder) {
    const std::string name = FileNameOfPath(documentPath);
    if (!IsPlainName(name)) return {false, "\"" + documentPath + "\" has no file name."};
    if (FileResult made = EnsureFolder(folder); !made.ok) return made;
    if (!IsWritableFolder(folder)) return {false, "The folder \"" + folder + "\" cannot be written."};
    const std::string target = WithTrailingSeparator(folder) + name;
    FileResult written = WriteFileAtomically(target, EncodeDocumentText(text));  // refuses a read-only file
    if (!written.ok) return written;
    if (!SetReadOnly(target, true)) return {false, "\"" + target + "\" cannot be made read-only."};
    return {true, {}};
}

bool RemoveQuickScript(const std::string& folder, const std::string& name) {
    if (!IsPlainName(name) || !IsWritableFolder(folder)) return false;
    const std::string path = WithTrailingSeparator(folder) + name;
    if (!SetReadOnly(path, false)) return false;
    std::error_code ec;
    return fs::remove(path, ec) && !ec;
}

}  // namespace qm
