#pragma once
#include "core/views/labelindex.h"
#include "ui/frames/childfrm.h"

class QComboBox;
class QMenu;
class QToolBar;

namespace qm {

// The window of Script and Function documents: a labels bar above the view lists the lines
// that begin with "#"; choosing one moves the editor to it.
class CScriptFrame : public CChildFrame {
    Q_OBJECT
public:
    explicit CScriptFrame(QWidget* parent = nullptr);

    void SetView(CEditView* view) override;

    // Fills the list from the whole text unless it already follows the text (nothing while the
    // bar is hidden).
    void RebuildLabels();
    // While a file loads: the list is read from the loaded pieces, not from the editor's lines.
    void BeginLabelScan();
    void ScanLabels(const QString& piece);
    void EndLabelScan();
    // After a change of the text: updates the list from the changed lines alone.
    void OnTextChanged(const CEditView::Change& change);
    void OnLabelSelected(int index);
    // The labels as the list holds them, or null while the list does not follow the text.
    const LabelIndex* CurrentLabels() const { return m_labelsCurrent && !m_scanning ? &m_labels : nullptr; }
    // Shows the entry of the label on `line` in the list (a jump to it was made elsewhere).
    void ShowLabelOfLine(int line);
    void OnToggleLabelsBar();

    QToolBar* m_wndLabelsBar = nullptr;
    QComboBox* m_wndLabelsCombo = nullptr;
    bool m_showLabels = true;
    QMenu* LabelsBarMenu() const { return m_labelsMenu; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FillCombo();

    LabelIndex m_labels;
    bool m_labelsCurrent = false;  // m_labels follows the text
    bool m_scanning = false;
    QMenu* m_labelsMenu = nullptr;
};

}  // namespace qm
