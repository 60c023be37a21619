// The processor time to print the all-items report of a 1,000-item exam to a PDF file: laying the
// report out over the current exam set and writing its pages. The baseline, measured in the
// same run, is QTextDocument::print of the same texts to a PDF file on the same paper.
//
// Prints a line per case and ends with:
// report_all_1000: ratio=<ours/baseline> ms=<ours> pages=<n>

#include "print/ItemReports.h"
#include "print/ReportPrinter.h"
#include "print/TableRecords.h"
#include "print/engine/ReportLayout.h"
#include "store/StandaloneTable.h"
#include "store/TableFile.h"

#include <QApplication>
#include <QDir>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

constexpr int ItemCount = 1000;
constexpr int Rounds = 5;

// The processor time of this thread: the work itself, whatever else runs on the machine.
class CpuClock {
public:
    CpuClock() { clock_gettime(CLOCK_THREAD_CPUTIME_ID, &m_start); }
    double ms() const
    {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return double(now.tv_sec - m_start.tv_sec) * 1e3 + double(now.tv_nsec - m_start.tv_nsec) / 1e6;
    }

private:
    timespec m_start{};
};

struct Item {
    int number;
    QString question;
    QStringList answers;
    QString key;
    QString explanation;
};

std::vector<Item> makeItems()
{
    std::vector<Item> items;
    for (int n = 1; n <= ItemCount; ++n) {
        Item item;
        item.number = 1000 + n;
        item.question = QStringLiteral("Question %1: which of the following statements about the "
                                       "network described in the exhibit is true when the switch "
                                       "forwards a frame whose destination it has not learned yet?")
                            .arg(n);
        const int answers = 4 + n % 3;
        for (int k = 1; k <= answers; ++k)
            item.answers << QStringLiteral("Answer %1 of item %2, a statement of moderate length").arg(k).arg(n);
        item.key = n % 2 ? QStringLiteral("b") : QStringLiteral("ad");
        item.explanation = QStringLiteral("Explanation %1: the switch floods the frame out of every "
                                          "port but the one it came in on, then learns the sender's "
                                          "address from the frame's source field, so the next frame "
                                          "to that host goes out of one port only.")
                               .arg(n);
        items.push_back(item);
    }
    return items;
}

void writeCurrentSet(const QString& file, const std::vector<Item>& items)
{
    store::createTableFile(file, store::TableKind::Current, store::TablePassword);
    store::StandaloneTable standalone(file);
    store::Table& table = standalone.table;
    table.open();
    table.startTransaction();
    for (const Item& item : items) {
        table.append();
        table.setValue("Q_SECT", 1);
        table.setValue("Q_OR_NUMBER", item.number);
        table.setValue("Q_TEXT", item.question);
        table.setValue("Q_EXPL", item.explanation);
        for (int k = 1; k <= 6; ++k) {
            table.setValue(QStringLiteral("Q%1").arg(k), item.answers.value(k - 1));
            table.setValue(QStringLiteral("A%1").arg(k), item.key.contains(QLatin1Char(char('a' + k - 1))));
        }
        table.post();
    }
    table.commit();
}

void pdfPrinter(QPrinter& printer, const QString& file)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
}

// Ours: the report walks the table, is laid out, and its pages go to the PDF printer.
double ours(store::Table& table, const QString& file, int& pages)
{
    const CpuClock clock;
    print::TableRecords records(table);
    report::Report allItems = print::makeAllItemsReport(&records);
    print::fillAllItemsReport(allItems, QStringLiteral("All Questions"));
    const report::Document document = report::layoutReport(allItems);
    QPrinter printer(QPrinter::HighResolution);
    print::setUpPrinter(printer, document);
    pdfPrinter(printer, file);
    const QString error = print::sendPages(document, printer);
    if (!error.isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(error));
    pages = int(document.pages.size());
    return clock.ms();
}

// The baseline: the same texts as one rich-text document, printed by Qt's text layout.
double baseline(const std::vector<Item>& items, const QString& file)
{
    const CpuClock clock;
    QTextDocument document;
    QTextCursor cursor(&document);
    QTextCharFormat plain;
    plain.setFont(QFont(QStringLiteral("Arial"), 10));
    for (const Item& item : items) {
        cursor.insertText(QStringLiteral("Item ID: %1").arg(item.number), plain);
        cursor.insertBlock();
        cursor.insertText(item.question, plain);
        cursor.insertBlock();
        for (qsizetype k = 0; k < item.answers.size(); ++k) {
            const bool keyed = item.key.contains(QLatin1Char(char('a' + k)));
            cursor.insertText(QString(QChar(keyed ? 0x2611 : 0x2610)) + QStringLiteral(" %1.  ").arg(QChar(char16_t('a' + k))) +
                                  item.answers[k],
                              plain);
            cursor.insertBlock();
        }
        cursor.insertText(item.explanation, plain);
        cursor.insertBlock();
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                      QMarginsF(6.35, 6.35, 6.35, 6.35), QPageLayout::Millimeter));
    pdfPrinter(printer, file);
    document.print(&printer);
    return clock.ms();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());

    const std::vector<Item> items = makeItems();
    writeCurrentSet(store::CurrentSetFileName, items);
    store::StandaloneTable current(store::CurrentSetFileName);
    current.table.open();

    std::vector<double> ourTimes;
    std::vector<double> baseTimes;
    int pages = 0;
    for (int round = 0; round < Rounds; ++round) {
        ourTimes.push_back(ours(current.table, QStringLiteral("ours.pdf"), pages));
        baseTimes.push_back(baseline(items, QStringLiteral("baseline.pdf")));
        std::printf("round %d: ours %.0f ms, QTextDocument::print %.0f ms\n", round + 1,
                    ourTimes.back(), baseTimes.back());
    }
    const double ourMs = median(ourTimes);
    const double baseMs = median(baseTimes);
    std::printf("report_all_1000: ratio=%.2f ms=%.0f pages=%d\n", ourMs / baseMs, ourMs, pages);
    return 0;
}
