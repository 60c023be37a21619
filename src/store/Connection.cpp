#include "store/Connection.h"

#include <sqlcipher/sqlite3.h>

namespace store {

Connection::~Connection()
{
    closeConnection();
}

void Connection::adopt(sqlite3* db)
{
    closeConnection();
    m_db = db;
}

void Connection::closeConnection() noexcept
{
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

int Connection::lastErrorCode() const
{
    return m_db ? sqlite3_extended_errcode(m_db) : SQLITE_ERROR;
}

void Connection::exec(const char* sql, const QString& doing)
{
    if (execQuietly(sql) != SQLITE_OK)
        failSql(doing);
}

int Connection::execQuietly(const char* sql) noexcept
{
    return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr);
}

std::int64_t Connection::lastInsertId() const
{
    return sqlite3_last_insert_rowid(m_db);
}

}  // namespace store
