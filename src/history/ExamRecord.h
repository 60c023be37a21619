#pragma once
// What the history takes from a graded exam: each item of the exam set with its entry of the
// answer sheet, and the sections of the grade. The caller adds the exam's title, candidate,
// times and key (see Attempt).

#include "history/Attempt.h"
#include "results/Grading.h"
#include "store/ChoiceOrder.h"
#include "store/ItemStates.h"

namespace store {
class Table;
}

namespace history {

// The item at the current record of the open exam set `examSet` (ces.DAT) with its answer sheet
// entry: Q_OR_NUMBER as the source's Q_ID, Q_SECT, Q_TEXT, the fingerprint of its texts in their
// stored order (`shown` is the order its choices were shown in); answered when any choice is
// ticked.
ItemResult itemResultOf(const store::Table& examSet, const store::TItemState& entry, ItemSource source,
                        const store::ChoiceOrder& shown = {});

// Sections 1 to 4 of a graded sheet, with their correct and total counts.
std::vector<SectionResult> sectionResultsOf(const results::Grade& grade);

}  // namespace history
