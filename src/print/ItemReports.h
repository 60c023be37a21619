#pragma once
// The exam window's two item reports: one item with its answers and explanation, and every
// item of the exam with its key (an answer key). Neither shows the user's answers.

#include "print/engine/ReportModel.h"

#include <QString>
#include <QStringList>

namespace store {
class Table;
}

namespace print {

// The single-item report `ItemReport`, empty: one page at most. The question goes into the
// title band (`ppMemo1`), the answers and the explanation into the header band (`ppMemo2`).
report::Report makeItemReport();

// The lines of `ppMemo2`: "a.  " and the first answer, an empty line, the same for b; for c
// to f the line only when the answer is not empty, and an empty line in every case; one more
// empty line; the explanation.
QStringList answerLines(const QStringList& answers, const QString& explanation);

// Fills the single-item report with the current record of `currentSet`: the question as the
// window shows it, the product and exam line, the item's number in the exam, the answers
// and the explanation.
void fillItemReport(report::Report& itemReport, const store::Table& currentSet,
                    const QString& questionText, const QString& examTitle);

// The all-items report `ppReport1` over the records of the current exam set: a detail band
// per item with its answers, ticked boxes for the key and the explanation; the regions of
// answers c to f are hidden for an item where they are empty.
report::Report makeAllItemsReport(report::RecordSource* currentSet);
void fillAllItemsReport(report::Report& allItems, const QString& examTitle);

}  // namespace print
