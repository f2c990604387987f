#include "ui/views/blockedits.h"

#include <QTextBlock>

#include "core/views/lineedits.h"
#include "ui/views/descriptview.h"
#include "ui/views/editview.h"
#include "ui/views/scriptview.h"

namespace qm {

LineRange SelectedLines(const QTextCursor& cursor) {
    const QTextDocument* doc = cursor.document();
    const QTextBlock first = doc->findBlock(cursor.selectionStart());
    QTextBlock last = doc->findBlock(cursor.selectionEnd());
    if (cursor.hasSelection() && last != first && cursor.selectionEnd() == last.position()) last = last.previous();
    return {first.blockNumber(), last.blockNumber()};
}

void EditLines(CEditView& view, LineRange lines, const LineEdit& edit) {
    QTextDocument* doc = view.document();
    const QTextBlock first = doc->findBlockByNumber(lines.first);
    const QTextBlock last = doc->findBlockByNumber(lines.last);
    if (!first.isValid() || !last.isValid()) return;
    std::vector<std::u16string> before;
    for (QTextBlock b = first; b.isValid() && b.blockNumber() <= lines.last; b = b.next())
        before.push_back(b.text().toStdU16String());
    const std::vector<std::u16string> after = edit(before);
    if (after == before || after.size() != before.size()) return;

    const QTextCursor was = view.textCursor();
    const bool selected = was.hasSelection();  // the edit takes the cursor's selection with it
    const int caretColumn = was.position() - doc->findBlock(was.position()).position();
    const int caretLine = doc->findBlock(was.position()).blockNumber();
    QString text;
    for (size_t i = 0; i < after.size(); ++i) {
        if (i) text += QLatin1Char('\n');
        text += QString::fromStdU16String(after[i]);
    }
    QTextCursor c(doc);
    c.setPosition(first.position());
    c.setPosition(last.position() + last.length() - 1, QTextCursor::KeepAnchor);
    c.beginEditBlock();
    c.insertText(text);
    c.endEditBlock();

    const QTextBlock newFirst = doc->findBlockByNumber(lines.first);
    const QTextBlock newLast = doc->findBlockByNumber(lines.last);
    if (selected) {
        c.setPosition(newFirst.position());
        c.setPosition(newLast.position() + newLast.length() - 1, QTextCursor::KeepAnchor);
    } else {
        const size_t i = static_cast<size_t>(caretLine - lines.first);
        const int shift = static_cast<int>(after[i].size()) - static_cast<int>(before[i].size());
        const QTextBlock line = doc->findBlockByNumber(caretLine);
        c.setPosition(line.position() + std::clamp(caretColumn + shift, 0, line.length() - 1));
    }
    view.setTextCursor(c);
}

bool ToggleRemarkLines(CEditView& view) {
    std::u16string marker;
    if (qobject_cast<CDescriptView*>(&view)) marker = u"//";
    else if (qobject_cast<CScriptView*>(&view)) marker = u";";
    else return false;
    if (view.isReadOnly()) return false;
    EditLines(view, SelectedLines(view.textCursor()),
              [&](const std::vector<std::u16string>& lines) { return ToggleRemark(lines, marker); });
    return true;
}

}  // namespace qm
