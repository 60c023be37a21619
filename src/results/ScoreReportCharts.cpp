#include "results/ScoreReportCharts.h"

namespace results {

namespace {

QFont arialPixels(int pixels, bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

charts::BarChartModel onPaper(charts::BarChartModel chart)
{
    chart.title.visible = false;
    chart.background = Qt::white;
    chart.border = false;
    return chart;
}

}  // namespace

charts::BarChartModel reportTotalChart(const charts::BarChartModel& windowChart)
{
    charts::BarChartModel chart = onPaper(windowChart);
    chart.valueAxisFont = arialPixels(13, true);
    chart.labelAxisFont = arialPixels(15, true);
    return chart;
}

charts::BarChartModel reportSectionsChart(const charts::BarChartModel& windowChart)
{
    charts::BarChartModel chart = onPaper(windowChart);
    chart.valueAxisFont = arialPixels(12, false);
    chart.labelAxisFont = arialPixels(12, false);
    return chart;
}

}  // namespace results
