#pragma once
#include <QColor>
#include <QFont>
#include <QSizeF>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "core/views/colouring.h"

class QAbstractScrollArea;
class QPainter;
class QPaintDevice;
class QPrinter;
class QTextDocument;

namespace qm {

class CEditView;

// What is printed: a window's lines in its colours, all of them or the selected characters.
struct PrintText {
    int lineCount = 0;
    std::function<QString(int)> line;
    std::function<std::vector<ColourRun>(const QString&)> runs;  // null: every character in `plain`
    std::function<QColor(ColourRole)> colour;
    QColor plain = Qt::black;
    QString title;
    QFont font;  // the editor font in points
    // Line and column of the first character and past the last; the whole text unless `selection`.
    bool selection = false;
    int firstLine = 0, firstColumn = 0, lastLine = 0, lastColumn = 0;
};
// The text of an editor window or of a very large text's window.
PrintText TextToPrint(const QAbstractScrollArea& view, bool selectionOnly);

// The view's text laid out in pages for one paint device: the editor font in points at the
// device's resolution, each character in the colour and weight the view gives it, long lines
// wrapped at the page width. Colours come from the view's colouring rules line by line, not
// from what the screen happens to have laid out.
class PrintLayout {
public:
    // `pageSize`: the printable area in device pixels. `selectionOnly`: only the selected characters.
    PrintLayout(const CEditView& view, QPaintDevice& device, const QSizeF& pageSize, bool selectionOnly);
    PrintLayout(const PrintText& text, QPaintDevice& device, const QSizeF& pageSize);
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
void PrintView(QAbstractScrollArea& view, QPrinter& printer);
// The print dialog, then printing.
void OnFilePrint(QAbstractScrollArea& view);
// Straight to the default printer.
void OnFilePrintDirect(QAbstractScrollArea& view);
void OnFilePrintPreview(QAbstractScrollArea& view);
// The page set-up every print of the run uses.
void OnFilePrintSetup();
QPrinter& SharedPrinter();

}  // namespace qm
