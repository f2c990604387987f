#pragma once
#include "ui/frames/childfrm.h"

namespace qm {

// The window of Script and Function documents.
class CScriptFrame : public CChildFrame {
    Q_OBJECT
public:
    using CChildFrame::CChildFrame;
};

}  // namespace qm
