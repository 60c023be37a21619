#include "store/SqlValue.h"

#include <sqlcipher/sqlite3.h>

#include <QString>

namespace store {

QVariant columnValue(sqlite3_stmt* stmt, int column)
{
    switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_INTEGER: return QVariant(qint64(sqlite3_column_int64(stmt, column)));
    case SQLITE_FLOAT: return QVariant(sqlite3_column_double(stmt, column));
    case SQLITE_NULL: return QVariant();
    default: break;
    }
    const char* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
    return QVariant(QString::fromUtf8(text, sqlite3_column_bytes(stmt, column)));
}

void bindValue(sqlite3_stmt* stmt, int parameter, const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::UnknownType:
        sqlite3_bind_null(stmt, parameter);
        break;
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Bool:
        sqlite3_bind_int64(stmt, parameter, v.toLongLong());
        break;
    default: {
        const QByteArray text = v.toString().toUtf8();
        sqlite3_bind_text(stmt, parameter, text.constData(), int(text.size()), SQLITE_TRANSIENT);
    }
    }
}

}  // namespace store
