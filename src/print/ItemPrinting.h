#pragma once
// What the exam window's print commands do: print the item on screen, or every item of the
// exam with its key, to the printer or the preview.

#include "print/ReportPrinter.h"

#include <QString>

class QWidget;

namespace store {
class Table;
}

namespace print {

// The current item of `currentSet`, with `questionText` as the window shows the question.
bool printItem(const store::Table& currentSet, const QString& questionText,
               const QString& examTitle, Output output, QWidget* parent);

// Every item of `currentSet` in exam order. The table shows no record move while the report
// walks it and is back on its record afterwards, also when printing fails.
bool printAllItems(store::Table& currentSet, const QString& examTitle, Output output,
                   QWidget* parent);

}  // namespace print
