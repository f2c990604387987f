#pragma once
#include <QString>

namespace qm {

class CMainFrame;
class CSnippetDlg;

// The main frame's snippet commands. The frame only routes to these.

// Fixes the folder My Snippets shows (the setting as it is at start-up) and connects the snippet
// commands. The dialog itself is built when it is first needed.
void ConnectSnippetCommands(CMainFrame& main);

// My Snippets, built hidden on the first call from the settings and placed at "SnippetX"/"SnippetY"
// when both are above 0, centred over the frame otherwise. Null only if it cannot be built.
CSnippetDlg* SnippetDialog(CMainFrame& main);

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
