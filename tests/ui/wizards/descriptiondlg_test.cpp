#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>

#include "support/scopedvalue.h"
#include "ui/wizards/descriptiondlg.h"
#include "ui/wizards/wizarddlg.h"
#include "wizards/wizardfixture.h"

using namespace qm;

namespace {
class DescriptionDialog : public WizardFixture {
protected:
    void Open() {
        dlg = OpenWizard<CDescriptionDlg>(ID_WIZARD_DESCRIPTION);
        ASSERT_NE(dlg, nullptr);
    }
    QCheckBox* Tick(const char* name) { return Child<QCheckBox>(dlg, name); }
    QGroupBox* Group(const char* name) { return Child<QGroupBox>(dlg, name); }
    QComboBox* Combo(const char* name) { return Child<QComboBox>(dlg, name); }
    QLineEdit* Edit(const char* name) { return Child<QLineEdit>(dlg, name); }
    QListWidget* List(const char* name) { return Child<QListWidget>(dlg, name); }
    QPushButton* Named(const char* name) { return Child<QPushButton>(dlg, name); }
    QStringList Lines(const char* name) {
        QStringList lines;
        for (int i = 0; i < List(name)->count(); ++i) lines << List(name)->item(i)->text();
        return lines;
    }
    // Every control inside the group box, labels and notes included, and the box itself.
    static bool AllEnabled(QGroupBox* box, bool enabled) {
        if (box->isEnabled() != enabled) return false;
        for (QWidget* w : box->findChildren<QWidget*>())
            if (!w->isWindow() && w->isEnabled() != enabled) return false;
        return true;
    }
    QRadioButton* Radio(const QString& text) { return ByText<QRadioButton>(dlg, text); }

    CDescriptionDlg* dlg = nullptr;
};
}  // namespace

TEST_F(DescriptionDialog, OpensWithEveryGroupDisabledBaseFifteenAndTheDefaultCounts) {
    Open();
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(dlg->windowTitle(), "Description Wizard");
    EXPECT_EQ(dlg->focusWidget(), Tick("gear"));
    for (const char* t : {"gear", "respawn", "sounds", "music"}) EXPECT_FALSE(Tick(t)->isChecked()) << t;
    for (const char* g : {"gearBox", "respawnBox", "soundBox", "musicBox"}) EXPECT_TRUE(AllEnabled(Group(g), false)) << g;
    EXPECT_TRUE(Radio("BASE*")->isChecked());
    EXPECT_EQ(Combo("delay")->currentText(), "15");
    EXPECT_EQ(Combo("delay")->count(), 13);
    EXPECT_EQ(Combo("delay")->itemText(12), "60");
    EXPECT_EQ(Edit("weaponsCount")->text(), "3");
    EXPECT_EQ(Edit("ammoCount")->text(), "15");
    EXPECT_EQ(Edit("equipmentCount")->text(), "5");
    EXPECT_EQ(Combo("ammo")->itemText(0), "GL40HE");  // sorted
    EXPECT_EQ(Combo("equipment")->currentText(), "Binocular");
    EXPECT_TRUE(Button(dlg, "Create In &Editor")->isEnabled());
    EXPECT_TRUE(Button(dlg, "Create To &Disk...")->isEnabled());
}

TEST_F(DescriptionDialog, EachCheckBoxEnablesAndDisablesItsWholeGroup) {
    Open();
    const std::pair<const char*, const char*> pairs[] = {
        {"gear", "gearBox"}, {"respawn", "respawnBox"}, {"sounds", "soundBox"}, {"music", "musicBox"}};
    for (auto [tick, group] : pairs) {
        Tick(tick)->click();
        EXPECT_TRUE(AllEnabled(Group(group), true)) << group;
        for (auto [otherTick, other] : pairs)
            if (other != group && !Tick(otherTick)->isChecked()) { EXPECT_TRUE(AllEnabled(Group(other), false)) << other; }
    }
    Tick("respawn")->click();
    EXPECT_TRUE(AllEnabled(Group("respawnBox"), false));
    EXPECT_TRUE(AllEnabled(Group("gearBox"), true));
    // The ticks are what the file is built from.
    const std::string file = dlg->BuildDescription();
    EXPECT_NE(file.find("class CfgSounds"), std::string::npos);
    EXPECT_NE(file.find("class CfgMusic"), std::string::npos);
    EXPECT_EQ(file.find("Respawn ="), std::string::npos);
}

TEST_F(DescriptionDialog, GearListsFollowTheAddRemoveAndClearRules) {
    Open();
    Tick("gear")->click();
    Combo("weapons")->setCurrentIndex(1);
    EXPECT_EQ(Combo("ammo")->currentText(), "TorrinRocket");
    Named("weaponsAdd")->click();
    Edit("weaponsCount")->setText("9");
    Named("weaponsAdd")->click();  // already listed: the first count stays
    Named("ammoAdd")->click();
    Named("equipmentAdd")->click();  // Binocular: a weapon to the game
    Combo("equipment")->setCurrentIndex(1);
    Named("equipmentAdd")->click();
    EXPECT_EQ(Lines("weaponItems"), (QStringList{"Torrin (3)", "Binocular (5)"}));
    EXPECT_EQ(Lines("magazineItems"), (QStringList{"TorrinRocket (15)", "FragGrenade (5)"}));

    List("weaponItems")->setCurrentRow(0);
    List("magazineItems")->setCurrentRow(1);
    Named("removeGear")->click();
    EXPECT_EQ(Lines("weaponItems"), QStringList{"Binocular (5)"});
    EXPECT_EQ(Lines("magazineItems"), QStringList{"TorrinRocket (15)"});
    Named("removeGear")->click();  // nothing selected any more
    EXPECT_EQ(Lines("weaponItems").size(), 1);

    const std::string file = dlg->BuildDescription();
    EXPECT_NE(file.find("class Weapons\r\n{\r\n\t// Add the weapons to the mission gear\r\n\tclass Binocular\r\n"),
              std::string::npos);
    Button(dlg, "Clear")->click();
    EXPECT_TRUE(Lines("weaponItems").isEmpty());
    EXPECT_TRUE(Lines("magazineItems").isEmpty());
}

TEST_F(DescriptionDialog, AnEmptyOrTooLargeCountIsRefusedWithAMessage) {
    Open();
    Tick("gear")->click();
    Edit("ammoCount")->clear();
    QTest::keyClicks(Edit("ammoCount"), "4x");
    EXPECT_EQ(Edit("ammoCount")->text(), "4");  // digits only
    Edit("ammoCount")->setText("4294967296");
    Named("ammoAdd")->click();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Please enter a count from 0 to 4294967295.");
    EXPECT_TRUE(Lines("magazineItems").isEmpty());
    Edit("ammoCount")->setText("0");
    Named("ammoAdd")->click();
    EXPECT_EQ(Lines("magazineItems"), QStringList{"GL40HE (0)"});
}

TEST_F(DescriptionDialog, SoundAndMusicFilesAreAddedBrowsedAndRemoved) {
    Open();
    Tick("sounds")->click();
    Tick("music")->click();
    QTest::keyClicks(Edit("soundFile"), "boom");
    Named("soundAdd")->click();
    EXPECT_EQ(Lines("soundList"), QStringList{"boom.ogg"});
    EXPECT_TRUE(Edit("soundFile")->text().isEmpty());
    Named("soundAdd")->click();  // an empty field adds nothing
    EXPECT_EQ(Lines("soundList").size(), 1);

    prompter.fileNames.push_back(Path("mission/sound/Thunder.OGG"));
    Named("soundBrowse")->click();
    ASSERT_EQ(prompter.requests.size(), 1u);
    EXPECT_EQ(prompter.requests[0].title, "Browse For Sound File");
    EXPECT_EQ(prompter.requests[0].filter, "Sound Files (*.ogg)|*.ogg|");
    EXPECT_EQ(prompter.requests[0].defaultExtension, "ogg");
    EXPECT_EQ(Edit("soundFile")->text(), "Thunder.OGG");  // the name only
    Named("soundAdd")->click();
    EXPECT_EQ(Lines("soundList"), (QStringList{"boom.ogg", "Thunder.OGG.ogg"}));
    prompter.fileNames.push_back(std::nullopt);
    QTest::keyClicks(Edit("musicFile"), "march");
    Named("musicBrowse")->click();  // cancelled: the field stays
    EXPECT_EQ(prompter.requests[1].title, "Browse For Music File");
    EXPECT_EQ(prompter.requests[1].filter, "Music Files (*.ogg)|*.ogg|");
    EXPECT_EQ(Edit("musicFile")->text(), "march");
    Named("musicAdd")->click();
    EXPECT_EQ(Lines("musicList"), QStringList{"march.ogg"});

    List("soundList")->setCurrentRow(0);
    Named("soundRemove")->click();
    EXPECT_EQ(Lines("soundList"), QStringList{"Thunder.OGG.ogg"});
    EXPECT_EQ(Lines("musicList").size(), 1);  // each group works on its own list
    const std::string file = dlg->BuildDescription();
    EXPECT_NE(file.find("\tsounds[] = {Thunder.OGG};\r\n"), std::string::npos);
    EXPECT_NE(file.find("\t\tsound[] = {\\music\\march.ogg, db + 0, 1.0};\r\n"), std::string::npos);
}

TEST_F(DescriptionDialog, CreateInEditorOpensAModifiedDescriptionDocument) {
    Open();
    Tick("respawn")->click();
    Radio("INSTANT")->click();
    Combo("delay")->setCurrentText("30");
    Button(dlg, "Create In &Editor")->click();
    ASSERT_EQ(theApp.Documents().size(), 1u);
    CScriptDoc* doc = theApp.Documents()[0];
    EXPECT_EQ(doc->Kind(), DocKind::Description);
    EXPECT_EQ(doc->GetTitle(), "Description*");
    EXPECT_EQ(doc->GetView()->GetText(), ShownText(dlg->BuildDescription()));
    EXPECT_TRUE(doc->GetView()->GetText().contains("Respawn = \"INSTANT\";\nRespawnDelay = 30;\n"));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Description was created successfully.");
    EXPECT_EQ(prompter.messages[0].caption, "Description Created");
}

TEST_F(DescriptionDialog, CreateToDiskWritesTheFileAndReportsFailures) {
    Open();
    Tick("gear")->click();
    Named("weaponsAdd")->click();
    prompter.fileNames.push_back(Path("Description.ext"));
    Button(dlg, "Create To &Disk...")->click();
    ASSERT_EQ(prompter.requests.size(), 1u);
    EXPECT_EQ(prompter.requests[0].title, "Save Description");
    EXPECT_EQ(prompter.requests[0].filter, "Description Files (*.ext)|*.ext||");
    EXPECT_EQ(prompter.requests[0].defaultExtension, "ext");
    EXPECT_EQ(prompter.requests[0].proposedName, "Description");
    EXPECT_EQ(ReadFile(Path("Description.ext")).toStdString(), dlg->BuildDescription());
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Description file was created successfully.");
    EXPECT_EQ(prompter.messages[0].caption, "Description Saved");

    prompter.fileNames.push_back(std::nullopt);
    Button(dlg, "Create To &Disk...")->click();
    EXPECT_EQ(prompter.messages.size(), 1u);  // cancelled: nothing

    prompter.fileNames.push_back(Path("no/such/folder/Description.ext"));
    Button(dlg, "Create To &Disk...")->click();
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[1].text, "Error saving description");
    EXPECT_EQ(prompter.messages[1].caption, "FILE ERROR");
    EXPECT_FALSE(QFile::exists(Path("no/such/folder/Description.ext")));
}

TEST_F(DescriptionDialog, UpdateApplicationDataRefillsTheGearAndResetsRespawnKeepingTheRest) {
    Open();
    Tick("gear")->click();
    Tick("respawn")->click();
    Radio("SIDE")->click();
    Combo("delay")->setCurrentText("45");
    Edit("weaponsCount")->setText("8");
    Named("weaponsAdd")->click();
    WriteData("data/resistance/data.txt", "[WEAPONS]\nPesk\n\n[AMMO]\nPeskMag\n");
    theApp.UpdateApplicationData();
    EXPECT_EQ(Combo("weapons")->itemText(0), "Pesk");
    EXPECT_EQ(Combo("equipment")->itemText(0), "ERROR: Not Available");
    EXPECT_FALSE(Named("equipmentAdd")->isEnabled());
    EXPECT_TRUE(Named("weaponsAdd")->isEnabled());
    EXPECT_TRUE(Radio("BASE*")->isChecked());
    EXPECT_EQ(Combo("delay")->currentText(), "15");
    EXPECT_TRUE(Tick("gear")->isChecked());
    EXPECT_FALSE(AllEnabled(Group("gearBox"), true));  // the unavailable Add stays off
    EXPECT_TRUE(Group("gearBox")->isEnabled());
    EXPECT_EQ(Edit("weaponsCount")->text(), "8");
    EXPECT_EQ(Lines("weaponItems"), QStringList{"Karveth (8)"});
}

TEST_F(DescriptionDialog, WizardsAreMadeWhenFirstShownWithWhatAnEarlierUpdateGaveThem) {
    ASSERT_TRUE(Start());
    EXPECT_TRUE(Main()->findChildren<CWizardDlg*>().isEmpty());  // a start-up makes none
    WriteData("data/resistance/data.txt", "[WEAPONS]\nPesk\n\n[AMMO]\nPeskMag\n");
    theApp.UpdateApplicationData();
    Main()->Action(ID_WIZARD_DESCRIPTION)->trigger();
    dlg = dynamic_cast<CDescriptionDlg*>(Main()->Wizard(ID_WIZARD_DESCRIPTION));
    ASSERT_NE(dlg, nullptr);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(Combo("weapons")->itemText(0), "Pesk");
    EXPECT_EQ(Combo("equipment")->itemText(0), "ERROR: Not Available");
    EXPECT_TRUE(Radio("BASE*")->isChecked());
    EXPECT_EQ(Combo("delay")->currentText(), "15");
    EXPECT_TRUE(Button(dlg, "Create In &Editor")->isEnabled());
    EXPECT_EQ(dlg->focusWidget(), Tick("gear"));
}

TEST_F(DescriptionDialog, EnterHidesTheWizardKeepingWhatWasEntered) {
    Open();
    Tick("sounds")->click();
    QTest::keyClicks(Edit("soundFile"), "boom");
    QTest::keyClick(Edit("soundFile"), Qt::Key_Return);
    EXPECT_FALSE(dlg->isVisible());
    Main()->Action(ID_WIZARD_DESCRIPTION)->trigger();
    EXPECT_EQ(Edit("soundFile")->text(), "boom");
    EXPECT_TRUE(Tick("sounds")->isChecked());
}

TEST(DescriptionDialogAlone, CreateInEditorIsOffAndWithoutAMainWindowReportsTheError) {
    ScriptedPrompter prompter;
    ScopedValue usePrompter(theApp.m_prompter, &prompter);
    CDescriptionDlg dlg;
    dlg.OnCreateInEditor();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Error creating Description!");
    EXPECT_EQ(prompter.messages[0].caption, "FILE ERROR");
    dlg.m_editorAvailable = 0;
    dlg.UpdateEditorAvailable();
    for (auto* b : dlg.findChildren<QPushButton*>())
        if (b->text() == "Create In &Editor") { EXPECT_FALSE(b->isEnabled()); }
}
