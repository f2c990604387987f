#include "ui/views/printing.h"

#include <QPageLayout>
#include <QPageSetupDialog>
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
    if (view.textCursor().hasSelection()) dlg.setOption(QAbstractPrintDialog::PrintSelection);
    if (dlg.exec() == QDialog::Accepted) PrintView(view, printer);
}

void OnFilePrintDirect(CEditView& view) {
    PrintView(view, SharedPrinter());
}

void OnFilePrintPreview(CEditView& view) {
    QPrintPreviewDialog preview(&SharedPrinter(), &view);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &view,
                     [&view](QPrinter* p) { PrintView(view, *p); });
    preview.exec();
}

}  // namespace qm
