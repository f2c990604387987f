#pragma once
#include <QDockWidget>

class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

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

signals:
    void ContextMenuRequested(const QPoint& globalPos);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QTreeWidget* m_tree;
    QPlainTextEdit* m_syntax;
    QPushButton* m_insert;
    QPushButton* m_collapse;
};

}  // namespace qm
