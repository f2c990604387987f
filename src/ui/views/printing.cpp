#include "ui/views/printing.h"

#include <QPageLayout>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "ui/views/editview.h"

namespace qm {

void PrintView(CEditView& view, QPrinter& printer) {
    printer.setPageMargins(QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch);
    printer.setDocName(view.GetDocument() ? view.GetDocument()->GetTitle() : QString());
    // Print a copy, so the page's font and wrapping do not touch the editor.
    QTextDocument copy;
    copy.setDefaultFont(view.font());
    copy.setPlainText(view.GetText());
    copy.print(&printer);
}

void OnFilePrint(CEditView& view) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dlg(&printer, &view);
    if (view.textCursor().hasSelection()) dlg.setOption(QAbstractPrintDialog::PrintSelection);
    if (dlg.exec() == QDialog::Accepted) PrintView(view, printer);
}

void OnFilePrintDirect(CEditView& view) {
    QPrinter printer(QPrinter::HighResolution);
    PrintView(view, printer);
}

void OnFilePrintPreview(CEditView& view) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, &view);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &view,
                     [&view](QPrinter* p) { PrintView(view, *p); });
    preview.exec();
}

}  // namespace qm
