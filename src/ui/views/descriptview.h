#pragma once
#include "ui/views/editview.h"

namespace qm {

// The view of Description documents.
class CDescriptView : public CEditView {
    Q_OBJECT
public:
    using CEditView::CEditView;
    void OnInitialUpdate() override;
};

}  // namespace qm
