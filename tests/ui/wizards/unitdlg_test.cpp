#include <QTextBlock>
#include <QTextLayout>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QSpinBox>
#include <QTest>

#include "support/scopedvalue.h"
#include "ui/views/scriptview.h"
#include "ui/wizards/nameedit.h"
#include "ui/wizards/unitdlg.h"
#include "wizards/wizardfixture.h"

using namespace qm;

namespace {
class UnitDialog : public WizardFixture {
protected:
    void SetUp() override {
        WizardFixture::SetUp();
        dlg = OpenWizard<CUnitDlg>(ID_WIZARD_UNIT);
        ASSERT_NE(dlg, nullptr);
    }
    QComboBox* List(const char* name) { return Child<QComboBox>(dlg, name); }
    QSpinBox* Count(const char* name) { return Child<QSpinBox>(dlg, name); }
    QString CapacityText() {
        for (auto* l : dlg->findChildren<QLabel*>())
            if (l->text().startsWith("Unit Capacity")) return l->text();
        return {};
    }
    bool WarningShown() { return Child<QLabel>(dlg, "warning")->isVisibleTo(dlg); }
    QCheckBox* Check(const QString& text) { return ByText<QCheckBox>(dlg, text); }
    void AddEquipment(int row, int times) {
        Child<QListWidget>(dlg, "equipment")->setCurrentRow(row);
        for (int i = 0; i < times; ++i) Button(dlg, "(+) Add One")->click();
    }

    CUnitDlg* dlg = nullptr;
};
}  // namespace

TEST_F(UnitDialog, MenuShowsTheWizardFilledFromUnitData) {
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_FALSE(dlg->isModal());
    EXPECT_EQ(dlg->windowTitle(), "Custom Unit Wizard");
    EXPECT_EQ(List("primaryWeapon")->itemText(2), "KarvethGL");
    EXPECT_EQ(List("secondaryWeapon")->count(), 2);
    EXPECT_EQ(List("handgun")->itemText(0), "NONE");
    auto* equipment = Child<QListWidget>(dlg, "equipment");
    ASSERT_EQ(equipment->count(), 2);
    EXPECT_EQ(equipment->item(1)->text(), "(0) SatchelCharge");
    EXPECT_EQ(equipment->currentRow(), 0);
    EXPECT_TRUE(Child<CNameEdit>(dlg, "name")->text().contains(QRegularExpression("^UNIT_\\d{1,3}$")));
    EXPECT_EQ(CapacityText(), "Unit Capacity (0/10)");
    EXPECT_FALSE(WarningShown());
    EXPECT_EQ(Count("handgunMagazines")->value(), 4);
    EXPECT_FALSE(Count("handgunMagazines")->isEnabled());
    EXPECT_FALSE(Count("primaryMagazines")->isEnabled());
    EXPECT_TRUE(Button(dlg, "&Create In Editor")->isEnabled());
    EXPECT_TRUE(Check("Remove Unit Gear")->isChecked());
}

TEST_F(UnitDialog, ArrowsAndEquipmentFollowTheCapacityUpToTheRedWarning) {
    List("primaryWeapon")->setCurrentIndex(2);
    EXPECT_TRUE(Count("launcherMagazines")->isEnabled());
    EXPECT_EQ(Child<QLabel>(dlg, "primaryMagazinesLabel")->text(), "KarvethMag");
    EXPECT_EQ(Child<QLabel>(dlg, "launcherMagazinesLabel")->text(), "GL40HE");

    Count("primaryMagazines")->stepUp();
    Count("primaryMagazines")->stepUp();
    Count("launcherMagazines")->stepUp();
    EXPECT_EQ(CapacityText(), "Unit Capacity (3/10)");
    Count("launcherMagazines")->stepDown();
    Count("launcherMagazines")->stepDown();
    EXPECT_EQ(Count("launcherMagazines")->value(), 0);
    // The counts are read-only: only the arrows change them.
    QTest::keyClicks(Count("primaryMagazines"), "7");
    EXPECT_EQ(Count("primaryMagazines")->value(), 2);

    List("secondaryWeapon")->setCurrentIndex(1);
    Count("secondaryAmmo")->stepUp();
    AddEquipment(1, 3);
    EXPECT_EQ(Child<QListWidget>(dlg, "equipment")->item(1)->text(), "(3) SatchelCharge");
    EXPECT_EQ(Child<QListWidget>(dlg, "equipment")->currentRow(), 1);
    EXPECT_EQ(CapacityText(), "Unit Capacity (10/10)");
    EXPECT_FALSE(WarningShown());
    EXPECT_EQ(Child<QProgressBar>(dlg, "capacity")->value(), 10);

    // Handgun magazines never count.
    List("handgun")->setCurrentIndex(1);
    Count("handgunMagazines")->stepUp();
    EXPECT_EQ(Count("handgunMagazines")->value(), 4);
    Count("handgunMagazines")->stepDown();
    EXPECT_EQ(CapacityText(), "Unit Capacity (10/10)");

    AddEquipment(0, 1);
    EXPECT_EQ(CapacityText(), "Unit Capacity (11/10)");
    EXPECT_TRUE(WarningShown());
    EXPECT_EQ(Child<QLabel>(dlg, "warning")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    Button(dlg, "(-) Remove One")->click();
    EXPECT_FALSE(WarningShown());
}

TEST_F(UnitDialog, SniperAndKeptGearChangeTheMaximumAndTheSecondaryWeapon) {
    List("secondaryWeapon")->setCurrentIndex(1);
    Check("Remove Unit Gear")->click();
    EXPECT_EQ(CapacityText(), "Unit Capacity (10/10)");
    Check("Sniper Unit")->click();
    EXPECT_EQ(CapacityText(), "Unit Capacity (4/4)");
    EXPECT_EQ(Child<QProgressBar>(dlg, "capacity")->maximum(), 4);
    EXPECT_EQ(List("secondaryWeapon")->currentIndex(), 0);
    EXPECT_FALSE(List("secondaryWeapon")->isEnabled());
    Check("Sniper Unit")->click();
    EXPECT_TRUE(List("secondaryWeapon")->isEnabled());
    EXPECT_EQ(Child<QProgressBar>(dlg, "capacity")->maximum(), 10);
}

TEST_F(UnitDialog, ForbiddenOrEmptyNamesDisableBothCreateButtons) {
    auto* name = Child<CNameEdit>(dlg, "name");
    for (const QString bad : {"a:b", "", "x?", "a\"b"}) {
        name->setText(bad);
        EXPECT_FALSE(Button(dlg, "&Create In Editor")->isEnabled()) << bad.toStdString();
        EXPECT_FALSE(Button(dlg, "Create To &Disk...")->isEnabled()) << bad.toStdString();
    }
    name->setText("Scout 1");
    EXPECT_TRUE(Button(dlg, "Create To &Disk...")->isEnabled());

    // Getting the focus selects the whole name, whatever brought it.
    name->deselect();
    QFocusEvent focus(QEvent::FocusIn, Qt::MouseFocusReason);
    QApplication::sendEvent(name, &focus);
    QApplication::processEvents();
    EXPECT_EQ(name->selectedText(), "Scout 1");
}

TEST_F(UnitDialog, CreateInEditorOpensAModifiedScriptTitledWithTheUnitName) {
    List("primaryWeapon")->setCurrentIndex(1);
    Count("primaryMagazines")->stepUp();
    AddEquipment(0, 2);
    const QString name = Child<CNameEdit>(dlg, "name")->text();
    Button(dlg, "&Create In Editor")->click();

    ASSERT_EQ(theApp.Documents().size(), 1u);
    CScriptDoc* doc = theApp.Documents()[0];
    EXPECT_EQ(doc->GetTitle(), name + "*");
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->Kind(), DocKind::Script);
    EXPECT_NE(qobject_cast<CScriptView*>(doc->GetView()), nullptr);
    // Coloured at once: the banner's first line carries the remark colour.
    EXPECT_TRUE(doc->GetView()->m_colouring);
    const auto formats = doc->GetView()->document()->firstBlock().layout()->formats();
    ASSERT_FALSE(formats.isEmpty());
    EXPECT_EQ(formats[0].format.foreground().color(), FromColorRef(Main()->m_remarkColour));
    EXPECT_EQ(doc->GetView()->GetText(), ShownText(dlg->BuildUnitScript()));
    EXPECT_TRUE(doc->GetView()->GetText().contains("_unit AddMagazine \"FragGrenade\"\n_unit AddMagazine \"FragGrenade\""));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Script was created successfully.");
    EXPECT_EQ(prompter.messages[0].caption, "Script Created");
    EXPECT_TRUE(dlg->isVisible());
}

TEST_F(UnitDialog, CreateToDiskWritesExactlyTheScriptNamedAfterTheFile) {
    const QString proposed = Child<CNameEdit>(dlg, "name")->text();
    List("primaryWeapon")->setCurrentIndex(2);
    Count("launcherMagazines")->stepUp();
    Check("NVGoggles")->click();
    prompter.fileNames.push_back(Path("Rifleman.v2.sqs"));
    Button(dlg, "Create To &Disk...")->click();

    ASSERT_EQ(prompter.requests.size(), 1u);
    EXPECT_EQ(prompter.requests[0].title, "Save Unit Script");
    EXPECT_EQ(prompter.requests[0].filter, "Script Files (*.sqs)|*.sqs||");
    EXPECT_EQ(prompter.requests[0].defaultExtension, "sqs");
    EXPECT_EQ(prompter.requests[0].proposedName, proposed);
    EXPECT_EQ(Child<CNameEdit>(dlg, "name")->text(), "Rifleman.v2");
    const std::string expected = dlg->Wizard().BuildUnitScript("Version 3.0.1000");
    EXPECT_NE(expected.find("ORIGINAL FILE NAME: Rifleman.v2.sqs"), std::string::npos);
    EXPECT_EQ(ReadFile(Path("Rifleman.v2.sqs")).toStdString(), expected);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Script was created successfully.");
    EXPECT_EQ(prompter.messages[0].caption, "Script Saved");
    EXPECT_TRUE(theApp.Documents().empty());  // not opened in the editor
}

TEST_F(UnitDialog, CancelledOrFailedSavesKeepEverythingAsItWas) {
    const QString name = Child<CNameEdit>(dlg, "name")->text();
    prompter.fileNames.push_back(std::nullopt);
    Button(dlg, "Create To &Disk...")->click();
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(Child<CNameEdit>(dlg, "name")->text(), name);

    WriteData("locked.sqs", "old");
    QFile::setPermissions(Path("locked.sqs"), QFile::ReadOwner);
    prompter.fileNames.push_back(Path("locked.sqs"));
    Button(dlg, "Create To &Disk...")->click();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Error saving script.");
    EXPECT_EQ(prompter.messages[0].caption, "FILE ERROR");
    EXPECT_EQ(ReadFile(Path("locked.sqs")), "old");
    EXPECT_EQ(Child<CNameEdit>(dlg, "name")->text(), name);
}

TEST_F(UnitDialog, ClosingHidesTheWizardWithItsStateAndResetClearsIt) {
    List("primaryWeapon")->setCurrentIndex(1);
    Count("primaryMagazines")->stepUp();
    QTest::keyClick(Child<CNameEdit>(dlg, "name"), Qt::Key_Return);
    EXPECT_FALSE(dlg->isVisible());
    Main()->Action(ID_WIZARD_UNIT)->trigger();
    EXPECT_TRUE(dlg->isVisible());
    QTest::keyClick(dlg, Qt::Key_Escape);
    EXPECT_FALSE(dlg->isVisible());
    Main()->Action(ID_WIZARD_UNIT)->trigger();
    EXPECT_EQ(List("primaryWeapon")->currentIndex(), 1);
    EXPECT_EQ(Count("primaryMagazines")->value(), 1);

    Button(dlg, "&Reset")->click();
    EXPECT_EQ(List("primaryWeapon")->currentIndex(), 0);
    EXPECT_EQ(Count("primaryMagazines")->value(), 0);
    EXPECT_FALSE(Count("primaryMagazines")->isEnabled());
}

TEST_F(UnitDialog, UpdateApplicationDataRefillsTheListsFromTheNewUnitData) {
    List("primaryWeapon")->setCurrentIndex(1);
    WriteData("data/resistance/unit.txt", "[PRIMARY]\nVetrak,VetrakMag,1\n\n[EQUIPMENT]\nSmokeShell,1\n");
    theApp.UpdateApplicationData();
    EXPECT_EQ(List("primaryWeapon")->count(), 2);
    EXPECT_EQ(List("primaryWeapon")->itemText(1), "Vetrak");
    EXPECT_EQ(List("primaryWeapon")->currentIndex(), 0);
    EXPECT_EQ(List("secondaryWeapon")->itemText(1), "ERROR: Not Available");
    EXPECT_EQ(Child<QListWidget>(dlg, "equipment")->item(0)->text(), "(0) SmokeShell");
}

TEST(UnitDialogAlone, WithoutAMainWindowCreateInEditorReportsTheError) {
    ScriptedPrompter prompter;
    ScopedValue usePrompter(theApp.m_prompter, &prompter);
    CUnitDlg dlg;
    dlg.OnCreateInEditor();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "Error creating script.");
    EXPECT_EQ(prompter.messages[0].caption, "FILE ERROR");
}

TEST_F(UnitDialog, CreateToDiskRefusesAFileNameTheNameFieldWouldRefuse) {
    const QString name = Child<CNameEdit>(dlg, "name")->text();
    for (const char* bad : {"bad:name", "bad*name", "bad|name", "bad?name", "bad<name>", "a\\b", "\"q\""}) {
        prompter.messages.clear();
        prompter.requests.clear();
        const QString path = Path(QString::fromLatin1(bad) + ".sqs");
        prompter.fileNames.push_back(path);  // then the reopened dialog is cancelled
        Button(dlg, "Create To &Disk...")->click();
        ASSERT_EQ(prompter.messages.size(), 1u) << bad;
        EXPECT_EQ(prompter.messages[0].caption, "FILE ERROR");
        EXPECT_TRUE(prompter.messages[0].text.contains(QString::fromLatin1(bad))) << bad;
        // The refused characters stand together on a line of their own.
        EXPECT_TRUE(prompter.messages[0].text.split('\n').contains("\\  /  :  *  ?  |  \"  <  >"));
        // The dialog comes back holding the refused name in its folder.
        ASSERT_EQ(prompter.requests.size(), 2u) << bad;
        EXPECT_EQ(prompter.requests[1].title, prompter.requests[0].title);
        EXPECT_EQ(prompter.requests[1].proposedName, QString::fromLatin1(bad) + ".sqs");
        EXPECT_EQ(QDir(prompter.requests[1].initialFolder), QDir(Path(".")));
        EXPECT_FALSE(QFile::exists(path)) << bad;
        EXPECT_EQ(Child<CNameEdit>(dlg, "name")->text(), name);  // still a name it accepts
    }
    // Corrected in the reopened dialog, the script is saved under the new name.
    prompter.messages.clear();
    prompter.fileNames = {Path("bad?name.sqs"), Path("goodname.sqs")};
    Button(dlg, "Create To &Disk...")->click();
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[1].caption, "Script Saved");
    EXPECT_TRUE(QFile::exists(Path("goodname.sqs")));
    EXPECT_EQ(Child<CNameEdit>(dlg, "name")->text(), "goodname");
    prompter.messages.clear();
    prompter.fileNames.push_back(Path(".sqs"));  // no title at all
    Button(dlg, "Create To &Disk...")->click();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].caption, "FILE ERROR");
    EXPECT_FALSE(QFile::exists(Path(".sqs")));
}

TEST_F(UnitDialog, CreateToDiskKeepsSpacesInTheFileName) {
    prompter.fileNames.push_back(Path("my unit.sqs"));
    Button(dlg, "Create To &Disk...")->click();
    EXPECT_TRUE(QFile::exists(Path("my unit.sqs")));
    EXPECT_EQ(Child<CNameEdit>(dlg, "name")->text(), "my unit");
}
