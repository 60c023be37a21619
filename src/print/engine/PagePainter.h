#pragma once
// Paints laid-out pages on any paint device: a PDF writer, a printer, a preview.

#include "print/engine/PageModel.h"

#include <QList>

class QPagedPaintDevice;
class QPainter;

namespace report {

// Paints `page` with its paper's top left corner at the painter's origin, in the device's
// own pixels.
void paintPage(QPainter& painter, const Page& page);

// Paints the pages at `pageIndexes` (0-based), each on a page of its own, on a device that
// the painter is active on.
void paintPages(QPainter& painter, QPagedPaintDevice& device, const Document& document,
                const QList<int>& pageIndexes);

// Writes the whole document to a PDF file; false when the file cannot be written.
bool writePdf(const Document& document, const QString& fileName);

}  // namespace report
