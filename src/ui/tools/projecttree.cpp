// CMainFrame: where the Project menu meets the command bar's "Project Files" branch.
#include <QTreeWidget>

#include "ui/frames/commandbar.h"
#include "ui/frames/mainfrm.h"

namespace qm {

namespace {
constexpr int kProjectSlotRole = Qt::UserRole;  // the slot an entry of the branch stands for
}

void CMainFrame::ProjectFilesChanged(int selectSlot) {
    RefillProjectFiles();
    QTreeWidgetItem* root = m_wndCommandBar ? m_wndCommandBar->ProjectRoot() : nullptr;
    if (!root || selectSlot < 0) return;
    for (int i = 0; i < root->childCount(); ++i)
        if (root->child(i)->data(0, kProjectSlotRole).toInt() == selectSlot) {
            m_wndCommandBar->Tree()->setCurrentItem(root->child(i));
            return;
        }
}

int CMainFrame::SelectedProjectSlot() const {
    QTreeWidgetItem* root = m_wndCommandBar ? m_wndCommandBar->ProjectRoot() : nullptr;
    if (!root) return -1;
    const QList<QTreeWidgetItem*> selected = m_wndCommandBar->Tree()->selectedItems();
    if (selected.isEmpty() || selected.first()->parent() != root) return -1;
    bool ok = false;
    const int slot = selected.first()->data(0, kProjectSlotRole).toInt(&ok);
    return ok && slot >= 0 && slot < kProjectSlots ? slot : -1;
}

}  // namespace qm
