#pragma once
#include <QDockWidget>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <memory>
#include <vector>

#include "core/frames/pagepreview.h"
#include "ui/frames/layoutpacer.h"
#include "ui/frames/pagedisposal.h"
#include "ui/frames/slicedtextcopy.h"

class QComboBox;
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
// holds up the editor.
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
    // Waiting for the typing to stop, taking the text or building a page.
    bool IsPending() const { return m_pause.isActive() || m_copy.IsRunning() || m_worker; }
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
    void StartBuild(const QString& html);
    void OnRenderFinished();
    void ShowPage(CPreviewPage* page, std::vector<PageSection> sections, QStringList captions, bool keepPlace);
    void ShowNoPage();
    void OnLinkClicked(const QUrl& url);

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
};

}  // namespace qm
