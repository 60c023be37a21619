#pragma once
// Items as JSON: the source format of the qbank tool, read with every fault reported.

#include "store/Fields.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <map>
#include <vector>

namespace qbank {

// One item as table field values, keyed by field name (Q_TEXT, A1, ...).
using Record = std::map<QString, QVariant>;

// Reads the items of a JSON source for a table of `kind`. Faults go to `faults`, one line each;
// records are returned only when there is none.
std::vector<Record> readItems(const QByteArray& json, store::TableKind kind, QStringList& faults);

// The JSON object of one record, with every field of `kind`.
QJsonObject toJson(const Record& record, store::TableKind kind);

}  // namespace qbank
