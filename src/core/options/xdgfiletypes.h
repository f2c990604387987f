#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/doc/dockinds.h"
#include "core/platform/registry.h"

namespace qm {

// The user's XDG base folders, each ending without a separator.
struct XdgDirs {
    std::string dataHome;               // $XDG_DATA_HOME, else ~/.local/share
    std::string configHome;             // $XDG_CONFIG_HOME, else ~/.config
    std::vector<std::string> dataDirs;  // $XDG_DATA_DIRS, else /usr/local/share and /usr/share
    bool Usable() const { return !dataHome.empty() && !configHome.empty(); }
};
// From the environment; unusable when neither the variables nor HOME are set.
XdgDirs XdgDirsFromEnvironment();
// One base folder: the variable's value when it is an absolute path (desktops ignore relative
// values), else home + "/" + fallback; empty when neither is there. No trailing separator.
std::string XdgBaseFolder(const std::string& value, const std::string& home, const std::string& fallback);

// The default handler that the "[Default Applications]" group of a mimeapps.list gives a
// MIME type (the whole value, a ";" list as written), or nothing when it gives none.
std::optional<std::string> MimeAppsDefault(const std::string& text, const std::string& mimeType);
// The list with the type's default set to value, or removed when value is empty. Every other
// line stays as it was.
std::string SetMimeAppsDefault(const std::string& text, const std::string& mimeType,
                               const std::optional<std::string>& value);

// Where the desktop's previous default handler of an extension is kept while the program owns it:
// HKEY_CLASSES_ROOT\<kDesktopDefaultsKey>, value "<extension> (Old Default)".
inline constexpr const char* kDesktopDefaultsKey = "Quillmark.Desktop";

// Makes a file-type association visible to the Linux desktop: installs the kind's MIME type for
// the user, makes the program's desktop entry its default handler in the user's mimeapps.list
// and, on giving it back, puts back the handler that was there. Touches only the user's folders.
class XdgFileTypes {
public:
    // Called with the user's "mime" folder after a package file changed; it runs the database
    // update when the tool is installed.
    using MimeDatabaseUpdater = std::function<void(const std::string& mimeFolder)>;

    XdgFileTypes(XdgDirs dirs, std::string executablePath, MimeDatabaseUpdater updater = {});

    // False when a file that should change could not be written.
    bool SetFileTypeAssociation(Registry& registry, DocKind kind, bool associate);

    std::string MimeAppsPath() const;
    std::string PackagePath(DocKind kind) const;
    std::string UserDesktopEntryPath() const;
    // True when a desktop entry of the program lies in the user's or a system applications folder.
    bool DesktopEntryInstalled() const;

private:
    bool Associate(Registry& registry, DocKind kind);
    bool Restore(Registry& registry, DocKind kind);
    bool EnsureDesktopEntry();
    bool WritePackage(DocKind kind, bool& changed);
    void UpdateMimeDatabase();

    XdgDirs m_dirs;
    std::string m_executablePath;
    MimeDatabaseUpdater m_updater;
};

}  // namespace qm
