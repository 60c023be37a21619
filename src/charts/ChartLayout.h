#pragma once
// Where each part of a bar chart goes in a rectangle of a paint device: the title and legend,
// the plot, the bars, the labels and the ticks.

#include "charts/ChartModel.h"

#include <QFont>
#include <QList>
#include <QRectF>
#include <QStringList>

class QFontMetricsF;
class QPaintDevice;

namespace charts {

// Where everything of a chart goes in a rectangle.
struct BarChartLayout {
    QRectF frame;                   // the whole chart
    QRectF titleRect;               // empty when no title shows
    QRectF plot;                    // the area inside the axes
    QRectF legendRect;              // empty without a legend
    QList<QRectF> barRects;         // one per bar, in series order (possibly empty for value 0)
    // One per label: per bar, or per group of bars; left of the plot (under it for columns).
    QList<QRectF> labelRects;
    QList<QStringList> labelLines;  // each label as drawn, line by line; empty when left out
    QList<double> tickValues;
    QList<double> tickX;  // where each tick value sits along the value axis (a y for columns)
    QList<double> valueLineAt;  // where each value line crosses the value axis
    QList<bool>
        tickLabelled;  // whether a tick gets its label (labels that would collide are left out)
    // Each bar's value text: where it stands (empty where the bars are too thin to tell whose
    // it is), and whether it stands inside its bar's end (to keep a value line clear).
    QList<QRectF> valueRects;
    QList<bool> valueInBar;
    QFont titleFont, valueAxisFont, labelAxisFont;  // as resolved for the device
};

// Word-wraps `text` to lines no wider than `width`; a word longer than the width is broken.
QStringList wrapText(const QString& text, const QFontMetricsF& metrics, double width);

// Lays a chart out in `rect` for drawing on `device` (whose resolution sizes the fonts).
BarChartLayout layoutBarChart(const BarChartModel& model, const QRectF& rect, QPaintDevice* device);
// The least height at which every bar's slot holds one line of its label.
double minimumBarChartHeight(const BarChartModel& model, QPaintDevice* device);

}  // namespace charts
