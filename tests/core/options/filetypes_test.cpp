#include "core/options/filetypes.h"

#include <gtest/gtest.h>

#include "core/platform/memoryregistry.h"

using namespace qm;

namespace {
constexpr Hive CR = Hive::ClassesRoot;

class FileTypes : public ::testing::Test {
protected:
    std::optional<std::string> Value(const std::string& key, const std::string& name) const {
        return reg.ReadString(CR, key, name);
    }
    MemoryRegistry reg;
};
}  // namespace

TEST_F(FileTypes, TakingOverAnotherProgramsExtensionKeepsItsDefaultAndGivesItBack) {
    reg.WriteString(CR, ".txt", "", "txtfile");
    reg.WriteString(CR, ".txt", "Content Type", "text/plain");
    SetFileTypeAssociation(reg, DocKind::Text, true);
    EXPECT_EQ(Value(".txt", ""), "VarnholtText.Document");
    EXPECT_EQ(Value(".txt", "(Old Default)"), "txtfile");

    SetFileTypeAssociation(reg, DocKind::Text, false);
    EXPECT_EQ(Value(".txt", ""), "txtfile");
    EXPECT_FALSE(Value(".txt", "(Old Default)"));
    EXPECT_EQ(Value(".txt", "Content Type"), "text/plain");  // the rest of the key stays
}

TEST_F(FileTypes, AMissingExtensionKeyIsCreatedWithTheProgIdAndDeletedWhenGivenBack) {
    SetFileTypeAssociation(reg, DocKind::Function, true);
    EXPECT_EQ(Value(".sqf", ""), "VarnholtFunction.Document");
    EXPECT_FALSE(Value(".sqf", "(Old Default)"));
    EXPECT_EQ(reg.ValueCount(), 1u);

    SetFileTypeAssociation(reg, DocKind::Function, false);
    EXPECT_FALSE(reg.KeyExists(CR, ".sqf"));
    EXPECT_EQ(reg.ValueCount(), 0u);
}

TEST_F(FileTypes, EveryKindPointsItsExtensionAtItsProgId) {
    const std::pair<DocKind, std::pair<const char*, const char*>> rows[] = {
        {DocKind::Script, {".sqs", "VarnholtScript.Document"}},
        {DocKind::Description, {".ext", "VarnholtDescription.Document"}},
        {DocKind::Function, {".sqf", "VarnholtFunction.Document"}},
        {DocKind::StringTable, {".csv", "VarnholtStringTable.Document"}},
        {DocKind::Briefing, {".html", "VarnholtBriefing.Document"}},
        {DocKind::Text, {".txt", "VarnholtText.Document"}},
    };
    for (const auto& [kind, ext] : rows) {
        SetFileTypeAssociation(reg, kind, true);
        EXPECT_EQ(Value(ext.first, ""), ext.second);
    }
}

TEST_F(FileTypes, ScriptsGetShellNewAndLoseItWithTheWholeKeyWhenNothingWasSaved) {
    SetFileTypeAssociation(reg, DocKind::Script, true);
    EXPECT_EQ(Value(".sqs", ""), "VarnholtScript.Document");
    EXPECT_EQ(Value(".sqs\\ShellNew", "NullFile"), "");
    reg.WriteString(CR, ".sqs\\ShellNew\\Deeper\\Still", "x", "y");  // a tree below goes too

    SetFileTypeAssociation(reg, DocKind::Script, false);
    EXPECT_FALSE(reg.KeyExists(CR, ".sqs"));
    EXPECT_FALSE(reg.KeyExists(CR, ".sqs\\ShellNew"));
    EXPECT_EQ(reg.ValueCount(), 0u);
}

TEST_F(FileTypes, GivingBackAScriptWithASavedDefaultRemovesOnlyShellNew) {
    reg.WriteString(CR, ".sqs", "", "OtherEditor.sqs");
    reg.WriteString(CR, "OtherEditor.sqs\\shell\\open\\command", "", "other %1");
    SetFileTypeAssociation(reg, DocKind::Script, true);
    SetFileTypeAssociation(reg, DocKind::Script, false);
    EXPECT_EQ(Value(".sqs", ""), "OtherEditor.sqs");
    EXPECT_FALSE(reg.KeyExists(CR, ".sqs\\ShellNew"));
    EXPECT_FALSE(Value(".sqs", "(Old Default)"));
    EXPECT_TRUE(reg.KeyExists(CR, "OtherEditor.sqs\\shell\\open\\command"));
}

TEST_F(FileTypes, AssociatingTwiceWritesTheOldDefaultOnlyOnce) {
    reg.WriteString(CR, ".ext", "", "Previous.ext");
    SetFileTypeAssociation(reg, DocKind::Description, true);
    reg.ClearWriteLog();
    SetFileTypeAssociation(reg, DocKind::Description, true);
    for (const auto& w : reg.WriteLog()) EXPECT_EQ(w.find("(Old Default)"), std::string::npos) << w;
    EXPECT_EQ(Value(".ext", "(Old Default)"), "Previous.ext");
    SetFileTypeAssociation(reg, DocKind::Description, false);
    EXPECT_EQ(Value(".ext", ""), "Previous.ext");
}

TEST_F(FileTypes, AProgramThatTookTheExtensionMeanwhileBecomesTheOldDefault) {
    reg.WriteString(CR, ".csv", "", "First.csv");
    SetFileTypeAssociation(reg, DocKind::StringTable, true);
    reg.WriteString(CR, ".csv", "", "Second.csv");
    SetFileTypeAssociation(reg, DocKind::StringTable, true);
    EXPECT_EQ(Value(".csv", "(Old Default)"), "Second.csv");
    SetFileTypeAssociation(reg, DocKind::StringTable, false);
    EXPECT_EQ(Value(".csv", ""), "Second.csv");
}

TEST_F(FileTypes, GivingBackWithoutASavedDefaultDeletesTheKeyAndAMissingKeyIsLeftAlone) {
    SetFileTypeAssociation(reg, DocKind::Briefing, false);
    EXPECT_EQ(reg.ValueCount(), 0u);
    reg.WriteString(CR, ".html", "", "htmlfile");
    reg.WriteString(CR, ".html\\OpenWithList\\a", "", "b");
    RestoreExtension(reg, ".html");
    EXPECT_FALSE(reg.KeyExists(CR, ".html"));
}

TEST_F(FileTypes, ReadRegStringCutsAtTheLimitButALongDefaultComesBackWhole) {
    const std::string longId(300, 'L');
    reg.WriteString(CR, ".txt", "", longId);
    EXPECT_EQ(ReadRegString(reg, ".txt", ""), std::string(kRegStringLimit, 'L'));
    EXPECT_EQ(ReadRegString(reg, ".txt", "missing"), "");
    reg.WriteInt(CR, ".txt", "number", 5);
    EXPECT_EQ(ReadRegString(reg, ".txt", "number"), "");

    SetFileTypeAssociation(reg, DocKind::Text, true);
    SetFileTypeAssociation(reg, DocKind::Text, false);
    EXPECT_EQ(Value(".txt", ""), longId);
}

TEST_F(FileTypes, TheKindsToGiveBackFollowTheirSettingsInOrder) {
    FrameSettings s;
    s.m_regTXT = 1;
    s.m_regSQS = 1;
    s.m_regHTML = 1;
    EXPECT_EQ(FileTypesToUnregister(s), (std::vector<DocKind>{DocKind::Script, DocKind::Briefing, DocKind::Text}));
    EXPECT_TRUE(FileTypesToUnregister(FrameSettings{}).empty());
}
