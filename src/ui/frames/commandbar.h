#pragma once
#include <QDockWidget>
#include <string>
#include <vector>

#include "core/frames/commandtree.h"

class QPlainTextEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace qm {

// The command bar docked at the left: "Collapse All" and "Insert  --->" above the catalogue
// tree, and the syntax pane below it.
class CCommandBar : public QDockWidget {
    Q_OBJECT
public:
    explicit CCommandBar(QWidget* parent = nullptr);

    QTreeWidget* Tree() const { return m_tree; }
    QPlainTextEdit* SyntaxPane() const { return m_syntax; }
    QPushButton* InsertButton() const { return m_insert; }
    QPushButton* CollapseButton() const { return m_collapse; }

    void ShowSyntaxPane(bool show);

    // Rebuilds the whole tree from the catalogue and the 16 project slots; the pane is cleared.
    void FillTree(const Catalogue& catalogue, const std::vector<std::string>& projectSlots);
    // Refills only the "Project Files" branch (sorted, expanded) from the slots.
    void RefillProjectFiles(const std::vector<std::string>& projectSlots);
    // Drops the entry of a project slot: the branch scrolls to the top and the item goes.
    void RemoveProjectItem(int slot);
    // Makes the entry of a project slot the current item, as a click does; none: nothing changes.
    void SelectProjectSlot(int slot);
    // The slot of the selected "Project Files" entry; -1 when no such entry is selected.
    int SelectedProjectSlot() const;

    QTreeWidgetItem* Root(int root) const;
    QTreeWidgetItem* ProjectRoot() const { return Root(ROOT_PROJECT_FILES); }
    TreeSelection CurrentSelection() const;
    // The selected item's text exactly as shown; empty without a selection.
    QString CurrentItemText() const;
    // Collapses every branch, then clears the selection and the pane.
    void CollapseAll();

signals:
    void ContextMenuRequested(const QPoint& globalPos);
    void ProjectFileSelected(int slot);
    void SelectionChanged();
    // Double-click, Enter or Insert on an item.
    void ItemActivated();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void OnSelectionChanged();

    QTreeWidget* m_tree;
    QPlainTextEdit* m_syntax;
    QPushButton* m_insert;
    QPushButton* m_collapse;
    const Catalogue* m_catalogue = nullptr;
};

}  // namespace qm
