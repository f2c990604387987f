// CMainFrame: its commands, toolbar, menus and bar context menu.
#include <QAction>
#include <QContextMenuEvent>
#include <QLayout>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolButton>

#include "ui/app/quillmark.h"
#include "ui/doc/scriptdoc.h"
#include "ui/frames/backgroundwnd.h"
#include "ui/frames/commandbar.h"
#include "ui/frames/commandids.h"
#include "ui/frames/gamecommands.h"
#include "ui/frames/mainfrm.h"
#include "ui/frames/pagepreview.h"
#include "ui/frames/problemcommands.h"
#include "ui/frames/windowcommands.h"
#include "core/menus/custommenus.h"
#include "ui/menus/custommenus.h"
#include "ui/menus/iconmenu.h"
#include "ui/menus/newtoolbar.h"
#include "ui/menus/pictures.h"
#include "ui/tools/snippetcommands.h"
#include "ui/menus/statusprompts.h"
#include "ui/frames/scriptframe.h"
#include "ui/views/assistcommands.h"
#include "ui/views/editingcommands.h"
#include "ui/views/editview.h"
#include "ui/views/findreplacedlg.h"
#include "ui/views/printing.h"
#include "ui/wizards/editbriefing.h"
#include "ui/wizards/wizarddlg.h"

namespace qm {

namespace {
// Commands that act on the active document.
constexpr int kNeedDocument[] = {ID_FILE_CLOSE, ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_SAVE_ALL, ID_EDIT_UNDO,
                                 ID_EDIT_REDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_CLEAR,
                                 ID_EDIT_SELECT_ALL, ID_WINDOW_NEW, ID_SAVE_IN_MISSIONS, ID_WINDOW_CASCADE,
                                 ID_WINDOW_TILE_HORZ, ID_WINDOW_TILE_VERT, ID_WINDOW_ARRANGE, ID_EDIT_FIND,
                                 ID_EDIT_REPLACE, ID_EDIT_REPEAT, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW};
}  // namespace

QAction* CMainFrame::AddAction(int id, const QString& caption, const QKeySequence& key, const QString& icon) {
    auto* a = new QAction(caption, this);
    a->setData(id);
    if (!key.isEmpty()) {
        a->setShortcut(key);
        a->setShortcutContext(Qt::WindowShortcut);
    }
    if (!icon.isEmpty()) a->setIcon(PictureIcon(icon));
    a->setStatusTip(CommandPrompt(id));
    addAction(a);  // so its shortcut works while the menus are switched
    m_actions.insert(id, a);
    return a;
}

void CMainFrame::CreateActions() {
    // The editor commands, for either kind of window.
    auto edit = [this](auto fn, auto large) {
        return [this, fn, large] {
            if (CEditView* v = ActiveView()) fn(v);
            else if (CLargeTextView* l = ActiveLargeView()) large(l);
        };
    };
    auto doc = [this](auto fn) {
        return [this, fn] {
            if (CScriptDoc* d = ActiveDocument()) fn(d);
        };
    };

    connect(AddAction(ID_FILE_NEW, "&New\tCtrl+N", QKeySequence(Qt::CTRL | Qt::Key_N)), &QAction::triggered,
            [] { theApp.OnFileNew(); });
    connect(AddAction(ID_FILE_OPEN, "&Open...\tCtrl+O", QKeySequence(Qt::CTRL | Qt::Key_O), "open"),
            &QAction::triggered, [] { theApp.OnFileOpen(); });
    connect(AddAction(ID_FILE_CLOSE, "&Close"), &QAction::triggered, [this] {
        if (QMdiSubWindow* w = m_wndBackground->activeSubWindow()) w->close();
    });
    connect(AddAction(ID_FILE_SAVE, "&Save\tCtrl+S", QKeySequence(Qt::CTRL | Qt::Key_S), "save"),
            &QAction::triggered, doc([](CScriptDoc* d) { d->OnFileSave(); }));
    connect(AddAction(ID_FILE_SAVE_AS, "Save &As...", {}, "saveas"), &QAction::triggered,
            doc([](CScriptDoc* d) { d->OnFileSaveAs(); }));
    connect(AddAction(ID_SAVE_ALL, "Save A&ll\tF2", QKeySequence(Qt::Key_F2), "saveall"), &QAction::triggered, this,
            &CMainFrame::OnSaveAll);
    AddAction(ID_SAVE_AS_SNIPPET, "Save As Sni&ppet...");
    connect(AddAction(ID_FILE_PRINT, "&Print...\tCtrl+P", QKeySequence(Qt::CTRL | Qt::Key_P), "print"),
            &QAction::triggered, edit([](CEditView* v) { OnFilePrint(*v); }, [](CLargeTextView* l) { OnFilePrint(*l); }));
    connect(AddAction(ID_FILE_PRINT_PREVIEW, "Print Pre&view"), &QAction::triggered,
            edit([](CEditView* v) { OnFilePrintPreview(*v); }, [](CLargeTextView* l) { OnFilePrintPreview(*l); }));
    connect(AddAction(ID_FILE_PRINT_SETUP, "P&rint Setup..."), &QAction::triggered, [] { OnFilePrintSetup(); });
    connect(AddAction(ID_RUN_GAME, "&Run Varnholt -nosplash", {}, "rungame"), &QAction::triggered,
            [this] { OnRunGame(*this); });
    connect(AddAction(ID_OPEN_MISSIONS,
                      m_openMissionsText.isEmpty() ? QStringLiteral("Open Missions...") : m_openMissionsText),
            &QAction::triggered, [] { OnOpenMissions(); });
    connect(AddAction(ID_SAVE_IN_MISSIONS,
                      m_saveInMissionsText.isEmpty() ? QStringLiteral("Save In Missions...") : m_saveInMissionsText),
            &QAction::triggered, [this] { OnSaveInMissions(*this); });
    connect(AddAction(ID_APP_EXIT, "E&xit\tEsc", QKeySequence(Qt::Key_Escape)), &QAction::triggered, this,
            &QWidget::close);

    connect(AddAction(ID_NEW_FILE, "New File", {}, "new"), &QAction::triggered,
            [this] { OnNewDocument(DocKind::Script); });
    const std::pair<int, std::pair<const char*, DocKind>> newKinds[] = {
        {ID_NEW_SCRIPT, {"&Script File (.sqs)", DocKind::Script}},
        {ID_NEW_DESCRIPTION, {"&Description File (.ext)", DocKind::Description}},
        {ID_NEW_BRIEFING, {"&Briefing File (.html)", DocKind::Briefing}},
        {ID_NEW_FUNCTION, {"&Function File (.sqf)", DocKind::Function}},
        {ID_NEW_STRINGTABLE, {"S&tring Table File (.csv)", DocKind::StringTable}},
        {ID_NEW_TEXT, {"&Text File (.txt)", DocKind::Text}},
    };
    for (const auto& [id, entry] : newKinds) {
        const DocKind kind = entry.second;
        connect(AddAction(id, entry.first, {}, "new"), &QAction::triggered, [this, kind] { OnNewDocument(kind); });
    }

    const std::pair<int, std::pair<const char*, const char*>> wizards[] = {
        {ID_WIZARD_BRIEFING, {"&Briefing Wizard...", "briefing"}},
        {ID_WIZARD_OVERVIEW, {"&Overview Wizard...", "overview"}},
        {ID_WIZARD_DESCRIPTION, {"&Description Wizard...", "description"}},
        {ID_WIZARD_UNIT, {"&Special Unit Wizard...", "unit"}},
        {ID_WIZARD_CRATE, {"&Crate Builder Wizard...", "crate"}},
    };
    for (const auto& [id, entry] : wizards) {
        const int cmd = id;
        connect(AddAction(id, entry.first, {}, entry.second), &QAction::triggered,
                [this, cmd] { ShowWizard(Wizard(cmd)); });
    }

    connect(AddAction(ID_EDIT_UNDO, "&Undo\tCtrl+Z", QKeySequence(Qt::CTRL | Qt::Key_Z), "undo"),
            &QAction::triggered, edit([](CEditView* v) { v->OnEditUndo(); }, [](CLargeTextView* l) { l->Undo(); }));
    connect(AddAction(ID_EDIT_REDO, "&Redo\tCtrl+Y", QKeySequence(Qt::CTRL | Qt::Key_Y), "redo"),
            &QAction::triggered, edit([](CEditView* v) { v->redo(); }, [](CLargeTextView* l) { l->Redo(); }));
    QAction* cut = AddAction(ID_EDIT_CUT, "Cu&t\tCtrl+X", QKeySequence(Qt::CTRL | Qt::Key_X), "cut");
    cut->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)});
    connect(cut, &QAction::triggered, edit([](CEditView* v) { v->cut(); }, [](CLargeTextView* l) { l->Cut(); }));
    QAction* copy = AddAction(ID_EDIT_COPY, "&Copy\tCtrl+C", QKeySequence(Qt::CTRL | Qt::Key_C), "copy");
    copy->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)});
    connect(copy, &QAction::triggered, edit([](CEditView* v) { v->copy(); }, [](CLargeTextView* l) { l->Copy(); }));
    QAction* paste = AddAction(ID_EDIT_PASTE, "&Paste\tCtrl+V", QKeySequence(Qt::CTRL | Qt::Key_V), "paste");
    paste->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)});
    connect(paste, &QAction::triggered, edit([](CEditView* v) { v->OnEditPaste(); }, [](CLargeTextView* l) { l->Paste(); }));
    QAction* clear = AddAction(ID_EDIT_CLEAR, "&Delete\tDel");
    // The Edit menu shows "Del", but the key belongs to the view (it also deletes with nothing
    // selected): bound only to the frame widget itself, it never takes the key from the view.
    clear->setShortcut(QKeySequence(Qt::Key_Delete));
    clear->setShortcutContext(Qt::WidgetShortcut);
    clear->setShortcutVisibleInContextMenu(false);
    connect(clear, &QAction::triggered, edit([](CEditView* v) { v->textCursor().removeSelectedText(); },
                                      [](CLargeTextView* l) { l->DeleteSelection(); }));
    connect(AddAction(ID_EDIT_SELECT_ALL, "Select &All\tCtrl+A", QKeySequence(Qt::CTRL | Qt::Key_A)),
            &QAction::triggered, edit([](CEditView* v) { v->selectAll(); }, [](CLargeTextView* l) { l->SelectAll(); }));
    connect(AddAction(ID_EDIT_FIND, "&Find Text...\tCtrl+F", QKeySequence(Qt::CTRL | Qt::Key_F), "find"),
            &QAction::triggered, [this] { FindReplaceDialog()->ShowFind(); });
    connect(AddAction(ID_EDIT_REPLACE, "R&eplace Text...\tCtrl+H", QKeySequence(Qt::CTRL | Qt::Key_H), "replace"),
            &QAction::triggered, [this] { FindReplaceDialog()->ShowReplace(); });
    connect(AddAction(ID_EDIT_REPEAT, "Find &Next\tF3", QKeySequence(Qt::Key_F3)), &QAction::triggered,
            [this] { FindReplaceDialog()->Repeat(); });
    connect(AddAction(ID_INSERT_ITEM, "&Insert Current Item"), &QAction::triggered, this,
            &CMainFrame::OnInsertCurrentItem);
    AddAction(ID_INSERT_SNIPPET, "Insert &Snippet...", {}, "snippet");
    AddAction(ID_COPY_AS_SNIPPET, "Copy As Sni&ppet");
    connect(AddAction(ID_EDIT_BRIEFING, "Edit Briefing...", {}, "editbriefing"), &QAction::triggered,
            [this] { OnEditBriefing(*this); });

    for (int id : {ID_VIEW_TOOLBAR, ID_VIEW_COMMANDBAR, ID_VIEW_STATUS_BAR}) {
        const char* caption = id == ID_VIEW_TOOLBAR ? "&Main Toolbar" : id == ID_VIEW_COMMANDBAR ? "&Command Bar"
                                                                                                : "Status &Bar";
        QAction* a = AddAction(id, caption);
        a->setCheckable(true);
        connect(a, &QAction::triggered, [this, id] { ToggleBar(id); });
    }
    QAction* labels = AddAction(ID_VIEW_LABELSBAR, "&Labels Toolbar");
    labels->setCheckable(true);
    connect(labels, &QAction::triggered, [this] {
        if (auto* frame = qobject_cast<CScriptFrame*>(m_wndBackground->activeSubWindow())) frame->OnToggleLabelsBar();
        UpdateCommandStates();
    });

    QAction* preview = AddAction(ID_VIEW_PAGEPREVIEW, "&Page Preview");
    preview->setCheckable(true);
    connect(preview, &QAction::triggered, [this] { ToggleBar(ID_VIEW_PAGEPREVIEW); });

    connect(AddAction(ID_COMREF, "Command &Reference Manual"), &QAction::triggered,
            [this] { OnCommandReference(*this); });
    connect(AddAction(ID_LINK_HOME, "&Varnholt Home Page - LATEST PATCH"), &QAction::triggered,
            [] { OnOpenWebPage(kHomePageAddress); });
    connect(AddAction(ID_LINK_EDITING, "Varnholt &Editing Center - DOWNLOADS AND HELP"), &QAction::triggered,
            [] { OnOpenWebPage(kEditingCenterAddress); });
    connect(AddAction(ID_LINK_UPDATES, "&Updates and Error Reporting"), &QAction::triggered,
            [] { OnOpenWebPage(kUpdatesAddress); });
    AddAction(ID_EDIT_COMMANDS_DATA, "Edit &Commands Data");
    AddAction(ID_EDIT_WEAPONS_DATA, "Edit &Weapons Data");
    AddAction(ID_EDIT_SYNTAX_DATA, "Edit &Syntax Data");
    AddAction(ID_EDIT_UNIT_DATA, "Edit &Unit Wizard Data");
    AddAction(ID_EDIT_HEADER_DATA, "Edit &Auto Header Data");
    AddAction(ID_BACKUP_DATA, "&Backup Data Files");
    AddAction(ID_RESTORE_DATA, "&Restore Backup Data");
    connect(AddAction(ID_UPDATE_APP_DATA, "U&pdate Application Data"), &QAction::triggered,
            [] { theApp.UpdateApplicationData(); });
    connect(AddAction(ID_OPTIONS, "&Options...", {}, "options"), &QAction::triggered, this, &CMainFrame::OnOptions);
    AddAction(ID_ADD_PROJECT_FILE, "&Add Project File...");
    AddAction(ID_ADD_ACTIVE_PROJECT_FILE, "Add &Current Active File");
    AddAction(ID_REMOVE_PROJECT_FILE, "&Remove Project File");
    AddAction(ID_CLEAR_PROJECT_FILES, "C&lear Project Files");
    AddAction(ID_ADD_QUICK_SCRIPT, "Add Quick Script...");
    AddAction(ID_ADD_ACTIVE_QUICK_SCRIPT, "Add Current Active File");
    AddAction(ID_DELETE_QUICK_SCRIPTS, "Delete Quick Scripts...");

    connect(AddAction(ID_WINDOW_NEW, "&New Window"), &QAction::triggered, [this] { OpenNewWindow(*this); });
    connect(AddAction(ID_WINDOW_CASCADE, "&Cascade"), &QAction::triggered, m_wndBackground,
            &QMdiArea::cascadeSubWindows);
    connect(AddAction(ID_WINDOW_TILE_HORZ, "&Tile Horizontally"), &QAction::triggered, m_wndBackground,
            &CBackgroundWnd::TileHorizontally);
    connect(AddAction(ID_WINDOW_TILE_VERT, "Tile &Vertically"), &QAction::triggered, m_wndBackground,
            &CBackgroundWnd::TileVertically);
    connect(AddAction(ID_WINDOW_ARRANGE, "&Arrange Icons"), &QAction::triggered, m_wndBackground,
            &CBackgroundWnd::ArrangeIcons);
    connect(AddAction(ID_NEXT_DOC, "N&ext\tF6", QKeySequence(Qt::Key_F6), "nextdoc"), &QAction::triggered,
            m_wndBackground, &QMdiArea::activateNextSubWindow);
    connect(AddAction(ID_PREV_DOC, "&Previous\tShift+F6", QKeySequence(Qt::SHIFT | Qt::Key_F6), "prevdoc"),
            &QAction::triggered, m_wndBackground, &QMdiArea::activatePreviousSubWindow);

    connect(AddAction(ID_HELP_INDEX, "&Help Contents\tF1", QKeySequence(Qt::Key_F1), "help"), &QAction::triggered,
            [] { theApp.OnHelp(); });
    connect(AddAction(ID_APP_ABOUT, "&About Quillmark...", {}, "about"), &QAction::triggered,
            [] { theApp.OnAppAbout(); });

    ConnectEditingCommands(*this);
    ConnectProblemCommands(*this);
    ConnectAssistCommands(*this);
    CreateListActions();
    // Menu texts carry their shortcut after a tab; Qt shows the shortcut itself.
    for (QAction* a : std::as_const(m_actions)) a->setText(a->text().section('\t', 0, 0));
}

bool CMainFrame::CreateToolBar() {
    m_wndToolBar = new CNewToolBar(QStringLiteral("Main Toolbar"), this);
    m_wndToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    addToolBar(Qt::TopToolBarArea, m_wndToolBar);
    m_wndToolBar->installEventFilter(this);

    QMenu* newMenu = new QMenu(QStringLiteral("NEW"), this);
    for (int id : {ID_NEW_SCRIPT, ID_NEW_DESCRIPTION, ID_NEW_BRIEFING, ID_NEW_FUNCTION, ID_NEW_STRINGTABLE, ID_NEW_TEXT})
        newMenu->addAction(Action(id));
    m_popups.insert(QStringLiteral("NEW"), newMenu);

    m_newFileButton = new QToolButton(m_wndToolBar);
    m_newFileButton->setDefaultAction(Action(ID_NEW_FILE));
    m_newFileButton->setMenu(newMenu);
    m_newFileButton->setPopupMode(QToolButton::MenuButtonPopup);
    m_wndToolBar->addWidget(m_newFileButton);

    // The toolbar's buttons in order; 0 is a separator.
    const int buttons[] = {ID_FILE_OPEN, ID_FILE_SAVE, ID_SAVE_ALL, ID_FILE_SAVE_AS, 0, ID_EDIT_CUT, ID_EDIT_COPY,
                           ID_EDIT_PASTE, 0, ID_EDIT_UNDO, 0, ID_INSERT_SNIPPET, 0, ID_WIZARD_BRIEFING,
                           ID_WIZARD_OVERVIEW, ID_WIZARD_DESCRIPTION, ID_WIZARD_UNIT, ID_WIZARD_CRATE, 0,
                           ID_EDIT_BRIEFING, 0, ID_PREV_DOC, ID_NEXT_DOC, 0, ID_OPTIONS, 0, ID_RUN_GAME, 0,
                           ID_APP_ABOUT};
    const std::map<int, const char*> tips = {
        {ID_NEW_FILE, "New File"},          {ID_FILE_OPEN, "Open"},
        {ID_FILE_SAVE, "Save"},             {ID_SAVE_ALL, "Save All"},
        {ID_FILE_SAVE_AS, "Save As"},       {ID_EDIT_CUT, "Cut"},
        {ID_EDIT_COPY, "Copy"},             {ID_EDIT_PASTE, "Paste"},
        {ID_EDIT_UNDO, "Undo"},             {ID_INSERT_SNIPPET, "Insert Snippet"},
        {ID_WIZARD_BRIEFING, "Briefing Wizard"}, {ID_WIZARD_OVERVIEW, "Overview Wizard"},
        {ID_WIZARD_DESCRIPTION, "Description Wizard"}, {ID_WIZARD_UNIT, "Special Unit Wizard"},
        {ID_WIZARD_CRATE, "Crate Builder Wizard"}, {ID_EDIT_BRIEFING, "Edit Briefing"},
        {ID_PREV_DOC, "Previous document"}, {ID_NEXT_DOC, "Next document"},
        {ID_OPTIONS, "Options"},            {ID_RUN_GAME, "Run game"},
        {ID_APP_ABOUT, "About"}};
    Action(ID_NEW_FILE)->setToolTip(tips.at(ID_NEW_FILE));
    for (int id : buttons) {
        if (id == 0) {
            m_wndToolBar->addSeparator();
            continue;
        }
        QAction* a = Action(id);
        a->setToolTip(tips.at(id));
        m_wndToolBar->addAction(a);
    }
    return true;
}

void CMainFrame::BuildStandardMenus() {
    auto popup = [this](const QString& key, const QString& caption, std::initializer_list<int> ids) {
        QMenu* m = new QMenu(caption, this);
        for (int id : ids) {
            if (id == 0) m->addSeparator();
            else m->addAction(Action(id));
        }
        m_popups.insert(key, m);
        return m;
    };
    QMenu* newFile = popup("New File", "&New File", {ID_NEW_SCRIPT, ID_NEW_DESCRIPTION, ID_NEW_BRIEFING,
                                                     ID_NEW_FUNCTION, ID_NEW_STRINGTABLE, ID_NEW_TEXT});
    QMenu* wizards = popup("Wizard Created File", "&Wizard Created File",
                           {ID_WIZARD_BRIEFING, ID_WIZARD_OVERVIEW, ID_WIZARD_DESCRIPTION, ID_WIZARD_UNIT,
                            ID_WIZARD_CRATE});

    QMenu* fileNoDoc = popup("File (no document)", "&File", {});
    fileNoDoc->addMenu(newFile);
    fileNoDoc->addMenu(wizards);
    // The player's mission-folder commands, while "ShowUsers" is 1 and the game names a player.
    const bool missions = m_showUsers == 1 && !m_openMissionsText.isEmpty();
    for (int id : {0, (int)ID_FILE_OPEN, missions ? (int)ID_OPEN_MISSIONS : -1, 0, (int)ID_RUN_GAME, 0,
                   (int)ID_FILE_PRINT_SETUP, 0, (int)ID_APP_EXIT})
        if (id >= 0) id ? (void)fileNoDoc->addAction(Action(id)) : (void)fileNoDoc->addSeparator();

    QMenu* fileDoc = popup("File (document)", "&File", {});
    fileDoc->addMenu(newFile);
    fileDoc->addMenu(wizards);
    for (int id : {0, (int)ID_FILE_OPEN, missions ? (int)ID_OPEN_MISSIONS : -1, (int)ID_FILE_CLOSE, 0,
                   (int)ID_FILE_SAVE, (int)ID_SAVE_ALL, (int)ID_FILE_SAVE_AS,
                   missions ? (int)ID_SAVE_IN_MISSIONS : -1, (int)ID_SAVE_AS_SNIPPET, 0, (int)ID_RUN_GAME, 0,
                   (int)ID_FILE_PRINT, (int)ID_FILE_PRINT_PREVIEW, (int)ID_FILE_PRINT_SETUP, 0, (int)ID_APP_EXIT})
        if (id >= 0) id ? (void)fileDoc->addAction(Action(id)) : (void)fileDoc->addSeparator();

    popup("Edit", "&Edit",
          {ID_EDIT_UNDO, ID_EDIT_REDO, 0, ID_INSERT_ITEM, ID_INSERT_SNIPPET, 0, ID_EDIT_BRIEFING, 0, ID_EDIT_CUT,
           ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_CLEAR, ID_COPY_AS_SNIPPET, 0, ID_EDIT_FIND, ID_EDIT_FIND_PREVIOUS,
           ID_EDIT_REPLACE, ID_EDIT_GOTO_LINE, ID_EDIT_GOTO_LABEL, 0, ID_EDIT_COMPLETE_WORD, ID_EDIT_SYNTAX_TIP, 0,
           ID_EDIT_TOGGLE_REMARK, 0, ID_EDIT_SELECT_ALL});
    popup("View", "&View",
          {ID_VIEW_TOOLBAR, ID_VIEW_COMMANDBAR, ID_VIEW_LABELSBAR, ID_VIEW_STATUS_BAR, 0, ID_VIEW_PAGEPREVIEW,
           ID_VIEW_PROBLEMS, 0, ID_VIEW_LINENUMBERS, ID_VIEW_AUTOCOMPLETE, ID_VIEW_ZOOM_IN, ID_VIEW_ZOOM_OUT,
           ID_VIEW_ZOOM_RESET});
    QMenu* links = popup("Helpful Links", "Helpful &Links", {ID_LINK_HOME, ID_LINK_EDITING, 0, ID_LINK_UPDATES});
    QMenu* data = popup("Edit Data Files", "&Edit Data Files",
                        {ID_EDIT_COMMANDS_DATA, ID_EDIT_WEAPONS_DATA, ID_EDIT_UNIT_DATA, ID_EDIT_SYNTAX_DATA,
                         ID_EDIT_HEADER_DATA, 0, ID_BACKUP_DATA, ID_RESTORE_DATA, 0, ID_UPDATE_APP_DATA});
    QMenu* tools = popup("Tools", "&Tools", {ID_COMREF, ID_CHECK_MISSION, 0});
    tools->addMenu(links);
    tools->addMenu(data);
    tools->addSeparator();
    tools->addAction(Action(ID_OPTIONS));
    popup("Window", "&Window",
          {ID_WINDOW_NEW, ID_WINDOW_CASCADE, ID_WINDOW_TILE_HORZ, ID_WINDOW_TILE_VERT, ID_WINDOW_ARRANGE, 0,
           ID_NEXT_DOC, ID_PREV_DOC});
    QMenu* help = popup("Help", "&Help", {ID_HELP_INDEX, ID_COMREF, 0});
    help->addMenu(links);
    help->addSeparator();
    help->addAction(Action(ID_APP_ABOUT));
    popup("DOCKING 1", "DOCKING 1", {ID_VIEW_TOOLBAR, ID_VIEW_COMMANDBAR, ID_VIEW_STATUS_BAR});
    popup("CONTEXT", "CONTEXT",
          {ID_EDIT_UNDO, 0, ID_INSERT_ITEM, ID_INSERT_SNIPPET, 0, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE,
           ID_EDIT_CLEAR, ID_COPY_AS_SNIPPET, 0, ID_EDIT_SELECT_ALL});
    BuildListMenus();
    m_documentMenus = true;  // forces the first switch
    SwitchMenus();
}

void CMainFrame::SwitchMenus() {
    const bool documents = !theApp.Documents().empty();
    if (UsesCustomMenus()) {
        if (documents == m_documentMenus) return;
        m_documentMenus = documents;
        CTopMenu* bar = m_topMenus[documents ? 1 : 0];
        QWidget* old = layout()->menuBar();
        if (old == bar) return;
        // Detached first, so that the frame hides the old bar instead of deleting it.
        layout()->setMenuBar(nullptr);
        if (old) {
            old->hide();
            if (!qobject_cast<CTopMenu*>(old)) old->deleteLater();  // the standard bar is not needed again
        }
        setMenuBar(bar);
        bar->show();
        return;
    }
    if (documents == m_documentMenus && !menuBar()->actions().isEmpty()) return;
    m_documentMenus = documents;
    menuBar()->clear();
    const QStringList names = documents
        ? QStringList{"File (document)", "Edit", "View", "Tools", "Window", "Help"}
        : QStringList{"File (no document)", "View", "Tools", "Help"};
    for (const QString& n : names) menuBar()->addMenu(m_popups.value(n));
}

void CMainFrame::UpdateCommandStates() {
    const bool anyDocument = !theApp.Documents().empty();
    for (int id : kNeedDocument)
        if (QAction* a = Action(id)) a->setEnabled(anyDocument);
    Action(ID_VIEW_TOOLBAR)->setChecked(m_toolBar != 0);
    Action(ID_VIEW_COMMANDBAR)->setChecked(m_commandBar != 0);
    Action(ID_VIEW_STATUS_BAR)->setChecked(m_statusBar != 0);
    Action(ID_VIEW_PAGEPREVIEW)->setChecked(m_pagePreview != 0);
    // The labels bar belongs to the active script window.
    auto* scriptFrame = qobject_cast<CScriptFrame*>(m_wndBackground->activeSubWindow());
    Action(ID_VIEW_LABELSBAR)->setEnabled(scriptFrame != nullptr);
    Action(ID_VIEW_LABELSBAR)->setChecked(scriptFrame ? scriptFrame->m_showLabels : m_labelsBar == 1);
    UpdateSnippetCommands(*this);
    const bool switchable = CanSwitchDocuments(m_wndBackground);
    Action(ID_NEXT_DOC)->setEnabled(switchable);
    Action(ID_PREV_DOC)->setEnabled(switchable);
    UpdateInsertItemState();
    UpdateEditBriefing();
    UpdateListCommandStates();
    UpdateEditingCommands(*this);
    UpdateProblemCommands(*this);
    UpdateAssistCommands(*this);
}

void CMainFrame::UpdateEditBriefing() { Action(ID_EDIT_BRIEFING)->setEnabled(CanEditBriefing(ActiveDocument())); }

void CMainFrame::ToggleBar(int commandId) {
    if (commandId == ID_VIEW_PAGEPREVIEW && !m_wndPagePreview) {
        if (!CreatePagePreview()) return;
        m_wndPagePreview->hide();  // shown below, as a hidden one is
    }
    QWidget* bar = commandId == ID_VIEW_TOOLBAR       ? static_cast<QWidget*>(m_wndToolBar)
                   : commandId == ID_VIEW_COMMANDBAR  ? static_cast<QWidget*>(m_wndCommandBar)
                   : commandId == ID_VIEW_PAGEPREVIEW ? static_cast<QWidget*>(m_wndPagePreview)
                                                      : static_cast<QWidget*>(statusBar());
    const bool show = bar->isHidden();
    int& setting = commandId == ID_VIEW_TOOLBAR       ? m_toolBar
                   : commandId == ID_VIEW_COMMANDBAR  ? m_commandBar
                   : commandId == ID_VIEW_PAGEPREVIEW ? m_pagePreview
                                                      : m_statusBar;
    setting = show ? 1 : 0;
    bar->setVisible(show);
    UpdateCommandStates();
}

QMenu* CMainFrame::createPopupMenu() {
    // The framework asks for this on right-clicks on the toolbar and the docked bars and deletes
    // what it gets: the bar menu is shown here instead.
    ShowBarContextMenu(QCursor::pos());
    return nullptr;
}

void CMainFrame::ShowBarContextMenu(const QPoint& globalPos) {
    UpdateCommandStates();
    ShownMenu(QStringLiteral("DOCKING 1"))->popup(globalPos);
}

QMenu* CMainFrame::ShownMenu(const QString& name) const {
    if (UsesCustomMenus()) {
        MenuName custom = MenuName::EditorContext;
        if (name == QLatin1String("DOCKING 1")) custom = MenuName::BarContext;
        else if (name == QLatin1String("DOCKING 2")) custom = MenuName::LabelsBar;
        else if (name == QLatin1String("NEW")) custom = MenuName::NewFile;
        else if (name != QLatin1String("CONTEXT")) return PopupMenu(name);
        return m_iconMenus[IconMenuIndex(custom)];
    }
    return PopupMenu(name);
}

bool CMainFrame::BuildCustomMenus() { return qm::BuildCustomMenus(*this); }

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ContextMenu &&
        (watched == statusBar() || watched->parent() == statusBar() || watched == m_wndToolBar)) {
        ShowBarContextMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace qm

namespace qm {

CFindReplaceDlg* CMainFrame::FindReplaceDialog() {
    if (!m_findReplaceDlg) m_findReplaceDlg = new CFindReplaceDlg(this);
    return m_findReplaceDlg;
}

}  // namespace qm
