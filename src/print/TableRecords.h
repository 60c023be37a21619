#pragma once
// A table of ours as the record source of a report. While it lives the table shows no record
// move (its controls are off); when it goes the table is back on the record it was on, so a
// report never moves the record a window shows.

#include "print/engine/RecordSource.h"

#include <cstdint>

namespace store {
class Table;
}

namespace print {

class TableRecords final : public report::RecordSource {
public:
    explicit TableRecords(store::Table& table);
    ~TableRecords() override;
    TableRecords(const TableRecords&) = delete;
    TableRecords& operator=(const TableRecords&) = delete;

    void first() override;
    void next() override;
    bool atEnd() const override;
    QVariant value(const QString& field) const override;
    // The record's position among all records of the table, also while a filter hides some.
    int recordNumber() const override;

private:
    store::Table& m_table;
    bool m_hadRecord = false;
    std::int64_t m_bookmark = 0;
};

}  // namespace print
