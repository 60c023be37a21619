#pragma once
// How well a learner still remembers an item they have answered: a memory state per item
// (stability in days and difficulty) updated by each answer, and the chance of recall it gives
// at a later time. A right answer counts as a "good" review, a wrong or missing one as "again".

#include <cstdint>
#include <vector>

namespace history {

// One answer to an item: when (ms since the epoch) and whether it was right.
struct TimedAnswer {
    std::int64_t at = 0;
    bool correct = false;
    std::int64_t attempt = 0;  // the attempt that gave it
};

struct MemoryState {
    double stability = 0;   // days until recall falls to 90 %
    double difficulty = 0;  // 1 (easy) to 10 (hard)
    std::int64_t lastAt = 0;
    bool lastCorrect = false;
    int answers = 0;  // 0: never answered, no state yet

    // The chance of recall at `at` (ms since the epoch); 1 at the last answer itself.
    double recallAt(std::int64_t at) const;
    // When the chance of recall falls to `retention` (ms since the epoch).
    std::int64_t dueAt(double retention) const;
    // The state after one more answer, given at `at` (not before lastAt).
    MemoryState after(std::int64_t at, bool correct) const;
};

// The state after `answers`, given in time order.
MemoryState memoryAfter(const std::vector<TimedAnswer>& answers);

// The recall below which an item falls due for review.
inline constexpr double ReviewRetention = 0.9;

}  // namespace history
