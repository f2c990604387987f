#pragma once
#include <QTextCursor>
#include <functional>
#include <string>
#include <vector>

namespace qm {

class CEditView;

// The lines a selection touches, from 0; a selection that ends at the start of a line leaves
// that line out. Without a selection, the caret's line.
struct LineRange {
    int first = 0, last = 0;
};
LineRange SelectedLines(const QTextCursor& cursor);

// Puts edit(lines) in place of the lines as one undoable edit. A selection afterwards spans the
// edited lines whole; a caret stays on its line, moved with the text in front of it.
using LineEdit = std::function<std::vector<std::u16string>(const std::vector<std::u16string>&)>;
void EditLines(CEditView& view, LineRange lines, const LineEdit& edit);

// "Toggle Remark": the view's selected lines remarked or given back (";" in scripts, "//" in
// description files). False, changing nothing, in a view without remarks.
bool ToggleRemarkLines(CEditView& view);

}  // namespace qm
