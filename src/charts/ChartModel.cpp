#include "charts/ChartModel.h"

#include "charts/ChartMetrics.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace charts {

BarChartModel::BarChartModel()
    : valueAxisFont(defaultChartFont()), labelAxisFont(defaultChartFont())
{
    title.font = defaultChartFont();
}

QList<double> BarChartModel::axisTicks() const
{
    QList<double> ticks;
    if (!(axisMax > axisMin) || !std::isfinite(axisMin) || !std::isfinite(axisMax))
        return ticks;
    if (!(axisStep > 0)) {
        ticks << axisMin << axisMax;
        return ticks;
    }
    // Counted from the minimum, so that no error builds up over many steps.
    const double span = (axisMax - axisMin) / axisStep;
    const auto count = std::int64_t(std::floor(span + 1e-9));
    if (count > 1000)  // a step far too small for the range: label the ends only
        return {axisMin, axisMax};
    for (std::int64_t k = 0; k <= count; ++k)
        ticks << axisMin + double(k) * axisStep;
    return ticks;
}

int BarChartModel::groupCount() const
{
    const int n = std::max(1, barsPerGroup);
    return int((bars.size() + n - 1) / n);
}

QList<int> BarChartModel::readingOrder() const
{
    QList<int> order;
    const int n = std::max(1, barsPerGroup);
    if (orientation == Qt::Vertical) {
        for (int i = 0; i < bars.size(); ++i)
            order << i;
        return order;
    }
    // The last group stands at the top; inside a group the first bar is the top one.
    for (int g = groupCount() - 1; g >= 0; --g)
        for (int i = g * n; i < std::min<int>(int(bars.size()), (g + 1) * n); ++i)
            order << i;
    return order;
}

QString BarChartModel::barText(int index) const
{
    const ChartBar& bar = bars.at(index);
    QString label = bar.label.simplified();
    const int group = index / std::max(1, barsPerGroup);
    if (label.isEmpty() && group < groupLabels.size())
        label = groupLabels[group].simplified();
    QString value = bar.mark.isEmpty() ? numberText(bar.value, 1) + valueSuffix : bar.mark;
    if (bar.hasRange())
        value += QStringLiteral(" (likely %1 to %2)").arg(numberText(bar.low, 1) + valueSuffix,
                                                         numberText(bar.high, 1) + valueSuffix);
    return label + QStringLiteral(": ") + value;
}

QString BarChartModel::valueLineText(int index) const
{
    const ChartValueLine& line = valueLines.at(index);
    return line.label.simplified() + QStringLiteral(": ") + numberText(line.value, 1) + valueSuffix;
}

QString BarChartModel::accessibleText() const
{
    QStringList figures;
    for (int i : readingOrder())
        figures << barText(i);
    QString name = title.text.simplified();
    if (name.isEmpty())
        name = QStringLiteral("Bar chart");
    if (figures.isEmpty())
        return name + QStringLiteral(": no bars");
    for (int k = 0; k < valueLines.size(); ++k)
        figures << valueLineText(k);
    return name + QStringLiteral(": ") + figures.join(QStringLiteral("; "));
}

}  // namespace charts
