#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include "support/scopedvalue.h"
#include "ui/wizards/countbox.h"
#include "ui/wizards/cratedlg.h"
#include "ui/wizards/nameedit.h"
#include "wizards/wizardfixture.h"

using namespace qm;

namespace {
class CrateDialog : public WizardFixture {
protected:
    void Open() {
        dlg = OpenWizard<CCrateDlg>(ID_WIZARD_CRATE);
        ASSERT_NE(dlg, nullptr);
    }
    QComboBox* List(const char* name) { return Child<QComboBox>(dlg, name); }
    CCountBox* Count(const char* name) { return Child<CCountBox>(dlg, name); }
    static QLineEdit* Edit(CCountBox* count) { return count->findChild<QLineEdit*>(); }
    QListWidget* Crate() { return Child<QListWidget>(dlg, "crate"); }
    QStringList CrateLines() {
        QStringList lines;
        for (int i = 0; i < Crate()->count(); ++i) lines << Crate()->item(i)->text();
        return lines;
    }

    CCrateDlg* dlg = nullptr;
};
}  // namespace

TEST_F(CrateDialog, MenuShowsTheWizardWithCatalogueListsAndDefaultCounts) {
    Open();
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(dlg->windowTitle(), "Crate Builder Wizard");
    EXPECT_EQ(List("weapons")->itemText(1), "Torrin");
    EXPECT_EQ(List("magazines")->itemText(0), "GL40HE");  // sorted
    EXPECT_EQ(List("equipment")->count(), 2);
    EXPECT_EQ(Count("weaponsCount")->text(), "5");
    EXPECT_EQ(Count("magazinesCount")->text(), "25");
    EXPECT_EQ(Count("equipmentCount")->text(), "5");
    EXPECT_TRUE(Child<CNameEdit>(dlg, "name")->text().contains(QRegularExpression("^CRATE_\\d{1,3}$")));
    EXPECT_FALSE(Button(dlg, "--->    &Remove Item")->isEnabled());
    EXPECT_FALSE(Button(dlg, "C&lear All Items")->isEnabled());
    EXPECT_TRUE(Button(dlg, "&Create In Editor")->isEnabled());
}

TEST_F(CrateDialog, ChoosingWeaponsAddingAndRemovingBuildTheCrate) {
    Open();
    List("weapons")->setCurrentIndex(1);
    EXPECT_EQ(List("magazines")->currentText(), "TorrinRocket");
    Button(dlg, "Add &Weapons")->click();
    Count("magazinesCount")->stepDown();
    Count("magazinesCount")->stepDown();
    Button(dlg, "Add &Magazines")->click();
    List("equipment")->setCurrentIndex(1);
    Count("equipmentCount")->stepUp();
    Button(dlg, "Add &Equipment")->click();
    Button(dlg, "Add &Weapons")->click();  // again: ignored
    EXPECT_EQ(CrateLines(), (QStringList{"AddWeaponCargo [\"Torrin\", 5]", "AddMagazineCargo [\"TorrinRocket\", 23]",
                                         "AddWeaponCargo [\"Binocular\", 6]"}));
    EXPECT_TRUE(Button(dlg, "C&lear All Items")->isEnabled());
    EXPECT_FALSE(Button(dlg, "--->    &Remove Item")->isEnabled());

    Crate()->setCurrentRow(1);
    EXPECT_TRUE(Button(dlg, "--->    &Remove Item")->isEnabled());
    Button(dlg, "--->    &Remove Item")->click();
    EXPECT_EQ(CrateLines().size(), 2);
    EXPECT_TRUE(Crate()->selectedItems().isEmpty());
    EXPECT_FALSE(Button(dlg, "--->    &Remove Item")->isEnabled());

    Button(dlg, "C&lear All Items")->click();
    EXPECT_TRUE(CrateLines().isEmpty());
    EXPECT_FALSE(Button(dlg, "C&lear All Items")->isEnabled());
    EXPECT_EQ(List("weapons")->count(), 2);
}

TEST_F(CrateDialog, CountFieldsTakeDigitsAndRefuseEmptyOrTooLargeValues) {
    Open();
    CCountBox* count = Count("weaponsCount");
    Edit(count)->selectAll();
    QTest::keyClicks(count, "1x2");
    EXPECT_EQ(count->text(), "12");
    Button(dlg, "Add &Weapons")->click();
    EXPECT_EQ(CrateLines(), QStringList{"AddWeaponCargo [\"Karveth\", 12]"});

    Edit(count)->clear();
    List("weapons")->setCurrentIndex(1);
    Button(dlg, "Add &Weapons")->click();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Please enter a count from 0 to 4294967295.");
    EXPECT_EQ(CrateLines().size(), 1);

    Edit(count)->setText("4294967296");
    count->stepUp();
    EXPECT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(count->text(), "4294967296");
    Edit(count)->setText("4294967295");
    count->stepUp();
    EXPECT_EQ(count->text(), "4294967295");
    Edit(count)->setText("0");
    count->stepDown();
    EXPECT_EQ(count->text(), "0");
    Button(dlg, "Add &Weapons")->click();
    EXPECT_EQ(CrateLines().last(), "AddWeaponCargo [\"Torrin\", 0]");
}

TEST_F(CrateDialog, CreateInEditorOpensAModifiedScriptTitledWithTheCrateName) {
    Open();
    Button(dlg, "Add &Magazines")->click();
    Child<QCheckBox>(dlg, "emptyCrate")->click();  // off: the stock stays
    Child<CNameEdit>(dlg, "name")->setText("Ammo_Dump");
    Button(dlg, "&Create In Editor")->click();
    ASSERT_EQ(theApp.Documents().size(), 1u);
    CScriptDoc* doc = theApp.Documents()[0];
    EXPECT_EQ(doc->GetTitle(), "Ammo_Dump*");
    EXPECT_EQ(doc->Kind(), DocKind::Script);
    EXPECT_EQ(doc->GetView()->GetText(), ShownText(dlg->BuildCrateScript()));
    EXPECT_FALSE(doc->GetView()->GetText().contains("ClearWeaponCargo"));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Script was created successfully");
    EXPECT_EQ(prompter.messages[0].caption, "Script Created");
}

TEST_F(CrateDialog, CreateToDiskWritesExactlyTheScriptAndReportsFailures) {
    Open();
    Button(dlg, "Add &Weapons")->click();
    prompter.fileNames.push_back(Path("crates/North.sqs"));
    QDir().mkpath(Path("crates"));
    Button(dlg, "Create To &Disk...")->click();
    ASSERT_EQ(prompter.requests.size(), 1u);
    EXPECT_EQ(prompter.requests[0].title, "Save Crate Script");
    EXPECT_EQ(prompter.requests[0].filter, "Script Files (*.sqs)|*.sqs||");
    EXPECT_EQ(prompter.requests[0].defaultExtension, "sqs");
    EXPECT_EQ(Child<CNameEdit>(dlg, "name")->text(), "North");
    const std::string expected = dlg->Wizard().BuildCrateScript("Version 3.0.1000");
    EXPECT_NE(expected.find("ORIGINAL FILE NAME: North.sqs"), std::string::npos);
    EXPECT_EQ(ReadFile(Path("crates/North.sqs")).toStdString(), expected);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Script was created successfully.");
    EXPECT_EQ(prompter.messages[0].caption, "Script Saved");

    prompter.fileNames.push_back(Path("no/such/folder/South.sqs"));
    Button(dlg, "Create To &Disk...")->click();
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[1].text, "Error saving script");
    EXPECT_EQ(prompter.messages[1].caption, "FILE ERROR");
    EXPECT_EQ(Child<CNameEdit>(dlg, "name")->text(), "North");  // the wizard keeps its state
    EXPECT_EQ(CrateLines().size(), 1);
}

TEST_F(CrateDialog, EmptyCatalogueListsShowTheErrorEntryAndAddNothing) {
    WriteData("data/resistance/data.txt", "[WEAPONS]\nKarveth\n");
    Open();
    EXPECT_EQ(List("magazines")->itemText(0), "ERROR: Not Available");
    EXPECT_EQ(List("equipment")->itemText(0), "ERROR: Not Available");
    EXPECT_FALSE(Button(dlg, "Add &Magazines")->isEnabled());
    EXPECT_FALSE(Button(dlg, "Add &Equipment")->isEnabled());
    EXPECT_TRUE(Button(dlg, "Add &Weapons")->isEnabled());
}

TEST_F(CrateDialog, ResetOnUpdateApplicationDataEmptiesTheCrateButKeepsCounts) {
    Open();
    Count("weaponsCount")->stepUp();
    Button(dlg, "Add &Weapons")->click();
    WriteData("data/resistance/data.txt", "[WEAPONS]\nPesk\n\n[AMMO]\nPeskMag\n\n[EQUIPMENT]\nNVGoggles\n");
    theApp.UpdateApplicationData();
    EXPECT_TRUE(CrateLines().isEmpty());
    EXPECT_EQ(List("weapons")->itemText(0), "Pesk");
    EXPECT_EQ(Count("weaponsCount")->text(), "6");
}

TEST_F(CrateDialog, EnterHidesTheWizardKeepingTheCrate) {
    Open();
    Button(dlg, "Add &Weapons")->click();
    QTest::keyClick(Child<CNameEdit>(dlg, "name"), Qt::Key_Enter);
    EXPECT_FALSE(dlg->isVisible());
    Main()->Action(ID_WIZARD_CRATE)->trigger();
    EXPECT_EQ(CrateLines().size(), 1);
}

TEST(CrateDialogAlone, WithoutAMainWindowCreateInEditorReportsTheError) {
    ScriptedPrompter prompter;
    ScopedValue usePrompter(theApp.m_prompter, &prompter);
    CCrateDlg dlg;
    dlg.OnCreateInEditor();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Error creating script");
    EXPECT_EQ(prompter.messages[0].caption, "FILE ERROR");
}

TEST_F(CrateDialog, CreateToDiskRefusesAForbiddenFileNameAndWritesNothing) {
    Open();
    Button(dlg, "Add &Weapons")->click();
    const QString name = Child<CNameEdit>(dlg, "name")->text();
    prompter.fileNames.push_back(Path("bad:name.sqs"));
    Button(dlg, "Create To &Disk...")->click();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].caption, "FILE ERROR");
    EXPECT_FALSE(QFile::exists(Path("bad:name.sqs")));
    EXPECT_EQ(Child<CNameEdit>(dlg, "name")->text(), name);
}
