#include "core/app/desktopfiles.h"

#include "core/options/mimetypes.h"

namespace qm {


std::vector<std::string> InstalledMimeTypes() {
    std::vector<std::string> out;
    for (const auto& m : MimeTypes()) out.push_back(m.mimeType);
    return out;
}

std::string InstalledMimePackage() { return MimePackageTextAll(); }

std::string InstalledDesktopEntry() {
    // The entry the Options mirror writes, started from PATH, with the installed icon.
    std::string entry = DesktopEntryText(kInstalledProgramName);
    return entry + "Icon=" + kInstalledProgramName + "\nStartupWMClass=" + kInstalledProgramName + "\n";
}

std::string InstalledMetainfo(const std::string& version, const std::string& releaseDate) {
    std::string provides;
    for (const auto& t : InstalledMimeTypes()) provides += "    <mediatype>" + t + "</mediatype>\n";
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<component type=\"desktop-application\">\n"
           "  <id>" + std::string(kMetainfoId) + "</id>\n"
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
           "  <releases>\n    <release version=\"" + XmlEscape(version) + "\" date=\"" + XmlEscape(releaseDate) + "\"/>\n  </releases>\n"
           "  <content_rating type=\"oars-1.1\"/>\n"
           "</component>\n";
}

}  // namespace qm
