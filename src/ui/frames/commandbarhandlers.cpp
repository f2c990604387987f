// CMainFrame: the command bar's tree, its project entries and Insert Current Item.
#include <QAction>
#include <QPushButton>
#include <QTextCursor>

#include "ui/app/quillmark.h"
#include "ui/frames/commandbar.h"
#include "ui/frames/commandids.h"
#include "ui/frames/mainfrm.h"
#include "ui/views/editview.h"
#include "ui/views/largetextview.h"

namespace qm {

namespace {
std::vector<std::string> Slots(const std::array<std::string, kProjectSlots>& files) {
    return {files.begin(), files.end()};
}
}  // namespace

void CMainFrame::ConnectCommandBar() {
    connect(m_wndCommandBar, &CCommandBar::ContextMenuRequested, this, &CMainFrame::ShowBarContextMenu);
    connect(m_wndCommandBar, &CCommandBar::SelectionChanged, this, &CMainFrame::UpdateInsertItemState);
    connect(m_wndCommandBar, &CCommandBar::ProjectFileSelected, this, &CMainFrame::OnProjectFileSelected);
    connect(m_wndCommandBar->InsertButton(), &QPushButton::clicked, this, &CMainFrame::OnInsertCurrentItem);
    connect(m_wndCommandBar, &CCommandBar::ItemActivated, this, &CMainFrame::OnInsertCurrentItem);
}

bool CMainFrame::FillCommandTree() {
    if (!m_wndCommandBar || !m_wndCommandBar->Tree()) return false;
    m_wndCommandBar->FillTree(theApp.m_catalogue, Slots(m_projectFiles));
    UpdateInsertItemState();
    return true;
}

void CMainFrame::RefillProjectFiles() {
    if (m_wndCommandBar) m_wndCommandBar->RefillProjectFiles(Slots(m_projectFiles));
}

void CMainFrame::ProjectFilesChanged(int selectSlot) {
    RefillProjectFiles();
    if (m_wndCommandBar && selectSlot >= 0) m_wndCommandBar->SelectProjectSlot(selectSlot);
}

int CMainFrame::SelectedProjectSlot() const { return m_wndCommandBar ? m_wndCommandBar->SelectedProjectSlot() : -1; }

void CMainFrame::RemoveProjectFile(int slot) {
    if (slot < 0 || slot >= kProjectSlots) return;
    m_projectFiles[slot].clear();
    if (m_wndCommandBar) m_wndCommandBar->RemoveProjectItem(slot);
    UpdateInsertItemState();
}

void CMainFrame::OnProjectFileSelected(int slot) {
    if (slot < 0 || slot >= kProjectSlots) return;
    const QString path = QString::fromStdString(m_projectFiles[slot]);
    // The document framework reports a file it cannot open; the entry is then dropped.
    if (path.isEmpty() || !theApp.OpenDocumentFile(path)) RemoveProjectFile(slot);
}

void CMainFrame::OnInsertCurrentItem() {
    CEditView* view = ActiveView();
    CLargeTextView* large = ActiveLargeView();
    if (!m_wndCommandBar || !CanInsertItem(m_wndCommandBar->CurrentSelection(), view || large)) return;
    if (large) {
        large->InsertText(m_wndCommandBar->CurrentItemText());
        large->setFocus();
        return;
    }
    QTextCursor c = view->textCursor();
    c.insertText(m_wndCommandBar->CurrentItemText());  // one undoable edit; the view colours the line
    view->setTextCursor(c);
    view->setFocus();
}

void CMainFrame::UpdateInsertItemState() {
    const bool enable =
        m_wndCommandBar && CanInsertItem(m_wndCommandBar->CurrentSelection(), ActiveView() || ActiveLargeView());
    if (QAction* a = Action(ID_INSERT_ITEM)) a->setEnabled(enable);
    if (m_wndCommandBar) m_wndCommandBar->InsertButton()->setEnabled(enable);
}

}  // namespace qm
