#include "ui/wizards/nameedit.h"

#include <QTimer>

namespace qm {

void CNameEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // Deferred: the mouse press that brought the focus would place the caret after us.
    QTimer::singleShot(0, this, &QLineEdit::selectAll);
}

}  // namespace qm
