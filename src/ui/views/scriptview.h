#pragma once
#include "ui/views/editview.h"

namespace qm {

// The view of Script and Function documents: coloured by the script rules, labels listed by its frame.
class CScriptView : public CEditView {
    Q_OBJECT
public:
    explicit CScriptView(QWidget* parent = nullptr);
    void OnInitialUpdate() override;
    std::vector<ColourRun> LineRuns(const QString& line) const override;

protected:
    void OnContentsChange(const Change& change) override;
    void OnLoad(LoadStep step, const QString& piece) override;
};

}  // namespace qm
