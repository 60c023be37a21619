#include "results/Grading.h"

#include "platform/ApplicationTitle.h"
#include "store/Fields.h"

#include <stdexcept>

namespace results {

QString sectionName(int section)
{
    if (section < 1 || section > SectionCount)
        return {};
    return store::SectionNames[section - 1];
}

std::int64_t roundHalfEven(std::int64_t numerator, std::int64_t denominator)
{
    if (denominator <= 0)
        throw std::invalid_argument("roundHalfEven: the denominator must be positive");
    if (numerator < 0)
        return -roundHalfEven(-numerator, denominator);
    const std::int64_t quotient = numerator / denominator;
    const std::int64_t twiceRest = 2 * (numerator % denominator);
    if (twiceRest > denominator || (twiceRest == denominator && quotient % 2 != 0))
        return quotient + 1;
    return quotient;
}

double score(int correct, int total)
{
    if (total <= 0)
        return 0;
    return double(ScoreScale) * correct / total;
}

int shownScore(int correct, int total)
{
    if (total <= 0)
        return 0;
    return int(roundHalfEven(std::int64_t(ScoreScale) * correct, total));
}

bool passes(int correct, int total)
{
    if (total <= 0)
        return false;
    return std::int64_t(ScoreScale) * correct >= std::int64_t(PassingScore) * total;
}

QString gradeText(bool passed)
{
    return passed ? QStringLiteral("Pass") : QStringLiteral("Fail");
}

int sectionPercent(int correct, int total)
{
    if (correct <= 0 || total <= 0)
        return 0;
    return int(roundHalfEven(std::int64_t(100) * correct, total));
}

SheetCount countSheet(const store::ItemStates& sheet)
{
    SheetCount count;
    for (const store::TItemState& item : sheet) {
        ++count.all.total;
        if (item.Correct)
            ++count.all.correct;
        if (item.Section < 1 || item.Section > SectionCount) {
            ++count.outsideSections;
            continue;
        }
        Count& section = count.sections[std::size_t(item.Section - 1)];
        ++section.total;
        if (item.Correct)
            ++section.correct;
    }
    return count;
}

Grade gradeSheet(const store::ItemStates& sheet)
{
    Grade grade;
    grade.count = countSheet(sheet);
    const Count& all = grade.count.all;
    grade.hasItems = all.total > 0;
    grade.score = score(all.correct, all.total);
    grade.shownScore = shownScore(all.correct, all.total);
    grade.passed = passes(all.correct, all.total);
    for (int s = 1; s <= SectionCount; ++s) {
        const Count& section = grade.count.section(s);
        grade.sectionPercents[std::size_t(s - 1)] = sectionPercent(section.correct, section.total);
    }
    return grade;
}

QString resultLine(int shownScore, bool passed)
{
    return QStringLiteral("Passing Score: %1   Your Score: %2   Grade: %3")
        .arg(PassingScore)
        .arg(shownScore)
        .arg(gradeText(passed));
}

QString resultLine(const Grade& grade)
{
    return resultLine(grade.shownScore, grade.passed);
}

QString titleLine(const QString& candidateName, const QString& examTitle)
{
    return candidateName + QStringLiteral(",  ") + platform::ApplicationTitle +
           QStringLiteral(",  ") + examTitle;
}

QString sectionLabel(int section, const Count& count)
{
    return sectionName(section) + QStringLiteral(" (") + QString::number(count.correct) +
           QLatin1Char('/') + QString::number(count.total) + QStringLiteral(") ");
}

QString noItemsText()
{
    return QStringLiteral("This exam has no items, so it cannot be scored.");
}

}  // namespace results
