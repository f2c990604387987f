#include "ui/frames/commandbar.h"

#include <QContextMenuEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "core/options/settingstable.h"
#include "ui/frames/commandids.h"

namespace qm {

namespace {
constexpr int kSlotRole = Qt::UserRole;

QString Display(const std::string& text) {
    return QString::fromStdString(text).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

// A right-click on the tree opens no menu, not even the bar's. The Insert key does what Enter
// does, as the syntax pane promises.
class CommandTree : public QTreeWidget {
public:
    using QTreeWidget::QTreeWidget;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override { event->accept(); }
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Insert && event->modifiers() == Qt::NoModifier) {
            if (QTreeWidgetItem* item = currentItem()) emit itemActivated(item, 0);
            event->accept();
            return;
        }
        QTreeWidget::keyPressEvent(event);
    }
};
}  // namespace

CCommandBar::CCommandBar(QWidget* parent) : QDockWidget(parent) {
    setObjectName(QStringLiteral("CommandBar"));
    setWindowTitle(QStringLiteral("Command Bar"));
    // Stays at the left edge: no floating, no moving, no closing from its title.
    setFeatures(QDockWidget::NoDockWidgetFeatures);
    setAllowedAreas(Qt::LeftDockWidgetArea);
    setTitleBarWidget(new QWidget(this));  // a bar, not a floating tool window: no caption

    auto* body = new QWidget(this);
    auto* grid = new QGridLayout(body);
    grid->setContentsMargins(3, 6, 3, 3);
    grid->setSpacing(3);

    m_collapse = new QPushButton(QStringLiteral("Collapse All"), body);
    m_collapse->setObjectName(QString::number(ID_COLLAPSE_ALL));
    m_collapse->setToolTip(QStringLiteral("Collapse Tree"));
    m_collapse->setStatusTip(QStringLiteral("Collapse all tree items"));

    m_insert = new QPushButton(QStringLiteral("Insert  --->"), body);
    m_insert->setObjectName(QString::number(ID_INSERT_ITEM));
    m_insert->setToolTip(QStringLiteral("Insert Selection"));
    m_insert->setStatusTip(QStringLiteral("Insert the current item into the active document"));
    m_insert->setStyleSheet(QStringLiteral("text-align: right; padding-right: 6px;"));
    m_insert->setEnabled(false);

    m_tree = new CommandTree(body);
    m_tree->setObjectName(QString::number(ID_COMMAND_TREE));
    m_tree->setHeaderHidden(true);
    m_tree->setRootIsDecorated(true);
    m_tree->setItemsExpandable(true);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->setDragEnabled(false);
    m_tree->setDragDropMode(QAbstractItemView::NoDragDrop);
    m_tree->setUniformRowHeights(true);  // thousands of rows: lay them out without measuring each
    m_tree->setExpandsOnDoubleClick(true);
    m_tree->setIndentation(14);
    // The selection stays as visible as with the focus when the focus moves to the editor.
    QPalette p = m_tree->palette();
    p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText, p.color(QPalette::Active, QPalette::HighlightedText));
    m_tree->setPalette(p);

    m_syntax = new QPlainTextEdit(body);
    m_syntax->setObjectName(QString::number(ID_SYNTAX_PANE));
    m_syntax->setReadOnly(true);
    m_syntax->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_syntax->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_syntax->setToolTip(QStringLiteral("Syntax: Usage - Return - Example"));
    m_syntax->setStatusTip(QStringLiteral("Syntax for current command"));
    m_syntax->setFixedHeight(82);

    grid->addWidget(m_collapse, 0, 0);
    grid->addWidget(m_insert, 0, 1);
    grid->addWidget(m_tree, 1, 0, 1, 2);
    grid->addWidget(m_syntax, 2, 0, 1, 2);
    grid->setRowStretch(1, 1);
    body->setFixedWidth(196);
    setWidget(body);

    connect(m_tree, &QTreeWidget::itemSelectionChanged, this, &CCommandBar::OnSelectionChanged);
    connect(m_tree, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        if (item && item->childCount() == 0) emit ItemActivated();
    });
    connect(m_collapse, &QPushButton::clicked, this, &CCommandBar::CollapseAll);
}

void CCommandBar::ShowSyntaxPane(bool show) { m_syntax->setVisible(show); }

QTreeWidgetItem* CCommandBar::Root(int root) const {
    return root >= 0 && root < m_tree->topLevelItemCount() ? m_tree->topLevelItem(root) : nullptr;
}

void CCommandBar::FillTree(const Catalogue& catalogue, const std::vector<std::string>& projectSlots) {
    m_catalogue = &catalogue;
    const QSignalBlocker quiet(m_tree);
    m_tree->setUpdatesEnabled(false);
    m_tree->clear();
    const auto tree = BuildCommandTree(catalogue, projectSlots);
    QList<QTreeWidgetItem*> roots;
    for (const TreeBranch& branch : tree) {
        auto* root = new QTreeWidgetItem(QStringList(QString::fromStdString(branch.text)));
        // Children go in as one list: one insertion for thousands of items.
        QList<QTreeWidgetItem*> children;
        children.reserve(static_cast<qsizetype>(branch.children.size()));
        for (const TreeChild& c : branch.children) {
            auto* item = new QTreeWidgetItem(QStringList(QString::fromStdString(c.text)));
            if (c.slot >= 0) item->setData(0, kSlotRole, c.slot);
            children.append(item);
        }
        root->addChildren(children);
        roots.append(root);
    }
    m_tree->addTopLevelItems(roots);
    ProjectRoot()->setExpanded(true);
    m_tree->setUpdatesEnabled(true);
    m_syntax->clear();
    emit SelectionChanged();
}

void CCommandBar::RefillProjectFiles(const std::vector<std::string>& projectSlots) {
    QTreeWidgetItem* root = ProjectRoot();
    if (!root) return;
    const bool wasSelected = m_tree->currentItem() && m_tree->currentItem()->parent() == root;
    {
        const QSignalBlocker quiet(m_tree);
        qDeleteAll(root->takeChildren());
        for (const TreeChild& c : ProjectFileChildren(projectSlots)) {
            auto* item = new QTreeWidgetItem(root, QStringList(QString::fromStdString(c.text)));
            item->setData(0, kSlotRole, c.slot);
        }
        root->setExpanded(true);
    }
    if (wasSelected) {
        m_tree->setCurrentItem(nullptr);
        m_syntax->clear();
        emit SelectionChanged();
    }
}

void CCommandBar::RemoveProjectItem(int slot) {
    QTreeWidgetItem* root = ProjectRoot();
    if (!root) return;
    m_tree->scrollToItem(root, QAbstractItemView::PositionAtTop);
    // Quietly: the tree must not move the selection onto the next entry and open that one.
    const QSignalBlocker quiet(m_tree);
    const QSignalBlocker quietSelection(m_tree->selectionModel());
    for (int i = 0; i < root->childCount(); ++i) {
        if (root->child(i)->data(0, kSlotRole).toInt() == slot) {
            delete root->takeChild(i);
            break;
        }
    }
    m_tree->setCurrentItem(nullptr);
    m_tree->clearSelection();
}

void CCommandBar::SelectProjectSlot(int slot) {
    QTreeWidgetItem* root = ProjectRoot();
    if (!root) return;
    for (int i = 0; i < root->childCount(); ++i)
        if (root->child(i)->data(0, kSlotRole).toInt() == slot) {
            m_tree->setCurrentItem(root->child(i));
            return;
        }
}

int CCommandBar::SelectedProjectSlot() const {
    QTreeWidgetItem* root = ProjectRoot();
    const QList<QTreeWidgetItem*> selected = m_tree->selectedItems();
    if (!root || selected.isEmpty() || selected.first()->parent() != root) return -1;
    bool ok = false;
    const int slot = selected.first()->data(0, kSlotRole).toInt(&ok);
    return ok && slot >= 0 && slot < kProjectSlots ? slot : -1;
}

TreeSelection CCommandBar::CurrentSelection() const {
    TreeSelection s;
    const QList<QTreeWidgetItem*> selected = m_tree->selectedItems();
    if (selected.isEmpty()) return s;
    QTreeWidgetItem* item = selected.first();
    QTreeWidgetItem* root = item->parent() ? item->parent() : item;
    s.root = m_tree->indexOfTopLevelItem(root);
    s.isRoot = item == root;
    s.text = item->text(0).toStdString();
    s.hasChildren = item->childCount() > 0;
    return s;
}

QString CCommandBar::CurrentItemText() const {
    const QList<QTreeWidgetItem*> selected = m_tree->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text(0);
}

void CCommandBar::OnSelectionChanged() {
    const TreeSelection s = CurrentSelection();
    m_syntax->setPlainText(m_catalogue && s.root >= 0 ? Display(SyntaxPaneText(*m_catalogue, s)) : QString());
    emit SelectionChanged();
    if (const int slot = SelectedProjectSlot(); slot >= 0) emit ProjectFileSelected(slot);
}

void CCommandBar::CollapseAll() {
    const QSignalBlocker quiet(m_tree);
    for (int r = 0; r < m_tree->topLevelItemCount(); ++r) {
        QTreeWidgetItem* root = m_tree->topLevelItem(r);
        for (int i = 0; i < root->childCount(); ++i)
            if (root->child(i)->childCount() > 0) root->child(i)->setExpanded(false);
        root->setExpanded(false);
    }
    m_tree->clearSelection();
    m_tree->setCurrentItem(nullptr);
    m_syntax->clear();
    emit SelectionChanged();
}

void CCommandBar::contextMenuEvent(QContextMenuEvent* event) {
    emit ContextMenuRequested(event->globalPos());
    event->accept();
}

}  // namespace qm
