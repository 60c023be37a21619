#pragma once
// The fingerprint of an item: a hash of its question, its six answers and which of them are
// correct. It tells whether an item of the history is still the item that its bank holds
// under the same Q_ID. The same texts give the same fingerprint in every version of the
// program, so its recipe must never change.

#include "history/Attempt.h"
#include "store/ChoiceOrder.h"

#include <QStringList>
#include <QVariant>

#include <array>
#include <vector>

namespace store {
class Table;
}

namespace history {

struct ItemTexts {
    QString question;
    std::array<QString, 6> answers;
    std::array<bool, 6> keys{};
};

Fingerprint fingerprint(const ItemTexts& item);

// The fingerprint of the current record of an open bank, user set or exam set table
// (Q_TEXT, Q1..Q6, A1..A6). For an exam set record whose choices were shown in `shown`
// order, the choices are put back in their stored order first, so the item keeps the
// fingerprint its bank gives it.
Fingerprint fingerprintOfRecord(const store::Table& table, const store::ChoiceOrder& shown = {});

// The fields a fingerprint is made of (Q_TEXT, Q1..Q6, A1..A6), for a walk over a whole table.
QStringList fingerprintFields();
// The fingerprint of a record whose values of fingerprintFields() are `values`, in that order.
Fingerprint fingerprintOfValues(const std::vector<QVariant>& values);

}  // namespace history
