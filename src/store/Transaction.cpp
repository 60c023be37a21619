#include "store/Transaction.h"

#include "store/Connection.h"

namespace store {

Transaction::Transaction(Connection& db, const QString& doing, Lock lock) : m_db(db), m_doing(doing)
{
    db.exec(lock == Lock::Write ? "BEGIN IMMEDIATE" : "BEGIN", doing);
}

Transaction::~Transaction()
{
    if (m_open)
        m_db.execQuietly("ROLLBACK");
}

void Transaction::commit()
{
    m_db.exec("COMMIT", m_doing);
    m_open = false;
}

}  // namespace store
