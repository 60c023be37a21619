#pragma once
// A prepared statement on a connection, finalized when it goes out of scope. Its values are
// bound from 1 on, its columns read from 0 on; every failure throws the connection's error
// with what the statement was doing.

#include <QString>
#include <QVariant>

#include <cstdint>

struct sqlite3_stmt;

namespace store {

class Connection;

// What a column of the current row holds, as SQLite stores it.
enum class ColumnType { Integer, Float, Text, Blob, Null };

class Statement {
public:
    Statement(Connection& db, const char* sql, const QString& doing);
    Statement(Connection& db, const QString& sql, const QString& doing);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& bind(int parameter, std::int64_t value);
    Statement& bind(int parameter, const QString& value);
    Statement& bindNull(int parameter);
    // Invalid as NULL, whole numbers and truths as integers, anything else as its text.
    Statement& bindValue(int parameter, const QVariant& value);
    // A column of `row`'s current row, as it is stored.
    Statement& bindColumn(int parameter, const Statement& row, int column);
    void clearBindings();

    bool step();  // true while it gives a row; a failed statement is reset, so it holds no lock
    void run();   // steps to the end and resets, for writes
    void reset();

    ColumnType type(int column) const;
    bool isNull(int column) const { return type(column) == ColumnType::Null; }
    std::int64_t integer(int column) const;
    QString text(int column) const;
    // Whole numbers as qint64, fractions as double, texts (and anything else) as QString,
    // NULL as an invalid QVariant.
    QVariant value(int column) const;

private:
    void prepare(const QByteArray& sql);

    Connection& m_db;
    sqlite3_stmt* m_stmt = nullptr;
    QString m_doing;
};

}  // namespace store
