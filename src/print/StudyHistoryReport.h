#pragma once
// The printed study history: on the first page the readiness estimate (its lines and the
// sections' chart), the summary line, the chart of the score per
// attempt, the sections' chart and the most-missed questions (an entry never split over two
// pages); then the attempts, one line each, their heading and column headings kept with their
// first rows and the column headings repeated on every page they continue on; numbered pages.

#include "print/engine/ReportModel.h"

#include <QString>
#include <QStringList>

namespace print {

// The fields of each attempt record the report walks.
namespace historyfield {
inline const QString Date = QStringLiteral("date");
inline const QString Exam = QStringLiteral("exam");
inline const QString Score = QStringLiteral("score");
inline const QString Grade = QStringLiteral("grade");
inline const QString TimeUsed = QStringLiteral("timeUsed");
}  // namespace historyfield

struct StudyHistoryPrint {
    QStringList readiness;  // the chance, the expected score, how it was reached, what is due
    report::ChartPainter readinessChart;  // empty: no chart (not enough data)
    QString summary;  // "All exams: 12 attempts, 3 passed, best score 933"
    report::ChartPainter scoreChart;
    report::ChartPainter sectionsChart;
    QStringList mostMissed;  // one line per question
    report::RecordSource* attempts = nullptr;  // newest first, with the fields above
};

report::Report makeStudyHistoryReport(const StudyHistoryPrint& content);

}  // namespace print
