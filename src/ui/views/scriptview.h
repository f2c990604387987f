#pragma once
#include "ui/views/editview.h"

namespace qm {

// The view of Script and Function documents.
class CScriptView : public CEditView {
    Q_OBJECT
public:
    using CEditView::CEditView;
    void OnInitialUpdate() override;
};

}  // namespace qm
