#include "print/TableRecords.h"

#include "store/Table.h"

namespace print {

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
