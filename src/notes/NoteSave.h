#pragma once
// Saving an item's note: in the current exam set's record and in the bank record the item
// came from, both or neither.

#include <QString>

namespace store {
class Table;
}

namespace notes {

// Saves `note` in the current record of `currentSet` and in the record of `bank` that its
// Q_OR_NUMBER names. When the bank refuses (not open, locked, read-only), the exam set gets
// `storedNote` back and a StoreError naming the bank's file is thrown.
void saveNote(store::Table& currentSet, store::Table* bank, const QString& note, const QString& storedNote);

}  // namespace notes
