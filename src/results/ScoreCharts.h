#pragma once
// The score window's two charts: the total score against the required score, and each section's
// percentage correct.

#include "charts/ChartModel.h"

#include <QColor>
#include <QString>

namespace results {

struct Grade;

// Colours of the score charts.
inline const QColor YourScoreColour{0, 128, 0};
inline const QColor RequiredScoreColour{0, 0, 255};
inline const QColor SectionColour{255, 0, 0};

// The total chart: "Your score" (the real score, green) below "Required score" (850, blue), on
// 0..1000 with a label every 100, bars at 90 %, white, titled with the title line.
charts::BarChartModel totalChart(double score, const QString& titleLine);
// The sections chart: one red bar per section with its percentage and label, section 1 at the
// top and 4 at the bottom, on 0..100 with a label every 10, bars at 80 %, titled " Sections ".
charts::BarChartModel sectionsChart(const Grade& grade);

}  // namespace results
