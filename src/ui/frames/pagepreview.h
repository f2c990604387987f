#pragma once
#include <QDockWidget>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <algorithm>
#include <memory>
#include <vector>

#include "core/frames/pagepreview.h"
#include "core/frames/pagewindow.h"
#include "ui/frames/layoutpacer.h"
#include "ui/frames/pagedisposal.h"
#include "ui/frames/slicedtextcopy.h"

class QComboBox;
class QScrollBar;
class QStringListModel;
class QTextBrowser;
class QThread;

namespace qm {

class CScriptDoc;
class CPreviewPage;

// The "Page Preview" pane beside the documents: shows the active briefing or overview page
// rendered. It renders a short pause after the typing stops and only while it is visible. The
// editor's thread does only short pieces of a render: it takes the text in slices, a worker thread
// builds the page, and the shown page is laid out in small steps, so even a very long page never
// holds up the editor. A long page is shown a window at a time (the part around the place in view,
// cut at tags), moved along as the user scrolls or jumps, so its memory and layout stay small.
class CPagePreview : public QDockWidget {
    Q_OBJECT
public:
    explicit CPagePreview(QWidget* parent = nullptr);
    ~CPagePreview() override;

    // The document to follow (the active one); anything but a page, or none, empties the pane.
    void SetDocument(CScriptDoc* doc);
    CScriptDoc* Document() const { return m_document; }

    QTextBrowser* Browser() const { return m_browser; }
    QComboBox* SectionList() const { return m_sections; }
    QScrollBar* PageBar() const { return m_pageBar; }
    // Renders what changed without waiting for the pause (when visible, as always).
    void RenderNow();
    // Waiting for the typing to stop, taking the text or building a page.
    bool IsPending() const { return m_pause.isActive() || m_copy.IsRunning() || m_worker; }
    int PagesShown() const { return m_pagesShown; }

    // Pages longer than wholePageBytes are shown in windows of about windowBytes, made of pieces
    // of about pieceBytes. Tests lower them.
    struct WindowSizes {
        size_t wholePageBytes = 256 * 1024;
        size_t pieceBytes = 4 * 1024;
        size_t windowBytes = 48 * 1024;
    };
    static WindowSizes s_window;
    // The pieces of the page shown ({0, 0} for a page shown whole), and how many it has.
    std::pair<size_t, size_t> ShownPieces() const { return {m_first, m_last}; }
    size_t PieceCount() const { return m_cut ? m_cut->pieces.size() : 1; }
    // Scrolls to a place of the "Go to..." list, moving the window there first if need be.
    void GoToSection(int index);

signals:
    void StatusMessage(const QString& text);
    void PageShown();
    // The user closed the pane with its close box.
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Where a window is scrolled once shown: a piece's start and how far below it, or a section.
    struct Target {
        size_t offset = 0;  // in the page's text: the window's piece holding it is the reference
        int below = 0;
        int section = -1;
        bool followView = false;  // the place in view when the window is shown, wherever that is then
    };
    // What a worker builds: handed back to the pane's thread when it ends. A build either reads a new
    // text (newText), or makes another window of the long page shown.
    struct Build {
        QString path;
        int generation = 0;
        WindowSizes sizes;
        bool newText = true;
        std::shared_ptr<const std::string> text;
        std::shared_ptr<const PageCut> cut;  // set when the page is shown a window at a time
        size_t centreOffset = 0;             // the window is built around the piece holding it
        Target target;
        std::shared_ptr<const std::string> oldText;  // the text shown before, for keeping the place

        // Where a place in the old text lies in the new one: the texts agree up to samePrefix,
        // and what follows the change has moved by the change in length.
        size_t samePrefix = 0;
        std::ptrdiff_t moved = 0;
        size_t InNewText(size_t oldOffset) const {
            return oldOffset < samePrefix ? oldOffset : static_cast<size_t>(std::max<std::ptrdiff_t>(0, static_cast<std::ptrdiff_t>(oldOffset) + moved));
        }

        CPreviewPage* page = nullptr;
        std::vector<PageSection> sections;
        QStringList captions;
        size_t first = 0, last = 0;
        std::vector<int> pieceStarts;
    };

    void OnTextChanged();
    void StartRender();
    void StartBuild(const QString& html);
    void StartWorker(std::shared_ptr<Build> build, const QString& html);
    void OnRenderFinished();
    void ShowPage(CPreviewPage* page, std::vector<PageSection> sections, QStringList captions, bool keepPlace);
    void SwapPage(CPreviewPage* page);
    void ShowWindow(Build& build);
    void ShowNoPage();
    void OnLinkClicked(const QUrl& url);
    void SetSections(std::vector<PageSection> sections, QStringList captions);

    // The window's part (pagepreviewwindow.cpp).
    static void BuildOnWorker(Build& build, const QString& html);
    bool IsWindowed() const { return m_cut != nullptr; }
    Target PlaceInView() const;
    // Where a piece of the window starts and ends on the window's page (its index in the window).
    int PieceTop(size_t piece) const;
    int PieceBottom(size_t piece) const;
    void MoveWindow(size_t centre, Target target);
    int SectionPosition(int section) const;
    void ScrollTo(const Target& target);
    void OnScrolled();
    // The long page's own scroll bar: shown for a window, kept at the place in view, and moving
    // the view (and the window, if need be) when the user moves it.
    void ShowPageBar(bool show);
    void SyncPageBar();
    void OnPageBarMoved(int offset);

    QTextBrowser* m_browser;
    QComboBox* m_sections;
    QStringListModel* m_sectionCaptions;
    QTimer m_pause;
    QPointer<CScriptDoc> m_document;
    QMetaObject::Connection m_textConnection, m_titleConnection;
    bool m_stale = false;      // the text changed since the page shown was built from it
    bool m_samePage = false;   // the next page is the same document's again: keep the place
    int m_generation = 0;      // counts document switches; a page built for an earlier one is dropped
    CPageDisposal m_disposal;  // before m_copy and m_pacer, which may refer to a page it holds
    CSlicedTextCopy m_copy;
    CLayoutPacer m_pacer;
    QThread* m_worker = nullptr;
    std::shared_ptr<Build> m_build;
    CPreviewPage* m_page = nullptr;
    std::vector<PageSection> m_shownSections;
    int m_pagesShown = 0;
    // A long page: its text, its pieces, the window shown and where each of its pieces starts in it.
    std::shared_ptr<const std::string> m_text;
    std::shared_ptr<const PageCut> m_cut;
    size_t m_first = 0, m_last = 0;
    std::vector<int> m_pieceStarts;
    int m_pendingSection = -1;  // asked for while a page was being built
    bool m_swapping = false;    // a window is being put in the browser
    QScrollBar* m_pageBar = nullptr;
    bool m_syncing = false;     // the page bar is being set to the view, not moved by the user
    long long m_pendingOffset = -1;  // the page bar moved while a window was being built
};

}  // namespace qm
