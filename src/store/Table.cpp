// The table component itself: its settings, opening and closing, its fields and notifications.
// Keys and filter, navigation, the edit buffer and transactions each have a file of their own.

#include "store/Table.h"

#include "store/Session.h"
#include "store/StoreError.h"

namespace store {

Table::Table(QObject* parent) : QObject(parent) {}

Table::~Table()
{
    m_transaction.reset();
    m_readLock.reset();
    resetStatements();
    m_connection.close();
}

void Table::setTableName(const QString& fileName)
{
    if (isOpen())
        fail(QStringLiteral("cannot change the file of an open table"));
    m_tableName = fileName;
}

void Table::setExclusive(bool exclusive)
{
    if (isOpen())
        fail(QStringLiteral("cannot change the lock mode of an open table"));
    m_exclusive = exclusive;
}

void Table::takeExclusive()
{
    requireOpen("take the table for exclusive use");
    if (m_exclusive)
        return;
    if (inTransaction())
        fail(QStringLiteral("cannot take the table for exclusive use inside a transaction"));
    m_connection.takeExclusive();
    m_exclusive = true;
}

// ---------------------------------------------------------------- errors

void Table::fail(const QString& what, const QString& reason) const
{
    m_connection.fail(what, reason);
}

void Table::requireOpen(const char* what) const
{
    if (!isOpen())
        fail(QStringLiteral("cannot %1: the table is closed").arg(QLatin1String(what)));
}

// ---------------------------------------------------------------- open and close

void Table::openConnection()
{
    m_connection.open(m_session ? m_session->passwords() : QStringList(), m_exclusive);
}

void Table::resetStatements()
{
    m_selectRow.reset();
    m_insertRow.reset();
}

void Table::checkFields()
{
    m_columns = m_connection.columnNames();
    if (m_columns.isEmpty())
        fail(QStringLiteral("the file holds no table of items"));
    m_storedKind = m_connection.storedKind();
    m_keyColumn = fieldIndex(field::Q_ID);
    if (m_keyColumn < 0)
        fail(QStringLiteral("the table has no field Q_ID"));
    QStringList missing;
    for (const QString& name : m_expectedFields)
        if (fieldIndex(name) < 0)
            missing.append(name);
    if (!missing.isEmpty())
        fail(QStringLiteral("the table lacks the field%1 %2")
                 .arg(missing.size() > 1 ? "s" : "", missing.join(", ")));
}

void Table::open()
{
    if (isOpen())
        return;
    openConnection();
    try {
        checkFields();
        m_selectRow.emplace(m_connection,
                            QStringLiteral("SELECT * FROM \"%1\" WHERE \"%2\" = ?")
                                .arg(QLatin1String(ItemsTable), m_columns[m_keyColumn]),
                            QStringLiteral("cannot read a record"));
        reloadKeys();
    } catch (...) {
        resetStatements();
        m_connection.close();
        m_columns.clear();
        throw;
    }
    m_state = DataSetState::Browse;
    m_buffer.assign(m_columns.size(), QVariant());
    m_modified.assign(m_columns.size(), false);
    if (!controlsDisabled())
        emit stateChanged();
    first();
}

void Table::close()
{
    if (!isOpen())
        return;
    if (inTransaction())
        rollback();
    endReading();
    resetStatements();
    m_connection.close();
    m_allKeys.clear();
    m_visibleKeys.clear();
    m_pos = -1;
    m_eof = m_bof = true;
    m_state = DataSetState::Inactive;
    if (!controlsDisabled())
        emit stateChanged();
}

// ---------------------------------------------------------------- fields

int Table::fieldIndex(const QString& name) const
{
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

// ---------------------------------------------------------------- notifications

void Table::disableControls()
{
    ++m_disableCount;
}

void Table::enableControls()
{
    if (m_disableCount == 0)
        return;
    if (--m_disableCount == 0)
        emit dataChanged();
}

void Table::notifyData()
{
    if (!controlsDisabled())
        emit dataChanged();
}

void DataSource::setDataSet(Table* table)
{
    if (m_table)
        disconnect(m_table, nullptr, this, nullptr);
    m_table = table;
    if (table) {
        connect(table, &Table::dataChanged, this, &DataSource::dataChange);
        connect(table, &Table::stateChanged, this, &DataSource::stateChange);
    }
}

}  // namespace store
