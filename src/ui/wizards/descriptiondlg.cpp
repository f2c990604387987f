#include "ui/wizards/descriptiondlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "core/wizards/cratewizard.h"
#include "ui/app/prompter.h"
#include "ui/app/quillmark.h"
#include "ui/menus/pictures.h"
#include "ui/wizards/wizardoutput.h"

namespace qm {

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
constexpr GearSource kSources[] = {GearSource::Weapons, GearSource::Ammo, GearSource::Equipment};

QLabel* Label(const QString& text, QWidget* parent, QWidget* buddy = nullptr) {
    auto* l = new QLabel(text, parent);
    if (buddy) l->setBuddy(buddy);
    return l;
}
QLabel* Note(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setWordWrap(true);
    return l;
}
void SetLines(QListWidget* list, const StringList& lines) {
    QSignalBlocker block(list);
    list->clear();  // no line stays selected
    for (const auto& line : lines) list->addItem(Q(line));
}
void SetLines(QListWidget* list, const std::vector<GearItem>& items) {
    QSignalBlocker block(list);
    list->clear();
    for (const auto& item : items) list->addItem(Q(item.text));
}
int SelectedRow(QListWidget* list) {
    const auto selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.first());
}
}  // namespace

CDescriptionDlg::CDescriptionDlg(QWidget* parent) : CWizardDlg(parent) {
    setWindowTitle(QStringLiteral("Description Wizard"));
    setWindowIcon(PictureIcon(QStringLiteral("description")));
    auto* grid = new QGridLayout(this);
    grid->addWidget(BuildChoices(), 0, 0);
    grid->addWidget(BuildRespawn(), 1, 0);
    grid->addWidget(BuildGear(), 0, 1, 2, 1);
    grid->addWidget(BuildFileGroup(m_soundGroup, QStringLiteral("Insert Sound Files"),
                                   QStringLiteral("Sound File (.ogg no spaces)"),
                                   QStringLiteral("NOTE: These files must be located in \\Mission\\Sound\\"), "sound"),
                    2, 0);
    m_musicGroup.music = true;
    grid->addWidget(BuildFileGroup(m_musicGroup, QStringLiteral("Insert Music Files"),
                                   QStringLiteral("Music File (.ogg no spaces)"),
                                   QStringLiteral("NOTE: These files must be located in \\Mission\\Music\\"), "music"),
                    2, 1);
    grid->setColumnStretch(1, 1);
    setFocusProxy(m_gear);  // showing the wizard focuses its first control
    Connect();
    UpdateEditorAvailable();
    ResetWizard();
}

QGroupBox* CDescriptionDlg::BuildChoices() {
    auto* box = new QGroupBox(QStringLiteral("Add To Description"), this);
    m_gear = new QCheckBox(QStringLiteral("Mission &Gear"), box);
    m_gear->setObjectName("gear");
    m_respawn = new QCheckBox(QStringLiteral("Unit &Respawn"), box);
    m_respawn->setObjectName("respawn");
    m_sounds = new QCheckBox(QStringLiteral("Custom &Sounds"), box);
    m_sounds->setObjectName("sounds");
    m_music = new QCheckBox(QStringLiteral("Custom &Music"), box);
    m_music->setObjectName("music");
    m_createInEditor = new QPushButton(QStringLiteral("Create In &Editor"), box);
    m_createToDisk = new QPushButton(QStringLiteral("Create To &Disk..."), box);
    auto* layout = new QGridLayout(box);
    layout->addWidget(m_gear, 0, 0);
    layout->addWidget(m_respawn, 1, 0);
    layout->addWidget(m_sounds, 0, 1);
    layout->addWidget(m_music, 1, 1);
    layout->setRowMinimumHeight(2, 6);
    layout->addWidget(m_createInEditor, 3, 0);
    layout->addWidget(m_createToDisk, 3, 1);
    return box;
}

QGroupBox* CDescriptionDlg::BuildRespawn() {
    m_respawnBox = new QGroupBox(QStringLiteral("Unit Respawn Settings"), this);
    m_respawnBox->setObjectName("respawnBox");
    m_respawnType = new QButtonGroup(this);
    auto* layout = new QGridLayout(m_respawnBox);
    const char* types[] = {"NONE", "BIRD", "INSTANT", "BASE*", "GROUP", "SIDE"};
    for (int i = 0; i < 6; ++i) {
        auto* radio = new QRadioButton(QString::fromLatin1(types[i]), m_respawnBox);
        m_respawnType->addButton(radio, i);
        layout->addWidget(radio, i % 3, i / 3);
    }
    m_delay = new QComboBox(m_respawnBox);
    m_delay->setObjectName("delay");
    for (const auto& d : RespawnDelays()) m_delay->addItem(Q(d));
    auto* delay = new QHBoxLayout;
    delay->addWidget(Label(QStringLiteral("RespawnDelay ="), m_respawnBox, m_delay));
    delay->addWidget(m_delay);
    delay->addStretch(1);
    layout->addLayout(delay, 3, 0, 1, 2);
    layout->addWidget(Note(QStringLiteral("* Base markers required."), m_respawnBox), 4, 0, 1, 2);
    layout->addWidget(Note(QStringLiteral("HINT: Respawns all playable men in multiplayer missions."), m_respawnBox), 5,
                      0, 1, 2);
    layout->setRowStretch(6, 1);
    return m_respawnBox;
}

QGroupBox* CDescriptionDlg::BuildGear() {
    m_gearBox = new QGroupBox(QStringLiteral("Mission Gear"), this);
    m_gearBox->setObjectName("gearBox");
    auto* rows = new QGridLayout;
    const struct {
        GearSource source;
        const char* label;
        const char* name;
    } sources[] = {{GearSource::Weapons, "Mission Weapons", "weapons"},
                   {GearSource::Ammo, "Mission Ammo", "ammo"},
                   {GearSource::Equipment, "Mission Equipment", "equipment"}};
    int r = 0;
    for (const auto& s : sources) {
        GearRow& row = Row(s.source);
        row.list = new QComboBox(m_gearBox);
        row.list->setObjectName(s.name);
        row.list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        row.list->setMinimumContentsLength(22);
        row.list->setMaxVisibleItems(20);
        row.count = new QLineEdit(m_gearBox);
        row.count->setObjectName(QStringLiteral("%1Count").arg(s.name));
        row.count->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,10}"), row.count));
        row.count->setAlignment(Qt::AlignRight);
        row.count->setFixedWidth(row.count->fontMetrics().horizontalAdvance(QStringLiteral("4294967295")) + 12);
        row.add = new QPushButton(QStringLiteral("Add"), m_gearBox);
        row.add->setObjectName(QStringLiteral("%1Add").arg(s.name));
        rows->addWidget(Label(QString::fromLatin1(s.label), m_gearBox, row.list), r, 0);
        if (s.source == GearSource::Weapons) rows->addWidget(Label(QStringLiteral("Count"), m_gearBox, row.count), r, 1);
        rows->addWidget(row.list, r + 1, 0);
        rows->addWidget(row.count, r + 1, 1);
        rows->addWidget(row.add, r + 1, 2);
        r += 2;
    }
    rows->setColumnStretch(0, 1);

    m_weaponItems = new QListWidget(m_gearBox);
    m_weaponItems->setObjectName("weaponItems");
    m_magazineItems = new QListWidget(m_gearBox);
    m_magazineItems->setObjectName("magazineItems");
    for (QListWidget* list : {m_weaponItems, m_magazineItems})
        list->setMinimumHeight(list->fontMetrics().lineSpacing() * 8);
    m_removeGear = new QPushButton(QStringLiteral("--->  Remove"), m_gearBox);
    m_removeGear->setObjectName("removeGear");
    m_clearGear = new QPushButton(QStringLiteral("Clear"), m_gearBox);
    auto* items = new QGridLayout;
    items->addWidget(Label(QStringLiteral("Weapon Items to be Added"), m_gearBox, m_weaponItems), 0, 0);
    items->addWidget(Label(QStringLiteral("Magazine Items to be Added"), m_gearBox, m_magazineItems), 0, 1);
    items->addWidget(m_weaponItems, 1, 0);
    items->addWidget(m_magazineItems, 1, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_removeGear);
    buttons->addWidget(m_clearGear);
    buttons->addStretch(1);
    items->addLayout(buttons, 1, 2);

    auto* layout = new QVBoxLayout(m_gearBox);
    layout->addLayout(rows);
    layout->addSpacing(6);
    layout->addLayout(items, 1);
    layout->addWidget(Note(QStringLiteral("HINT: Adds gear to your mission briefing. Change the items your team is "
                                          "carrying before starting."),
                           m_gearBox));
    return m_gearBox;
}

QGroupBox* CDescriptionDlg::BuildFileGroup(FileGroup& g, const QString& title, const QString& label,
                                           const QString& note, const char* name) {
    g.box = new QGroupBox(title, this);
    g.box->setObjectName(QStringLiteral("%1Box").arg(name));
    g.file = new QLineEdit(g.box);
    g.file->setObjectName(QStringLiteral("%1File").arg(name));
    g.browse = new QPushButton(QStringLiteral("Browse..."), g.box);
    g.browse->setObjectName(QStringLiteral("%1Browse").arg(name));
    g.list = new QListWidget(g.box);
    g.list->setObjectName(QStringLiteral("%1List").arg(name));
    g.list->setMinimumHeight(g.list->fontMetrics().lineSpacing() * 5);
    g.add = new QPushButton(QStringLiteral("<---     Add"), g.box);
    g.add->setObjectName(QStringLiteral("%1Add").arg(name));
    g.remove = new QPushButton(QStringLiteral("--->  Remove"), g.box);
    g.remove->setObjectName(QStringLiteral("%1Remove").arg(name));
    auto* layout = new QGridLayout(g.box);
    layout->addWidget(Label(label, g.box, g.file), 0, 1, 1, 2);
    layout->addWidget(g.list, 0, 0, 5, 1);
    layout->addWidget(g.file, 1, 1);
    layout->addWidget(g.browse, 1, 2);
    layout->addWidget(g.add, 2, 1);
    layout->addWidget(g.remove, 3, 1);
    layout->setRowStretch(4, 1);
    layout->addWidget(Note(note, g.box), 5, 0, 1, 3);
    layout->setColumnStretch(0, 1);
    return g.box;
}

CDescriptionDlg::GearRow& CDescriptionDlg::Row(GearSource source) {
    switch (source) {
        case GearSource::Weapons: return m_weapons;
        case GearSource::Ammo: return m_ammo;
        case GearSource::Equipment: break;
    }
    return m_equipment;
}

void CDescriptionDlg::Connect() {
    const std::pair<QCheckBox*, QGroupBox*> ticks[] = {
        {m_gear, m_gearBox}, {m_respawn, m_respawnBox}, {m_sounds, m_soundGroup.box}, {m_music, m_musicGroup.box}};
    for (auto [box, group] : ticks)
        connect(box, &QCheckBox::clicked, this, [this, box, group] { OnTick(box, group); });
    for (GearSource source : kSources)
        connect(Row(source).add, &QPushButton::clicked, this, [this, source] { OnAddGear(source); });
    connect(m_weapons.list, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int i) {
        const int ammo = m_wizard.AmmoForWeapon(i);
        if (ammo >= 0) m_ammo.list->setCurrentIndex(ammo);
    });
    connect(m_removeGear, &QPushButton::clicked, this, &CDescriptionDlg::OnRemoveGear);
    connect(m_clearGear, &QPushButton::clicked, this, [this] {
        m_wizard.ClearGear();
        ShowLists();
    });
    for (FileGroup* g : {&m_soundGroup, &m_musicGroup}) {
        connect(g->browse, &QPushButton::clicked, this, [this, g] { OnBrowse(*g); });
        connect(g->add, &QPushButton::clicked, this, [this, g] { OnAddFile(*g); });
        connect(g->remove, &QPushButton::clicked, this, [this, g] { OnRemoveFile(*g); });
    }
    connect(m_createInEditor, &QPushButton::clicked, this, &CDescriptionDlg::OnCreateInEditor);
    connect(m_createToDisk, &QPushButton::clicked, this, &CDescriptionDlg::OnCreateToDisk);
}

void CDescriptionDlg::ResetWizard() {
    const Catalogue& c = theApp.m_catalogue;
    ReadControls();
    m_wizard.ResetWizard(c.m_weapons, c.m_ammo, c.m_equipment);
    for (GearSource source : kSources) {
        GearRow& row = Row(source);
        QSignalBlocker block(row.list);
        row.list->clear();
        for (const auto& line : m_wizard.Source(source)) row.list->addItem(Q(line));
        row.list->setCurrentIndex(0);
        row.add->setEnabled(m_wizard.SourceAvailable(source));
    }
    ShowValues();
}

void CDescriptionDlg::UpdateEditorAvailable() { m_createInEditor->setEnabled(m_editorAvailable != 0); }

void CDescriptionDlg::ReadControls() {
    DescriptionData& d = m_wizard.Data();
    d.gear = m_gear->isChecked();
    d.respawn = m_respawn->isChecked();
    d.sounds = m_sounds->isChecked();
    d.music = m_music->isChecked();
    if (m_respawnType->checkedId() >= 0) d.respawnIndex = m_respawnType->checkedId();
    d.delay = m_delay->currentText().toStdString();
    // A count that cannot be read keeps its last value; Add tells the user.
    for (GearSource source : kSources)
        if (auto n = ParseCrateCount(Row(source).count->text().toStdString())) m_wizard.SetCount(source, *n);
}

void CDescriptionDlg::ShowValues() {
    const DescriptionData& d = m_wizard.Data();
    const std::pair<QCheckBox*, bool> ticks[] = {{m_gear, d.gear}, {m_respawn, d.respawn}, {m_sounds, d.sounds},
                                                 {m_music, d.music}};
    for (auto [box, on] : ticks) box->setChecked(on);
    m_gearBox->setEnabled(d.gear);
    m_respawnBox->setEnabled(d.respawn);
    m_soundGroup.box->setEnabled(d.sounds);
    m_musicGroup.box->setEnabled(d.music);
    if (QAbstractButton* b = m_respawnType->button(d.respawnIndex)) b->setChecked(true);
    const int delay = m_delay->findText(Q(d.delay));
    if (delay >= 0) m_delay->setCurrentIndex(delay);
    for (GearSource source : kSources) Row(source).count->setText(QString::number(m_wizard.Count(source)));
    ShowLists();
}

void CDescriptionDlg::ShowLists() {
    const DescriptionData& d = m_wizard.Data();
    SetLines(m_weaponItems, d.weaponItems);
    SetLines(m_magazineItems, d.magazineItems);
    SetLines(m_soundGroup.list, d.soundFiles);
    SetLines(m_musicGroup.list, d.musicFiles);
}

std::optional<uint32_t> CDescriptionDlg::ReadCount(GearSource source) {
    QLineEdit* field = Row(source).count;
    const std::optional<uint32_t> n = ParseCrateCount(field->text().toStdString());
    if (!n) {
        theApp.GetPrompter().MessageBox(QStringLiteral("Please enter a count from 0 to 4294967295."),
                                        QStringLiteral("Description Wizard"), MbButtons::Ok, MbIcon::Warning);
        field->setFocus();
        field->selectAll();
        return std::nullopt;
    }
    m_wizard.SetCount(source, *n);
    return n;
}

void CDescriptionDlg::OnTick(QCheckBox* box, QGroupBox* group) {
    ReadControls();
    group->setEnabled(box->isChecked());
}

void CDescriptionDlg::OnAddGear(GearSource source) {
    ReadControls();
    if (!ReadCount(source)) return;
    if (m_wizard.AddGear(source, Row(source).list->currentIndex())) ShowLists();
}

void CDescriptionDlg::OnRemoveGear() {
    m_wizard.RemoveGear(SelectedRow(m_weaponItems), SelectedRow(m_magazineItems));
    ShowLists();
}

void CDescriptionDlg::OnBrowse(FileGroup& g) {
    const std::optional<QString> name =
        g.music ? AskFileName({QStringLiteral("Browse For Music File"), "Music Files (*.ogg)|*.ogg|", QStringLiteral("ogg"), {}, {}})
                : AskFileName({QStringLiteral("Browse For Sound File"), "Sound Files (*.ogg)|*.ogg|", QStringLiteral("ogg"), {}, {}});
    if (name) g.file->setText(*name);
}

void CDescriptionDlg::OnAddFile(FileGroup& g) {
    ReadControls();
    const std::string text = g.file->text().toStdString();
    if (text.empty()) return;
    if (g.music)
        m_wizard.AddMusic(text);
    else
        m_wizard.AddSound(text);
    g.file->clear();
    ShowLists();
    g.file->setFocus();
}

void CDescriptionDlg::OnRemoveFile(FileGroup& g) {
    const int row = SelectedRow(g.list);
    if (row >= 0) {
        if (g.music)
            m_wizard.RemoveMusic(row);
        else
            m_wizard.RemoveSound(row);
        ShowLists();
    }
    g.file->setFocus();
}

std::string CDescriptionDlg::BuildDescription() {
    ReadControls();
    return m_wizard.BuildDescription(theApp.m_version.toStdString());
}

void CDescriptionDlg::OnCreateInEditor() {
    if (m_editorAvailable == 0) return;
    CreateInEditor(DocKind::Description, BuildDescription(), QStringLiteral("Description"),
                   QStringLiteral("Error creating Description!"),
                   QStringLiteral("Description was created successfully."), QStringLiteral("Description Created"));
}

void CDescriptionDlg::OnCreateToDisk() {
    const std::string text = BuildDescription();
    const std::optional<QString> path =
        AskSavePath({QStringLiteral("Save Description"), "Description Files (*.ext)|*.ext||", QStringLiteral("ext"),
                     QStringLiteral("Description"), {}});
    if (!path) return;
    SaveGeneratedText(*path, text, QStringLiteral("Error saving description"),
                      QStringLiteral("Description file was created successfully."),
                      QStringLiteral("Description Saved"));
}

}  // namespace qm
