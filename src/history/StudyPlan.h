#pragma once
// What the study history says about the road ahead, in one place for the Study History window,
// the Due for Review exam and qbank: the readiness estimate and the review schedule, worked out
// from the history and the question bank as they are now.

#include "history/HistoryStore.h"
#include "history/Readiness.h"
#include "history/ReviewSchedule.h"


namespace store {
class Table;
}

namespace history {

// What the estimate needs of the question bank: the exam it predicts, the size of the largest
// practice exam (the most Due for Review asks), and the items the bank asks now.
struct BankFacts {
    ExamShape exam;
    int largestExam = 0;
    // The fingerprint of an item the bank asks (outside exam 0); nullopt for any other.
    CurrentFingerprint current;
};

// The facts of the open bank table `bank`, read in one pass through its filter as it is (set it
// to the asked items).
BankFacts bankFactsOf(store::Table& bank);
// The facts of the bank in the file `bankFile`, opened on its own for them. Throws a StoreError
// when it cannot be read.
BankFacts bankFactsIn(const QString& bankFile);

struct StudyPlan {
    Readiness readiness;
    ReviewSchedule review;
    std::optional<QDate> examDate;
    bool hasHistory = false;  // any bank item answered at all
};

// The plan as of `now` (ms since the epoch), from the attempts graded before then. Throws a
// HistoryError when the history cannot be read.
StudyPlan studyPlanOf(const HistoryStore& history, const BankFacts& bank, std::int64_t now);

}  // namespace history
