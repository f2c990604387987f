#pragma once
#include <QString>

namespace qm {

class CMainFrame;

// The main frame's snippet commands. The frame only routes to these.

// Creates the hidden My Snippets dialog from the settings and places it: at "SnippetX"/"SnippetY"
// when both are above 0, centred over the frame otherwise. Connects the snippet commands.
bool CreateSnippetDialog(CMainFrame& main);

// "Insert &Snippet...": shows the dialog and gives it the focus.
void OnShowSnippets(CMainFrame& main);

// Replaces the active editor's selection with the text as one undoable edit, colours the lines
// it spans (when the view colours) and marks the document modified. Nothing without an editor.
void InsertSnippetText(CMainFrame& main, const QString& text);

// "Save As Sni&ppet...": the active document's whole text under its title, "*" removed.
void OnSaveAsSnippet(CMainFrame& main);

// "Copy As Sni&ppet": the selection as the first free "Text Snippet %d".
void OnCopyAsSnippet(CMainFrame& main);

// Copy As Snippet is enabled only while the active editor has a non-empty selection.
void UpdateSnippetCommands(CMainFrame& main);

}  // namespace qm
