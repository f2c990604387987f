#pragma once
#include <QObject>

namespace qm {

// Esc is the Exit accelerator. While a pop-up is open (a combo box's list, a menu, a completer)
// the key belongs to that pop-up and only closes it; this keeps it from reaching the accelerator.
class PopupEscapeGuard : public QObject {
public:
    explicit PopupEscapeGuard(QObject* parent);
    ~PopupEscapeGuard() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace qm
