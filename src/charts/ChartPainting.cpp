#include "charts/ChartPainting.h"

#include "charts/ChartLayout.h"
#include "charts/ChartMetrics.h"

#include <algorithm>
#include <QPainter>

namespace charts {

namespace {

QPen linePen(const QColor& colour, double u)
{
    return QPen(colour, u, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
}

void paintTitleAndLegend(QPainter& painter, const BarChartModel& model, const BarChartLayout& layout, double u)
{
    if (!layout.titleRect.isEmpty()) {
        if (model.title.background.isValid())
            painter.fillRect(layout.titleRect, model.title.background);
        if (model.title.frameColour.isValid()) {
            painter.setPen(QPen(model.title.frameColour, u));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(layout.titleRect);
        }
        painter.setFont(layout.titleFont);
        painter.setPen(model.title.colour);
        const QFontMetricsF metrics(layout.titleFont, painter.device());
        painter.drawText(layout.titleRect, Qt::AlignCenter | Qt::TextSingleLine,
                         metrics.elidedText(model.title.text, Qt::ElideRight, layout.titleRect.width()));
    }
    if (layout.legendRect.isEmpty())
        return;
    painter.setFont(layout.labelAxisFont);
    const QFontMetricsF metrics(layout.labelAxisFont, painter.device());
    const double box = legendBox(metrics);
    const double gap = GapUnits * u;
    double x = layout.legendRect.left();
    for (const ChartLegendEntry& entry : model.legend) {
        const QRectF swatch(x, layout.legendRect.center().y() - box / 2, box, box);
        painter.fillRect(swatch, entry.colour);
        painter.setPen(linePen(Qt::black, u));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(swatch);
        x += box + gap;
        const double width = metrics.horizontalAdvance(entry.text);
        painter.drawText(QRectF(x, layout.legendRect.top(), width + u, layout.legendRect.height()),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, entry.text);
        x += width + 3 * gap;
    }
}

// The grid lines at the ticks of the value axis.
void paintGrid(QPainter& painter, const BarChartModel& model, const BarChartLayout& layout, double u)
{
    const QRectF& plot = layout.plot;
    const bool columns = model.orientation == Qt::Vertical;
    painter.setPen(QPen(QColor(192, 192, 192), u));
    for (double at : layout.tickX)
        if (columns)
            painter.drawLine(QPointF(plot.left(), at), QPointF(plot.right(), at));
        else
            painter.drawLine(QPointF(at, plot.top()), QPointF(at, plot.bottom()));
}

// The axis lines, the ticks and their labels.
void paintTicks(QPainter& painter, const BarChartModel& model, const BarChartLayout& layout, double u)
{
    const QRectF& plot = layout.plot;
    const bool columns = model.orientation == Qt::Vertical;
    painter.setPen(QPen(Qt::black, u, Qt::SolidLine, Qt::SquareCap));
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    const double tickLength = TickUnits * u;
    painter.setFont(layout.valueAxisFont);
    const QFontMetricsF valueMetrics(layout.valueAxisFont, painter.device());
    for (int k = 0; k < layout.tickX.size(); ++k) {
        const double at = layout.tickX[k];
        const QString text = numberText(layout.tickValues[k], 6);
        const double width = valueMetrics.horizontalAdvance(text);
        if (columns) {
            painter.drawLine(QPointF(plot.left() - tickLength, at), QPointF(plot.left(), at));
            if (layout.tickLabelled[k])
                painter.drawText(QRectF(plot.left() - tickLength - 2 * u - width - u,
                                        at - valueMetrics.height() / 2, width + u, valueMetrics.height()),
                                 Qt::AlignRight | Qt::AlignVCenter, text);
            continue;
        }
        painter.drawLine(QPointF(at, plot.bottom()), QPointF(at, plot.bottom() + tickLength));
        if (layout.tickLabelled[k])
            painter.drawText(QRectF(at - width / 2 - u, plot.bottom() + tickLength + 2 * u, width + 2 * u,
                                    valueMetrics.height()),
                             Qt::AlignHCenter | Qt::AlignTop, text);
    }
}

// Each bar's interval: a line along the value axis through the bar's middle, with end caps.
void paintRanges(QPainter& painter, const BarChartModel& model, const BarChartLayout& layout, double u)
{
    const double span = model.axisMax - model.axisMin;
    if (span <= 0)
        return;
    painter.setPen(linePen(Qt::black, 1.5 * u));
    for (int i = 0; i < layout.barRects.size() && i < model.bars.size(); ++i) {
        const ChartBar& bar = model.bars[i];
        if (!bar.hasRange())
            continue;
        const QRectF& slot = layout.barRects[i];
        const double low = std::clamp((bar.low - model.axisMin) / span, 0.0, 1.0);
        const double high = std::clamp((bar.high - model.axisMin) / span, 0.0, 1.0);
        if (model.orientation == Qt::Horizontal) {
            const double y = slot.center().y(), cap = slot.height() / 4;
            const double x1 = layout.plot.left() + low * layout.plot.width();
            const double x2 = layout.plot.left() + high * layout.plot.width();
            painter.drawLine(QPointF(x1, y), QPointF(x2, y));
            painter.drawLine(QPointF(x1, y - cap), QPointF(x1, y + cap));
            painter.drawLine(QPointF(x2, y - cap), QPointF(x2, y + cap));
        } else {
            const double x = slot.center().x(), cap = slot.width() / 4;
            const double y1 = layout.plot.bottom() - low * layout.plot.height();
            const double y2 = layout.plot.bottom() - high * layout.plot.height();
            painter.drawLine(QPointF(x, y1), QPointF(x, y2));
            painter.drawLine(QPointF(x - cap, y1), QPointF(x + cap, y1));
            painter.drawLine(QPointF(x - cap, y2), QPointF(x + cap, y2));
        }
    }
}

void paintBars(QPainter& painter, const BarChartModel& model, const BarChartLayout& layout, double u)
{
    for (int i = 0; i < layout.barRects.size(); ++i) {
        const QRectF& bar = layout.barRects[i];
        if (bar.width() <= 0 || bar.height() <= 0)
            continue;
        painter.fillRect(bar, model.bars[i].colour);
        painter.setPen(linePen(Qt::black, u));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(bar);
    }
    paintRanges(painter, model, layout, u);
}

// Each bar's value where the layout put it: on the chart's ground at the bar's end, so that a
// grid line does not cross it, or in white inside the bar's end; left out where it has no place.
void paintValues(QPainter& painter, const BarChartModel& model, const BarChartLayout& layout)
{
    painter.setFont(layout.valueAxisFont);
    const QColor ground = model.background.isValid() ? model.background : QColor(Qt::white);
    for (int i = 0; i < layout.valueRects.size(); ++i) {
        const QRectF& box = layout.valueRects[i];
        if (box.isEmpty())
            continue;
        if (!layout.valueInBar[i])
            painter.fillRect(box, ground);
        painter.setPen(layout.valueInBar[i] ? QColor(Qt::white) : QColor(Qt::black));
        painter.drawText(box, Qt::AlignCenter | Qt::TextSingleLine, valueText(model, model.bars[i]));
    }
}

// The value lines, dashed, each labelled at its end on a white ground.
void paintValueLines(QPainter& painter, const BarChartModel& model, const BarChartLayout& layout, double u)
{
    const QRectF& plot = layout.plot;
    const bool columns = model.orientation == Qt::Vertical;
    painter.setFont(layout.labelAxisFont);
    const QFontMetricsF metrics(layout.labelAxisFont, painter.device());
    for (int k = 0; k < layout.valueLineAt.size(); ++k) {
        const ChartValueLine& line = model.valueLines[k];
        const double at = layout.valueLineAt[k];
        painter.setPen(QPen(line.colour, 2 * u, Qt::DashLine, Qt::FlatCap));
        const QString value = numberText(line.value, 1) + model.valueSuffix;  // "85%", as read aloud
        if (columns) {
            // Right of the plot: the label over the value, centred on the line.
            painter.drawLine(QPointF(plot.left(), at), QPointF(plot.right(), at));
            if (line.label.isEmpty())
                continue;
            painter.setPen(line.colour);
            const double width = layout.frame.right() - plot.right();
            painter.drawText(QRectF(plot.right() + 2 * u, at - metrics.height(), width, metrics.height()),
                             Qt::AlignLeft | Qt::AlignBottom | Qt::TextSingleLine, line.label);
            painter.drawText(QRectF(plot.right() + 2 * u, at, width, metrics.height()),
                             Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, value);
            continue;
        }
        const QString text = line.label + QLatin1Char(' ') + value;
        const double width = metrics.horizontalAdvance(text) + 2 * u;
        // Across the bars: labelled at the top of the plot, on a white ground.
        painter.drawLine(QPointF(at, plot.top()), QPointF(at, plot.bottom()));
        const QRectF box(std::min(at + 2 * u, plot.right() - width), plot.top(), width, metrics.height());
        if (line.label.isEmpty())
            continue;
        painter.fillRect(box, QColor(255, 255, 255, 220));
        painter.setPen(line.colour);
        painter.drawText(box, Qt::AlignCenter | Qt::TextSingleLine, text);
    }
}

void paintLabels(QPainter& painter, const BarChartModel& model, const BarChartLayout& layout)
{
    painter.setFont(layout.labelAxisFont);
    painter.setPen(Qt::black);
    const QFontMetricsF labelMetrics(layout.labelAxisFont, painter.device());
    const int align = model.orientation == Qt::Vertical ? Qt::AlignHCenter : Qt::AlignRight;
    for (int i = 0; i < layout.labelRects.size(); ++i) {
        const QRectF& slot = layout.labelRects[i];
        const QStringList& lines = layout.labelLines[i];
        const double lineHeight = labelMetrics.height();
        double y = slot.center().y() - lines.size() * lineHeight / 2;
        for (const QString& line : lines) {
            painter.drawText(QRectF(slot.left(), y, slot.width(), lineHeight),
                             align | Qt::AlignVCenter | Qt::TextSingleLine, line);
            y += lineHeight;
        }
    }
}

}  // namespace

void paintBarChart(QPainter& painter, const QRectF& rect, const BarChartModel& model)
{
    const BarChartLayout layout = layoutBarChart(model, rect, painter.device());
    const double u = unitOf(painter.device());

    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);

    if (model.background.isValid())
        painter.fillRect(rect, model.background);
    if (model.border) {
        painter.setPen(linePen(Qt::black, u));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect.adjusted(u / 2, u / 2, -u / 2, -u / 2));
    }
    paintTitleAndLegend(painter, model, layout, u);
    paintGrid(painter, model, layout, u);
    paintBars(painter, model, layout, u);
    paintTicks(painter, model, layout, u);
    paintValueLines(painter, model, layout, u);
    paintValues(painter, model, layout);
    paintLabels(painter, model, layout);
    painter.restore();
}

std::function<void(QPainter&, const QRectF&)> chartPainter(const BarChartModel& model)
{
    return [model](QPainter& painter, const QRectF& rect) { paintBarChart(painter, rect, model); };
}

}  // namespace charts
