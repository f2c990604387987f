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
#include "ui/views/editview.h"

Q_GUI_EXPORT int qt_defaultDpiY();

namespace qm {

namespace {

// The editor font in points: the screen font is sized in screen pixels, which mean nothing on paper.
QFont PrintFont(const CEditView& view) {
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

// Adds characters [from, to) of one line in the view's colours.
void AppendLine(QTextCursor& out, const CEditView& view, const QString& line, int from, int to) {
    const QColor plain = view.m_colouring ? view.m_textColour : QColor(Qt::black);
    std::vector<ColourRun> runs;
    if (view.m_colouring) runs = view.LineRuns(line);
    if (runs.empty()) runs.push_back({0, static_cast<int>(line.size()), ColourRole::Text});
    for (const ColourRun& r : runs) {
        const int a = std::max(from, r.start), b = std::min(to, r.start + r.length);
        if (a >= b) continue;
        QTextCharFormat format;
        format.setForeground(view.m_colouring ? view.RoleColour(r.role) : plain);
        if (r.bold) format.setFontWeight(QFont::Bold);
        out.insertText(line.mid(a, b - a), format);
    }
}

}  // namespace

PrintLayout::PrintLayout(const CEditView& view, QPaintDevice& device, const QSizeF& pageSize, bool selectionOnly)
    : m_document(std::make_unique<QTextDocument>()), m_pageSize(pageSize) {
    QTextDocument& doc = *m_document;
    doc.documentLayout()->setPaintDevice(&device);
    const QFont font = PrintFont(view);
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

    const QTextDocument* source = view.document();
    int first = 0, last = source->characterCount();
    if (selectionOnly && view.textCursor().hasSelection()) {
        first = view.textCursor().selectionStart();
        last = view.textCursor().selectionEnd();
    }
    QTextCursor out(&doc);
    out.beginEditBlock();
    bool firstLine = true;
    for (QTextBlock b = source->findBlock(first); b.isValid() && b.position() <= last; b = b.next()) {
        if (selectionOnly && b.position() == last && b.position() != first) break;  // nothing of it selected
        if (!firstLine) out.insertBlock();
        firstLine = false;
        const QString line = b.text();
        AppendLine(out, view, line, std::max(0, first - b.position()), std::min<int>(line.size(), last - b.position()));
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

void PrintView(CEditView& view, QPrinter& printer) {
    printer.setFullPage(false);
    printer.setPageMargins(QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch);
    printer.setDocName(view.GetDocument() ? view.GetDocument()->GetTitle() : QString());
    QPainter painter;
    if (!painter.begin(&printer)) return;
    const bool selectionOnly = printer.printRange() == QPrinter::Selection;
    const PrintLayout layout(view, printer, printer.pageRect(QPrinter::DevicePixel).size(), selectionOnly);
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

void OnFilePrint(CEditView& view) {
    QPrinter& printer = SharedPrinter();
    QPrintDialog dlg(&printer, &view);
    dlg.setOption(QAbstractPrintDialog::PrintSelection, view.textCursor().hasSelection());
    dlg.setOption(QAbstractPrintDialog::PrintPageRange, true);
    printer.setPrintRange(QPrinter::AllPages);
    if (dlg.exec() == QDialog::Accepted) PrintView(view, printer);
}

void OnFilePrintDirect(CEditView& view) {
    SharedPrinter().setPrintRange(QPrinter::AllPages);
    PrintView(view, SharedPrinter());
}

void OnFilePrintPreview(CEditView& view) {
    SharedPrinter().setPrintRange(QPrinter::AllPages);
    QPrintPreviewDialog preview(&SharedPrinter(), &view);
    if (QWidget* main = view.window()) preview.resize(main->size());  // room for a page at 100 %
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &view,
                     [&view](QPrinter* p) { PrintView(view, *p); });
    preview.exec();
}

}  // namespace qm
