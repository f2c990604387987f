#include "ui/wizards/cratedlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <cstdlib>

#include "ui/app/prompter.h"
#include "ui/app/quillmark.h"
#include "ui/menus/pictures.h"
#include "ui/wizards/countbox.h"
#include "ui/wizards/nameedit.h"
#include "ui/wizards/wizardoutput.h"

namespace qm {

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
constexpr CrateSource kSources[] = {CrateSource::Weapons, CrateSource::Magazines, CrateSource::Equipment};
}  // namespace

CCrateDlg::CCrateDlg(QWidget* parent) : CWizardDlg(parent) {
    setWindowTitle(QStringLiteral("Crate Builder Wizard"));
    setWindowIcon(PictureIcon(QStringLiteral("crate")));
    BuildLayout();
    Connect();
    UpdateButtons();
    ResetWizard();
}

CCrateDlg::SourceRow& CCrateDlg::Row(CrateSource source) {
    switch (source) {
        case CrateSource::Weapons: return m_weapons;
        case CrateSource::Magazines: return m_magazines;
        case CrateSource::Equipment: break;
    }
    return m_equipment;
}

void CCrateDlg::BuildLayout() {
    auto* grid = new QGridLayout;
    const struct {
        CrateSource source;
        const char* label;
        const char* button;
        const char* name;
    } rows[] = {{CrateSource::Weapons, "Weapons List", "Add &Weapons", "weapons"},
                {CrateSource::Magazines, "Magazine List", "Add &Magazines", "magazines"},
                {CrateSource::Equipment, "Equipment List", "Add &Equipment", "equipment"}};
    int r = 0;
    for (const auto& row : rows) {
        SourceRow& s = Row(row.source);
        s.list = new QComboBox(this);
        s.list->setObjectName(row.name);
        s.list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        s.list->setMinimumContentsLength(24);
        s.count = new CCountBox(this);
        s.count->setObjectName(QStringLiteral("%1Count").arg(row.name));
        s.count->setFixedWidth(s.count->fontMetrics().horizontalAdvance(QStringLiteral("4294967295")) + 36);
        s.count->SetValue(m_wizard.Count(row.source));
        s.add = new QPushButton(QString::fromLatin1(row.button), this);
        auto* label = new QLabel(QString::fromLatin1(row.label), this);
        label->setBuddy(s.list);
        grid->addWidget(label, r, 0);
        if (row.source == CrateSource::Weapons) {
            auto* count = new QLabel(QStringLiteral("Count"), this);
            count->setBuddy(s.count);
            grid->addWidget(count, r, 1);
        }
        grid->addWidget(s.list, r + 1, 0);
        grid->addWidget(s.count, r + 1, 1);
        grid->addWidget(s.add, r + 1, 2);
        r += 2;
    }
    grid->setColumnStretch(0, 1);

    m_crateList = new QListWidget(this);
    m_crateList->setObjectName("crate");
    m_removeItem = new QPushButton(QStringLiteral("--->    &Remove Item"), this);
    m_clearAll = new QPushButton(QStringLiteral("C&lear All Items"), this);
    m_name = new CNameEdit(this);
    m_name->setObjectName("name");
    m_emptyCrate = new QCheckBox(QStringLiteral("Em&pty Crate"), this);
    m_emptyCrate->setObjectName("emptyCrate");
    m_createInEditor = new QPushButton(QStringLiteral("&Create In Editor"), this);
    m_createToDisk = new QPushButton(QStringLiteral("Create To &Disk..."), this);

    auto* crateLabel = new QLabel(QStringLiteral("Current Crate"), this);
    crateLabel->setBuddy(m_crateList);
    auto* nameLabel = new QLabel(QStringLiteral("Crate / File Name"), this);
    nameLabel->setBuddy(m_name);
    auto* side = new QVBoxLayout;
    side->addWidget(m_removeItem);
    side->addWidget(m_clearAll);
    side->addSpacing(12);
    side->addWidget(nameLabel);
    side->addWidget(m_name);
    side->addWidget(m_emptyCrate);
    side->addStretch(1);
    side->addWidget(m_createInEditor);
    side->addWidget(m_createToDisk);
    auto* crate = new QGridLayout;
    crate->addWidget(crateLabel, 0, 0);
    crate->addWidget(m_crateList, 1, 0);
    crate->addLayout(side, 1, 1);
    crate->setColumnStretch(0, 1);

    auto* top = new QVBoxLayout(this);
    top->addLayout(grid);
    top->addSpacing(8);
    top->addLayout(crate, 1);
    m_crateList->setMinimumHeight(m_crateList->fontMetrics().height() * 12);
}

void CCrateDlg::Connect() {
    for (CrateSource source : kSources) {
        SourceRow& s = Row(source);
        connect(s.add, &QPushButton::clicked, this, [this, source] { OnAdd(source); });
        connect(s.count, &CCountBox::Stepped, this, [this, source](int steps) { OnStep(source, steps); });
        connect(s.count, &CCountBox::TextEdited, this, [this, source](const QString& text) {
            // Only a valid number is taken; a refused one is told when the count is used.
            if (auto n = ParseCrateCount(text.toStdString())) m_wizard.SetCount(source, *n);
        });
    }
    connect(m_weapons.list, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int i) {
        const int magazine = m_wizard.MagazineForWeapon(i);
        if (magazine >= 0) m_magazines.list->setCurrentIndex(magazine);
    });
    connect(m_crateList, &QListWidget::itemSelectionChanged, this, &CCrateDlg::UpdateButtons);
    connect(m_removeItem, &QPushButton::clicked, this, [this] {
        const auto selected = m_crateList->selectedItems();
        if (selected.isEmpty()) return;
        m_wizard.RemoveLine(m_crateList->row(selected.first()));
        ShowCrate();
    });
    connect(m_clearAll, &QPushButton::clicked, this, [this] {
        m_wizard.ClearLines();
        ShowCrate();
    });
    connect(m_emptyCrate, &QCheckBox::toggled, this, [this](bool on) { m_wizard.SetEmptyCrate(on); });
    connect(m_name, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_wizard.SetName(text.toStdString());
        UpdateButtons();
    });
    connect(m_createInEditor, &QPushButton::clicked, this, &CCrateDlg::OnCreateInEditor);
    connect(m_createToDisk, &QPushButton::clicked, this, &CCrateDlg::OnCreateToDisk);
}

void CCrateDlg::ResetWizard() {
    const Catalogue& c = theApp.m_catalogue;
    m_wizard.ResetWizard(c.m_weapons, c.m_ammo, c.m_equipment, std::rand());
    for (CrateSource source : kSources) {
        SourceRow& s = Row(source);
        QSignalBlocker block(s.list);
        s.list->clear();
        for (const auto& line : m_wizard.Source(source)) s.list->addItem(Q(line));
        s.list->setCurrentIndex(0);
        s.count->SetValue(m_wizard.Count(source));
    }
    {
        QSignalBlocker block(m_emptyCrate);
        m_emptyCrate->setChecked(m_wizard.Contents().emptyCrate);
    }
    m_name->setText(Q(m_wizard.Contents().name));
    ShowCrate();
}

void CCrateDlg::ShowCrate() {
    {
        QSignalBlocker block(m_crateList);
        m_crateList->clear();  // no line stays selected
        for (const auto& line : m_wizard.Contents().lines) m_crateList->addItem(Q(line));
    }
    UpdateButtons();
}

void CCrateDlg::UpdateButtons() {
    m_removeItem->setEnabled(!m_crateList->selectedItems().isEmpty());
    m_clearAll->setEnabled(m_wizard.CanClear());
    for (CrateSource source : kSources) Row(source).add->setEnabled(m_wizard.SourceAvailable(source));
    m_createInEditor->setEnabled(m_wizard.CanCreateInEditor(m_editorAvailable != 0));
    m_createToDisk->setEnabled(m_wizard.CanCreateToDisk());
}

void CCrateDlg::UpdateEditorAvailable() { UpdateButtons(); }

std::optional<uint32_t> CCrateDlg::ReadCount(CrateSource source) {
    CCountBox* box = Row(source).count;
    const std::optional<uint32_t> n = box->Value();
    if (!n) {
        theApp.GetPrompter().MessageBox(QStringLiteral("Please enter a count from 0 to 4294967295."),
                                        QStringLiteral("Crate Builder Wizard"), MbButtons::Ok, MbIcon::Warning);
        box->setFocus();
        box->selectAll();
        return std::nullopt;
    }
    m_wizard.SetCount(source, *n);
    return n;
}

void CCrateDlg::OnStep(CrateSource source, int steps) {
    if (!ReadCount(source)) return;
    m_wizard.StepCount(source, steps);
    Row(source).count->SetValue(m_wizard.Count(source));
}

void CCrateDlg::OnAdd(CrateSource source) {
    if (!ReadCount(source)) return;
    if (m_wizard.Add(source, Row(source).list->currentIndex())) ShowCrate();
}

std::string CCrateDlg::BuildCrateScript() const { return m_wizard.BuildCrateScript(theApp.m_version.toStdString()); }

void CCrateDlg::OnCreateInEditor() {
    if (!m_wizard.CanCreateInEditor(m_editorAvailable != 0)) return;
    CreateScriptInEditor(BuildCrateScript(), m_name->text(), QStringLiteral("Error creating script"),
                         QStringLiteral("Script was created successfully"));
}

void CCrateDlg::OnCreateToDisk() {
    if (!m_wizard.CanCreateToDisk()) return;
    const std::optional<QString> path = AskScriptPath(QStringLiteral("Save Crate Script"), m_name->text());
    if (!path) return;
    SaveScriptNamedByFile(*m_name, *path, [this] { return BuildCrateScript(); }, QStringLiteral("Error saving script"),
                          QStringLiteral("Script was created successfully."));
}

}  // namespace qm
