// The printed score report: its page model and what its PDF page holds.

#include "print/ReportPrinter.h"
#include "print/ScoreReport.h"
#include "print/engine/ReportLayout.h"
#include "results/Grading.h"
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
        results::chartPainter(results::reportTotalChart(results::totalChart(grade.score, TitleLine))));
    print::setScoreReportSections(
        r, results::chartPainter(results::reportSectionsChart(results::sectionsChart(grade))));
    print::setScoreReportFooter(r, "Quizlore Prep 2.0");
    r.printTime = QDateTime(QDate(2026, 3, 14), QTime(9, 30));
    return r;
}

}  // namespace

class TestScoreReport : public QObject {
    Q_OBJECT

private slots:
    void positions()
    {
        const report::Document doc = report::layoutReport(gradedReport(results::gradeSheet(sheet(60, 51))));
        QCOMPARE(doc.name, QString("Score Report"));
        QCOMPARE(doc.pages.size(), 1);
        const report::Page& page = doc.pages[0];
        const double m = 6.35;
        auto near = [](double a, double b) { return std::abs(a - b) <= 0.5; };
        QVERIFY(near(page.find("ppShape2")->rect.left(), m + 14.6));
        QVERIFY(near(page.find("ppLabel1")->rect.right(), m + 182.3));
        QCOMPARE(page.find("ppLabel1")->text(), TitleLine);
        QVERIFY(near(page.find("ppSystemVariable1")->rect.right(), m + 182.7));
        QVERIFY(near(page.find("ppLabel5")->rect.center().x(), m + 100.9));
        const QRectF total = page.find("ppTeeChart1")->rect;
        QVERIFY(near(total.left(), m + 16.4) && near(total.top(), m + 34.9));
        QVERIFY(near(total.width(), 165.4) && near(total.height(), 31.2));
        QVERIFY(near(page.find("ppLabel4")->rect.center().x(), m + 99.5));
        QVERIFY(near(page.find("ppLabel4")->rect.top(), m + 68.5));
        const QRectF sections = page.find("ppTeeChart2")->rect;
        QVERIFY(near(sections.left(), m + 10.1) && near(sections.top(), m + 92.6));
        QVERIFY(near(sections.width(), 177.8) && near(sections.height(), 33.3));
        // The footer label at the bottom of the page.
        QVERIFY(near(page.find("ppLine3")->rect.top(), 279.4 - m - 25.7 + 1.9));
        QCOMPARE(page.find("ppLabel2")->text(), QString("Quizlore Prep 2.0"));
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
