#include "print/TableRecords.h"

#include "store/Table.h"

namespace print {

TableRecords::TableRecords(store::Table& table) : m_table(table)
{
    m_table.disableControls();
    m_hadRecord = m_table.isOpen() && !m_table.isEmpty();
    if (m_hadRecord)
        m_bookmark = m_table.getBookmark();
}

TableRecords::~TableRecords()
{
    if (m_hadRecord) {
        try {
            m_table.gotoBookmark(m_bookmark);
        } catch (...) {
            // The record is gone: the table stays where the walk ended.
        }
        m_table.freeBookmark(m_bookmark);
    }
    m_table.enableControls();
}

void TableRecords::first()
{
    m_table.first();
}

void TableRecords::next()
{
    m_table.next();
}

bool TableRecords::atEnd() const
{
    return !m_table.isOpen() || m_table.eof();
}

QVariant TableRecords::value(const QString& field) const
{
    return m_table.value(field);
}

int TableRecords::recordNumber() const
{
    return m_table.recNo();
}

}  // namespace print
