#include "ui/wizards/multilinefield.h"

#include <QKeyEvent>

namespace qm {

CMultiLineField::CMultiLineField(QWidget* parent) : QPlainTextEdit(parent) {
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
}

void CMultiLineField::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (event->modifiers() & Qt::ControlModifier) {
            insertPlainText(QStringLiteral("\n"));
            return;
        }
        event->ignore();  // the dialog's
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

}  // namespace qm
