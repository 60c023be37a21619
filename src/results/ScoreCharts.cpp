#include "results/ScoreCharts.h"

#include "results/Grading.h"

namespace results {

charts::BarChartModel totalChart(double score, const QString& titleLine)
{
    charts::BarChartModel chart;
    chart.title.text = titleLine;
    chart.title.font = QFont(QStringLiteral("MS Sans Serif"));
    chart.title.font.setPixelSize(13);
    chart.title.colour = QColor(0, 0, 128);
    chart.title.background = Qt::white;
    chart.title.frameColour = QColor(0, 0, 255);
    chart.title.alignment = Qt::AlignHCenter;
    chart.background = Qt::white;
    chart.border = true;
    chart.axisMin = 0;
    chart.axisMax = ScoreScale;
    chart.axisStep = 100;
    chart.barWidthPercent = 90;
    chart.addBar(score, QStringLiteral("Your score"), YourScoreColour);
    chart.addBar(PassingScore, QStringLiteral("Required score"), RequiredScoreColour);
    return chart;
}

charts::BarChartModel sectionsChart(const Grade& grade)
{
    charts::BarChartModel chart;
    chart.title.text = QStringLiteral(" Sections ");
    chart.title.font = QFont(QStringLiteral("Arial"));
    chart.title.font.setPixelSize(13);
    chart.title.font.setItalic(true);
    chart.title.colour = QColor(0, 0, 255);
    chart.title.background = Qt::white;
    chart.title.frameColour = Qt::black;
    chart.title.alignment = Qt::AlignLeft;
    chart.border = false;
    chart.axisMin = 0;
    chart.axisMax = 100;
    chart.axisStep = 10;
    chart.barWidthPercent = 80;
    chart.wrapLabels = true;
    chart.valueSuffix = QStringLiteral("%");
    for (int s = SectionCount; s >= 1; --s)
        chart.addBar(grade.sectionPercent(s), sectionLabel(s, grade.count.section(s)),
                     SectionColour);
    return chart;
}

}  // namespace results
