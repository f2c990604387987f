#pragma once
#include "ui/views/editview.h"

namespace qm {

// The view of String Table, Briefing and Text documents: wrapped at the window edge, never coloured.
class CTextView : public CEditView {
    Q_OBJECT
public:
    using CEditView::CEditView;
    void OnInitialUpdate() override;
};

}  // namespace qm
