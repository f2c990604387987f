#include "core/app/programinfo.h"

#include <cerrno>
#include <cstring>

#include "core/app/commandline.h"

namespace qm {

InfoRequest MatchInfoRequest(const std::vector<std::string>& args) {
    for (const auto& a : args) {
        if (a == "--help") return InfoRequest::Help;
        if (a == "--version") return InfoRequest::Version;
    }
    return InfoRequest::None;
}

namespace {
std::string Row(const std::string& left, const std::string& right) {
    constexpr size_t kColumn = 19;
    std::string line = "  " + left;
    line += left.size() + 2 < kColumn ? std::string(kColumn - line.size(), ' ') : std::string(" ");
    return line + right + "\n";
}
}  // namespace

std::string UsageText() {
    std::string wizards;
    for (const auto& s : WizardSwitches())
        wizards += Row(s.dashForm, std::string("run the ") + s.caption + " alone (or " + s.slashForm + ")");
    return "Usage: quillmark [FILE]...\n"
           "       quillmark -briefing | -overview | -unit | -description | -crate\n"
           "       quillmark -UnregFileTypes\n"
           "       quillmark --help | --version\n"
           "\n"
           "Quillmark edits the mission files of Varnholt: scripts (.sqs, .sqf), description files (.ext),\n"
           "briefing and overview pages (.html), string tables (.csv) and plain text.\n"
           "\n" +
           Row("FILE", "open the file; an editor already running opens it instead") + wizards +
           Row("-UnregFileTypes", "give the file types back to the programs that had them, and end") +
           Row("--help", "show this text and end") + Row("--version", "show the version and end") +
           "\n"
           "The wizard switches and -UnregFileTypes ignore case and count only as the first argument.\n"
           "Settings are kept in ~/.config/Tarnwell/ (or $QUILLMARK_CONFIG_DIR); see quillmark(1) for\n"
           "every file and variable the program reads.\n";
}

std::string VersionText(const std::string& version) { return "Quillmark " + version + "\n"; }

int ShowInfo(InfoRequest request, const std::string& version, std::FILE* out, std::FILE* err) {
    if (request == InfoRequest::None) return 0;
    const std::string text = request == InfoRequest::Help ? UsageText() : VersionText(version);
    errno = 0;
    const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    if (std::fflush(out) == 0 && written && !std::ferror(out)) return 0;
    const int cause = errno;
    std::fprintf(err, "quillmark: cannot write to standard output%s%s\n", cause ? ": " : "",
                 cause ? std::strerror(cause) : "");
    return 1;
}

}  // namespace qm
