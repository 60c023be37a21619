#pragma once
// Text measured in millimetres. Every text is measured on one fine-grained reference device
// (1200 dpi, no hinting), so a report breaks its lines the same way on every printer and in
// the preview, and the page model does not depend on the device it is painted on.

#include "print/engine/ReportModel.h"

#include <QString>
#include <QStringList>

namespace report {

struct LineMetrics {
    double lineHeight = 0;  // from one line's top to the next
    double ascent = 0;      // from a line's top to its baseline
};

LineMetrics lineMetrics(const TextStyle& style);
double textWidth(const TextStyle& style, const QString& text);
// Breaks `text` into lines no wider than `width`: at every line break of the text, then
// between words, and inside a word only when it is wider than the line. An empty paragraph
// is an empty line; an empty text has no lines.
// With `paragraphStarts`, the index of each paragraph's first line is appended to it.
QStringList wrapText(const TextStyle& style, const QString& text, double width,
                     QList<qsizetype>* paragraphStarts = nullptr);
// The font of `style` as the reference device resolves it (for painting at the same size).
QFont measuringFont(const TextStyle& style);
// A text that tells fonts apart: the same for styles that draw the same font.
QString fontKey(const TextStyle& style);

}  // namespace report
