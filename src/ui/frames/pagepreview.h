#pragma once
#include <QDockWidget>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <vector>

#include "core/frames/pagepreview.h"

class QComboBox;
class QTextBrowser;
class QThread;

namespace qm {

class CScriptDoc;
class CPreviewPage;

// The "Page Preview" pane beside the documents: shows the active briefing or overview page
// rendered. It renders a short pause after the typing stops and only while it is visible; the
// page is built on a worker thread, so even a very long page never holds up the editor.
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
    // Renders what changed without waiting for the pause (when visible, as always).
    void RenderNow();
    // Waiting for the typing to stop, or building a page.
    bool IsPending() const { return m_pause.isActive() || m_worker; }
    int PagesShown() const { return m_pagesShown; }

signals:
    void StatusMessage(const QString& text);
    void PageShown();
    // The user closed the pane with its close box.
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct Build;
    void OnTextChanged();
    void StartRender();
    void OnRenderFinished();
    void ShowPage(CPreviewPage* page, std::vector<PageSection> sections, bool keepPlace);
    void ShowNoPage();
    void OnLinkClicked(const QUrl& url);

    QTextBrowser* m_browser;
    QComboBox* m_sections;
    QTimer m_pause;
    QPointer<CScriptDoc> m_document;
    QMetaObject::Connection m_textConnection, m_titleConnection;
    bool m_stale = false;      // the text changed since the page shown was built from it
    bool m_samePage = false;   // the next page is the same document's again: keep the place
    int m_generation = 0;      // counts document switches; a page built for an earlier one is dropped
    QThread* m_worker = nullptr;
    std::shared_ptr<Build> m_build;
    CPreviewPage* m_page = nullptr;
    std::vector<PageSection> m_shownSections;
    int m_pagesShown = 0;
};

}  // namespace qm
