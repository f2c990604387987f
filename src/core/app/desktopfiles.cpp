#include "core/app/desktopfiles.h"

#include "core/doc/dockinds.h"

namespace qm {

namespace {
// The file-type table's names for the six kinds, until that table is shared with this file:
// the game's own kinds get types of ours; the others have well-known types we must not redefine.
struct KindMime {
    const char* type;
    bool own;
};
KindMime MimeOf(DocKind kind) {
    switch (kind) {
        case DocKind::Script: return {"text/x-varnholt-script", true};
        case DocKind::Description: return {"text/x-varnholt-description", true};
        case DocKind::StringTable: return {"text/csv", false};
        case DocKind::Briefing: return {"text/html", false};
        case DocKind::Function: return {"text/x-varnholt-function", true};
        case DocKind::Text: return {"text/plain", false};
    }
    return {"text/plain", false};
}

std::string Xml(const std::string& s) {
    std::string out;
    for (char c : s) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}
}  // namespace

std::vector<std::string> InstalledMimeTypes() {
    std::vector<std::string> out;
    for (const auto& k : DocKinds()) out.push_back(MimeOf(k.kind).type);
    return out;
}

std::string InstalledMimePackage() {
    std::string body;
    for (const auto& k : DocKinds()) {
        const KindMime m = MimeOf(k.kind);
        if (!m.own) continue;
        body += std::string("  <mime-type type=\"") + m.type + "\">\n" + "    <sub-class-of type=\"text/plain\"/>\n" +
                "    <comment>" + Xml(k.regTypeName) + "</comment>\n" + "    <glob pattern=\"*" + k.extension +
                "\"/>\n" + "  </mime-type>\n";
    }
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n" +
           body + "</mime-info>\n";
}

std::string InstalledDesktopEntry() {
    std::string types;
    for (const auto& t : InstalledMimeTypes()) types += t + ";";
    // %F: a second start hands all its files to the running editor at once.
    return std::string("[Desktop Entry]\n"
                       "Type=Application\n"
                       "Name=Quillmark\n"
                       "GenericName=Mission Editor\n"
                       "Comment=Edit Varnholt mission scripts, descriptions and briefings\n"
                       "Exec=") + kInstalledProgramName + " %F\n" +
           "Icon=" + kInstalledProgramName + "\n"
           "Terminal=false\n"
           "Categories=Development;TextEditor;\n"
           "MimeType=" + types + "\n"
           "StartupWMClass=quillmark\n";
}

std::string InstalledMetainfo(const std::string& version) {
    std::string provides;
    for (const auto& t : InstalledMimeTypes()) provides += "    <mediatype>" + t + "</mediatype>\n";
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<component type=\"desktop-application\">\n"
           "  <id>quillmark.desktop</id>\n"
           "  <metadata_license>CC0-1.0</metadata_license>\n"
           "  <project_license>LicenseRef-proprietary</project_license>\n"
           "  <name>Quillmark</name>\n"
           "  <summary>Editor for Varnholt mission files</summary>\n"
           "  <description>\n"
           "    <p>Quillmark is an editor for the mission files of the military simulation game Varnholt: "
           "scripts, functions, description files, briefing and overview pages, string tables and plain text.</p>\n"
           "    <p>Scripts and description files are coloured from editable data files. A command bar lists every "
           "scripting command, weapon, magazine and piece of equipment with its syntax, and wizards write "
           "briefings, overviews, description files, unit loadouts and ammunition crates.</p>\n"
           "  </description>\n"
           "  <launchable type=\"desktop-id\">" + std::string(kInstalledDesktopId) + "</launchable>\n"
           "  <url type=\"homepage\">https://quillmark.tarnwell.example/</url>\n"
           "  <developer_name>Tarnwell</developer_name>\n"
           "  <categories>\n    <category>Development</category>\n    <category>TextEditor</category>\n"
           "  </categories>\n"
           "  <provides>\n" + provides + "    <binary>" + kInstalledProgramName + "</binary>\n  </provides>\n"
           "  <releases>\n    <release version=\"" + Xml(version) + "\"/>\n  </releases>\n"
           "  <content_rating type=\"oars-1.1\"/>\n"
           "</component>\n";
}

}  // namespace qm
