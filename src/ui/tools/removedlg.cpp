#include "ui/tools/removedlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "core/tools/quickscripts.h"

namespace qm {

CRemoveDlg::CRemoveDlg(const QString& scriptsFolder, QWidget* parent) : QDialog(parent), m_folder(scriptsFolder) {
    setWindowTitle(QStringLiteral("Remove Quick Scripts"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* grid = new QGridLayout(this);
    auto* label = new QLabel(QStringLiteral("Quick Scripts"), this);
    m_list = new QListWidget(this);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSortingEnabled(true);
    m_remove = new QPushButton(QStringLiteral("&Remove"), this);
    m_close = new QPushButton(QStringLiteral("&Close"), this);
    m_remove->setEnabled(false);
    m_close->setDefault(true);
    label->setBuddy(m_list);
    grid->addWidget(label, 0, 0);
    grid->addWidget(m_list, 1, 0, 3, 1);
    grid->addWidget(m_remove, 1, 1);
    grid->addWidget(m_close, 2, 1);
    grid->setRowStretch(3, 1);
    m_list->setMinimumSize(200, 160);

    for (const std::string& name : AllQuickScriptFiles(m_folder.toStdString()))
        m_list->addItem(QString::fromStdString(name));
    connect(m_list, &QListWidget::itemSelectionChanged, this,
            [this] { m_remove->setEnabled(!m_list->selectedItems().isEmpty()); });
    connect(m_remove, &QPushButton::clicked, this, &CRemoveDlg::OnRemove);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
}

void CRemoveDlg::OnRemove() {
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    if (selected.isEmpty()) return;
    // A file that cannot be deleted stays listed; nothing is reported.
    if (!RemoveQuickScript(m_folder.toStdString(), selected.first()->text().toStdString())) return;
    delete selected.first();
    m_list->clearSelection();
    m_remove->setEnabled(false);
}

}  // namespace qm
