#include "ui/wizards/overviewdlg.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/app/quillmark.h"
#include "ui/menus/pictures.h"
#include "ui/wizards/multilinefield.h"
#include "ui/wizards/wizardoutput.h"

namespace qm {

COverviewDlg::COverviewDlg(QWidget* parent) : CWizardDlg(parent) {
    setWindowTitle(QStringLiteral("Overview Wizard"));
    setWindowIcon(PictureIcon(QStringLiteral("overview")));

    m_title = new QLineEdit(this);
    m_title->setObjectName("title");
    m_overview = new CMultiLineField(this);
    m_overview->setObjectName("overview");
    m_picture = new QLineEdit(this);
    m_picture->setObjectName("picture");
    m_browse = new QPushButton(QStringLiteral("&Browse..."), this);
    m_createInEditor = new QPushButton(QStringLiteral("Create In &Editor"), this);
    m_createToDisk = new QPushButton(QStringLiteral("Create To &Disk..."), this);
    m_createToDisk->setDefault(true);

    auto label = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    auto* top = new QVBoxLayout(this);
    top->addWidget(label(QStringLiteral("Mission Title"), m_title));
    top->addWidget(m_title);
    top->addWidget(label(QStringLiteral("Mission Overview"), m_overview));
    top->addWidget(m_overview, 1);
    top->addWidget(label(QStringLiteral("Picture File (.JPG 256 x 128)"), m_picture));
    auto* picture = new QHBoxLayout;
    picture->addWidget(m_picture, 1);
    picture->addWidget(m_browse);
    top->addLayout(picture);
    top->addSpacing(6);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_createInEditor);
    buttons->addWidget(m_createToDisk);
    top->addLayout(buttons);
    m_title->setMinimumWidth(m_title->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 48);
    m_overview->setMinimumHeight(m_overview->fontMetrics().lineSpacing() * 8);

    // Showing the wizard gives it the focus: typing goes into the title, as in a dialog.
    setFocusProxy(m_title);

    connect(m_browse, &QPushButton::clicked, this, &COverviewDlg::OnBrowse);
    connect(m_createInEditor, &QPushButton::clicked, this, &COverviewDlg::OnCreateInEditor);
    connect(m_createToDisk, &QPushButton::clicked, this, &COverviewDlg::OnCreateToDisk);
    UpdateEditorAvailable();
}

void COverviewDlg::UpdateEditorAvailable() { m_createInEditor->setEnabled(m_editorAvailable != 0); }

void COverviewDlg::ReadControls() {
    m_data.title = m_title->text().toStdString();
    m_data.overview = m_overview->toPlainText().toStdString();
    m_data.picture = m_picture->text().toStdString();
}

std::string COverviewDlg::BuildOverview() {
    ReadControls();
    return qm::BuildOverview(m_data, theApp.m_version.toStdString());
}

void COverviewDlg::OnBrowse() {
    const std::optional<QString> name = AskFileName(
        {QStringLiteral("Find JPEG"), "JPEG Picture Files (*.jpeg, *.jpg)|*.jpeg;*.jpg||", QStringLiteral("jpeg"), {}, {}});
    if (name) m_picture->setText(*name);
}

void COverviewDlg::OnCreateInEditor() {
    if (m_editorAvailable == 0) return;
    CreateInEditor(DocKind::Briefing, BuildOverview(), QStringLiteral("Overview"),
                   QStringLiteral("Error creating Overview!"), QStringLiteral("Overview was created successfully."),
                   QStringLiteral("Overview Created"));
}

void COverviewDlg::OnCreateToDisk() {
    const std::string page = BuildOverview();
    const std::optional<QString> path = AskSavePath(
        {QStringLiteral("Save Overview"), "Overview Files (*.html)|*.html||", QStringLiteral("html"),
         QStringLiteral("Overview"), {}});
    if (!path) return;
    SaveGeneratedText(*path, page, QStringLiteral("Error saving script"), QStringLiteral("Overview was created successfully."),
                      QStringLiteral("Overview Saved"));
}

void COverviewDlg::keyPressEvent(QKeyEvent* event) {
    // Enter saves to disk, from any field; the wizard stays open. A focused button takes Enter first.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        OnCreateToDisk();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace qm
