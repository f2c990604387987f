#include "ui/options/proppage3.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/options/settingstable.h"
#include "ui/app/quillmark.h"

namespace qm {

CPropPage3::CPropPage3(QWidget* parent) : QWidget(parent) {
    auto* page = new QVBoxLayout(this);
    auto* run = new QGroupBox(QStringLiteral("RUN Varnholt"), this);
    auto* runLayout = new QVBoxLayout(run);
    m_nosplashBox = new QCheckBox(QStringLiteral("-nosplash  (w/o the splash screen)"), run);
    m_windowBox = new QCheckBox(QStringLiteral("-window  (in window mode)"), run);
    runLayout->addWidget(m_nosplashBox);
    runLayout->addWidget(m_windowBox);
    page->addWidget(run);
    auto field = [this, page](const char* caption) {
        page->addWidget(new QLabel(QString::fromLatin1(caption), this));
        auto* edit = new QLineEdit(this);
        page->addWidget(edit);
        return edit;
    };
    m_snippetEdit = field("Snippets Directory");
    m_backupEdit = field("Backup Directory");
    m_comRefEdit = field("Command Reference Manual Location");
    auto* warning = new QLabel(QStringLiteral("WARNING: Changing these directories can effect the way this application "
                                              "operates. You will need to restart the application for directory "
                                              "changes to take effect."),
                               this);
    warning->setWordWrap(true);
    page->addWidget(warning);
    page->addStretch();
    m_defaultsButton = new QPushButton(QStringLiteral("Restore &Defaults"), this);
    page->addWidget(m_defaultsButton, 0, Qt::AlignRight);
    connect(m_defaultsButton, &QPushButton::clicked, this, &CPropPage3::OnRestoreDefaults);
}

void CPropPage3::ShowValues() {
    m_nosplashBox->setChecked(m_nosplash == 1);
    m_windowBox->setChecked(m_window == 1);
    m_snippetEdit->setText(m_snippetDir);
    m_backupEdit->setText(m_backupDir);
    m_comRefEdit->setText(m_comRefDir);
}

void CPropPage3::ReadValues() {
    m_nosplash = m_nosplashBox->isChecked() ? 1 : 0;
    m_window = m_windowBox->isChecked() ? 1 : 0;
    m_snippetDir = m_snippetEdit->text();
    m_backupDir = m_backupEdit->text();
    m_comRefDir = m_comRefEdit->text();
}

void CPropPage3::OnRestoreDefaults() {
    m_snippetDir = QString::fromStdString(theApp.GetDataPath(PATH_SNIPPETS));
    m_backupDir = QString::fromStdString(theApp.GetDataPath(PATH_BACKUP));
    m_comRefDir = QString::fromStdString(theApp.GetDataPath(PATH_COMREF));
    m_nosplash = DefaultInt(*FindSetting("Nosplash"), {});
    m_window = DefaultInt(*FindSetting("Window"), {});
    ShowValues();
}

}  // namespace qm
