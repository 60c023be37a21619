#include "print/ItemReports.h"

#include "print/ReportParts.h"
#include "print/engine/Objects.h"
#include "platform/Prompts.h"
#include "store/Fields.h"
#include "store/Table.h"

namespace print {

using namespace report;

namespace {

QChar letterOf(int k)
{
    return QLatin1Char(char('a' + k - 1));
}

// One answer of the all-items report: its box, ticked for a key, its letter and its text.
ReportObject answerRegion(int k, double top)
{
    // The region begins at 6.35 mm in the band; its objects stand at 14.8, 20.1 and 25.4.
    constexpr double Left = 6.35;
    constexpr double TextTop = 0.6;  // the text's first line sits level with the box
    constexpr double TextHeight = 4.2;
    constexpr double SpaceBelow = 2.5;
    const QString n = QString::number(k);
    return region(QStringLiteral("ppRegion%1").arg(k + 1), Left, top, 184.2,
                  TextTop + TextHeight + SpaceBelow,
                  {
                      checkBox(QStringLiteral("ppCB") + n, 14.8 - Left, 0, 4.8, 5.3,
                               store::field::key(k)),
                      label(QStringLiteral("ppL") + n, 20.1 - Left, TextTop, arial(10),
                            QString(letterOf(k)) + QLatin1Char('.')),
                      dataMemo(QStringLiteral("ppDBT") + n, 25.4 - Left, TextTop, 164.6,
                               TextHeight, arial(10), store::field::text(k), SpaceBelow),
                  });
}

}  // namespace

Report makeItemReport()
{
    Report r;
    r.page.documentName = QStringLiteral("Report");
    r.page.pageLimit = 1;

    r.title.height = 35.7;
    r.title.dynamic = true;
    r.title.objects = brand(QStringLiteral("ppShape1"), QStringLiteral("ppLabel2"),
                            QStringLiteral("ppLine1"),
                            BrandPlace{QRectF(10.1, 13.0, 30.7, 8.7), QPointF(11.9, 14.0),
                                       QPointF(28.0, 19.3), 152.9});
    r.title.objects << label(QStringLiteral("ppLabel4"), 181.0, 14.0, arial(12, true), QString(),
                             Anchor::Right)
                    << label(QStringLiteral("ppLabel1"), 181.0, 19.8, arial(10, true), QString(),
                             Anchor::Right)
                    << memo(QStringLiteral("ppMemo1"), 12.7, 29.1, 168.3, 35.7 - 29.1, arial(10));

    r.header.height = 32.0;
    r.header.dynamic = true;
    r.header.objects << line(QStringLiteral("ppLine2"), 12.7, 1.3, 168.3)
                     << memo(QStringLiteral("ppMemo2"), 12.7, 4.2, 168.3, 32.0 - 4.2, arial(10));

    r.detail.height = 7.1;

    r.footer.height = 32.0;
    r.footer.objects << line(QStringLiteral("ppLine4"), 10.1, 1.3, 169.9)
                     << label(QStringLiteral("ppLabel5"), 10.1, 1.9, arial(10));
    return r;
}

QStringList answerLines(const QStringList& answers, const QString& explanation)
{
    QStringList lines;
    for (int k = 1; k <= store::field::AnswerCount; ++k) {
        const QString answer = answers.value(k - 1);
        // a and b always have their line; c to f only when they have a text.
        if (k <= 2 || !answer.isEmpty())
            lines << QString(letterOf(k)) + QStringLiteral(".  ") + answer;
        lines << QString();
    }
    lines << QString() << explanation;
    return lines;
}

void fillItemReport(Report& itemReport, const store::Table& currentSet,
                    const QString& questionText, const QString& examTitle)
{
    itemReport.object(QStringLiteral("ppMemo1")).lines = QStringList{questionText};
    itemReport.object(QStringLiteral("ppLabel4")).text = productAndExam(examTitle);
    itemReport.object(QStringLiteral("ppLabel1")).text =
        QStringLiteral("Item Number: %1").arg(currentSet.recNo());
    QStringList answers;
    for (int k = 1; k <= store::field::AnswerCount; ++k)
        answers << currentSet.asString(store::field::text(k));
    itemReport.object(QStringLiteral("ppMemo2")).lines =
        answerLines(answers, currentSet.asString(QLatin1String(store::field::Q_EXPL)));
    itemReport.object(QStringLiteral("ppLabel5")).text = platform::ApplicationTitle;
}

Report makeAllItemsReport(RecordSource* currentSet)
{
    Report r;
    r.page.documentName = QStringLiteral("Report1");
    r.dataSource = currentSet;

    r.title.height = 20.4;
    r.title.objects = brand(QStringLiteral("ppShape2"), QStringLiteral("ppLabel7"),
                            QStringLiteral("ppLine6"),
                            BrandPlace{QRectF(8.7, 5.3, 30.7, 8.7), QPointF(10.6, 6.4),
                                       QPointF(26.7, 11.9), 164.6});
    r.title.objects << label(QStringLiteral("ppLabel8"), 191.3, 6.4, arial(12, true), QString(),
                             Anchor::Right)
                    << label(QStringLiteral("ppLabel9"), 191.0, 12.7, arial(10, true), QString(),
                             Anchor::Right);

    // The item's number sits on its line, on a white ground that hides the line behind it.
    r.detail.dynamic = true;
    r.detail.objects << line(QStringLiteral("ppLine5"), 8.5, 3.7, 182.0)
                     << dataText(QStringLiteral("ppDBText1"), 8.5, 0.8,
                                 onWhite(arial(10, true, true)), QLatin1String(store::field::Q_OR_NUMBER),
                                 QStringLiteral("Item ID: "), QStringLiteral(" "));
    ReportObject question = dataMemo(QStringLiteral("ppDBMemo1"), 10.6, 6.9, 182.6, 4.2,
                                     arial(10), QLatin1String(store::field::Q_TEXT), 3.8);
    double top = question.top + question.height + question.spaceBelow;
    r.detail.objects << question;
    for (int k = 1; k <= store::field::AnswerCount; ++k) {
        ReportObject answer = answerRegion(k, top);
        top += answer.height;
        if (k >= 3) {
            // Answers c to f print only where the item has them.
            const QString shownBy = QStringLiteral("ppDBT%1").arg(k);
            answer.beforePrint = [shownBy](const PrintContext& context) {
                return !context.shows(shownBy).isEmpty();
            };
        }
        r.detail.objects << answer;
    }
    ReportObject explanation = dataMemo(QStringLiteral("ppDBMemo8"), 12.7, top, 182.0, 4.2,
                                        arial(10, false, true), QLatin1String(store::field::Q_EXPL), 5.1);
    r.detail.height = top + explanation.height + explanation.spaceBelow;
    r.detail.objects << explanation;

    r.footer.height = 19.6;
    r.footer.objects << line(QStringLiteral("ppLine3"), 7.9, 0.8, 182.6)
                     << pageNumber(QStringLiteral("ppSystemVariable1"), 189.4, 1.6, arial(8));
    return r;
}

void fillAllItemsReport(Report& allItems, const QString& examTitle)
{
    allItems.object(QStringLiteral("ppLabel8")).text = productAndExam(examTitle);
    allItems.object(QStringLiteral("ppLabel9")).text = QStringLiteral("All Items in ") + examTitle;
}

}  // namespace print
