#pragma once
// The rules of one item record, checked in one place: by the qbank tool before an import and
// in its check of a table file, and by the test of the sample data.

#include "store/Fields.h"

#include <QString>
#include <QVariant>

#include <functional>

#include <map>
#include <vector>

namespace store {

// One item as field values keyed by field name (Q_TEXT, A1, ...). A field left out, or
// holding NULL, counts as its default: 0, empty or false.
using ItemRecord = std::map<QString, QVariant>;

// The rule an item breaks; an editor uses it to say where the user mends the item.
enum class ItemRule {
    Range,               // a number outside its range, or not a whole number
    NoAnswer,            // no answer text at all
    OneAnswer,           // one answer text: nothing to choose between
    KeyWithoutText,      // a key on an answer without text
    SingleKeyCount,      // a single-response item without exactly one key
    MultipleWithoutKey,  // a multiple-response item without any key
    Picture,             // a picture name that is no plain name of a known kind, or is missing
};

// One broken rule. `field` names the field it concerns and `text` what is wrong with its
// value ("9 is outside 0..7"); for a rule of the answers as a whole `field` is empty and
// `text` says it all ("no answer text"). `answer` is the answer (1..6) that
// KeyWithoutText concerns, `keys` the number of keys that SingleKeyCount found.
struct ItemFault {
    QString field;
    QString text;
    ItemRule rule = ItemRule::Range;
    int answer = 0;
    int keys = 0;
};

// The faults of `item` in a table of `kind`: numbers as stored (never cut to 32 bits) within
// their ranges, at least two answer texts, no key on an empty answer, exactly one key for a
// single-response item and at least one for a multiple-response item, picture names that are
// plain file names of a known kind and, when `pictureFolder` is given, exist in it. The
// answers' faults come in the order of ItemRule.
std::vector<ItemFault> checkItem(const ItemRecord& item, TableKind kind, const QString& pictureFolder = QString());

// The largest Q_ID: the field holds 32 bits.
inline constexpr qint64 MaxItemId = 2147483647;

// The range of a whole-number field. An optional field may be missing (NULL); where its range
// starts above 0, a 0 stands for a missing value too.
struct FieldRange {
    const char* field;
    qint64 low, high;
    bool optional;
};

// The range of the whole-number field `field` (Q_ID, Q_EXAM_N, Q_SECT, Q_OR_NUMBER); nothing
// for another field.
const FieldRange* rangeOf(const char* field);

// One fault as a report line writes it: the field and what is wrong ("Q_SECT 9 is outside
// 1..4"), or the text alone for a rule of the answers as a whole. `shownName` gives the field's
// name as the reader knows it (a key of an import file); without it, the table's name is shown.
QString faultText(const ItemFault& fault, const std::function<QString(const QString&)>& shownName = {});

}  // namespace store
