// The print commands of the windows: the exam window's File menu and the score window's
// "&Print Report", printing to PDF files through the scripted prompts.

#include "exam/ItemFixture.h"
#include "charts/BarChart.h"
#include "results/ScoreUnit.h"

#include "PrintFixture.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using itemfixture::choiceItem;

namespace {

std::vector<testsupport::Item> fiveItems()
{
    std::vector<testsupport::Item> items;
    for (int n = 1; n <= 5; ++n)
        items.push_back(choiceItem({QStringLiteral("Yes %1").arg(n), QStringLiteral("No %1").arg(n)},
                                   "a", false, QStringLiteral("Question %1?").arg(n),
                                   QStringLiteral("Because %1.").arg(n), 300 + n));
    return items;
}

}  // namespace

class TestPrintCommands : public QObject {
    Q_OBJECT

private slots:
    void menuEntriesFollowTheExam()
    {
        itemfixture::ExamWindow window;
        TTestForm& form = *window.form();
        for (QAction* entry : {form.Print1, form.Print2, form.PrintPreview1, form.PrintPreview2})
            QVERIFY(!entry->isEnabled());
        itemfixture::runExam(form, fiveItems());
        for (QAction* entry : {form.Print1, form.Print2, form.PrintPreview1, form.PrintPreview2})
            QVERIFY(entry->isEnabled());
        form.CloseCurrentExam();
        QVERIFY(!form.PrintPreview1->isEnabled());
        QVERIFY(!form.PrintPreview2->isEnabled());
    }

    // "&Print this item" prints the item on screen with its number in the exam.
    void printThisItem()
    {
        itemfixture::ExamWindow window;
        TTestForm& form = *window.form();
        itemfixture::runExam(form, fiveItems());
        form.NextButtonClick();
        testsupport::ScriptedPrompts prompts;
        printfixture::printToPdf(prompts, "item.pdf");
        form.Print1->trigger();
        QCOMPARE(prompts.unexpected(), 0);
        const QStringList pages = printfixture::pdfPages("item.pdf");
        QCOMPARE(pages.size(), 1);
        QVERIFY(pages[0].contains("Item Number: 2"));
        QVERIFY(pages[0].contains("Question 2?"));
        QVERIFY(pages[0].contains("a. Yes 2"));
        QVERIFY(pages[0].contains("Because 2."));
    }

    // "Print all items in this exam" prints every item; the window stays on its item and does
    // not follow the report through the table.
    void printAllItemsStaysOnTheItem()
    {
        itemfixture::ExamWindow window;
        TTestForm& form = *window.form();
        itemfixture::runExam(form, fiveItems());
        form.NextButtonClick();
        form.NextButtonClick();
        QCOMPARE(form.dtCurrentSet->recNo(), 3);
        QSignalSpy shown(form.dsCurrentSet, &store::DataSource::dataChange);
        testsupport::ScriptedPrompts prompts;
        printfixture::printToPdf(prompts, "all.pdf");
        form.Print2->trigger();
        QCOMPARE(prompts.unexpected(), 0);

        QCOMPARE(form.dtCurrentSet->recNo(), 3);
        QCOMPARE(form.QText->text(), QString("Question 3?"));
        QVERIFY(shown.count() <= 1);  // the one refresh when the display comes back on
        const QStringList pages = printfixture::pdfPages("all.pdf");
        QCOMPARE(pages.size(), 1);
        for (int n = 1; n <= 5; ++n)
            QVERIFY(pages[0].contains(QStringLiteral("Item ID: %1").arg(300 + n)));
        QVERIFY(pages[0].contains("All Items in"));
    }

    // "&Print Report" prints the last grading's result, as often as asked; the window stays.
    void scoreWindowPrintsItsReport()
    {
        testsupport::TempDirCwd dir;
        TScoreForm score;
        store::ItemStates sheet(8);
        for (int i = 0; i < 8; ++i) {
            sheet[i].Section = i % 4 + 1;
            sheet[i].Correct = i < 7;
        }
        score.showResult(results::gradeSheet(sheet), "Bo,  Quizlore Prep 2.0,  Random Exam");
        score.show();
        testsupport::ScriptedPrompts prompts;
        QStringList printed;
        for (const QString file : {"first.pdf", "second.pdf"}) {
            printfixture::printToPdf(prompts, file);
            QTest::mouseClick(score.BitBtn2, Qt::LeftButton);
            QVERIFY(score.isVisible());
            const QStringList pages = printfixture::pdfPages(file);
            QCOMPARE(pages.size(), 1);
            printed << pages[0];
        }
        printfixture::keepForLook("first.pdf", "score-window.pdf");
        QCOMPARE(printed[0], printed[1]);
        const QString page = printed[0].simplified();
        QVERIFY(page.contains("Bo, Quizlore Prep 2.0, Random Exam"));
        QVERIFY(page.contains("Passing Score: 850 Your Score: 875 Grade: Pass"));
        QVERIFY(page.contains("Planning (2/2)"));
        QVERIFY(page.contains("Troubleshooting (1/2)"));
        QCOMPARE(prompts.printerRequests(), 2);
        QCOMPARE(prompts.unexpected(), 0);
    }
};

QTEST_MAIN(TestPrintCommands)
#include "test_print_commands.moc"
