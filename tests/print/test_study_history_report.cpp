// The printed study history read as a reader reads it: the most-missed list runs on to the
// next page in whole entries, and the attempts' heading, column headings and first rows follow
// it together.

#include "print/StudyHistoryReport.h"
#include "print/engine/ReportLayout.h"
#include "print/engine/TextMeasure.h"

#include <QTest>

#include <algorithm>

using namespace report;

namespace {

// The page's text boxes from the top down, left to right on one line.
QList<const Box*> readingOrder(const Page& page)
{
    QList<const Box*> boxes;
    for (const Box& box : page.boxes)
        if (box.kind == BoxKind::Text)
            boxes << &box;
    std::stable_sort(boxes.begin(), boxes.end(), [](const Box* a, const Box* b) {
        if (std::abs(a->rect.top() - b->rect.top()) > 0.5)
            return a->rect.top() < b->rect.top();
        return a->rect.left() < b->rect.left();
    });
    return boxes;
}

// A most-missed entry as the window writes it: two lines, every third one three.
QString missedEntry(int i)
{
    QString question = QStringLiteral("Question %1: which device of a branch office performs network address "
                                      "translation for every host behind one public address?")
                           .arg(i);
    if (i % 3 == 0)
        question += QStringLiteral(" The office has two uplinks, one of them a backup line that is only used "
                                   "when the first fails, and a firewall in front of the servers.");
    return QStringLiteral("Missed %1 of 4, last right never:  %2").arg(i % 4 + 1).arg(question);
}

}  // namespace

class TestStudyHistoryReport : public QObject {
    Q_OBJECT

private slots:
    void pageTwoReadsInOrder()
    {
        RecordList attempts({
            {{"date", "11 Dec 2026 09:30"}, {"exam", "Practice Exam A"}, {"score", "700"}, {"grade", "Fail"},
             {"timeUsed", "0:42:10"}},
            {{"date", "10 Dec 2026 18:05"}, {"exam", "Practice Exam B"}, {"score", "900"}, {"grade", "Pass"},
             {"timeUsed", "1:05:09"}},
        });
        print::StudyHistoryPrint content;
        content.summary = QStringLiteral("All exams: 2 attempts, 1 passed, best score 900");
        for (int i = 1; i <= 20; ++i)
            content.mostMissed << missedEntry(i);
        content.attempts = &attempts;
        const Report report = print::makeStudyHistoryReport(content);
        const Document doc = layoutReport(report);
        QCOMPARE(doc.pages.size(), 2);

        // The entries, page by page, in whole: a page break falls only between two entries.
        const ReportObject* missed = report.find(QStringLiteral("hsMissed"));
        QStringList printed;
        for (const Page& page : doc.pages) {
            for (const Box* piece : page.findAll(QStringLiteral("hsMissed"))) {
                QVERIFY2(piece->lines.first().startsWith(QStringLiteral("Missed ")),
                         qPrintable(piece->lines.first()));
                printed << piece->lines;
            }
        }
        QStringList wrapped;
        for (const QString& entry : content.mostMissed)
            wrapped << wrapText(missed->style, entry, missed->width);
        QCOMPARE(printed, wrapped);

        // Page 2: the rest of the list, then the attempts' heading, the column headings and the
        // two attempts, in that order, and nothing else above the footer.
        const Page& second = doc.pages[1];
        QStringList read;
        for (const Box* box : readingOrder(second))
            if (box->name != QStringLiteral("hsMissed") && box->name != QStringLiteral("hsFootText") &&
                box->name != QStringLiteral("hsPage"))
                read << box->text();
        QCOMPARE(read, QStringList({"Attempts, newest first", "Date", "Exam", "Score", "Grade", "Time used",
                                    "11 Dec 2026 09:30", "Practice Exam A", "700", "Fail", "0:42:10",
                                    "10 Dec 2026 18:05", "Practice Exam B", "900", "Pass", "1:05:09"}));
        const QList<const Box*> order = readingOrder(second);
        QCOMPARE(order.first()->name, QStringLiteral("hsMissed"));
        const double listEnd = second.find(QStringLiteral("hsMissed"))->rect.bottom();
        const double headingTop = second.find(QStringLiteral("hsAttemptsTitle"))->rect.top();
        const double columnsTop = second.find(QStringLiteral("hsDateHead"))->rect.top();
        QVERIFY(headingTop >= listEnd);
        // No gap where the column headings belong: they follow the heading at once.
        QVERIFY(columnsTop > headingTop && columnsTop - headingTop <= 10.0 + 0.01);
        QVERIFY(!doc.pages[0].find(QStringLiteral("hsDateHead")));
    }
};

QTEST_MAIN(TestStudyHistoryReport)
#include "test_study_history_report.moc"
