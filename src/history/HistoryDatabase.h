#pragma once
// The connection to history.DAT: opening and keying it, checking that it is a history file,
// its layout, statements, transactions and the errors that name the file and the reason.

#include "history/HistoryError.h"
#include "store/Connection.h"
#include "store/Statement.h"
#include "store/Transaction.h"

#include <QString>

#include <cstdint>

namespace history {

class HistoryDatabase : public store::Connection {
public:
    HistoryDatabase(const QString& path, const QString& password);
    ~HistoryDatabase() override;

    QString path() const { return m_path; }

    // Opens the file for reading. False when it does not exist or holds no history yet.
    bool openToRead(const QString& doing);
    // Opens the file for a write, creating it when missing; the layout is made by the first
    // write transaction.
    void openToWrite(const QString& doing);
    void close();
    bool hasLayout() const { return m_version > 0; }
    // Makes the layout in a file without one, or upgrades an older one that could not be
    // upgraded when it was opened; inside the caller's write transaction.
    void makeLayoutCurrent(const QString& doing);

    // Throws the HistoryError for SQLite's last failure on this connection (or `code`).
    [[noreturn]] void failSql(const QString& doing, int code = 0) const override;
    [[noreturn]] void fail(const QString& doing, HistoryError::Reason reason, const QString& why) const;

    // The store's statements and transactions, throwing this file's HistoryError.
    using Statement = store::Statement;
    using Transaction = store::Transaction;

private:
    void open(int flags, const QString& doing);
    // Closes a connection whose file is no longer the one at the path (moved aside or replaced
    // through another store), so that the next use opens the file that is there now.
    void dropIfReplaced();
    void checkLayout(const QString& doing);
    // A file of an older layout is upgraded in a transaction of its own; one that cannot be
    // written now (read-only, locked, no room) is read as it is and upgraded by the next write.
    void upgradeOrReadAsIs(const QString& doing);

    QString m_path;
    QString m_password;
    int m_version = 0;  // the layout version of the file; 0 while it has none
    std::uint64_t m_device = 0;  // the file the connection has open
    std::uint64_t m_inode = 0;
};

}  // namespace history
