#include "print/StudyHistoryReport.h"

#include "print/ReportParts.h"
#include "print/engine/Objects.h"
#include "platform/ApplicationTitle.h"

namespace print {

using namespace report;

namespace {

// The columns of the attempts: where each text begins (or ends, for the figures).
constexpr double DateLeft = 15.1;
constexpr double ExamLeft = 55.0;
constexpr double ScoreRight = 128.0;
constexpr double GradeLeft = 136.0;
constexpr double TimeRight = 182.3;
constexpr double Width = 167.2;  // from DateLeft to TimeRight

ReportObject rightAligned(ReportObject object)
{
    object.anchor = Anchor::Right;
    return object;
}

}  // namespace

Report makeStudyHistoryReport(const StudyHistoryPrint& content)
{
    Report r;
    r.page.documentName = QStringLiteral("Study History");

    r.title.height = 163;
    r.title.dynamic = true;
    r.title.objects = brand(QStringLiteral("hsBrandFrame"), QStringLiteral("hsBrand"), QStringLiteral("hsBrandLine"),
                            BrandPlace{QRectF(14.6, 7.1, 29.1, 9.8), QPointF(15.3, 9.0), QPointF(27.3, 13.2), 155.0});
    // The readiness estimate first, then the rest of the page below it.
    const bool readinessChart = static_cast<bool>(content.readinessChart);
    const double below = readinessChart ? 82.0 : 40.0;
    r.title.height += below;
    ReportObject readiness = memo(QStringLiteral("hsReadiness"), DateLeft, 28.0, Width, 3.0, arial(10), 4.2);
    readiness.lines = content.readiness;
    ReportObject missed = memo(QStringLiteral("hsMissed"), DateLeft, 157.0 + below, Width, 3.0, arial(9), 3.0);
    missed.keepLines = 3;  // an entry of up to three lines is never split over two pages
    missed.lines = content.mostMissed.isEmpty() ? QStringList{QStringLiteral("No question missed yet.")}
                                                : content.mostMissed;
    r.title.objects << label(QStringLiteral("hsProduct"), TimeRight, 7.7, arial(11, true),
                             productAndExam(QStringLiteral("Study History")), Anchor::Right)
                    << printDate(QStringLiteral("hsDate"), TimeRight, 14.0, arial(10))
                    << label(QStringLiteral("hsReadinessTitle"), DateLeft, 21.0, arial(11, true),
                             QStringLiteral("Readiness for an exam of new questions"))
                    << readiness;
    if (readinessChart) {
        r.title.objects << chart(QStringLiteral("hsReadinessChart"), DateLeft, 60.0, Width, 40.0);
        r.find(QStringLiteral("hsReadinessChart"))->chart = content.readinessChart;
    }
    r.title.objects << label(QStringLiteral("hsSummary"), 98.7, 22.2 + below, arial(11, true), content.summary,
                             Anchor::Centre)
                    << chart(QStringLiteral("hsScoreChart"), DateLeft, 30.0 + below, Width, 62.0)
                    << chart(QStringLiteral("hsSectionsChart"), DateLeft, 94.0 + below, Width, 52.0)
                    << label(QStringLiteral("hsMissedTitle"), DateLeft, 150.0 + below, arial(10, true),
                             QStringLiteral("Most missed questions"))
                    << line(QStringLiteral("hsMissedLine"), DateLeft, 155.0 + below, Width) << missed;
    r.find(QStringLiteral("hsScoreChart"))->chart = content.scoreChart;
    r.find(QStringLiteral("hsSectionsChart"))->chart = content.sectionsChart;

    // The attempts' heading stays with their column headings and first rows.
    r.groupHeader.height = 9.0;
    r.groupHeader.objects << label(QStringLiteral("hsAttemptsTitle"), DateLeft, 0.0, arial(10, true),
                                   QStringLiteral("Attempts, newest first"));

    r.header.height = 7.0;
    r.header.objects << label(QStringLiteral("hsDateHead"), DateLeft, 1.0, arial(9, true), QStringLiteral("Date"))
                     << label(QStringLiteral("hsExamHead"), ExamLeft, 1.0, arial(9, true), QStringLiteral("Exam"))
                     << label(QStringLiteral("hsScoreHead"), ScoreRight, 1.0, arial(9, true), QStringLiteral("Score"),
                              Anchor::Right)
                     << label(QStringLiteral("hsGradeHead"), GradeLeft, 1.0, arial(9, true), QStringLiteral("Grade"))
                     << label(QStringLiteral("hsTimeHead"), TimeRight, 1.0, arial(9, true),
                              QStringLiteral("Time used"), Anchor::Right)
                     << line(QStringLiteral("hsHeadLine"), DateLeft, 5.6, Width);

    r.detail.height = 5.0;
    r.detail.objects << dataText(QStringLiteral("hsDateText"), DateLeft, 0.6, arial(9), historyfield::Date)
                     << dataText(QStringLiteral("hsExamText"), ExamLeft, 0.6, arial(9), historyfield::Exam)
                     << rightAligned(dataText(QStringLiteral("hsScoreText"), ScoreRight, 0.6, arial(9),
                                              historyfield::Score))
                     << dataText(QStringLiteral("hsGradeText"), GradeLeft, 0.6, arial(9), historyfield::Grade)
                     << rightAligned(dataText(QStringLiteral("hsTimeText"), TimeRight, 0.6, arial(9),
                                              historyfield::TimeUsed));
    r.dataSource = content.attempts;

    r.footer.height = 14.0;
    r.footer.objects << line(QStringLiteral("hsFootLine"), DateLeft, 1.9, Width)
                     << label(QStringLiteral("hsFootText"), DateLeft, 2.6, arial(9), platform::ApplicationTitle)
                     << pageNumber(QStringLiteral("hsPage"), TimeRight, 2.6, arial(9));
    return r;
}

}  // namespace print
