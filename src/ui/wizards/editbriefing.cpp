#include "ui/wizards/editbriefing.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "core/wizards/briefingreader.h"
#include "ui/doc/scriptdoc.h"
#include "ui/frames/commandids.h"
#include "ui/frames/mainfrm.h"
#include "ui/views/editview.h"
#include "ui/wizards/briefingdlg.h"

namespace qm {

namespace {
// Follows whether a document holds the wizard's marker without reading the whole text on every
// keystroke (half a second per key on a 10 MB page): the marker's place is kept by a cursor that
// moves with the edits, and an edit is searched only within the lines it touched. The marker
// holds no line break, so it always lies inside one line.
class BriefingMarkerTracker : public QObject {
public:
    static constexpr const char* kName = "briefingMarkerTracker";

    explicit BriefingMarkerTracker(QTextDocument* doc)
        : QObject(doc), m_doc(doc),
          m_marker(QString::fromUtf8(kBriefingWizardMarker.data(), kBriefingWizardMarker.size())) {
        setObjectName(kName);
        connect(doc, &QTextDocument::contentsChange, this, &BriefingMarkerTracker::OnContentsChange);
    }

    bool HasMarker() {
        if (m_found && !MarkerAt(m_at.position())) m_known = false;  // the marker itself was edited
        if (!m_known) FindAnywhere();
        return m_found;
    }

private:
    bool MarkerAt(int position) const {
        const QTextBlock block = m_doc->findBlock(position);
        return block.isValid() && block.text().mid(position - block.position(), m_marker.size()) == m_marker;
    }

    void FoundAt(int position) {
        m_found = true;
        m_at = QTextCursor(m_doc);
        m_at.setPosition(position);
    }

    void FindAnywhere() {
        m_known = true;
        m_found = false;
        for (QTextBlock b = m_doc->begin(); b.isValid(); b = b.next()) {
            const int i = b.text().indexOf(m_marker);
            if (i >= 0) return FoundAt(b.position() + i);
        }
    }

    void OnContentsChange(int position, int /*removed*/, int added) {
        if (!m_known || m_found) return;  // a lost marker is noticed by HasMarker
        const QTextBlock last = m_doc->findBlock(position + added);
        for (QTextBlock b = m_doc->findBlock(position); b.isValid(); b = b.next()) {
            const int i = b.text().indexOf(m_marker);
            if (i >= 0) return FoundAt(b.position() + i);
            if (b == last) break;
        }
    }

    QTextDocument* m_doc;
    const QString m_marker;
    QTextCursor m_at;
    bool m_known = false;
    bool m_found = false;
};
}  // namespace

bool CanEditBriefing(const CScriptDoc* doc) {
    if (!doc || !IsBriefingTitle(doc->GetTitle().toStdString())) return false;
    const CEditView* view = doc->GetView();
    if (!view) return false;
    QTextDocument* text = view->document();
    auto* tracker = static_cast<BriefingMarkerTracker*>(
        text->findChild<QObject*>(BriefingMarkerTracker::kName, Qt::FindDirectChildrenOnly));
    if (!tracker) tracker = new BriefingMarkerTracker(text);
    return tracker->HasMarker();
}

void OnEditBriefing(CMainFrame& frame) {
    CScriptDoc* doc = frame.ActiveDocument();
    CEditView* view = doc ? doc->GetView() : nullptr;
    if (!view) return;
    const QString text = view->GetText();
    auto* dlg = dynamic_cast<CBriefingDlg*>(frame.Wizard(ID_WIZARD_BRIEFING));
    if (text.isEmpty() || !dlg) return;
    dlg->OpenBriefing(text);
    frame.ShowWizard(dlg);
}

}  // namespace qm
