// The study history seen from the exam window: grading records the attempt (once per exam start,
// again on a regrade, never without grading), a history that cannot be written costs neither the
// exam nor its score, and the exams of missed and marked questions take exactly the items the
// history names.

#include "BeginExamDriver.h"
#include "ProgramWindows.h"

#include "app/Startup.h"
#include "exam/TestUnit.h"
#include "history/HistoryStore.h"
#include "history/Readiness.h"
#include "store/ExamKinds.h"
#include "historywindow/AttemptListModel.h"
#include "historywindow/StudyHistoryWindow.h"
#include "results/ScoreUnit.h"
#include "results/TimeCounter.h"
#include "store/StandaloneTable.h"
#include "support/FileLocks.h"
#include "support/Fixtures.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QScopeGuard>
#include <QTimer>
#include <QtTest>

#include <map>
#include <memory>
#include <set>

using platform::PromptButton;
using platform::PromptKind;

namespace {

// The bank: items 1-6 in practice exam A, 7-9 in B, 10 retired, 11-12 in C; sections 1 to 4 in turn.
int examOf(int k)
{
    return k <= 6 ? 1 : k <= 9 ? 2 : k == 10 ? 0 : 3;
}
int sectionOf(int k)
{
    return (k - 1) % 4 + 1;
}
constexpr int BankSize = 12;

// How an item is answered: with its key (a), with the other answer (b), or not at all.
enum class Answer { Right, Wrong, None };
using Answers = std::map<int, Answer>;  // bank Q_ID -> answer
using Ids = std::set<std::int64_t>;

// The bank Q_IDs of the running exam, as the exam set holds them.
Ids examItems()
{
    Ids ids;
    const std::vector<QVariant> column = TestForm->dtCurrentSet->columnValues("Q_OR_NUMBER");
    for (const QVariant& id : column)
        ids.insert(id.toLongLong());
    return ids;
}

// Answers and marks the items of the running exam as a user does, item by item from the first.
void answerItems(const Answers& answers, const Ids& marked = {})
{
    TTestForm& f = *TestForm;
    f.dtCurrentSet->first();
    for (int i = 0; i < f.ItemCount; ++i) {
        const std::int64_t id = f.dtCurrentSet->asInteger("Q_OR_NUMBER");
        const auto it = answers.find(int(id));
        const Answer answer = it == answers.end() ? Answer::None : it->second;
        if (answer != Answer::None)
            QTest::mouseClick(f.answerLabel(answer == Answer::Right ? 1 : 2), Qt::LeftButton);
        if (marked.count(id))
            f.MarkBox->click();
        if (i + 1 < f.ItemCount)
            QTest::mouseClick(f.NextButton, Qt::LeftButton);
    }
}

// What the score window showed.
struct ScoreSeen {
    bool shown = false;
    QString result;
};

// Grades the running exam (OK to the question) and leaves the score window with `leave` as
// soon as it is shown.
ScoreSeen grade(testsupport::ScriptedPrompts& prompts, const std::function<void()>& leave)
{
    ScoreSeen seen;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (QApplication::activeModalWidget() != ScoreForm)
            return;
        poll.stop();
        seen.shown = true;
        seen.result = ScoreForm->TotalLabel->text();
        leave();
    });
    poll.start();
    prompts.answer(PromptButton::Ok);
    QTest::mouseClick(TestForm->GradeButton, Qt::LeftButton);
    return seen;
}

void viewAnswers()
{
    QTest::mouseClick(ScoreForm->BitBtn1, Qt::LeftButton);
}

// Back to the running exam, where it can be graded again.
void backToTheExam()
{
    ScoreForm->reject();
}

// Starts an exam kind through its action and the begin-exam dialog.
Seen start(QAction* kind, const QString& name = QStringLiteral("Pat Doe"))
{
    DialogDriver driver([name](TNameForm& dialog) {
        dialog.NameEdit->setText(name);
        clickOk(dialog);
    });
    kind->trigger();
    return driver.seen();
}

// Takes an exam of `kind` with `answers` and `marked`, grades it, views the answers and ends it.
void takeExam(testsupport::ScriptedPrompts& prompts, QAction* kind, const Answers& answers, const Ids& marked = {})
{
    QVERIFY(start(kind).shown);
    answerItems(answers, marked);
    QVERIFY(grade(prompts, viewAnswers).shown);
    TestForm->CloseCurrentExam();
}

// Saves a picture of `widget` as <name>.png in the folder QUIZLORE_SCREENSHOTS names, if any.
void screenshot(QWidget* widget, const char* name)
{
    const QString folder = qEnvironmentVariable("QUIZLORE_SCREENSHOTS");
    if (!folder.isEmpty())
        widget->grab().save(QStringLiteral("%1/%2.png").arg(folder, QLatin1String(name)));
}

std::vector<history::AttemptSummary> attempts()
{
    return history::HistoryStore().attempts();
}

// Sets a field of bank item `id`, as a new bank would.
void changeBankItem(int id, const QString& field, const QVariant& value)
{
    store::StandaloneTable bank(store::BankFileName);
    bank.table.open();
    QVERIFY(bank.table.findKey(id));
    bank.table.edit();
    bank.table.setValue(field, value);
    bank.table.post();
}

}  // namespace

class TestHistoryExams : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void gradingRecordsOneAttemptPerExamStart();
    void renamedExamKeepsItsHistoryTogether();
    void missedAndMarkedAfterThreeAttempts();
    void changedOrRemovedItemsAreLeftOut();
    void dueForReviewTakesWhatWasMissedThenWaits();
    void nothingToTake_data();
    void nothingToTake();
    void unwritableHistory_data();
    void unwritableHistory();
    void roadByKeyboard();

private:
    ProgramWindows m_program;
    std::shared_ptr<results::ManualTimeSource> m_clock;
};

void TestHistoryExams::initTestCase()
{
    m_program.create([] {
        testsupport::makeBank(store::BankFileName, BankSize, examOf, sectionOf);
        testsupport::makeTable(store::CurrentSetFileName, store::TableKind::Current, {});
        testsupport::makeTable(store::UserSetFileName, store::TableKind::User, {});
    });
    m_clock = std::make_shared<results::ManualTimeSource>();
    TestForm->setClockSource(m_clock);
}

void TestHistoryExams::cleanupTestCase()
{
    m_program.destroy();
}

void TestHistoryExams::init()
{
    m_program.enterNewFolder();
    TestForm->DefaultTime = 60;
    TestForm->TimerOn = true;
    TestForm->show();
    QVERIFY(QTest::qWaitForWindowExposed(TestForm));
}

void TestHistoryExams::cleanup()
{
    m_program.leaveFolder();
}

void TestHistoryExams::gradingRecordsOneAttemptPerExamStart()
{
    testsupport::ScriptedPrompts prompts;
    QVERIFY(start(TestForm->Action1).shown);
    QCOMPARE(examItems(), (Ids{1, 2, 3, 4, 5, 6}));
    answerItems({{1, Answer::Right}, {2, Answer::Right}, {3, Answer::Wrong}, {5, Answer::Right}, {6, Answer::Wrong}},
                {3, 4});
    // The clock switched off and on again shows the whole limit anew; the time used runs on.
    m_clock->advanceSeconds(100);
    for (const bool on : {false, true}) {
        TestForm->TimerOn = on;
        TestForm->StartClock();
    }
    QCOMPARE(TestForm->TimeLabel->text(), QString("1:00:00"));
    m_clock->advanceSeconds(25);
    QCOMPARE(grade(prompts, backToTheExam).result, QString("Passing Score: 850   Your Score: 500   Grade: Fail"));

    std::vector<history::AttemptSummary> list = attempts();
    QCOMPARE(list.size(), size_t(1));
    history::Attempt attempt = history::HistoryStore().attempt(list[0].id);
    QCOMPARE(attempt.examKindId, QString("practice-a"));
    QCOMPARE(attempt.examTitle, QString("Practice Exam A"));
    QCOMPARE(attempt.candidateName, QString("Pat Doe"));
    QCOMPARE(attempt.timeLimitSeconds, 3600);
    QCOMPARE(attempt.timeUsedSeconds, 125);
    QCOMPARE(attempt.score, 500);
    QCOMPARE(attempt.passingScore, 850);
    QVERIFY(!attempt.passed);
    QVERIFY(qAbs(attempt.gradedAt.secsTo(QDateTime::currentDateTimeUtc())) < 60);
    // Sections: items 1 and 5 in section 1, 2 and 6 in 2, 3 in 3, 4 in 4.
    QCOMPARE(attempt.sections.size(), size_t(4));
    const int correct[] = {2, 1, 0, 0}, total[] = {2, 2, 1, 1};
    for (int s = 0; s < 4; ++s) {
        QCOMPARE(attempt.sections[size_t(s)].section, s + 1);
        QCOMPARE(attempt.sections[size_t(s)].count.correct, correct[s]);
        QCOMPARE(attempt.sections[size_t(s)].count.total, total[s]);
    }
    // The items in exam order, as the exam set holds them.
    QCOMPARE(attempt.items.size(), size_t(6));
    TestForm->dtCurrentSet->first();
    for (const history::ItemResult& item : attempt.items) {
        const int id = TestForm->dtCurrentSet->asInteger("Q_OR_NUMBER");
        QCOMPARE(item.sourceId, id);
        QCOMPARE(item.source, history::ItemSource::Bank);
        QCOMPARE(item.section, sectionOf(id));
        QCOMPARE(item.question, QString("Question %1").arg(id));
        QCOMPARE(item.answered, id != 4);
        QCOMPARE(item.correct, id == 1 || id == 2 || id == 5);
        QCOMPARE(item.marked, id == 3 || id == 4);
        TestForm->dtCurrentSet->next();
    }

    // Grading again, after item 6 is mended, updates the same attempt.
    answerItems({{6, Answer::Right}});
    m_clock->advanceSeconds(10);
    QCOMPARE(grade(prompts, viewAnswers).result, QString("Passing Score: 850   Your Score: 667   Grade: Fail"));
    list = attempts();
    QCOMPARE(list.size(), size_t(1));
    attempt = history::HistoryStore().attempt(list[0].id);
    QCOMPARE(attempt.score, 667);
    QCOMPARE(attempt.timeUsedSeconds, 135);
    QCOMPARE(attempt.sections[1].count.correct, 2);
    TestForm->CloseCurrentExam();

    // An exam left without grading records nothing; the next graded one is an attempt of its own.
    QVERIFY(start(TestForm->Action2).shown);
    answerItems({{7, Answer::Right}});
    prompts.answer(PromptButton::Yes);
    QTest::mouseClick(TestForm->Button3, Qt::LeftButton);  // "E&xit Exam"
    QCOMPARE(TestForm->ExamState, TTestForm::NoExam);
    QCOMPARE(attempts().size(), size_t(1));
    takeExam(prompts, TestForm->Action2, {{7, Answer::Right}});
    list = attempts();
    QCOMPARE(list.size(), size_t(2));
    QCOMPARE(list[0].examTitle, QString("Practice Exam B"));
    QCOMPARE(list[0].score, 333);
    QCOMPARE(prompts.unexpected(), 0);
}

// Attempts are recorded under the running exam's kind, whatever title it is shown under: were
// Practice Exam A renamed, its attempts before and after would still be one group.
void TestHistoryExams::renamedExamKeepsItsHistoryTogether()
{
    testsupport::ScriptedPrompts prompts;
    takeExam(prompts, TestForm->Action1, {{1, Answer::Right}});
    QVERIFY(start(TestForm->Action1).shown);
    TestForm->ExamTitle = QStringLiteral("Practice Exam Alpha");
    answerItems({{1, Answer::Wrong}});
    QVERIFY(grade(prompts, viewAnswers).shown);
    TestForm->CloseCurrentExam();
    takeExam(prompts, TestForm->AllQAct, {});

    const history::HistoryStore studyHistory;
    const std::vector<history::ExamGroup> exams = studyHistory.exams();
    QCOMPARE(exams.size(), size_t(2));
    QCOMPARE(exams[0].kindId, QString("practice-a"));
    QCOMPARE(exams[0].title, QString("Practice Exam Alpha"));
    QCOMPARE(exams[1].kindId, QString("all-questions"));
    QCOMPARE(studyHistory.attempts(QStringLiteral("practice-a")).size(), size_t(2));
    QCOMPARE(prompts.unexpected(), 0);
}

void TestHistoryExams::missedAndMarkedAfterThreeAttempts()
{
    testsupport::ScriptedPrompts prompts;
    const Answer R = Answer::Right, W = Answer::Wrong, N = Answer::None;
    // Three attempts that overlap; the latest answer of each item decides.
    takeExam(prompts, TestForm->Action1, {{1, R}, {2, W}, {3, N}, {4, R}, {5, W}, {6, R}}, {2, 4});
    takeExam(prompts, TestForm->AllQAct,
             {{1, W}, {2, R}, {3, R}, {4, R}, {5, W}, {6, R}, {7, R}, {8, W}, {9, R}, {11, W}, {12, R}}, {1, 7});
    takeExam(prompts, TestForm->Action2, {{7, W}, {8, R}, {9, N}}, {8});
    QCOMPARE(attempts().size(), size_t(3));

    // Missed: wrong or unanswered in the latest attempt that asked them; from the History menu.
    Seen seen = start(TestForm->MissedQuestions1);
    QVERIFY(seen.shown);
    QCOMPARE(seen.caption, QString("Missed Questions"));
    QCOMPARE(seen.time, 60);
    QVERIFY(!seen.countEnabled);
    QCOMPARE(TestForm->ExamState, TTestForm::ExamRunning);
    QCOMPARE(TestForm->ExamTitle, QString("Missed Questions"));
    QCOMPARE(TestForm->ExamKindId, QString("missed"));
    QCOMPARE(TestForm->Label3->text(), QString("Missed Questions"));
    QVERIFY(TestForm->NoteButton->isVisibleTo(TestForm->Panel2));
    QCOMPARE(examItems(), (Ids{1, 5, 7, 9, 11}));
    QVERIFY(!TestForm->MissedQuestions1->isEnabled() && !TestForm->MarkedQuestions1->isEnabled());

    // It grades and records like any other exam, and the next Missed Questions follows it.
    answerItems({{1, R}, {5, W}});
    QCOMPARE(grade(prompts, viewAnswers).result, QString("Passing Score: 850   Your Score: 200   Grade: Fail"));
    TestForm->CloseCurrentExam();
    QCOMPARE(attempts().front().examTitle, QString("Missed Questions"));
    QVERIFY(start(TestForm->MissedAct).shown);
    QCOMPARE(examItems(), (Ids{5, 7, 9, 11}));
    TestForm->CloseCurrentExam();

    // Marked: marked in the latest attempt that asked them (item 1's latest is the one above).
    seen = start(TestForm->MarkedQuestions1);
    QCOMPARE(seen.caption, QString("Marked Questions"));
    QCOMPARE(TestForm->ExamTitle, QString("Marked Questions"));
    QCOMPARE(TestForm->ExamKindId, QString("marked"));
    QCOMPARE(examItems(), (Ids{8}));
    QCOMPARE(prompts.unexpected(), 0);
    QCOMPARE(prompts.requests().size(), 4);  // the four gradings' questions
}

void TestHistoryExams::changedOrRemovedItemsAreLeftOut()
{
    testsupport::ScriptedPrompts prompts;
    // All questions answered, 2, 3, 5, 8 and 12 wrongly.
    Answers answers;
    for (int id = 1; id <= BankSize; ++id)
        answers[id] = Ids{2, 3, 5, 8, 12}.count(id) ? Answer::Wrong : Answer::Right;
    takeExam(prompts, TestForm->AllQAct, answers, {2, 3, 5, 12});
    // A new bank: item 2 has another answer b, item 3 another question, item 8 is retired, item 12
    // is gone.
    changeBankItem(2, "Q2", "Answer b, reworded");
    changeBankItem(3, "Q_TEXT", "Question 3, reworded");
    changeBankItem(8, "Q_EXAM_N", 0);
    {
        store::StandaloneTable bank(store::BankFileName);
        bank.table.open();
        QVERIFY(bank.table.findKey(12));
        bank.table.deleteRecord();
    }
    QVERIFY(start(TestForm->MissedAct).shown);
    QCOMPARE(examItems(), (Ids{5}));
    TestForm->CloseCurrentExam();
    QVERIFY(start(TestForm->MarkedAct).shown);
    QCOMPARE(examItems(), (Ids{5}));
}

void TestHistoryExams::dueForReviewTakesWhatWasMissedThenWaits()
{
    testsupport::ScriptedPrompts prompts;
    const Answer R = Answer::Right, W = Answer::Wrong, N = Answer::None;
    QAction* due = TestForm->examKindEntry(store::examkind::DueForReview);
    QVERIFY(due && TestForm->History1->actions().contains(due));
    QCOMPARE(due->text(), QString("&Due for Review"));

    // Everything answered right just now: nothing is due until those first answers fade, after
    // about three and a half days.
    takeExam(prompts, TestForm->Action2, {{7, R}, {8, R}, {9, R}});
    prompts.clear();
    prompts.answer(PromptButton::Ok);
    const Seen none = [&] {
        DialogDriver driver(clickOk);
        due->trigger();
        return driver.seen();
    }();
    QVERIFY(!none.shown);
    QCOMPARE(prompts.requests().size(), 1);
    const QString text = prompts.requests()[0].text;
    QVERIFY2(text.startsWith("Nothing is due for review today. The next questions fall due on "), qPrintable(text));
    const QDate soonest = QDate::currentDate().addDays(3);
    QVERIFY2(text.endsWith(history::dayText(soonest) + ".") || text.endsWith(history::dayText(soonest.addDays(1)) + "."),
             qPrintable(text));
    QCOMPARE(TestForm->ExamState, TTestForm::NoExam);

    // The wrong and missing answers are due at once, the right ones are not.
    takeExam(prompts, TestForm->Action1, {{1, R}, {2, W}, {3, N}, {4, R}, {5, W}, {6, R}});
    const Seen seen = start(due);
    QVERIFY(seen.shown);
    QCOMPARE(seen.caption, QString("Due for Review"));
    QCOMPARE(TestForm->ExamTitle, QString("Due for Review"));
    QCOMPARE(TestForm->ExamKindId, QString("due-for-review"));
    QCOMPARE(examItems(), (Ids{2, 3, 5}));
    QVERIFY(!due->isEnabled());  // as the exam choice is, while an exam runs

    answerItems({{2, R}, {3, R}, {5, R}});
    grade(prompts, viewAnswers);
    TestForm->CloseCurrentExam();
    QCOMPARE(attempts().front().examKindId, QString("due-for-review"));
    QVERIFY(due->isEnabled());
}

void TestHistoryExams::nothingToTake_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("gradeFirst");  // all right and nothing marked
    QTest::addColumn<QString>("message");
    const QString noMissed = "No missed questions yet: take a practice exam first.";
    const QString noMarked = "No marked questions yet: mark questions in a practice exam first.";
    QTest::newRow("missed, no history") << "MissedAct" << false << noMissed;
    QTest::newRow("marked, no history") << "MarkedAct" << false << noMarked;
    QTest::newRow("missed, all right") << "MissedAct" << true << noMissed;
    QTest::newRow("marked, none marked") << "MarkedAct" << true << noMarked;
    QTest::newRow("due for review, no history")
        << "due-for-reviewAct" << false << "Nothing to review yet: take a practice exam first.";
}

void TestHistoryExams::nothingToTake()
{
    QFETCH(QString, kind);
    QFETCH(bool, gradeFirst);
    QFETCH(QString, message);
    testsupport::ScriptedPrompts prompts;
    if (gradeFirst)
        takeExam(prompts, TestForm->Action2, {{7, Answer::Right}, {8, Answer::Right}, {9, Answer::Right}});
    const QByteArray before = testsupport::fileBytes(history::HistoryFileName);
    prompts.clear();

    prompts.answer(PromptButton::Ok);
    const Seen seen = [&] {
        DialogDriver driver(clickOk);
        TestForm->findChild<QAction*>(kind)->trigger();
        return driver.seen();
    }();
    QVERIFY(!seen.shown);
    QCOMPARE(prompts.requests().size(), 1);
    QCOMPARE(prompts.requests()[0].kind, PromptKind::Information);
    QCOMPARE(prompts.requests()[0].text, message);
    // The user stays in the exam choice; the history is as it was (none is made).
    QCOMPARE(TestForm->ExamState, TTestForm::NoExam);
    QVERIFY(TestForm->Panel4->isVisible());
    QVERIFY(TestForm->N21->menuAction()->isEnabled());
    QVERIFY(!TestForm->dtQSet->isOpen());
    QCOMPARE(QFile::exists(history::HistoryFileName), gradeFirst);
    QCOMPARE(testsupport::fileBytes(history::HistoryFileName), before);
}

void TestHistoryExams::unwritableHistory_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("says");
    QTest::newRow("locked") << "locked" << "locked";
    QTest::newRow("read-only") << "read-only" << "read";
    QTest::newRow("damaged") << "damaged" << "damaged";
}

void TestHistoryExams::unwritableHistory()
{
    QFETCH(QString, damage);
    QFETCH(QString, says);
    testsupport::ScriptedPrompts prompts;
    takeExam(prompts, TestForm->Action2, {{7, Answer::Right}});
    const auto restore = qScopeGuard([] { testsupport::makeWritable(history::HistoryFileName); });
    std::unique_ptr<testsupport::OtherProgramLock> lock;
    if (damage == "locked") {
        lock = std::make_unique<testsupport::OtherProgramLock>(history::HistoryFileName);
    } else if (damage == "read-only") {
        if (!testsupport::makeReadOnly(history::HistoryFileName))
            QSKIP("cannot make a file read-only here");
    } else {
        QFile file(history::HistoryFileName);
        QVERIFY(file.open(QIODevice::ReadWrite));
        file.seek(16);
        file.write(QByteArray(int(file.size()) - 16, '\x5a'));
    }
    const QByteArray before = testsupport::fileBytes(history::HistoryFileName);
    prompts.clear();

    QVERIFY(start(TestForm->Action1).shown);
    answerItems({{1, Answer::Right}, {2, Answer::Right}});
    prompts.answer(PromptButton::Ok);  // to the message, after the grading's question
    const ScoreSeen seen = grade(prompts, viewAnswers);
    lock.reset();

    // The score window shows the score; one message says why the attempt was not recorded.
    QVERIFY(seen.shown);
    QCOMPARE(seen.result, QString("Passing Score: 850   Your Score: 333   Grade: Fail"));
    QCOMPARE(TestForm->ExamState, TTestForm::Reviewing);
    QCOMPARE(prompts.requests().size(), 2);  // the grading's question, then the message
    const platform::PromptRequest& message = prompts.requests()[1];
    QCOMPARE(message.kind, PromptKind::Warning);
    QCOMPARE(message.caption, QString("Study History"));
    QCOMPARE(message.buttons, QList<PromptButton>{PromptButton::Ok});
    QVERIFY2(message.text.contains("not recorded") && message.text.contains(history::HistoryFileName) &&
                 message.text.contains(says),
             qPrintable(message.text));
    QCOMPARE(testsupport::fileBytes(history::HistoryFileName), before);

    if (damage == "damaged") {
        // Missed Questions cannot read it either: the error box says why, and the user stays in
        // the exam choice.
        TestForm->CloseCurrentExam();
        prompts.answer(PromptButton::Ok);
        DialogDriver driver(clickOk);
        TestForm->MissedAct->trigger();
        QVERIFY(!driver.seen().shown);
        QCOMPARE(prompts.requests().last().kind, PromptKind::Error);
        QVERIFY2(prompts.requests().last().text.contains(says), qPrintable(prompts.requests().last().text));
        QCOMPARE(TestForm->ExamState, TTestForm::NoExam);
        QVERIFY(!TestForm->dtQSet->isOpen());
        QCOMPARE(testsupport::fileBytes(history::HistoryFileName), before);
    }
}

void TestHistoryExams::roadByKeyboard()
{
    // Practice exam A with three items missed; Study History by Alt+S ("&Help" has H) and H;
    // Missed Questions by Alt+S and M, graded; Study History again. With QUIZLORE_SCREENSHOTS
    // set, the windows are saved there.
    testsupport::ScriptedPrompts prompts;
    historywindow::StudyHistoryWindow studyHistory(QDir::currentPath(), TestForm);  // on this test's folder
    QWidget* const startUpWindow = TestForm->StudyHistoryWindow;
    TestForm->linkStudyHistory(&studyHistory);
    const auto restore = qScopeGuard([&] { TestForm->linkStudyHistory(startUpWindow); });
    const auto openHistoryMenu = [] {
        QApplication::setActiveWindow(TestForm);
        QVERIFY(QTest::qWaitForWindowActive(TestForm));
        QTest::keyClick(TestForm, Qt::Key_S, Qt::AltModifier);
        QTRY_COMPARE(QApplication::activePopupWidget(), static_cast<QWidget*>(TestForm->History1));
    };
    const auto openStudyHistory = [&](int attempts) {
        openHistoryMenu();
        QTest::keyClick(TestForm->History1, Qt::Key_H);
        QTRY_VERIFY(studyHistory.isVisible());
        QCOMPARE(studyHistory.attempts->rowCount(), attempts);
        screenshot(&studyHistory, qPrintable(QStringLiteral("study-history-%1").arg(attempts)));
        studyHistory.close();
    };

    const Answer R = Answer::Right, W = Answer::Wrong, N = Answer::None;
    QVERIFY(start(TestForm->Action1).shown);
    answerItems({{1, R}, {2, W}, {3, N}, {4, R}, {5, W}, {6, R}});
    QVERIFY(grade(prompts, [] {
                screenshot(ScoreForm, "score");
                viewAnswers();
            }).shown);
    openStudyHistory(1);
    TestForm->CloseCurrentExam();

    openHistoryMenu();
    screenshot(TestForm->History1, "history-menu");
    {
        DialogDriver driver(clickOk);
        QTest::keyClick(TestForm->History1, Qt::Key_M);
        QVERIFY(driver.seen().shown);
    }
    QCOMPARE(TestForm->ExamTitle, QString("Missed Questions"));
    QCOMPARE(examItems(), (Ids{2, 3, 5}));
    screenshot(TestForm, "missed-questions");
    answerItems({{2, R}, {3, R}, {5, W}});
    QVERIFY(grade(prompts, viewAnswers).shown);
    openStudyHistory(2);
    QCOMPARE(prompts.unexpected(), 0);
}

QTEST_MAIN(TestHistoryExams)
#include "test_history_exams.moc"
