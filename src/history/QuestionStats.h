#pragma once
// The figures the history keeps per question (per item as it was asked): how often it was
// seen and missed, when it was last answered right, and its latest answer. One rule for
// adding an answer serves both the recording of a new attempt and the recount after a
// re-grading.

#include <cstdint>
#include <optional>

namespace history {

// The bits of an item's stored state.
inline constexpr std::int64_t AnsweredBit = 1;
inline constexpr std::int64_t CorrectBit = 2;
inline constexpr std::int64_t MarkedBit = 4;

struct QuestionStats {
    std::int64_t seen = 0;
    std::int64_t missed = 0;
    std::optional<std::int64_t> lastRightAt;  // ms since the epoch
    std::int64_t latestAt = 0;
    std::int64_t latestAttempt = 0;
    std::int64_t latestState = 0;

    // One answer of the attempt `attemptId` graded at `gradedAt`. The latest answer is the one
    // of the attempt graded last (the later attempt when two share a time).
    void add(std::int64_t gradedAt, std::int64_t attemptId, std::int64_t state)
    {
        ++seen;
        if (!(state & CorrectBit))
            ++missed;
        else if (!lastRightAt || *lastRightAt < gradedAt)
            lastRightAt = gradedAt;
        if (seen == 1 || gradedAt > latestAt || (gradedAt == latestAt && attemptId >= latestAttempt)) {
            latestAt = gradedAt;
            latestAttempt = attemptId;
            latestState = state;
        }
    }

    bool operator==(const QuestionStats&) const = default;
};

}  // namespace history
