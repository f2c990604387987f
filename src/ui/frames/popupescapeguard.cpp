#include "ui/frames/popupescapeguard.h"

#include <QApplication>
#include <QKeyEvent>

namespace qm {

PopupEscapeGuard::PopupEscapeGuard(QObject* parent) : QObject(parent) { qApp->installEventFilter(this); }

PopupEscapeGuard::~PopupEscapeGuard() { qApp->removeEventFilter(this); }

bool PopupEscapeGuard::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && QApplication::activePopupWidget()) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
            event->accept();  // delivered as an ordinary key press to the pop-up instead
            return true;
        }
    }
    return false;
}

}  // namespace qm
