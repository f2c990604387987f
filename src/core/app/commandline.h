#pragma once
#include <string>
#include <vector>

namespace qm {

enum class WizardKind { None, Briefing, Overview, Unit, Description, Crate };

struct WizardSwitch {
    const char* dashForm;
    const char* slashForm;
    WizardKind kind;
    int dialogId;
    const char* caption;
};

// The switches that run one wizard alone, in the order they are tested.
const std::vector<WizardSwitch>& WizardSwitches();

// Matches the first argument only, ignoring case; None when there is no argument or no match.
WizardKind MatchWizardSwitch(const std::vector<std::string>& args);
const WizardSwitch* FindWizardSwitch(WizardKind kind);

// "-UnregFileTypes" as the first argument, ignoring case.
bool IsUnregisterSwitch(const std::vector<std::string>& args);

// What the shell asked for: open a file, print it, or the start-up document.
struct ShellCommand {
    enum Kind { FileNew, FileOpen, FilePrint } kind = FileNew;
    std::string fileName;
};

ShellCommand ParseShellCommand(const std::vector<std::string>& args);
// Every argument that names a file, in order (the shell's switches left out).
std::vector<std::string> FileArguments(const std::vector<std::string>& args);

}  // namespace qm
