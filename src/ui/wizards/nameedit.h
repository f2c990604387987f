#pragma once
#include <QLineEdit>

namespace qm {

// A wizard's name field: getting the focus selects the whole name, so typing replaces it.
class CNameEdit : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

protected:
    void focusInEvent(QFocusEvent* event) override;
};

}  // namespace qm
