#pragma once
// What the exam window keeps in the study history and takes from it: a graded exam as an
// attempt, and the bank items of the exams aimed at weak spots (Missed and Marked Questions).
// Qt Core only; the history file is history.DAT in the working folder.

#include "history/Attempt.h"
#include "results/Grading.h"
#include "store/ChoiceOrder.h"
#include "store/ItemStates.h"

#include <cstdint>
#include <vector>

namespace store {
class Table;
}

namespace examhistory {

// What the exam window knows of an exam beside its tables.
struct ExamFacts {
    QString key;  // one per exam start; grading again replaces the attempt of that key
    QString kindId;  // the exam kind's stable id (store/ExamKinds.h), by which the history groups
    QString title;
    QString candidateName;
    int timeLimitSeconds = 0;  // 0 without a clock
    int timeUsedSeconds = 0;
    history::ItemSource source = history::ItemSource::Bank;
    // The order each item's choices were shown in, by record; empty: the stored orders.
    std::vector<store::ChoiceOrder> choiceOrders;
};

// Records the graded exam of the open exam set `examSet` with its answer sheet in history.DAT,
// items in exam order; the table shows no record move meanwhile and is back on its record
// afterwards. Never throws: when the attempt cannot be recorded it gives the message that tells
// the user so and why (the history file is then left as it was); empty when it was recorded.
QString recordExam(store::Table& examSet, const store::ItemStates& sheet, const results::Grade& grade,
                   const ExamFacts& facts);

enum class WeakSpots { Missed, Marked, Due };

// "Missed Questions", "Marked Questions" or "Due for Review".
QString examTitleOf(WeakSpots kind);
// What the user is told when there is nothing to take (of Missed or Marked Questions).
QString nothingToTakeText(WeakSpots kind);

// The Q_IDs of the items of the open question bank, as its filter shows them, whose latest
// recorded answer was wrong or missing (Missed) or that were marked in their latest recorded
// attempt (Marked); an item the bank no longer shows, or whose texts have changed since, is left
// out. Empty without a history. Throws a HistoryError when the history cannot be read.
std::vector<std::int64_t> weakSpotItems(WeakSpots kind, store::Table& bank);

// The items of an exam aimed at weak spots, or what the user is told when there are none.
struct ListedItems {
    std::vector<std::int64_t> items;
    QString nothingText;
};
// As weakSpotItems; for Due, the items due for review today (history::ReviewSchedule), lowest
// recall first, at most as many as the largest practice exam asks.
ListedItems listedItems(WeakSpots kind, store::Table& bank);

}  // namespace examhistory
