#include "ui/frames/commandbar.h"

#include <QContextMenuEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "ui/frames/commandids.h"

namespace qm {

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

    m_tree = new QTreeWidget(body);
    m_tree->setObjectName(QString::number(ID_COMMAND_TREE));
    m_tree->setHeaderHidden(true);
    m_tree->setRootIsDecorated(true);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->setDragEnabled(false);
    m_tree->setUniformRowHeights(true);

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
}

void CCommandBar::ShowSyntaxPane(bool show) { m_syntax->setVisible(show); }

void CCommandBar::contextMenuEvent(QContextMenuEvent* event) {
    emit ContextMenuRequested(event->globalPos());
    event->accept();
}

}  // namespace qm
