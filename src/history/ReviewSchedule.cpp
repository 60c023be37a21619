#include "history/ReviewSchedule.h"

#include <QDateTime>

#include <algorithm>
#include <cmath>
#include <limits>

namespace history {

namespace {

constexpr double MsPerDay = 86'400'000.0;

}  // namespace

ReviewSchedule reviewSchedule(const std::vector<AnsweredItem>& items, std::int64_t now, int limit,
                              std::optional<std::int64_t> examAt)
{
    ReviewSchedule schedule;
    // What falls due later today is due today.
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(now);
    const std::int64_t dayEnd = QDateTime(local.date().addDays(1), QTime(0, 0)).toMSecsSinceEpoch();
    std::int64_t next = std::numeric_limits<std::int64_t>::max();
    for (const AnsweredItem& item : items) {
        if (item.answers.empty())
            continue;
        const MemoryState memory = memoryAfter(item.answers);
        const double recall = memory.recallAt(now);
        const bool dueNow = !memory.lastCorrect || memory.recallAt(dayEnd) < ReviewRetention;
        if (dueNow || (examAt && memory.recallAt(*examAt) < ReviewRetention)) {
            schedule.due.push_back({item.bankId, recall, !memory.lastCorrect});
            schedule.dueToday += dueNow;
        } else {
            next = std::min(next, memory.dueAt(ReviewRetention));
        }
    }
    // Wrong answers first, the longest ago first; then the lowest recall.
    std::sort(schedule.due.begin(), schedule.due.end(), [](const DueItem& a, const DueItem& b) {
        if (a.missed != b.missed)
            return a.missed;
        return a.recall != b.recall ? a.recall < b.recall : a.bankId < b.bankId;
    });
    schedule.dueBeforeExam = int(schedule.due.size());
    if (int(schedule.due.size()) > std::max(limit, 0))
        schedule.due.resize(std::size_t(std::max(limit, 0)));
    if (next != std::numeric_limits<std::int64_t>::max())
        schedule.nextDueAt = next;
    if (examAt && *examAt > now) {
        const double days = std::max(1.0, std::ceil(double(*examAt - now) / MsPerDay));
        schedule.perDay = int(std::ceil(schedule.dueBeforeExam / days));
    }
    return schedule;
}

QString nothingDueText(const ReviewSchedule& schedule, bool hasHistory)
{
    if (!hasHistory || schedule.nextDueAt == 0)
        return QStringLiteral("Nothing to review yet: take a practice exam first.");
    return QStringLiteral("Nothing is due for review today. The next questions fall due on %1.")
        .arg(dayText(QDateTime::fromMSecsSinceEpoch(schedule.nextDueAt).toLocalTime().date()));
}

}  // namespace history
