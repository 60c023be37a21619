// qbank readiness: the estimate and the review schedule read from a real study history against a
// real bank, through the built tool.

#include "history/Fingerprint.h"
#include "history/HistoryStore.h"
#include "store/StandaloneTable.h"
#include "support/Fixtures.h"
#include "support/GradedAttempt.h"
#include "support/QbankRun.h"
#include "support/TempDir.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace testsupport;

namespace {

const QString Bank = QStringLiteral("bank.DAT");
const QString History = QStringLiteral("history.DAT");

// 200 asked items, four practice exams of 50 (items 1..200, sections in turn) and ten retired
// ones in exam 0.
void makeTheBank()
{
    makeBank(Bank, 210, [](int k) { return k > 200 ? 0 : 1 + (k - 1) / 50; }, [](int k) { return 1 + k % 4; });
}

// Records attempt `n`, graded at `gradedAt`, answering the bank items `first`..`last`: every
// fifth one wrong, the others right.
void recordAnswers(int n, int first, int last, const QDateTime& gradedAt)
{
    store::StandaloneTable bank(Bank);
    bank.table.open();
    std::vector<history::ItemResult> items;
    for (int k = first; k <= last; ++k) {
        QVERIFY(bank.table.findKey(k));
        history::ItemResult item;
        item.sourceId = k;
        item.fingerprint = history::fingerprintOfRecord(bank.table);
        item.section = bank.table.asInteger("Q_SECT");
        item.question = bank.table.asString("Q_TEXT");
        item.answered = true;
        item.correct = k % 5 != 0;
        items.push_back(item);
    }
    history::HistoryStore(History).record(gradedAttempt(n, items, gradedAt, QStringLiteral("Practice Exam %1").arg(n)));
}

// Three exams of 50 items on the three days before today.
void recordThreeExams()
{
    const QDate today = QDate::currentDate();
    for (int n = 1; n <= 3; ++n)
        recordAnswers(n, 50 * n - 49, 50 * n, QDateTime(today.addDays(n - 4), QTime(10, 0)));
}

QStringList linesOf(const QString& text)
{
    return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// The number after "name=" in `line`; -1 when the line has none.
double valueIn(const QString& line, const QString& name)
{
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("\\b%1=([0-9.]+)").arg(name)).match(line);
    return m.hasMatch() ? m.captured(1).toDouble() : -1;
}

// The lines of a run that should succeed; of a run that fails, one line saying how, which no
// expected line matches.
QStringList readiness(const QStringList& options = {})
{
    const QbankRun run = qbank(QStringList{"readiness", History, Bank} + options);
    if (run.exitCode != 0 || !run.err.isEmpty())
        return {QStringLiteral("exit code %1: %2").arg(run.exitCode).arg(run.err)};
    return linesOf(run.out);
}

}  // namespace

class TestQbankReadiness : public QObject {
    Q_OBJECT

private slots:
    // With enough first answers: the figure, a line per section, the items due and the words,
    // in that order, with figures that fit four in five right answers.
    void figureFromEnoughFirstAnswers()
    {
        TempDirCwd dir;
        makeTheBank();
        recordThreeExams();
        const QStringList lines = readiness();
        QCOMPARE(lines.size(), 7);
        const QStringList forms = {
            "^readiness: pass_chance=[01]\\.\\d\\d expected_score=\\d+ low=\\d+ high=\\d+ first_answers=150 exams=3$",
            "^section 1: expected_pct=\\d+ low=\\d+ high=\\d+ first_answers=\\d+$",
            "^section 2: ", "^section 3: ", "^section 4: ",
            "^due: today=\\d+ next=(\\d{4}-\\d\\d-\\d\\d|none)$",
            "^words: From your first answers to 150 questions in 3 exams over 3 days\\.",
        };
        for (int i = 0; i < forms.size(); ++i)
            QVERIFY2(QRegularExpression(forms[i]).match(lines[i]).hasMatch(), qPrintable(lines[i]));

        const QString& figure = lines[0];
        QVERIFY2(valueIn(figure, "low") <= valueIn(figure, "expected_score") &&
                     valueIn(figure, "expected_score") <= valueIn(figure, "high"),
                 qPrintable(figure));
        QVERIFY2(valueIn(figure, "expected_score") > 750 && valueIn(figure, "expected_score") < 850, qPrintable(figure));
        // 850 passes: at about 800 expected, passing is possible but less likely than not.
        QVERIFY2(valueIn(figure, "pass_chance") > 0 && valueIn(figure, "pass_chance") < 0.5, qPrintable(figure));
        int sectionAnswers = 0;
        for (int s = 1; s <= 4; ++s) {
            const QString& line = lines[s];
            QVERIFY2(valueIn(line, "low") <= valueIn(line, "expected_pct") &&
                         valueIn(line, "expected_pct") <= valueIn(line, "high") && valueIn(line, "expected_pct") > 70 &&
                         valueIn(line, "expected_pct") < 90,
                     qPrintable(line));
            sectionAnswers += int(valueIn(line, "first_answers"));
        }
        QCOMPARE(sectionAnswers, 150);
        // Every wrong answer is due again at once.
        QVERIFY2(valueIn(lines[5], "today") >= 30, qPrintable(lines[5]));
    }

    void notEnoughData_data()
    {
        QTest::addColumn<int>("answered");
        QTest::addColumn<QStringList>("expected");
        const QString words = "words: Answer %1 more new questions (at least 10 in each section)";
        QTest::newRow("no history file")
            << 0 << QStringList{"readiness: not_enough_data first_answers=0 needed=100", "due: today=0 next=none", words.arg(100)};
        QTest::newRow("40 first answers")
            << 40 << QStringList{"readiness: not_enough_data first_answers=40 needed=100", "due: today=", words.arg(60)};
    }
    // No figure and no section lines, but the items due and what is missing.
    void notEnoughData()
    {
        QFETCH(int, answered);
        QFETCH(QStringList, expected);
        TempDirCwd dir;
        makeTheBank();
        if (answered > 0)
            recordAnswers(1, 1, answered, QDateTime::currentDateTime().addDays(-1));
        const QStringList lines = readiness();
        QCOMPARE(lines.size(), expected.size());
        for (int i = 0; i < lines.size(); ++i)
            QVERIFY2(lines[i].startsWith(expected[i]), qPrintable(lines[i]));
        // Reading a missing history makes no file.
        QCOMPARE(QFile::exists(History), answered > 0);
    }

    // --at counts the attempts graded up to the end of that day, and none after.
    void atLeavesOutLaterAttempts()
    {
        TempDirCwd dir;
        makeTheBank();
        const QDate day(2026, 3, 10);
        recordAnswers(1, 1, 50, QDateTime(day, QTime(9, 0)));
        recordAnswers(2, 51, 100, QDateTime(day.addDays(1), QTime(23, 59, 59)));
        recordAnswers(3, 101, 150, QDateTime(day.addDays(2), QTime(0, 0, 1)));
        QCOMPARE(readiness({"--at", "2026-03-09"}).first(), "readiness: not_enough_data first_answers=0 needed=100");
        QCOMPARE(readiness({"--at", "2026-03-10"}).first(), "readiness: not_enough_data first_answers=50 needed=100");
        QVERIFY(readiness({"--at", "2026-03-11"}).first().endsWith(" first_answers=100 exams=2"));
        QVERIFY(readiness({"--at", "2026-03-12"}).first().endsWith(" first_answers=150 exams=3"));
        // At the end of the 10th only the ten wrong answers of that morning are due.
        const QString due = readiness({"--at", "2026-03-10"}).value(1);
        QVERIFY2(due.startsWith("due: today=10 next=2026-03-"), qPrintable(due));
        QVERIFY2(QDate::fromString(due.section('=', 2), Qt::ISODate) > day, qPrintable(due));
    }

    // The exam's size changes what is expected: one item scores 0 or 1000, many narrow the range.
    void itemsSetsTheExamSize()
    {
        TempDirCwd dir;
        makeTheBank();
        recordThreeExams();
        const QString one = readiness({"--items", "1"}).first();
        QCOMPARE(valueIn(one, "low"), 0.0);
        QCOMPARE(valueIn(one, "high"), 1000.0);
        const QString usual = readiness().first();
        const QString all = readiness({"--items", "200"}).first();
        QVERIFY2(valueIn(all, "high") - valueIn(all, "low") < valueIn(usual, "high") - valueIn(usual, "low"),
                 qPrintable(usual + "\n" + all));
        QVERIFY2(valueIn(all, "pass_chance") < valueIn(usual, "pass_chance"), qPrintable(usual + "\n" + all));
        QCOMPARE(readiness({"--items", "50"}), readiness());
    }

    void wrongUse_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("says");
        const QString at = "--at must be a day as YYYY-MM-DD, not \"%1\"";
        const QString items = "--items must be a number from 1 to 200 (the bank's items outside exam 0), not \"%1\"";
        QTest::newRow("no such month") << QStringList{"--at", "2026-13-01"} << at.arg("2026-13-01");
        QTest::newRow("no such day") << QStringList{"--at", "2026-02-29"} << at.arg("2026-02-29");
        QTest::newRow("another form of day") << QStringList{"--at", "10.03.2026"} << at.arg("10.03.2026");
        QTest::newRow("day with a time") << QStringList{"--at", "2026-03-10T12:00"} << at.arg("2026-03-10T12:00");
        QTest::newRow("no day") << QStringList{"--at"} << "--at needs a value";
        QTest::newRow("no items") << QStringList{"--items", "0"} << items.arg("0");
        QTest::newRow("the retired items too") << QStringList{"--items", "201"} << items.arg("201");
        QTest::newRow("not a number") << QStringList{"--items", "ten"} << items.arg("ten");
        QTest::newRow("a fraction") << QStringList{"--items", "1.5"} << items.arg("1.5");
        QTest::newRow("no size") << QStringList{"--items"} << "--items needs a value";
        QTest::newRow("one file too many") << QStringList{"other.DAT"} << "readiness needs: HISTORY BANK [--at YYYY-MM-DD] [--items N]";
    }
    void wrongUse()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, says);
        TempDirCwd dir;
        makeTheBank();
        const QbankRun run = qbank(QStringList{"readiness", History, Bank} + options);
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(linesOf(run.err).value(0), "qbank: " + says);
        QCOMPARE(run.out, QString());
    }

    void unreadableFile_data()
    {
        QTest::addColumn<QString>("history");
        QTest::addColumn<QString>("bank");
        QTest::addColumn<QString>("says");
        QTest::newRow("garbage history") << "garbage.DAT" << Bank << "garbage.DAT: the file is damaged";
        QTest::newRow("garbage bank") << History << "garbage.DAT" << "garbage.DAT";
        QTest::newRow("missing bank") << History << "none.DAT" << "none.DAT: file not found";
        QTest::newRow("user set for a bank") << History << "user.DAT" << "user.DAT: a user table, not a question bank";
    }
    // One line naming the file and what is wrong with it.
    void unreadableFile()
    {
        QFETCH(QString, history);
        QFETCH(QString, bank);
        QFETCH(QString, says);
        TempDirCwd dir;
        makeTheBank();
        recordThreeExams();
        makeTable("user.DAT", store::TableKind::User, {});
        QFile garbage("garbage.DAT");
        QVERIFY(garbage.open(QIODevice::WriteOnly));
        garbage.write(QByteArray(4096, 'x'));
        garbage.close();
        const QbankRun run = qbank({"readiness", history, bank});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(linesOf(run.err).size(), 1);
        QVERIFY2(run.err.contains(says), qPrintable(run.err));
        QCOMPARE(run.out, QString());
    }
};

QTEST_GUILESS_MAIN(TestQbankReadiness)
#include "test_qbank_readiness.moc"
