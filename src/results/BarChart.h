#pragma once
// A small chart with one horizontal bar series, painted with QPainter: the same code draws it in
// a widget on screen and into any painter and rectangle (the printed score report).
//
// The first bar of the series is drawn at the bottom, the next above it, and so on. The value
// axis runs along the bottom from a fixed minimum to a fixed maximum with a label every step;
// the left axis shows the bars' labels, wrapped onto several lines when they are too long.

#include <QColor>
#include <QFont>
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QWidget>

class QFontMetricsF;
class QPainter;
class QPaintDevice;

namespace results {

struct Grade;

struct ChartBar {
    double value = 0;
    QString label;
    QColor colour;
};

struct ChartTitle {
    QString text;
    bool visible = true;
    QFont font;
    QColor colour = Qt::black;
    QColor background;   // invalid: the chart's background shows through
    QColor frameColour;  // invalid: no frame
    Qt::Alignment alignment = Qt::AlignHCenter;
};

// Everything one chart shows: the series, the axes and the looks.
struct BarChartModel {
    ChartTitle title;
    QList<ChartBar> bars;  // bars[0] is the bottom bar

    double axisMin = 0;
    double axisMax = 100;
    double axisStep = 10;      // a label and a grid line every step; none when 0 or less
    int barWidthPercent = 80;  // how much of its slot a bar fills

    QColor background;  // invalid: nothing is filled (a widget shows its own background)
    bool border = true;
    QFont valueAxisFont;
    QFont labelAxisFont;
    bool wrapLabels = true;      // otherwise a long label is cut short with an ellipsis
    double maxLabelShare = 0.4;  // the label column takes at most this share of the width
    QString valueSuffix;         // for the accessible text, e.g. "%"

    BarChartModel();

    void clear() { bars.clear(); }
    void addBar(double value, const QString& label, const QColor& colour)
    {
        bars.append(ChartBar{value, label, colour});
    }
    // The values labelled on the value axis, from axisMin to axisMax.
    QList<double> axisTicks() const;
    // The title and the figures in one line for screen readers, bars read from top to bottom:
    // "Sections: Standards and Terminology (3/8): 38%; Planning (7/9): 78%; ...".
    QString accessibleText() const;
};

// Where everything of a chart goes in a rectangle.
struct BarChartLayout {
    QRectF frame;                   // the whole chart
    QRectF titleRect;               // empty when no title shows
    QRectF plot;                    // the area inside the axes
    QList<QRectF> barRects;         // one per bar, in series order (possibly empty for value 0)
    QList<QRectF> labelRects;       // one per bar, left of the plot
    QList<QStringList> labelLines;  // each bar's label as drawn, line by line
    QList<double> tickValues;
    QList<double> tickX;  // where each tick value sits
    QList<bool>
        tickLabelled;  // whether a tick gets its label (labels that would collide are left out)
    QFont titleFont, valueAxisFont, labelAxisFont;  // as resolved for the device
};

// Word-wraps `text` to lines no wider than `width`; a word longer than the width is broken.
QStringList wrapText(const QString& text, const QFontMetricsF& metrics, double width);

// Lays a chart out in `rect` for drawing on `device` (whose resolution sizes the fonts).
BarChartLayout layoutBarChart(const BarChartModel& model, const QRectF& rect, QPaintDevice* device);
// The least height at which every bar's slot holds one line of its label.
double minimumBarChartHeight(const BarChartModel& model, QPaintDevice* device);
// Paints a chart into `rect` of any painter: a widget, an image, a printer page.
void paintBarChart(QPainter& painter, const QRectF& rect, const BarChartModel& model);

// The chart on screen. Its accessible name carries the title and the figures.
class BarChart : public QWidget {
    Q_OBJECT
public:
    explicit BarChart(QWidget* parent = nullptr);

    const BarChartModel& model() const { return m_model; }
    void setModel(const BarChartModel& model);
    BarChartLayout currentLayout() const;

    QSize sizeHint() const override;
    // As high as minimumBarChartHeight asks.
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    BarChartModel m_model;
};

// Colours of the score charts.
inline const QColor YourScoreColour{0, 128, 0};
inline const QColor RequiredScoreColour{0, 0, 255};
inline const QColor SectionColour{255, 0, 0};

// The total chart: "Your score" (the real score, green) below "Required score" (850, blue), on
// 0..1000 with a label every 100, bars at 90 %, white, titled with the title line.
BarChartModel totalChart(double score, const QString& titleLine);
// The sections chart: one red bar per section with its percentage and label, section 1 at the
// top and 4 at the bottom, on 0..100 with a label every 10, bars at 80 %, titled " Sections ".
BarChartModel sectionsChart(const Grade& grade);

}  // namespace results
