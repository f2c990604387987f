#include "core/app/commandline.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "core/app/programinfo.h"

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

TEST(ProgramInfo, HelpAndVersionOnlyInTheirExactLongForms) {
    EXPECT_EQ(MatchInfoRequest({"--help"}), InfoRequest::Help);
    EXPECT_EQ(MatchInfoRequest({"a.sqs", "--version"}), InfoRequest::Version);
    EXPECT_EQ(MatchInfoRequest({"-unit", "--version", "--help"}), InfoRequest::Version);
    for (const char* fileName : {"-h", "--HELP", "-help", "--versions", "help", "/help"})
        EXPECT_EQ(MatchInfoRequest({fileName}), InfoRequest::None) << fileName;
    EXPECT_EQ(MatchInfoRequest({}), InfoRequest::None);
}

TEST(ProgramInfo, UsageNamesEverySwitchAndAFailedWriteIsNoSuccess) {
    const std::string usage = UsageText();
    for (const char* name : {"-briefing", "/overview", "-unit", "-description", "-crate", "Crate Builder Wizard",
                             "-UnregFileTypes", "--help", "--version", "FILE"})
        EXPECT_NE(usage.find(name), std::string::npos) << name;
    for (size_t start = 0, end; (end = usage.find('\n', start)) != std::string::npos; start = end + 1)
        EXPECT_LE(end - start, 100u) << usage.substr(start, end - start);

    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    ASSERT_TRUE(out && err);
    EXPECT_EQ(ShowInfo(InfoRequest::Version, "3.0.1000", out, err), 0);
    std::rewind(out);
    char buf[64] = {};
    EXPECT_STREQ(std::fgets(buf, sizeof buf, out), "Quillmark 3.0.1000\n");
    if (std::FILE* full = std::fopen("/dev/full", "w")) {
        EXPECT_EQ(ShowInfo(InfoRequest::Help, "3.0.1000", full, err), 1);
        std::fclose(full);
        std::rewind(err);
        ASSERT_TRUE(std::fgets(buf, sizeof buf, err));
        EXPECT_EQ(std::string(buf).rfind("quillmark: cannot write to standard output", 0), 0u) << buf;
    }
    std::fclose(out);
    std::fclose(err);
}
