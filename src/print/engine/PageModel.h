#pragma once
// A laid-out report: pages of positioned boxes in millimetres from the paper's top left
// corner. Painting only draws what stands here; tests read positions from it.

#include "print/engine/ReportModel.h"

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <utility>

namespace report {

enum class BoxKind { Text, Rectangle, Line, CheckBox, Chart };

struct Box {
    BoxKind kind = BoxKind::Text;
    QString name;  // the object it comes from
    QRectF rect;   // a line has height 0
    // Text: the lines as broken, each `lineHeight` below the one before, with its baseline
    // `ascent` below its top, aligned in `rect`.
    TextStyle style;
    QStringList lines;
    double lineHeight = 0;
    double ascent = 0;
    // Runs of lines [first, end) that a page break must not divide (short paragraphs).
    QList<std::pair<qsizetype, qsizetype>> keptRuns;
    Anchor alignment = Anchor::Left;
    bool clipped = false;  // cut at the bottom of its rectangle
    bool checked = false;  // check box
    ChartPainter chart;

    QString text() const { return lines.join(QLatin1Char('\n')); }
};

struct PlacedBand {
    BandKind kind = BandKind::Detail;
    QRectF rect;
    int record = 0;  // the record number of a detail band; 0 without a data source
};

struct Page {
    int number = 1;
    QList<PlacedBand> bands;
    QList<Box> boxes;

    // The first box made from the named object; null when there is none.
    const Box* find(const QString& name) const;
    QList<const Box*> findAll(const QString& name) const;
    // Every text of the page, box by box, in painting order.
    QStringList texts() const;
};

struct Document {
    QString name;
    QSizeF paper;
    double margin = 0;
    QList<Page> pages;
};

}  // namespace report
