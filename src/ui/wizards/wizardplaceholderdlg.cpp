#include "ui/wizards/wizardplaceholderdlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qm {

CWizardPlaceholderDlg::CWizardPlaceholderDlg(const QString& caption, QWidget* parent) : CWizardDlg(parent) {
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("The %1 is not available in this version yet.").arg(caption), this));
    auto* row = new QHBoxLayout;
    m_createInEditor = new QPushButton(QStringLiteral("&Create In Editor"), this);
    m_createInEditor->setEnabled(false);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    row->addStretch();
    row->addWidget(m_createInEditor);
    row->addWidget(close);
    layout->addLayout(row);
}

void CWizardPlaceholderDlg::UpdateEditorAvailable() {
    // Nothing to create yet, in the editor or elsewhere.
    m_createInEditor->setEnabled(false);
}

}  // namespace qm
