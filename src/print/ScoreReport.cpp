#include "print/ScoreReport.h"

#include "print/ReportParts.h"
#include "print/engine/Objects.h"

namespace print {

using namespace report;

Report makeScoreReport()
{
    Report r;
    r.page.documentName = QStringLiteral("Score Report");
    r.page.pageLimit = 1;

    r.header.height = 154.5;
    r.header.objects = brand(QStringLiteral("ppShape2"), QStringLiteral("ppLabel7"),
                             QStringLiteral("ppLine1"),
                             BrandPlace{QRectF(14.6, 7.1, 29.1, 9.8), QPointF(15.3, 9.0),
                                        QPointF(27.3, 13.2), 155.0});
    r.header.objects
        << label(QStringLiteral("ppLabel1"), 182.3, 7.7, arial(11, true), QString(), Anchor::Right)
        << printDate(QStringLiteral("ppSystemVariable1"), 182.7, 14.0, arial(10))
        << label(QStringLiteral("ppLabel5"), 100.9, 22.2, arial(11, true),
                 QStringLiteral("Examination Score Report"), Anchor::Centre)
        << rectangle(QStringLiteral("ppShape1"), 15.1, 33.3, 167.5, 34.1)
        << chart(QStringLiteral("ppTeeChart1"), 16.4, 34.9, 165.4, 31.2)
        << label(QStringLiteral("ppLabel4"), 99.5, 68.5, arial(11, true), QString(), Anchor::Centre)
        << line(QStringLiteral("ppLine2"), 15.1, 90.2, 167.5)
        << label(QStringLiteral("ppLabel3"), 16.9, 88.1, onWhite(arial(10, true)),
                 QStringLiteral(" Sections "))
        << chart(QStringLiteral("ppTeeChart2"), 10.1, 92.6, 177.8, 33.3);

    r.detail.height = 16.1;

    r.footer.height = 25.7;
    r.footer.objects << line(QStringLiteral("ppLine3"), 10.1, 1.9, 172.5)
                     << label(QStringLiteral("ppLabel2"), 10.1, 2.6, arial(9));
    return r;
}

void setScoreReportTotal(Report& scoreReport, const QString& titleLine, const QString& resultLine,
                         ChartPainter totalChart)
{
    scoreReport.object(QStringLiteral("ppTeeChart1")).chart = std::move(totalChart);
    scoreReport.object(QStringLiteral("ppLabel1")).text = titleLine;
    scoreReport.object(QStringLiteral("ppLabel4")).text = resultLine;
}

void setScoreReportSections(Report& scoreReport, ChartPainter sectionsChart)
{
    scoreReport.object(QStringLiteral("ppTeeChart2")).chart = std::move(sectionsChart);
}

void setScoreReportFooter(Report& scoreReport, const QString& text)
{
    scoreReport.object(QStringLiteral("ppLabel2")).text = text;
}

}  // namespace print
