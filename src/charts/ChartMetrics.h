#pragma once
// The measures the chart's layout and its painter share: the device's unit, the spacing in it,
// the fonts as drawn on the device and the figures as written.

#include "charts/ChartModel.h"

#include <QFont>
#include <QFontMetricsF>
#include <QString>

class QPaintDevice;

namespace charts {

// One screen pixel at 96 dpi in the units of `device`, so that lines and gaps keep their size
// on a printer page.
double unitOf(const QPaintDevice* device);

// The chart's spacing, in units of unitOf(): around the chart, between its parts, and the
// length of an axis tick.
constexpr double MarginUnits = 6;
constexpr double GapUnits = 4;
constexpr double TickUnits = 4;
// The padding of the title's box, across and up and down.
constexpr double TitlePadXUnits = 6;
constexpr double TitlePadYUnits = 1;

// `value` with at most `decimals` decimals, without trailing zeros ("-0" written "0").
QString numberText(double value, int decimals);
// The font as it is drawn on `device`. A size in pixels means pixels of a 96-dpi screen, so that
// a chart keeps its proportions on a printer page (sizes in points scale by themselves).
QFont fontFor(const QFont& font, QPaintDevice* device);
// Arial 8 pt: the title's and the axes' font until a chart sets its own.
QFont defaultChartFont();
// The side of a legend entry's colour box.
double legendBox(const QFontMetricsF& metrics);
// A bar's value as written at its end: the whole number with the suffix, or its mark.
QString valueText(const BarChartModel& model, const ChartBar& bar);

}  // namespace charts
