#include "results/BarChart.h"

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

QString BarChartModel::accessibleText() const
{
    QStringList figures;
    for (auto bar = bars.crbegin(); bar != bars.crend(); ++bar)
        figures << bar->label.simplified() + QStringLiteral(": ") + numberText(bar->value, 1) +
                       valueSuffix;
    QString name = title.text.simplified();
    if (name.isEmpty())
        name = QStringLiteral("Bar chart");
    if (figures.isEmpty())
        return name + QStringLiteral(": no bars");
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

    const double u = unitOf(device);
    const double margin = MarginUnits * u;
    const double gap = GapUnits * u;
    const double tickLength = TickUnits * u;
    QRectF inner = rect.adjusted(margin, margin, -margin, -margin);

    if (model.title.visible && !model.title.text.isEmpty()) {
        const double padX = TitlePadXUnits * u;
        const double padY = TitlePadYUnits * u;
        const double width =
            std::min(titleMetrics.horizontalAdvance(model.title.text) + 2 * padX, inner.width());
        const double height = titleMetrics.height() + 2 * padY;
        double left = inner.left() + (inner.width() - width) / 2;
        if (model.title.alignment & Qt::AlignLeft)
            left = inner.left();
        else if (model.title.alignment & Qt::AlignRight)
            left = inner.right() - width;
        layout.titleRect = QRectF(left, inner.top(), width, height);
        inner.setTop(inner.top() + height + gap);
    }

    layout.tickValues = model.axisTicks();
    double firstHalf = 0;
    double lastHalf = 0;
    if (!layout.tickValues.isEmpty()) {
        firstHalf = valueMetrics.horizontalAdvance(numberText(layout.tickValues.first(), 6)) / 2;
        lastHalf = valueMetrics.horizontalAdvance(numberText(layout.tickValues.last(), 6)) / 2;
    }

    double naturalLabelWidth = 0;
    for (const ChartBar& bar : model.bars)
        naturalLabelWidth =
            std::max(naturalLabelWidth, labelMetrics.horizontalAdvance(bar.label.trimmed()));
    const double labelWidth = std::min(naturalLabelWidth, inner.width() * model.maxLabelShare);

    const double plotLeft = inner.left() + std::max(labelWidth + gap + tickLength, firstHalf);
    const double plotRight = std::max(plotLeft, inner.right() - lastHalf);
    const double plotBottom =
        std::max(inner.top(), inner.bottom() - tickLength - gap / 2 - valueMetrics.height());
    layout.plot = QRectF(QPointF(plotLeft, inner.top()), QPointF(plotRight, plotBottom));

    const QRectF& plot = layout.plot;
    const bool hasScale = model.axisMax > model.axisMin;
    auto xOf = [&](double value) {
        if (!hasScale || !std::isfinite(value))
            return plot.left();
        const double clamped = std::clamp(value, model.axisMin, model.axisMax);
        return plot.left() +
               (clamped - model.axisMin) / (model.axisMax - model.axisMin) * plot.width();
    };
    for (double tick : layout.tickValues)
        layout.tickX << xOf(tick);
    // Label every tick where there is room, else every second, third, ... from the minimum.
    double widestTick = 0;
    for (double tick : layout.tickValues)
        widestTick = std::max(widestTick, valueMetrics.horizontalAdvance(numberText(tick, 6)));
    int every = 1;
    if (layout.tickX.size() > 1) {
        const double spacing = layout.tickX[1] - layout.tickX[0];
        const double needed = spacing > 0 ? std::ceil((widestTick + gap) / spacing) : HUGE_VAL;
        every = needed >= double(layout.tickX.size()) ? int(layout.tickX.size())
                                                      : std::max(1, int(needed));
    }
    for (int k = 0; k < layout.tickX.size(); ++k)
        layout.tickLabelled << (k % every == 0);

    const int count = int(model.bars.size());
    const double slot = count > 0 ? plot.height() / count : 0;
    const double thickness = slot * std::clamp(model.barWidthPercent, 1, 100) / 100.0;
    const double origin = hasScale ? std::clamp(0.0, model.axisMin, model.axisMax) : 0.0;
    for (int i = 0; i < count; ++i) {
        const ChartBar& bar = model.bars[i];
        const double slotBottom = plot.bottom() - i * slot;
        const double middle = slotBottom - slot / 2;
        const double x0 = xOf(origin);
        const double x1 = xOf(bar.value);
        layout.barRects << QRectF(QPointF(std::min(x0, x1), middle - thickness / 2),
                                  QPointF(std::max(x0, x1), middle + thickness / 2));

        layout.labelRects << QRectF(inner.left(), slotBottom - slot, labelWidth, slot);
        const QString label = bar.label.trimmed();
        QStringList lines;
        if (labelMetrics.horizontalAdvance(label) <= labelWidth)
            lines << label;
        else if (model.wrapLabels)
            lines = wrapText(label, labelMetrics, labelWidth);
        else
            lines << labelMetrics.elidedText(label, Qt::ElideRight, labelWidth);
        layout.labelLines << lines;
    }
    return layout;
}

double minimumBarChartHeight(const BarChartModel& model, QPaintDevice* device)
{
    const double u = unitOf(device);
    const double margin = MarginUnits * u;
    const double gap = GapUnits * u;
    const double tickLength = TickUnits * u;
    const QFontMetricsF valueMetrics(fontFor(model.valueAxisFont, device), device);
    const QFontMetricsF labelMetrics(fontFor(model.labelAxisFont, device), device);
    double height = 2 * margin + tickLength + gap / 2 + valueMetrics.height();
    if (model.title.visible && !model.title.text.isEmpty()) {
        const QFontMetricsF titleMetrics(fontFor(model.title.font, device), device);
        height += titleMetrics.height() + 2 * TitlePadYUnits * u + gap;
    }
    return height + std::max<qsizetype>(model.bars.size(), 1) * labelMetrics.height();
}

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
        painter.setPen(QPen(Qt::black, u, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect.adjusted(u / 2, u / 2, -u / 2, -u / 2));
    }

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
        painter.drawText(
            layout.titleRect, Qt::AlignCenter | Qt::TextSingleLine,
            metrics.elidedText(model.title.text, Qt::ElideRight, layout.titleRect.width()));
    }

    const QRectF& plot = layout.plot;
    // Grid lines at the labelled values.
    painter.setPen(QPen(QColor(192, 192, 192), u));
    for (double x : layout.tickX)
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));

    // Bars.
    for (int i = 0; i < layout.barRects.size(); ++i) {
        const QRectF& bar = layout.barRects[i];
        if (bar.width() <= 0 || bar.height() <= 0)
            continue;
        painter.fillRect(bar, model.bars[i].colour);
        painter.setPen(QPen(Qt::black, u, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(bar);
    }

    // Axes with their outer ticks and labels.
    painter.setPen(QPen(Qt::black, u, Qt::SolidLine, Qt::SquareCap));
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    const double tickLength = TickUnits * u;
    painter.setFont(layout.valueAxisFont);
    const QFontMetricsF valueMetrics(layout.valueAxisFont, painter.device());
    for (int k = 0; k < layout.tickX.size(); ++k) {
        const double x = layout.tickX[k];
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + tickLength));
        if (!layout.tickLabelled[k])
            continue;
        const QString text = numberText(layout.tickValues[k], 6);
        const double width = valueMetrics.horizontalAdvance(text);
        painter.drawText(QRectF(x - width / 2 - u, plot.bottom() + tickLength + 2 * u,
                                width + 2 * u, valueMetrics.height()),
                         Qt::AlignHCenter | Qt::AlignTop, text);
    }

    painter.setFont(layout.labelAxisFont);
    const QFontMetricsF labelMetrics(layout.labelAxisFont, painter.device());
    for (int i = 0; i < layout.labelRects.size(); ++i) {
        const QRectF& slot = layout.labelRects[i];
        const QStringList& lines = layout.labelLines[i];
        const double lineHeight = labelMetrics.height();
        double y = slot.center().y() - lines.size() * lineHeight / 2;
        for (const QString& line : lines) {
            painter.drawText(QRectF(slot.left(), y, slot.width(), lineHeight),
                             Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, line);
            y += lineHeight;
        }
    }
    painter.restore();
}

BarChart::BarChart(QWidget* parent) : QWidget(parent)
{
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
