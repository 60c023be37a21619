#include "print/ReportParts.h"

#include "print/engine/Objects.h"

#include "platform/Prompts.h"

namespace print {

QList<report::ReportObject> brand(const QString& frameName, const QString& labelName,
                                  const QString& lineName, const BrandPlace& place)
{
    report::TextStyle style = report::arial(16, true, true);
    style.colour = QColor(0, 0, 128);
    // The frame's white ground hides the start of the line.
    report::ReportObject frame = report::rectangle(frameName, place.frame.left(), place.frame.top(),
                                                   place.frame.width(), place.frame.height());
    frame.style.background = Qt::white;
    return {
        report::line(lineName, place.lineStart.x(), place.lineStart.y(), place.lineWidth),
        frame,
        report::label(labelName, place.label.x(), place.label.y(), style,
                      QStringLiteral(" Quizlore ")),
    };
}

QString productAndExam(const QString& examTitle)
{
    return platform::ApplicationTitle + QStringLiteral(", ") + examTitle;
}

}  // namespace print
