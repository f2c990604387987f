#pragma once
#include <QFont>
#include <QLabel>
#include <QMainWindow>
#include <QMap>
#include <QPointer>
#include <array>
#include <memory>

#include "core/app/datapaths.h"
#include "core/doc/dockinds.h"
#include "core/options/settingstable.h"

class QAction;
class QMenu;
class QMimeData;
class QMdiArea;
class QMdiSubWindow;
class QToolButton;

namespace qm {

class CBackgroundWnd;
class CIconMenu;
class CMenuStyle;
class CTopMenu;
class CChildFrame;
class CCommandBar;
class CNewToolBar;
class CPagePreview;
class CPropSheet;
class CScriptDoc;
class CSnippetDlg;
class CWizardDlg;
class CFindReplaceDlg;
class CEditView;
class CLargeTextView;
class StatusPromptWatcher;

// The one main window. Holds every persisted setting as a member (FrameSettings), the bars,
// the wizards and the fonts, and routes the application-wide commands.
class CMainFrame : public QMainWindow, public FrameSettings {
    Q_OBJECT
public:
    CMainFrame();
    ~CMainFrame() override;

    // Builds the window; false when a part of it cannot be created.
    bool LoadFrame();

    // New documents holding generated text, for the wizards: a new, modified document of the kind
    // titled `title`. False when no document could be made.
    bool CreateDocumentWithText(DocKind kind, const QString& text, const QString& title);
    bool CreateScriptDocument(const QString& text, const QString& title);
    bool CreateDescriptionDocument(const QString& text, const QString& title);
    bool CreateBriefingDocument(const QString& text, const QString& title);

    void UpdateEditorFont();

    // Puts a snippet's text in place of the active editor's selection (one undoable edit).
    void InsertSnippetText(const QString& text);

    // Tools > Options: the sheet gets copies of the settings; accepting applies them.
    void OnOptions();
    void LoadOptions(CPropSheet& sheet) const;
    void ApplyOptions(const CPropSheet& sheet);
    // Associates one kind with the program, or gives it back: in the registry and on the desktop.
    void SetFileTypeAssociation(DocKind kind, bool associate);

    void AddDocumentFrame(CChildFrame* frame);
    void DocumentClosed();
    CScriptDoc* ActiveDocument() const;
    QMdiArea* MdiArea() const;
    void CloseAllDocumentsWithoutAsking();
    void OnCatalogueReloaded();
    void OpenDroppedFiles(const QMimeData& data);

    // Makes the command `id` with its caption, shortcut, picture and status prompt.
    QAction* AddAction(int id, const QString& caption, const QKeySequence& key = {}, const QString& icon = {});
    // Commands, by id; null for an id the frame does not route.
    QAction* Action(int id) const { return m_actions.value(id, nullptr); }
    QMenu* PopupMenu(const QString& name) const { return m_popups.value(name, nullptr); }
    // The menu the user meets for a standard pop-up ("CONTEXT", "DOCKING 1", "DOCKING 2", "NEW"):
    // its owner-drawn counterpart while the custom menus are in use, else the standard one.
    QMenu* ShownMenu(const QString& name) const;
    // Builds the owner-drawn menus (once, at creation, with "CustomMenus" 1); false when one fails.
    bool BuildCustomMenus();
    bool UsesCustomMenus() const { return m_topMenus[0] != nullptr; }
    // The wizard a command shows, made on first use.
    CWizardDlg* Wizard(int commandId);
    // The same, or null when it has not been asked for yet.
    CWizardDlg* MadeWizard(int commandId) const;

    void OnSaveAll();
    void OnNewDocument(DocKind kind);
    void ShowWizard(CWizardDlg* dlg);
    void ToggleBar(int commandId);
    // Opens the "DOCKING 1" menu at a screen point.
    void ShowBarContextMenu(const QPoint& globalPos);
    // Enables and checks the commands as they stand now (before a menu opens).
    void UpdateCommandStates();
    // "Edit Briefing" follows the active document's title and text.
    void UpdateEditBriefing();
    CFindReplaceDlg* FindReplaceDialog();
    // The view of the active document window (a document may have several windows).
    CEditView* ActiveView() const;
    // The same when the active document is a very large file (it has no CEditView).
    CLargeTextView* ActiveLargeView() const;
    // Tells the user that a command cannot serve the active very large file; false when the
    // active document is not one.
    bool RefuseForLargeText() const;

    // The command bar (commandbarhandlers.cpp). FillCommandTree is false without the tree.
    bool FillCommandTree();
    // Refills the "Project Files" branch from m_projectFiles, after slots were added or removed.
    void RefillProjectFiles();
    // Empties a project slot and drops its entry from the tree.
    void RemoveProjectFile(int slot);
    void OnProjectFileSelected(int slot);
    void OnInsertCurrentItem();
    void UpdateInsertItemState();

    // The Ln, Ch and edition panes follow the active view's caret (statusindicators.cpp).
    void UpdateStatusIndicators();
    void WatchCaret(CEditView* view);

    // Quick scripts (ui/tools/quickscriptcommands.cpp).
    void RebuildQuickScripts();
    void OnQuickScript(int index);
    void OnAddQuickScript();
    void OnAddActiveQuickScript();
    void OnDeleteQuickScripts();
    // Project files (ui/tools/projectcommands.cpp).
    void OnAddProjectFile();
    void OnAddActiveProjectFile();
    void OnRemoveProjectFile();
    void OnClearProjectFiles();
    // The slot of the tree's selected project entry, -1 when no project entry is selected.
    int SelectedProjectSlot() const;
    // Recent files and the window list, refilled whenever a menu opens (ui/tools/filelists.cpp).
    void RebuildRecentFiles();
    void RebuildWindowList();
    void OnRecentFile(int index);
    void OnWindowEntry(int index);
    // The list entries of the owner-drawn Quick Scripts, Recent Files and Window menus, appended when
    // those menus are refilled.
    void AppendQuickScriptItems(CIconMenu& menu);
    void AppendRecentFileItems(CIconMenu& menu);
    void AppendWindowItems(CIconMenu& menu);
    // Edit, back up and restore the data files (ui/tools/datacommands.cpp).
    void OnEditDataFile(PathKind kind);
    void OnBackupData();
    void OnRestoreData();

    QFont m_editorFont;
    int m_zoom = 0;  // points added to the editor font for this run (Ctrl++, Ctrl+-, Ctrl+wheel)
    QFont m_menuFont;
    std::array<std::string, kProjectSlots> m_projectFiles;
    QString m_openMissionsText, m_saveInMissionsText;
    // The owner-drawn menus: the no-document and document bars, and the 17 pop-ups (see MenuName).
    std::array<CTopMenu*, 2> m_topMenus{};
    std::array<CIconMenu*, 17> m_iconMenus{};
    CMenuStyle* m_menuStyle = nullptr;  // shared, not owned
    std::array<QString, 12> m_quickScriptNames;
    int m_quickScriptCount = 0;
    std::array<QString, 16> m_recentMenuText;
    std::array<QString, 24> m_windowMenuText;
    std::array<QPointer<QMdiSubWindow>, 24> m_windowFrames;

    CNewToolBar* m_wndToolBar = nullptr;
    CCommandBar* m_wndCommandBar = nullptr;
    CBackgroundWnd* m_wndBackground = nullptr;
    CSnippetDlg* m_snippetDlg = nullptr;  // My Snippets, built when first asked for
    QString m_snippetFolder;              // the folder it shows: the setting as it was at start-up
    CPagePreview* m_wndPagePreview = nullptr;  // null until first shown
    QToolButton* m_newFileButton = nullptr;
    QLabel* m_lineIndicator = nullptr;
    QLabel* m_charIndicator = nullptr;
    QLabel* m_editionIndicator = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    QMenu* createPopupMenu() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void CreateActions();
    bool CreateToolBar();
    bool CreateStatusBar();
    bool CreateCommandBar();
    bool CreatePagePreview();
    void BuildStandardMenus();
    void SwitchMenus();
    void UpdateCaption();
    void SaveSettings();
    void ConnectCommandBar();
    void CreateListActions();
    void BuildListMenus();
    void UpdateListCommandStates();
    // After project slots changed: the tree's "Project Files" branch follows them, selecting a slot's entry.
    void ProjectFilesChanged(int selectSlot);
    // After a restore: the command tree and the snippets list show the restored files.
    void RefreshAfterRestore();

    QMap<int, QAction*> m_actions;
    QMap<QString, QMenu*> m_popups;
    // Null until first asked for (Wizard()); kept, with what the user entered, until the frame closes.
    std::unique_ptr<CWizardDlg> m_descriptionDlg, m_briefingDlg, m_overviewDlg, m_unitDlg, m_crateDlg;
    bool m_documentMenus = false;
    bool m_settingsErrorReported = false;  // a settings file that cannot be written is told once
    CFindReplaceDlg* m_findReplaceDlg = nullptr;
    StatusPromptWatcher* m_prompts = nullptr;
    QList<QAction*> m_standardRecentActions;  // the framework-style recent files of the File menus
};

}  // namespace qm
