#pragma once
#include "ui/views/editview.h"

namespace qm {

// The view of Description documents: "class" and "//" colouring, auto-indent after Enter.
class CDescriptView : public CEditView {
    Q_OBJECT
public:
    explicit CDescriptView(QWidget* parent = nullptr);
    void OnInitialUpdate() override;
    std::vector<ColourRun> LineRuns(const QString& line) const override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace qm
