#pragma once
// The chart as screen readers meet it: a chart whose children are its bars and value lines,
// each named with its figure ("Planning (7/9): 78%", "Passing score: 850") and placed where
// it is drawn. The chart itself keeps its accessible name with every figure in one line.

namespace charts {

// Installs the accessibility factory of BarChart once per process.
void installBarChartAccessibility();

}  // namespace charts
