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

namespace {
// The shell's own switches, after "-" or "/"; anything else is a file name, even when it starts
// with one of those characters ("/x.sqs", "-notes.txt").
bool IsShellSwitch(const std::string& arg, bool& print) {
    if (arg.size() < 2 || (arg[0] != '-' && arg[0] != '/')) return false;
    const std::string flag = FoldCase(arg.substr(1));
    if (flag == "p" || flag == "pt") {
        print = true;
        return true;
    }
    for (const char* known : {"dde", "automation", "embedding", "unregister", "unregserver", "regserver"})
        if (flag == known) return true;
    return false;
}
}  // namespace

std::vector<std::string> FileArguments(const std::vector<std::string>& args) {
    std::vector<std::string> files;
    bool print = false;
    for (const auto& a : args)
        if (!IsShellSwitch(a, print) && !a.empty()) files.push_back(a);
    return files;
}

ShellCommand ParseShellCommand(const std::vector<std::string>& args) {
    ShellCommand cmd;
    bool print = false;
    for (const auto& a : args) {
        if (IsShellSwitch(a, print)) continue;
        if (cmd.fileName.empty()) cmd.fileName = a;
    }
    if (!cmd.fileName.empty()) cmd.kind = print ? ShellCommand::FilePrint : ShellCommand::FileOpen;
    return cmd;
}

}  // namespace qm
