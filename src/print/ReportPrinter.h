#pragma once
// Where a report's pages go: the printer the user chooses in the printer dialog (which also
// offers a PDF file), or the print preview. Both go through the prompt seam. Cancelling
// prints nothing; a printer or file error shows the error box.

#include "print/engine/PageModel.h"
#include "print/engine/ReportModel.h"

#include <QString>

class QPrinter;
class QWidget;

namespace print {

enum class Output { Printer, Preview };

// Lays `report` out and sends it to `output`. True when the pages went out without error (for
// the preview: when it was shown).
bool printReport(const report::Report& report, Output output, QWidget* parent);
bool printDocument(const report::Document& document, Output output, QWidget* parent);

// Sets a printer up for `document`: its paper, no margins (pages are placed from the paper's
// edge), its name, and the range of its pages.
void setUpPrinter(QPrinter& printer, const report::Document& document);
// Sends the pages of `document` that the printer's range and copies ask for. Returns the
// error text, empty on success.
QString sendPages(const report::Document& document, QPrinter& printer);

}  // namespace print
