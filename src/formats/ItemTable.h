#pragma once
// Items to and from the records of a table file.

#include "formats/Format.h"

#include <functional>
#include <vector>

namespace store {
class Table;
}

namespace formats {

// Every visible record of an open table, in key order.
std::vector<Item> readTableItems(store::Table& table);

// Fits items read from a source to a table of `kind`: a missing section becomes `section`,
// a bank's items are numbered on from `firstId`, and pictures go where the kind keeps none
// (each with a problem line).
QList<Problem> fitItems(std::vector<Item>& items, store::TableKind kind, int section, int firstId = 1);

// Appends the items to an open table in one transaction: all of them or, on any failure,
// none. `afterEach` is called with the count appended so far (for progress).
void appendItems(store::Table& table, const std::vector<Item>& items,
                 const std::function<void(int appended)>& afterEach = {});

// Imports items into an open table: their embedded pictures are stored beside the table file
// (see storePictures), then the items are appended in one transaction. When the append fails
// the pictures written for it are removed again and the error is passed on.
void importItems(store::Table& table, std::vector<Item>& items,
                 const std::function<void(int appended)>& afterEach = {});

}  // namespace formats
