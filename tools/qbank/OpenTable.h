#pragma once
// A table file opened by the qbank tool, with the kind it was made as.

#include "store/StandaloneTable.h"
#include "store/TableFile.h"

#include <QString>

#include <cstdio>

namespace qbank {

struct OpenTable : store::StandaloneTable {
    store::TableKind kind = store::TableKind::Bank;

    explicit OpenTable(const QString& file) : StandaloneTable(file)
    {
        table.open();
        kind = store::tableKindOf(table.fieldNames(), table.storedKind());
    }
};

// One line to `to`.
inline void say(FILE* to, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), to);
    std::fputc('\n', to);
}

}  // namespace qbank
