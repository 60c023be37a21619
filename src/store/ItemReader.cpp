#include "store/ItemReader.h"

#include "store/Fields.h"
#include "store/KeyedDatabase.h"
#include "store/LockWait.h"
#include "store/Statement.h"
#include "store/StoreError.h"

#include <QDir>

#include <sqlcipher/sqlite3.h>

namespace store {

namespace {

const QString Reading = QStringLiteral("cannot read the table");

}  // namespace

ItemReader::ItemReader(const QString& file, const QString& password) : m_file(file)
{
    const KeyedOpen opened = openKeyedDatabase(file, password, SQLITE_OPEN_READONLY, &DefaultLockWait);
    if (!opened.db)
        throw StoreError(QStringLiteral("Table %1: %2").arg(QDir::toNativeSeparators(file), opened.why), opened.why);
    adopt(opened.db);
}

ItemReader::~ItemReader()
{
    closeConnection();
}

void ItemReader::failSql(const QString& doing, int code) const
{
    const QString reason = describeSqliteError(code == 0 ? lastErrorCode() : code, handle());
    throw StoreError(QStringLiteral("Table %1: %2: %3").arg(QDir::toNativeSeparators(m_file), doing, reason), reason);
}

QString ItemReader::selectOf(const QStringList& names, const char* where) const
{
    QStringList columns;
    for (const QString& name : names)
        columns << QLatin1Char('"') + name + QLatin1Char('"');
    return QStringLiteral("SELECT %1 FROM \"%2\" %3")
        .arg(columns.join(QLatin1Char(',')), QLatin1String(ItemsTable), QLatin1String(where));
}

std::optional<std::vector<QVariant>> ItemReader::item(std::int64_t id, const QStringList& names)
{
    Statement s(*this, selectOf(names, "WHERE \"Q_ID\" = ?1"), Reading);
    s.bind(1, id);
    if (!s.step())
        return std::nullopt;
    std::vector<QVariant> values(std::size_t(names.size()));
    for (int c = 0; c < names.size(); ++c)
        values[std::size_t(c)] = s.value(c);
    return values;
}

void ItemReader::walk(const QStringList& names, const std::function<void(const std::vector<QVariant>& values)>& visit)
{
    Statement s(*this, selectOf(names, "ORDER BY \"Q_ID\""), Reading);
    std::vector<QVariant> values(std::size_t(names.size()));
    while (s.step()) {
        for (int c = 0; c < names.size(); ++c)
            values[std::size_t(c)] = s.value(c);
        visit(values);
    }
}

}  // namespace store
