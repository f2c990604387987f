#pragma once
#include <QDockWidget>
#include <QPointer>
#include <vector>

#include "core/tools/missioncheck.h"
#include "core/views/scriptproblems.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace qm {

class CEditView;
class CScriptDoc;
class CProblemChecker;

// The "Problems" bar below the documents: the problems of the active script as its checks find
// them, then the findings of the last mission check. Double-click or Enter on one moves the caret
// to it, opening its file when needed.
class CProblemsBar : public QDockWidget {
    Q_OBJECT
public:
    explicit CProblemsBar(QWidget* parent = nullptr);

    // Lists the problems of this view's script from now on (null: none).
    void Follow(CEditView* view);
    void SetMissionFindings(const QString& folder, const std::vector<MissionFinding>& findings);

    QTreeWidget* List() const { return m_list; }
    // Moves the caret to the problem of a row.
    void JumpTo(QTreeWidgetItem* item);

    // More rows than this of one kind are not listed; the last row says how many were left out.
    static constexpr int kMostRows = 2000;

signals:
    // The user closed the bar with its close box.
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ShowScriptProblems();
    QTreeWidgetItem* AddRow(int at, ProblemSeverity severity, const QString& message, const QString& file, int line);

    QTreeWidget* m_list;
    QIcon m_errorIcon, m_warningIcon;
    QPointer<CEditView> m_view;
    QPointer<CProblemChecker> m_checker;
    QMetaObject::Connection m_connection;
    int m_scriptRows = 0;  // the first rows are the active script's
    QString m_missionFolder;
};

}  // namespace qm
