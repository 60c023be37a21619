#pragma once
// What a bar chart shows: its bars, axes, value lines, legend and looks, and its figures as
// screen readers read them.
//
// Horizontal bars (the default): the first bar of the series is drawn at the bottom, the next
// above it, and so on. The value axis runs along the bottom from a fixed minimum to a fixed
// maximum with a label every step; the left axis shows the bars' labels, wrapped onto several
// lines when they are too long.
//
// Vertical bars (columns): the first bar stands at the left, the value axis runs up the left
// side, and the labels stand under the columns (where they would collide, those further
// right win). Either way, consecutive bars may form groups under one label (a section's figures
// side by side), value lines may cross the plot (a passing score), a legend may name the
// colours, and each bar may carry its value.

#include <QColor>
#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>

namespace charts {

struct ChartBar {
    double value = 0;
    QString label;
    QColor colour;
    QString mark;  // shown and read in place of the value when not empty ("no attempts")
    // An interval around the value, drawn as a whisker across the bar's end and read aloud;
    // none while low is not below high.
    double low = 0;
    double high = 0;

    bool hasRange() const { return low < high; }
};

// A line across the plot at `value` of the value axis, labelled at its end.
struct ChartValueLine {
    double value = 0;
    QString label;
    QColor colour;
};

struct ChartLegendEntry {
    QString text;
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
    QString valueSuffix;         // for the accessible text and the values shown, e.g. "%"

    Qt::Orientation orientation = Qt::Horizontal;
    // Bars side by side under one label (barsPerGroup of them). When groupLabels is given, the
    // label axis shows groupLabels[g] for the bars from g * barsPerGroup on, and each bar's own
    // label is read only by screen readers (a short date under a column, the date and the exam
    // read aloud).
    int barsPerGroup = 1;
    // Column labels that would collide in one row take two, every other label one row lower,
    // so that each keeps its place; without, the newest win and the others are left out.
    bool staggerLabels = false;
    QStringList groupLabels;
    QList<ChartValueLine> valueLines;
    QList<ChartLegendEntry> legend;  // drawn on the title's line, at the right
    bool showValues = false;         // each bar's value written at its end

    BarChartModel();

    void clear() { bars.clear(); }
    void addBar(double value, const QString& label, const QColor& colour)
    {
        bars.append(ChartBar{value, label, colour, QString()});
    }
    // The values labelled on the value axis, from axisMin to axisMax.
    QList<double> axisTicks() const;
    // The title and the figures in one line for screen readers, bars read from top to bottom
    // (columns from left to right), then the value lines:
    // "Sections: Standards and Terminology (3/8): 38%; Planning (7/9): 78%; ...".
    QString accessibleText() const;
    // One bar's figure as read aloud: "Planning (7/9): 78%".
    QString barText(int index) const;
    // One value line's figure: "Passing score: 850".
    QString valueLineText(int index) const;
    // The bars in the order a reader meets them: top to bottom, or left to right.
    QList<int> readingOrder() const;
    int groupCount() const;
};

}  // namespace charts
