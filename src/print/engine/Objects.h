#pragma once
// Short ways to make the objects of a report design. Places are in millimetres from the top
// left corner of the band or region that holds the object.

#include "print/engine/ReportModel.h"

namespace report {

// An Arial face of `points` size.
TextStyle arial(double points, bool bold = false, bool italic = false);
// The same style on a white ground: it hides a line that runs behind it.
TextStyle onWhite(TextStyle style);

ReportObject label(const QString& name, double left, double top, const TextStyle& style,
                   const QString& text = QString(), Anchor anchor = Anchor::Left);
ReportObject memo(const QString& name, double left, double top, double width, double height,
                  const TextStyle& style, double spaceBelow = 0);
ReportObject dataText(const QString& name, double left, double top, const TextStyle& style,
                      const QString& field, const QString& prefix = QString(),
                      const QString& suffix = QString());
ReportObject dataMemo(const QString& name, double left, double top, double width, double height,
                      const TextStyle& style, const QString& field, double spaceBelow = 0);
ReportObject rectangle(const QString& name, double left, double top, double width, double height);
ReportObject line(const QString& name, double left, double top, double width);
ReportObject checkBox(const QString& name, double left, double top, double width, double height,
                      const QString& field);
ReportObject printDate(const QString& name, double rightEdge, double top, const TextStyle& style);
ReportObject pageNumber(const QString& name, double rightEdge, double top, const TextStyle& style);
ReportObject chart(const QString& name, double left, double top, double width, double height);
// A stretching region that holds `children`, placed from its own top left corner.
ReportObject region(const QString& name, double left, double top, double width, double height,
                    QList<ReportObject> children);

}  // namespace report
