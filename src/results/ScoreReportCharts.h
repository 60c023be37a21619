#pragma once
// The charts of the printed score report: the window's charts on white, flat, without a
// title, with the report's axis fonts; painted by the same bar-chart painter.

#include "charts/ChartModel.h"

namespace results {

// The total chart of the report (`ppTeeChart1`): value labels in bold Arial 13 px, bar labels
// in bold Arial 15 px.
charts::BarChartModel reportTotalChart(const charts::BarChartModel& windowChart);
// The sections chart of the report (`ppTeeChart2`): axis labels in Arial 12 px.
charts::BarChartModel reportSectionsChart(const charts::BarChartModel& windowChart);

}  // namespace results
