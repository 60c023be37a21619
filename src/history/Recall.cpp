#include "history/Recall.h"

#include <algorithm>
#include <cmath>

namespace history {

// The memory model is FSRS-4.5 ("Free Spaced Repetition Scheduler", J. Ye et al.; formulas and
// default weights as published in the open-spaced-repetition fsrs4anki wiki, "The Algorithm",
// section FSRS-4.5), with grades 1 (again) and 3 (good) only.
namespace {

constexpr double W[17] = {0.4872, 1.4003, 3.7145, 13.8206, 5.1618, 1.2298, 0.8975, 0.031, 1.6474,
                          0.1367, 1.0461, 2.1072, 0.0793, 0.3246, 1.587,  0.2272, 2.8755};
constexpr double Decay = -0.5;
constexpr double Factor = 19.0 / 81.0;  // makes recall 0.9 after `stability` days
constexpr double MsPerDay = 86'400'000.0;
constexpr int Again = 1;
constexpr int Good = 3;

double initialStability(int grade)
{
    return std::max(W[grade - 1], 0.1);
}

double initialDifficulty(int grade)
{
    return std::clamp(W[4] - W[5] * (grade - 3), 1.0, 10.0);
}

double nextDifficulty(double d, int grade)
{
    const double moved = d - W[6] * (grade - 3);
    // Mean reversion toward the difficulty of a first "good" answer.
    return std::clamp(W[7] * initialDifficulty(Good) + (1 - W[7]) * moved, 1.0, 10.0);
}

double stabilityAfterRecall(double d, double s, double r)
{
    return s * (std::exp(W[8]) * (11 - d) * std::pow(s, -W[9]) * (std::exp(W[10] * (1 - r)) - 1) + 1);
}

double stabilityAfterLapse(double d, double s, double r)
{
    const double lapsed = W[11] * std::pow(d, -W[12]) * (std::pow(s + 1, W[13]) - 1) * std::exp(W[14] * (1 - r));
    return std::clamp(lapsed, 0.1, s);
}

}  // namespace

double MemoryState::recallAt(std::int64_t at) const
{
    if (answers == 0)
        return 0;
    const double days = std::max(0.0, double(at - lastAt) / MsPerDay);
    return std::pow(1 + Factor * days / stability, Decay);
}

std::int64_t MemoryState::dueAt(double retention) const
{
    const double days = stability / Factor * (std::pow(retention, 1 / Decay) - 1);
    return lastAt + std::int64_t(days * MsPerDay);
}

MemoryState MemoryState::after(std::int64_t at, bool correct) const
{
    const int grade = correct ? Good : Again;
    MemoryState next = *this;
    next.lastAt = std::max(at, lastAt);
    next.lastCorrect = correct;
    ++next.answers;
    if (answers == 0) {
        next.stability = initialStability(grade);
        next.difficulty = initialDifficulty(grade);
        return next;
    }
    const double r = recallAt(at);
    next.difficulty = nextDifficulty(difficulty, grade);
    next.stability = correct ? stabilityAfterRecall(difficulty, stability, r) : stabilityAfterLapse(difficulty, stability, r);
    return next;
}

MemoryState memoryAfter(const std::vector<TimedAnswer>& answers)
{
    MemoryState state;
    for (const TimedAnswer& a : answers)
        state = state.after(a.at, a.correct);
    return state;
}

}  // namespace history
