#include "print/ItemPrinting.h"

#include "print/ItemReports.h"
#include "print/engine/ReportLayout.h"
#include "store/Table.h"

#include <cstdint>

namespace print {

namespace {

// Keeps a walk through a table out of sight: record moves are not shown meanwhile, and the
// table returns to its record at the end.
class QuietWalk {
public:
    explicit QuietWalk(store::Table& table) : m_table(table)
    {
        m_table.disableControls();
        m_hasRecord = !m_table.isEmpty();
        if (m_hasRecord)
            m_bookmark = m_table.getBookmark();
    }
    ~QuietWalk()
    {
        if (m_hasRecord) {
            try {
                m_table.gotoBookmark(m_bookmark);
            } catch (...) {
                // The record is gone: the table stays where the walk ended.
            }
            m_table.freeBookmark(m_bookmark);
        }
        m_table.enableControls();
    }
    QuietWalk(const QuietWalk&) = delete;
    QuietWalk& operator=(const QuietWalk&) = delete;

private:
    store::Table& m_table;
    bool m_hasRecord = false;
    std::int64_t m_bookmark = 0;
};

}  // namespace

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
        QuietWalk walk(currentSet);
        report::Report allItems = makeAllItemsReport(&currentSet);
        fillAllItemsReport(allItems, examTitle);
        document = report::layoutReport(allItems);
    }
    return printDocument(document, output, parent);
}

}  // namespace print
