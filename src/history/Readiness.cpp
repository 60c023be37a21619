#include "history/Readiness.h"

#include "results/Grading.h"

#include <QDateTime>

#include <algorithm>
#include <cmath>
#include <set>

namespace history {

namespace {

// How fast older first answers lose weight: an answer with this many first answers after it
// counts 1/e as much as the newest. Measured against the simulated learners of bench_readiness
// (docs/readiness.md): a longer memory lags behind a learner who improves.
constexpr double RecencyScale = 100;
// How many answers' worth the learner's overall rate weighs in each section's estimate.
constexpr double PriorStrength = 12;
// On the day of the exam the learner is not quite the learner of the answers counted: a good or
// bad day, and what was learnt or forgotten since. This spread of the log-odds of a right answer,
// shared by every section, widens the chance of passing; also measured with bench_readiness.
constexpr double DayShiftLogits = 0.3;
// Gauss-Hermite points and weights for averaging over a standard normal shift.
constexpr std::array<double, 5> ShiftPoints{-2.856970013872805, -1.355626179974266, 0, 1.355626179974266,
                                            2.856970013872805};
constexpr std::array<double, 5> ShiftWeights{0.011257411327721, 0.222075922005613, 0.533333333333333,
                                             0.222075922005613, 0.011257411327721};
// Up to this exam size the chance is worked out exactly; above it, a normal approximation.
constexpr int ExactUpTo = 600;
constexpr double LowQuantile = 0.1;
constexpr double HighQuantile = 0.9;

struct FirstAnswer {
    std::int64_t at = 0;
    std::int64_t attempt = 0;
    int section = 0;
    bool correct = false;
};

using Belief = RateBelief;

// The same certainty about a rate whose log-odds are `logits` higher.
Belief shifted(const Belief& b, double logits)
{
    if (logits == 0)
        return b;
    const double m = b.mean(), strength = b.alpha + b.beta;
    const double moved = 1 / (1 + std::exp(-(std::log(m / (1 - m)) + logits)));
    return {moved * strength, (1 - moved) * strength};
}

double logBeta(double a, double b)
{
    return std::lgamma(a) + std::lgamma(b) - std::lgamma(a + b);
}

// The quantiles LowQuantile and HighQuantile of a beta distribution, by its density on a grid.
std::pair<double, double> betaInterval(const Belief& b)
{
    constexpr int Steps = 2000;
    std::vector<double> density(Steps);
    double total = 0;
    for (int i = 0; i < Steps; ++i) {
        const double x = (i + 0.5) / Steps;
        density[std::size_t(i)] = std::exp((b.alpha - 1) * std::log(x) + (b.beta - 1) * std::log1p(-x) - logBeta(b.alpha, b.beta));
        total += density[std::size_t(i)];
    }
    double low = 0, high = 1, sum = 0;
    bool lowFound = false;
    for (int i = 0; i < Steps; ++i) {
        sum += density[std::size_t(i)] / total;
        if (!lowFound && sum >= LowQuantile) {
            low = (i + 0.5) / Steps;
            lowFound = true;
        }
        if (sum >= HighQuantile) {
            high = (i + 0.5) / Steps;
            break;
        }
    }
    return {low, high};
}

// The chance of k right answers of n new items, each right with a rate drawn from `b`.
std::vector<double> betaBinomial(int n, const Belief& b)
{
    std::vector<double> p(std::size_t(n) + 1);
    const double norm = logBeta(b.alpha, b.beta);
    for (int k = 0; k <= n; ++k) {
        const double choose = std::lgamma(n + 1.0) - std::lgamma(k + 1.0) - std::lgamma(n - k + 1.0);
        p[std::size_t(k)] = std::exp(choose + logBeta(k + b.alpha, n - k + b.beta) - norm);
    }
    return p;
}

std::vector<double> convolve(const std::vector<double>& a, const std::vector<double>& b)
{
    std::vector<double> c(a.size() + b.size() - 1, 0.0);
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t j = 0; j < b.size(); ++j)
            c[i + j] += a[i] * b[j];
    return c;
}

double normalCdf(double z)
{
    return 0.5 * std::erfc(-z / std::sqrt(2.0));
}

}  // namespace

ExamOutcome examOutcome(const std::array<int, 4>& perSection, const std::array<RateBelief, 4>& beliefs,
                        double dayShiftLogits)
{
    ExamOutcome r;
    int n = 0;
    for (int count : perSection)
        n += count;
    if (n <= ExactUpTo) {
        // The count of right answers, averaged over the day's shift (one point when there is none).
        std::vector<double> total(std::size_t(n) + 1, 0.0);
        for (std::size_t j = 0; j < ShiftPoints.size(); ++j) {
            if (dayShiftLogits == 0 && ShiftPoints[j] != 0)
                continue;
            std::vector<double> count{1.0};
            for (std::size_t s = 0; s < 4; ++s)
                if (perSection[s] > 0)
                    count = convolve(count, betaBinomial(perSection[s], shifted(beliefs[s], dayShiftLogits * ShiftPoints[j])));
            for (std::size_t c = 0; c < total.size(); ++c)
                total[c] += ShiftWeights[j] * count[c];
        }
        double sum = 0, pass = 0, expected = 0, cumulative = 0;
        for (double p : total)
            sum += p;
        bool lowFound = false, highFound = false;
        for (int c = 0; c <= n; ++c) {
            const double p = total[std::size_t(c)] / sum;
            if (results::passes(c, n))
                pass += p;
            const int shown = results::shownScore(c, n);
            expected += p * shown;
            cumulative += p;
            if (!lowFound && cumulative >= LowQuantile) {
                r.score.low = shown;
                lowFound = true;
            }
            if (!highFound && cumulative >= HighQuantile) {
                r.score.high = shown;
                highFound = true;
            }
        }
        r.passChance = std::clamp(pass, 0.0, 1.0);
        r.score.expected = expected;
        return r;
    }
    // Each section's count of right answers is beta-binomial; their sum is close to normal. The
    // day's shift moves every section together: its variance is that of the count's slope.
    double mean = 0, variance = 0, slope = 0;
    for (std::size_t s = 0; s < 4; ++s) {
        const double m = perSection[s], mu = beliefs[s].mean(), ab = beliefs[s].alpha + beliefs[s].beta;
        mean += m * mu;
        variance += m * mu * (1 - mu) * (ab + m) / (ab + 1);
        slope += m * mu * (1 - mu);
    }
    variance += (dayShiftLogits * slope) * (dayShiftLogits * slope);
    const double sd = std::sqrt(std::max(variance, 1e-9));
    // The fewest right answers that pass, in whole numbers as grading decides it.
    int needed = int((std::int64_t(results::PassingScore) * n + results::ScoreScale - 1) / results::ScoreScale);
    r.passChance = 1 - normalCdf((needed - 0.5 - mean) / sd);
    const double z = 1.2815515655446004;  // the normal's 90 % quantile
    auto scoreAt = [&](double c) { return std::clamp(1000.0 * c / n, 0.0, 1000.0); };
    r.score.expected = scoreAt(mean);
    r.score.low = std::round(scoreAt(mean - z * sd));
    r.score.high = std::round(scoreAt(mean + z * sd));
    return r;
}

std::array<int, 4> ExamShape::itemsPerSection() const
{
    std::array<int, 4> counts{};
    const int bank = bankItems();
    if (bank <= 0 || items <= 0)
        return counts;
    // Largest remainders, ties to the lower section.
    std::array<std::int64_t, 4> remainders{};
    int given = 0;
    for (std::size_t s = 0; s < 4; ++s) {
        counts[s] = int(std::int64_t(items) * sectionItems[s] / bank);
        remainders[s] = std::int64_t(items) * sectionItems[s] % bank;
        given += counts[s];
    }
    while (given < items) {
        std::size_t best = 0;
        for (std::size_t s = 1; s < 4; ++s)
            if (remainders[s] > remainders[best])
                best = s;
        ++counts[best];
        remainders[best] = -1;
        ++given;
    }
    return counts;
}

Readiness estimateReadiness(const std::vector<AnsweredItem>& items, const ExamShape& shape)
{
    Readiness r;
    std::vector<FirstAnswer> firsts;
    firsts.reserve(items.size());
    for (const AnsweredItem& item : items)
        if (!item.answers.empty() && item.section >= 1 && item.section <= 4)
            firsts.push_back({item.answers.front().at, item.answers.front().attempt, item.section,
                              item.answers.front().correct});
    std::sort(firsts.begin(), firsts.end(), [](const FirstAnswer& a, const FirstAnswer& b) {
        return a.at != b.at ? a.at < b.at : a.attempt < b.attempt;
    });
    r.firstAnswers = int(firsts.size());
    std::set<std::int64_t> attempts;
    for (const FirstAnswer& f : firsts)
        attempts.insert(f.attempt);
    r.exams = int(attempts.size());
    if (!firsts.empty()) {
        r.firstAt = firsts.front().at;
        r.lastAt = firsts.back().at;
    }
    r.nothingNew = shape.bankItems() > 0 && r.firstAnswers >= shape.bankItems();

    const std::array<int, 4> perSection = shape.itemsPerSection();
    std::array<int, 4> answered{};
    for (const FirstAnswer& f : firsts)
        ++answered[std::size_t(f.section - 1)];
    // A bank smaller than the minimums asks for all of its items instead.
    int sectionShortfall = 0;
    for (std::size_t s = 0; s < 4; ++s)
        if (perSection[s] > 0)
            sectionShortfall += std::max(0, std::min(SectionMinimum, shape.sectionItems[s]) - answered[s]);
    const int minimum = std::min(ReadinessMinimum, std::max(shape.bankItems(), 1));
    const int more = std::max(minimum - r.firstAnswers, sectionShortfall);
    r.needed = r.firstAnswers + more;
    r.enough = more == 0 && shape.items > 0;
    if (!r.enough)
        return r;

    // Weights: an answer loses weight with every first answer given after its attempt.
    std::array<double, 4> right{}, wrong{};
    double allRight = 0, allWrong = 0;
    std::size_t later = firsts.size();
    for (std::size_t i = firsts.size(); i-- > 0;) {
        if (i + 1 < firsts.size() && firsts[i].at != firsts[i + 1].at)
            later = i + 1;
        const double w = std::exp(-double(firsts.size() - later) / RecencyScale);
        const std::size_t s = std::size_t(firsts[i].section - 1);
        (firsts[i].correct ? right[s] : wrong[s]) += w;
        (firsts[i].correct ? allRight : allWrong) += w;
    }
    const double overall = (allRight + 1) / (allRight + allWrong + 2);
    std::array<Belief, 4> beliefs;
    for (std::size_t s = 0; s < 4; ++s)
        beliefs[s] = {PriorStrength * overall + right[s], PriorStrength * (1 - overall) + wrong[s]};

    const ExamOutcome outcome = examOutcome(perSection, beliefs, DayShiftLogits);
    r.passChance = outcome.passChance;
    r.score = outcome.score;
    double weakest = 2, strongest = -1;
    for (std::size_t s = 0; s < 4; ++s) {
        if (perSection[s] == 0)
            continue;
        const auto [low, high] = betaInterval(beliefs[s]);
        r.sections.push_back({int(s) + 1, {100 * beliefs[s].mean(), 100 * low, 100 * high}, answered[s]});
        strongest = std::max(strongest, beliefs[s].mean());
        if (beliefs[s].mean() < weakest) {
            weakest = beliefs[s].mean();
            r.weakestSection = int(s) + 1;
        }
    }
    // Sections within a percentage point of each other have no weakest.
    if (strongest - weakest < 0.01)
        r.weakestSection = 0;
    return r;
}

QString dayText(const QDate& day)
{
    return day.toString(QStringLiteral("d MMM yyyy"));
}

QString readinessWords(const Readiness& r)
{
    if (!r.enough) {
        const int more = r.needed - r.firstAnswers;
        return QStringLiteral("Answer %1 more new question%2 (at least %3 in each section) for an estimate. Only "
                              "first answers count, since you may remember questions you have seen before.")
            .arg(more)
            .arg(more == 1 ? "" : "s")
            .arg(SectionMinimum);
    }
    const QDate first = QDateTime::fromMSecsSinceEpoch(r.firstAt).toLocalTime().date();
    const QDate last = QDateTime::fromMSecsSinceEpoch(r.lastAt).toLocalTime().date();
    const qint64 days = first.daysTo(last) + 1;
    const QString span = days <= 1 ? QStringLiteral("on one day") : QStringLiteral("over %1 days").arg(days);
    QString words = QStringLiteral("From your first answers to %1 questions in %2 exam%3 %4. Newer answers count "
                                   "more. Questions you have answered before are not counted here, since you may "
                                   "remember them.")
                        .arg(r.firstAnswers)
                        .arg(r.exams)
                        .arg(r.exams == 1 ? "" : "s")
                        .arg(span);
    if (r.nothingNew)
        words += QStringLiteral(" You have seen every question in the bank, so this rests on your first answers "
                                "up to %1.")
                     .arg(dayText(last));
    return words;
}

}  // namespace history
