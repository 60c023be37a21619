#pragma once
// Saving an item's note: in the current exam set's record and in the bank record the item
// came from, both or neither, and the user told which when a write fails.

#include <QString>

namespace store {
class Table;
}

namespace notes {

// Saves `note` in the bank record that the current record of `currentSet` came from (its
// Q_OR_NUMBER, the Item ID the user sees) and then in that current record. The bank goes
// first: it keeps the note for later exams. When the exam set then refuses, the bank gets its
// old note back. A StoreError names the item and the file that refused and says which tables
// hold the note: none (the usual case) or, when the bank refused its old note back as well,
// the bank alone. After a failure `currentSet` is browsing, without the pending note.
void saveNote(store::Table& currentSet, store::Table* bank, const QString& note);

}  // namespace notes
