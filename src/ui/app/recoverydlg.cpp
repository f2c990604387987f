#include "ui/app/recoverydlg.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace qm {

std::function<CRecoveryDlg::Choice(CRecoveryDlg&)> CRecoveryDlg::s_answer;

CRecoveryDlg::CRecoveryDlg(const std::vector<Row>& rows, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Recover Unsaved Work"));
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(
        QStringLiteral("Quillmark ended without saving these documents. Recover opens them with the unsaved "
                       "changes; Discard deletes the copies; Later keeps them for the next start."),
        this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    m_list = new QTreeWidget(this);
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    m_list->setHeaderLabels({QStringLiteral("Document"), QStringLiteral("Last change"), QStringLiteral("Size")});
    for (const Row& r : rows) new QTreeWidgetItem(m_list, {r.name, r.time, r.size});
    m_list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_list->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_list->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    m_list->header()->setStretchLastSection(false);
    layout->addWidget(m_list);

    auto* buttons = new QDialogButtonBox(this);
    const auto add = [&](const char* text, Choice choice, QDialogButtonBox::ButtonRole role) {
        QPushButton* b = buttons->addButton(QString::fromLatin1(text), role);
        connect(b, &QPushButton::clicked, this, [this, choice] {
            m_choice = choice;
            accept();
        });
        return b;
    };
    add("Recover", Recover, QDialogButtonBox::AcceptRole)->setDefault(true);
    add("Discard", Discard, QDialogButtonBox::DestructiveRole);
    add("Later", Later, QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    resize(620, 180 + 22 * int(std::min<size_t>(rows.size(), 10)));
}

CRecoveryDlg::Choice CRecoveryDlg::Ask() {
    if (s_answer) return s_answer(*this);
    m_choice = Later;
    exec();
    return m_choice;
}

}  // namespace qm
