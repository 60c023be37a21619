#pragma once
// The rules of one item record, checked in one place: by the qbank tool before an import and
// in its check of a table file, and by the test of the sample data.

#include "store/Fields.h"

#include <QString>
#include <QVariant>

#include <map>
#include <vector>

namespace store {

// One item as field values keyed by field name (Q_TEXT, A1, ...). A field left out, or
// holding NULL, counts as its default: 0, empty or false.
using ItemRecord = std::map<QString, QVariant>;

// One broken rule. `field` names the field it concerns and `text` what is wrong with its
// value ("9 is outside 0..7"); for a rule of the answers as a whole `field` is empty and
// `text` says it all ("no answer text").
struct ItemFault {
    QString field;
    QString text;
};

// The faults of `item` in a table of `kind`: numbers as stored (never cut to 32 bits) within
// their ranges, at least one answer text, no key on an empty answer, exactly one key for a
// single-response item, picture names that are plain file names of a known kind and, when
// `pictureFolder` is given, exist in it.
std::vector<ItemFault> checkItem(const ItemRecord& item, TableKind kind, const QString& pictureFolder = QString());

// The largest Q_ID: the field holds 32 bits.
inline constexpr qint64 MaxItemId = 2147483647;

}  // namespace store
