#pragma once
// What a report walks: records one after another, each with named fields. The report engine
// knows no table of its own; whoever prints adapts its data to this.

#include <QList>
#include <QString>
#include <QVariantMap>

namespace report {

class RecordSource {
public:
    virtual ~RecordSource() = default;

    // Moves to the first record; a source without records is at its end at once.
    virtual void first() = 0;
    virtual void next() = 0;
    // Past the last record, or without records: there is no current record to read.
    virtual bool atEnd() const = 0;
    // A field of the current record; only read while not at the end.
    virtual QVariant value(const QString& field) const = 0;
    // The number of the current record, counted from 1.
    virtual int recordNumber() const = 0;
};

// Records held in memory, each a map from field name to value, numbered in list order.
class RecordList final : public RecordSource {
public:
    explicit RecordList(QList<QVariantMap> records = {}) : m_records(std::move(records)) {}

    void first() override { m_index = 0; }
    void next() override
    {
        if (m_index < m_records.size())
            ++m_index;
    }
    bool atEnd() const override { return m_index >= m_records.size(); }
    QVariant value(const QString& field) const override
    {
        return atEnd() ? QVariant() : m_records[m_index].value(field);
    }
    int recordNumber() const override { return atEnd() ? 0 : int(m_index) + 1; }

private:
    QList<QVariantMap> m_records;
    qsizetype m_index = 0;
};

}  // namespace report
