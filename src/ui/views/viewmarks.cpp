#include "ui/views/viewmarks.h"

#include <QScrollBar>
#include <algorithm>
#include <QTextBlock>

#include "core/views/bracketmatch.h"
#include "ui/views/descriptview.h"
#include "ui/views/editview.h"
#include "ui/views/problemchecker.h"
#include "ui/views/scriptview.h"

namespace qm {

namespace {
QTextEdit::ExtraSelection Mark(QTextDocument* doc, int from, int to, const QColor& colour) {
    QTextEdit::ExtraSelection s;
    s.cursor = QTextCursor(doc);
    s.cursor.setPosition(from);
    s.cursor.setPosition(to, QTextCursor::KeepAnchor);
    s.format.setBackground(colour);
    return s;
}
// More than a window can show only happens on very long lines: enough to see them marked.
constexpr qsizetype kMostMatches = 5000;
bool IsWordChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }
}  // namespace

CViewMarks::CViewMarks(CEditView* view) : QObject(view), m_view(view) {
    m_timer.setSingleShot(true);
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &CViewMarks::RefreshNow);
    connect(view, &QPlainTextEdit::cursorPositionChanged, this, &CViewMarks::Refresh);
    connect(view, &QPlainTextEdit::textChanged, this, &CViewMarks::Refresh);
    connect(view, &QPlainTextEdit::updateRequest, this, [this](const QRect&, int dy) {
        if (dy && (HasSearch() || HasProblems())) Refresh();
    });
    connect(view->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        if (HasSearch()) Refresh();
    });
}

void CViewMarks::SetSearch(const QString& what, QTextDocument::FindFlags flags) {
    flags &= ~QTextDocument::FindBackward;
    if (what == m_search && flags == m_flags) return;
    m_search = what;
    m_flags = flags;
    Refresh();
}

void CViewMarks::Refresh() { m_timer.start(); }

void CViewMarks::RefreshNow() {
    m_timer.stop();
    QList<QTextEdit::ExtraSelection> marks;
    AddProblems(marks);
    AddMatches(marks);
    AddBracketPair(marks);  // after the matches, so it shows over them
    const QList<QTextEdit::ExtraSelection> old = m_view->extraSelections();
    const bool same = old.size() == marks.size() &&
                      std::equal(old.begin(), old.end(), marks.begin(), [](const auto& a, const auto& b) {
                          return a.cursor == b.cursor && a.format == b.format;
                      });
    if (!same) m_view->setExtraSelections(marks);
}

void CViewMarks::AddBracketPair(QList<QTextEdit::ExtraSelection>& marks) const {
    BracketRules rules;
    if (qobject_cast<const CDescriptView*>(m_view)) rules = BracketRules::Description;
    else if (qobject_cast<const CScriptView*>(m_view)) rules = BracketRules::Script;
    else return;
    const QTextCursor caret = m_view->textCursor();
    if (caret.hasSelection()) return;
    QTextDocument* doc = m_view->document();
    const QTextBlock block = caret.block();
    // Lines are read near the caret and then one after another: each from the one before.
    QTextBlock near = block;
    const auto lineText = [&](int line) {
        while (near.isValid() && near.blockNumber() < line) near = near.next();
        while (near.isValid() && near.blockNumber() > line) near = near.previous();
        return near.isValid() ? near.text().toStdU16String() : std::u16string();
    };
    const auto pair = MatchBracket(lineText, doc->blockCount(), {block.blockNumber(), caret.positionInBlock()}, rules);
    if (!pair) return;
    for (const TextPoint& p : {pair->bracket, pair->partner}) {
        const int at = doc->findBlockByNumber(p.line).position() + p.column;
        marks.append(Mark(doc, at, at + 1, BracketColour()));
    }
}

void CViewMarks::AddMatches(QList<QTextEdit::ExtraSelection>& marks) const {
    if (m_search.isEmpty()) return;
    const Qt::CaseSensitivity cs = m_flags & QTextDocument::FindCaseSensitively ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const bool whole = m_flags & QTextDocument::FindWholeWords;
    QTextDocument* doc = m_view->document();
    for (const auto& [number, top] : m_view->ShownLineTops()) {
        const QTextBlock block = doc->findBlockByNumber(number);
        const QString text = block.text();
        for (qsizetype i = text.indexOf(m_search, 0, cs); i >= 0 && marks.size() < kMostMatches;
             i = text.indexOf(m_search, i + 1, cs)) {
            const qsizetype end = i + m_search.size();
            if (whole && ((i > 0 && IsWordChar(text[i - 1])) || (end < text.size() && IsWordChar(text[end])))) continue;
            marks.append(Mark(doc, block.position() + static_cast<int>(i), block.position() + static_cast<int>(end),
                              MatchColour()));
        }
    }
}

bool CViewMarks::HasProblems() const {
    const CProblemChecker* checker = CProblemChecker::Of(m_view);
    return checker && !checker->Problems().empty();
}

void CViewMarks::AddProblems(QList<QTextEdit::ExtraSelection>& marks) const {
    const CProblemChecker* checker = CProblemChecker::Of(m_view);
    if (!checker || checker->Problems().empty()) return;
    const std::vector<ScriptProblem>& problems = checker->Problems();
    QTextDocument* doc = m_view->document();
    // Only the lines in the window: a long script may have many problems, and every mark costs
    // each painted line a look.
    for (const auto& [number, top] : m_view->ShownLineTops()) {
        auto it = std::lower_bound(problems.begin(), problems.end(), number,
                                   [](const ScriptProblem& p, int l) { return p.line < l; });
        const QTextBlock block = doc->findBlockByNumber(number);
        // The text may have changed since the check: marks stay within the line.
        const int length = block.length() - 1;
        for (; it != problems.end() && it->line == number; ++it) {
            const int from = std::min(it->column, length), to = std::min(it->column + std::max(1, it->length), length);
            if (from >= to) continue;
            QTextEdit::ExtraSelection s;
            s.cursor = QTextCursor(doc);
            s.cursor.setPosition(block.position() + from);
            s.cursor.setPosition(block.position() + to, QTextCursor::KeepAnchor);
            s.format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
            s.format.setUnderlineColor(it->severity == ProblemSeverity::Error ? ErrorColour() : WarningColour());
            marks.append(s);
        }
    }
}

}  // namespace qm
