#pragma once
// The item-writing rules a program can check over a whole question bank: the key must not
// give itself away by its length, and the keys must be spread evenly over the letters.

#include "store/ItemCheck.h"

#include <QStringList>

#include <vector>

namespace qbank {

// One item as table field values, keyed by field name (Q_TEXT, A1, ...).
using Record = store::ItemRecord;

// Below this many items the shares say nothing about the writing, so no rule is judged.
constexpr int BankRulesMinimumItems = 100;
// The key may be the longest answer at most this many times as often as chance would make it.
constexpr double KeyLongestLimit = 1.3;
// In multiple-response items the keys may be at most this much longer, on average, than the
// distractors.
constexpr double KeyLengthLimit = 1.25;
// Each letter's count of keys may differ from its expected count by at most this share.
constexpr double LetterBalanceLimit = 0.10;
// Letters expected to be the key fewer times than this are too rare to judge.
constexpr double LetterMinimumExpected = 20.0;

// One fault message per rule the bank breaks; empty when it keeps them all. `records` are
// items as table field values (Q_ID, Q_TYPE, Q1..Q6, A1..A6), in bank order.
QStringList checkBankRules(const std::vector<Record>& records);

}  // namespace qbank
