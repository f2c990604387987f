#pragma once
#include <QObject>
#include <QPlainTextEdit>
#include <QString>
#include <QTextDocument>
#include <QTimer>

namespace qm {

class CEditView;

// What an editor view marks besides the selection: the bracket at the caret with its partner
// (script and description views), and the matches of the search Find and Replace shows. Only
// the lines in the window are searched, once the events of a keystroke or a scroll are done.
class CViewMarks : public QObject {
    Q_OBJECT
public:
    explicit CViewMarks(CEditView* view);

    // Marks the matches of `what` (nothing when it is empty).
    void SetSearch(const QString& what, QTextDocument::FindFlags flags);
    bool HasSearch() const { return !m_search.isEmpty(); }
    // Marks again after the events now waiting; RefreshNow does it at once.
    void Refresh();
    void RefreshNow();

    static QColor BracketColour() { return QColor(0xB4, 0xD7, 0xFF); }
    static QColor MatchColour() { return QColor(0xFF, 0xE8, 0x7C); }
    // The wavy underlines of the problems a check found.
    static QColor ErrorColour() { return QColor(0xE0, 0x00, 0x00); }
    static QColor WarningColour() { return QColor(0xE0, 0x90, 0x00); }

private:
    void AddBracketPair(QList<QTextEdit::ExtraSelection>& marks) const;
    void AddMatches(QList<QTextEdit::ExtraSelection>& marks) const;
    void AddProblems(QList<QTextEdit::ExtraSelection>& marks) const;
    bool HasProblems() const;

    CEditView* m_view;
    QTimer m_timer;
    QString m_search;
    QTextDocument::FindFlags m_flags;
};

}  // namespace qm
