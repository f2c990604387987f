#include "ui/frames/pagepreview.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QScrollBar>
#include <QStringListModel>
#include <QTextBrowser>
#include <QThread>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

#include "ui/doc/scriptdoc.h"
#include "ui/frames/previewpage.h"
#include "ui/views/editview.h"

namespace qm {

CPagePreview::WindowSizes CPagePreview::s_window;


CPagePreview::CPagePreview(QWidget* parent) : QDockWidget(parent) {
    setObjectName(QStringLiteral("PagePreview"));
    setWindowTitle(QStringLiteral("Page Preview"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);

    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(3, 3, 3, 3);
    layout->setSpacing(3);
    m_sections = new QComboBox(body);
    // A long page may have tens of thousands of places: a list model takes them in one go, and
    // the box is not measured against every one of them.
    m_sectionCaptions = new QStringListModel(m_sections);
    m_sections->setModel(m_sectionCaptions);
    m_sections->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_sections->setMinimumContentsLength(12);
    m_sections->setPlaceholderText(QStringLiteral("Go to..."));
    m_sections->setToolTip(QStringLiteral("Go to a part of the page"));
    m_sections->setStatusTip(QStringLiteral("Scroll the preview to a plan, notes, objective or ending"));
    m_browser = new QTextBrowser(body);
    m_browser->setOpenLinks(false);  // every link is answered by OnLinkClicked
    m_browser->setOpenExternalLinks(false);
    m_browser->setStatusTip(QStringLiteral("The active page as the game shows it"));
    // A long page's own scroll bar: it spans the whole page, where the browser's spans the window.
    m_pageBar = new QScrollBar(Qt::Vertical, body);
    m_pageBar->setObjectName(QStringLiteral("PageBar"));
    m_pageBar->hide();
    auto* view = new QHBoxLayout;
    view->setContentsMargins(0, 0, 0, 0);
    view->setSpacing(0);
    view->addWidget(m_browser, 1);
    view->addWidget(m_pageBar);
    layout->addWidget(m_sections);
    layout->addLayout(view, 1);
    setWidget(body);
    setMinimumWidth(220);

    m_pause.setSingleShot(true);
    connect(&m_pause, &QTimer::timeout, this, &CPagePreview::StartRender);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &CPagePreview::OnLinkClicked);
    connect(&m_copy, &CSlicedTextCopy::Finished, this, [this] { StartBuild(m_copy.TakeText()); });
    connect(m_sections, &QComboBox::activated, this, &CPagePreview::GoToSection);
    connect(m_browser->verticalScrollBar(), &QScrollBar::valueChanged, this, &CPagePreview::OnScrolled);
    connect(m_browser->verticalScrollBar(), &QScrollBar::sliderReleased, this, &CPagePreview::OnScrolled);
    // Scrolled near the window's end while it was being laid out: moved on once it is.
    connect(&m_pacer, &CLayoutPacer::LaidOut, this, &CPagePreview::OnScrolled);
    connect(m_pageBar, &QScrollBar::valueChanged, this, &CPagePreview::OnPageBarMoved);
    connect(m_browser->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        if (!m_swapping) SyncPageBar();
    });
    connect(&m_pacer, &CLayoutPacer::LaidOut, this, &CPagePreview::SyncPageBar);
    // Back on screen: catch up with what was typed meanwhile.
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible && m_stale && !m_pause.isActive()) m_pause.start(0);
    });
    ShowNoPage();
}

CPagePreview::~CPagePreview() {
    if (m_worker) {
        m_worker->wait();
        delete m_worker;
        delete m_build->page;
    }
}

void CPagePreview::SetDocument(CScriptDoc* doc) {
    if (doc && (!HasPagePreview(doc->Kind()) || !doc->GetView())) doc = nullptr;
    if (doc == m_document) return;
    disconnect(m_textConnection);
    disconnect(m_titleConnection);
    m_document = doc;
    ++m_generation;
    m_pause.stop();
    m_copy.Cancel();
    m_samePage = false;
    m_pendingSection = -1;  // places asked for on the page shown before
    m_pendingOffset = -1;
    m_stale = doc != nullptr;
    if (!doc) {
        ShowNoPage();
        return;
    }
    m_textConnection = connect(doc->GetView(), &QPlainTextEdit::textChanged, this, &CPagePreview::OnTextChanged);
    // A new file name may put the page beside other pictures.
    m_titleConnection = connect(doc, &CScriptDoc::TitleChanged, this, &CPagePreview::OnTextChanged);
    if (isVisible()) m_pause.start(0);
}

void CPagePreview::OnTextChanged() {
    m_stale = true;
    if (!isVisible() || !m_document || !m_document->GetView()) return;
    // Restarting the timer is all a keystroke costs.
    m_pause.start(PreviewPauseMs(m_document->GetView()->document()->characterCount()));
}

void CPagePreview::RenderNow() {
    m_pause.stop();
    StartRender();
}

void CPagePreview::StartRender() {
    if (!m_stale || !m_document || !m_document->GetView() || !isVisible()) return;
    // The running build ends in OnRenderFinished, which starts the next.
    if (m_worker || m_copy.IsRunning()) return;
    m_stale = false;
    // A change before the copy is whole drops it; the change itself brings the next render.
    if (m_copy.Start(m_document->GetView()->document())) StartBuild(m_copy.TakeText());
}

void CPagePreview::StartBuild(const QString& html) {
    if (!m_document) return;
    if (m_worker) {  // a window being moved: the text is built once it is done
        m_stale = true;
        return;
    }
    auto build = std::make_shared<Build>();
    // The new text's window is built around the place in view of the old one.
    if (IsWindowed() && m_samePage) {
        build->target = PlaceInView();
        build->target.followView = true;
        build->centreOffset = build->target.offset;
        build->oldText = m_text;
    }
    StartWorker(std::move(build), html);
}

void CPagePreview::StartWorker(std::shared_ptr<Build> build, const QString& html) {
    build->path = m_document->GetPathName();
    build->generation = m_generation;
    build->sizes = s_window;
    m_build = build;
    QThread* home = thread();
    m_worker = QThread::create([build, html, home] {
        BuildOnWorker(*build, html);
        build->page->moveToThread(home);
    });
    connect(m_worker, &QThread::finished, this, &CPagePreview::OnRenderFinished);
    m_worker->start(QThread::LowPriority);
}

void CPagePreview::OnRenderFinished() {
    delete m_worker;
    m_worker = nullptr;
    std::shared_ptr<Build> build = std::move(m_build);
    if (build->generation != m_generation) {
        m_disposal.Dispose(build->page);
    } else if (!build->newText || build->cut) {
        // The place as it is now: the user may have scrolled on while the window was built.
        if (build->target.followView && IsWindowed()) {
            build->target = PlaceInView();
            if (build->newText) build->target.offset = build->InNewText(build->target.offset);
        }
        if (build->newText) {
            m_text = std::move(build->text);
            m_cut = std::move(build->cut);
            SetSections(std::move(build->sections), std::move(build->captions));
            m_samePage = true;
        }
        ShowWindow(*build);
    } else {
        ShowPage(build->page, std::move(build->sections), std::move(build->captions), m_samePage);
        m_samePage = true;
    }
    // What is left of it (a long page's list of places) is freed away from the editor's thread.
    m_disposal.DisposeValue(std::move(build));
    if (m_pendingSection >= 0 && !m_copy.IsRunning()) GoToSection(std::exchange(m_pendingSection, -1));
    if (m_pendingOffset >= 0 && !m_worker && !m_copy.IsRunning()) OnPageBarMoved(static_cast<int>(std::exchange(m_pendingOffset, -1)));
    if (m_stale && isVisible()) OnTextChanged();
}

void CPagePreview::SwapPage(CPreviewPage* page) {
    // The pacer lets go of the page first: a disposed page belongs to another thread at once.
    m_pacer.Stop();
    page->setParent(m_browser);
    m_browser->setDocument(page);
    m_disposal.Dispose(m_page);  // shown by nothing now
    m_page = page;
}

void CPagePreview::ShowPage(CPreviewPage* page, std::vector<PageSection> sections, QStringList captions,
                            bool keepPlace) {
    m_text.reset();  // a page shown whole has no window
    m_cut.reset();
    m_first = m_last = 0;
    m_pieceStarts.clear();
    ShowPageBar(false);
    const int v = m_browser->verticalScrollBar()->value();
    const int h = m_browser->horizontalScrollBar()->value();
    SwapPage(page);
    if (keepPlace) {
        m_browser->verticalScrollBar()->setValue(v);
        m_browser->horizontalScrollBar()->setValue(h);
    }
    // Where the place lies below the part laid out so far, it is kept once the layout gets there.
    m_pacer.Start(m_browser, keepPlace ? QPoint(h, v) : QPoint());
    SetSections(std::move(sections), std::move(captions));
    ++m_pagesShown;
    emit PageShown();
}

void CPagePreview::SetSections(std::vector<PageSection> sections, QStringList captions) {
    bool sameSections = sections.size() == m_shownSections.size();
    for (size_t i = 0; sameSections && i < sections.size(); ++i)
        sameSections = sections[i].anchor == m_shownSections[i].anchor && sections[i].caption == m_shownSections[i].caption;
    if (!sameSections) {
        m_sectionCaptions->setStringList(std::move(captions));
        m_sections->setCurrentIndex(-1);
    } else {
        m_disposal.DisposeValue(std::move(captions));
    }
    // Kept even when the list reads the same: the places may have moved in the text.
    std::swap(m_shownSections, sections);
    m_disposal.DisposeValue(std::move(sections));
    m_sections->setEnabled(!m_shownSections.empty());
}

void CPagePreview::ShowNoPage() {
    m_pendingSection = -1;
    m_pendingOffset = -1;
    auto* page = new CPreviewPage(QString());
    page->setHtml(QStringLiteral("<p style=\"color:#808080\">The preview shows the active briefing or overview "
                                 "page (.html) as the game shows it.</p>"));
    ShowPage(page, {}, {}, false);
}

void CPagePreview::OnLinkClicked(const QUrl& url) {
    const PageLink link = ClassifyPageLink(url.toString().toStdString());
    bool onPage = false;
    if (link.kind == PageLinkKind::Anchor) {
        const auto at = std::find_if(m_shownSections.begin(), m_shownSections.end(),
                                     [&](const PageSection& s) { return s.anchor == link.target; });
        onPage = at != m_shownSections.end();
        if (onPage) GoToSection(static_cast<int>(at - m_shownSections.begin()));
    }
    const std::string text = DescribePageLink(link, onPage);
    if (!text.empty()) emit StatusMessage(QString::fromStdString(text));
}

void CPagePreview::closeEvent(QCloseEvent* event) {
    QDockWidget::closeEvent(event);
    emit Closed();
}

}  // namespace qm
