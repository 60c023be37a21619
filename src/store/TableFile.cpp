#include "store/TableFile.h"

#include "store/KeyedDatabase.h"
#include "store/StoreError.h"

#include <sqlcipher/sqlite3.h>

#include <QFile>
#include <QFileInfo>

namespace store {

namespace {

const char* sqlType(FieldType type)
{
    return type == FieldType::Text ? "TEXT" : "INTEGER";
}

}  // namespace

void createTableFile(const QString& path, TableKind kind, const QString& password)
{
    if (QFileInfo::exists(path))
        throw StoreError(QStringLiteral("Cannot create table %1: the file exists already").arg(path));
    QStringList columns;
    for (const FieldDef& f : fieldsOf(kind)) {
        QString column = QStringLiteral("\"%1\" %2").arg(QLatin1String(f.name), QLatin1String(sqlType(f.type)));
        if (QLatin1String(f.name) == QLatin1String(field::Q_ID))
            column += QStringLiteral(" PRIMARY KEY");
        columns.append(column);
    }
    const QString sql = QStringLiteral("CREATE TABLE \"%1\" (%2); PRAGMA user_version = %3;")
                            .arg(QLatin1String(ItemsTable), columns.join(", "))
                            .arg(int(kind) + 1);

    const KeyedOpen opened =
        openKeyedDatabase(path, password, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    QString why = opened.why;
    if (opened.db && sqlite3_exec(opened.db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        why = QString::fromUtf8(sqlite3_errmsg(opened.db));
    sqlite3_close(opened.db);
    if (!why.isEmpty()) {
        QFile::remove(path);
        throw StoreError(QStringLiteral("Cannot create table %1: %2").arg(path, why));
    }
}

TableKind tableKindOf(const QStringList& columns, int storedKind)
{
    if (storedKind >= 1 && storedKind <= 3)
        return TableKind(storedKind - 1);
    auto has = [&](const char* name) { return columns.contains(QLatin1String(name), Qt::CaseInsensitive); };
    if (has(field::Q_OR_NUMBER))
        return TableKind::Current;
    if (has(field::Q_EXAM_N))
        return TableKind::Bank;
    return TableKind::User;
}

}  // namespace store
