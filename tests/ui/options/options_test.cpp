#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>

#include "core/frames/statustexts.h"
#include "core/options/mimetypes.h"
#include "core/options/optionsrules.h"
#include "core/options/xdgfiletypes.h"
#include "support/editorfixture.h"
#include "ui/frames/commandbar.h"
#include "ui/frames/commandids.h"
#include "ui/options/fontcombo.h"
#include "ui/options/proppage1.h"
#include "ui/options/proppage2.h"
#include "ui/options/proppage3.h"
#include "ui/options/proppage4.h"
#include "ui/options/propsheet.h"

using namespace qm;

namespace {
class Options : public EditorFixture {
protected:
    // A sheet filled from the main frame as the Options command fills it.
    std::unique_ptr<CPropSheet> Sheet() {
        auto sheet = std::make_unique<CPropSheet>(Main());
        Main()->LoadOptions(*sheet);
        sheet->OnInitSheet();
        return sheet;
    }
    // Clicks "Accept" on the sheet and applies it.
    void Accept(CPropSheet& sheet) {
        sheet.m_okButton->click();
        ASSERT_EQ(sheet.result(), QDialog::Accepted);
        Main()->ApplyOptions(sheet);
    }
    std::vector<std::string> ClassesRootWrites() const {
        std::vector<std::string> w;
        for (const auto& e : registry.WriteLog())
            if (e.rfind("Software\\", 0) != 0) w.push_back(e);
        return w;
    }
    CScriptDoc* ModifiedScript() {
        CScriptDoc* doc = New(DocKind::Script);
        doc->GetView()->LoadText("hint \"x\"\n; note\n");
        doc->GetView()->RecolourAll();
        QTest::keyClicks(doc->GetView(), "a");
        EXPECT_TRUE(doc->IsModified());
        return doc;
    }
};
}  // namespace

TEST_F(Options, TheSheetHasItsFourPagesInOrderAndAcceptAndCancelAroundTheCentre) {
    auto sheet = Sheet();
    EXPECT_EQ(sheet->windowTitle(), "Options");
    QStringList tabs;
    for (int i = 0; i < sheet->m_tabs->count(); ++i) tabs << sheet->m_tabs->tabText(i);
    EXPECT_EQ(tabs, (QStringList{"General", "Scripts", "File Types", "Misc."}));
    sheet->resize(560, 470);
    sheet->show();
    EXPECT_EQ(sheet->m_okButton->text(), "Accept");
    EXPECT_EQ(sheet->m_cancelButton->text(), "Cancel");
    const int centre = sheet->width() / 2;
    EXPECT_EQ(sheet->m_okButton->geometry().right() + 1, centre - 5);
    EXPECT_EQ(sheet->m_cancelButton->x(), centre + 5);
    EXPECT_EQ(sheet->m_okButton->y(), sheet->m_cancelButton->y());
    EXPECT_GT(sheet->m_okButton->y(), sheet->m_tabs->geometry().bottom());
    for (QPushButton* b : sheet->findChildren<QPushButton*>()) EXPECT_NE(b->text(), "&Apply");
}

TEST_F(Options, TheOptionsCommandOpensTheSheetAndCancelChangesNothing) {
    ASSERT_TRUE(Main()->Action(ID_OPTIONS)->isEnabled());
    CPropSheet* seen = nullptr;
    QTimer::singleShot(0, [&] {
        seen = Main()->findChild<CPropSheet*>();
        ASSERT_TRUE(seen);
        seen->m_page1->m_boldBox->click();
        seen->m_page4->m_typeBoxes[5]->setChecked(true);
        seen->m_cancelButton->click();
    });
    Main()->Action(ID_OPTIONS)->trigger();
    EXPECT_TRUE(seen);
    EXPECT_EQ(Main()->m_boldFonts, 0);
    EXPECT_EQ(Main()->m_regTXT, 0);
    EXPECT_FALSE(registry.KeyExists(Hive::ClassesRoot, ".txt"));
}

TEST_F(Options, AcceptingWithOnlyColoursChangedLeavesOpenViewsAsTheyAre) {
    CScriptDoc* doc = ModifiedScript();
    CEditView* view = doc->GetView();
    const QFont font = view->font();
    const QColor remarks = ColourAt(view, 1, 0);
    registry.ClearWriteLog();

    auto sheet = Sheet();
    sheet->m_page2->m_colourRadios[1]->click();
    prompter.colours.push_back(0x0000FF);  // red
    sheet->m_page2->m_setColourButton->click();
    EXPECT_EQ(sheet->m_page2->m_colours[1], 0x0000FF);
    Accept(*sheet);

    EXPECT_EQ(Main()->m_remarkColour, 0x0000FF);
    EXPECT_EQ(view->font(), font);
    EXPECT_EQ(ColourAt(view, 1, 0), remarks);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_TRUE(ClassesRootWrites().empty());

    CScriptDoc* fresh = New(DocKind::Script);
    fresh->GetView()->LoadText("; new\n");
    fresh->GetView()->RecolourAll();
    EXPECT_EQ(ColourAt(fresh->GetView(), 0, 0), QColor(Qt::red));
}

TEST_F(Options, AFontSizeChangeReachesEveryViewAndKeepsModifiedStates) {
    CScriptDoc* script = ModifiedScript();
    CScriptDoc* description = New(DocKind::Description);
    description->GetView()->LoadText("class X\n// remark\n");
    description->SetModifiedFlag(false);
    CScriptDoc* text = New(DocKind::Text);
    text->SetModifiedFlag(false);
    script->GetFrame()->Activate();
    Main()->Action(ID_WINDOW_NEW)->trigger();  // a second window on the script
    CEditView* second = Main()->ActiveView();
    ASSERT_NE(second, script->GetView());
    const int before = script->GetView()->font().pixelSize();

    auto sheet = Sheet();
    sheet->m_page1->m_sizeList->setCurrentIndex(FontSizeListIndex(14));
    EXPECT_EQ(sheet->m_page1->m_fontSize, 14);
    Accept(*sheet);

    EXPECT_EQ(Main()->m_fontSize, 14);
    for (CEditView* v : {script->GetView(), description->GetView(), text->GetView(), second}) {
        EXPECT_GT(v->font().pixelSize(), before) << v->GetDocument()->GetTitle().toStdString();
        EXPECT_EQ(v->font(), Main()->m_editorFont);
        // A tab stays eight spaces wide in the new font.
        EXPECT_EQ(v->tabStopDistance(), v->fontMetrics().horizontalAdvance(QLatin1Char(' ')) * 8);
    }
    EXPECT_TRUE(script->IsModified());
    EXPECT_FALSE(description->IsModified());
    EXPECT_FALSE(text->IsModified());
    EXPECT_TRUE(script->GetTitle().endsWith('*'));
    EXPECT_FALSE(description->GetTitle().endsWith('*'));
    // Re-coloured in the new font: the remark line still has its colour.
    EXPECT_EQ(ColourAt(description->GetView(), 1, 0), Colour(Main()->m_remarkColour));
    EXPECT_EQ(ColourAt(script->GetView(), 1, 0), Colour(Main()->m_remarkColour));
}

TEST_F(Options, TickingTextFilesAssociatesOnceAndAcceptingAgainCallsNothing) {
    registry.ClearWriteLog();
    auto sheet = Sheet();
    EXPECT_TRUE(sheet->m_page4->m_typeBoxes[0]->isChecked());  // the first start took ".sqs" and ".ext"
    EXPECT_FALSE(sheet->m_page4->m_typeBoxes[5]->isChecked());
    sheet->m_page4->m_typeBoxes[5]->click();
    Accept(*sheet);
    EXPECT_EQ(ClassesRootWrites(), std::vector<std::string>{".txt\\"});
    EXPECT_EQ(registry.GetString(Hive::ClassesRoot, ".txt", "", ""), "VarnholtText.Document");
    EXPECT_EQ(Main()->m_regTXT, 1);

    registry.ClearWriteLog();
    auto again = Sheet();
    EXPECT_TRUE(again->m_page4->m_typeBoxes[5]->isChecked());
    Accept(*again);
    EXPECT_TRUE(ClassesRootWrites().empty());

    auto off = Sheet();
    off->m_page4->m_typeBoxes[5]->click();
    Accept(*off);
    EXPECT_FALSE(registry.KeyExists(Hive::ClassesRoot, ".txt"));
    EXPECT_EQ(Main()->m_regTXT, 0);
}

TEST_F(Options, TickingScriptsMakesTheProgramTheDesktopsHandlerAndUntickingGivesItBack) {
    QTemporaryDir xdg;
    ASSERT_TRUE(xdg.isValid());
    XdgFileTypes desktop({xdg.filePath("data").toStdString(), xdg.filePath("config").toStdString(), {}},
                         "/usr/bin/quillmark");
    theApp.m_desktopFileTypes = &desktop;
    QFile list(xdg.filePath("config/mimeapps.list"));
    QDir().mkpath(xdg.filePath("config"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("[Default Applications]\ntext/x-varnholt-script=old.desktop;\n");
    list.close();
    Main()->m_regSQS = 0;  // as if the user had given scripts back earlier

    auto sheet = Sheet();
    sheet->m_page4->m_typeBoxes[0]->setChecked(true);
    Accept(*sheet);
    EXPECT_EQ(MimeAppsDefault(ReadFile(list.fileName()).toStdString(), "text/x-varnholt-script"), "quillmark.desktop;");
    EXPECT_TRUE(QFile::exists(xdg.filePath("data/applications/quillmark.desktop")));

    auto off = Sheet();
    off->m_page4->m_typeBoxes[0]->setChecked(false);
    Accept(*off);
    EXPECT_EQ(MimeAppsDefault(ReadFile(list.fileName()).toStdString(), "text/x-varnholt-script"), "old.desktop;");
    theApp.m_desktopFileTypes = nullptr;
}

TEST_F(Options, AnEditionChangeLoadsTheOtherEditionsData) {
    ASSERT_EQ(theApp.m_expansionEdition, 1);
    ASSERT_EQ(theApp.m_catalogue.m_commands.size(), 4u);
    auto sheet = Sheet();
    EXPECT_TRUE(sheet->m_page1->m_expansionBox->isChecked());
    sheet->m_page1->m_expansionBox->click();
    Accept(*sheet);
    EXPECT_EQ(theApp.m_expansionEdition, 0);
    EXPECT_EQ(theApp.m_catalogue.m_commands, std::vector<std::string>{"setDamage"});
    EXPECT_EQ(theApp.m_catalogue.m_weapons, std::vector<std::string>{"OldRifle"});
    EXPECT_EQ(Main()->m_editionIndicator->text(), QString::fromStdString(EditionIndicatorText(0)));
    EXPECT_EQ(Main()->m_wndCommandBar->Tree()->findItems("addWeapon", Qt::MatchRecursive).size(), 0);
    EXPECT_EQ(Main()->m_wndCommandBar->Tree()->findItems("setDamage", Qt::MatchRecursive).size(), 1);
    ASSERT_TRUE(Main()->close());
    EXPECT_EQ(Setting("Resistance"), 0);
}

TEST_F(Options, TheSyntaxPaneFollowsAtOnceAndOtherValuesWaitForTheClose) {
    auto sheet = Sheet();
    sheet->m_page1->m_showSyntaxBox->click();
    sheet->m_page1->m_newFileRadios[2]->click();
    sheet->m_page1->m_mruList->setCurrentIndex(9);
    sheet->m_page3->m_windowBox->click();
    sheet->m_page3->m_snippetEdit->setText("/tmp/snips/");
    registry.ClearWriteLog();
    Accept(*sheet);
    EXPECT_TRUE(Main()->m_wndCommandBar->SyntaxPane()->isHidden());
    EXPECT_EQ(Main()->m_newFile, 2);
    EXPECT_EQ(Main()->m_mrus, 9);
    EXPECT_EQ(Main()->m_window, 1);
    EXPECT_EQ(Main()->m_snippetDir, "/tmp/snips/");
    EXPECT_TRUE(registry.WriteLog().empty());
    ASSERT_TRUE(Main()->close());
    EXPECT_EQ(Setting("MRUs"), 9);
    EXPECT_EQ(Setting("ShowSyntax"), 0);
    EXPECT_EQ(registry.GetString(Hive::CurrentUser, "Software\\Tarnwell\\Quillmark\\Settings", "SnippetDir", ""),
              "/tmp/snips/");
}

TEST_F(Options, RestoreDefaultsOnEveryPage) {
    Main()->m_fontSize = 20;
    Main()->m_boldFonts = 1;
    Main()->m_mrus = 2;
    Main()->m_newFile = 0;
    Main()->m_remarkColour = 0x123456;
    Main()->m_format = 0;
    Main()->m_nosplash = 0;
    Main()->m_window = 1;
    Main()->m_snippetDir = "/elsewhere/";
    Main()->m_regTXT = 1;
    Main()->m_regSQS = 0;
    auto sheet = Sheet();

    CPropPage1& g = *sheet->m_page1;
    g.m_expansionBox->setChecked(false);
    g.m_defaultsButton->click();
    EXPECT_EQ(g.m_sizeList->currentText(), "10");
    EXPECT_EQ(g.m_fontList->GetSelectedFontName(), "Courier New");
    EXPECT_FALSE(g.m_boldBox->isChecked());
    EXPECT_TRUE(g.m_expansionBox->isChecked());
    EXPECT_TRUE(g.m_newFileRadios[1]->isChecked());
    EXPECT_EQ(g.m_mruList->currentText(), "6");
    EXPECT_TRUE(g.m_customMenusBox->isChecked() && g.m_trimMRUBox->isChecked() && g.m_showUsersBox->isChecked());

    CPropPage2& s = *sheet->m_page2;
    s.m_colourRadios[4]->click();
    s.m_defaultsButton->click();
    EXPECT_EQ(s.m_colours, (std::array<int, 7>{0x000000, 0x008000, 0x0000FF, 0xFF00FF, 0xFF0000, 0x808080, 0xFFFFFF}));
    EXPECT_TRUE(s.m_colourRadios[0]->isChecked());
    EXPECT_TRUE(s.m_formatBox->isChecked() && s.m_addHeaderBox->isChecked());
    EXPECT_EQ(s.m_samples[1]->palette().color(QPalette::WindowText), QColor(0, 0x80, 0));

    CPropPage4& t = *sheet->m_page4;
    t.m_defaultsButton->click();
    for (int i = 0; i < 6; ++i) EXPECT_EQ(t.m_typeBoxes[i]->isChecked(), i < 2) << i;

    CPropPage3& m = *sheet->m_page3;
    m.m_defaultsButton->click();
    EXPECT_TRUE(m.m_nosplashBox->isChecked());
    EXPECT_FALSE(m.m_windowBox->isChecked());
    EXPECT_EQ(m.m_snippetEdit->text().toStdString(), theApp.GetDataPath(PATH_SNIPPETS));
    EXPECT_EQ(m.m_backupEdit->text().toStdString(), theApp.GetDataPath(PATH_BACKUP));
    EXPECT_EQ(m.m_comRefEdit->text().toStdString(), theApp.GetDataPath(PATH_COMREF));

    Accept(*sheet);
    EXPECT_EQ(Main()->m_fontSize, 10);
    EXPECT_EQ(Main()->m_regSQS, 1);
    EXPECT_EQ(Main()->m_regTXT, 0);
    EXPECT_EQ(Main()->m_remarkColour, 0x008000);
}

TEST_F(Options, MenuControlsStayOffWhenCustomMenusWereOffAtStartUp) {
    theApp.m_customMenus = 0;
    Main()->m_customMenus = 0;
    auto sheet = Sheet();
    CPropPage1& g = *sheet->m_page1;
    g.m_customMenusBox->click();
    EXPECT_TRUE(g.m_customMenusBox->isEnabled());
    EXPECT_FALSE(g.m_showUsersBox->isEnabled());
    EXPECT_FALSE(g.m_trimMRUBox->isEnabled());
    EXPECT_FALSE(g.m_mruList->isEnabled());
    Accept(*sheet);
    EXPECT_EQ(Main()->m_customMenus, 1);  // for the next start
    theApp.m_customMenus = 1;
}

TEST_F(Options, TheSizeListShowsTheFirstItemBeginningWithTheSize) {
    Main()->m_fontSize = 1;
    auto sheet = Sheet();
    EXPECT_EQ(sheet->m_page1->m_sizeList->currentText(), "10");
    EXPECT_EQ(sheet->m_page1->m_fontSize, 1);  // only choosing a size changes it
}

TEST_F(Options, TheFontListHasEachFamilyOnceWithFixedPitchMarked) {
    CFontCombo combo;
    combo.FillFontList({"DejaVu Sans", "Liberation Mono [urw]", "DejaVu Sans", "@Vertical", "Liberation Mono [1ASC]"});
    ASSERT_EQ(combo.count(), 2);
    EXPECT_EQ(combo.itemText(0), "DejaVu Sans");
    EXPECT_EQ(combo.itemText(1), "Liberation Mono");
    EXPECT_FALSE(combo.itemData(0, CFontCombo::FixedPitchRole).toBool());
    EXPECT_TRUE(combo.itemData(1, CFontCombo::FixedPitchRole).toBool());
    EXPECT_EQ(combo.GetSelectedFontName(), "DejaVu Sans");
    combo.SelectFontName("liberation mono");
    EXPECT_EQ(combo.GetSelectedFontName(), "Liberation Mono");
    combo.SelectFontName("Not Installed");
    EXPECT_EQ(combo.GetSelectedFontName(), "Liberation Mono");
    EXPECT_EQ(combo.maxVisibleItems(), 15);

    // The program's full list offers the stored Windows faces it maps onto installed ones.
    CFontCombo full;
    full.FillFontList();
    full.SelectFontName("Courier New");
    EXPECT_EQ(full.GetSelectedFontName(), "Courier New");
    EXPECT_TRUE(full.currentData(CFontCombo::FixedPitchRole).toBool());
}

TEST_F(Options, ChoosingAFaceOrBoldChangesTheEditorFont) {
    auto sheet = Sheet();
    CPropPage1& g = *sheet->m_page1;
    g.m_fontList->SelectFontName("DejaVu Sans Mono");
    ASSERT_EQ(g.m_font, "DejaVu Sans Mono");
    g.m_boldBox->click();
    Accept(*sheet);
    EXPECT_EQ(Main()->m_fontName, "DejaVu Sans Mono");
    EXPECT_EQ(Main()->m_boldFonts, 1);
    EXPECT_EQ(Main()->m_editorFont.weight(), QFont::Bold);
}
