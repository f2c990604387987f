#include "ui/frames/mainfrm.h"
#include "ui/tools/lastsessioncommands.h"
#include "ui/views/editingcommands.h"

#include <QCloseEvent>
#include <QDebug>
#include <QGuiApplication>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QToolButton>
#include <QTextBlock>

#include "core/app/gameregistry.h"
#include "ui/app/doctemplate.h"
#include "ui/app/prompter.h"
#include "ui/app/quillmark.h"
#include "ui/doc/scriptdoc.h"
#include "ui/frames/backgroundwnd.h"
#include "ui/frames/gamecommands.h"
#include "ui/frames/childfrm.h"
#include "ui/frames/commandbar.h"
#include "ui/frames/commandids.h"
#include "ui/frames/pagepreview.h"
#include "ui/frames/problemcommands.h"
#include "ui/frames/popupescapeguard.h"
#include "ui/frames/screenplacement.h"
#include "ui/menus/statusprompts.h"
#include "ui/menus/newtoolbar.h"
#include "ui/tools/snippetcommands.h"
#include "ui/tools/snippetdlg.h"
#include "ui/views/editview.h"
#include "ui/wizards/wizardfactory.h"

namespace qm {

namespace {
SettingDefaults MachineDefaults() {
    SettingDefaults d;
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        d.screenWidth = s->geometry().width();
        d.screenHeight = s->geometry().height();
    }
    d.snippetDir = theApp.GetDataPath(PATH_SNIPPETS);
    d.backupDir = theApp.GetDataPath(PATH_BACKUP);
    d.comRefDir = theApp.GetDataPath(PATH_COMREF);
    return d;
}

constexpr int kPagePreviewWidth = 320;

int ScreenDpiY() {
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? qRound(s->logicalDotsPerInchY()) : 96;
}
}  // namespace

CMainFrame::CMainFrame() {
    AppProfile profile = theApp.Profile();
    const SettingDefaults defaults = MachineDefaults();
    static_cast<FrameSettings&>(*this) = ReadFrameSettings(profile, defaults);
    KeepPlacementOnScreens(*this, AvailableScreenRects(), defaults);
    const auto projects = ReadProjectFiles(profile);
    std::copy(projects.begin(), projects.end(), m_projectFiles.begin());

    m_customMenus = theApp.m_customMenus;
    if (m_customMenus == 1) {
        const MissionCaptions c = MakeMissionCaptions(CurrentGame(kGamePlayer).player);
        m_openMissionsText = QString::fromStdString(c.open);
        m_saveInMissionsText = QString::fromStdString(c.saveIn);
    }
    std::srand(static_cast<unsigned>(std::time(nullptr)));  // the unit and crate wizards draw names

    new PopupEscapeGuard(this);
    setWindowTitle(QStringLiteral("Quillmark"));
    setWindowIcon(QIcon(QStringLiteral(":/pictures/app.png")));
}

CMainFrame::~CMainFrame() {
    // Document windows still here die with the frame; they must not call back into it, nor may
    // the area's activation of the next window while they go.
    if (m_wndBackground) {
        disconnect(m_wndBackground, nullptr, this, nullptr);
        for (QMdiSubWindow* w : m_wndBackground->subWindowList()) disconnect(w, nullptr, this, nullptr);
    }
}

bool CMainFrame::LoadFrame() {
    m_wndBackground = new CBackgroundWnd(this);
    m_wndBackground->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_wndBackground->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_wndBackground);
    connect(m_wndBackground, &QMdiArea::subWindowActivated, this, [this] {
        UpdateCaption();
        UpdateCommandStates();
        UpdateStatusIndicators();
        if (m_wndPagePreview) m_wndPagePreview->SetDocument(ActiveDocument());
    });

    CreateActions();
    if (!CreateToolBar()) {
        qDebug().noquote() << "ERROR: Failed to create toolbar.\n";
        return false;
    }
    if (!CreateStatusBar()) {
        qDebug().noquote() << "ERROR: Failed to create status bar.\n";
        return false;
    }
    WatchLinePaneClicks(*this);
    if (!CreateCommandBar()) {
        qDebug().noquote() << "ERROR: Failed to create dialog bar.\n";
        return false;
    }
    // A hidden Page Preview is made when it is first shown.
    if (m_pagePreview != 0 && !CreatePagePreview()) {
        qDebug().noquote() << "ERROR: Failed to create page preview.\n";
        return false;
    }
    CreateProblemsBarIfShown(*this);
    m_wndToolBar->setVisible(m_toolBar != 0);
    m_wndCommandBar->setVisible(m_commandBar != 0);
    m_wndCommandBar->ShowSyntaxPane(m_showSyntax != 0);
    statusBar()->setVisible(m_statusBar != 0);

    UpdateEditorFont();
    m_menuFont = QFont(QStringLiteral("Tahoma"));
    m_menuFont.setPointSizeF(8.5);

    if (!isMaximized() && m_winWidth > 0 && m_winHeight > 0) {
        move(m_winX, m_winY);
        resize(m_winWidth, m_winHeight);
    }
    BuildStandardMenus();
    if (m_customMenus == 1) {
        if (!BuildCustomMenus()) {
            qDebug().noquote() << "ERROR: Failed to create custom menus.\n";
            return false;
        }
        m_newFileButton->setMenu(ShownMenu(QStringLiteral("NEW")));
        m_documentMenus = true;  // forces the first switch, now to the custom bars
        SwitchMenus();
    }
    ConnectSnippetCommands(*this);

    if (m_firstRun == 1) {
        m_regSQS = 1;
        m_regEXT = 1;
        SetFileTypeAssociation(DocKind::Script, true);
        SetFileTypeAssociation(DocKind::Description, true);
        m_firstRun = 0;
    }
    UpdateCommandStates();
    UpdateStatusIndicators();
    return true;
}

bool CMainFrame::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    if (!bar) return false;
    bar->installEventFilter(this);
    auto pane = [bar, this](const QString& text, const QString& widthSample) {
        auto* label = new QLabel(text, bar);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(widthSample) + 8);
        label->setAlignment(Qt::AlignCenter);
        bar->addPermanentWidget(label);
        label->installEventFilter(this);
        return label;
    };
    pane(QStringLiteral(" "), QStringLiteral(" "));
    m_lineIndicator = pane(QString(), QStringLiteral("Ln: 1000-1000"));
    m_charIndicator = pane(QString(), QStringLiteral("Ch: 100-1000"));
    m_editionIndicator = pane(QString(), QStringLiteral("RESISTANCE"));
    // The keyboard lock indicators; Qt cannot read the lock states everywhere, so they stay blank.
    pane(QString(), QStringLiteral("CAP"));
    pane(QString(), QStringLiteral("NUM"));
    pane(QString(), QStringLiteral("SCRL"));
    m_prompts = new StatusPromptWatcher(bar);
    m_prompts->Show(QString());
    return true;
}

bool CMainFrame::CreateCommandBar() {
    m_wndCommandBar = new CCommandBar(this);
    addDockWidget(Qt::LeftDockWidgetArea, m_wndCommandBar);
    ConnectCommandBar();
    return FillCommandTree();
}

bool CMainFrame::CreatePagePreview() {
    m_wndPagePreview = new CPagePreview(this);
    addDockWidget(Qt::RightDockWidgetArea, m_wndPagePreview);
    resizeDocks({m_wndPagePreview}, {kPagePreviewWidth}, Qt::Horizontal);
    connect(m_wndPagePreview, &CPagePreview::StatusMessage, this, [this](const QString& text) {
        if (statusBar()) statusBar()->showMessage(text);
    });
    connect(m_wndPagePreview, &CPagePreview::Closed, this, [this] {
        m_pagePreview = 0;
        UpdateCommandStates();
    });
    m_wndPagePreview->SetDocument(ActiveDocument());
    return true;
}

void CMainFrame::UpdateEditorFont() {
    QFont f(QString::fromStdString(m_fontName));
    // Points to pixels at the screen's vertical resolution, rounded down as an integer multiply-divide.
    f.setPixelSize(std::max(1, m_fontSize * ScreenDpiY() / 72));
    f.setWeight(m_boldFonts == 1 ? QFont::Bold : QFont::Normal);
    f.setItalic(false);
    f.setUnderline(false);
    f.setStrikeOut(false);
    f.setStyleHint(QFont::TypeWriter);
    m_editorFont = f;
}

QMdiArea* CMainFrame::MdiArea() const { return m_wndBackground; }

void CMainFrame::AddDocumentFrame(CChildFrame* frame) {
    m_wndBackground->addSubWindow(frame);
    // Before the window is first shown neither it nor the area has its size yet: judge from the
    // size the window will open with (the stored one, else the first-start 800 x 600).
    QSize area = m_wndBackground->viewport()->size();
    if (!isVisible()) {
        const QSize window = m_winWidth > 0 && m_winHeight > 0 ? QSize(m_winWidth, m_winHeight) : QSize(800, 600);
        area = window - QSize((m_wndCommandBar && m_commandBar ? 210 : 0) + (m_pagePreview ? kPagePreviewWidth : 0), 120);
    }
    frame->resize(std::max(320, area.width() * 3 / 4), std::max(200, area.height() * 3 / 4));
    // New windows cascade from the top-left corner, one title bar lower each, and start again at
    // the corner before one would reach past the area.
    const int step = frame->style()->pixelMetric(QStyle::PM_TitleBarHeight) + 4;
    const int room = std::min(area.width() - frame->width(), area.height() - frame->height());
    const int steps = std::clamp(room / step + 1, 1, 8);
    const int n = static_cast<int>(m_wndBackground->subWindowList().size() - 1) % steps;
    frame->move(n * step, n * step);
    // Once per document: the connections outlive a further window (New Window) and would add
    // their work to every keystroke each time one is opened.
    if (CScriptDoc* doc = frame->GetDocument(); doc && !frame->m_extraWindow) {
        connect(doc, &CScriptDoc::TitleChanged, this, [this] {
            UpdateCaption();
            UpdateEditBriefing();
        });
        if (CEditView* view = doc->GetView())
            connect(view, &QPlainTextEdit::textChanged, this, [this, doc] {
                if (doc == ActiveDocument()) UpdateEditBriefing();
            });
    }
    WatchCaret(frame->GetView());
    if (CLargeTextView* large = frame->GetLargeView())
        connect(large, &CLargeTextView::CaretMoved, this, &CMainFrame::UpdateStatusIndicators);
    connect(frame, &QObject::destroyed, this, &CMainFrame::DocumentClosed);
    SwitchMenus();
    UpdateCommandStates();
}

void CMainFrame::DocumentClosed() {
    SwitchMenus();
    UpdateCommandStates();
    UpdateCaption();
    UpdateStatusIndicators();
}

CScriptDoc* CMainFrame::ActiveDocument() const {
    auto* frame = qobject_cast<CChildFrame*>(m_wndBackground ? m_wndBackground->activeSubWindow() : nullptr);
    return frame ? frame->GetDocument() : nullptr;
}

CEditView* CMainFrame::ActiveView() const {
    auto* frame = qobject_cast<CChildFrame*>(m_wndBackground ? m_wndBackground->activeSubWindow() : nullptr);
    return frame && frame->GetDocument() ? frame->GetView() : nullptr;
}

CLargeTextView* CMainFrame::ActiveLargeView() const {
    auto* frame = qobject_cast<CChildFrame*>(m_wndBackground ? m_wndBackground->activeSubWindow() : nullptr);
    return frame && frame->GetDocument() ? frame->GetLargeView() : nullptr;
}

void CMainFrame::UpdateCaption() {
    CScriptDoc* doc = ActiveDocument();
    setWindowTitle(doc ? QStringLiteral("Quillmark - ") + doc->GetTitle() : QStringLiteral("Quillmark"));
}

void CMainFrame::CloseAllDocumentsWithoutAsking() {
    for (CScriptDoc* d : theApp.Documents()) d->OnCloseDocument();
}

void CMainFrame::OnCatalogueReloaded() {
    FillCommandTree();
    for (CWizardDlg* w : {m_unitDlg.get(), m_crateDlg.get(), m_descriptionDlg.get()})
        if (w) w->ResetWizard();
}

CWizardDlg* CMainFrame::MadeWizard(int commandId) const {
    switch (commandId) {
        case ID_WIZARD_BRIEFING: return m_briefingDlg.get();
        case ID_WIZARD_OVERVIEW: return m_overviewDlg.get();
        case ID_WIZARD_DESCRIPTION: return m_descriptionDlg.get();
        case ID_WIZARD_UNIT: return m_unitDlg.get();
        case ID_WIZARD_CRATE: return m_crateDlg.get();
        default: return nullptr;
    }
}

CWizardDlg* CMainFrame::Wizard(int commandId) {
    std::unique_ptr<CWizardDlg>* slot = nullptr;
    WizardKind kind = WizardKind::None;
    switch (commandId) {
        case ID_WIZARD_BRIEFING: slot = &m_briefingDlg, kind = WizardKind::Briefing; break;
        case ID_WIZARD_OVERVIEW: slot = &m_overviewDlg, kind = WizardKind::Overview; break;
        case ID_WIZARD_DESCRIPTION: slot = &m_descriptionDlg, kind = WizardKind::Description; break;
        case ID_WIZARD_UNIT: slot = &m_unitDlg, kind = WizardKind::Unit; break;
        case ID_WIZARD_CRATE: slot = &m_crateDlg, kind = WizardKind::Crate; break;
        default: return nullptr;
    }
    // Made when first asked for: a start-up does not pay for five dialogs nobody may open.
    if (!*slot) {
        *slot = CreateWizardDialog(kind, this);
        if (!*slot) return nullptr;
        (*slot)->setModal(false);
        (*slot)->m_editorAvailable = 1;
        (*slot)->UpdateEditorAvailable();
    }
    return slot->get();
}

void CMainFrame::ShowWizard(CWizardDlg* dlg) {
    if (!dlg) return;
    dlg->showNormal();
    dlg->raise();
    dlg->activateWindow();
    dlg->setFocus();
}

void CMainFrame::OnNewDocument(DocKind kind) {
    if (CDocTemplate* t = theApp.Template(kind)) t->OpenDocumentFile(QString());
}

void CMainFrame::OnSaveAll() {
    for (const auto& t : theApp.m_templates) {
        const auto docs = t->Documents();
        for (CScriptDoc* d : docs)
            if (d->IsModified()) d->DoFileSave();
    }
}

bool CMainFrame::CreateDocumentWithText(DocKind kind, const QString& text, const QString& title) {
    CDocTemplate* t = theApp.Template(kind);
    CScriptDoc* doc = t ? t->OpenDocumentFile(QString()) : nullptr;
    if (!doc || !doc->GetView()) return false;
    CEditView* view = doc->GetView();
    view->LoadText(QString());  // drops a header put in when the view was first shown
    QString body = text;
    body.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    view->InsertNotUndoable(body);
    view->RecolourAll();
    doc->SetTitle(title);
    doc->SetModifiedFlag(true);
    return true;
}

void CMainFrame::InsertSnippetText(const QString& text) { qm::InsertSnippetText(*this, text); }

bool CMainFrame::CreateScriptDocument(const QString& text, const QString& title) {
    return CreateDocumentWithText(DocKind::Script, text, title);
}

bool CMainFrame::CreateDescriptionDocument(const QString& text, const QString& title) {
    return CreateDocumentWithText(DocKind::Description, text, title);
}

bool CMainFrame::CreateBriefingDocument(const QString& text, const QString& title) {
    return CreateDocumentWithText(DocKind::Briefing, text, title);
}

void CMainFrame::SaveSettings() {
    if (m_appMax == 0) {
        m_winX = pos().x();
        m_winY = pos().y();
        m_winWidth = width();
        m_winHeight = height();
    }
    if (m_snippetDlg) {
        m_snippetX = m_snippetDlg->x();
        m_snippetY = m_snippetDlg->y();
    }
    AppProfile profile = theApp.Profile();
    // One write of the settings file for all the values, not one per value.
    RegistryBatch batch(profile.registry());
    WriteFrameSettings(profile, *this, theApp.m_expansionEdition, m_appMax == 0);
    WriteProjectFiles(profile, std::vector<std::string>(m_projectFiles.begin(), m_projectFiles.end()));
    WriteLastSession(profile, OpenSession(*this));
    if (!batch.Commit() && !m_settingsErrorReported) {
        m_settingsErrorReported = true;
        theApp.GetPrompter().MessageBox(QString::fromStdString(profile.registry().WriteError()), {}, MbButtons::Ok,
                                        MbIcon::Warning);
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    SaveSettings();
    for (CScriptDoc* d : theApp.Documents()) {
        if (!d->SaveModified()) {
            event->ignore();
            return;
        }
    }
    CloseAllDocumentsWithoutAsking();
    for (CWizardDlg* w : {m_descriptionDlg.get(), m_briefingDlg.get(), m_overviewDlg.get(), m_unitDlg.get(),
                          m_crateDlg.get()})
        if (w) w->hide();
    if (m_snippetDlg) m_snippetDlg->hide();
    QMainWindow::closeEvent(event);
}

bool CMainFrame::event(QEvent* event) {
    // Status tips of menu items and toolbar buttons; an empty one (the pointer left) means "Ready".
    if (event->type() == QEvent::StatusTip && m_prompts) {
        m_prompts->Show(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void CMainFrame::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) m_appMax = isMaximized() ? 1 : 0;
}

void CMainFrame::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    m_appMax = isMaximized() ? 1 : 0;
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    OpenDroppedFiles(*event->mimeData());
    event->acceptProposedAction();
}

void CMainFrame::OpenDroppedFiles(const QMimeData& data) {
    for (const QUrl& url : data.urls())
        if (url.isLocalFile()) theApp.OpenDocumentFile(url.toLocalFile());
}

}  // namespace qm
