#include "print/ItemPrinting.h"
#include "print/ItemReports.h"
#include "print/TableRecords.h"
#include "print/engine/Objects.h"
#include "print/engine/ReportLayout.h"
#include "print/engine/TextMeasure.h"
#include "store/StandaloneTable.h"
#include "support/TempDir.h"

#include "PrintFixture.h"

#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using printfixture::keyedItem;
using report::Document;

namespace {

const QString ExamTitle = QStringLiteral("Practice Exam C");

// The current exam set of a test, open on its first record.
class CurrentSet {
public:
    explicit CurrentSet(const std::vector<testsupport::Item>& items)
    {
        QFile::remove(store::CurrentSetFileName);
        testsupport::makeTable(store::CurrentSetFileName, store::TableKind::Current, items);
        m_table = std::make_unique<store::StandaloneTable>(store::CurrentSetFileName);
        m_table->table.open();
    }
    store::Table& table() { return m_table->table; }

private:
    std::unique_ptr<store::StandaloneTable> m_table;
};

std::vector<testsupport::Item> numberedItems(int count)
{
    std::vector<testsupport::Item> items;
    for (int n = 1; n <= count; ++n)
        items.push_back(keyedItem({QStringLiteral("Alpha %1").arg(n), QStringLiteral("Beta %1").arg(n),
                                   QStringLiteral("Gamma %1").arg(n)},
                                  QStringLiteral("c"), 500 + n,
                                  QStringLiteral("Question number %1?").arg(n),
                                  QStringLiteral("Explained %1.").arg(n)));
    return items;
}

}  // namespace

class TestItemReports : public QObject {
    Q_OBJECT

private slots:
    void init() { m_dir = std::make_unique<testsupport::TempDirCwd>(); }
    void cleanup() { m_dir.reset(); }

    // The single-item page lists a and b always, c to f only when given, each followed by an
    // empty line, then one more empty line and the explanation.
    void singleItemAnswerLines_data()
    {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("two answers")
            << QStringList{"Red", "Blue"}
            << QStringList{"a.  Red", "", "b.  Blue", "", "", "", "", "", "", "Why."};
        QTest::newRow("four answers")
            << QStringList{"Red", "Blue", "Green", "Grey"}
            << QStringList{"a.  Red", "", "b.  Blue", "", "c.  Green", "", "d.  Grey", "", "", "",
                           "", "Why."};
        QTest::newRow("six answers")
            << QStringList{"Red", "Blue", "Green", "Grey", "Pink", "Teal"}
            << QStringList{"a.  Red", "",  "b.  Blue", "", "c.  Green", "", "d.  Grey", "",
                           "e.  Pink", "", "f.  Teal", "", "", "Why."};
        QTest::newRow("empty first answer")
            << QStringList{"", "Blue", "Green"}
            << QStringList{"a.  ", "", "b.  Blue", "", "c.  Green", "", "", "", "", "", "Why."};
    }
    void singleItemAnswerLines()
    {
        QFETCH(QStringList, answers);
        QFETCH(QStringList, expected);
        QCOMPARE(print::answerLines(answers, "Why."), expected);

        CurrentSet set({keyedItem(answers, "b", 7, "Which colour?", "Why.")});
        testsupport::ScriptedPrompts prompts;
        printfixture::printToPdf(prompts, "item.pdf");
        QVERIFY(print::printItem(set.table(), "Which colour?", ExamTitle, print::Output::Printer, nullptr));
        QCOMPARE(prompts.unexpected(), 0);

        const QStringList pages = printfixture::pdfPages("item.pdf");
        printfixture::keepForLook("item.pdf", QStringLiteral("item-%1.pdf").arg(QTest::currentDataTag()));
        QCOMPARE(pages.size(), 1);
        const QStringList lines = printfixture::trimmedLines(pages[0]);
        QVERIFY(pages[0].contains("Quizlore Prep 2.0, Practice Exam C"));
        QVERIFY(lines.contains("Item Number: 1"));
        // The page holds the memo's lines, in order...
        QStringList shown;
        for (const QString& line : lines.mid(lines.indexOf("Which colour?") + 1))
            if (!line.isEmpty())
                shown << line;
        QStringList expectedShown;
        for (const QString& line : expected)
            if (!line.isEmpty())
                expectedShown << line.simplified();  // pdftotext reads two blanks as one
        expectedShown << "Quizlore Prep 2.0";
        QCOMPARE(shown, expectedShown);
        // ...with the empty ones between: the explanation stands as many lines below the
        // last answer as the memo says.
        const qsizetype lastAnswer = expected.lastIndexOf(QRegularExpression("[a-f]\\..*"));
        const QString lastLetter = expected[lastAnswer].left(2);
        const qsizetype gap = expected.size() - 1 - lastAnswer;
        const double lineHeight = report::lineMetrics(report::arial(10)).lineHeight / 25.4 * 72;
        const double distance = printfixture::wordTop("item.pdf", "Why.") - printfixture::wordTop("item.pdf", lastLetter);
        QVERIFY2(std::abs(distance - gap * lineHeight) < 1.0,
                 qPrintable(QStringLiteral("%1 pt for %2 lines").arg(distance).arg(gap)));
    }

    // The single-item page as a reader sees it: nothing over anything else, all within the
    // margins; the product line and the item number right-aligned at the top, then the
    // question, the rule and the answers, and the footer last.
    void singleItemPageReadsInOrder()
    {
        CurrentSet set({keyedItem({"Red", "Blue"}, "a", 7, "Which colour?", "Why.")});
        report::Report r = print::makeItemReport();
        print::fillItemReport(r, set.table(), "Which colour?", ExamTitle);
        const Document doc = report::layoutReport(r);
        QCOMPARE(doc.name, QString("Report"));
        QCOMPARE(doc.pages.size(), 1);
        const report::Page& page = doc.pages[0];
        const QStringList faults = printfixture::pageFaults(doc, page);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
        QCOMPARE(printfixture::outOfOrder(page, {"ppLabel4", "ppLabel1", "ppMemo1", "ppLine2", "ppMemo2",
                                                 "ppLine4", "ppLabel5"}),
                 QString());
        QVERIFY(std::abs(page.find("ppLabel4")->rect.right() - page.find("ppLabel1")->rect.right()) < 0.01);
        QCOMPARE(page.find("ppLabel1")->text(), QString("Item Number: 1"));
        QCOMPARE(page.find("ppMemo1")->text(), QString("Which colour?"));
        QCOMPARE(page.find("ppLabel5")->text(), QString("Quizlore Prep 2.0"));
        // The question and the answers start at one left edge.
        const double left = page.find("ppMemo1")->rect.left();
        QVERIFY(std::abs(page.find("ppMemo2")->rect.left() - left) < 0.01);
    }

    // What does not fit on the single page is cut above the footer, between lines.
    void singleItemCutAtOnePage()
    {
        QStringList sentences;
        for (int i = 1; i <= 150; ++i)
            sentences << QStringLiteral("Sentence %1 of a very long explanation.").arg(i);
        CurrentSet set({keyedItem({"Red", "Blue"}, "a", 7, "Which colour?", sentences.join('\n'))});

        report::Report r = print::makeItemReport();
        print::fillItemReport(r, set.table(), "Which colour?", ExamTitle);
        const Document doc = report::layoutReport(r);
        QCOMPARE(doc.pages.size(), 1);
        const report::Box* answers = doc.pages[0].find("ppMemo2");
        const report::Box* footerLine = doc.pages[0].find("ppLine4");
        QVERIFY(answers->rect.bottom() <= footerLine->rect.top() - 1.3 + 1e-6);
        QVERIFY(!answers->clipped);  // whole lines only
        QVERIFY(answers->lines.size() > 20);

        testsupport::ScriptedPrompts prompts;
        printfixture::printToPdf(prompts, "cut.pdf");
        QVERIFY(print::printItem(set.table(), "Which colour?", ExamTitle, print::Output::Printer, nullptr));
        printfixture::keepForLook("cut.pdf", "cut.pdf");
        const QStringList pages = printfixture::pdfPages("cut.pdf");
        QCOMPARE(pages.size(), 1);
        const QString lastShown = answers->lines.last();
        QVERIFY(pages[0].contains(lastShown));
        QVERIFY(!pages[0].contains("Sentence 150 "));
        // The footer still closes the page, below the last line printed.
        const QStringList lines = printfixture::trimmedLines(pages[0]);
        QVERIFY(lines.indexOf("Quizlore Prep 2.0") > lines.indexOf(lastShown));
    }

    // A key "bd": the boxes of b and d are ticked, a and c are not; e and f are absent.
    void allItemsTicksTheKey()
    {
        CurrentSet set({keyedItem({"One", "Two", "Three", "Four"}, "bd", 42, "Pick two.", "So.")});
        testsupport::ScriptedPrompts prompts;
        printfixture::printToPdf(prompts, "key.pdf");
        QVERIFY(print::printAllItems(set.table(), ExamTitle, print::Output::Printer, nullptr));
        printfixture::keepForLook("key.pdf", "key.pdf");
        const QStringList pages = printfixture::pdfPages("key.pdf");
        QCOMPARE(pages.size(), 1);
        const QStringList lines = printfixture::trimmedLines(pages[0]);
        QVERIFY2(lines.contains(QString::fromUtf8("☐ a. One")), qPrintable(pages[0]));
        QVERIFY(lines.contains(QString::fromUtf8("☑ b. Two")));
        QVERIFY(lines.contains(QString::fromUtf8("☐ c. Three")));
        QVERIFY(lines.contains(QString::fromUtf8("☑ d. Four")));
        QVERIFY(!pages[0].contains("e."));
        QVERIFY(lines.contains("Item ID: 42"));
        QVERIFY(pages[0].contains("All Items in Practice Exam C"));
    }

    // Regions of answers c to f print only where the item has them; a and b always print,
    // and what follows moves up over a hidden region.
    void allItemsRegionsPerRecord()
    {
        CurrentSet set({keyedItem({"One", "Two"}, "a", 1, "Q one", "E one"),
                        keyedItem({"", "", "Three", "", "", "Six"}, "f", 2, "Q two", "E two")});
        set.table().setRecNo(2);
        Document doc;
        {
            print::TableRecords records(set.table());
            report::Report r = print::makeAllItemsReport(&records);
            print::fillAllItemsReport(r, ExamTitle);
            doc = report::layoutReport(r);
        }
        // The walk leaves the table on its record.
        QCOMPARE(set.table().recNo(), 2);
        QCOMPARE(doc.pages.size(), 1);
        const report::Page& page = doc.pages[0];
        auto near = [](double a, double b) { return std::abs(a - b) <= 0.5; };

        QCOMPARE(page.findAll("ppCB1").size(), 2);
        QCOMPARE(page.findAll("ppCB2").size(), 2);
        QCOMPARE(page.findAll("ppCB3").size(), 1);
        QCOMPARE(page.findAll("ppCB4").size(), 0);
        QCOMPARE(page.findAll("ppCB6").size(), 1);
        QVERIFY(page.findAll("ppCB6")[0]->checked);
        QVERIFY(!page.findAll("ppCB3")[0]->checked);

        // Item 1: the explanation 2.5 mm below answer b's text, the next item after 5.1 mm.
        const report::Box* answerB = page.findAll("ppDBT2")[0];
        const report::Box* explanation = page.findAll("ppDBMemo8")[0];
        QVERIFY(near(explanation->rect.top(), answerB->rect.bottom() + 2.5));
        const report::Box* secondNumber = page.findAll("ppDBText1")[1];
        QVERIFY(near(secondNumber->rect.top(), explanation->rect.bottom() + 5.1 + 0.8));
        QCOMPARE(secondNumber->text(), QString("Item ID: 2 "));
        // Item 2: the empty answers a and b keep their boxes; f follows c directly.
        const report::Box* boxA = page.findAll("ppCB1")[1];
        const report::Box* boxC = page.findAll("ppCB3")[0];
        const report::Box* boxF = page.findAll("ppCB6")[0];
        QVERIFY(near(boxA->rect.left(), 6.35 + 14.8));
        QVERIFY(near(boxF->rect.top() - boxC->rect.top(), page.findAll("ppDBT3")[0]->rect.height() + 0.6 + 2.5));
        // Fixed objects of the title band.
        QVERIFY(near(page.find("ppLabel8")->rect.right(), 6.35 + 191.3));
        QVERIFY(near(page.find("ppLine6")->rect.top(), 6.35 + 11.9));
    }

    // Sixty items run over several pages: one title, and "Page: N" on every page.
    void allItemsOnSeveralPages()
    {
        CurrentSet set(numberedItems(60));
        set.table().setRecNo(17);
        QSignalSpy moves(&set.table(), &store::Table::dataChanged);
        testsupport::ScriptedPrompts prompts;
        printfixture::printToPdf(prompts, "all.pdf");
        QVERIFY(print::printAllItems(set.table(), ExamTitle, print::Output::Printer, nullptr));

        // No move was shown while the report walked the table, and it is back on its record.
        QCOMPARE(moves.count(), 1);
        QCOMPARE(set.table().recNo(), 17);

        printfixture::keepForLook("all.pdf", "all-items.pdf");
        const QStringList pages = printfixture::pdfPages("all.pdf");
        QVERIFY(pages.size() >= 3);
        int next = 1;
        for (int p = 0; p < pages.size(); ++p) {
            const QStringList lines = printfixture::trimmedLines(pages[p]);
            QVERIFY2(lines.contains(QStringLiteral("Page: %1").arg(p + 1)), qPrintable(pages[p]));
            QCOMPARE(pages[p].count("All Items in Practice Exam C"), p == 0 ? 1 : 0);
            // The items follow in exam order, each whole on one page.
            while (next <= 60 && lines.contains(QStringLiteral("Item ID: %1").arg(500 + next))) {
                QVERIFY(pages[p].contains(QStringLiteral("Explained %1.").arg(next)));
                ++next;
            }
        }
        QCOMPARE(next, 61);
    }

    // The pages of the page model never reach into the footer, and read cleanly: nothing over
    // anything else, all within the margins.
    void allItemsKeepClearOfTheFooter()
    {
        CurrentSet set(numberedItems(60));
        print::TableRecords records(set.table());
        report::Report r = print::makeAllItemsReport(&records);
        print::fillAllItemsReport(r, ExamTitle);
        const Document doc = report::layoutReport(r);
        const double footerTop = 279.4 - 6.35 - 19.6;
        for (const report::Page& page : doc.pages) {
            for (const report::PlacedBand& band : page.bands) {
                if (band.kind != report::BandKind::Footer)
                    QVERIFY(band.rect.bottom() <= footerTop + 1e-6);
            }
            const QStringList faults = printfixture::pageFaults(doc, page);
            QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
            QCOMPARE(page.find("ppSystemVariable1")->text(), QStringLiteral("Page: %1").arg(page.number));
            QVERIFY(std::abs(page.find("ppSystemVariable1")->rect.right() - (6.35 + 189.4)) <= 0.5);
        }
        QCOMPARE(doc.pages[0].findAll("ppLabel9").size(), 1);
        QCOMPARE(doc.pages[1].findAll("ppLabel9").size(), 0);
    }

    // Cancelling the printer dialog prints nothing; the preview paints the same pages.
    void cancelAndPreview()
    {
        CurrentSet set(numberedItems(3));
        testsupport::ScriptedPrompts prompts;
        prompts.answerPrinter(false);
        QVERIFY(!print::printAllItems(set.table(), ExamTitle, print::Output::Printer, nullptr));
        QCOMPARE(prompts.printerRequests(), 1);

        prompts.answerPreview([](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName("preview.pdf");
        });
        QVERIFY(print::printItem(set.table(), "Question number 1?", ExamTitle, print::Output::Preview, nullptr));
        QCOMPARE(prompts.previewRequests(), 1);
        QCOMPARE(prompts.unexpected(), 0);
        const QStringList pages = printfixture::pdfPages("preview.pdf");
        QCOMPARE(pages.size(), 1);
        QVERIFY(pages[0].contains("a. Alpha 1"));
    }

    // A PDF file that cannot be written gives the error box; the table stays on its record.
    void unwritablePdfFile_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing folder") << "no-such-folder/x.pdf" << "no such file or directory";
        QTest::newRow("a folder") << "." << "is a directory";
    }
    void unwritablePdfFile()
    {
        QFETCH(QString, file);
        QFETCH(QString, reason);
        CurrentSet set(numberedItems(3));
        set.table().setRecNo(2);
        testsupport::ScriptedPrompts prompts;
        printfixture::printToPdf(prompts, file);
        prompts.answer(platform::PromptButton::Ok);
        QVERIFY(!print::printAllItems(set.table(), ExamTitle, print::Output::Printer, nullptr));
        QCOMPARE(prompts.requests().size(), 1);
        const platform::PromptRequest& box = prompts.requests().first();
        QCOMPARE(box.kind, platform::PromptKind::Error);
        QCOMPARE(box.text, QStringLiteral("Cannot write the PDF file %1: %2.").arg(file, reason));
        QCOMPARE(set.table().recNo(), 2);
    }

private:
    std::unique_ptr<testsupport::TempDirCwd> m_dir;
};

QTEST_MAIN(TestItemReports)
#include "test_item_reports.moc"
