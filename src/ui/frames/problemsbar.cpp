#include "ui/frames/problemsbar.h"

#include <QApplication>
#include <algorithm>
#include <QCloseEvent>
#include <QDir>
#include <QHeaderView>
#include <QStyle>
#include <QTextBlock>
#include <QTimer>
#include <QTreeWidget>

#include "ui/app/quillmark.h"
#include "ui/doc/scriptdoc.h"
#include "ui/views/editview.h"
#include "ui/views/problemchecker.h"
#include "ui/views/largetextview.h"

namespace qm {

namespace {
// What a row leads to.
enum Role { PathRole = Qt::UserRole, LineRole, ColumnRole, ScriptRowRole };
}  // namespace

CProblemsBar::CProblemsBar(QWidget* parent) : QDockWidget(parent) {
    setObjectName(QStringLiteral("ProblemsBar"));
    setWindowTitle(QStringLiteral("Problems"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    setAllowedAreas(Qt::BottomDockWidgetArea | Qt::TopDockWidgetArea);
    m_list = new QTreeWidget(this);
    m_list->setColumnCount(3);
    m_list->setHeaderLabels({QStringLiteral("Problem"), QStringLiteral("File"), QStringLiteral("Line")});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_list->header()->setSectionResizeMode(1, QHeaderView::Interactive);
    m_list->header()->resizeSection(1, 200);
    m_list->header()->resizeSection(2, 60);
    setWidget(m_list);
    m_errorIcon = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    m_warningIcon = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    // Double-click and Enter both activate a row.
    connect(m_list, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) { JumpTo(item); });
}

void CProblemsBar::closeEvent(QCloseEvent* event) {
    QDockWidget::closeEvent(event);
    emit Closed();
}

QTreeWidgetItem* CProblemsBar::AddRow(int at, ProblemSeverity severity, const QString& message, const QString& file,
                                      int line) {
    auto* item = new QTreeWidgetItem(QStringList{message, file, line >= 0 ? QString::number(line + 1) : QString()});
    item->setIcon(0, severity == ProblemSeverity::Error ? m_errorIcon : m_warningIcon);
    item->setToolTip(0, message);
    item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    m_list->insertTopLevelItem(at, item);
    return item;
}

void CProblemsBar::Follow(CEditView* view) {
    CProblemChecker* checker = CProblemChecker::Of(view);
    if (view && !checker) {
        // A window just made gets its checker when first shown: look again then.
        QPointer<CEditView> later = view;
        QTimer::singleShot(0, this, [this, later] {
            if (later && CProblemChecker::Of(later)) Follow(later);
        });
    }
    if (view == m_view && checker == m_checker && checker) return;
    disconnect(m_connection);
    m_view = checker ? view : nullptr;
    m_checker = checker;
    if (checker)
        m_connection = connect(checker, &CProblemChecker::ProblemsChanged, this, &CProblemsBar::ShowScriptProblems);
    ShowScriptProblems();
}

void CProblemsBar::ShowScriptProblems() {
    for (int i = 0; i < m_scriptRows; ++i) delete m_list->takeTopLevelItem(0);
    m_scriptRows = 0;
    if (!m_checker || !m_view) return;
    const CScriptDoc* doc = m_view->GetDocument();
    QString title = doc ? doc->GetTitle() : QString();
    if (title.endsWith(QLatin1Char('*'))) title.chop(1);
    const auto& problems = m_checker->Problems();
    for (const ScriptProblem& p : problems) {
        if (m_scriptRows == kMostRows) {
            AddRow(m_scriptRows++, ProblemSeverity::Warning,
                   QStringLiteral("%1 more problems are not listed").arg(problems.size() - kMostRows), title, -1);
            break;
        }
        QTreeWidgetItem* item = AddRow(m_scriptRows++, p.severity, QString::fromStdString(p.message), title, p.line);
        item->setData(0, LineRole, p.line);
        item->setData(0, ColumnRole, p.column);
        item->setData(0, ScriptRowRole, true);
    }
}

void CProblemsBar::SetMissionFindings(const QString& folder, const std::vector<MissionFinding>& findings) {
    while (m_list->topLevelItemCount() > m_scriptRows) delete m_list->takeTopLevelItem(m_scriptRows);
    m_missionFolder = folder;
    int rows = 0;
    for (const MissionFinding& f : findings) {
        const QString file = QString::fromStdString(f.file);
        if (rows++ == kMostRows) {
            AddRow(m_list->topLevelItemCount(), ProblemSeverity::Warning,
                   QStringLiteral("%1 more findings are not listed").arg(findings.size() - kMostRows), QString(), -1);
            break;
        }
        QTreeWidgetItem* item =
            AddRow(m_list->topLevelItemCount(), f.severity, QString::fromStdString(f.message), file, f.line);
        item->setData(0, PathRole, QDir(folder).filePath(file));
        item->setData(0, LineRole, f.line);
        item->setData(0, ColumnRole, f.column);
    }
}

void CProblemsBar::JumpTo(QTreeWidgetItem* item) {
    if (!item || !item->data(0, LineRole).isValid()) return;
    CEditView* view = nullptr;
    if (item->data(0, ScriptRowRole).toBool()) {
        view = m_view;
    } else {
        const QString path = item->data(0, PathRole).toString();
        if (path.isEmpty()) return;
        CScriptDoc* doc = theApp.OpenDocumentFile(path);
        if (doc && doc->GetLargeView()) {
            doc->GetLargeView()->GoToLine(item->data(0, LineRole).toInt());
            return;
        }
        view = doc ? doc->GetView() : nullptr;
    }
    if (!view) return;
    if (CScriptDoc* doc = view->GetDocument()) doc->ActivateFrame();
    const int line = item->data(0, LineRole).toInt();
    if (line < 0) return;
    const QTextBlock block = view->document()->findBlockByNumber(std::clamp(line, 0, view->document()->blockCount() - 1));
    QTextCursor c(block);
    c.setPosition(block.position() + std::clamp(item->data(0, ColumnRole).toInt(), 0, block.length() - 1));
    view->setTextCursor(c);
    view->centerCursor();
    view->setFocus();
}

}  // namespace qm
