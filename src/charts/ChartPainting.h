#pragma once
// Painting a bar chart: the same code draws it in a widget on screen and into any painter and
// rectangle (the printed reports).

#include "charts/ChartModel.h"

#include <QRectF>

#include <functional>

class QPainter;

namespace charts {

// Paints a chart into `rect` of any painter: a widget, an image, a printer page.
void paintBarChart(QPainter& painter, const QRectF& rect, const BarChartModel& model);
// `model` as a report draws its charts: painted into the rectangle the report gives it.
std::function<void(QPainter&, const QRectF&)> chartPainter(const BarChartModel& model);

}  // namespace charts
