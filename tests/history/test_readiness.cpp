// The readiness estimate and the review schedule on small hand-made histories: the properties a
// learner relies on (more right answers never lower the chance, answers given again do not move
// it, no figure without enough data, more data a narrower interval, grading's pass rule at its
// boundary) and which questions fall due.

#include "history/Readiness.h"
#include "history/ReviewSchedule.h"

#include <QDateTime>
#include <QTest>

#include <cmath>

using namespace history;

namespace {

constexpr std::int64_t Hour = 3'600'000;
constexpr std::int64_t Day = 24 * Hour;
const std::int64_t Start = QDateTime(QDate(2026, 11, 2), QTime(9, 0)).toMSecsSinceEpoch();

// A bank of 400 items outside exam 0, 100 per section, whose practice exams ask 60.
ExamShape shape()
{
    return ExamShape{60, {100, 100, 100, 100}};
}

// `count` items answered once each, 30 to an attempt a day apart; item k is of section k % 4 + 1
// and answered right when `right(k)`.
std::vector<AnsweredItem> firstAnswers(int count, const std::function<bool(int)>& right)
{
    std::vector<AnsweredItem> items;
    for (int k = 0; k < count; ++k) {
        const int attempt = k / 30 + 1;
        items.push_back({k + 1, k % 4 + 1, {{Start + attempt * Day, right(k), attempt}}});
    }
    return items;
}

bool everyFifthWrong(int k)
{
    return k % 5 != 0;
}

double intervalWidth(const Readiness& r)
{
    return r.score.high - r.score.low;
}

}  // namespace

class TestReadiness : public QObject {
    Q_OBJECT

private slots:
    void moreRightFirstAnswersNeverLowerTheChance()
    {
        std::vector<AnsweredItem> items = firstAnswers(160, everyFifthWrong);
        const Readiness before = estimateReadiness(items, shape());
        QVERIFY(before.enough);
        // Each wrong answer made right in turn, the newest and the oldest, in every section.
        for (AnsweredItem& item : items) {
            if (item.answers.front().correct)
                continue;
            item.answers.front().correct = true;
            const Readiness after = estimateReadiness(items, shape());
            QVERIFY2(after.passChance >= before.passChance - 1e-12,
                     qPrintable(QStringLiteral("item %1: %2 < %3").arg(item.bankId).arg(after.passChance).arg(before.passChance)));
            QVERIFY(after.score.expected >= before.score.expected - 1e-9);
            item.answers.front().correct = false;
        }
    }

    void answersGivenAgainDoNotMoveTheHeadline()
    {
        std::vector<AnsweredItem> items = firstAnswers(160, everyFifthWrong);
        const Readiness before = estimateReadiness(items, shape());
        // Every item asked again a week later: the wrong ones now right, the right ones wrong.
        for (AnsweredItem& item : items)
            item.answers.push_back({item.answers.front().at + 7 * Day, !item.answers.front().correct, 99});
        const Readiness after = estimateReadiness(items, shape());
        QCOMPARE(after.passChance, before.passChance);
        QCOMPARE(after.score.expected, before.score.expected);
        QCOMPARE(after.firstAnswers, 160);
        QCOMPARE(after.exams, before.exams);
    }

    void notEnoughDataGivesNoFigure_data()
    {
        QTest::addColumn<int>("answered");
        QTest::addColumn<int>("sectionFourAnswers");  // -1: as they fall
        QTest::addColumn<bool>("enough");
        QTest::addColumn<int>("needed");
        QTest::newRow("none") << 0 << -1 << false << 100;
        QTest::newRow("99") << 99 << -1 << false << 100;
        QTest::newRow("100") << 100 << -1 << true << 100;
        QTest::newRow("one section short") << 120 << 7 << false << 123;
        QTest::newRow("a bank of 60 items, all answered") << 60 << -1 << true << 60;
    }
    void notEnoughDataGivesNoFigure()
    {
        QFETCH(int, answered);
        QFETCH(int, sectionFourAnswers);
        QFETCH(bool, enough);
        QFETCH(int, needed);
        std::vector<AnsweredItem> items = firstAnswers(answered, everyFifthWrong);
        if (sectionFourAnswers >= 0) {
            int kept = 0;
            for (AnsweredItem& item : items)
                if (item.section == 4 && kept++ >= sectionFourAnswers)
                    item.section = 1;
        }
        const ExamShape bank = answered == 60 ? ExamShape{60, {15, 15, 15, 15}} : shape();
        const Readiness r = estimateReadiness(items, bank);
        QCOMPARE(r.enough, enough);
        QCOMPARE(r.needed, needed);
        if (!enough) {
            QCOMPARE(r.passChance, 0.0);
            QVERIFY(r.sections.empty());
            QVERIFY(readinessWords(r).startsWith("Answer "));
            QVERIFY(readinessWords(r).contains(QStringLiteral(" %1 more new question").arg(needed - answered)));
        }
    }

    void moreDataNarrowsTheInterval()
    {
        // Older answers fade, so 300 more narrow the interval by less than one item of a 60-item
        // exam; over the whole bank a step is 2.5 points and the narrowing shows.
        const ExamShape wholeBank{400, {100, 100, 100, 100}};
        const Readiness few = estimateReadiness(firstAnswers(100, everyFifthWrong), wholeBank);
        const Readiness many = estimateReadiness(firstAnswers(400, everyFifthWrong), wholeBank);
        QVERIFY(few.enough && many.enough);
        QVERIFY2(intervalWidth(many) < intervalWidth(few),
                 qPrintable(QStringLiteral("%1 vs %2").arg(intervalWidth(many)).arg(intervalWidth(few))));
        for (std::size_t s = 0; s < 4; ++s) {
            const Range& a = many.sections[s].percent;
            const Range& b = few.sections[s].percent;
            QVERIFY(a.high - a.low < b.high - b.low);
            QVERIFY(a.low <= a.expected && a.expected <= a.high);
        }
        QVERIFY(few.score.low <= few.score.expected && few.score.expected <= few.score.high);
    }

    // A learner whose rate is known to be 0.85 sits exams of 20 and 21 items: with 17 of 20 right
    // the score is exactly 850 and passes; 21 items need 18 (17 of 21 is 809.5).
    void passRuleHoldsAtItsBoundary_data()
    {
        QTest::addColumn<int>("items");
        QTest::addColumn<int>("fewestPassing");
        QTest::newRow("20 items") << 20 << 17;
        QTest::newRow("21 items") << 21 << 18;
        QTest::newRow("40 items") << 40 << 34;
        QTest::newRow("1000 items") << 1000 << 850;
    }
    void passRuleHoldsAtItsBoundary()
    {
        QFETCH(int, items);
        QFETCH(int, fewestPassing);
        const double rate = 0.85;
        const RateBelief known{rate * 1e9, (1 - rate) * 1e9};
        const ExamOutcome outcome = examOutcome({items, 0, 0, 0}, {known, known, known, known});
        double binomial = 0;
        for (int c = fewestPassing; c <= items; ++c)
            binomial += std::exp(std::lgamma(items + 1.0) - std::lgamma(c + 1.0) - std::lgamma(items - c + 1.0) +
                                 c * std::log(rate) + (items - c) * std::log1p(-rate));
        QVERIFY2(std::abs(outcome.passChance - binomial) < (items > 600 ? 0.02 : 1e-6),
                 qPrintable(QStringLiteral("%1 vs %2").arg(outcome.passChance).arg(binomial)));
    }

    void examSharesFollowTheBank()
    {
        QCOMPARE((ExamShape{60, {100, 100, 100, 100}}.itemsPerSection()), (std::array<int, 4>{15, 15, 15, 15}));
        QCOMPARE((ExamShape{10, {1, 2, 3, 0}}.itemsPerSection()), (std::array<int, 4>{2, 3, 5, 0}));
        QCOMPARE((ExamShape{7, {0, 0, 0, 0}}.itemsPerSection()), (std::array<int, 4>{0, 0, 0, 0}));
        // A section the exam does not draw from needs no answers.
        std::vector<AnsweredItem> items = firstAnswers(140, everyFifthWrong);
        std::erase_if(items, [](const AnsweredItem& i) { return i.section == 4; });
        const Readiness r = estimateReadiness(items, ExamShape{60, {100, 100, 100, 0}});
        QVERIFY(r.enough);
        QCOMPARE(r.sections.size(), std::size_t(3));
    }

    void weakestSectionAndPlainWords()
    {
        // Section 3 right half the time, the others always.
        const Readiness r = estimateReadiness(firstAnswers(200, [](int k) { return k % 4 != 2 || k % 8 == 2; }), shape());
        QCOMPARE(r.weakestSection, 3);
        QVERIFY(r.sections[2].percent.expected < r.sections[0].percent.expected);
        QCOMPARE(r.exams, 7);
        const QString words = readinessWords(r);
        QVERIFY2(words.startsWith("From your first answers to 200 questions in 7 exams over 7 days. Newer answers "
                                  "count more."),
                 qPrintable(words));
        QVERIFY(!words.contains("every question in the bank"));
        // Every item of a small bank seen: the estimate says what it rests on.
        const Readiness all = estimateReadiness(firstAnswers(200, everyFifthWrong), ExamShape{60, {50, 50, 50, 50}});
        QVERIFY(all.nothingNew);
        QVERIFY(readinessWords(all).contains("You have seen every question in the bank, so this rests on your first "
                                             "answers up to "));
    }

    void spacedRightAnswersStrengthenMemoryAndAWrongOneWeakensIt()
    {
        MemoryState memory;
        double stability = 0;
        for (int day : {0, 3, 12, 40}) {
            memory = memory.after(Start + day * Day, true);
            QVERIFY2(memory.stability > stability, qPrintable(QString::number(memory.stability)));
            stability = memory.stability;
            QCOMPARE(memory.recallAt(memory.lastAt), 1.0);
            // Recall falls to 0.9 after `stability` days, and keeps falling.
            QVERIFY(std::abs(memory.recallAt(memory.lastAt + std::int64_t(stability * Day)) - ReviewRetention) < 1e-3);
            QVERIFY(std::abs(double(memory.dueAt(ReviewRetention) - memory.lastAt) / Day - stability) < 1e-3);
        }
        const MemoryState lapsed = memory.after(Start + 100 * Day, false);
        QVERIFY(lapsed.stability < memory.stability);
        QVERIFY(lapsed.difficulty > memory.difficulty);
        QVERIFY(memoryAfter({{Start, false}}).stability < memoryAfter({{Start, true}}).stability);
    }

    void dueItemsAreTheForgottenAndTheMissedLowestRecallFirst()
    {
        const std::int64_t now = Start + 60 * Day;
        const std::vector<AnsweredItem> items = {
            {1, 1, {{now - Hour, true}}},                          // just answered right: not due
            {2, 2, {{Start, true}}},                               // right once, two months ago
            {3, 3, {{Start, true}, {now - Hour, false}}},          // latest answer wrong
            {4, 4, {{now - 2 * Day, true}}},                       // right two days ago
            {5, 1, {{Start, true}, {Start + 20 * Day, true}}},     // right twice, spaced
        };
        const ReviewSchedule today = reviewSchedule(items, now, 10);
        QCOMPARE(today.dueToday, 2);
        QCOMPARE(today.due.size(), std::size_t(2));
        QCOMPARE(today.due[0].bankId, std::int64_t(3));  // a wrong latest answer comes first
        QCOMPARE(today.due[1].bankId, std::int64_t(2));
        QVERIFY(today.due[1].recall < ReviewRetention);
        QCOMPARE(today.perDay, 0);
        // The next to fall due is item 4 or 1 (answered last), never one of those due now.
        QVERIFY(today.nextDueAt > now);

        // At most `limit` are listed; all due are counted.
        const ReviewSchedule limited = reviewSchedule(items, now, 1);
        QCOMPARE(limited.due.size(), std::size_t(1));
        QCOMPARE(limited.dueToday, 2);

        // An exam in ten days brings forward what would be forgotten by then.
        const ReviewSchedule planned = reviewSchedule(items, now, 10, now + 10 * Day);
        QCOMPARE(planned.dueToday, today.dueToday);
        QVERIFY(planned.dueBeforeExam > today.dueToday);
        QCOMPARE(int(planned.due.size()), planned.dueBeforeExam);
        QCOMPARE(planned.perDay, int(std::ceil(planned.dueBeforeExam / 10.0)));
    }

    void nothingDueSaysWhenTheNextFallDue()
    {
        const std::int64_t answered = QDateTime(QDate(2026, 12, 10), QTime(18, 0)).toMSecsSinceEpoch();
        const std::vector<AnsweredItem> items = {{1, 1, {{answered, true}}}};
        const ReviewSchedule schedule = reviewSchedule(items, answered + Hour, 10);
        QCOMPARE(schedule.dueToday, 0);
        // A first right answer holds for about 3.7 days: due on the 14th.
        QCOMPARE(nothingDueText(schedule, true),
                 QStringLiteral("Nothing is due for review today. The next questions fall due on 14 Dec 2026."));
        QCOMPARE(nothingDueText(reviewSchedule({}, answered, 10), false),
                 QStringLiteral("Nothing to review yet: take a practice exam first."));
    }
};

QTEST_GUILESS_MAIN(TestReadiness)
#include "test_readiness.moc"
