// The Study History window on a real history.DAT and a real question bank in a temporary
// folder, shown offscreen: the attempts list, the charts' figures as screen readers read them,
// the section trends, the most-missed questions, export, clear, and files it cannot read.

#include "history/Fingerprint.h"
#include "history/HistoryStore.h"
#include "HistoryFolder.h"
#include "historywindow/AttemptListModel.h"
#include "historywindow/HistoryCharts.h"
#include "historywindow/ReadinessPanel.h"
#include "historywindow/StudyHistoryWindow.h"
#include "charts/BarChart.h"
#include "print/PrintFixture.h"
#include "store/Fields.h"
#include "support/FileLocks.h"
#include "support/Fixtures.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QPushButton>
#include <QDate>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <QTreeView>
#include <QTreeWidget>

using namespace history;
using historytest::Folder;
using historytest::Start;
using historytest::attemptOf;
using historywindow::AttemptListModel;
using historywindow::StudyHistoryWindow;
using platform::PromptButton;
using platform::PromptKind;
using testsupport::ScriptedPrompts;
using testsupport::OtherProgramLock;
using testsupport::fileBytes;

namespace {

QStringList rowTexts(const AttemptListModel& model, int row)
{
    QStringList texts;
    for (int c = 0; c < model.columnCount(); ++c)
        texts << model.index(row, c).data().toString();
    return texts;
}

// The names of a chart's children in the accessibility tree.
QStringList figuresRead(charts::BarChart* chart)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(chart);
    if (!face)
        return {QStringLiteral("no accessible interface")};
    QStringList names;
    for (int i = 0; i < face->childCount(); ++i)
        names << face->child(i)->text(QAccessible::Name);
    return names;
}

// "Print preview..." of `window`, printed from the preview to the PDF file `pdf`.
void printFromPreview(ScriptedPrompts& prompts, StudyHistoryWindow& window, const QString& pdf)
{
    prompts.answerPreview([pdf](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
    });
    window.previewAction->trigger();
}

QString missedRow(QTreeWidget* list, int row)
{
    QTreeWidgetItem* item = list->topLevelItem(row);
    return item ? item->text(0) + " | " + item->text(1) + " | " + item->text(2) : QStringLiteral("no row");
}

}  // namespace

class TestStudyHistoryWindow : public QObject {
    Q_OBJECT

private slots:
    void emptyHistoryShowsWhereAttemptsWillBe()
    {
        Folder folder;
        StudyHistoryWindow window(folder.dir.path(), nullptr);
        window.show();
        QCOMPARE(window.windowTitle(), QStringLiteral("Study History"));
        QCOMPARE(window.pages->currentWidget(), window.emptyLabel);
        QVERIFY(window.emptyLabel->text().contains("No graded exams yet"));
        QVERIFY(!window.exportAction->isEnabled());
        QVERIFY(!window.clearAction->isEnabled());
        QVERIFY(window.problemLabel->isHidden());
        QVERIFY(!QFile::exists(folder.history()));  // looking makes no file
    }

    void listsAttemptsNewestFirstAndByExam()
    {
        Folder folder({attemptOf(1, "++-+"), attemptOf(2, "++++++++", "Random Exam"), attemptOf(3, "+.--")});
        StudyHistoryWindow window(folder.dir.path(), nullptr);
        window.show();
        QCOMPARE(window.pages->currentIndex(), 1);
        const AttemptListModel& list = *window.attempts;
        QCOMPARE(list.rowCount(), 3);
        const QString third = historywindow::shownDateTime(Start.addSecs(3 * 3600));
        QCOMPARE(rowTexts(list, 0), QStringList({third, "Practice Exam A", "250", "Fail", "0:10:03"}));
        QCOMPARE(rowTexts(list, 1).mid(1), QStringList({"Random Exam", "1000", "Pass", "0:10:02"}));
        QCOMPARE(rowTexts(list, 2).mid(1, 3), QStringList({"Practice Exam A", "750", "Fail"}));
        QCOMPARE(window.summaryLabel->text(), QStringLiteral("3 attempts, 1 passed, best score 1000"));
        QVERIFY(window.exportAction->isEnabled());
        QVERIFY(window.clearAction->isEnabled());

        // "Show" offers every exam kind with attempts, in the order first taken.
        QStringList offered;
        for (int i = 0; i < window.examChoice->count(); ++i)
            offered << window.examChoice->itemText(i);
        QCOMPARE(offered, QStringList({"All exams", "Practice Exam A", "Random Exam"}));
        window.examChoice->setCurrentIndex(1);
        QCOMPARE(list.rowCount(), 2);
        QCOMPARE(rowTexts(list, 0)[2], QStringLiteral("250"));
        QCOMPARE(figuresRead(window.scoreChart).size(), 3);  // two columns and the passing line

        // Coming back to the window after a grading elsewhere reads it again, keeping the exam chosen.
        QWidget elsewhere;
        elsewhere.show();
        elsewhere.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
        HistoryStore(folder.history()).record(attemptOf(4, "++++"));
        QCOMPARE(list.rowCount(), 2);
        window.activateWindow();
        QTRY_COMPARE(list.rowCount(), 3);
        QCOMPARE(window.chosenExam(), QStringLiteral("practice-a"));
        QCOMPARE(list.rowCount(), 3);
        QCOMPARE(rowTexts(list, 0)[2], QStringLiteral("1000"));
    }

    // The attempts list is as high as its rows, up to eight, and the most-missed list has the rest.
    void theAttemptsListFitsItsRows_data()
    {
        QTest::addColumn<int>("attempts");
        QTest::addColumn<int>("rowsShown");
        QTest::newRow("two") << 2 << 2;
        QTest::newRow("thirty: eight, then it scrolls") << 30 << 8;
    }
    void theAttemptsListFitsItsRows()
    {
        QFETCH(int, attempts);
        QFETCH(int, rowsShown);
        std::vector<Attempt> taken;
        for (int n = 1; n <= attempts; ++n)
            taken.push_back(attemptOf(n, QByteArray(20, '-')));
        Folder folder(taken);
        StudyHistoryWindow window(folder.dir.path(), nullptr);
        window.resize(980, 700);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const int row = window.attemptList->sizeHintForRow(0);
        QCOMPARE(window.attemptList->viewport()->height() / row, rowsShown);
        QCOMPARE(window.missedList->topLevelItemCount(), 20);
        QVERIFY2(window.missedList->viewport()->height() >= 8 * window.missedList->sizeHintForRow(0),
                 qPrintable(QString::number(window.missedList->viewport()->height())));
    }

    void chartFiguresAreReadThroughTheAccessibilityTree()
    {
        Folder folder({attemptOf(1, "++-+"), attemptOf(2, "++++++++", "Random Exam")});
        StudyHistoryWindow window(folder.dir.path(), nullptr);
        window.show();
        const QString first = historywindow::shownDateTime(Start.addSecs(3600));
        const QString second = historywindow::shownDateTime(Start.addSecs(7200));
        // Oldest at the left, then the passing line.
        QCOMPARE(figuresRead(window.scoreChart),
                 QStringList({first + ", Practice Exam A: 750", second + ", Random Exam: 1000", "Passing score: 850"}));
        QAccessibleInterface* chart = QAccessible::queryAccessibleInterface(window.scoreChart);
        QCOMPARE(chart->role(), QAccessible::Chart);
        QVERIFY(chart->text(QAccessible::Name).startsWith("Score per attempt: "));
        // Each figure stands where its column is drawn, inside the chart.
        const QRect chartRect = chart->rect();
        for (int i = 0; i < chart->childCount(); ++i) {
            QAccessibleInterface* figure = chart->child(i);
            QCOMPARE(figure->parent(), chart);
            QCOMPARE(chart->indexOfChild(figure), i);
            QVERIFY2(chartRect.contains(figure->rect()), qPrintable(figure->text(QAccessible::Name)));
        }
        QCOMPARE(chart->childAt(chart->child(1)->rect().center().x(), chart->child(1)->rect().center().y()),
                 chart->child(1));

        // Two attempts: the latest beside the one before it. Section 1 was asked item 1, then items
        // 1 and 5; section 3 item 3, then items 3 and 7.
        const QStringList trends = figuresRead(window.trendChart);
        QCOMPARE(trends.size(), 8);
        QCOMPARE(trends[0], QStringLiteral("Standards and Terminology, latest attempt (2/2): 100%"));
        QCOMPARE(trends[1], QStringLiteral("Standards and Terminology, the one before (1/1): 100%"));
        QCOMPARE(trends[4], QStringLiteral("Implementation, latest attempt (2/2): 100%"));
        QCOMPARE(trends[5], QStringLiteral("Implementation, the one before (0/1): 0%"));
        QCOMPARE(window.trendChart->model().legend[1].text, QStringLiteral("The one before"));
    }

    void sectionTrendsSetTheLastFiveBesideTheFiveBefore()
    {
        // Twelve attempts of exam A and one of another kind: the oldest two of A fall outside
        // both windows, the other kind counts only under "All exams".
        std::vector<Attempt> attempts;
        for (int n = 1; n <= 12; ++n)
            attempts.push_back(attemptOf(n, n <= 5 ? "-+++" : "++++"));
        attempts.push_back(attemptOf(13, "----", "Random Exam"));
        Folder folder(attempts);
        StudyHistoryWindow window(folder.dir.path(), nullptr);
        window.show();
        window.examChoice->setCurrentIndex(window.examChoice->findText("Practice Exam A"));

        const charts::BarChartModel& chart = window.trendChart->model();
        QCOMPARE(chart.groupLabels.last(), QStringLiteral("Standards and Terminology (+60)"));
        QCOMPARE(chart.groupLabels.first(), QStringLiteral("Troubleshooting (\u00b10)"));
        const QStringList figures = figuresRead(window.trendChart);
        QCOMPARE(figures[0], QStringLiteral("Standards and Terminology, last 5 attempts (5/5): 100%"));
        QCOMPARE(figures[1], QStringLiteral("Standards and Terminology, the 5 before (2/5): 40%"));

        window.examChoice->setCurrentIndex(0);  // all exams: the Random Exam is the newest
        QCOMPARE(figuresRead(window.trendChart)[0],
                 QStringLiteral("Standards and Terminology, last 5 attempts (4/5): 80%"));
        QCOMPARE(window.trendChart->model().groupLabels.last(), QStringLiteral("Standards and Terminology (+20)"));
    }

    void mostMissedShowsCountsLastRightAndFormerItems()
    {
        Attempt changed = attemptOf(3, "+-");
        changed.items[1].fingerprint += 1;  // item 2 as it was before the bank was replaced
        changed.items[1].question = QStringLiteral("Question 2 as it once read");
        Folder folder({attemptOf(1, "-+-"), attemptOf(2, "+.-"), changed});
        StudyHistoryWindow window(folder.dir.path(), nullptr);
        window.show();
        QTreeWidget* missed = window.missedList;
        QCOMPARE(missed->topLevelItemCount(), 4);
        QCOMPARE(missedRow(missed, 0), QStringLiteral("Question 3 | 2 of 2 | never"));
        // The same count: the one missed last comes first.
        QCOMPARE(missedRow(missed, 1), QStringLiteral("Question 1 | 1 of 3 | ") +
                                           historywindow::shownDateTime(Start.addSecs(3 * 3600)));
        QCOMPARE(missedRow(missed, 2), QStringLiteral("(former item) Question 2 as it once read | 1 of 1 | never"));
        QVERIFY(missed->topLevelItem(2)->font(0).italic());
        QVERIFY(!missed->topLevelItem(1)->font(0).italic());
        QCOMPARE(missedRow(missed, 3), QStringLiteral("Question 2 | 1 of 2 | ") +
                                           historywindow::shownDateTime(Start.addSecs(3600)));
    }

    // The history keeps a question's first 120 characters: the window and the report end
    // such a text at a word.
    void cutQuestionsEndAtAWordOnScreenAndInPrint()
    {
        Attempt attempt = attemptOf(1, "-+");
        attempt.items[0].question = QStringLiteral("A branch office reports slow web access each morning, and the help "
                                                   "desk technician finds that the edge router that performs NAT also "
                                                   "runs DHCP.");
        Folder folder({attempt});
        StudyHistoryWindow window(folder.dir.path(), nullptr);
        window.show();
        const QString ending = QStringLiteral("finds that the edge router that\u2026");
        QVERIFY2(window.missedList->topLevelItem(0)->text(0).endsWith(ending),
                 qPrintable(window.missedList->topLevelItem(0)->text(0)));

        ScriptedPrompts prompts;
        const QString pdf = folder.dir.file("history.pdf");
        printFromPreview(prompts, window, pdf);
        const QString page = printfixture::pdfPages(pdf).value(0).simplified();
        QVERIFY2(page.contains(ending), qPrintable(page));
        QVERIFY(!page.contains("perfo"));
    }

    void exportWritesTheAttemptsWhereTheUserSays()
    {
        Folder folder({attemptOf(1, "++-+"), attemptOf(2, "++++")});
        StudyHistoryWindow window(folder.dir.path(), nullptr);
        window.show();
        ScriptedPrompts prompts;
        prompts.answerSaveFile(QString());  // cancelled: nothing written
        window.exportAction->trigger();
        const QString file = folder.dir.file("mine.csv");
        prompts.answerSaveFile(file);
        window.exportAction->trigger();
        QCOMPARE(prompts.fileCaptions(), QStringList({"Export history", "Export history"}));
        QVERIFY(prompts.fileFilters().first().contains("*.csv"));
        const QStringList lines = QString::fromUtf8(fileBytes(file)).split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[0].startsWith("Date,Exam,"));
        QVERIFY(lines[1].contains(",750,850,Fail,"));
        QVERIFY(lines[2].contains(",1000,850,Pass,"));
        QVERIFY(window.statusBar()->currentMessage().contains("Exported 2 attempts"));
        QCOMPARE(QDir(folder.dir.path()).entryList({"*.csv"}), QStringList({"mine.csv"}));

        // A folder that does not exist: one error that names the file, nothing written.
        prompts.answerSaveFile(folder.dir.file("gone/mine.csv"));
        prompts.answer(PromptButton::Ok);
        window.exportAction->trigger();
        QCOMPARE(prompts.requests().size(), 1);
        QCOMPARE(prompts.requests()[0].kind, PromptKind::Error);
        QCOMPARE(prompts.requests()[0].caption, QStringLiteral("Study History"));
        QCOMPARE(prompts.requests()[0].owner, &window);
        QVERIFY(prompts.requests()[0].text.contains("gone/mine.csv"));
        QVERIFY(!QFile::exists(folder.dir.file("gone")));
        QCOMPARE(prompts.unusedAnswers(), 0);
    }

    void clearAsksFirst_data()
    {
        QTest::addColumn<int>("attempts");
        QTest::addColumn<QString>("question");
        QTest::newRow("one") << 1 << "Remove the one attempt from the study history?";
        QTest::newRow("two") << 2 << "Remove both attempts from the study history?";
        QTest::newRow("twelve") << 12 << "Remove all 12 attempts from the study history?";
    }

    void clearAsksFirst()
    {
        QFETCH(int, attempts);
        QFETCH(QString, question);
        std::vector<Attempt> taken;
        for (int n = 1; n <= attempts; ++n)
            taken.push_back(attemptOf(n, "++-+"));
        Folder folder(taken);
        StudyHistoryWindow window(folder.dir.path(), nullptr);
        window.show();
        const QByteArray before = fileBytes(folder.history());
        ScriptedPrompts prompts;
        prompts.answer(PromptButton::No);
        window.clearAction->trigger();
        QCOMPARE(prompts.requests().size(), 1);
        const platform::PromptRequest& asked = prompts.requests()[0];
        QCOMPARE(asked.kind, PromptKind::Confirmation);
        QCOMPARE(asked.caption, QStringLiteral("Study History"));
        QCOMPARE(asked.text, question + QStringLiteral("\rThis cannot be undone."));
        QCOMPARE(asked.buttons, QList<PromptButton>({PromptButton::Yes, PromptButton::No}));
        QCOMPARE(asked.defaultButton, PromptButton::No);
        QCOMPARE(asked.owner, &window);
        QCOMPARE(fileBytes(folder.history()), before);
        QCOMPARE(window.attempts->rowCount(), attempts);

        prompts.answer(PromptButton::Yes);
        window.clearAction->trigger();
        QCOMPARE(window.pages->currentWidget(), window.emptyLabel);
        QVERIFY(HistoryStore(folder.history()).attempts().empty());
        QVERIFY(!window.clearAction->isEnabled());
        QCOMPARE(prompts.unexpected(), 0);
    }

    // The real box over the exam window, which is modal and in front: the box stands over the
    // Study History window (the window manager gives the focus back to it when the box closes,
    // not to the exam window), and Enter answers No.
    void clearingKeepsTheWindowInFrontAndEnterKeepsTheHistory()
    {
        Folder folder({attemptOf(1, "++-+"), attemptOf(2, "++++")});
        QMainWindow exam;
        exam.setWindowModality(Qt::ApplicationModal);
        exam.showMaximized();
        StudyHistoryWindow window(folder.dir.path(), &exam);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const QByteArray before = fileBytes(folder.history());

        QWidget* boxParent = nullptr;
        QWindow* standsOver = nullptr;
        QString boxTitle;
        QTimer::singleShot(0, [&] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                boxParent = box->parentWidget();
                standsOver = box->windowHandle()->transientParent();
                boxTitle = box->windowTitle();
                QTest::keyClick(box, Qt::Key_Return);
            }
        });
        window.clearAction->trigger();
        QCOMPARE(boxParent, &window);
        QCOMPARE(standsOver, window.windowHandle());
        QCOMPARE(boxTitle, QStringLiteral("Study History"));
        QCOMPARE(fileBytes(folder.history()), before);
        QCOMPARE(window.attempts->rowCount(), 2);
    }

    void f10OpensTheMenu()
    {
        Folder folder({attemptOf(1, "++-+")});
        StudyHistoryWindow window(folder.dir.path(), nullptr);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QMenu* menu = window.menuBar()->actions().first()->menu();
        QTest::keyClick(&window, Qt::Key_F10);
        QTRY_COMPARE(QApplication::activePopupWidget(), static_cast<QWidget*>(menu));
        menu->close();
    }

    void printsWhatTheWindowShowsWithEveryAttempt()
    {
        // Enough attempts for a second page of the list.
        std::vector<Attempt> attempts;
        for (int n = 1; n <= 70; ++n)
            attempts.push_back(attemptOf(n, n == 70 ? "++++" : "+-+.", n % 2 ? "Practice Exam A" : "Random Exam"));
        Folder folder(attempts);
        StudyHistoryWindow window(folder.dir.path(), nullptr);
        window.show();
        ScriptedPrompts prompts;
        const QString pdf = folder.dir.file("history.pdf");
        printFromPreview(prompts, window, pdf);
        QCOMPARE(prompts.previewRequests(), 1);
        printfixture::keepForLook(pdf, "study-history.pdf");

        const QStringList pages = printfixture::pdfPages(pdf);
        QVERIFY(pages.size() >= 2);
        const QStringList first = printfixture::trimmedLines(pages[0]);
        QVERIFY(first.contains("All exams: 70 attempts, 1 passed, best score 1000"));
        QVERIFY(pages[0].contains("Quizlore Prep 2.0, Study History"));
        QVERIFY(pages[0].contains("Score per attempt (the last 20 of 70)"));
        QVERIFY(pages[0].contains("Sections: percentage correct"));
        QVERIFY(pages[0].contains("Most missed questions"));
        QVERIFY(pages[0].contains("Missed 69 of 70, last right"));
        QVERIFY(pages[0].contains("Question 2"));
        // The list, newest first, under its headings on every page.
        const QRegularExpression row(QStringLiteral("^(\\d+ \\w+ \\d{4} \\d\\d:\\d\\d)\\s+(Practice Exam A|Random Exam)"
                                                    "\\s+(\\d+)\\s+(Pass|Fail)\\s+(\\d:\\d\\d:\\d\\d)$"));
        QStringList listed;
        for (const QString& page : pages) {
            QVERIFY(page.contains(QRegularExpression("Date\\s+Exam\\s+Score\\s+Grade\\s+Time used")));
            for (const QString& line : printfixture::trimmedLines(page))
                if (const auto match = row.match(line); match.hasMatch())
                    listed << match.captured(0).simplified();
        }
        QCOMPARE(listed.size(), 70);
        QCOMPARE(listed.first(), (QStringList{historywindow::shownDateTime(Start.addSecs(70 * 3600)), "Random Exam",
                                              "1000", "Pass", "0:11:10"})
                                     .join(' '));
        QVERIFY(listed.last().startsWith(historywindow::shownDateTime(Start.addSecs(3600))));
        QVERIFY(pages.last().contains(QStringLiteral("Page: %1").arg(pages.size())));

        // The exams chosen are the ones printed.
        window.examChoice->setCurrentIndex(window.examChoice->findText("Random Exam"));
        printFromPreview(prompts, window, pdf);
        QVERIFY(printfixture::pdfPages(pdf)[0].contains("Random Exam: 35 attempts, 1 passed"));
        QCOMPARE(prompts.unexpected(), 0);
    }

    // 160 new questions answered, every fifth wrong, then the same again: a figure from the first
    // answers only, the questions due for review with the button that starts them, and the exam
    // date; all of it on paper too.
    void readinessPanelShowsTheEstimateTheReviewAndTheExamDate()
    {
        QByteArray answers;
        for (int k = 0; k < 160; ++k)
            answers += k % 5 == 4 ? '-' : '+';
        Folder folder({attemptOf(1, answers), attemptOf(2, QByteArray(160, '+'))}, 200);
        StudyHistoryWindow window(folder.dir.path(), nullptr);
        historywindow::ReadinessPanel& panel = *window.readinessPanel;
        window.show();
        QTRY_VERIFY(window.readinessShown());  // worked out in the background

        QVERIFY2(QRegularExpression("^\\d+% chance of passing$").match(panel.headline->text()).hasMatch(),
                 qPrintable(panel.headline->text()));
        QVERIFY(panel.scoreLabel->text().startsWith("Expected score "));
        QVERIFY(panel.wordsLabel->text().startsWith(
            "From your first answers to 160 questions in 1 exam on one day. Newer answers count more."));
        const QStringList sections = figuresRead(panel.sectionChart);
        QCOMPARE(sections.size(), 5);  // four sections and the pass mark
        QVERIFY2(sections[0].startsWith("Standards and Terminology") && sections[0].contains("% (likely "),
                 qPrintable(sections[0]));
        QCOMPARE(panel.headline->accessibleName(), panel.headline->text());
        QCOMPARE(panel.headline->accessibleDescription(), panel.scoreLabel->text());
        // Answered weeks ago: every question has fallen due.
        QCOMPARE(panel.dueLabel->text(), QStringLiteral("160 questions are due for review today."));

        // The button starts Due for Review while the exam choice allows it.
        QVERIFY(panel.reviewButton->isHidden());
        QAction review(QStringLiteral("&Due for Review"));
        int started = 0;
        connect(&review, &QAction::triggered, [&] { ++started; });
        window.setReviewAction(&review);
        QVERIFY(panel.reviewButton->isVisibleTo(&panel) && panel.reviewButton->isEnabled());
        panel.reviewButton->click();
        QCOMPARE(started, 1);
        review.setEnabled(false);
        QVERIFY(!panel.reviewButton->isEnabled());

        // A past exam date is refused; a later one sets the pace.
        ScriptedPrompts prompts;
        prompts.answer(PromptButton::Ok);
        panel.examDateEdit->setDate(QDate::currentDate().addDays(-2));
        panel.setDateButton->click();
        QCOMPARE(prompts.requests().size(), 1);
        QCOMPARE(prompts.requests()[0].kind, PromptKind::Error);
        QVERIFY(prompts.requests()[0].text.contains("has passed"));
        QCOMPARE(HistoryStore(folder.history()).examDate(), std::nullopt);
        const QDate examDay = QDate::currentDate().addDays(8);
        panel.examDateEdit->setDate(examDay);
        panel.setDateButton->click();
        QCOMPARE(HistoryStore(folder.history()).examDate(), examDay);
        QTRY_VERIFY(window.readinessShown());
        QCOMPARE(panel.paceLabel->text(), QStringLiteral("Exam on %1: review 20 questions a day until then.")
                                              .arg(history::dayText(examDay)));

        const QString pdf = folder.dir.file("readiness.pdf");
        printFromPreview(prompts, window, pdf);
        printfixture::keepForLook(pdf, "study-history-readiness.pdf");
        const QString page = printfixture::pdfPages(pdf)[0];
        for (const QString& expected : {QStringLiteral("Readiness for an exam of new questions"), panel.headline->text(),
                                        QStringLiteral("New questions answered right, by section"),
                                        QStringLiteral("160 questions are due for review today.")})
            QVERIFY2(page.simplified().contains(expected), qPrintable(expected));
        panel.clearDateButton->click();
        QCOMPARE(HistoryStore(folder.history()).examDate(), std::nullopt);
        QTRY_VERIFY(window.readinessShown());
        QVERIFY(panel.paceLabel->text().isEmpty());
        QCOMPARE(prompts.unexpected(), 0);
    }

    void readinessPanelSaysWhatIsMissing()
    {
        Folder folder({attemptOf(1, "++-+")});
        StudyHistoryWindow window(folder.dir.path(), nullptr);
        window.show();
        QTRY_VERIFY(window.readinessShown());
        QCOMPARE(window.readinessPanel->headline->text(), QStringLiteral("Not enough data yet"));
        QVERIFY(window.readinessPanel->wordsLabel->text().startsWith("Answer 4 more new questions"));
        QVERIFY(window.readinessPanel->sectionChart->isHidden());
    }

    // Without a bank there is nothing to estimate against: the panel says why, the rest shows.
    void readinessPanelWithoutABankSaysWhy()
    {
        Folder folder({attemptOf(1, "++-+")});
        QVERIFY(QFile::remove(folder.dir.file(store::BankFileName)));
        StudyHistoryWindow window(folder.dir.path(), nullptr);
        window.show();
        QTRY_VERIFY(window.readinessShown());
        QCOMPARE(window.readinessPanel->headline->text(), QStringLiteral("No estimate"));
        QVERIFY2(window.readinessPanel->wordsLabel->text().startsWith(
                     "The estimate needs the question bank, which cannot be read: "),
                 qPrintable(window.readinessPanel->wordsLabel->text()));
        QVERIFY(window.readinessPanel->wordsLabel->text().contains(store::BankFileName));
        QVERIFY(!window.readinessPanel->reviewButton->isEnabled());
        QCOMPARE(window.attempts->rowCount(), 1);
    }

    void clearingAReadOnlyHistoryChangesNothing()
    {
        Folder folder({attemptOf(1, "++-+")});
        if (!testsupport::makeReadOnly(folder.history()))
            QSKIP("cannot make a file read-only here");
        const auto writable = qScopeGuard([&] { testsupport::makeWritable(folder.history()); });
        const QByteArray before = fileBytes(folder.history());
        StudyHistoryWindow window(folder.dir.path(), nullptr);
        window.show();
        QCOMPARE(window.attempts->rowCount(), 1);  // it can still be read
        ScriptedPrompts prompts;
        prompts.answer(PromptButton::Yes);
        prompts.answer(PromptButton::Ok);
        window.clearAction->trigger();
        QCOMPARE(prompts.requests().size(), 2);
        const platform::PromptRequest& error = prompts.requests()[1];
        QCOMPARE(error.kind, PromptKind::Error);
        QCOMPARE(error.caption, QStringLiteral("Study History"));
        QCOMPARE(error.owner, &window);
        QVERIFY2(error.text.contains("history.DAT") && error.text.contains("read-only"), qPrintable(error.text));
        QCOMPARE(fileBytes(folder.history()), before);
        QCOMPARE(window.attempts->rowCount(), 1);
    }

    void unreadableHistoryIsShownAndLeftAlone_data()
    {
        QTest::addColumn<bool>("damaged");
        QTest::newRow("damaged") << true;
        QTest::newRow("locked by another program") << false;
    }

    void unreadableHistoryIsShownAndLeftAlone()
    {
        QFETCH(bool, damaged);
        Folder folder({attemptOf(1, "++-+")});
        if (damaged) {
            QFile file(folder.history());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(4096, 'x'));
        }
        std::unique_ptr<OtherProgramLock> lock;
        if (!damaged)
            lock = std::make_unique<OtherProgramLock>(folder.history());
        const QByteArray before = fileBytes(folder.history());

        StudyHistoryWindow window(folder.dir.path(), nullptr);
        window.show();
        QVERIFY(window.problemLabel->isVisible());
        QVERIFY(window.problemLabel->text().contains("cannot be shown"));
        QVERIFY(window.problemLabel->text().contains("history.DAT"));
        QVERIFY(window.problemLabel->text().contains("Nothing has been changed"));
        QCOMPARE(window.attempts->rowCount(), 0);
        QVERIFY(!window.exportAction->isEnabled());
        QCOMPARE(window.clearAction->isEnabled(), damaged);  // only a damaged file can be set aside
        QCOMPARE(fileBytes(folder.history()), before);
    }

    void clearingADamagedHistorySetsItAside()
    {
        Folder folder;
        const QByteArray damaged(4096, 'x');
        {
            QFile file(folder.history());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(damaged);
        }
        StudyHistoryWindow window(folder.dir.path(), nullptr);
        window.show();
        ScriptedPrompts prompts;
        prompts.answer(PromptButton::No);
        window.clearAction->trigger();
        QVERIFY(prompts.requests()[0].text.contains("cannot be read"));
        QCOMPARE(prompts.requests()[0].caption, QStringLiteral("Study History"));
        QCOMPARE(prompts.requests()[0].owner, &window);
        QCOMPARE(fileBytes(folder.history()), damaged);
        QVERIFY(window.problemLabel->isVisible());

        prompts.answer(PromptButton::Yes);
        window.clearAction->trigger();
        const QString kept =
            folder.history() + QStringLiteral(".damaged-") + QDate::currentDate().toString(Qt::ISODate);
        QCOMPARE(fileBytes(kept), damaged);
        QVERIFY(!QFile::exists(folder.history()));
        QVERIFY(window.problemLabel->isHidden());
        QCOMPARE(window.pages->currentWidget(), window.emptyLabel);
        QVERIFY(window.statusBar()->currentMessage().contains(".damaged-"));
        // The next grading starts a new history.
        HistoryStore(folder.history()).record(attemptOf(5, "++++"));
        window.reload();
        QCOMPARE(window.attempts->rowCount(), 1);
        QCOMPARE(prompts.unexpected(), 0);
    }
};

QTEST_MAIN(TestStudyHistoryWindow)
#include "test_study_history_window.moc"
