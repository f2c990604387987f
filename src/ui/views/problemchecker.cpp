#include "ui/views/problemchecker.h"

#include <QEvent>
#include <QHelpEvent>
#include <QTextBlock>
#include <QThread>
#include <QToolTip>
#include <algorithm>

#include "core/app/datapaths.h"
#include "core/app/safefile.h"
#include "ui/app/quillmark.h"
#include "ui/doc/scriptdoc.h"
#include "ui/views/editview.h"
#include "ui/views/viewmarks.h"

namespace qm {

std::shared_ptr<const ScriptRules> CurrentScriptRules() {
    AppFolders other;
    other.programFolder = theApp.m_programFolder.toStdString();
    other.dataFolder = theApp.m_dataFolder.toStdString();
    other.expansionEdition = theApp.m_expansionEdition == 1 ? 0 : 1;
    std::string bytes;
    StringList otherCommands;
    if (ReadFileBytes(GetDataPath(PATH_COMMANDS, other), bytes).ok) otherCommands = ReadDataLines(bytes);
    return MakeScriptRules(theApp.m_catalogue, otherCommands, theApp.m_expansionEdition);
}

struct CProblemChecker::Job {
    QString text;
    ScriptKind kind = ScriptKind::Script;
    std::shared_ptr<const ScriptRules> rules;
    std::vector<ScriptProblem> problems;
};

CProblemChecker::CProblemChecker(CEditView* view) : QObject(view), m_view(view) {
    m_pause.setSingleShot(true);
    m_pause.setInterval(kPauseMs);
    connect(&m_pause, &QTimer::timeout, this, &CProblemChecker::CheckNow);
    connect(view, &QPlainTextEdit::textChanged, this, &CProblemChecker::OnTextChanged);
    m_pause.start();
}

CProblemChecker::~CProblemChecker() {
    // The thread reads only its own copy of the text and rules; it is waited for, never left running.
    if (m_worker) {
        m_worker->wait();
        delete m_worker;
    }
}

CProblemChecker* CProblemChecker::Of(const CEditView* view) {
    if (!view) return nullptr;
    if (auto* own = view->findChild<CProblemChecker*>(QString(), Qt::FindDirectChildrenOnly)) return own;
    // A further window on a script shows what its document's own window found: one text, one check.
    const CScriptDoc* doc = view->GetDocument();
    const CEditView* first = doc ? doc->GetView() : nullptr;
    return first && first != view ? first->findChild<CProblemChecker*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

void CProblemChecker::OnTextChanged() {
    if (m_worker) m_dirty = true;
    m_pause.start();
}

ScriptKind CProblemChecker::Kind() const {
    const CScriptDoc* doc = m_view->GetDocument();
    if (!doc) return ScriptKind::Script;
    const QString path = doc->GetPathName().toLower();
    if (path.endsWith(QLatin1String(".sqf"))) return ScriptKind::Function;
    if (path.endsWith(QLatin1String(".sqs"))) return ScriptKind::Script;
    return doc->Kind() == DocKind::Function ? ScriptKind::Function : ScriptKind::Script;
}

void CProblemChecker::CheckNow() {
    m_pause.stop();
    if (m_worker) {
        m_dirty = true;  // checked again when this check ends
        return;
    }
    m_dirty = false;
    m_job = std::make_shared<Job>();
    // The raw text is one copy; the line breaks are put right on the worker.
    m_job->text = m_view->document()->toRawText();
    m_job->kind = Kind();
    m_job->rules = CurrentScriptRules();
    m_worker = QThread::create([job = m_job] {
        std::u16string text = job->text.toStdU16String();
        job->text.clear();
        for (char16_t& c : text)
            if (c == 0x2029 || c == 0x2028) c = u'\n';
        job->problems = FindScriptProblems(text, job->kind, *job->rules);
    });
    connect(m_worker, &QThread::finished, this, &CProblemChecker::OnCheckFinished);
    m_worker->start(QThread::LowPriority);
}

void CProblemChecker::OnCheckFinished() {
    m_worker->wait();
    delete m_worker;
    m_worker = nullptr;
    const bool changed = m_job->problems != m_problems;
    m_problems = std::move(m_job->problems);
    m_job.reset();
    ++m_checksDone;
    if (changed) emit ProblemsChanged();
    if (m_dirty) m_pause.start();
}

const ScriptProblem* CProblemChecker::ProblemAt(int line, int column) const {
    auto it = std::lower_bound(m_problems.begin(), m_problems.end(), line,
                               [](const ScriptProblem& p, int l) { return p.line < l; });
    for (; it != m_problems.end() && it->line == line; ++it)
        if (column >= it->column && column < it->column + std::max(1, it->length)) return &*it;
    return nullptr;
}

namespace {
class ProblemTips : public QObject {
public:
    explicit ProblemTips(CEditView* view) : QObject(view), m_view(view) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ToolTip) return false;
        const CProblemChecker* checker = CProblemChecker::Of(m_view);
        if (!checker || checker->Problems().empty()) return false;
        auto* help = static_cast<QHelpEvent*>(event);
        const QTextCursor at = m_view->cursorForPosition(help->pos());
        // The character under the pointer, not the gap the cursor stands in front of.
        const QRect r = m_view->cursorRect(at);
        int column = at.positionInBlock();
        if (help->pos().x() < r.left() && column > 0) --column;
        const ScriptProblem* p = checker->ProblemAt(at.blockNumber(), column);
        if (!p) return false;
        QToolTip::showText(help->globalPos(), QString::fromStdString(p->message), static_cast<QWidget*>(watched));
        return true;
    }

private:
    CEditView* m_view;
};
}  // namespace

void AttachProblemChecker(CEditView* view) {
    if (CProblemChecker::Of(view)) return;
    new CProblemChecker(view);
    ShowProblemsIn(view);
}

void ShowProblemsIn(CEditView* view) {
    CProblemChecker* checker = CProblemChecker::Of(view);
    if (!checker) return;
    view->viewport()->installEventFilter(new ProblemTips(view));
    if (CViewMarks* marks = view->Marks()) QObject::connect(checker, &CProblemChecker::ProblemsChanged, marks, &CViewMarks::Refresh);
}

}  // namespace qm
