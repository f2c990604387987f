#pragma once

class QPrinter;

namespace qm {

class CEditView;

// Prints the view's text with half-inch margins on every side; no header, footer or page number.
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
