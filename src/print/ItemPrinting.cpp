#include "print/ItemPrinting.h"

#include "print/ItemReports.h"
#include "print/TableRecords.h"
#include "print/engine/ReportLayout.h"

namespace print {

bool printItem(const store::Table& currentSet, const QString& questionText,
               const QString& examTitle, Output output, QWidget* parent)
{
    report::Report itemReport = makeItemReport();
    fillItemReport(itemReport, currentSet, questionText, examTitle);
    return printReport(itemReport, output, parent);
}

bool printAllItems(store::Table& currentSet, const QString& examTitle, Output output,
                   QWidget* parent)
{
    report::Document document;
    {
        TableRecords records(currentSet);
        report::Report allItems = makeAllItemsReport(&records);
        fillAllItemsReport(allItems, examTitle);
        document = report::layoutReport(allItems);
    }
    return printDocument(document, output, parent);
}

}  // namespace print
