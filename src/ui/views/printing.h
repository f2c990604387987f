#pragma once
#include <QSizeF>
#include <memory>

class QPainter;
class QPaintDevice;
class QPrinter;
class QTextDocument;

namespace qm {

class CEditView;

// The view's text laid out in pages for one paint device: the editor font in points at the
// device's resolution, each character in the colour and weight the view gives it, long lines
// wrapped at the page width. Colours come from the view's colouring rules line by line, not
// from what the screen happens to have laid out.
class PrintLayout {
public:
    // `pageSize`: the printable area in device pixels. `selectionOnly`: only the selected characters.
    PrintLayout(const CEditView& view, QPaintDevice& device, const QSizeF& pageSize, bool selectionOnly);
    ~PrintLayout();

    int PageCount() const;
    // Paints one page (0-based), the painter's origin at the printable area's top-left corner.
    void PaintPage(QPainter& painter, int page) const;

private:
    std::unique_ptr<QTextDocument> m_document;
    QSizeF m_pageSize;
};

// Prints the view's text with half-inch margins on every side; no header, footer or page number.
// Honours the printer's "Selection" and page range.
void PrintView(CEditView& view, QPrinter& printer);
// The print dialog, then printing.
void OnFilePrint(CEditView& view);
// Straight to the default printer.
void OnFilePrintDirect(CEditView& view);
void OnFilePrintPreview(CEditView& view);
// The page set-up every print of the run uses.
void OnFilePrintSetup();
QPrinter& SharedPrinter();

}  // namespace qm
