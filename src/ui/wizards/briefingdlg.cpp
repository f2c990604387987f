#include "ui/wizards/briefingdlg.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "core/doc/textfile.h"
#include "core/wizards/briefingpage.h"
#include "core/wizards/briefingreader.h"
#include "ui/app/prompter.h"
#include "ui/app/quillmark.h"
#include "ui/frames/mainfrm.h"
#include "ui/menus/pictures.h"
#include "ui/wizards/wizardoutput.h"

namespace qm {

namespace {
// The fields hold the page's "\r\n" line breaks; the edits show "\n".
std::string FromEdit(const QString& text) {
    QString t = text;
    t.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return t.toStdString();
}

QString ToEdit(const std::string& text) {
    QString t = QString::fromStdString(text);
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return t;
}

QPlainTextEdit* MakeEdit(QWidget* parent, const QString& objectName, int lines) {
    auto* edit = new QPlainTextEdit(parent);
    edit->setObjectName(objectName);
    edit->setTabChangesFocus(true);
    const int lineHeight = edit->fontMetrics().lineSpacing();
    edit->setMinimumHeight(lines * lineHeight + 2 * edit->frameWidth() + 8);
    return edit;
}

void SetText(QPlainTextEdit* edit, const std::string& text) {
    const QString t = ToEdit(text);
    if (edit->toPlainText() != t) edit->setPlainText(t);
}

const QString kFileError = QStringLiteral("FILE ERROR");
}  // namespace

CBriefingDlg::CBriefingDlg(QWidget* parent) : CWizardDlg(parent) {
    setWindowTitle(QStringLiteral("Briefing Wizard"));
    setWindowIcon(PictureIcon(QStringLiteral("briefing")));
    BuildLayout();
    Connect();
    m_wizard.ResetBriefing();
    UpdateEditorAvailable();
    RefreshBriefingView();
}

void CBriefingDlg::BuildLayout() {
    m_planGroup = new QGroupBox(QStringLiteral("Plan"), this);
    m_plan = MakeEdit(m_planGroup, QStringLiteral("plan"), 6);
    (new QVBoxLayout(m_planGroup))->addWidget(m_plan);

    m_notesGroup = new QGroupBox(QStringLiteral("Notes"), this);
    m_notes = MakeEdit(m_notesGroup, QStringLiteral("notes"), 6);
    (new QVBoxLayout(m_notesGroup))->addWidget(m_notes);

    m_objectivesGroup = new QGroupBox(QStringLiteral("Objectives"), this);
    auto* og = new QGridLayout(m_objectivesGroup);
    og->setVerticalSpacing(3);
    og->addWidget(new QLabel(QStringLiteral("Hide"), m_objectivesGroup), 0, 2, Qt::AlignHCenter);
    for (int i = 0; i < kBriefingObjectives; ++i) {
        m_objectives[i] = MakeEdit(m_objectivesGroup, QStringLiteral("objective%1").arg(i + 1), 2);
        m_hide[i] = new QCheckBox(m_objectivesGroup);
        m_hide[i]->setObjectName(QStringLiteral("hide%1").arg(i + 1));
        auto* number = new QLabel(QString::number(i + 1), m_objectivesGroup);
        number->setBuddy(m_objectives[i]);
        og->addWidget(number, i + 1, 0, Qt::AlignTop | Qt::AlignRight);
        og->addWidget(m_objectives[i], i + 1, 1);
        og->addWidget(m_hide[i], i + 1, 2, Qt::AlignHCenter | Qt::AlignTop);
    }
    og->setColumnStretch(1, 1);

    m_endingsGroup = new QGroupBox(QStringLiteral("Endings"), this);
    auto* eg = new QVBoxLayout(m_endingsGroup);
    for (int i = 0; i < kBriefingEndings; ++i) {
        m_endingTitles[i] = new QLineEdit(m_endingsGroup);
        m_endingTitles[i]->setObjectName(QStringLiteral("endingTitle%1").arg(i + 1));
        m_endingTexts[i] = MakeEdit(m_endingsGroup, QStringLiteral("endingText%1").arg(i + 1), 3);
        auto* label = new QLabel(QStringLiteral("End #%1 (title/text)").arg(i + 1), m_endingsGroup);
        label->setBuddy(m_endingTitles[i]);
        if (i > 0) eg->addSpacing(4);
        eg->addWidget(label);
        eg->addWidget(m_endingTitles[i]);
        eg->addWidget(m_endingTexts[i], 1);
    }

    auto* links = new QGroupBox(QStringLiteral("Map Hyperlinks"), this);
    m_markerName = new QLineEdit(links);
    m_markerName->setObjectName(QStringLiteral("markerName"));
    m_insertHyperlink = new QPushButton(QStringLiteral("&Insert Hyperlink"), links);
    m_insertHyperlink->setEnabled(false);
    m_insertHyperlink->setAutoDefault(false);
    auto* help = new QLabel(QStringLiteral("Add map hyperlinks to the plan, notes, and objectives.\n"
                                           "1. Add marker name\n2. Drag over desired text\n3. Insert hyperlink"),
                            links);
    auto* lg = new QGridLayout(links);
    auto* markerLabel = new QLabel(QStringLiteral("Marker Name"), links);
    markerLabel->setBuddy(m_markerName);
    lg->addWidget(markerLabel, 0, 0);
    lg->addWidget(m_markerName, 1, 0);
    lg->addWidget(m_insertHyperlink, 1, 1);
    lg->addWidget(help, 2, 0, 1, 2);
    lg->setColumnStretch(0, 1);

    auto* sides = new QGroupBox(QStringLiteral("Multi-Sided Briefings"), this);
    m_multiSided = new QCheckBox(QStringLiteral("Create for Multiple Sides"), sides);
    m_sideGroup = new QButtonGroup(this);
    auto* sg = new QVBoxLayout(sides);
    sg->addWidget(m_multiSided);
    for (int s = 0; s < kBriefingSides; ++s) {
        m_sideButtons[s] = new QRadioButton(QStringLiteral("Edit %1").arg(QLatin1String(SideName(s))), sides);
        m_sideGroup->addButton(m_sideButtons[s], s);
        sg->addWidget(m_sideButtons[s]);
    }
    sg->addStretch(1);

    m_createInEditor = new QPushButton(QStringLiteral("&Create In Editor"), this);
    m_createToDisk = new QPushButton(QStringLiteral("Create To &Disk..."), this);
    m_openExisting = new QPushButton(QStringLiteral("&Open Existing Briefing"), this);
    m_reset = new QPushButton(QStringLiteral("&Reset Briefing"), this);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {m_createInEditor, m_createToDisk, m_openExisting, m_reset}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->addStretch(1);

    auto* left = new QVBoxLayout;
    left->addWidget(m_planGroup, 1);
    left->addWidget(m_notesGroup, 1);
    auto* top = new QHBoxLayout;
    top->addLayout(left, 5);
    top->addWidget(m_objectivesGroup, 5);
    top->addWidget(m_endingsGroup, 4);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(links, 3);
    bottom->addWidget(sides, 2);
    bottom->addLayout(buttons, 2);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top, 1);
    all->addLayout(bottom);
    resize(760, 580);
}

void CBriefingDlg::Connect() {
    connect(m_reset, &QPushButton::clicked, this, &CBriefingDlg::OnResetBriefing);
    connect(m_createInEditor, &QPushButton::clicked, this, &CBriefingDlg::OnCreateInEditor);
    connect(m_createToDisk, &QPushButton::clicked, this, &CBriefingDlg::OnCreateToDisk);
    connect(m_openExisting, &QPushButton::clicked, this, [this] { OpenBriefing(QString()); });
    connect(m_insertHyperlink, &QPushButton::clicked, this, &CBriefingDlg::OnInsertHyperlink);
    connect(m_multiSided, &QCheckBox::clicked, this, &CBriefingDlg::OnMultiSided);
    connect(m_sideGroup, &QButtonGroup::idClicked, this, &CBriefingDlg::OnSide);
    connect(qApp, &QApplication::focusChanged, this, &CBriefingDlg::OnFocusChanged);
}

CBriefingDlg::~CBriefingDlg() {
    // The fields die after this body, each a focus change the application reports; the handler
    // would then run on a dialog that is no longer one.
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
}

void CBriefingDlg::UpdateEditorAvailable() { m_createInEditor->setEnabled(m_editorAvailable != 0); }

void CBriefingDlg::ReadControls() {
    SideBriefing& f = m_wizard.m_fields;
    f.plan = FromEdit(m_plan->toPlainText());
    f.notes = FromEdit(m_notes->toPlainText());
    for (int i = 0; i < kBriefingObjectives; ++i) {
        f.objectives[i] = FromEdit(m_objectives[i]->toPlainText());
        f.hidden[i] = m_hide[i]->isChecked();
    }
    for (int i = 0; i < kBriefingEndings; ++i) {
        f.endingTitles[i] = m_endingTitles[i]->text().toStdString();
        f.endingTexts[i] = FromEdit(m_endingTexts[i]->toPlainText());
    }
    m_wizard.m_markerName = m_markerName->text().toStdString();
}

void CBriefingDlg::ShowFields() {
    const SideBriefing& f = m_wizard.m_fields;
    SetText(m_plan, f.plan);
    SetText(m_notes, f.notes);
    for (int i = 0; i < kBriefingObjectives; ++i) {
        SetText(m_objectives[i], f.objectives[i]);
        m_hide[i]->setChecked(f.hidden[i]);
    }
    for (int i = 0; i < kBriefingEndings; ++i) {
        m_endingTitles[i]->setText(QString::fromStdString(f.endingTitles[i]));
        SetText(m_endingTexts[i], f.endingTexts[i]);
    }
    m_markerName->setText(QString::fromStdString(m_wizard.m_markerName));
    QSignalBlocker blockCheck(m_multiSided);
    m_multiSided->setChecked(m_wizard.m_multiSided);
    m_sideButtons[m_wizard.m_sideChoice]->setChecked(true);
}

void CBriefingDlg::ShowCaptions() {
    m_planGroup->setTitle(QString::fromStdString(m_wizard.GroupCaption(BriefingGroup::Plan)));
    m_notesGroup->setTitle(QString::fromStdString(m_wizard.GroupCaption(BriefingGroup::Notes)));
    m_objectivesGroup->setTitle(QString::fromStdString(m_wizard.GroupCaption(BriefingGroup::Objectives)));
    m_endingsGroup->setTitle(QString::fromStdString(m_wizard.GroupCaption(BriefingGroup::Endings)));
    for (QRadioButton* b : m_sideButtons) b->setEnabled(m_wizard.m_multiSided);
}

void CBriefingDlg::RefreshBriefingView() {
    m_wizard.StoreSide();
    ShowFields();
    ShowCaptions();
}

void CBriefingDlg::OnResetBriefing() {
    m_wizard.ResetBriefing();
    RefreshBriefingView();
    m_plan->setFocus();
}

void CBriefingDlg::OnMultiSided() {
    ReadControls();
    m_wizard.SetMultiSided(m_multiSided->isChecked());
    RefreshBriefingView();
}

void CBriefingDlg::OnSide(int side) {
    ReadControls();
    m_wizard.ChooseSide(side);
    RefreshBriefingView();
}

bool CBriefingDlg::IsHyperlinkField(QWidget* w) const {
    if (!w) return false;
    if (w == m_plan || w == m_notes) return true;
    return std::find(m_objectives.begin(), m_objectives.end(), w) != m_objectives.end();
}

void CBriefingDlg::OnFocusChanged(QWidget* old, QWidget* now) {
    if (IsHyperlinkField(old)) {
        if (now && now == m_insertHyperlink) {
            m_lastTextField = static_cast<QPlainTextEdit*>(old);
        } else {
            m_lastTextField = nullptr;
            m_insertHyperlink->setEnabled(false);
        }
    }
    if (IsHyperlinkField(now)) m_insertHyperlink->setEnabled(!m_markerName->text().isEmpty());
}

void CBriefingDlg::OnInsertHyperlink() {
    ReadControls();
    QPlainTextEdit* field = m_lastTextField;
    if (!field) return;
    const QTextCursor cursor = field->textCursor();
    const HyperlinkEdit edit =
        InsertHyperlink(field->toPlainText().toStdU16String(), cursor.selectionStart(), cursor.selectionEnd(),
                        m_markerName->text().toStdU16String());
    if (!edit.changed) return;
    field->setPlainText(QString::fromStdU16String(edit.text));
    QTextCursor after(field->document());
    after.setPosition(edit.caret);
    field->setTextCursor(after);
    field->setFocus();
}

void CBriefingDlg::OpenBriefing(const QString& text) {
    if (!text.isEmpty()) {
        OnResetBriefing();
        ParseBriefing(text);
        return;
    }
    FileDialogRequest request{QStringLiteral("Open"), "Briefing Files (*.html)|*.html||", QStringLiteral("html"),
                              {}, {}};
    const std::optional<QString> path = theApp.GetPrompter().GetOpenFileName(request);
    if (!path) return;
    std::string page;
    if (!LoadTextFile(path->toStdString(), page).result.ok) return;  // ignored, as it always was
    OnResetBriefing();
    std::erase(page, '\n');  // the file's lines joined with nothing between them
    ParseBriefing(QString::fromStdString(page));
}

void CBriefingDlg::ParseBriefing(const QString& text) {
    const ParsedBriefing parsed = qm::ParseBriefing(text.toStdString());
    if (!parsed.ok) {
        theApp.GetPrompter().MessageBox(QString::fromLatin1(kBriefingReadError), kFileError, MbButtons::Ok,
                                        MbIcon::None);
        return;
    }
    m_wizard.TakeReadBack(parsed.multiSided, parsed.sides);
    RefreshBriefingView();
}

void CBriefingDlg::OnCreateInEditor() {
    if (m_editorAvailable == 0) return;
    ReadControls();
    const BriefingWizard::Output out = m_wizard.BuildForOutput(theApp.m_version.toStdString());
    const QString failed = QStringLiteral("Error creating file(s).");
    if (out.init.empty()) {
        CreateInEditor(DocKind::Briefing, out.page, QStringLiteral("Briefing"), failed,
                       QStringLiteral("Briefing was created successfully."), QStringLiteral("Briefing Created"));
        return;
    }
    // The page and its Init script: the script is made only when the page was.
    Prompter& prompter = theApp.GetPrompter();
    CMainFrame* frame = theApp.GetMainFrame();
    const QString page = QString::fromStdString(out.page), init = QString::fromStdString(out.init);
    if (frame && frame->CreateDocumentWithText(DocKind::Briefing, page, QStringLiteral("Briefing")) &&
        frame->CreateDocumentWithText(DocKind::Script, init, QStringLiteral("Init")))
        prompter.MessageBox(QStringLiteral("Files were created successfully."), QStringLiteral("Files Created"),
                            MbButtons::Ok, MbIcon::None);
    else prompter.MessageBox(failed, kFileError, MbButtons::Ok, MbIcon::None);
}

void CBriefingDlg::OnCreateToDisk() {
    ReadControls();
    const BriefingWizard::Output out = m_wizard.BuildForOutput(theApp.m_version.toStdString());
    const FileDialogRequest request{QStringLiteral("Save Briefing"), "Briefing Files (*.html)|*.html||",
                                    QStringLiteral("html"), QStringLiteral("Briefing"), {}};
    if (const std::optional<QString> path = AskSavePath(request)) {
        if (!SaveGeneratedText(*path, out.page, QStringLiteral("Error saving briefing"),
                               QStringLiteral("Briefing was saved successfully."), QStringLiteral("Briefing Saved")))
            return;
    }
    if (out.init.empty()) return;
    const std::optional<QString> path = AskScriptPath(QStringLiteral("Save Script"), QStringLiteral("Init"));
    if (!path) return;
    SaveScriptFile(*path, out.init, QStringLiteral("Error saving script"), QStringLiteral("Script was saved successfully."));
}

}  // namespace qm
