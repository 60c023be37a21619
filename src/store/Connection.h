#pragma once
// An open SQLite connection and how its failures are told. The table files and the study
// history each derive their connection from it; statements and transactions run on it and throw
// their owner's error, which names the file and says what went wrong.

#include <QString>

#include <cstdint>

struct sqlite3;

namespace store {

class Connection {
public:
    Connection() = default;
    virtual ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool isOpen() const { return m_db != nullptr; }

    // Throws the owner's error for SQLite's last failure on this connection (or for `code`).
    [[noreturn]] virtual void failSql(const QString& doing, int code = 0) const = 0;

    void exec(const char* sql, const QString& doing);
    // For steps whose failure changes nothing (ending a read, giving back memory): SQLite's result.
    int execQuietly(const char* sql) noexcept;
    std::int64_t lastInsertId() const;

protected:
    // Takes over a connection opened by openKeyedDatabase.
    void adopt(sqlite3* db);
    void closeConnection() noexcept;
    sqlite3* handle() const { return m_db; }
    // SQLite's extended result code of the last failure; SQLITE_ERROR when closed.
    int lastErrorCode() const;

private:
    friend class Statement;
    sqlite3* m_db = nullptr;
};

}  // namespace store
