#pragma once
#include "ui/views/editview.h"

namespace qm {

class CCompletionPopup;

// The view of Script and Function documents: coloured by the script rules, labels listed by its frame.
class CScriptView : public CEditView {
    Q_OBJECT
public:
    explicit CScriptView(QWidget* parent = nullptr);
    void OnInitialUpdate() override;
    std::vector<ColourRun> LineRuns(const QString& line) const override;

    // The completion list at the caret, made when first needed.
    CCompletionPopup* Completion();

protected:
    void OnContentsChange(const Change& change) override;
    void OnLoad(LoadStep step, const QString& piece) override;

    // Completion, syntax tips and the jump to a goto's label (Ctrl+click).
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    CCompletionPopup* m_completion = nullptr;
};

}  // namespace qm
