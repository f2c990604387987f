#include "ui/frames/pagepreview.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QScrollBar>
#include <QStringListModel>
#include <QTextBrowser>
#include <QThread>
#include <QVBoxLayout>

#include "ui/doc/scriptdoc.h"
#include "ui/frames/previewpage.h"
#include "ui/views/editview.h"

namespace qm {

// What a worker builds: handed back to the pane's thread when it ends.
struct CPagePreview::Build {
    CPreviewPage* page = nullptr;
    std::vector<PageSection> sections;
    QStringList captions;
    int generation = 0;
};

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
    layout->addWidget(m_sections);
    layout->addWidget(m_browser, 1);
    setWidget(body);
    setMinimumWidth(220);

    m_pause.setSingleShot(true);
    connect(&m_pause, &QTimer::timeout, this, &CPagePreview::StartRender);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &CPagePreview::OnLinkClicked);
    connect(&m_copy, &CSlicedTextCopy::Finished, this, [this] { StartBuild(m_copy.TakeText()); });
    connect(m_sections, &QComboBox::activated, this, [this](int index) {
        if (index >= 0 && index < static_cast<int>(m_shownSections.size()))
            m_browser->scrollToAnchor(QString::fromStdString(m_shownSections[index].anchor));
    });
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
    const QString path = m_document->GetPathName();
    m_build = std::make_shared<Build>();
    m_build->generation = m_generation;
    QThread* home = thread();
    m_worker = QThread::create([build = m_build, html, path, home] {
        auto* page = new CPreviewPage(path);
        page->setHtml(html);
        build->sections = ListPageSections(html.toStdString());
        build->captions.reserve(static_cast<qsizetype>(build->sections.size()));
        for (const auto& section : build->sections) build->captions << QString::fromStdString(section.caption);
        page->moveToThread(home);
        build->page = page;
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
    } else {
        ShowPage(build->page, std::move(build->sections), std::move(build->captions), m_samePage);
        m_samePage = true;
    }
    if (m_stale && isVisible()) OnTextChanged();
}

void CPagePreview::ShowPage(CPreviewPage* page, std::vector<PageSection> sections, QStringList captions,
                            bool keepPlace) {
    const int v = m_browser->verticalScrollBar()->value();
    const int h = m_browser->horizontalScrollBar()->value();
    page->setParent(m_browser);
    m_browser->setDocument(page);
    if (keepPlace) {
        m_browser->verticalScrollBar()->setValue(v);
        m_browser->horizontalScrollBar()->setValue(h);
    }
    // Where the place lies below the part laid out so far, it is kept once the layout gets there.
    m_pacer.Start(m_browser, keepPlace ? QPoint(h, v) : QPoint());
    m_disposal.Dispose(m_page);  // shown by nothing now, and let go of by the pacer
    m_page = page;
    bool sameSections = sections.size() == m_shownSections.size();
    for (size_t i = 0; sameSections && i < sections.size(); ++i)
        sameSections = sections[i].anchor == m_shownSections[i].anchor && sections[i].caption == m_shownSections[i].caption;
    if (!sameSections) {
        m_shownSections = std::move(sections);
        m_sectionCaptions->setStringList(std::move(captions));
        m_sections->setCurrentIndex(-1);
    }
    m_sections->setEnabled(!m_shownSections.empty());
    ++m_pagesShown;
    emit PageShown();
}

void CPagePreview::ShowNoPage() {
    auto* page = new CPreviewPage(QString());
    page->setHtml(QStringLiteral("<p style=\"color:#808080\">The preview shows the active briefing or overview "
                                 "page (.html) as the game shows it.</p>"));
    ShowPage(page, {}, {}, false);
}

void CPagePreview::OnLinkClicked(const QUrl& url) {
    const PageLink link = ClassifyPageLink(url.toString().toStdString());
    bool onPage = false;
    if (link.kind == PageLinkKind::Anchor) {
        for (const auto& s : m_shownSections) onPage = onPage || s.anchor == link.target;
        m_browser->scrollToAnchor(QString::fromStdString(link.target));
    }
    const std::string text = DescribePageLink(link, onPage);
    if (!text.empty()) emit StatusMessage(QString::fromStdString(text));
}

void CPagePreview::closeEvent(QCloseEvent* event) {
    QDockWidget::closeEvent(event);
    emit Closed();
}

}  // namespace qm
