#include "core/options/mimetypes.h"

namespace qm {

const std::vector<MimeTypeInfo>& MimeTypes() {
    static const std::vector<MimeTypeInfo> table = {
        {DocKind::Script, "text/x-varnholt-script", true, "quillmark-script"},
        {DocKind::Description, "text/x-varnholt-description", true, "quillmark-description"},
        {DocKind::StringTable, "text/csv", false, ""},
        {DocKind::Briefing, "text/html", false, ""},
        {DocKind::Function, "text/x-varnholt-function", true, "quillmark-function"},
        {DocKind::Text, "text/plain", false, ""},
    };
    return table;
}

const MimeTypeInfo& MimeTypeOf(DocKind kind) { return MimeTypes()[static_cast<size_t>(kind)]; }

namespace {

std::string MimeTypeElement(DocKind kind) {
    const DocKindInfo& info = KindInfo(kind);
    return std::string("  <mime-type type=\"") + MimeTypeOf(kind).mimeType + "\">\n" +
           "    <sub-class-of type=\"text/plain\"/>\n" + "    <comment>" + XmlEscape(info.regTypeName) +
           "</comment>\n" + "    <glob pattern=\"*" + info.extension + "\"/>\n" + "  </mime-type>\n";
}

std::string Package(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n" +
           body + "</mime-info>\n";
}
}  // namespace

std::string MimePackageText(DocKind kind) { return Package(MimeTypeElement(kind)); }

std::string MimePackageTextAll() {
    std::string body;
    for (const auto& m : MimeTypes())
        if (m.ownType) body += MimeTypeElement(m.kind);
    return Package(body);
}

std::string DesktopExecArgument(const std::string& argument) {
    // Quotes only where the entry format demands them: xdg-open and xdg-mime take the first word
    // of Exec literally, so a quoted plain name ("quillmark") is a program they cannot find.
    static const std::string reserved = " \t\n\"'\\><~|&;$*?#()`";
    const bool plain = !argument.empty() && argument.find_first_of(reserved) == std::string::npos;
    // Inside double quotes, '"', '`', '$' and '\' take a backslash; '%' is doubled everywhere. The
    // entry's string escapes then double every backslash once more.
    std::string quoted = plain ? "" : "\"";
    for (char c : argument) {
        if (!plain && (c == '"' || c == '`' || c == '$' || c == '\\')) quoted += '\\';
        if (c == '%') quoted += '%';
        quoted += c;
    }
    if (!plain) quoted += '"';
    std::string out;
    for (char c : quoted) {
        if (c == '\\') out += "\\\\";
        else if (c == '\n') out += "\\n";
        else out += c;
    }
    return out;
}

std::string DesktopEntryText(const std::string& executablePath) {
    std::string types;
    for (const auto& m : MimeTypes()) types += std::string(m.mimeType) + ";";
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Quillmark\n"
           "GenericName=Mission Editor\n"
           "Comment=Edit Varnholt mission scripts, descriptions and briefings\n"
           "Exec=" + DesktopExecArgument(executablePath) + " %f\n"
           "Terminal=false\n"
           "Categories=Development;TextEditor;\n"
           "MimeType=" + types + "\n";
}

}  // namespace qm
