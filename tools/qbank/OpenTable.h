#pragma once
// A table file opened by the qbank tool, with the kind it was made as.

#include "store/StandaloneTable.h"
#include "store/TableFile.h"

#include <QString>
#include <QStringList>

namespace qbank {

struct OpenTable : store::StandaloneTable {
    store::TableKind kind = store::TableKind::Bank;

    explicit OpenTable(const QString& file) : StandaloneTable(file)
    {
        table.open();
        kind = store::tableKindOf(table.fieldNames(), table.storedKind());
    }

    // A layout other than the kind's: fields it lacks, and fields of its own that no
    // command would read or write.
    QStringList layoutFaults() const
    {
        QStringList faults;
        const QStringList fields = store::fieldNamesOf(kind);
        for (const QString& field : fields)
            if (!table.hasField(field))
                faults.append(QStringLiteral("the layout lacks the field %1").arg(field));
        for (const QString& field : table.fieldNames())
            if (!fields.contains(field, Qt::CaseInsensitive))
                faults.append(QStringLiteral("the layout has a field %1 that a %2 table does not have")
                                  .arg(field, store::kindName(kind)));
        return faults;
    }
};

}  // namespace qbank
