#pragma once
// Grading arithmetic: the score on the 1000-point scale, the pass rule, the section percentages
// and the texts of the score window. Pure functions of the answer sheet; nothing here touches a
// window or a table.

#include "store/Fields.h"
#include "store/ItemStates.h"

#include <QString>

#include <array>
#include <cstdint>

namespace results {

inline constexpr int ScoreScale = 1000;   // a fully correct exam scores this, whatever its size
inline constexpr int PassingScore = 850;  // the same for every exam kind
inline constexpr int SectionCount = store::SectionCount;

// The section names indexed by section number 1..4; an empty text for any other number.
QString sectionName(int section);

// Rounds the fraction numerator / denominator (denominator > 0, numerator >= 0) to the nearest
// whole number, a half going to the even neighbour. Exact: no floating point is involved.
std::int64_t roundHalfEven(std::int64_t numerator, std::int64_t denominator);

// The score 1000 * correct / total as a real number; 0 when total is 0.
double score(int correct, int total);
// The score as shown: rounded half to even (62.5 -> 62, 187.5 -> 188); 0 when total is 0.
int shownScore(int correct, int total);
// Whether 1000 * correct >= 850 * total, decided in whole numbers; false when total is 0.
bool passes(int correct, int total);
// "Pass" or "Fail".
QString gradeText(bool passed);
// 100 * correct / total rounded half to even; 0 when either count is 0.
int sectionPercent(int correct, int total);

// Counts of one part of the answer sheet.
struct Count {
    int total = 0;
    int correct = 0;
};

// What the answer sheet holds: all entries, and the entries of each section 1..4 (index 0 is
// section 1). An entry whose section lies outside 1..4 counts in the total only.
struct SheetCount {
    Count all;
    std::array<Count, SectionCount> sections;
    int outsideSections = 0;  // entries counted in `all` but in no section

    const Count& section(int s) const { return sections.at(std::size_t(s - 1)); }
};

SheetCount countSheet(const store::ItemStates& sheet);

// One graded exam. An exam without items cannot be scored: `hasItems` is false, every figure is
// 0, the grade is a fail, and the window should show noItemsText() instead of a score.
struct Grade {
    SheetCount count;
    bool hasItems = false;
    double score = 0;  // the real score, the value of the "Your score" bar
    int shownScore = 0;
    bool passed = false;
    std::array<int, SectionCount> sectionPercents{};  // index 0 is section 1

    int sectionPercent(int s) const { return sectionPercents.at(std::size_t(s - 1)); }
};

Grade gradeSheet(const store::ItemStates& sheet);

// "Passing Score: 850   Your Score: 933   Grade: Pass".
QString resultLine(int shownScore, bool passed);
QString resultLine(const Grade& grade);
// "Anna,  Quizlore Prep 2.0,  Practice Exam A".
QString titleLine(const QString& candidateName, const QString& examTitle);
// "Planning (7/9) ", with one blank at the end.
QString sectionLabel(int section, const Count& count);
// What the score window says in place of a score when the exam has no items.
QString noItemsText();

}  // namespace results
