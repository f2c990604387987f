#pragma once
#include <QPlainTextEdit>

namespace qm {

// A dialog's multi-line text field that leaves Enter to the dialog, as a dialog's edit box does:
// Ctrl+Enter starts a new line, Tab moves to the next control.
class CMultiLineField : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CMultiLineField(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace qm
