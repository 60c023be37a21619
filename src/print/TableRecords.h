#pragma once
// A table of ours as the record source of a report. While it lives the table shows no record
// move (its controls are off); when it goes the table is back on the record it was on, so a
// report never moves the record a window shows.

#include "print/engine/RecordSource.h"
#include "store/QuietWalk.h"

namespace print {

class TableRecords final : public report::RecordSource {
public:
    explicit TableRecords(store::Table& table) : m_table(table), m_walk(table) {}

    void first() override;
    void next() override;
    bool atEnd() const override;
    QVariant value(const QString& field) const override;
    // The record's position among all records of the table, also while a filter hides some.
    int recordNumber() const override;

private:
    store::Table& m_table;
    store::QuietWalk m_walk;
};

}  // namespace print
