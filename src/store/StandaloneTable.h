#pragma once
// A table file opened outside the exam window: a session of its own holding the program's
// password, and a table on the file. For the qbank tool, benchmarks and test fixtures.

#include "store/Session.h"
#include "store/Table.h"

namespace store {

struct StandaloneTable {
    Session session{SessionName};
    Table table;

    explicit StandaloneTable(const QString& file, const QString& password = TablePassword)
    {
        session.addPassword(password);
        table.setSession(&session);
        table.setTableName(file);
    }
};

}  // namespace store
