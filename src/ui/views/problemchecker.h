#pragma once
#include <QObject>
#include <QTimer>
#include <memory>
#include <vector>

#include "core/views/scriptproblems.h"

class QThread;

namespace qm {

class CEditView;

// The rules of the edition in use, from the catalogue and the other edition's command list.
std::shared_ptr<const ScriptRules> CurrentScriptRules();

// Checks a script view's text a short pause after the typing stops, on a thread of its own, so
// that even a very long script never holds up the typing; keeps the problems found for the
// view's underlines, tool tips and the Problems bar.
class CProblemChecker : public QObject {
    Q_OBJECT
public:
    explicit CProblemChecker(CEditView* view);
    ~CProblemChecker() override;

    // The checker of a view (for a further window on a script, its document's own window's), or
    // null (views of other kinds have none).
    static CProblemChecker* Of(const CEditView* view);

    // The problems of the text as last checked, in text order.
    const std::vector<ScriptProblem>& Problems() const { return m_problems; }
    // The problem under a place of the text, or null.
    const ScriptProblem* ProblemAt(int line, int column) const;
    // Checks without waiting for the pause (the check itself still runs on its thread).
    void CheckNow();
    // Waiting for the pause or checking.
    bool IsPending() const { return m_pause.isActive() || m_worker; }
    int ChecksDone() const { return m_checksDone; }

    static constexpr int kPauseMs = 300;

signals:
    void ProblemsChanged();

private:
    struct Job;
    void OnTextChanged();
    void OnCheckFinished();
    ScriptKind Kind() const;

    CEditView* m_view;
    QTimer m_pause;
    QThread* m_worker = nullptr;
    std::shared_ptr<Job> m_job;
    bool m_dirty = false;  // the text changed while a check ran
    std::vector<ScriptProblem> m_problems;
    int m_checksDone = 0;
};

// Gives a script view its checker: problems underlined in the window, their messages as tool tips.
void AttachProblemChecker(CEditView* view);
// Underlines and tips in a view from its checker (for a further window on a script, its
// document's own window's).
void ShowProblemsIn(CEditView* view);

}  // namespace qm
