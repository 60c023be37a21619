#pragma once
// Which questions already seen are due for review: those whose chance of recall (Recall.h) falls
// below ReviewRetention by the end of the day, and every one whose latest answer was wrong. With an exam date,
// also those whose recall would fall below it by that day, so they are reviewed in time.

#include "history/Readiness.h"

#include <optional>

namespace history {

struct DueItem {
    std::int64_t bankId = 0;
    double recall = 0;  // now
    bool missed = false;  // its latest answer was wrong
};

struct ReviewSchedule {
    // Those whose latest answer was wrong first, then the lowest recall; at most the limit asked
    // for. With an exam date, also those brought forward for it.
    std::vector<DueItem> due;
    int dueToday = 0;  // due today, beyond the limit too
    int dueBeforeExam = 0;  // with those brought forward for the exam date
    std::int64_t nextDueAt = 0;  // when the next item not due today falls due (ms); 0 when none
    int perDay = 0;  // with an exam date: how many to review each day until then
};

// The schedule at `now` (ms since the epoch) for the items answered, at most `limit` due items
// listed. `examAt` is the start of the exam day, when one is set and still ahead.
ReviewSchedule reviewSchedule(const std::vector<AnsweredItem>& items, std::int64_t now, int limit,
                              std::optional<std::int64_t> examAt = std::nullopt);

// What "Due for Review" says when nothing is due: when the next items fall due, or that there
// is nothing to review at all.
QString nothingDueText(const ReviewSchedule& schedule, bool hasHistory);

}  // namespace history
