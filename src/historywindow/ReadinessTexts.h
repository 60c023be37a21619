#pragma once
// The readiness panel's texts, the same in the window and on paper.

#include "history/StudyPlan.h"

#include <QString>

namespace historywindow {

// "72% chance of passing" or "Not enough data yet".
QString headlineText(const history::Readiness& readiness);
// "Expected score 870, likely between 810 and 930. Weakest section: Planning." (empty without a figure).
QString expectedScoreText(const history::Readiness& readiness);
// "12 questions are due for review today." or when the next ones fall due.
QString dueText(const history::StudyPlan& plan);
// "Exam on 20 Dec 2026: review 5 questions a day until then." (empty without an exam date).
QString paceText(const history::StudyPlan& plan, const QDate& today);

}  // namespace historywindow
