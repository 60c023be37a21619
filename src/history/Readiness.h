#pragma once
// Would the learner pass an exam of questions they have not seen, if they sat it now? The
// evidence is each bank item's first answer, the honest sample of what the learner knows of new
// questions: answers given again measure memory (see ReviewSchedule.h) and are not counted.
// Newer first answers weigh more, since the learner improves; each section is estimated with a
// prior that pulls a section of few answers toward the learner's overall rate; and the
// estimate's uncertainty is carried into the chance of passing and its interval.

#include "history/Recall.h"

#include <QDate>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace history {

// A bank item the learner has answered, as it is in the bank now, with every answer to it.
struct AnsweredItem {
    std::int64_t bankId = 0;
    int section = 0;  // 1..4
    std::vector<TimedAnswer> answers;  // oldest first
};

// The exam the estimate is for: drawn like the bank's practice exams.
struct ExamShape {
    int items = 0;  // how many items it asks
    // The bank's items outside exam 0 in sections 1..4 (index 0 is section 1): each section's
    // share of the exam.
    std::array<int, 4> sectionItems{};

    int bankItems() const { return sectionItems[0] + sectionItems[1] + sectionItems[2] + sectionItems[3]; }
    // How many items of each section the exam asks: `items` shared out in proportion.
    std::array<int, 4> itemsPerSection() const;
};

// An expected value with its 80 % interval.
struct Range {
    double expected = 0;
    double low = 0;
    double high = 0;
};

// A belief about a rate of right answers: a beta distribution.
struct RateBelief {
    double alpha = 1;
    double beta = 1;
    double mean() const { return alpha / (alpha + beta); }
};

struct ExamOutcome {
    double passChance = 0;
    Range score;  // the shown score, 0..1000
};

// The outcome of an exam of perSection[s] new items of section s + 1, the learner's rates of
// right answers in them believed to be beliefs[s]; passed as grading decides it. With a
// dayShiftLogits above 0, averaged over a normal shift of every rate's log-odds together (the
// learner's form on the day) of that standard deviation.
ExamOutcome examOutcome(const std::array<int, 4>& perSection, const std::array<RateBelief, 4>& beliefs,
                        double dayShiftLogits = 0);

struct SectionReadiness {
    int section = 0;
    Range percent;  // of the section's new questions the learner would answer right
    int firstAnswers = 0;
};

// Until there are this many first answers, and SectionMinimum in each section the exam draws
// from, there is no figure (in a bank with fewer items: until every item is answered).
inline constexpr int ReadinessMinimum = 100;
inline constexpr int SectionMinimum = 10;

struct Readiness {
    bool enough = false;
    int firstAnswers = 0;
    int needed = 0;  // the first answers that would be enough, counting those given
    int exams = 0;  // the attempts the first answers come from
    std::int64_t firstAt = 0;  // the oldest and newest first answer (ms since the epoch)
    std::int64_t lastAt = 0;
    bool nothingNew = false;  // every item of the bank has been answered
    double passChance = 0;
    Range score;  // the shown score, 0..1000
    std::vector<SectionReadiness> sections;  // the sections the exam draws from, in order
    int weakestSection = 0;  // 0 when the sections are within a percentage point of each other
};

Readiness estimateReadiness(const std::vector<AnsweredItem>& items, const ExamShape& shape);

// A day as the readiness and review texts show it: "14 Dec 2026".
QString dayText(const QDate& day);

// How the figure was reached, in plain words; or what is missing for one.
QString readinessWords(const Readiness& readiness);

}  // namespace history
