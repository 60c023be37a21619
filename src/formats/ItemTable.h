#pragma once
// Items to and from the records of a table file.

#include "formats/Format.h"
#include "store/ItemCheck.h"

#include <functional>
#include <vector>

namespace store {
class Table;
}

namespace formats {

// The item as table field values, for the item rules of store::checkItem and for writing:
// every field, but Q_ID and Q_OR_NUMBER only when given.
store::ItemRecord recordOf(const Item& item);

// Every visible record of an open table, in key order.
std::vector<Item> readTableItems(store::Table& table);

// Fits items read from a source to a table of `kind`: a missing section becomes `section`,
// a bank's items are numbered on from `firstId`, embedded pictures get plain file names, and
// pictures go where the kind keeps none or where their bytes fail the exhibit checks (each
// with a problem line).
QList<Problem> fitItems(std::vector<Item>& items, store::TableKind kind, int section, int firstId = 1);

// Imports items into an open table in one transaction: all of them or, on any failure, none.
// `beforeWriting`, when given, runs first inside the transaction (with the write lock held)
// and may throw to refuse. Then the embedded pictures are stored beside the table file (see
// storePictures) and the items appended, `afterEach` being called with the count so far.
// On a failure the pictures written are removed again and the error is passed on.
void importItems(store::Table& table, std::vector<Item>& items,
                 const std::function<void(int appended)>& afterEach = {},
                 const std::function<void()>& beforeWriting = {});

}  // namespace formats
