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
// The same for one item, which is numbered `id` when it needs a number.
QList<Problem> fitItem(Item& item, store::TableKind kind, int section, int id);

// Items added to an open table one at a time, in one transaction that starts with the import
// (holding the write lock): commit() keeps them all; an import ended without it (a failure, an
// exception) keeps none, and the pictures it wrote are removed again.
class ItemImport {
public:
    explicit ItemImport(store::Table& table);
    ~ItemImport();
    ItemImport(const ItemImport&) = delete;
    ItemImport& operator=(const ItemImport&) = delete;

    // Stores the embedded pictures beside the table file (see storePictures) and appends the item.
    void add(Item& item);
    int added() const { return m_added; }
    void commit();

private:
    store::Table& m_table;
    QStringList m_pictures;  // the files written
    int m_added = 0;
    bool m_open = true;
};

// Imports items into an open table in one transaction: all of them or, on any failure, none,
// `afterEach` being called with the count so far. On a failure the error is passed on.
void importItems(store::Table& table, std::vector<Item>& items, const std::function<void(int appended)>& afterEach = {});

}  // namespace formats
