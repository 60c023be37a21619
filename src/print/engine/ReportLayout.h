#pragma once
// Lays a report out into pages of boxes.
//
// On each page: the title band (first page only), the header band, detail bands, and the
// footer band at the bottom. A stretching text or region moves what lies below it by as much
// as it grows or shrinks: each object moves with the stretching object that ends nearest
// above it. A detail band that does not fit on the rest of a page starts a new page; a band
// taller than a whole page is split between lines of text, never through a line. On the last
// page a page limit allows, what does not fit is cut off above the footer. Nothing is ever
// placed over the footer.

#include "print/engine/PageModel.h"
#include "print/engine/ReportModel.h"

namespace report {

// Walks the report's data source, if any, from its first record to its last.
Document layoutReport(const Report& report);

}  // namespace report
