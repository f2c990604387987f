#include "ui/frames/mainfrm.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>

#include "ui/app/quillmark.h"
#include "ui/doc/scriptdoc.h"
#include "ui/frames/childfrm.h"

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
}  // namespace

CMainFrame::CMainFrame() {
    static_cast<FrameSettings&>(*this) = ReadFrameSettings(theApp.Profile(), MachineDefaults());
    m_customMenus = theApp.m_customMenus;
    setWindowTitle(QStringLiteral("Quillmark"));
}

CMainFrame::~CMainFrame() = default;

bool CMainFrame::LoadFrame() {
    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, [this] { UpdateCaption(); });
    BuildMenus();
    UpdateEditorFont();
    if (m_winWidth > 0 && m_winHeight > 0) setGeometry(m_winX, m_winY, m_winWidth, m_winHeight);
    return true;
}

void CMainFrame::BuildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&New\tCtrl+N"), QKeySequence::New, [] { theApp.OnFileNew(); });
    file->addAction(QStringLiteral("&Open...\tCtrl+O"), QKeySequence::Open, [] { theApp.OnFileOpen(); });
    file->addAction(QStringLiteral("&Close"), [this] {
        if (QMdiSubWindow* w = m_mdiArea->activeSubWindow()) w->close();
    });
    file->addAction(QStringLiteral("&Save\tCtrl+S"), QKeySequence::Save, [this] {
        if (CScriptDoc* d = ActiveDocument()) d->OnFileSave();
    });
    file->addAction(QStringLiteral("Save &As..."), [this] {
        if (CScriptDoc* d = ActiveDocument()) d->OnFileSaveAs();
    });
    file->addSeparator();
    file->addAction(QStringLiteral("E&xit"), [this] { close(); });
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(QStringLiteral("&About Quillmark..."), [] { theApp.OnAppAbout(); });
}

void CMainFrame::UpdateEditorFont() {
    // Points to pixels at the screen's resolution, as the editor font is specified in points.
    const int dpi = QGuiApplication::primaryScreen() ? qRound(QGuiApplication::primaryScreen()->logicalDotsPerInchY())
                                                     : 96;
    QFont f(QString::fromStdString(m_fontName));
    f.setPixelSize(std::max(1, m_fontSize * dpi / 72));
    f.setWeight(m_boldFonts == 1 ? QFont::Bold : QFont::Normal);
    f.setStyleHint(QFont::TypeWriter);
    m_editorFont = f;
}

void CMainFrame::AddDocumentFrame(CChildFrame* frame) {
    m_mdiArea->addSubWindow(frame);
    if (CScriptDoc* doc = frame->GetDocument())
        connect(doc, &CScriptDoc::TitleChanged, this, [this] { UpdateCaption(); });
}

CScriptDoc* CMainFrame::ActiveDocument() const {
    auto* frame = qobject_cast<CChildFrame*>(m_mdiArea ? m_mdiArea->activeSubWindow() : nullptr);
    return frame ? frame->GetDocument() : nullptr;
}

void CMainFrame::UpdateCaption() {
    CScriptDoc* doc = ActiveDocument();
    setWindowTitle(doc ? QStringLiteral("Quillmark - ") + doc->GetTitle() : QStringLiteral("Quillmark"));
}

void CMainFrame::CloseAllDocumentsWithoutAsking() {
    for (CScriptDoc* d : theApp.Documents()) d->OnCloseDocument();
}

void CMainFrame::OnCatalogueReloaded() {
    // HOOK: the command bar's tree and the wizards' lists are refilled here as they arrive.
}

void CMainFrame::SaveSettings() {
    m_appMax = isMaximized() ? 1 : 0;
    const bool placement = m_appMax == 0;
    if (placement) {
        const QRect r = frameGeometry();
        m_winX = r.left();
        m_winY = r.top();
        m_winWidth = r.width();
        m_winHeight = r.height();
    }
    AppProfile profile = theApp.Profile();
    WriteFrameSettings(profile, *this, theApp.m_expansionEdition, placement);
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
    QMainWindow::closeEvent(event);
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
