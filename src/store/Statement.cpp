#include "store/Statement.h"

#include "store/Connection.h"

#include <sqlcipher/sqlite3.h>

namespace store {

Statement::Statement(Connection& db, const char* sql, const QString& doing) : m_db(db), m_doing(doing)
{
    prepare(QByteArray::fromRawData(sql, int(qstrlen(sql))));
}

Statement::Statement(Connection& db, const QString& sql, const QString& doing) : m_db(db), m_doing(doing)
{
    prepare(sql.toUtf8());
}

void Statement::prepare(const QByteArray& sql)
{
    if (sqlite3_prepare_v2(m_db.m_db, sql.constData(), int(sql.size()), &m_stmt, nullptr) != SQLITE_OK) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        m_db.failSql(m_doing);
    }
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

Statement& Statement::bind(int parameter, std::int64_t value)
{
    sqlite3_bind_int64(m_stmt, parameter, value);
    return *this;
}

Statement& Statement::bind(int parameter, const QString& value)
{
    const QByteArray utf8 = value.toUtf8();
    sqlite3_bind_text(m_stmt, parameter, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    return *this;
}

Statement& Statement::bindNull(int parameter)
{
    sqlite3_bind_null(m_stmt, parameter);
    return *this;
}

Statement& Statement::bindValue(int parameter, const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::UnknownType: return bindNull(parameter);
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Bool: return bind(parameter, std::int64_t(value.toLongLong()));
    default: return bind(parameter, value.toString());
    }
}

Statement& Statement::bindColumn(int parameter, const Statement& row, int column)
{
    sqlite3_bind_value(m_stmt, parameter, sqlite3_column_value(row.m_stmt, column));
    return *this;
}

void Statement::clearBindings()
{
    sqlite3_clear_bindings(m_stmt);
}

bool Statement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE) {
        const int code = sqlite3_extended_errcode(sqlite3_db_handle(m_stmt));
        sqlite3_reset(m_stmt);
        m_db.failSql(m_doing, code);
    }
    return false;
}

void Statement::run()
{
    while (step()) {
    }
    reset();
}

void Statement::reset()
{
    sqlite3_reset(m_stmt);
}

ColumnType Statement::type(int column) const
{
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_INTEGER: return ColumnType::Integer;
    case SQLITE_FLOAT: return ColumnType::Float;
    case SQLITE_TEXT: return ColumnType::Text;
    case SQLITE_BLOB: return ColumnType::Blob;
    default: return ColumnType::Null;
    }
}

std::int64_t Statement::integer(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

QString Statement::text(int column) const
{
    const char* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
    return QString::fromUtf8(text, sqlite3_column_bytes(m_stmt, column));
}

QVariant Statement::value(int column) const
{
    switch (type(column)) {
    case ColumnType::Integer: return QVariant(qint64(integer(column)));
    case ColumnType::Float: return QVariant(sqlite3_column_double(m_stmt, column));
    case ColumnType::Null: return QVariant();
    default: return QVariant(text(column));
    }
}

}  // namespace store
