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

    // Takes out the answer `state` that the attempt `attemptId` gave at `gradedAt`, which that
    // attempt now replaces by `replacement` at `regradedAt` (nullopt when it no longer asks the
    // question); add() of the replacement follows. False when the figures cannot follow without
    // a recount of every answer: when the answer taken out was the last right one or the latest,
    // and the replacement does not take its place.
    bool takeOut(std::int64_t gradedAt, std::int64_t attemptId, std::int64_t state,
                 std::optional<std::int64_t> replacement, std::int64_t regradedAt)
    {
        --seen;
        if (!(state & CorrectBit))
            --missed;
        const bool replacedLater = replacement && regradedAt >= gradedAt;
        bool exact = true;
        if (latestAttempt == attemptId)
            exact = exact && replacedLater;
        if ((state & CorrectBit) && lastRightAt == gradedAt)
            exact = exact && replacedLater && (*replacement & CorrectBit);
        return exact;
    }

    bool operator==(const QuestionStats&) const = default;
};

}  // namespace history
