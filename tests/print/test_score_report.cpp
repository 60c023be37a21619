// The printed score report: its page model and what its PDF page holds.

#include "print/ReportPrinter.h"
#include "print/ScoreReport.h"
#include "print/engine/ReportLayout.h"
#include "results/Grading.h"
#include "charts/ChartPainting.h"
#include "results/ScoreCharts.h"
#include "results/ScoreReportCharts.h"
#include "support/TempDir.h"

#include "PrintFixture.h"

#include <QTest>

namespace {

const QString TitleLine = QStringLiteral("Ann,  Quizlore Prep 2.0,  Practice Exam A");

store::ItemStates sheet(int items, int correct)
{
    store::ItemStates states(items);
    for (int i = 0; i < items; ++i) {
        states[i].Section = i % 3 + 1;  // section 4 has no item
        states[i].Correct = i < correct;
    }
    return states;
}

// The score report as grading fills it.
report::Report gradedReport(const results::Grade& grade)
{
    report::Report r = print::makeScoreReport();
    print::setScoreReportTotal(
        r, TitleLine, results::resultLine(grade),
        charts::chartPainter(results::reportTotalChart(results::totalChart(grade.score, TitleLine))));
    print::setScoreReportSections(
        r, charts::chartPainter(results::reportSectionsChart(results::sectionsChart(grade))));
    print::setScoreReportFooter(r, "Quizlore Prep 2.0");
    r.printTime = QDateTime(QDate(2026, 3, 14), QTime(9, 30));
    return r;
}

}  // namespace

class TestScoreReport : public QObject {
    Q_OBJECT

private slots:
    // The page as a reader sees it: nothing over anything else, all within the margins, the
    // parts from the title line down to the sections chart in that order above the footer,
    // the heading and the result line centred on the page.
    void pageReadsInOrder()
    {
        const report::Document doc = report::layoutReport(gradedReport(results::gradeSheet(sheet(60, 51))));
        QCOMPARE(doc.name, QString("Score Report"));
        QCOMPARE(doc.pages.size(), 1);
        const report::Page& page = doc.pages[0];
        const QStringList faults = printfixture::pageFaults(doc, page);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
        QCOMPARE(printfixture::outOfOrder(page, {"ppLabel1", "ppSystemVariable1", "ppLabel5", "ppTeeChart1",
                                                 "ppLabel4", "ppLabel3", "ppTeeChart2", "ppLine3", "ppLabel2"}),
                 QString());
        const double pageCentre = doc.paper.width() / 2;
        for (const char* centred : {"ppLabel5", "ppLabel4"})
            QVERIFY2(std::abs(page.find(centred)->rect.center().x() - pageCentre) < 3, centred);
        // The title line and the date end at one right edge, as the total chart's frame does.
        QVERIFY(std::abs(page.find("ppLabel1")->rect.right() - page.find("ppSystemVariable1")->rect.right()) < 1);
        QCOMPARE(page.find("ppLabel1")->text(), TitleLine);
        QCOMPARE(page.find("ppLabel2")->text(), QString("Quizlore Prep 2.0"));
        // The sections heading sits on the rule above the sections chart.
        const QRectF heading = page.find("ppLabel3")->rect;
        const double rule = page.find("ppLine2")->rect.top();
        QVERIFY(heading.top() < rule && rule < heading.bottom());
    }

    // The PDF page holds the labels, the date and both charts' labels.
    void printedPage()
    {
        testsupport::TempDirCwd dir;
        testsupport::ScriptedPrompts prompts;
        printfixture::printToPdf(prompts, "score.pdf");
        const results::Grade grade = results::gradeSheet(sheet(16, 1));
        QVERIFY(print::printReport(gradedReport(grade), print::Output::Printer, nullptr));
        printfixture::keepForLook("score.pdf", "score.pdf");
        const QStringList pages = printfixture::pdfPages("score.pdf");
        QCOMPARE(pages.size(), 1);
        const QString& page = pages[0];
        for (const char* text : {"Quizlore", "Examination Score Report", "Your score", "Required score",
                                 "Passing Score: 850 Your Score: 62 Grade: Fail", "Sections",
                                 "Standards and Terminology (1/6)", "Troubleshooting (0/0)", "Quizlore Prep 2.0"})
            QVERIFY2(page.simplified().contains(QLatin1String(text)), text);
        QVERIFY(page.contains(QLocale().toString(QDate(2026, 3, 14), QLocale::ShortFormat)));
        QVERIFY(page.contains(TitleLine.simplified()) || page.simplified().contains(TitleLine.simplified()));
    }
};

QTEST_MAIN(TestScoreReport)
#include "test_score_report.moc"
