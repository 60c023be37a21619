// Reads under one read lock, and writes as one transaction.

#include "store/Table.h"

namespace store {

void Table::startReading()
{
    requireOpen("read the table");
    if (inTransaction() || reading())
        return;
    // A deferred transaction: the read lock is taken by the first read and kept.
    m_readLock.emplace(m_connection, QStringLiteral("cannot read the table"), Transaction::Lock::Read);
}

void Table::endReading() noexcept
{
    // Nothing was written, so ending by a rollback cannot lose anything.
    m_readLock.reset();
}

void Table::startTransaction()
{
    requireOpen("start a transaction");
    if (inTransaction())
        fail(QStringLiteral("a transaction is already running"));
    endReading();
    m_transaction.emplace(m_connection, QStringLiteral("cannot write the table"));
    // Another program may have written since the table was opened: with the write lock
    // held, the records are read again.
    rereadKeepingPosition();
}

void Table::commit()
{
    requireOpen("commit");
    if (!inTransaction())
        return;
    m_transaction->commit();
    m_transaction.reset();
}

void Table::rollback()
{
    if (!isOpen() || !inTransaction())
        return;
    m_transaction.reset();
    m_state = DataSetState::Browse;
    reloadKeys();
    m_eof = m_bof = m_visibleKeys.empty();
    m_pos = m_visibleKeys.empty() ? -1 : 0;
    loadCurrent();
    notifyData();
}

}  // namespace store
