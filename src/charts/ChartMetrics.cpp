#include "charts/ChartMetrics.h"

#include <QPaintDevice>

#include <algorithm>
#include <cmath>

namespace charts {

double unitOf(const QPaintDevice* device)
{
    if (!device || device->logicalDpiY() <= 0)
        return 1.0;
    return std::max(1.0, device->logicalDpiY() / 96.0);
}

QString numberText(double value, int decimals)
{
    QString text = QString::number(value, 'f', decimals);
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    if (text == QLatin1String("-0"))
        text = QStringLiteral("0");
    return text;
}

QFont fontFor(const QFont& font, QPaintDevice* device)
{
    if (!device)
        return font;
    QFont resolved(font, device);
    if (font.pixelSize() > 0 && device->logicalDpiY() > 0)
        resolved.setPixelSize(
            std::max(1, int(std::lround(font.pixelSize() * device->logicalDpiY() / 96.0))));
    return resolved;
}

QFont defaultChartFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    return font;
}

double legendBox(const QFontMetricsF& metrics)
{
    return std::round(metrics.height() * 0.7);
}

QString valueText(const BarChartModel& model, const ChartBar& bar)
{
    return bar.mark.isEmpty() ? numberText(bar.value, 0) + model.valueSuffix : bar.mark;
}

}  // namespace charts
