#pragma once
#include <QObject>
#include <string>

#include "core/doc/piecetable.h"

namespace qm {

// A very large document's text, shared by every window on it: the table and a signal after each
// of its edits (undo and redo included), so each window moves its caret and repaints.
class CLargeText : public QObject {
    Q_OBJECT
public:
    explicit CLargeText(std::string text = {}, QObject* parent = nullptr);

    PieceTable& Table() { return m_table; }
    const PieceTable& Table() const { return m_table; }
    bool IsModified() const { return !m_table.IsClean(); }
    // Puts a new text in place of the whole table (a reload, a recovered copy): nothing to undo.
    void Reset(std::string text);

signals:
    // Sent after the edit, with what it did to the text as it was before.
    void Changed(const qm::PieceTable::Change& change);
    // After Reset: every window starts again at the top of the new text.
    void WasReset();

private:
    PieceTable m_table;
};

}  // namespace qm
