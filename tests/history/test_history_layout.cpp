// History files of an older or a newer layout than the program writes: a file of the first
// layout (attempts known by their shown title) is upgraded once and groups its attempts as it
// did; one that cannot be written is read as it is and upgraded by the next recording; a file
// of a newer layout is refused and left as it is.

#include "history/HistoryError.h"
#include "history/HistoryLayout.h"
#include "history/HistoryStore.h"
#include "support/FileLocks.h"
#include "support/Fixtures.h"
#include "support/FullDisk.h"
#include "support/GradedAttempt.h"
#include "support/KeyedSql.h"
#include "support/TempDir.h"

#include <QFile>
#include <QScopeGuard>
#include <QTest>

using namespace history;
using testsupport::fileBytes;
using testsupport::keyedInteger;
using testsupport::TempDirCwd;

namespace {

// The groups of the first-layout file, as the program of that layout listed them by title: the
// kind each title has now (or one of its own for the titles no kind has), with the ids of its
// attempts, newest first. Attempt 4 of Practice Exam A was graded twice.
struct Group {
    const char* kindId;
    const char* title;
    std::vector<AttemptId> attempts;
};
const std::vector<Group> FirstLayoutGroups = {
    {"practice-a", "Practice Exam A", {4, 1}},
    {"random", "Random Exam", {2}},
    {"title:Review Exam", "Review Exam", {3}},
    {"user", "User Exam", {5}},
    {"title:Chapter Quiz", "Chapter Quiz", {6}},
    {"missed", "Missed Questions", {7}},
    {"practice-c", "Practice Exam C", {8}},
};

void copyFirstLayoutFile()
{
    QVERIFY(QFile::copy(QStringLiteral(FIRST_LAYOUT_FILE), HistoryFileName));
    QFile::setPermissions(HistoryFileName, QFile::ReadOwner | QFile::WriteOwner);
}

std::int64_t layoutVersion()
{
    return keyedInteger(HistoryFileName, "PRAGMA user_version");
}

std::vector<AttemptId> idsOf(const std::vector<AttemptSummary>& attempts)
{
    std::vector<AttemptId> ids;
    for (const AttemptSummary& a : attempts)
        ids.push_back(a.id);
    return ids;
}

// The history shows the first-layout file's attempts in the groups they had, with `added`
// attempts more in the group of practice exam A.
void showsFirstLayoutGroups(const HistoryStore& history, std::vector<AttemptId> added = {})
{
    const std::vector<ExamGroup> exams = history.exams();
    QCOMPARE(exams.size(), FirstLayoutGroups.size());
    for (size_t g = 0; g < exams.size(); ++g) {
        const Group& expected = FirstLayoutGroups[g];
        QCOMPARE(exams[g].kindId, QString(expected.kindId));
        QCOMPARE(exams[g].title, QString(expected.title));
        std::vector<AttemptId> ids = g == 0 ? added : std::vector<AttemptId>{};
        ids.insert(ids.end(), expected.attempts.begin(), expected.attempts.end());
        QCOMPARE(idsOf(history.attempts(exams[g].kindId)), ids);
    }
    QCOMPARE(history.attempts().size(), size_t(8) + added.size());
    // The re-graded attempt 4 and attempt 1 of exam A: section 2 right in both.
    const std::vector<SectionTrend> trends = history.sectionTrends(QStringLiteral("practice-a"));
    QCOMPARE(trends[1].recent.correct + trends[1].before.correct, 2);
    QCOMPARE(trends[1].recent.total + trends[1].before.total, 2);
    QCOMPARE(history.attempt(3).examKindId, QString("title:Review Exam"));
    QCOMPARE(history.attempt(3).examTitle, QString("Review Exam"));
}

Attempt newPracticeAttempt()
{
    Attempt a = testsupport::gradedAttempt(9, {}, QDateTime(QDate(2026, 1, 5), QTime(8, 0), Qt::UTC),
                                           QStringLiteral("Practice Exam A"));
    a.examKindId = QStringLiteral("practice-a");
    return a;
}

}  // namespace

class TestHistoryLayout : public QObject {
    Q_OBJECT

private slots:
    void firstLayoutFileIsUpgradedOnceAndGroupsAsBefore()
    {
        TempDirCwd dir;
        copyFirstLayoutFile();
        QCOMPARE(layoutVersion(), std::int64_t(1));
        {
            HistoryStore history;
            showsFirstLayoutGroups(history);
            QCOMPARE(layoutVersion(), std::int64_t(layout::CurrentVersion));
            QCOMPARE(history.check(), QStringList());
            QCOMPARE(history.examDate(), std::nullopt);
        }
        // Opened again, the file is read as it is now.
        const QByteArray upgraded = fileBytes(HistoryFileName);
        HistoryStore history;
        showsFirstLayoutGroups(history);
        QCOMPARE(fileBytes(HistoryFileName), upgraded);

        const AttemptId id = history.record(newPracticeAttempt());
        showsFirstLayoutGroups(history, {id});
        QCOMPARE(history.check(), QStringList());
        const QDate examDay = QDate::currentDate().addDays(30);
        history.setExamDate(examDay);
        QCOMPARE(HistoryStore().examDate(), examDay);
    }

    // A first-layout file that cannot be written when it is opened is read as it is, without an
    // error, and upgraded by the next recording once it can be written.
    void unwritableFirstLayoutFileIsReadAsItIs_data()
    {
        QTest::addColumn<QString>("obstacle");
        QTest::newRow("read-only") << "read-only";
        QTest::newRow("another program writing") << "writing";
        QTest::newRow("full disk") << "full disk";
    }
    void unwritableFirstLayoutFileIsReadAsItIs()
    {
        QFETCH(QString, obstacle);
        TempDirCwd dir;
        copyFirstLayoutFile();
        const QByteArray before = fileBytes(HistoryFileName);
        std::unique_ptr<testsupport::OtherProgramLock> lock;
        std::unique_ptr<testsupport::FullDisk> disk;
        const auto restore = qScopeGuard([&] { testsupport::makeWritable(HistoryFileName); });
        if (obstacle == "read-only") {
            if (!testsupport::makeReadOnly(HistoryFileName))
                QSKIP("cannot make a file read-only here");
        } else if (obstacle == "writing") {
            lock = std::make_unique<testsupport::OtherProgramLock>(
                HistoryFileName, testsupport::OtherProgramLock::Holds::Writes);
        } else {
            disk = std::make_unique<testsupport::FullDisk>();
            disk->fill(HistoryFileName);
        }

        HistoryStore history;
        showsFirstLayoutGroups(history);
        QCOMPARE(history.check(), QStringList());
        QCOMPARE(history.examDate(), std::nullopt);  // a layout without exam dates, read as it is
        QCOMPARE(fileBytes(HistoryFileName), before);
        QCOMPARE(layoutVersion(), std::int64_t(1));

        testsupport::makeWritable(HistoryFileName);
        lock.reset();
        if (disk)
            disk->makeRoom();
        const AttemptId id = history.record(newPracticeAttempt());
        QCOMPARE(layoutVersion(), std::int64_t(layout::CurrentVersion));
        showsFirstLayoutGroups(history, {id});
        showsFirstLayoutGroups(HistoryStore(), {id});
    }

    // A store that read the file as it was, while another program was writing it, can still
    // write it after another store has upgraded it meanwhile.
    void fileUpgradedMeanwhileByAnotherStore()
    {
        TempDirCwd dir;
        copyFirstLayoutFile();
        HistoryStore window;
        {
            const testsupport::OtherProgramLock writer(HistoryFileName, testsupport::OtherProgramLock::Holds::Writes);
            showsFirstLayoutGroups(window);
        }
        const AttemptId id = HistoryStore().record(newPracticeAttempt());
        QCOMPARE(layoutVersion(), std::int64_t(layout::CurrentVersion));
        showsFirstLayoutGroups(window, {id});
        window.clear();
        QVERIFY(window.attempts().empty());
        QCOMPARE(window.check(), QStringList());
    }

    // A file of a layout newer than the program knows is neither read nor written.
    void newerLayoutIsRefusedAndLeftAlone()
    {
        TempDirCwd dir;
        HistoryStore(HistoryFileName).record(newPracticeAttempt());
        testsupport::runKeyedSql(HistoryFileName, QStringLiteral("PRAGMA user_version = %1").arg(layout::CurrentVersion + 1).toUtf8().constData());
        const QByteArray before = fileBytes(HistoryFileName);

        HistoryStore history;
        const std::vector<std::function<void()>> uses = {
            [&] { history.attempts(); },
            [&] { history.exams(); },
            [&] { history.record(newPracticeAttempt()); },
            [&] { history.clear(); },
        };
        for (const auto& use : uses) {
            try {
                use();
                QFAIL("a file of a newer layout was used");
            } catch (const HistoryError& error) {
                QCOMPARE(error.reason(), HistoryError::Reason::NewerVersion);
                QVERIFY2(error.message().contains(HistoryFileName) &&
                             error.message().contains("written by a newer version of the program"),
                         qPrintable(error.message()));
                QVERIFY(!error.unreadable());  // never offered to be moved aside
            }
        }
        QCOMPARE(fileBytes(HistoryFileName), before);
    }
};

QTEST_GUILESS_MAIN(TestHistoryLayout)
#include "test_history_layout.moc"
