#pragma once
// The score window's printed report `ppReport1`: one page that mirrors the window, with the
// title line, the date, the total chart, the result line and the sections chart. Grading
// fills its labels and charts through the functions below.

#include "print/engine/ReportModel.h"

#include <QString>

namespace print {

report::Report makeScoreReport();

// The title line (`ppLabel1`), the result line (`ppLabel4`) and the total chart
// (`ppTeeChart1`).
void setScoreReportTotal(report::Report& scoreReport, const QString& titleLine,
                         const QString& resultLine, report::ChartPainter totalChart);
// The sections chart (`ppTeeChart2`).
void setScoreReportSections(report::Report& scoreReport, report::ChartPainter sectionsChart);
// The footer's `ppLabel2`.
void setScoreReportFooter(report::Report& scoreReport, const QString& text);

}  // namespace print
