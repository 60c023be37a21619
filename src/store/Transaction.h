#pragma once
// A transaction on a connection, rolled back unless committed.

#include <QString>

namespace store {

class Connection;

class Transaction {
public:
    enum class Lock {
        Write,  // BEGIN IMMEDIATE: the write lock at once, so no other writer gets in first
        Read,   // BEGIN: the read lock at the first read, kept until the end
    };

    Transaction(Connection& db, const QString& doing, Lock lock = Lock::Write);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // When COMMIT fails (the disk is full, a reader holds the file) it throws and the
    // transaction stays open, to be committed again or rolled back.
    void commit();

private:
    Connection& m_db;
    QString m_doing;
    bool m_open = true;
};

}  // namespace store
