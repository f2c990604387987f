#pragma once
#include <QString>
#include <vector>

#include "core/views/labelindex.h"

class QPoint;

namespace qm {

class CEditView;

// What a script view offers about the text under the caret or the mouse: its labels, the jump
// of a goto to its label, and syntax tips. The rules are the core's; these only read the view.

// The label lines of the view's text in text order: the labels bar's list when it follows the
// text, else read from the text into `scanned`.
const std::vector<LabelIndex::Entry>& ScriptLabels(const CEditView& view, std::vector<LabelIndex::Entry>& scanned);

// F12 and Ctrl+click: on a `goto "name"` at `position`, puts the caret on the line of the label
// and shows it in the labels bar's list. False, with nothing moved, when there is no such goto
// or no such label.
bool GoToLabelAt(CEditView& view, int position);

// The syntax tip of the command at `position`, lines broken by "\n"; empty when there is none.
QString SyntaxTipText(const CEditView& view, int position);
// Shows the syntax tip of the command at `position` below its line, or hides any tip; false when
// there is none. `global`: where the mouse rests, or null to place it at the position's text.
bool ShowSyntaxTip(CEditView& view, int position, const QPoint* global = nullptr);

}  // namespace qm
