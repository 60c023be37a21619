#include "results/ScoreReportCharts.h"

#include <QPainter>

namespace results {

namespace {

QFont arialPixels(int pixels, bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

BarChartModel onPaper(BarChartModel chart)
{
    chart.title.visible = false;
    chart.background = Qt::white;
    chart.border = false;
    return chart;
}

}  // namespace

BarChartModel reportTotalChart(const BarChartModel& windowChart)
{
    BarChartModel chart = onPaper(windowChart);
    chart.valueAxisFont = arialPixels(13, true);
    chart.labelAxisFont = arialPixels(15, true);
    return chart;
}

BarChartModel reportSectionsChart(const BarChartModel& windowChart)
{
    BarChartModel chart = onPaper(windowChart);
    chart.valueAxisFont = arialPixels(12, false);
    chart.labelAxisFont = arialPixels(12, false);
    return chart;
}

report::ChartPainter chartPainter(const BarChartModel& model)
{
    return [model](QPainter& painter, const QRectF& rect) { paintBarChart(painter, rect, model); };
}

}  // namespace results
