#include "ui/views/printing.h"

#include <QAbstractTextDocumentLayout>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "ui/app/quillmark.h"
#include "ui/frames/mainfrm.h"
#include "ui/frames/childfrm.h"
#include "ui/views/editview.h"
#include "ui/views/largetext.h"
#include "ui/views/largetextview.h"

Q_GUI_EXPORT int qt_defaultDpiY();

namespace qm {

namespace {

// The editor font in points: the screen font is sized in screen pixels, which mean nothing on paper.
QFont PrintFont(const QWidget& view) {
    QFont f = view.font();
    if (CMainFrame* main = theApp.GetMainFrame()) {
        f = QFont(QString::fromStdString(main->m_fontName));
        f.setPointSize(std::max(1, main->m_fontSize));
        f.setWeight(main->m_boldFonts == 1 ? QFont::Bold : QFont::Normal);
        f.setStyleHint(QFont::TypeWriter);
    } else {
        f.setPointSize(10);
    }
    return f;
}

// Adds characters [from, to) of one line in the window's colours.
void AppendLine(QTextCursor& out, const PrintText& text, const QString& line, int from, int to) {
    std::vector<ColourRun> runs;
    if (text.runs) runs = text.runs(line);
    if (runs.empty()) runs.push_back({0, static_cast<int>(line.size()), ColourRole::Text});
    for (const ColourRun& r : runs) {
        const int a = std::max(from, r.start), b = std::min(to, r.start + r.length);
        if (a >= b) continue;
        QTextCharFormat format;
        format.setForeground(text.runs && text.colour ? text.colour(r.role) : text.plain);
        if (r.bold) format.setFontWeight(QFont::Bold);
        out.insertText(line.mid(a, b - a), format);
    }
}

CChildFrame* FrameOf(const QWidget& view) {
    for (QWidget* w = view.parentWidget(); w; w = w->parentWidget())
        if (auto* frame = qobject_cast<CChildFrame*>(w)) return frame;
    return nullptr;
}

PrintText EditorText(const CEditView& view, bool selectionOnly) {
    PrintText text;
    const QTextDocument* source = view.document();
    text.lineCount = source->blockCount();
    text.line = [source](int n) { return source->findBlockByNumber(n).text(); };
    if (view.m_colouring) {
        text.runs = [&view](const QString& line) { return view.LineRuns(line); };
        text.colour = [&view](ColourRole role) { return view.RoleColour(role); };
        text.plain = view.m_textColour;
    }
    const QTextCursor c = view.textCursor();
    if (selectionOnly && c.hasSelection()) {
        const QTextBlock first = source->findBlock(c.selectionStart()), last = source->findBlock(c.selectionEnd());
        text.selection = true;
        text.firstLine = first.blockNumber();
        text.firstColumn = c.selectionStart() - first.position();
        text.lastLine = last.blockNumber();
        text.lastColumn = c.selectionEnd() - last.position();
    }
    return text;
}

PrintText LargeText(const CLargeTextView& view, bool selectionOnly) {
    PrintText text;
    const PieceTable& table = view.Text()->Table();
    text.lineCount = int(std::min<size_t>(table.LineCount(), size_t(INT_MAX)));
    text.line = [&table](int n) { return QString::fromStdString(table.LineText(size_t(n))); };
    if (view.lineRuns && view.roleColour) {
        text.runs = view.lineRuns;
        text.colour = view.roleColour;
        text.plain = view.roleColour(ColourRole::Text);
    }
    if (selectionOnly && view.HasSelection()) {
        const SelectionSpan s = view.Selection();
        text.selection = true;
        text.firstLine = s.startLine;
        text.firstColumn = s.startColumn;
        text.lastLine = s.endLine;
        text.lastColumn = s.endColumn;
    }
    return text;
}

bool HasSelection(const QAbstractScrollArea& view) {
    if (auto* edit = qobject_cast<const CEditView*>(&view)) return edit->textCursor().hasSelection();
    if (auto* large = qobject_cast<const CLargeTextView*>(&view)) return large->HasSelection();
    return false;
}

}  // namespace

PrintText TextToPrint(const QAbstractScrollArea& view, bool selectionOnly) {
    PrintText text;
    if (auto* edit = qobject_cast<const CEditView*>(&view)) text = EditorText(*edit, selectionOnly);
    else if (auto* large = qobject_cast<const CLargeTextView*>(&view)) text = LargeText(*large, selectionOnly);
    if (CChildFrame* frame = FrameOf(view); frame && frame->GetDocument()) text.title = frame->GetDocument()->GetTitle();
    // A selection that ends where a line starts holds nothing of that line.
    if (text.selection && text.lastColumn == 0 && text.lastLine > text.firstLine) {
        --text.lastLine;
        text.lastColumn = INT_MAX;
    }
    if (!text.selection) {
        text.lastLine = text.lineCount - 1;
        text.lastColumn = INT_MAX;
    }
    text.font = PrintFont(view);
    return text;
}

PrintLayout::PrintLayout(const CEditView& view, QPaintDevice& device, const QSizeF& pageSize, bool selectionOnly)
    : PrintLayout(TextToPrint(view, selectionOnly), device, pageSize) {}

PrintLayout::PrintLayout(const PrintText& text, QPaintDevice& device, const QSizeF& pageSize)
    : m_document(std::make_unique<QTextDocument>()), m_pageSize(pageSize) {
    QTextDocument& doc = *m_document;
    doc.documentLayout()->setPaintDevice(&device);
    const QFont font = text.font;
    doc.setDefaultFont(font);
    doc.setDocumentMargin(0);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    // The layout scales tab stops by the device's resolution over the screen's, so the distance is
    // given in screen terms; in device pixels a tab would be several times too wide and wrap its line.
    const qreal dpiScale = qreal(device.logicalDpiY()) / qt_defaultDpiY();
    const int tabWidth = theApp.GetMainFrame() ? theApp.GetMainFrame()->m_tabWidth : 8;
    option.setTabStopDistance(QFontMetricsF(font, &device).horizontalAdvance(QLatin1Char(' ')) * tabWidth / dpiScale);
    doc.setDefaultTextOption(option);
    doc.setPageSize(pageSize);

    QTextCursor out(&doc);
    out.beginEditBlock();
    for (int n = text.firstLine; n <= text.lastLine && n < text.lineCount; ++n) {
        if (n > text.firstLine) out.insertBlock();
        const QString line = text.line(n);
        AppendLine(out, text, line, n == text.firstLine ? text.firstColumn : 0,
                   n == text.lastLine ? std::min<int>(line.size(), text.lastColumn) : int(line.size()));
    }
    out.endEditBlock();
}

PrintLayout::~PrintLayout() = default;

int PrintLayout::PageCount() const { return m_document->pageCount(); }

void PrintLayout::PaintPage(QPainter& painter, int page) const {
    // Line by line, each line on the page the layout gave it: drawing whole blocks would put the
    // next page's first lines into the bottom margin, hidden by the clip but still in the printed
    // file (found by a search, copied with the page's text).
    const qreal top = page * m_pageSize.height(), bottom = top + m_pageSize.height();
    const QTextDocument& doc = *m_document;
    QAbstractTextDocumentLayout* layout = doc.documentLayout();
    QTextBlock b = doc.findBlock(std::max(0, layout->hitTest(QPointF(0, top), Qt::FuzzyHit)));
    if (b.isValid() && b.previous().isValid()) b = b.previous();  // a wrapped line may begin above
    painter.save();
    painter.setClipRect(QRectF(QPointF(0, 0), m_pageSize));
    painter.setPen(Qt::black);
    for (; b.isValid(); b = b.next()) {
        const QTextLayout* lines = b.layout();
        const QPointF at = lines->position();
        if (at.y() >= bottom) break;
        for (int i = 0; i < lines->lineCount(); ++i) {
            const QTextLine line = lines->lineAt(i);
            const qreal y = at.y() + line.y();
            if (y >= top && y < bottom) line.draw(&painter, at - QPointF(0, top));
        }
    }
    painter.restore();
}

void PrintView(QAbstractScrollArea& view, QPrinter& printer) {
    printer.setFullPage(false);
    printer.setPageMargins(QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch);
    const PrintText text = TextToPrint(view, printer.printRange() == QPrinter::Selection);
    printer.setDocName(text.title);
    QPainter painter;
    if (!painter.begin(&printer)) return;
    const PrintLayout layout(text, printer, printer.pageRect(QPrinter::DevicePixel).size());
    int from = 1, to = layout.PageCount();
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        from = printer.fromPage();
        to = std::min(to, std::max(from, printer.toPage()));
    }
    // Printers that cannot make copies themselves get each page as often as asked.
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    bool firstPage = true;
    for (int page = from; page <= to; ++page) {
        for (int c = 0; c < copies; ++c) {
            if (!firstPage) printer.newPage();
            firstPage = false;
            layout.PaintPage(painter, page - 1);
        }
    }
    painter.end();
}

QPrinter& SharedPrinter() {
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

void OnFilePrintSetup() {
    QPageSetupDialog dlg(&SharedPrinter());
    dlg.exec();
}

void OnFilePrint(QAbstractScrollArea& view) {
    QPrinter& printer = SharedPrinter();
    QPrintDialog dlg(&printer, &view);
    dlg.setOption(QAbstractPrintDialog::PrintSelection, HasSelection(view));
    dlg.setOption(QAbstractPrintDialog::PrintPageRange, true);
    printer.setPrintRange(QPrinter::AllPages);
    if (dlg.exec() == QDialog::Accepted) PrintView(view, printer);
}

void OnFilePrintDirect(QAbstractScrollArea& view) {
    SharedPrinter().setPrintRange(QPrinter::AllPages);
    PrintView(view, SharedPrinter());
}

void OnFilePrintPreview(QAbstractScrollArea& view) {
    SharedPrinter().setPrintRange(QPrinter::AllPages);
    QPrintPreviewDialog preview(&SharedPrinter(), &view);
    if (QWidget* main = view.window()) preview.resize(main->size());  // room for a page at 100 %
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &view,
                     [&view](QPrinter* p) { PrintView(view, *p); });
    preview.exec();
}

}  // namespace qm
