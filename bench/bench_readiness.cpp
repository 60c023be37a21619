// How well the readiness estimate and the review model predict, against simulated learners
// (SimulatedLearners.h) whose answers come from a model of their own, not from ours.
//
// Each learner works through a course of sessions on random days: practice exams A to G, random
// exams, reviews of the items last missed. Every few sessions, once the estimate has enough first
// answers, the learner sits an exam of the median practice exam's size drawn from the items not
// yet seen, in proportion to the sections: before it, estimateReadiness gives the chance of
// passing and the expected score; after it, the exam's answers join the history as first answers.
// Against it stand two baselines: the share of the last three practice exams passed, and the
// overall rate of right first answers put through the pass rule as a binomial.
//
// Every answer to an item seen before is predicted before it is given, by the memory model
// (MemoryState::recallAt after the item's earlier answers) and by the item's rate of right
// answers so far, (right + 1) / (answers + 2).
//
// Beside them, for scale, the Brier score of a predictor that knew the learner's abilities and
// the exam's items (from the simulation itself), on an average day and on the day itself.
//
// Prints a calibration table and ends with:
//   readiness: learners=<n> brier=<x> baseline_brier=<y> ece=<z> score_mae=<w>
//   review: logloss=<x> baseline_logloss=<y> answers=<n>

#include "SimulatedLearners.h"

#include "history/Readiness.h"
#include "history/Recall.h"
#include "results/Grading.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

using namespace simulated;

namespace {

constexpr int Learners = 2000;
constexpr std::uint64_t Seed = 20261211;
constexpr int Bins = 10;
constexpr double MsPerDay = 86'400'000.0;
constexpr std::int64_t CourseStart = 1'767'225'600'000;  // 1 Jan 2026, 00:00 UTC

// One sitting of an exam of new items: what was predicted before it and what came of it.
struct Sitting {
    double passChance = 0;
    double expectedScore = 0;
    double lastThreeBaseline = 0;
    double firstRateBaseline = 0;
    // What a predictor that knew the learner's abilities and the exam's items would say: on a day
    // of average form, and knowing the day's form too. No estimate from answers can do better.
    double knownAbility = 0;
    double knownAbilityAndForm = 0;
    bool passed = false;
    int shownScore = 0;
};

struct ReviewScore {
    double modelLoss = 0;
    double baselineLoss = 0;
    long answers = 0;

    void add(double modelChance, double baselineChance, bool right)
    {
        modelLoss += logLoss(modelChance, right);
        baselineLoss += logLoss(baselineChance, right);
        ++answers;
    }

    static double logLoss(double p, bool right)
    {
        // A prediction of exactly 0 or 1 that turns out wrong would cost without limit.
        p = std::clamp(p, 1e-6, 1 - 1e-6);
        return -std::log(right ? p : 1 - p);
    }
};

// The chance that answers, each right with its own chance, pass.
double passChanceOf(const std::vector<double>& chances)
{
    std::vector<double> count{1.0};  // count[c]: the chance of c right so far
    for (double p : chances) {
        std::vector<double> next(count.size() + 1, 0.0);
        for (std::size_t c = 0; c < count.size(); ++c) {
            next[c] += count[c] * (1 - p);
            next[c + 1] += count[c] * p;
        }
        count = std::move(next);
    }
    double pass = 0;
    for (std::size_t c = 0; c < count.size(); ++c)
        if (results::passes(int(c), int(chances.size())))
            pass += count[c];
    return pass;
}

// One learner's course, with the predictions made along it.
class Course {
public:
    Course(Random& random, const Bank& bank, const LearnerTraits& traits, std::vector<Sitting>& sittings,
           ReviewScore& review)
        : random_(random), bank_(bank), learner_(traits, bank), sittings_(sittings), review_(review),
          answers_(bank.items.size()), memory_(bank.items.size())
    {
        shape_.items = bank.examSize;
        shape_.sectionItems = bank.sectionItems;
    }

    void run()
    {
        const LearnerTraits& traits = learner_.traits();
        double day = 0;
        for (int k = 0; k < traits.sessions; ++k) {
            const double gap = k == 0 ? 1 : std::round(std::exponential_distribution<double>(1 / traits.meanGapDays)(random_));
            if (gap == 0)
                day += uniform(random_, 1, 3) / 24;  // later the same day
            else
                day = std::floor(day) + gap + uniform(random_, 8, 22) / 24;
            learner_.startSession(random_, day);
            at_ = CourseStart + std::int64_t(day * MsPerDay) + k;  // distinct even on one day
            if (k > 0 && k % traits.sittingEvery == 0 && sitNewExam())
                continue;
            practise(k);
        }
    }

private:
    // An ordinary session: a practice exam not yet taken, a random exam, a review of the items
    // last missed, or a practice exam taken again.
    void practise(int k)
    {
        std::vector<int> untaken;
        for (int e = 0; e < 7; ++e)
            if (!taken_[std::size_t(e)])
                untaken.push_back(e);
        const double pick = uniform(random_, 0, 1);
        if (k == 0 || (!untaken.empty() && pick < 0.45)) {
            const int e = untaken[std::size_t(uniformInt(random_, 0, int(untaken.size()) - 1))];
            takePracticeExam(e);
        } else if (pick < 0.65) {
            std::vector<int> all(bank_.items.size());
            for (std::size_t i = 0; i < all.size(); ++i)
                all[i] = int(i);
            std::shuffle(all.begin(), all.end(), random_);
            all.resize(std::size_t(uniformInt(random_, 20, 100)));
            answerExam(all);
        } else if (const std::vector<int> missed = lastMissed(); pick < 0.85 && !missed.empty()) {
            answerExam(missed);
        } else {
            std::vector<int> again;
            for (int e = 0; e < 7; ++e)
                if (taken_[std::size_t(e)])
                    again.push_back(e);
            takePracticeExam(again[std::size_t(uniformInt(random_, 0, int(again.size()) - 1))]);
        }
    }

    void takePracticeExam(int e)
    {
        const std::vector<int>& items = bank_.practiceExams[std::size_t(e)];
        taken_[std::size_t(e)] = true;
        practicePassed_.push_back(results::passes(answerExam(items), int(items.size())));
    }

    // Up to 50 items whose latest answer was wrong.
    std::vector<int> lastMissed()
    {
        std::vector<int> missed;
        for (std::size_t i = 0; i < answers_.size(); ++i)
            if (!answers_[i].empty() && !answers_[i].back().correct)
                missed.push_back(int(i));
        std::shuffle(missed.begin(), missed.end(), random_);
        if (missed.size() > 50)
            missed.resize(50);
        return missed;
    }

    // The learner answers `items` in one attempt; returns how many were right. An item seen
    // before is predicted before it is answered.
    int answerExam(const std::vector<int>& items)
    {
        ++attempt_;
        int right = 0;
        for (int i : items) {
            std::vector<history::TimedAnswer>& earlier = answers_[std::size_t(i)];
            double recall = 0, itemRate = 0;
            if (!earlier.empty()) {
                long earlierRight = 0;
                for (const history::TimedAnswer& a : earlier)
                    earlierRight += a.correct;
                recall = memory_[std::size_t(i)].recallAt(at_);
                itemRate = (earlierRight + 1.0) / (double(earlier.size()) + 2);
            }
            const bool correct = learner_.answer(random_, i);
            if (!earlier.empty())
                review_.add(recall, itemRate, correct);
            earlier.push_back({at_, correct, attempt_});
            memory_[std::size_t(i)] = memory_[std::size_t(i)].after(at_, correct);
            right += correct;
        }
        return right;
    }

    // Sits an exam of new items when the estimate has enough first answers and the bank still
    // has enough unseen items in every section; otherwise returns false and nothing happens.
    bool sitNewExam()
    {
        std::vector<history::AnsweredItem> history;
        for (std::size_t i = 0; i < answers_.size(); ++i)
            if (!answers_[i].empty())
                history.push_back({std::int64_t(i), bank_.items[i].section, answers_[i]});
        const history::Readiness readiness = history::estimateReadiness(history, shape_);
        if (!readiness.enough)
            return false;
        const std::array<int, 4> perSection = shape_.itemsPerSection();
        std::array<std::vector<int>, 4> unseen;
        for (std::size_t i = 0; i < answers_.size(); ++i)
            if (answers_[i].empty())
                unseen[std::size_t(bank_.items[i].section - 1)].push_back(int(i));
        std::vector<int> exam;
        for (std::size_t s = 0; s < 4; ++s) {
            if (int(unseen[s].size()) < perSection[s])
                return false;
            std::shuffle(unseen[s].begin(), unseen[s].end(), random_);
            exam.insert(exam.end(), unseen[s].begin(), unseen[s].begin() + perSection[s]);
        }
        std::shuffle(exam.begin(), exam.end(), random_);

        Sitting sitting;
        sitting.passChance = readiness.passChance;
        sitting.expectedScore = readiness.score.expected;
        sitting.lastThreeBaseline = lastThreePassed();
        sitting.firstRateBaseline = passChanceOf(std::vector<double>(exam.size(), firstAnswerRate()));
        std::vector<double> averageDay, thisDay;
        for (int i : exam) {
            averageDay.push_back(learner_.rightChanceOnAverageDay(i));
            thisDay.push_back(learner_.rightChance(i));
        }
        sitting.knownAbility = passChanceOf(averageDay);
        sitting.knownAbilityAndForm = passChanceOf(thisDay);
        const int right = answerExam(exam);
        sitting.passed = results::passes(right, int(exam.size()));
        sitting.shownScore = results::shownScore(right, int(exam.size()));
        sittings_.push_back(sitting);
        return true;
    }

    // The share of the last three practice exams (A to G) that passed; the first session is one.
    double lastThreePassed() const
    {
        const std::size_t n = std::min<std::size_t>(3, practicePassed_.size());
        const long passed = std::count(practicePassed_.end() - long(n), practicePassed_.end(), true);
        return double(passed) / double(n);
    }

    double firstAnswerRate() const
    {
        long first = 0, right = 0;
        for (const std::vector<history::TimedAnswer>& a : answers_)
            if (!a.empty()) {
                ++first;
                right += a.front().correct;
            }
        return double(right) / double(first);
    }

    Random& random_;
    const Bank& bank_;
    Learner learner_;
    std::vector<Sitting>& sittings_;
    ReviewScore& review_;
    history::ExamShape shape_;
    std::vector<std::vector<history::TimedAnswer>> answers_;  // per item, oldest first
    std::vector<history::MemoryState> memory_;  // per item, after its answers so far
    std::array<bool, 7> taken_{};
    std::vector<bool> practicePassed_;
    std::int64_t attempt_ = 0;
    std::int64_t at_ = 0;
};

double brier(const std::vector<Sitting>& sittings, double Sitting::*prediction)
{
    double sum = 0;
    for (const Sitting& s : sittings) {
        const double miss = s.*prediction - (s.passed ? 1 : 0);
        sum += miss * miss;
    }
    return sum / double(sittings.size());
}

// Prints the calibration table; returns the count-weighted mean gap between the predicted and
// the observed share of passes over the bins.
double calibration(const std::vector<Sitting>& sittings)
{
    std::array<double, Bins> predicted{}, observed{};
    std::array<int, Bins> count{};
    for (const Sitting& s : sittings) {
        const std::size_t bin = std::min<std::size_t>(Bins - 1, std::size_t(s.passChance * Bins));
        predicted[bin] += s.passChance;
        observed[bin] += s.passed;
        ++count[bin];
    }
    std::printf("%-11s %9s %9s %7s\n", "bin", "predicted", "observed", "count");
    double ece = 0;
    for (std::size_t b = 0; b < Bins; ++b) {
        if (count[b] == 0) {
            std::printf("%.1f-%.1f     %9s %9s %7d\n", double(b) / Bins, double(b + 1) / Bins, "-", "-", 0);
            continue;
        }
        const double p = predicted[b] / count[b], o = observed[b] / count[b];
        std::printf("%.1f-%.1f     %9.3f %9.3f %7d\n", double(b) / Bins, double(b + 1) / Bins, p, o, count[b]);
        ece += count[b] * std::abs(p - o);
    }
    return ece / double(sittings.size());
}

}  // namespace

int main()
{
    Random random(Seed);
    const Bank bank = makeBank(random);
    std::vector<Sitting> sittings;
    ReviewScore review;
    for (int n = 0; n < Learners; ++n) {
        const LearnerTraits traits = drawLearner(random);
        Course(random, bank, traits, sittings, review).run();
    }

    double scoreError = 0, expectedSum = 0, shownSum = 0;
    long passed = 0;
    for (const Sitting& s : sittings) {
        scoreError += std::abs(s.expectedScore - s.shownScore);
        expectedSum += s.expectedScore;
        shownSum += s.shownScore;
        passed += s.passed;
    }
    const double count = double(sittings.size());
    std::printf("bank: %zu items, exams of %d new items; %zu sittings, %ld passed\n", bank.items.size(),
                bank.examSize, sittings.size(), passed);
    std::printf("score: expected mean=%.1f shown mean=%.1f\n\n", expectedSum / count, shownSum / count);
    const double ece = calibration(sittings);
    const double lastThree = brier(sittings, &Sitting::lastThreeBaseline);
    const double firstRate = brier(sittings, &Sitting::firstRateBaseline);
    std::printf("\nbaselines: last three practice exams brier=%.4f, rate of right first answers brier=%.4f\n",
                lastThree, firstRate);
    std::printf("reference: brier with the abilities known=%.4f, with the day's form known too=%.4f\n",
                brier(sittings, &Sitting::knownAbility), brier(sittings, &Sitting::knownAbilityAndForm));
    std::printf("readiness: learners=%d brier=%.4f baseline_brier=%.4f ece=%.4f score_mae=%.1f\n", Learners,
                brier(sittings, &Sitting::passChance), std::min(lastThree, firstRate), ece,
                scoreError / count);
    std::printf("review: logloss=%.4f baseline_logloss=%.4f answers=%ld\n", review.modelLoss / double(review.answers),
                review.baselineLoss / double(review.answers), review.answers);
    return 0;
}
