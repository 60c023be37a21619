#include "historywindow/ReadinessTexts.h"

#include "results/Grading.h"

#include <cmath>

namespace historywindow {

QString headlineText(const history::Readiness& readiness)
{
    if (!readiness.enough)
        return QStringLiteral("Not enough data yet");
    // A figure that rounds to 0 or 100 would claim a certainty the estimate does not have.
    if (readiness.passChance < 0.005)
        return QStringLiteral("Under 1% chance of passing");
    if (readiness.passChance > 0.995)
        return QStringLiteral("Over 99% chance of passing");
    return QStringLiteral("%1% chance of passing").arg(std::lround(100 * readiness.passChance));
}

QString expectedScoreText(const history::Readiness& readiness)
{
    if (!readiness.enough)
        return {};
    QString text = QStringLiteral("Expected score %1, likely between %2 and %3 (the passing score is %4).")
                       .arg(std::lround(readiness.score.expected))
                       .arg(std::lround(readiness.score.low))
                       .arg(std::lround(readiness.score.high))
                       .arg(results::PassingScore);
    if (readiness.sections.size() > 1 && readiness.weakestSection > 0)
        text += QStringLiteral(" Weakest section: %1.").arg(results::sectionName(readiness.weakestSection));
    return text;
}

QString dueText(const history::StudyPlan& plan)
{
    const int due = plan.review.dueToday;
    const int beforeExam = plan.review.dueBeforeExam;
    QString text;
    if (due == 0 && beforeExam == 0)
        return history::nothingDueText(plan.review, plan.hasHistory);
    if (due == 0)
        text = QStringLiteral("Nothing is due for review today.");
    else
        text = due == 1 ? QStringLiteral("1 question is due for review today.")
                        : QStringLiteral("%1 questions are due for review today.").arg(due);
    if (beforeExam > due)
        text += QStringLiteral(" With those that would fade by your exam: %1.").arg(beforeExam);
    return text;
}

QString paceText(const history::StudyPlan& plan, const QDate& today)
{
    if (!plan.examDate)
        return {};
    const QString day = history::dayText(*plan.examDate);
    if (*plan.examDate <= today)
        return QStringLiteral("Your exam is today (%1).").arg(day);
    const int perDay = plan.review.perDay;
    if (perDay == 0)
        return QStringLiteral("Exam on %1: nothing to review before then so far.").arg(day);
    return QStringLiteral("Exam on %1: review %2 question%3 a day until then.")
        .arg(day)
        .arg(perDay)
        .arg(perDay == 1 ? "" : "s");
}

}  // namespace historywindow
