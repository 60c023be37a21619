#include "historywindow/HistoryCharts.h"

#include "charts/ChartLayout.h"
#include "results/Grading.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>
#include <map>

namespace historywindow {

namespace {

QFont chartFont(int pixels, bool bold = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

charts::BarChartModel historyChart(const QString& title)
{
    charts::BarChartModel chart;
    chart.title.text = title;
    chart.title.font = chartFont(13, true);
    chart.title.colour = QColor(0, 0, 128);
    chart.title.alignment = Qt::AlignLeft;
    chart.border = false;
    chart.background = Qt::white;
    chart.valueAxisFont = chartFont(11);
    chart.labelAxisFont = chartFont(11);
    chart.showValues = true;
    return chart;
}

// Sections in rows against a percentage axis.
charts::BarChartModel sectionPercentChart(const QString& title)
{
    charts::BarChartModel chart = historyChart(title);
    chart.axisMin = 0;
    chart.axisMax = 100;
    chart.axisStep = 20;
    chart.valueSuffix = QStringLiteral("%");
    chart.maxLabelShare = 0.45;
    return chart;
}

int percentOf(const history::Count& count)
{
    return results::sectionPercent(count.correct, count.total);
}

QString sectionTitle(int section)
{
    const QString name = results::sectionName(section);
    return name.isEmpty() ? QStringLiteral("Section %1").arg(section) : name;
}

// A section's bar: its percentage, or "no attempts" when there were none.
void addTrendBar(charts::BarChartModel& chart, const QString& name, const history::Count& count, const QColor& colour)
{
    if (count.total == 0) {
        chart.bars << charts::ChartBar{0, name, colour, QStringLiteral("no attempts")};
        return;
    }
    chart.addBar(percentOf(count), QStringLiteral("%1 (%2/%3)").arg(name).arg(count.correct).arg(count.total), colour);
}

bool readableAt(const charts::BarChartModel& chart, const QRectF& rect, QPaintDevice* device)
{
    const charts::BarChartLayout layout = charts::layoutBarChart(chart, rect, device);
    if (chart.title.visible && !chart.title.text.isEmpty()) {
        const QFontMetricsF metrics(layout.titleFont, device);
        if (metrics.elidedText(chart.title.text, Qt::ElideRight, layout.titleRect.width()) != chart.title.text)
            return false;
    }
    if (layout.tickLabelled.contains(false))
        return false;
    if (chart.orientation == Qt::Horizontal) {
        const double line = QFontMetricsF(layout.labelAxisFont, device).height();
        for (int i = 0; i < layout.labelRects.size(); ++i)
            if (layout.labelLines[i].size() * line > layout.labelRects[i].height())
                return false;
    }
    return true;
}

}  // namespace

int readableWidth(const charts::BarChartModel& chart, int height, QPaintDevice* device)
{
    constexpr int Narrowest = 160;
    constexpr int Widest = 1200;
    constexpr int Step = 10;
    for (int width = Narrowest; width < Widest; width += Step)
        if (readableAt(chart, QRectF(0, 0, width, height), device))
            return width;
    return Widest;
}

QString shownDateTime(const QDateTime& utc)
{
    return utc.toLocalTime().toString(QStringLiteral("d MMM yyyy HH:mm"));
}

charts::BarChartModel scoreChart(const std::vector<history::AttemptSummary>& newestFirst)
{
    const int shown = std::min<int>(ScoreChartAttempts, int(newestFirst.size()));
    QString title = QStringLiteral("Score per attempt");
    if (shown < int(newestFirst.size()))
        title += QStringLiteral(" (the last %1 of %2)").arg(shown).arg(newestFirst.size());
    charts::BarChartModel chart = historyChart(title);
    chart.orientation = Qt::Vertical;
    chart.axisMin = 0;
    chart.axisMax = results::ScoreScale;
    chart.axisStep = 200;
    chart.barWidthPercent = 70;
    chart.staggerLabels = true;  // every attempt keeps its date, also twenty of them
    chart.legend = {{QStringLiteral("Pass"), PassedColour}, {QStringLiteral("Fail"), FailedColour}};
    // Every column is named by its day, and by its time too where another column shares the day.
    std::map<QDate, int> perDay;
    for (int i = 0; i < shown; ++i)
        ++perDay[newestFirst[std::size_t(i)].gradedAt.toLocalTime().date()];
    for (int i = shown - 1; i >= 0; --i) {
        const history::AttemptSummary& a = newestFirst[std::size_t(i)];
        chart.addBar(a.score, shownDateTime(a.gradedAt) + QStringLiteral(", ") + a.examTitle,
                     a.passed ? PassedColour : FailedColour);
        const QDateTime local = a.gradedAt.toLocalTime();
        QString label = local.date().toString(QStringLiteral("d MMM"));
        if (perDay[local.date()] > 1)
            label += QLatin1Char('\n') + local.time().toString(QStringLiteral("HH:mm"));
        chart.groupLabels << label;
    }
    const int passing = newestFirst.empty() ? results::PassingScore : newestFirst.front().passingScore;
    chart.valueLines << charts::ChartValueLine{double(passing), QStringLiteral("Passing score"),
                                                PassingLineColour};
    return chart;
}

QString trendLabel(const history::SectionTrend& trend)
{
    QString label = sectionTitle(trend.section);
    if (trend.recent.total > 0 && trend.before.total > 0) {
        const int change = percentOf(trend.recent) - percentOf(trend.before);
        label += change == 0 ? QStringLiteral(" (\u00b10)")
                             : QStringLiteral(" (%1%2)").arg(change > 0 ? "+" : "\u2212").arg(std::abs(change));
    }
    return label;
}

charts::BarChartModel sectionTrendChart(const std::vector<history::SectionTrend>& trends)
{
    charts::BarChartModel chart = sectionPercentChart(QStringLiteral("Sections: percentage correct"));
    chart.barWidthPercent = 80;
    chart.barsPerGroup = 2;
    // Five attempts or fewer: the latest beside the ones before it.
    const bool latestOnly = !trends.empty() && trends.front().recentAttempts == 1;
    const int before = trends.empty() ? 0 : trends.front().beforeAttempts;
    const QString recentName = latestOnly ? QStringLiteral("Latest attempt") : QStringLiteral("Last 5 attempts");
    const QString beforeName = !latestOnly ? QStringLiteral("The 5 before")
                               : before == 0 ? QStringLiteral("None before")
                               : before == 1 ? QStringLiteral("The one before")
                                             : QStringLiteral("The %1 before").arg(before);
    chart.legend = {{recentName, RecentColour}, {beforeName, BeforeColour}};
    // The first group is drawn at the bottom: the last section goes in first.
    for (auto t = trends.rbegin(); t != trends.rend(); ++t) {
        const QString name = sectionTitle(t->section);
        addTrendBar(chart, name + QStringLiteral(", ") + recentName.toLower(), t->recent, RecentColour);
        addTrendBar(chart, name + QStringLiteral(", ") + beforeName.toLower(), t->before, BeforeColour);
        chart.groupLabels << trendLabel(*t);
    }
    return chart;
}

charts::BarChartModel readinessChart(const history::Readiness& readiness)
{
    charts::BarChartModel chart = sectionPercentChart(QStringLiteral("New questions answered right, by section"));
    chart.barWidthPercent = 60;
    chart.showValues = false;  // the figures stand in the labels, clear of the whiskers
    for (auto s = readiness.sections.rbegin(); s != readiness.sections.rend(); ++s) {
        QString label = QStringLiteral("%1 %2% (%3\u2013%4)")
                            .arg(sectionTitle(s->section))
                            .arg(std::lround(s->percent.expected))
                            .arg(std::lround(s->percent.low))
                            .arg(std::lround(s->percent.high));
        if (s->section == readiness.weakestSection && readiness.sections.size() > 1)
            label += QStringLiteral(", weakest");
        chart.bars << charts::ChartBar{s->percent.expected, label,
                                       s->section == readiness.weakestSection ? FailedColour : RecentColour,
                                       QString(), s->percent.low, s->percent.high};
    }
    chart.valueLines << charts::ChartValueLine{100.0 * results::PassingScore / results::ScoreScale,
                                                QStringLiteral("Pass mark"), PassingLineColour};
    return chart;
}

}  // namespace historywindow
