#pragma once

namespace qm {

class CLargeTextView;
class CScriptDoc;

// Gives a very large document's window what the other editor windows have: the editor font at
// this run's zoom, the tab width, line numbers, the colours of the document's kind, zoom by the
// wheel and the context menu.
void SetUpLargeView(CLargeTextView& view, const CScriptDoc& doc);
// The editor font and tab width of the Options, as they are now.
void ApplyEditorFont(CLargeTextView& view);

}  // namespace qm
