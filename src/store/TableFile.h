#pragma once
// Making new table files. The program itself never creates them; the qbank tool and the
// build do, and tests make their own.

#include "store/Fields.h"

#include <QString>

namespace store {

// Creates an empty table file of `kind` at `path`, keyed with `password` (none when empty).
// Refuses to overwrite an existing file. Throws StoreError.
void createTableFile(const QString& path, TableKind kind, const QString& password);

// Reads the kind a table file was created as (from its columns when it does not say).
TableKind tableKindOf(const QStringList& columns, int storedKind);

}  // namespace store
