#include "store/RecordCopy.h"

#include "store/SqlValue.h"
#include "store/StoreError.h"
#include "store/Table.h"

#include <sqlcipher/sqlite3.h>

#include <QStringList>

namespace store {

namespace {

// The quoted column name of a field, or an error naming the table.
QString column(const Table& table, const char* name)
{
    const int index = table.fieldIndex(QLatin1String(name));
    if (index < 0)
        throw StoreError(QStringLiteral("Table %1: the table lacks the field %2")
                             .arg(table.tableName(), QLatin1String(name)));
    return QLatin1Char('"') + table.fieldNames().at(index) + QLatin1Char('"');
}

// A stored value that is not already of its field's type, turned into it as the table cursor's
// values are: a number as its text, a text as the number it spells (0 if none), 0/1 for a truth.
QVariant converted(const QVariant& value, FieldType type)
{
    switch (type) {
    case FieldType::Text: return value.toString();
    case FieldType::Boolean: return qint64(value.toLongLong() != 0);
    case FieldType::Integer: break;
    }
    return qint64(value.toLongLong());
}

}  // namespace

RecordCopy::RecordCopy(Table& source, Table& target, const std::vector<CopiedField>& fields)
    : m_source(source), m_target(target)
{
    source.requireOpen("copy records");
    target.requireOpen("copy records");
    QStringList read;
    for (const CopiedField& f : fields) {
        read.append(column(source, f.source));
        column(target, f.target);  // the error when the target lacks it
        m_parameters.push_back(target.fieldIndex(QLatin1String(f.target)) + 1);
        m_types.push_back(f.type);
    }
    // Every field of the target is written, as an appended record of the cursor is: those not
    // copied and Q_ID (which the table then chooses) as NULL.
    QStringList written, marks;
    for (const QString& name : target.fieldNames()) {
        written.append(QLatin1Char('"') + name + QLatin1Char('"'));
        marks.append(QStringLiteral("?"));
    }
    const QString items = QLatin1Char('"') + QLatin1String(ItemsTable) + QLatin1Char('"');
    m_select = source.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
                                  .arg(read.join(','), items, column(source, field::Q_ID)));
    try {
        m_insert = target.prepare(
            QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(items, written.join(','), marks.join(',')));
    } catch (...) {
        sqlite3_finalize(m_select);
        throw;
    }
}

RecordCopy::~RecordCopy()
{
    sqlite3_finalize(m_select);
    sqlite3_finalize(m_insert);
}

void RecordCopy::bindConverted(int field)
{
    const int parameter = m_parameters[size_t(field)];
    const FieldType type = m_types[size_t(field)];
    // The usual case, a value already of its field's type, goes across as it is.
    switch (sqlite3_column_type(m_select, field)) {
    case SQLITE_NULL:
        if (type == FieldType::Text)
            sqlite3_bind_text(m_insert, parameter, "", 0, SQLITE_STATIC);
        else
            sqlite3_bind_int64(m_insert, parameter, 0);
        return;
    case SQLITE_INTEGER:
        if (type == FieldType::Text)
            break;
        sqlite3_bind_int64(m_insert, parameter,
                           type == FieldType::Boolean ? sqlite3_column_int64(m_select, field) != 0
                                                      : sqlite3_column_int64(m_select, field));
        return;
    case SQLITE_TEXT:
        if (type != FieldType::Text)
            break;
        sqlite3_bind_text(m_insert, parameter, reinterpret_cast<const char*>(sqlite3_column_text(m_select, field)),
                          sqlite3_column_bytes(m_select, field), SQLITE_TRANSIENT);
        return;
    default: break;
    }
    bindValue(m_insert, parameter, converted(columnValue(m_select, field), type));
}

bool RecordCopy::append(std::int64_t key)
{
    sqlite3_reset(m_select);
    sqlite3_bind_int64(m_select, 1, key);
    const int found = sqlite3_step(m_select);
    if (found == SQLITE_DONE)
        return false;
    if (found != SQLITE_ROW) {
        sqlite3_reset(m_select);
        m_source.failSql(QStringLiteral("cannot read record %1").arg(key));
    }
    sqlite3_reset(m_insert);
    sqlite3_clear_bindings(m_insert);
    for (int f = 0; f < int(m_types.size()); ++f)
        bindConverted(f);
    const int written = sqlite3_step(m_insert);
    sqlite3_reset(m_insert);
    sqlite3_reset(m_select);
    if (written != SQLITE_DONE)
        m_target.failSql(QStringLiteral("cannot add a record"));
    return true;
}

void RecordCopy::finish()
{
    m_target.rereadKeepingPosition();
}

}  // namespace store
