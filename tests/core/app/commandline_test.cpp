#include "core/app/commandline.h"

#include <gtest/gtest.h>

using namespace qm;

TEST(CommandLine, WizardSwitchesInBothFormsIgnoringCase) {
    EXPECT_EQ(MatchWizardSwitch({"/CRATE"}), WizardKind::Crate);
    EXPECT_EQ(MatchWizardSwitch({"-crate"}), WizardKind::Crate);
    EXPECT_EQ(MatchWizardSwitch({"-Briefing"}), WizardKind::Briefing);
    EXPECT_EQ(MatchWizardSwitch({"/overview"}), WizardKind::Overview);
    EXPECT_EQ(MatchWizardSwitch({"-UNIT", "mission.sqs"}), WizardKind::Unit);
    EXPECT_EQ(MatchWizardSwitch({"/description"}), WizardKind::Description);
}

TEST(CommandLine, OnlyTheFirstArgumentCounts) {
    EXPECT_EQ(MatchWizardSwitch({}), WizardKind::None);
    EXPECT_EQ(MatchWizardSwitch({"mission.sqs", "-unit"}), WizardKind::None);
    EXPECT_EQ(MatchWizardSwitch({"-units"}), WizardKind::None);
    EXPECT_FALSE(IsUnregisterSwitch({"x", "-UnregFileTypes"}));
    EXPECT_TRUE(IsUnregisterSwitch({"-unregfiletypes"}));
}

TEST(CommandLine, SwitchTableNamesTheDialogs) {
    EXPECT_EQ(FindWizardSwitch(WizardKind::Briefing)->dialogId, 116);
    EXPECT_EQ(FindWizardSwitch(WizardKind::Overview)->dialogId, 108);
    EXPECT_EQ(FindWizardSwitch(WizardKind::Unit)->dialogId, 110);
    EXPECT_EQ(FindWizardSwitch(WizardKind::Description)->dialogId, 109);
    EXPECT_EQ(FindWizardSwitch(WizardKind::Crate)->dialogId, 101);
    EXPECT_EQ(FindWizardSwitch(WizardKind::None), nullptr);
}

TEST(CommandLine, ShellCommandOpensOrPrintsTheNamedFile) {
    EXPECT_EQ(ParseShellCommand({}).kind, ShellCommand::FileNew);
    auto open = ParseShellCommand({"/home/u/mission/init.sqs"});
    EXPECT_EQ(open.kind, ShellCommand::FileOpen);
    EXPECT_EQ(open.fileName, "/home/u/mission/init.sqs");
    auto print = ParseShellCommand({"/p", "a.sqs"});
    EXPECT_EQ(print.kind, ShellCommand::FilePrint);
    EXPECT_EQ(print.fileName, "a.sqs");
    EXPECT_EQ(ParseShellCommand({"-dde"}).kind, ShellCommand::FileNew);
    EXPECT_EQ(ParseShellCommand({"/Embedding", "-P"}).kind, ShellCommand::FileNew);
}

TEST(CommandLine, OnlyTheShellsOwnSwitchesAreSwitches) {
    for (const std::string name : {"/x.sqs", "-notes.txt", "/p.sqs", "-"}) {
        const ShellCommand cmd = ParseShellCommand({name});
        EXPECT_EQ(cmd.kind, ShellCommand::FileOpen) << name;
        EXPECT_EQ(cmd.fileName, name);
    }
    const ShellCommand print = ParseShellCommand({"-notes.txt", "/pt"});
    EXPECT_EQ(print.kind, ShellCommand::FilePrint);
    EXPECT_EQ(print.fileName, "-notes.txt");
}
