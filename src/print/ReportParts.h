#pragma once
// Pieces that the program's reports share.

#include "print/engine/ReportModel.h"

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>

namespace print {

// Where the brand goes: the frame, the label inside it and the line that runs from it.
struct BrandPlace {
    QRectF frame;
    QPointF label;
    QPointF lineStart;
    double lineWidth;
};

// The brand " Quizlore " in navy bold italic Arial 16 pt in a white frame, with a line that
// runs to the right from behind the frame; in painting order.
QList<report::ReportObject> brand(const QString& frameName, const QString& labelName,
                                  const QString& lineName, const BrandPlace& place);

// "Quizlore Prep 2.0, " followed by the exam's title.
QString productAndExam(const QString& examTitle);

}  // namespace print
