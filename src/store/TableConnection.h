#pragma once
// The connection of a table component to its file: opening it with the session's passwords,
// the page cache, the exclusive lock, and the errors that name the table.

#include "store/Connection.h"
#include "store/LockWait.h"

#include <QStringList>

namespace store {

class TableConnection : public Connection {
public:
    // `tableName` and `lockWait` are the component's settings, read when they are needed.
    TableConnection(const QString& tableName, const LockWait& lockWait)
        : m_tableName(tableName), m_lockWait(lockWait)
    {
    }

    // Opens the file, trying each password in turn (none when the list is empty), and with
    // `exclusive` takes it for this connection alone. Throws "Cannot open table <file>: <why>".
    void open(const QStringList& passwords, bool exclusive);
    void close() noexcept { closeConnection(); }
    // Takes the open file for this connection alone until it closes. When another program
    // holds it (after the lock retries) it throws and the connection stays as it was.
    void takeExclusive();

    // The page cache holds the decrypted pages of the whole file (up to 256 MB) from opening on.
    // This returns it to 2 MB and frees the memory.
    void releasePageCache() noexcept;
    static constexpr qint64 DefaultPageCacheKb = 2048;

    // The items table's column names, and the file's user_version (the kind it was made as).
    QStringList columnNames();
    int storedKind();

    // "Table <name>: <what>"; `reason` is the cause alone (see StoreError).
    [[noreturn]] void fail(const QString& what, const QString& reason = QString()) const;
    [[noreturn]] void failSql(const QString& doing, int code = 0) const override;

private:
    void cachePages(qint64 fileSize);
    int lockForGood() noexcept;
    std::int64_t pragma(const char* sql);

    const QString& m_tableName;
    const LockWait& m_lockWait;
};

}  // namespace store
