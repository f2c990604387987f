#include "ui/wizards/unitdlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>
#include <cstdlib>

#include "ui/app/quillmark.h"
#include "ui/menus/pictures.h"
#include "ui/wizards/nameedit.h"
#include "ui/wizards/wizardoutput.h"

namespace qm {

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }

QComboBox* MakeList(QWidget* parent, const char* objectName) {
    auto* list = new QComboBox(parent);
    list->setObjectName(objectName);
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(20);
    return list;
}

QLabel* MakeLabel(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}
}  // namespace

CUnitDlg::CUnitDlg(QWidget* parent) : CWizardDlg(parent) {
    setWindowTitle(QStringLiteral("Custom Unit Wizard"));
    setWindowIcon(PictureIcon(QStringLiteral("unit")));
    BuildLayout();
    Connect();
    ResetWizard();
}

QSpinBox* CUnitDlg::MakeCount(const char* objectName, int maximum) {
    auto* box = new QSpinBox(this);
    box->setObjectName(objectName);
    box->setRange(0, maximum);
    box->setAlignment(Qt::AlignRight);
    // Only the arrows change a count.
    if (auto* edit = box->findChild<QLineEdit*>()) edit->setReadOnly(true);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 40);
    return box;
}

void CUnitDlg::BuildLayout() {
    auto* weapons = new QGroupBox(QStringLiteral("Weapons"), this);
    m_primaryList = MakeList(weapons, "primaryWeapon");
    m_secondaryList = MakeList(weapons, "secondaryWeapon");
    m_handgunList = MakeList(weapons, "handgun");
    m_primaryCount = MakeCount("primaryMagazines", INT_MAX);
    m_launcherCount = MakeCount("launcherMagazines", INT_MAX);
    m_secondaryCount = MakeCount("secondaryAmmo", INT_MAX);
    m_handgunCount = MakeCount("handgunMagazines", UnitWizard::kMaxHandgunMagazines);
    m_primaryLabel = MakeLabel(QStringLiteral("Primary Weapon"), m_primaryList, weapons);
    m_secondaryLabel = MakeLabel(QStringLiteral("Secondary Weapon"), m_secondaryList, weapons);
    m_handgunLabel = MakeLabel(QStringLiteral("Handgun"), m_handgunList, weapons);
    m_primaryCountLabel = MakeLabel(QStringLiteral("Magazines"), m_primaryCount, weapons);
    m_primaryCountLabel->setObjectName("primaryMagazinesLabel");
    m_launcherCountLabel = MakeLabel(QStringLiteral("GrenadeLauncher"), m_launcherCount, weapons);
    m_launcherCountLabel->setObjectName("launcherMagazinesLabel");
    m_secondaryCountLabel = MakeLabel(QStringLiteral("Ammo"), m_secondaryCount, weapons);
    m_handgunCountLabel = MakeLabel(QStringLiteral("Magazines"), m_handgunCount, weapons);

    auto* wg = new QGridLayout(weapons);
    wg->addWidget(m_primaryLabel, 0, 0);
    wg->addWidget(m_primaryCountLabel, 0, 1);
    wg->addWidget(m_launcherCountLabel, 0, 2);
    wg->addWidget(m_primaryList, 1, 0);
    wg->addWidget(m_primaryCount, 1, 1);
    wg->addWidget(m_launcherCount, 1, 2);
    wg->addWidget(m_secondaryLabel, 2, 0);
    wg->addWidget(m_secondaryCountLabel, 2, 1);
    wg->addWidget(m_secondaryList, 3, 0);
    wg->addWidget(m_secondaryCount, 3, 1);
    wg->addWidget(m_handgunLabel, 4, 0);
    wg->addWidget(m_handgunCountLabel, 4, 1);
    wg->addWidget(m_handgunList, 5, 0);
    wg->addWidget(m_handgunCount, 5, 1);
    wg->setColumnStretch(0, 1);
    // Room for magazine class names over the counts without the dialog jumping.
    const int countColumn = fontMetrics().horizontalAdvance(QStringLiteral("GrenadeLauncherXX"));
    wg->setColumnMinimumWidth(1, countColumn);
    wg->setColumnMinimumWidth(2, countColumn);

    auto* equipment = new QGroupBox(QStringLiteral("Equipment"), this);
    m_equipmentList = new QListWidget(equipment);
    m_equipmentList->setObjectName("equipment");
    m_addOne = new QPushButton(QStringLiteral("(+) Add One"), equipment);
    m_removeOne = new QPushButton(QStringLiteral("(-) Remove One"), equipment);
    m_binoculars = new QCheckBox(QStringLiteral("Binoculars"), equipment);
    m_nvGoggles = new QCheckBox(QStringLiteral("NVGoggles"), equipment);
    auto* eg = new QGridLayout(equipment);
    eg->addWidget(m_equipmentList, 0, 0, 6, 1);
    eg->addWidget(m_addOne, 0, 1);
    eg->addWidget(m_removeOne, 1, 1);
    eg->addWidget(new QLabel(QStringLiteral("Also Available"), equipment), 3, 1);
    eg->addWidget(m_binoculars, 4, 1);
    eg->addWidget(m_nvGoggles, 5, 1);
    eg->setRowStretch(2, 1);
    eg->setColumnStretch(0, 1);

    auto* info = new QGroupBox(QStringLiteral("Unit Information"), this);
    m_name = new CNameEdit(info);
    m_name->setObjectName("name");
    m_capacityLabel = new QLabel(QStringLiteral("Unit Capacity (x/10)"), info);
    m_capacityBar = new QProgressBar(info);
    m_capacityBar->setObjectName("capacity");
    m_capacityBar->setTextVisible(false);
    m_sniper = new QCheckBox(QStringLiteral("Sniper Unit"), info);
    m_removeGear = new QCheckBox(QStringLiteral("Remove Unit Gear"), info);
    auto* ig = new QVBoxLayout(info);
    ig->addWidget(MakeLabel(QStringLiteral("Unit / File Name"), m_name, info));
    ig->addWidget(m_name);
    ig->addSpacing(6);
    ig->addWidget(m_capacityLabel);
    ig->addWidget(m_capacityBar);
    ig->addSpacing(6);
    ig->addWidget(new QLabel(QStringLiteral("Cargo Settings"), info));
    ig->addWidget(m_sniper);
    ig->addWidget(m_removeGear);

    m_warning = new QLabel(QStringLiteral("OVERLOADED !\nUnit will not work properly."), this);
    m_warning->setObjectName("warning");
    m_warning->setAlignment(Qt::AlignCenter);
    QPalette red = m_warning->palette();
    red.setColor(QPalette::WindowText, QColor(255, 0, 0));
    m_warning->setPalette(red);
    QSizePolicy keepPlace = m_warning->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);  // showing it must not move the buttons
    m_warning->setSizePolicy(keepPlace);
    m_warning->hide();

    m_createInEditor = new QPushButton(QStringLiteral("&Create In Editor"), this);
    m_createToDisk = new QPushButton(QStringLiteral("Create To &Disk..."), this);
    m_reset = new QPushButton(QStringLiteral("&Reset"), this);

    auto* left = new QVBoxLayout;
    left->addWidget(weapons);
    left->addWidget(equipment, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(m_warning);
    right->addWidget(m_createInEditor);
    right->addWidget(m_createToDisk);
    right->addWidget(m_reset);
    right->addStretch(1);
    right->addWidget(info);
    auto* top = new QHBoxLayout(this);
    top->addLayout(left, 1);
    top->addLayout(right);
}

void CUnitDlg::Connect() {
    const auto selected = qOverload<int>(&QComboBox::currentIndexChanged);
    connect(m_primaryList, selected, this, [this](int i) {
        m_wizard.SelectPrimary(i);
        ShowState();
    });
    connect(m_secondaryList, selected, this, [this](int i) {
        m_wizard.SelectSecondary(i);
        ShowState();
    });
    connect(m_handgunList, selected, this, [this](int i) {
        m_wizard.SelectHandgun(i);
        ShowState();
    });
    const std::pair<UnitCount, QSpinBox*> counts[] = {{UnitCount::Primary, m_primaryCount},
                                                      {UnitCount::Launcher, m_launcherCount},
                                                      {UnitCount::Secondary, m_secondaryCount},
                                                      {UnitCount::Handgun, m_handgunCount}};
    for (const auto& [which, box] : counts) {
        const UnitCount w = which;
        QSpinBox* b = box;
        connect(b, &QSpinBox::valueChanged, this, [this, w, b](int value) { OnCountChanged(w, b, value); });
    }

    const auto addOne = [this](int row) {
        if (m_wizard.AddOne(row)) ShowState();
    };
    connect(m_addOne, &QPushButton::clicked, this, [this, addOne] { addOne(m_equipmentList->currentRow()); });
    connect(m_equipmentList, &QListWidget::itemDoubleClicked, this,
            [this, addOne](QListWidgetItem* item) { addOne(m_equipmentList->row(item)); });
    connect(m_removeOne, &QPushButton::clicked, this, [this] {
        if (m_wizard.RemoveOne(m_equipmentList->currentRow())) ShowState();
    });

    connect(m_binoculars, &QCheckBox::toggled, this, [this](bool on) { m_wizard.SetBinoculars(on); });
    connect(m_nvGoggles, &QCheckBox::toggled, this, [this](bool on) { m_wizard.SetNVGoggles(on); });
    connect(m_sniper, &QCheckBox::toggled, this, [this](bool on) {
        m_wizard.SetSniper(on);
        ShowState();
    });
    connect(m_removeGear, &QCheckBox::toggled, this, [this](bool on) {
        m_wizard.SetRemoveGear(on);
        ShowState();
    });
    connect(m_name, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_wizard.SetName(text.toStdString());
        UpdateCreateButtons();
    });

    connect(m_createInEditor, &QPushButton::clicked, this, &CUnitDlg::OnCreateInEditor);
    connect(m_createToDisk, &QPushButton::clicked, this, &CUnitDlg::OnCreateToDisk);
    connect(m_reset, &QPushButton::clicked, this, &CUnitDlg::ResetWizard);
}

void CUnitDlg::OnCountChanged(UnitCount which, QSpinBox* box, int value) {
    m_wizard.StepCount(which, value - m_wizard.Count(which));
    if (box->value() != m_wizard.Count(which)) ShowState();
    else UpdateCapacity();
}

void CUnitDlg::ResetWizard() {
    m_wizard.ResetWizard(theApp.m_catalogue.m_unitData, theApp.m_expansionEdition == 1, std::rand());
    const UnitTables& t = m_wizard.Tables();
    const auto fill = [](QComboBox* list, const StringList& names) {
        QSignalBlocker block(list);
        list->clear();
        for (const auto& n : names) list->addItem(Q(n));
    };
    fill(m_primaryList, t.primary.names);
    fill(m_secondaryList, t.secondary.names);
    fill(m_handgunList, t.handguns.names);
    {
        QSignalBlocker block(m_equipmentList);
        m_equipmentList->clear();
    }
    ShowState();
    if (m_equipmentList->count() > 0) m_equipmentList->setCurrentRow(0);
}

void CUnitDlg::ShowEquipment() {
    QSignalBlocker block(m_equipmentList);
    const StringList lines = m_wizard.EquipmentLines();
    const auto& counts = m_wizard.Loadout().equipmentCounts;
    if (m_equipmentList->count() != static_cast<int>(lines.size())) {
        m_equipmentList->clear();
        for (const auto& l : lines) m_equipmentList->addItem(Q(l));
    }
    // Lines are rewritten in place, so the selected one stays selected.
    for (int i = 0; i < m_equipmentList->count(); ++i) {
        QListWidgetItem* item = m_equipmentList->item(i);
        item->setText(Q(lines[i]));
        item->setData(Qt::UserRole, i < static_cast<int>(counts.size()) ? counts[i] : 0);
    }
}

void CUnitDlg::ShowState() {
    const UnitLoadout& u = m_wizard.Loadout();
    const auto showList = [](QComboBox* list, QLabel* label, int index, bool enabled) {
        QSignalBlocker block(list);
        list->setCurrentIndex(index);
        list->setEnabled(enabled);
        label->setEnabled(enabled);
    };
    showList(m_primaryList, m_primaryLabel, u.primary, true);
    showList(m_secondaryList, m_secondaryLabel, u.secondary, m_wizard.SecondaryListEnabled());
    showList(m_handgunList, m_handgunLabel, u.handgun, m_wizard.HandgunListEnabled());

    const auto showCount = [](QSpinBox* box, QLabel* label, int value, bool enabled) {
        QSignalBlocker block(box);
        box->setValue(value);
        box->setEnabled(enabled);
        label->setEnabled(enabled);
    };
    showCount(m_primaryCount, m_primaryCountLabel, u.primaryMagazines, m_wizard.PrimaryCountEnabled());
    showCount(m_launcherCount, m_launcherCountLabel, u.launcherMagazines, m_wizard.LauncherEnabled());
    showCount(m_secondaryCount, m_secondaryCountLabel, u.secondaryAmmo, m_wizard.SecondaryCountEnabled());
    showCount(m_handgunCount, m_handgunCountLabel, u.handgunMagazines, m_wizard.HandgunCountEnabled());
    m_primaryCountLabel->setText(Q(m_wizard.PrimaryMagazineLabel()));
    m_launcherCountLabel->setText(Q(m_wizard.LauncherLabel()));

    ShowEquipment();
    for (auto [box, on] : {std::pair{m_binoculars, u.binoculars}, std::pair{m_nvGoggles, u.nvGoggles},
                           std::pair{m_sniper, u.sniper}, std::pair{m_removeGear, u.removeGear}}) {
        QSignalBlocker block(box);
        box->setChecked(on);
    }
    if (m_name->text() != Q(u.name)) {
        QSignalBlocker block(m_name);
        m_name->setText(Q(u.name));
    }
    UpdateCapacity();
    UpdateCreateButtons();
}

void CUnitDlg::UpdateCapacity() {
    const int maximum = m_wizard.Maximum();
    const int64_t used = m_wizard.Used();
    m_capacityBar->setRange(0, maximum);
    m_capacityBar->setValue(static_cast<int>(std::min<int64_t>(used, maximum)));
    m_warning->setVisible(m_wizard.Overloaded());
    m_capacityLabel->setText(Q(m_wizard.CapacityText()));
}

void CUnitDlg::UpdateCreateButtons() {
    m_createInEditor->setEnabled(m_wizard.CanCreateInEditor(m_editorAvailable != 0));
    m_createToDisk->setEnabled(m_wizard.CanCreateToDisk());
}

void CUnitDlg::UpdateEditorAvailable() { UpdateCreateButtons(); }

std::string CUnitDlg::BuildUnitScript() {
    m_wizard.SetName(m_name->text().toStdString());
    return m_wizard.BuildUnitScript(theApp.m_version.toStdString());
}

void CUnitDlg::OnCreateInEditor() {
    if (!m_wizard.CanCreateInEditor(m_editorAvailable != 0)) return;
    const std::string text = BuildUnitScript();
    CreateScriptInEditor(text, m_name->text(), QStringLiteral("Error creating script."),
                         QStringLiteral("Script was created successfully."));
}

void CUnitDlg::OnCreateToDisk() {
    if (!m_wizard.CanCreateToDisk()) return;
    const std::optional<QString> path = AskScriptPath(QStringLiteral("Save Unit Script"), m_name->text());
    if (!path) return;
    SaveScriptNamedByFile(*m_name, *path, [this] { return BuildUnitScript(); }, QStringLiteral("Error saving script."),
                          QStringLiteral("Script was created successfully."));
}

}  // namespace qm
