#include "core/app/commandline.h"

#include "core/app/casefold.h"

namespace qm {

const std::vector<WizardSwitch>& WizardSwitches() {
    static const std::vector<WizardSwitch> table = {
        {"-briefing", "/briefing", WizardKind::Briefing, 116, "Briefing Wizard"},
        {"-overview", "/overview", WizardKind::Overview, 108, "Overview Wizard"},
        {"-unit", "/unit", WizardKind::Unit, 110, "Custom Unit Wizard"},
        {"-description", "/description", WizardKind::Description, 109, "Description Wizard"},
        {"-crate", "/crate", WizardKind::Crate, 101, "Crate Builder Wizard"},
    };
    return table;
}

WizardKind MatchWizardSwitch(const std::vector<std::string>& args) {
    if (args.empty()) return WizardKind::None;
    const std::string first = FoldCase(args.front());
    for (const auto& s : WizardSwitches())
        if (first == s.dashForm || first == s.slashForm) return s.kind;
    return WizardKind::None;
}

const WizardSwitch* FindWizardSwitch(WizardKind kind) {
    for (const auto& s : WizardSwitches())
        if (s.kind == kind) return &s;
    return nullptr;
}

bool IsUnregisterSwitch(const std::vector<std::string>& args) {
    return !args.empty() && FoldCase(args.front()) == "-unregfiletypes";
}

ShellCommand ParseShellCommand(const std::vector<std::string>& args) {
    ShellCommand cmd;
    bool print = false;
    for (const auto& a : args) {
        // A flag starts with "-" or "/" and is not itself a path that exists as typed.
        if (a.size() > 1 && (a[0] == '-' || (a[0] == '/' && a.find('/', 1) == std::string::npos))) {
            const std::string flag = FoldCase(a.substr(1));
            if (flag == "p") print = true;
            continue;  // other shell flags (dde, embedding, ...) need nothing here
        }
        if (cmd.fileName.empty()) cmd.fileName = a;
    }
    if (!cmd.fileName.empty()) cmd.kind = print ? ShellCommand::FilePrint : ShellCommand::FileOpen;
    return cmd;
}

}  // namespace qm
