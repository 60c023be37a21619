#include "charts/ChartLayout.h"

#include "charts/ChartMetrics.h"

#include <QFontMetricsF>
#include <QPaintDevice>

#include <algorithm>
#include <cmath>

namespace charts {

namespace {

// Breaks one word that is wider than `width` into pieces that fit (at least one character each).
QStringList breakWord(const QString& word, const QFontMetricsF& metrics, double width)
{
    QStringList pieces;
    QString piece;
    for (const QChar ch : word) {
        if (!piece.isEmpty() && metrics.horizontalAdvance(piece + ch) > width) {
            pieces << piece;
            piece.clear();
        }
        piece += ch;
    }
    if (!piece.isEmpty())
        pieces << piece;
    return pieces;
}

}  // namespace

QStringList wrapText(const QString& text, const QFontMetricsF& metrics, double width)
{
    QStringList lines;
    QString line;
    const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString& word : words) {
        const QString candidate = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (metrics.horizontalAdvance(candidate) <= width) {
            line = candidate;
            continue;
        }
        if (!line.isEmpty())
            lines << line;
        line.clear();
        if (metrics.horizontalAdvance(word) <= width) {
            line = word;
            continue;
        }
        QStringList pieces = breakWord(word, metrics, width);
        line = pieces.takeLast();
        lines << pieces;
    }
    if (!line.isEmpty())
        lines << line;
    return lines;
}

namespace {

// What the layout of either orientation shares: the device's unit and the spacing in it.
struct Spacing {
    double u, margin, gap, tickLength;
    explicit Spacing(const QPaintDevice* device)
        : u(unitOf(device)), margin(MarginUnits * u), gap(GapUnits * u), tickLength(TickUnits * u)
    {
    }
};

double legendWidth(const BarChartModel& model, const QFontMetricsF& metrics, const Spacing& s)
{
    double width = 0;
    for (const ChartLegendEntry& entry : model.legend)
        width += legendBox(metrics) + s.gap + metrics.horizontalAdvance(entry.text) + 3 * s.gap;
    return width;
}

// Places the title and the legend on the top line of `inner` and takes that line off it.
void layOutTitle(const BarChartModel& model, const QFontMetricsF& titleMetrics,
                 const QFontMetricsF& legendMetrics, const Spacing& s, QRectF& inner,
                 BarChartLayout& layout)
{
    const bool hasTitle = model.title.visible && !model.title.text.isEmpty();
    const double legendRoom = model.legend.isEmpty() ? 0 : legendWidth(model, legendMetrics, s);
    if (!hasTitle && legendRoom == 0)
        return;
    const double padX = TitlePadXUnits * s.u;
    const double padY = TitlePadYUnits * s.u;
    double height = legendRoom > 0 ? legendMetrics.height() + 2 * padY : 0;
    if (hasTitle) {
        const double room = std::max(0.0, inner.width() - legendRoom);
        const double width = std::min(titleMetrics.horizontalAdvance(model.title.text) + 2 * padX, room);
        height = std::max(height, titleMetrics.height() + 2 * padY);
        double left = inner.left() + (inner.width() - width) / 2;
        if (model.title.alignment & Qt::AlignLeft)
            left = inner.left();
        else if (model.title.alignment & Qt::AlignRight)
            left = inner.right() - legendRoom - width;
        layout.titleRect = QRectF(left, inner.top(), width, height);
    }
    if (legendRoom > 0)
        layout.legendRect = QRectF(std::max(inner.left(), inner.right() - legendRoom), inner.top(),
                                   std::min(legendRoom, inner.width()), height);
    inner.setTop(inner.top() + height + s.gap);
}

// The label of each slot on the label axis: a group's, or its first bar's.
QStringList slotLabels(const BarChartModel& model)
{
    QStringList labels;
    const int perGroup = std::max(1, model.barsPerGroup);
    for (int g = 0; g < model.groupCount(); ++g) {
        if (model.groupLabels.isEmpty())
            labels << model.bars[g * perGroup].label.trimmed();
        else
            labels << (g < model.groupLabels.size() ? model.groupLabels[g].trimmed() : QString());
    }
    return labels;
}

double widestValue(const BarChartModel& model, const QFontMetricsF& metrics)
{
    double widest = 0;
    if (model.showValues)
        for (const ChartBar& bar : model.bars)
            widest = std::max(widest, metrics.horizontalAdvance(valueText(model, bar)));
    return widest;
}

// How wide the labels of the value lines are, as drawn right of a column chart's plot: the
// label over the value.
double widestLineLabel(const BarChartModel& model, const QFontMetricsF& metrics)
{
    double widest = 0;
    for (const ChartValueLine& line : model.valueLines)
        if (!line.label.isEmpty())
            widest = std::max({widest, metrics.horizontalAdvance(line.label),
                               metrics.horizontalAdvance(numberText(line.value, 1) + model.valueSuffix)});
    return widest;
}

// Labels every `every`-th tick (from the minimum) so that labels `extent` long do not collide.
void labelTicks(BarChartLayout& layout, double extent, double gap)
{
    int every = 1;
    if (layout.tickX.size() > 1) {
        const double spacing = std::abs(layout.tickX[1] - layout.tickX[0]);
        const double needed = spacing > 0 ? std::ceil((extent + gap) / spacing) : HUGE_VAL;
        every = needed >= double(layout.tickX.size()) ? int(layout.tickX.size()) : std::max(1, int(needed));
    }
    for (int k = 0; k < layout.tickX.size(); ++k)
        layout.tickLabelled << (k % every == 0);
}

// Where `value` lies between `low` (the axis minimum) and `high` (its maximum) on screen.
double positionOf(const BarChartModel& model, double value, double low, double high)
{
    if (!(model.axisMax > model.axisMin) || !std::isfinite(value))
        return low;
    const double clamped = std::clamp(value, model.axisMin, model.axisMax);
    return low + (clamped - model.axisMin) / (model.axisMax - model.axisMin) * (high - low);
}

double originOf(const BarChartModel& model)
{
    return model.axisMax > model.axisMin ? std::clamp(0.0, model.axisMin, model.axisMax) : 0.0;
}

// How the bars share the label axis, `length` long: one slot per group, the bars of a group side
// by side in the middle barWidthPercent of it.
struct Slots {
    int perGroup;
    double slot, band, thickness;
    Slots(const BarChartModel& model, double length)
        : perGroup(std::max(1, model.barsPerGroup)),
          slot(model.groupCount() > 0 ? length / model.groupCount() : 0),
          band(slot * std::clamp(model.barWidthPercent, 1, 100) / 100.0),
          thickness(band / perGroup)
    {
    }
    int group(int bar) const { return bar / perGroup; }
    // Where a bar begins inside its group's slot.
    double inSlot(int bar) const { return slot / 2 - band / 2 + (bar % perGroup) * thickness; }
};

void layOutRows(const BarChartModel& model, const QRectF& inner, const QFontMetricsF& valueMetrics,
                const QFontMetricsF& labelMetrics, const Spacing& s, BarChartLayout& layout)
{
    double firstHalf = 0;
    double lastHalf = 0;
    if (!layout.tickValues.isEmpty()) {
        firstHalf = valueMetrics.horizontalAdvance(numberText(layout.tickValues.first(), 6)) / 2;
        lastHalf = valueMetrics.horizontalAdvance(numberText(layout.tickValues.last(), 6)) / 2;
    }
    const QStringList labels = slotLabels(model);
    double naturalLabelWidth = 0;
    for (const QString& label : labels)
        naturalLabelWidth = std::max(naturalLabelWidth, labelMetrics.horizontalAdvance(label));
    const double labelWidth = std::min(naturalLabelWidth, inner.width() * model.maxLabelShare);
    const double valueRoom = model.showValues ? widestValue(model, valueMetrics) + s.gap : 0;

    const double plotLeft = inner.left() + std::max(labelWidth + s.gap + s.tickLength, firstHalf);
    const double plotRight = std::max(plotLeft, inner.right() - std::max(lastHalf, valueRoom));
    const double plotBottom =
        std::max(inner.top(), inner.bottom() - s.tickLength - s.gap / 2 - valueMetrics.height());
    layout.plot = QRectF(QPointF(plotLeft, inner.top()), QPointF(plotRight, plotBottom));
    const QRectF& plot = layout.plot;
    auto xOf = [&](double value) { return positionOf(model, value, plot.left(), plot.right()); };
    for (double tick : layout.tickValues)
        layout.tickX << xOf(tick);
    for (const ChartValueLine& line : model.valueLines)
        layout.valueLineAt << xOf(line.value);
    double widestTick = 0;
    for (double tick : layout.tickValues)
        widestTick = std::max(widestTick, valueMetrics.horizontalAdvance(numberText(tick, 6)));
    labelTicks(layout, widestTick, s.gap);

    const Slots places(model, plot.height());
    const double slot = places.slot;
    for (int i = 0; i < model.bars.size(); ++i) {
        const double top = plot.bottom() - (places.group(i) + 1) * slot + places.inSlot(i);
        const double x0 = xOf(originOf(model));
        const double x1 = xOf(model.bars[i].value);
        layout.barRects << QRectF(QPointF(std::min(x0, x1), top), QPointF(std::max(x0, x1), top + places.thickness));
    }
    for (int g = 0; g < labels.size(); ++g) {
        const double slotBottom = plot.bottom() - g * slot;
        layout.labelRects << QRectF(inner.left(), slotBottom - slot, labelWidth, slot);
        QStringList lines;
        if (labelMetrics.horizontalAdvance(labels[g]) <= labelWidth)
            lines << labels[g];
        else if (model.wrapLabels)
            lines = wrapText(labels[g], labelMetrics, labelWidth);
        else
            lines << labelMetrics.elidedText(labels[g], Qt::ElideRight, labelWidth);
        layout.labelLines << lines;
    }
}

void layOutColumns(const BarChartModel& model, const QRectF& inner, const QFontMetricsF& valueMetrics,
                   const QFontMetricsF& labelMetrics, const Spacing& s, BarChartLayout& layout)
{
    double widestTick = 0;
    for (double tick : layout.tickValues)
        widestTick = std::max(widestTick, valueMetrics.horizontalAdvance(numberText(tick, 6)));
    const double valueRoom = model.showValues ? valueMetrics.height() : 0;
    const double plotLeft = inner.left() + widestTick + s.gap / 2 + s.tickLength;
    const double lineRoom = widestLineLabel(model, labelMetrics);
    const double plotRight = std::max(plotLeft, inner.right() - (lineRoom > 0 ? lineRoom + s.gap : 0));
    const double plotTop = inner.top() + std::max(valueMetrics.height() / 2, valueRoom);
    // A label may hold a second line (the time under a date).
    const QStringList labels = slotLabels(model);
    qsizetype labelLineCount = 1;
    for (const QString& label : labels)
        labelLineCount = std::max(labelLineCount, label.split(QLatin1Char('\n')).size());
    const double rowHeight = double(labelLineCount) * labelMetrics.height();
    auto labelWidth = [&](int g) {
        double width = 0;
        for (const QString& line : labels[g].split(QLatin1Char('\n')))
            width = std::max(width, labelMetrics.horizontalAdvance(line));
        return width;
    };
    const double slotWidth = Slots(model, plotRight - plotLeft).slot;
    bool oneRowHoldsAll = true;
    for (int g = 0; g + 1 < int(labels.size()); ++g)
        oneRowHoldsAll = oneRowHoldsAll && (labelWidth(g) + labelWidth(g + 1)) / 2 + s.gap <= slotWidth;
    const int rows = model.staggerLabels && !oneRowHoldsAll ? 2 : 1;
    const double labelHeight = rows * rowHeight;
    const double plotBottom = std::max(plotTop, inner.bottom() - s.tickLength - s.gap / 2 - labelHeight);
    layout.plot = QRectF(QPointF(plotLeft, plotTop), QPointF(plotRight, plotBottom));
    const QRectF& plot = layout.plot;
    auto yOf = [&](double value) { return positionOf(model, value, plot.bottom(), plot.top()); };
    for (double tick : layout.tickValues)
        layout.tickX << yOf(tick);
    for (const ChartValueLine& line : model.valueLines)
        layout.valueLineAt << yOf(line.value);
    labelTicks(layout, valueMetrics.height(), 0);

    const Slots places(model, plot.width());
    const double slot = places.slot;
    for (int i = 0; i < model.bars.size(); ++i) {
        const double left = plot.left() + places.group(i) * slot + places.inSlot(i);
        const double y0 = yOf(originOf(model));
        const double y1 = yOf(model.bars[i].value);
        layout.barRects << QRectF(QPointF(left, std::min(y0, y1)), QPointF(left + places.thickness, std::max(y0, y1)));
    }
    // A label under each slot. Where they would collide, the newest (rightmost) wins: labels are
    // placed from the right, each only where it keeps clear of the one placed before.
    QList<QRectF> rects;
    QList<QStringList> lines;
    double freeRight[2] = {HUGE_VAL, HUGE_VAL};  // per row
    for (int g = int(labels.size()) - 1; g >= 0; --g) {
        const int row = (int(labels.size()) - 1 - g) % rows;  // the newest in the first row
        const double centre = plot.left() + (g + 0.5) * slot;
        const QStringList labelLines = labels[g].split(QLatin1Char('\n'));
        const double textWidth = labelWidth(g);
        const double width = std::min(std::max(slot, textWidth), inner.width());
        const double left = std::clamp(centre - width / 2, inner.left(), std::max(inner.left(), inner.right() - width));
        rects.prepend(QRectF(left, plot.bottom() + s.tickLength + s.gap / 2 + row * rowHeight, width,
                             rows == 1 ? labelHeight : rowHeight));
        const bool fits = !labels[g].isEmpty() && centre + textWidth / 2 + s.gap <= freeRight[row];
        QStringList shown;
        if (fits)
            for (const QString& line : labelLines)
                shown << labelMetrics.elidedText(line, Qt::ElideRight, width);
        lines.prepend(shown);
        if (fits)
            freeRight[row] = centre - textWidth / 2;
    }
    layout.labelRects = rects;
    layout.labelLines = lines;
}

// Each bar's value at its end. On a column chart a value that would cover a value line moves
// into its column's top, or above the line where the column is too short to hold it.
void placeValues(const BarChartModel& model, const QFontMetricsF& metrics, double u, BarChartLayout& layout)
{
    const bool columns = model.orientation == Qt::Vertical;
    for (int i = 0; i < layout.barRects.size(); ++i) {
        const QRectF& bar = layout.barRects[i];
        QRectF box;
        bool inBar = false;
        if (model.showValues) {
            const double width = metrics.horizontalAdvance(valueText(model, model.bars[i])) + 2 * u;
            if (columns && width <= bar.width() * 1.6)
                box = QRectF(bar.center().x() - width / 2, bar.top() - metrics.height(), width, metrics.height());
            else if (!columns && metrics.height() <= std::max(bar.height(), 1.0) * 1.6)
                box = QRectF(bar.right() + u, bar.center().y() - metrics.height() / 2, width, metrics.height());
        }
        if (columns && !box.isEmpty()) {
            for (const double at : std::as_const(layout.valueLineAt)) {
                if (at < box.top() - 2 * u || at > box.bottom() + 2 * u)
                    continue;
                // Inside only a column that ends below the line; else above both.
                inBar = bar.top() >= at && bar.height() >= box.height() + 2 * u;
                if (inBar)
                    box.moveTop(bar.top() + u);
                else
                    box.moveBottom(std::min(at, bar.top()) - 2 * u);
            }
        }
        layout.valueRects << box;
        layout.valueInBar << inBar;
    }
}

}  // namespace

BarChartLayout layoutBarChart(const BarChartModel& model, const QRectF& rect, QPaintDevice* device)
{
    BarChartLayout layout;
    layout.frame = rect;
    layout.titleFont = fontFor(model.title.font, device);
    layout.valueAxisFont = fontFor(model.valueAxisFont, device);
    layout.labelAxisFont = fontFor(model.labelAxisFont, device);
    const QFontMetricsF titleMetrics(layout.titleFont, device);
    const QFontMetricsF valueMetrics(layout.valueAxisFont, device);
    const QFontMetricsF labelMetrics(layout.labelAxisFont, device);

    const Spacing s(device);
    QRectF inner = rect.adjusted(s.margin, s.margin, -s.margin, -s.margin);
    layOutTitle(model, titleMetrics, labelMetrics, s, inner, layout);
    layout.tickValues = model.axisTicks();
    if (model.orientation == Qt::Vertical)
        layOutColumns(model, inner, valueMetrics, labelMetrics, s, layout);
    else
        layOutRows(model, inner, valueMetrics, labelMetrics, s, layout);
    placeValues(model, valueMetrics, s.u, layout);
    return layout;
}

double minimumBarChartHeight(const BarChartModel& model, QPaintDevice* device)
{
    const Spacing s(device);
    const QFontMetricsF valueMetrics(fontFor(model.valueAxisFont, device), device);
    const QFontMetricsF labelMetrics(fontFor(model.labelAxisFont, device), device);
    double height = 2 * s.margin + s.tickLength + s.gap / 2;
    const bool hasTitle = model.title.visible && !model.title.text.isEmpty();
    if (hasTitle || !model.legend.isEmpty()) {
        const QFontMetricsF titleMetrics(fontFor(model.title.font, device), device);
        const double line = std::max(hasTitle ? titleMetrics.height() : 0.0,
                                     model.legend.isEmpty() ? 0.0 : labelMetrics.height());
        height += line + 2 * TitlePadYUnits * s.u + s.gap;
    }
    if (model.orientation == Qt::Vertical) {
        qsizetype labelLines = 1;
        for (const QString& label : slotLabels(model))
            labelLines = std::max(labelLines, label.split(QLatin1Char('\n')).size());
        const int rows = model.staggerLabels ? 2 : 1;
        return height + double(rows * labelLines) * labelMetrics.height() + 4 * valueMetrics.height();
    }
    return height + valueMetrics.height() + std::max(model.groupCount(), 1) * labelMetrics.height();
}

}  // namespace charts
