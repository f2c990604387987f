// CMainFrame: the recent-file entries of the File menus and the window list of the Window menu.
#include <QAction>
#include <QMdiSubWindow>
#include <QMenu>

#include "core/menus/custommenus.h"
#include "core/tools/menulists.h"
#include "ui/app/quillmark.h"
#include "ui/frames/backgroundwnd.h"
#include "ui/frames/childfrm.h"
#include "ui/frames/commandids.h"
#include "ui/frames/mainfrm.h"
#include "ui/menus/custommenus.h"
#include "ui/menus/iconmenu.h"

namespace qm {

namespace {
// Menu texts show "&" as a mnemonic mark; a file name's own must stay visible.
QString MenuSafe(const std::string& text) { return QString::fromStdString(text).replace('&', QLatin1String("&&")); }

// Inserts actions into a File menu just before the separator that precedes Exit.
void InsertBeforeExit(QMenu* menu, QAction* exit, const QList<QAction*>& actions) {
    const QList<QAction*> all = menu->actions();
    const auto at = all.indexOf(exit);
    if (at < 0) return;
    QAction* before = at > 0 && all[at - 1]->isSeparator() ? all[at - 1] : exit;
    menu->insertActions(before, actions);
}

// Entries of files with one name in different folders look alike (trimmed to "...\\name"): the
// status bar tells which is which.
QString RecentPrompt(const QString& prompt, const std::string& path) {
    return prompt + QStringLiteral(": ") + QString::fromStdString(path);
}
}  // namespace

void CMainFrame::RebuildRecentFiles() {
    // The standard menus: the framework's own numbered list above Exit.
    qDeleteAll(m_standardRecentActions);
    m_standardRecentActions.clear();
    const std::vector<std::string>& files = theApp.m_recentFiles.Files();
    const auto texts = StandardRecentTexts(files, theApp.m_recentFiles.Capacity());
    if (!texts.empty()) {
        auto* separator = new QAction(this);
        separator->setSeparator(true);
        m_standardRecentActions << separator;
        for (size_t i = 0; i < texts.size(); ++i) {
            QAction* a = new QAction(MenuSafe(texts[i]).replace(0, 2, '&'), this);  // keep the "&1" mnemonic
            a->setData(kFirstRecentFileCommand + static_cast<int>(i));
            a->setStatusTip(RecentPrompt(QStringLiteral("Open this document"), files[i]));
            const int index = static_cast<int>(i);
            connect(a, &QAction::triggered, this, [this, index] { OnRecentFile(index); });
            m_standardRecentActions << a;
        }
        for (const char* name : {"File (no document)", "File (document)"})
            if (QMenu* m = PopupMenu(QString::fromLatin1(name)))
                InsertBeforeExit(m, Action(ID_APP_EXIT), m_standardRecentActions);
    }
    // The owner-drawn Recent Files menu (AppendRecentFileItems).
    RefillRecentFilesMenu(*this);
}

void CMainFrame::AppendRecentFileItems(CIconMenu& menu) {
    for (auto& t : m_recentMenuText) t.clear();
    for (const RecentMenuEntry& e : RecentMenuTexts(theApp.m_recentFiles.Files(), m_mrus, m_trimMRU == 1)) {
        m_recentMenuText[e.index] = QString::fromStdString(e.text);
        QAction* a = menu.AppendListItem(kFirstRecentFileCommand + e.index, kRecentFilePicture,
                                         m_recentMenuText[e.index],
                                         RecentPrompt(QStringLiteral("Open this recent document"),
                                                      theApp.m_recentFiles[static_cast<size_t>(e.index)]));
        const int index = e.index;
        connect(a, &QAction::triggered, this, [this, index] { OnRecentFile(index); });
    }
}

void CMainFrame::OnRecentFile(int index) {
    RecentFileList& list = theApp.m_recentFiles;
    if (index < 0 || static_cast<size_t>(index) >= list.Size()) return;
    const QString path = QString::fromStdString(list[static_cast<size_t>(index)]);
    if (path.isEmpty() || theApp.OpenDocumentFile(path)) return;
    // The open reported why; the entry goes. Opening moved nothing, so the index still names it.
    list.Remove(static_cast<size_t>(index));
    AppProfile profile = theApp.Profile();
    list.WriteList(profile);
    RebuildRecentFiles();
}

void CMainFrame::RebuildWindowList() { RefillWindowMenu(*this); }

void CMainFrame::AppendWindowItems(CIconMenu& menu) {
    for (auto& t : m_windowMenuText) t.clear();
    for (auto& f : m_windowFrames) f = nullptr;
    if (!m_wndBackground) return;
    // Template order, then each document's windows.
    std::vector<QMdiSubWindow*> frames;
    const QList<QMdiSubWindow*> windows = m_wndBackground->subWindowList(QMdiArea::CreationOrder);
    for (CScriptDoc* doc : theApp.Documents())
        for (QMdiSubWindow* w : windows)
            if (auto* f = qobject_cast<CChildFrame*>(w); f && f->GetDocument() == doc) frames.push_back(w);
    std::vector<std::string> captions;
    for (QMdiSubWindow* w : frames) captions.push_back(w->windowTitle().toStdString());
    const std::vector<std::string> texts = WindowMenuTexts(captions);
    QMdiSubWindow* active = m_wndBackground->activeSubWindow();
    for (size_t i = 0; i < texts.size(); ++i) {
        m_windowMenuText[i] = QString::fromStdString(texts[i]);
        m_windowFrames[i] = frames[i];
        QAction* a = menu.AppendListItem(kFirstWindowCommand + static_cast<int>(i), 0, m_windowMenuText[i],
                                         QStringLiteral("Activate this window"));
        a->setCheckable(true);
        a->setChecked(frames[i] == active);
        const int index = static_cast<int>(i);
        connect(a, &QAction::triggered, this, [this, index] { OnWindowEntry(index); });
    }
}

void CMainFrame::OnWindowEntry(int index) {
    if (index < 0 || index >= static_cast<int>(m_windowFrames.size())) return;
    if (QMdiSubWindow* w = m_windowFrames[index]) {
        if (auto* f = qobject_cast<CChildFrame*>(w)) f->Activate();
        else m_wndBackground->setActiveSubWindow(w);
    }
}

}  // namespace qm
