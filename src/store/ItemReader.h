#pragma once
// A table file read by plain SQL, without the table's navigation (which loads every key when it
// opens): for a few items looked up by Q_ID and for one pass over all of them. Read-only.

#include "store/Connection.h"
#include "store/Session.h"

#include <QStringList>
#include <QVariant>

#include <functional>
#include <optional>
#include <vector>

namespace store {

class ItemReader : public Connection {
public:
    // Throws a StoreError naming the file when it cannot be opened or is not a table file.
    explicit ItemReader(const QString& file, const QString& password = TablePassword);
    ~ItemReader() override;

    // The fields `names` of the item `id`, in that order; nullopt when there is none.
    std::optional<std::vector<QVariant>> item(std::int64_t id, const QStringList& names);
    // The fields `names` of every item, in Q_ID order.
    void walk(const QStringList& names, const std::function<void(const std::vector<QVariant>& values)>& visit);

    [[noreturn]] void failSql(const QString& doing, int code = 0) const override;

private:
    QString selectOf(const QStringList& names, const char* where) const;

    QString m_file;
};

}  // namespace store
