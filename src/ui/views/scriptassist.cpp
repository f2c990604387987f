#include "ui/views/scriptassist.h"

#include <QTextBlock>
#include <QToolTip>

#include "core/views/colouring.h"
#include "core/views/gotolabel.h"
#include "core/views/syntaxtip.h"
#include "ui/app/quillmark.h"
#include "ui/frames/scriptframe.h"
#include "ui/views/editview.h"

namespace qm {

namespace {
std::u16string_view LineText(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size())};
}
}  // namespace

const std::vector<LabelIndex::Entry>& ScriptLabels(const CEditView& view, std::vector<LabelIndex::Entry>& scanned) {
    if (auto* frame = qobject_cast<CScriptFrame*>(view.GetParentFrame()))
        if (const LabelIndex* labels = frame->CurrentLabels()) return labels->Entries();
    scanned.clear();
    const QTextDocument* doc = view.document();
    int line = 0;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next(), ++line)
        if (b.length() > 1 && doc->characterAt(b.position()) == QLatin1Char('#'))
            scanned.push_back({line, b.text().toStdU16String()});
    return scanned;
}

bool GoToLabelAt(CEditView& view, int position) {
    const QTextBlock block = view.document()->findBlock(position);
    if (!block.isValid()) return false;
    const QString text = block.text();
    const auto name = GotoTargetAt(LineText(text), position - block.position());
    if (!name) return false;
    std::vector<LabelIndex::Entry> scanned;
    const int line = FindLabelLine(ScriptLabels(view, scanned), *name);
    if (line < 0) return false;
    view.GoToLine(line);
    if (auto* frame = qobject_cast<CScriptFrame*>(view.GetParentFrame())) frame->ShowLabelOfLine(line);
    return true;
}

QString SyntaxTipText(const CEditView& view, int position) {
    const QTextBlock block = view.document()->findBlock(position);
    if (!block.isValid()) return {};
    const QString text = block.text();
    QString tip = QString::fromStdString(SyntaxTipAt(theApp.m_catalogue, LineText(text), position - block.position()));
    tip.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return tip;
}

bool ShowSyntaxTip(CEditView& view, int position, const QPoint* global) {
    const QString tip = SyntaxTipText(view, position);
    if (tip.isEmpty()) {
        QToolTip::hideText();
        return false;
    }
    // The tip stays while the mouse is over the name.
    const QTextBlock block = view.document()->findBlock(position);
    const QString text = block.text();
    const auto [from, to] = WordAround(LineText(text), position - block.position());
    QTextCursor at(view.document());
    at.setPosition(block.position() + from);
    QRect name = view.cursorRect(at);
    at.setPosition(block.position() + to);
    name = name.united(view.cursorRect(at));
    const QPoint where = global ? *global : view.viewport()->mapToGlobal(name.bottomLeft());
    // Kept as typed: an example may hold "<" or runs of spaces.
    const QString shown = QStringLiteral("<p style='white-space:pre'>") +
                          tip.toHtmlEscaped().replace(QLatin1Char('\n'), QLatin1String("<br>")) +
                          QStringLiteral("</p>");
    QToolTip::showText(where, shown, view.viewport(), global ? name : QRect());
    return true;
}

}  // namespace qm
