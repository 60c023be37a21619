#pragma once
// Items as JSON: the source format of the qbank tool, read with every fault reported.

#include "store/Fields.h"
#include "store/ItemCheck.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <vector>

namespace qbank {

// One item as table field values, keyed by field name (Q_TEXT, A1, ...).
using Record = store::ItemRecord;

// Reads the items of a JSON source for a table of `kind`: strict JSON (see StrictJson.h), known
// fields of the kind's layout with values of the right type. Faults go to `faults`, one line
// each; records are returned only when there is none. The item rules are store::checkItem's.
std::vector<Record> readItems(const QByteArray& json, store::TableKind kind, QStringList& faults);

// The JSON name of a table field ("exam" for Q_EXAM_N, "answers" for Q1..Q6); the field
// itself when it has none.
QString jsonNameOf(const QString& field);

// The JSON object of one record, with every field of `kind`.
QJsonObject toJson(const Record& record, store::TableKind kind);

}  // namespace qbank
