#pragma once
// A question bank of `count` items with Q_ID 1..count, each with a question of about 200
// characters, an explanation and four answers; the item's exam number comes from examOf(Q_ID).

#include "store/StandaloneTable.h"
#include "store/Table.h"
#include "store/TableFile.h"

#include <QString>

#include <functional>

inline void makeBenchBank(const QString& file, int count, const std::function<int(int)>& examOf)
{
    using namespace store;
    createTableFile(file, TableKind::Bank, TablePassword);
    StandaloneTable standalone(file);
    Table& table = standalone.table;
    table.open();
    table.startTransaction();
    const QString text = QStringLiteral("Which of these statements about the network shown is true? ").repeated(3);
    for (int k = 1; k <= count; ++k) {
        table.append();
        table.setValue("Q_ID", k);
        table.setValue("Q_EXAM_N", examOf(k));
        table.setValue("Q_SECT", k % 4 + 1);
        table.setValue("Q_TEXT", text + QString::number(k));
        table.setValue("Q_EXPL", text);
        for (int a = 1; a <= 4; ++a)
            table.setValue(QStringLiteral("Q%1").arg(a), QStringLiteral("Answer %1 of item %2").arg(a).arg(k));
        table.setValue("A2", true);
        table.post();
    }
    table.commit();
}
