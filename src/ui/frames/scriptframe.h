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
    void SetLargeView(CLargeTextView* view) override;

    // Fills the list from the whole text unless it already follows the text (nothing while the
    // bar is hidden).
    void RebuildLabels();
    // While a file loads: the list is read from the loaded pieces, not from the editor's lines.
    void BeginLabelScan();
    void ScanLabels(const QString& piece);
    void EndLabelScan();
    // After a change of the text: updates the list from the changed lines alone.
    void OnTextChanged(const CEditView::Change& change);
    // The same for a very large text's edit.
    void OnLargeTextChanged(const PieceTable::Change& change);
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
    void Host(QWidget* view);
    void FillCombo();
    // The text of a line when it is a label line, else nothing (only label lines matter).
    std::u16string LabelLineText(int line) const;
    int LineCount() const;
    // Lines first..last now stand where first..last - delta stood.
    void SpliceLabels(int first, int last, int delta);

    LabelIndex m_labels;
    bool m_labelsCurrent = false;  // m_labels follows the text
    bool m_scanning = false;
    QMenu* m_labelsMenu = nullptr;
};

}  // namespace qm
