#include "results/BarChart.h"

#include "results/BarChartAccessible.h"
#include "results/Grading.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace results {

namespace {

// One screen pixel at 96 dpi in the units of `device`, so that lines and gaps keep their size
// on a printer page.
double unitOf(const QPaintDevice* device)
{
    if (!device || device->logicalDpiY() <= 0)
        return 1.0;
    return std::max(1.0, device->logicalDpiY() / 96.0);
}

// The chart's spacing, in units of unitOf(): around the chart, between its parts, and the
// length of an axis tick.
constexpr double MarginUnits = 6;
constexpr double GapUnits = 4;
constexpr double TickUnits = 4;
// The padding of the title's box, across and up and down.
constexpr double TitlePadXUnits = 6;
constexpr double TitlePadYUnits = 1;

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

// The font as it is drawn on `device`. A size in pixels means pixels of a 96-dpi screen, so that
// a chart keeps its proportions on a printer page (sizes in points scale by themselves).
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
    const QString value = bar.mark.isEmpty() ? numberText(bar.value, 1) + valueSuffix : bar.mark;
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

// The side of a legend entry's colour box.
double legendBox(const QFontMetricsF& metrics)
{
    return std::round(metrics.height() * 0.7);
}

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

QString valueText(const BarChartModel& model, const ChartBar& bar)
{
    return bar.mark.isEmpty() ? numberText(bar.value, 0) + model.valueSuffix : bar.mark;
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
                               metrics.horizontalAdvance(numberText(line.value, 1))});
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
    const double plotBottom =
        std::max(plotTop, inner.bottom() - s.tickLength - s.gap / 2 - labelMetrics.height());
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
    // One line of label under each slot. Where they would collide, the newest (rightmost) wins:
    // labels are placed from the right, each only where it keeps clear of the one placed before.
    const QStringList labels = slotLabels(model);
    QList<QRectF> rects;
    QList<QStringList> lines;
    double freeRight = HUGE_VAL;
    for (int g = int(labels.size()) - 1; g >= 0; --g) {
        const double centre = plot.left() + (g + 0.5) * slot;
        const double textWidth = labelMetrics.horizontalAdvance(labels[g]);
        const double width = std::min(std::max(slot, textWidth), inner.width());
        const double left = std::clamp(centre - width / 2, inner.left(), std::max(inner.left(), inner.right() - width));
        rects.prepend(QRectF(left, plot.bottom() + s.tickLength + s.gap / 2, width, labelMetrics.height()));
        const bool fits = !labels[g].isEmpty() && centre + textWidth / 2 + s.gap <= freeRight;
        lines.prepend(fits ? QStringList{labelMetrics.elidedText(labels[g], Qt::ElideRight, width)} : QStringList());
        if (fits)
            freeRight = centre - textWidth / 2;
    }
    layout.labelRects = rects;
    layout.labelLines = lines;
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
    if (model.orientation == Qt::Vertical)
        return height + labelMetrics.height() + 4 * valueMetrics.height();
    return height + valueMetrics.height() + std::max(model.groupCount(), 1) * labelMetrics.height();
}

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
}

// Each bar's value at its end, on the chart's ground so that a value line does not cross it;
// left out where the bars are too thin to tell whose it is.
void paintValues(QPainter& painter, const BarChartModel& model, const BarChartLayout& layout, double u)
{
    if (!model.showValues)
        return;
    const bool columns = model.orientation == Qt::Vertical;
    painter.setFont(layout.valueAxisFont);
    const QFontMetricsF metrics(layout.valueAxisFont, painter.device());
    const QColor ground = model.background.isValid() ? model.background : QColor(Qt::white);
    for (int i = 0; i < layout.barRects.size(); ++i) {
        const QRectF& bar = layout.barRects[i];
        const QString text = valueText(model, model.bars[i]);
        const double width = metrics.horizontalAdvance(text) + 2 * u;
        QRectF box;
        if (columns && width <= bar.width() * 1.6)
            box = QRectF(bar.center().x() - width / 2, bar.top() - metrics.height(), width, metrics.height());
        else if (!columns && metrics.height() <= std::max(bar.height(), 1.0) * 1.6)
            box = QRectF(bar.right() + u, bar.center().y() - metrics.height() / 2, width, metrics.height());
        else
            continue;
        painter.fillRect(box, ground);
        painter.setPen(Qt::black);
        painter.drawText(box, Qt::AlignCenter | Qt::TextSingleLine, text);
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
        const QString value = numberText(line.value, 1);
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
    paintValues(painter, model, layout, u);
    paintLabels(painter, model, layout);
    painter.restore();
}

BarChart::BarChart(QWidget* parent) : QWidget(parent)
{
    installBarChartAccessibility();
    setAccessibleName(m_model.accessibleText());
}

void BarChart::setModel(const BarChartModel& model)
{
    m_model = model;
    setAccessibleName(m_model.accessibleText());
    updateGeometry();
    update();
}

BarChartLayout BarChart::currentLayout() const
{
    return layoutBarChart(m_model, QRectF(rect()), const_cast<BarChart*>(this));
}

QSize BarChart::sizeHint() const
{
    return QSize(420, 180);
}

QSize BarChart::minimumSizeHint() const
{
    const double height = minimumBarChartHeight(m_model, const_cast<BarChart*>(this));
    return QSize(160, int(std::ceil(height)));
}

void BarChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintBarChart(painter, QRectF(rect()), m_model);
}

BarChartModel totalChart(double score, const QString& titleLine)
{
    BarChartModel chart;
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

BarChartModel sectionsChart(const Grade& grade)
{
    BarChartModel chart;
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
