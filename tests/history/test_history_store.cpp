// The study history on real files in a temporary folder: what a recording keeps, re-grading,
// the latest-answer rules behind Missed and Marked Questions, fingerprints of replaced banks,
// files that cannot be written or read, clearing, moving aside and the CSV export.

#include "history/ExamRecord.h"
#include "history/Fingerprint.h"
#include "history/HistoryError.h"
#include "history/HistoryStore.h"
#include "store/Fields.h"
#include "store/Session.h"
#include "store/StandaloneTable.h"
#include "support/FileLocks.h"
#include "support/Fixtures.h"
#include "support/FullDisk.h"
#include "support/GradedAttempt.h"
#include "support/KeyedSql.h"
#include "support/TempDir.h"

#include <QFile>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTest>

using namespace history;
using testsupport::TempDirCwd;
using testsupport::fileBytes;
using testsupport::makeReadOnly;
using testsupport::makeWritable;
using testsupport::OtherProgramLock;

namespace {

// The bank of the tests: item q has the question "Question q" and answer a keyed.
Fingerprint bankFingerprint(std::int64_t q)
{
    ItemTexts texts;
    texts.question = QStringLiteral("Question %1").arg(q);
    texts.answers[0] = QStringLiteral("yes");
    texts.keys[0] = true;
    return fingerprint(texts);
}

// One answer: '+' right, '-' wrong, '.' not answered; 'm' after it marks the item.
struct Answer {
    std::int64_t q;
    const char* how;
};

ItemResult bankItem(const Answer& answer)
{
    ItemResult item;
    item.sourceId = answer.q;
    item.fingerprint = bankFingerprint(answer.q);
    item.section = int(answer.q % 4) + 1;
    item.question = QStringLiteral("Question %1").arg(answer.q);
    item.correct = answer.how[0] == '+';
    item.answered = answer.how[0] != '.';
    item.marked = QByteArray(answer.how).contains('m');
    return item;
}

const QDateTime Start = QDateTime(QDate(2026, 11, 2), QTime(9, 30));

// Attempt n of a practice exam, graded n hours after Start, with sections and score from its items.
Attempt attemptOf(int n, const std::vector<Answer>& answers, const QString& title = QStringLiteral("Practice Exam A"))
{
    std::vector<ItemResult> items;
    for (const Answer& answer : answers)
        items.push_back(bankItem(answer));
    return testsupport::gradedAttempt(n, std::move(items), Start.addSecs(3600 * n), title);
}

// The bank as it is now: every item as fingerprinted above, except those `replaced`.
CurrentFingerprint bankNow(std::vector<std::int64_t> replaced = {})
{
    return [replaced](ItemSource source, std::int64_t q) -> std::optional<Fingerprint> {
        if (source != ItemSource::Bank)
            return std::nullopt;
        if (std::find(replaced.begin(), replaced.end(), q) != replaced.end())
            return bankFingerprint(q) + 1;
        return bankFingerprint(q);
    };
}

using Ids = std::vector<std::int64_t>;

QStringList kindIdsOf(const std::vector<ExamGroup>& exams)
{
    QStringList ids;
    for (const ExamGroup& exam : exams)
        ids.append(exam.kindId);
    return ids;
}

// The error `action` throws; fails the test when it throws none.
HistoryError errorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const HistoryError& e) {
        return e;
    }
    return HistoryError(HistoryError::Reason::Other, QStringLiteral("no error"));
}

void writeFile(const QString& name, const QByteArray& bytes)
{
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

}  // namespace

class TestHistoryStore : public QObject {
    Q_OBJECT

private slots:
    void recordingKeepsOneAttemptWithItsFigures()
    {
        TempDirCwd dir;
        HistoryStore history;
        QVERIFY(history.attempts().empty());
        QVERIFY(!QFile::exists(HistoryFileName));  // reading makes no file

        Attempt graded = attemptOf(1, {{1, "+"}, {2, "-m"}, {3, "."}, {4, "+m"}, {5, "+"}});
        graded.items[0].question = QString(300, 'x');
        graded.items[1].source = ItemSource::UserSet;
        const AttemptId id = history.record(graded);
        QVERIFY(QFile::exists(HistoryFileName));

        // A store opened afresh reads what was written.
        HistoryStore again;
        const std::vector<AttemptSummary> list = again.attempts();
        QCOMPARE(list.size(), size_t(1));
        QCOMPARE(list[0].id, id);
        QCOMPARE(list[0].gradedAt, graded.gradedAt);
        QCOMPARE(list[0].examTitle, QString("Practice Exam A"));
        QCOMPARE(list[0].candidateName, QString("Anna"));
        QCOMPARE(list[0].timeLimitSeconds, 3600);
        QCOMPARE(list[0].timeUsedSeconds, 601);
        QCOMPARE(list[0].score, 600);
        QCOMPARE(list[0].passingScore, 850);
        QCOMPARE(list[0].passed, false);
        QCOMPARE(list[0].items.correct, 3);
        QCOMPARE(list[0].items.total, 5);

        const Attempt read = again.attempt(id);
        QCOMPARE(read.key, graded.key);
        QCOMPARE(read.sections.size(), graded.sections.size());
        for (size_t s = 0; s < read.sections.size(); ++s) {
            QCOMPARE(read.sections[s].section, graded.sections[s].section);
            QCOMPARE(read.sections[s].count.correct, graded.sections[s].count.correct);
            QCOMPARE(read.sections[s].count.total, graded.sections[s].count.total);
        }
        QCOMPARE(read.items.size(), size_t(5));
        for (size_t i = 0; i < 5; ++i) {
            const ItemResult &was = graded.items[i], &is = read.items[i];
            QCOMPARE(is.source, was.source);
            QCOMPARE(is.sourceId, was.sourceId);
            QCOMPARE(is.fingerprint, was.fingerprint);
            QCOMPARE(is.section, was.section);
            QCOMPARE(is.answered, was.answered);
            QCOMPARE(is.correct, was.correct);
            QCOMPARE(is.marked, was.marked);
        }
        QCOMPARE(read.items[0].question, QString(QuestionStartLength, 'x'));
        QCOMPARE(again.exams().size(), size_t(1));
        QCOMPARE(again.exams()[0].kindId, QString("practice-a"));
        QCOMPARE(again.exams()[0].title, QString("Practice Exam A"));
        QCOMPARE(again.check(), QStringList());
    }

    void regradingReplacesTheAttempt()
    {
        TempDirCwd dir;
        HistoryStore history;
        history.record(attemptOf(1, {{1, "+"}, {2, "+"}}));
        Attempt exam = attemptOf(2, {{1, "-"}, {2, "."}, {3, "+"}});
        const AttemptId id = history.record(exam);
        // Graded again before the answers were viewed: item 1 now right, item 2 answered wrongly.
        exam.items[0].correct = true;
        exam.items[1].answered = true;
        exam.gradedAt = exam.gradedAt.addSecs(60);
        exam.timeUsedSeconds = 700;
        exam.score = 667;
        QCOMPARE(history.record(exam), id);

        const std::vector<AttemptSummary> list = history.attempts();
        QCOMPARE(list.size(), size_t(2));
        QCOMPARE(list[0].id, id);
        QCOMPARE(list[0].score, 667);
        QCOMPARE(list[0].timeUsedSeconds, 700);
        QCOMPARE(list[0].items.correct, 2);
        QCOMPARE(history.attempt(id).items.size(), size_t(3));
        QCOMPARE(history.latestMissedBankItems(bankNow()), Ids{2});
        // Only the second grading counts: item 1 was never missed, item 2 once.
        const std::vector<MissedItem> missed = history.mostMissed(10, bankNow());
        QCOMPARE(missed.size(), size_t(1));
        QCOMPARE(missed[0].sourceId, std::int64_t(2));
        QCOMPARE(missed[0].timesMissed, 1);
        QCOMPARE(missed[0].timesSeen, 2);
        QCOMPARE(missed[0].lastAnsweredRight, Start.addSecs(3600));
        QCOMPARE(history.check(), QStringList());
    }

    // Three attempts that overlap: the latest answer of each item decides.
    // Re-gradings keep the figures per item as a count of every recorded answer would give them,
    // whatever the answers and times: also when a re-grading drops or adds items, repeats an
    // item, or carries a time before the first grading.
    void regradingsKeepTheFiguresOfACount()
    {
        TempDirCwd dir;
        HistoryStore history;
        QRandomGenerator random(28);
        const char* const hows[] = {"+", "-", ".", "+m", "-m", ".m"};
        std::vector<Attempt> recorded;
        for (int step = 0; step < 60; ++step) {
            std::vector<Answer> answers;
            for (int k = int(random.bounded(6)); k > 0; --k)
                answers.push_back({random.bounded(1, 7), hows[random.bounded(6)]});
            Attempt attempt = attemptOf(int(random.bounded(5)), answers);
            if (!recorded.empty() && random.bounded(2) == 0) {
                attempt.key = recorded[random.bounded(qsizetype(recorded.size()))].key;
            } else {
                recorded.push_back(attempt);
            }
            history.record(attempt);
            const QStringList faults = history.check();
            QVERIFY2(faults.isEmpty(), qPrintable(QStringLiteral("step %1: %2").arg(step).arg(faults.join("; "))));
        }
    }

    void latestAnswersDecideMissedAndMarked()
    {
        TempDirCwd dir;
        HistoryStore history;
        history.record(attemptOf(1, {{1, "-m"}, {2, "-"}, {3, "+"}, {4, "."}, {5, "+m"}}));
        history.record(attemptOf(2, {{1, "+"}, {3, "-m"}, {4, "+"}, {6, "."}}));
        history.record(attemptOf(3, {{2, "-"}, {4, ".m"}, {7, "+"}}, QStringLiteral("Random Exam")));
        // A user exam item with Q_ID 8 is no bank item.
        Attempt user = attemptOf(4, {{8, "-m"}}, QStringLiteral("User Exam"));
        user.items[0].source = ItemSource::UserSet;
        history.record(user);

        QCOMPARE(history.latestMissedBankItems(bankNow()), (Ids{2, 3, 4, 6}));
        QCOMPARE(history.latestMarkedBankItems(bankNow()), (Ids{3, 4, 5}));

        const std::vector<MissedItem> missed = history.mostMissed(3, bankNow());
        QCOMPARE(missed.size(), size_t(3));
        // Items 2 and 4 were missed twice, both last in attempt 3; then the latest missed once.
        QCOMPARE(missed[0].sourceId, std::int64_t(2));
        QCOMPARE(missed[0].timesMissed, 2);
        QVERIFY(!missed[0].lastAnsweredRight.isValid());
        QCOMPARE(missed[1].sourceId, std::int64_t(4));
        QCOMPARE(missed[1].timesMissed, 2);
        QCOMPARE(missed[1].timesSeen, 3);
        QCOMPARE(missed[1].lastAnsweredRight, Start.addSecs(2 * 3600));
        QCOMPARE(missed[1].question, QString("Question 4"));
        QVERIFY(!missed[1].former);
        QCOMPARE(missed[2].source, ItemSource::UserSet);
        QVERIFY(missed[2].former);  // the lookup knows no user set item

        QCOMPARE(kindIdsOf(history.exams()), (QStringList{"practice-a", "random", "user"}));
        QCOMPARE(history.attempts(QStringLiteral("practice-a")).size(), size_t(2));
    }

    // Attempts are grouped by their exam kind's id: an exam shown under a new title keeps its
    // history together, listed under the title of its newest attempt. An attempt that names no
    // kind gets the one its title is, or for a title no kind has, a group of its own.
    void attemptsGroupByExamKind()
    {
        TempDirCwd dir;
        HistoryStore history;
        Attempt before = attemptOf(1, {{1, "-"}}, QStringLiteral("Practice Exam A"));
        before.examKindId = QStringLiteral("practice-a");
        Attempt random = attemptOf(2, {{2, "+"}}, QStringLiteral("Random Exam"));
        Attempt renamed = attemptOf(3, {{1, "+"}}, QStringLiteral("Practice Exam Alpha"));
        renamed.examKindId = QStringLiteral("practice-a");
        Attempt retired = attemptOf(4, {{3, "+"}}, QStringLiteral("Review Exam"));
        for (const Attempt& attempt : {before, random, renamed, retired})
            history.record(attempt);

        const std::vector<ExamGroup> exams = history.exams();
        QCOMPARE(kindIdsOf(exams), (QStringList{"practice-a", "random", "title:Review Exam"}));
        QCOMPARE(exams[0].title, QString("Practice Exam Alpha"));
        QCOMPARE(exams[2].title, QString("Review Exam"));
        const std::vector<AttemptSummary> practice = history.attempts(QStringLiteral("practice-a"));
        QCOMPARE(practice.size(), size_t(2));
        QCOMPARE(practice[0].examTitle, QString("Practice Exam Alpha"));
        QCOMPARE(practice[1].examTitle, QString("Practice Exam A"));
        QCOMPARE(history.attempt(practice[1].id).examKindId, QString("practice-a"));
        QCOMPARE(history.attempts(QStringLiteral("random"))[0].examKindId, QString("random"));
        const std::vector<SectionTrend> trends = history.sectionTrends(QStringLiteral("practice-a"));
        // Two attempts: the latest (renamed) beside the one before it. Item 1 is of section 2.
        QCOMPARE(trends[1].recent.correct, 1);
        QCOMPARE(trends[1].recent.total, 1);
        QCOMPARE(trends[1].before.correct, 0);
        QCOMPARE(trends[1].before.total, 1);
        QCOMPARE(trends[1].recentAttempts, 1);
        QCOMPARE(trends[1].beforeAttempts, 1);
    }

    void changedFingerprintsLeaveItemsOut()
    {
        TempDirCwd dir;
        HistoryStore history;
        history.record(attemptOf(1, {{1, "-m"}, {2, "-m"}, {3, "+"}}));
        // The bank was replaced: item 2 has other texts under the same Q_ID, item 3 is gone.
        CurrentFingerprint replaced = [](ItemSource, std::int64_t q) -> std::optional<Fingerprint> {
            if (q == 3)
                return std::nullopt;
            return q == 2 ? bankFingerprint(2) + 1 : bankFingerprint(q);
        };
        QCOMPARE(history.latestMissedBankItems(replaced), Ids{1});
        QCOMPARE(history.latestMarkedBankItems(replaced), Ids{1});
        const std::vector<MissedItem> missed = history.mostMissed(10, replaced);
        QCOMPARE(missed.size(), size_t(2));
        for (const MissedItem& item : missed)
            QCOMPARE(item.former, item.sourceId == 2);

        // The new item 2 is an item of its own in the history.
        Attempt second = attemptOf(2, {{2, "+"}});
        second.items[0].fingerprint = bankFingerprint(2) + 1;
        history.record(second);
        QCOMPARE(history.latestMissedBankItems(replaced), Ids{1});
        QCOMPARE(history.latestMissedBankItems(bankNow()), (Ids{1, 2}));
    }

    // The day of the real exam: kept in the file, refused when past, and kept when the attempts
    // are cleared.
    void examDateIsKeptThroughClearing()
    {
        TempDirCwd dir;
        HistoryStore history;
        QCOMPARE(history.examDate(), std::nullopt);
        const QDate day = QDate::currentDate().addDays(20);
        history.setExamDate(day);
        QCOMPARE(HistoryStore().examDate(), day);
        history.record(attemptOf(1, {{1, "+"}}));
        history.clear();
        QVERIFY(history.attempts().empty());
        QCOMPARE(HistoryStore().examDate(), day);

        const QByteArray before = fileBytes(HistoryFileName);
        try {
            history.setExamDate(QDate::currentDate().addDays(-1));
            QFAIL("a past exam date was kept");
        } catch (const HistoryError& error) {
            QCOMPARE(error.reason(), HistoryError::Reason::PastDate);
            QVERIFY2(error.message().contains(HistoryFileName), qPrintable(error.message()));
        }
        QCOMPARE(fileBytes(HistoryFileName), before);
        history.setExamDate(QDate::currentDate());  // today is not past
        QCOMPARE(history.examDate(), QDate::currentDate());
        history.setExamDate(std::nullopt);
        QCOMPARE(HistoryStore().examDate(), std::nullopt);
    }

    // Only the bank items the bank still holds as they were count, each with every answer in time
    // order; user-set items never do.
    void answeredBankItemsInTimeOrder()
    {
        TempDirCwd dir;
        HistoryStore history;
        history.record(attemptOf(2, {{1, "-"}, {2, "+"}, {3, "+"}}));
        history.record(attemptOf(1, {{1, "+"}, {2, "-"}}));
        Attempt user = attemptOf(3, {{1, "+"}});
        user.items[0].source = ItemSource::UserSet;
        history.record(user);
        CurrentFingerprint withoutThree = [](ItemSource source, std::int64_t q) -> std::optional<Fingerprint> {
            if (source != ItemSource::Bank || q == 3)
                return std::nullopt;
            return bankFingerprint(q);
        };
        const std::vector<AnsweredItem> items = history.answeredBankItems(withoutThree);
        QCOMPARE(items.size(), std::size_t(2));
        QCOMPARE(items[0].bankId, std::int64_t(1));
        QCOMPARE(items[0].answers.size(), std::size_t(2));  // the user-set item 1 is another item
        QVERIFY(items[0].answers[0].at < items[0].answers[1].at);
        QCOMPARE(items[0].answers[0].correct, true);  // attempt 1 was graded first
        QCOMPARE(items[0].answers[1].correct, false);
        QCOMPARE(items[1].answers[0].correct, false);

        // A damaged file whose ids run far beyond its rows is told as damaged.
        testsupport::runKeyedSql(HistoryFileName, "UPDATE questions SET id = 99999999 WHERE id = 1");
        const HistoryError damaged = errorOf([&] { HistoryStore().answeredBankItems(withoutThree); });
        QCOMPARE(damaged.reason(), HistoryError::Reason::Damaged);
        QVERIFY2(damaged.message().contains("ids up to 99999999"), qPrintable(damaged.message()));
    }

    void sectionTrendsCompareTheLastFiveWithTheFiveBefore()
    {
        TempDirCwd dir;
        HistoryStore history;
        // Attempts 1..12 of one item of section 2 (Q_ID 1): right in attempts 8 to 11. Attempts
        // of another exam beside them do not count for exam A.
        for (int n = 1; n <= 12; ++n) {
            history.record(attemptOf(n, {{1, n >= 8 && n != 12 ? "+" : "-"}}));
            history.record(attemptOf(n, {{1, "+"}, {2, "+"}}, QStringLiteral("Random Exam")));
        }
        const std::vector<SectionTrend> trends = history.sectionTrends(QStringLiteral("practice-a"));
        QCOMPARE(trends.size(), size_t(4));
        QCOMPARE(trends[1].section, 2);
        QCOMPARE(trends[1].recent.correct, 4);  // attempts 8..12
        QCOMPARE(trends[1].recent.total, 5);
        QCOMPARE(trends[1].before.correct, 0);  // attempts 3..7
        QCOMPARE(trends[1].before.total, 5);
        QCOMPARE(trends[0].recent.total, 0);
        const std::vector<SectionTrend> all = history.sectionTrends();
        QCOMPARE(all[1].recent.total, 5);  // Random 12, A 12, Random 11, A 11, Random 10
        QCOMPARE(all[1].recent.correct, 4);
        QCOMPARE(all[2].recent.total, 3);
    }

    // A file the history cannot use gives an error naming it and the reason, for a recording
    // and for reading, and stays byte for byte as it was.
    void unusableFilesStayUntouched_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<int>("reason");
        QTest::addColumn<QString>("says");
        QTest::newRow("locked") << "lock" << int(HistoryError::Reason::Locked) << "locked by another program";
        QTest::newRow("read-only") << "read-only" << int(HistoryError::Reason::ReadOnly) << "read-only";
        QTest::newRow("damaged pages") << "pages" << int(HistoryError::Reason::Damaged) << "damaged";
        QTest::newRow("damaged first page") << "first page" << int(HistoryError::Reason::WrongKey)
                                            << "damaged, or it needs another password";
        QTest::newRow("a table file") << "table file" << int(HistoryError::Reason::Damaged) << "not a history file";
    }
    void unusableFilesStayUntouched()
    {
        QFETCH(QString, damage);
        QFETCH(int, reason);
        QFETCH(QString, says);
        TempDirCwd dir;
        {
            HistoryStore history;
            history.record(attemptOf(1, {{1, "+"}, {2, "-"}}));
        }
        const auto restore = qScopeGuard([&] {
            if (damage == "read-only")
                makeWritable(HistoryFileName);
        });
        std::unique_ptr<OtherProgramLock> lock;
        if (damage == "lock") {
            lock = std::make_unique<OtherProgramLock>(HistoryFileName);
        } else if (damage == "read-only") {
            if (!makeReadOnly(HistoryFileName))
                QSKIP("cannot make a file read-only here");
        } else if (damage == "table file") {
            QFile::remove(HistoryFileName);
            testsupport::makeBank(HistoryFileName, 3, [](int) { return 1; }, [](int) { return 1; });
        } else {
            QFile file(HistoryFileName);
            QVERIFY(file.open(QIODevice::ReadWrite));
            const qint64 from = damage == "pages" ? 1024 : 16, size = file.size();
            file.seek(from);
            file.write(QByteArray(int(size - from) - (damage == "pages" ? 0 : int(size) / 2), '\x5a'));
        }
        const QByteArray before = fileBytes(HistoryFileName);

        HistoryStore history;
        const HistoryError recording = errorOf([&] { history.record(attemptOf(2, {{1, "-"}})); });
        QVERIFY2(int(recording.reason()) == reason, qPrintable(recording.message()));
        QVERIFY2(recording.message().contains(HistoryFileName) && recording.message().contains(says),
                 qPrintable(recording.message()));
        QCOMPARE(fileBytes(HistoryFileName), before);
        if (damage != "read-only") {
            const HistoryError reading = errorOf([&] { history.attempts(); });
            QVERIFY2(reading.message().contains(HistoryFileName) && reading.message().contains(says),
                     qPrintable(reading.message()));
        }
        const HistoryError clearing = errorOf([&] { history.clear(); });
        QVERIFY2(clearing.message().contains(says), qPrintable(clearing.message()));
        const HistoryError dating = errorOf([&] { history.setExamDate(QDate::currentDate().addDays(5)); });
        QVERIFY2(dating.message().contains(HistoryFileName) && dating.message().contains(says),
                 qPrintable(dating.message()));
        QCOMPARE(fileBytes(HistoryFileName), before);
    }

    // The exam date on a full disk: each write that fails says so and leaves the date as it was,
    // the first and the one after a write that worked.
    void examDateOnAFullDisk()
    {
        TempDirCwd dir;
        HistoryStore(HistoryFileName).record(attemptOf(1, {{1, "+"}}));
        testsupport::FullDisk disk;
        HistoryStore history;
        const QDate day = QDate::currentDate().addDays(9);
        disk.fill(HistoryFileName);
        const QByteArray before = fileBytes(HistoryFileName);
        QCOMPARE(errorOf([&] { history.setExamDate(day); }).reason(), HistoryError::Reason::DiskFull);
        QCOMPARE(fileBytes(HistoryFileName), before);
        QCOMPARE(HistoryStore().examDate(), std::nullopt);

        disk.makeRoom();
        history.setExamDate(day);
        disk.fill(HistoryFileName);
        const QByteArray set = fileBytes(HistoryFileName);
        QCOMPARE(errorOf([&] { history.setExamDate(std::nullopt); }).reason(), HistoryError::Reason::DiskFull);
        QCOMPARE(fileBytes(HistoryFileName), set);
        QCOMPARE(history.examDate(), day);
        QCOMPARE(history.attempts().size(), std::size_t(1));
    }

    void impossibleAttemptsAreRefused()
    {
        TempDirCwd dir;
        HistoryStore history;
        Attempt wrong = attemptOf(1, {{1, "+"}});
        wrong.score = 1200;
        const HistoryError error = errorOf([&] { history.record(wrong); });
        QCOMPARE(error.reason(), HistoryError::Reason::BadAttempt);
        QVERIFY2(error.message().contains("1200"), qPrintable(error.message()));
        QVERIFY(!QFile::exists(HistoryFileName));
    }

    void clearingAndMovingAside()
    {
        TempDirCwd dir;
        {
            HistoryStore history;
            history.record(attemptOf(1, {{1, "-m"}}));
            history.clear();
            QVERIFY(history.attempts().empty());
            QVERIFY(history.latestMissedBankItems(bankNow()).empty());
            QVERIFY(history.mostMissed(10, bankNow()).empty());
            history.record(attemptOf(2, {{2, "+"}}));
            QCOMPARE(history.attempts().size(), size_t(1));
        }

        // A damaged file, with the journal a killed writer left, goes aside whole; a new one starts,
        // also for another store that had the old file open.
        HistoryStore grading;
        QCOMPARE(grading.attempts().size(), size_t(1));
        const QByteArray damaged(4096, '\x33');
        writeFile(HistoryFileName, damaged);
        HistoryStore history;
        QVERIFY(errorOf([&] { history.attempts(); }).unreadable());
        writeFile(HistoryFileName + "-journal", "journal");
        const QString aside = history.moveAsideDamaged();
        QCOMPARE(aside, dir.file(HistoryFileName) + ".damaged-" + QDate::currentDate().toString(Qt::ISODate));
        QCOMPARE(fileBytes(aside), damaged);
        QCOMPARE(fileBytes(aside + "-journal"), QByteArray("journal"));
        QVERIFY(!QFile::exists(HistoryFileName + "-journal"));
        QVERIFY(history.attempts().empty());
        grading.record(attemptOf(3, {{3, "+"}}));
        QCOMPARE(history.attempts().size(), size_t(1));
        QCOMPARE(fileBytes(aside), damaged);
        // A second damaged file that day gets a name of its own.
        writeFile(HistoryFileName, damaged);
        QCOMPARE(history.moveAsideDamaged(), aside + "-2");
    }

    void checkFindsFiguresThatDisagreeWithTheAnswers()
    {
        TempDirCwd dir;
        HistoryStore history;
        history.record(attemptOf(1, {{1, "-"}, {2, "+"}}));
        QCOMPARE(history.check(), QStringList());
        testsupport::runKeyedSql(HistoryFileName, "UPDATE questions SET missed = 5 WHERE source_id = 1");
        const QStringList faults = HistoryStore().check();
        QCOMPARE(faults.size(), 1);
        QVERIFY2(faults[0].contains("Q_ID 1"), qPrintable(faults[0]));
    }

    void exportWritesOneLinePerAttempt()
    {
        TempDirCwd dir;
        HistoryStore history;
        history.exportCsv("empty.csv");
        QCOMPARE(fileBytes("empty.csv"),
                 QByteArray("Date,Exam,Candidate,Time limit,Time used,Score,Passing score,Grade,Items correct,Items,"
                            "Standards and Terminology correct,Standards and Terminology items,Planning correct,"
                            "Planning items,Implementation correct,Implementation items,Troubleshooting correct,"
                            "Troubleshooting items\r\n"));
        history.record(attemptOf(1, {{1, "+"}, {2, "-"}, {5, "+"}}));
        Attempt second = attemptOf(2, {{3, "+"}});
        second.candidateName = QStringLiteral("O'Brien, \"Jo\"");
        second.timeLimitSeconds = 0;
        second.timeUsedSeconds = 3725;
        history.record(second);
        history.exportCsv("history.csv");
        const QList<QByteArray> lines = fileBytes("history.csv").split('\n');
        QCOMPARE(lines.size(), 4);  // header, two attempts, nothing after the last line break
        QCOMPARE(lines[1], QByteArray("2026-11-02 10:30:00,Practice Exam A,Anna,1:00:00,0:10:01,666,850,Fail,2,3,"
                                      ",,2,2,0,1,,\r"));
        QCOMPARE(lines[2], QByteArray("2026-11-02 11:30:00,Practice Exam A,\"O'Brien, \"\"Jo\"\"\",,1:02:05,1000,"
                                      "850,Pass,1,1,,,,,,,1,1\r"));

        const HistoryError error = errorOf([&] { history.exportCsv("no/such/folder/history.csv"); });
        QVERIFY2(error.message().contains("no/such/folder/history.csv"), qPrintable(error.message()));
    }

    // An exam set record and its answer sheet entry give the item as the history keeps it; its
    // fingerprint is the one its bank record gives.
    void examSetItemsAsRecorded()
    {
        TempDirCwd dir;
        testsupport::Item asked = testsupport::item(1, 3, "Which layer routes?");
        asked[store::field::Q_OR_NUMBER] = 42;
        testsupport::makeTable(store::CurrentSetFileName, store::TableKind::Current, {asked, asked});
        testsupport::makeTable(store::BankFileName, store::TableKind::Bank, {asked});
        store::StandaloneTable examSet(store::CurrentSetFileName), bank(store::BankFileName);
        examSet.table.open();
        bank.table.open();

        store::TItemState ticked, untouched;
        ticked.Choice2 = true;
        ticked.Marked = true;
        untouched.Correct = true;  // as grading counts an item without keys
        ticked.Section = untouched.Section = 3;
        const ItemResult wrong = itemResultOf(examSet.table, ticked, ItemSource::Bank);
        QCOMPARE(wrong.sourceId, std::int64_t(42));
        QCOMPARE(wrong.section, 3);
        QCOMPARE(wrong.question, QString("Which layer routes?"));
        QCOMPARE(wrong.fingerprint, fingerprintOfRecord(bank.table));
        QVERIFY(wrong.answered && !wrong.correct && wrong.marked);
        const ItemResult blank = itemResultOf(examSet.table, untouched, ItemSource::UserSet);
        QVERIFY(!blank.answered && blank.correct && !blank.marked);
        QCOMPARE(blank.source, ItemSource::UserSet);

        results::Grade grade = results::gradeSheet({ticked, untouched});
        const std::vector<SectionResult> sections = sectionResultsOf(grade);
        QCOMPARE(sections.size(), size_t(4));
        QCOMPARE(sections[2].section, 3);
        QCOMPARE(sections[2].count.correct, 1);
        QCOMPARE(sections[2].count.total, 2);
        QCOMPARE(sections[0].count.total, 0);
    }

    // The fingerprint is kept in files: the same texts must give the same value in every version.
    void fingerprintIsStable()
    {
        ItemTexts item;
        item.question = QStringLiteral("Which port does HTTPS use?\nPick one.");
        item.answers = {"443", "80", "21", "", "", ""};
        item.keys = {true, false, false, false, false, false};
        const Fingerprint stored = fingerprint(item);
        QCOMPARE(stored, Fingerprint(Q_INT64_C(6051312299941458646)));
        ItemTexts windows = item;
        windows.question.replace("\n", "\r\n");
        QCOMPARE(fingerprint(windows), stored);
        ItemTexts rekeyed = item;
        rekeyed.keys = {false, true, false, false, false, false};
        QVERIFY(fingerprint(rekeyed) != stored);
        ItemTexts shifted = item;  // the same characters split otherwise between the texts
        shifted.answers = {"4", "4380", "21", "", "", ""};
        QVERIFY(fingerprint(shifted) != stored);
    }
};

QTEST_GUILESS_MAIN(TestHistoryStore)
#include "test_history_store.moc"
