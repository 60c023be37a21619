#pragma once
// The charts of the study history, for the window and its printed report: the score of each
// attempt against the passing score, and each section's percentage correct over the last five
// attempts beside the five before them. Drawn by the program's one bar-chart engine.

#include "history/Attempt.h"
#include "history/Readiness.h"
#include "charts/ChartModel.h"

#include <vector>

namespace historywindow {

// How many attempts the score chart shows at most: the newest ones.
inline constexpr int ScoreChartAttempts = 20;

inline const QColor PassedColour{0, 128, 0};
inline const QColor FailedColour{200, 40, 40};
inline const QColor PassingLineColour{0, 0, 255};
inline const QColor RecentColour{0, 70, 160};
inline const QColor BeforeColour{170, 185, 205};

// One column per attempt, oldest at the left, green when passed and red when failed, with the
// passing score as a dashed line; of `newestFirst` (as HistoryStore::attempts gives them) the
// newest ScoreChartAttempts. Each column reads "2 Nov 2026 09:30, Practice Exam A: 933".
charts::BarChartModel scoreChart(const std::vector<history::AttemptSummary>& newestFirst);

// Two bars per section, section 1 at the top: the last five attempts and the five before them, or
// with five attempts or fewer the latest and the ones before it.
charts::BarChartModel sectionTrendChart(const std::vector<history::SectionTrend>& trends);

// One bar per section the readiness estimate covers, section 1 at the top: the share of new
// questions the learner would answer right, with its 80 % interval as a whisker, and the pass
// mark as a line. Each label carries the figures: "Planning 72% (65-80)", the weakest marked.
charts::BarChartModel readinessChart(const history::Readiness& readiness);

// "Planning (+12)": the section with the change in percentage points from the five before to
// the last five; without the change when either has no items.
QString trendLabel(const history::SectionTrend& trend);

// The least width at which `chart`, `height` high on `device`, shows its title whole, a label
// at every step of its value axis and, for rows, each row's label within its row.
int readableWidth(const charts::BarChartModel& chart, int height, QPaintDevice* device);

// "2 Nov 2026 09:30": a history time in local time.
QString shownDateTime(const QDateTime& utc);

}  // namespace historywindow
