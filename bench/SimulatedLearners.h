#pragma once
// Simulated learners for bench_readiness: a bank of items with difficulties, and learners whose
// answers come from an ability per section (growing with practice and with reading the
// explanations, rusting when idle) and from a memory of each item seen, which fades with time.
// It is deliberately not the readiness estimate's model nor the memory model of Recall.h: the
// estimate has to cope with a learner it was not built from. Every constant is drawn per bank,
// item or learner from the range written beside it.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace simulated {

using Random = std::mt19937_64;

inline double uniform(Random& random, double low, double high)
{
    return std::uniform_real_distribution<double>(low, high)(random);
}

inline int uniformInt(Random& random, int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(random);
}

inline double normal(Random& random, double mean, double sd)
{
    return std::normal_distribution<double>(mean, sd)(random);
}

inline bool chance(Random& random, double p)
{
    return uniform(random, 0, 1) < p;
}

inline double sigmoid(double x)
{
    return 1 / (1 + std::exp(-x));
}

struct BankItem {
    int section = 1;       // 1..4
    int practiceExam = 0;  // 0..6 for practice exams A to G
    double difficulty = 0; // logits
    double guess = 0.25;   // the chance of guessing it right: 1 / its number of choices
};

struct Bank {
    std::vector<BankItem> items;
    std::array<std::vector<int>, 7> practiceExams;  // the item indices of A to G
    std::array<int, 4> sectionItems{};
    int examSize = 0;  // the median practice exam's size
};

// 700 items in sections of 280, 196, 133 and 91, spread at random over seven practice exams of
// 95 to 105 items. Section mean difficulties differ (-0.3 to +0.6 logits); within a section an
// item's difficulty is normal with a standard deviation of 1 logit. Items have 4 or 5 choices.
inline Bank makeBank(Random& random)
{
    Bank bank;
    bank.sectionItems = {280, 196, 133, 91};
    const std::array<double, 4> sectionDifficulty{-0.3, 0.0, 0.3, 0.6};
    for (int s = 0; s < 4; ++s)
        for (int k = 0; k < bank.sectionItems[std::size_t(s)]; ++k)
            bank.items.push_back({s + 1, 0, normal(random, sectionDifficulty[std::size_t(s)], 1.0),
                                  chance(random, 0.7) ? 0.25 : 0.2});
    std::vector<int> order(bank.items.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = int(i);
    std::shuffle(order.begin(), order.end(), random);
    const std::array<int, 7> sizes{96, 104, 100, 98, 102, 95, 105};
    std::size_t next = 0;
    for (std::size_t e = 0; e < 7; ++e)
        for (int k = 0; k < sizes[e]; ++k) {
            bank.items[std::size_t(order[next])].practiceExam = int(e);
            bank.practiceExams[e].push_back(order[next++]);
        }
    std::array<int, 7> sorted = sizes;
    std::sort(sorted.begin(), sorted.end());
    bank.examSize = sorted[3];
    return bank;
}

// What makes one learner: drawn once, fixed for the learner's whole course.
struct LearnerTraits {
    std::array<double, 4> startAbility{};  // logits: overall N(0.9, 0.8), each section N(0, 0.4) off it
    std::array<double, 4> ceiling{};       // what practice can reach: start + 0.5 to 3.0 logits
    double learnPerAnswer = 0;     // 0.0005 to 0.003 of the gap to the ceiling closed per answer
    double readsExplanations = 0;  // 0.2 to 0.9: the chance of studying a missed item's explanation
    double studyGain = 0;          // 0.002 to 0.01 of the gap closed per explanation studied
    double rustPerDay = 0;         // 0 to 0.01: per idle day, the share of the gain lost
    double formSd = 0;             // 0.1 to 0.35 logits: a session's good or bad day
    double memoryPeak = 0;         // 0.5 to 0.95: the chance of recalling a key just learnt
    double firstSpanDays = 0;      // 1 to 7 days: how long a newly learnt key lasts (1/e)
    double spanGrowth = 0;         // 1.5 to 3.5: the span's growth with each right answer
    double meanGapDays = 0;        // 0.5 to 4 days between sessions on average
    int sessions = 0;              // 12 to 40 sessions in the course
    int sittingEvery = 0;          // 3 to 6: a sitting of new items every so many sessions
};

inline LearnerTraits drawLearner(Random& random)
{
    LearnerTraits t;
    const double overall = normal(random, 0.9, 0.8);
    const double reach = uniform(random, 0.5, 3.0);
    for (std::size_t s = 0; s < 4; ++s) {
        t.startAbility[s] = overall + normal(random, 0, 0.4);
        t.ceiling[s] = t.startAbility[s] + reach + normal(random, 0, 0.3);
    }
    t.learnPerAnswer = uniform(random, 0.0005, 0.003);
    t.readsExplanations = uniform(random, 0.2, 0.9);
    t.studyGain = uniform(random, 0.002, 0.01);
    t.rustPerDay = uniform(random, 0, 0.01);
    t.formSd = uniform(random, 0.1, 0.35);
    t.memoryPeak = uniform(random, 0.5, 0.95);
    t.firstSpanDays = uniform(random, 1, 7);
    t.spanGrowth = uniform(random, 1.5, 3.5);
    t.meanGapDays = uniform(random, 0.5, 4);
    t.sessions = uniformInt(random, 12, 40);
    t.sittingEvery = uniformInt(random, 3, 6);
    return t;
}

// The learner's memory of one item's key: none until the key has been seen.
struct Trace {
    double spanDays = 0;  // 0: nothing remembered
    double lastDay = 0;
};

// A learner in the middle of the course: abilities now, and what they remember of each item.
class Learner {
public:
    Learner(const LearnerTraits& traits, const Bank& bank)
        : traits_(traits), bank_(bank), ability_(traits.startAbility), traces_(bank.items.size())
    {
    }

    // A new session begins on `day`: what the last one taught, rust since then, and the day's form.
    void startSession(Random& random, double day)
    {
        for (std::size_t s = 0; s < 4; ++s)
            ability_[s] += learnt_[s];
        learnt_ = {};
        const double idle = std::max(0.0, day - lastSessionDay_);
        const double kept = std::exp(-traits_.rustPerDay * idle);
        for (std::size_t s = 0; s < 4; ++s)
            ability_[s] = traits_.startAbility[s] + kept * (ability_[s] - traits_.startAbility[s]);
        form_ = normal(random, 0, traits_.formSd);
        lastSessionDay_ = day;
        day_ = day;
    }

    // The chance of a right answer to item `i` now: from memory of its key if any is left, else
    // from ability (with a guess).
    double rightChance(int i) const { return rightChance(i, form_); }
    // The same on a day of average form.
    double rightChanceOnAverageDay(int i) const { return rightChance(i, 0); }

    // Answers item `i`. What it teaches (the practice, the key shown when the exam is graded and
    // perhaps the explanation of a miss) counts from the next session on.
    bool answer(Random& random, int i)
    {
        const bool right = chance(random, rightChance(i));
        const std::size_t s = std::size_t(bank_.items[std::size_t(i)].section - 1);
        Trace& trace = traces_[std::size_t(i)];
        learnt_[s] += traits_.learnPerAnswer * (traits_.ceiling[s] - ability_[s] - learnt_[s]);
        if (right) {
            trace.spanDays = trace.spanDays > 0 ? trace.spanDays * traits_.spanGrowth : traits_.firstSpanDays;
        } else if (chance(random, traits_.readsExplanations)) {
            learnt_[s] += traits_.studyGain * (traits_.ceiling[s] - ability_[s] - learnt_[s]);
            trace.spanDays = traits_.firstSpanDays;  // the key learnt anew
        } else {
            trace.spanDays = 0;  // the miss leaves nothing to recall
        }
        trace.lastDay = day_;
        return right;
    }

    const LearnerTraits& traits() const { return traits_; }

private:
    double rightChance(int i, double form) const
    {
        const BankItem& item = bank_.items[std::size_t(i)];
        const double known = sigmoid(ability_[std::size_t(item.section - 1)] - item.difficulty + form);
        const double fromAbility = item.guess + (1 - item.guess) * known;
        const Trace& trace = traces_[std::size_t(i)];
        if (trace.spanDays <= 0)
            return fromAbility;
        const double recalled = traits_.memoryPeak * std::exp(-(day_ - trace.lastDay) / trace.spanDays);
        return recalled + (1 - recalled) * fromAbility;
    }

    const LearnerTraits& traits_;
    const Bank& bank_;
    std::array<double, 4> ability_;
    std::array<double, 4> learnt_{};  // this session's gain, not yet taken in
    std::vector<Trace> traces_;
    double form_ = 0;
    double day_ = 0;
    double lastSessionDay_ = 0;
};

}  // namespace simulated
