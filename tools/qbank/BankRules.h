#pragma once
// The item-writing rules a program can check over a whole question bank: the key must not
// give itself away by its length, in any practice exam; the same distractor text must not
// come back item after item; and the keys must be spread evenly over the letters.

#include "store/ItemCheck.h"

#include <QStringList>

#include <vector>

namespace qbank {

// One item as table field values, keyed by field name (Q_TEXT, A1, ...).
using Record = store::ItemRecord;

// Below this many items the shares say nothing about the writing, so no rule is judged.
constexpr int BankRulesMinimumItems = 100;
// In each practice exam, a guesser who always picks the longest answer (splitting ties
// evenly) may score at most this many times what blind guessing scores.
constexpr double LongestGainLimit = 1.3;
// In each practice exam, the keys of multiple-response items may be exactly the k longest
// answers (ties split) at most this many times as often as chance would make them.
constexpr double TopKeysLimit = 1.5;
// In multiple-response items the keys may be at most this much longer, on average, than the
// distractors.
constexpr double KeyLengthLimit = 1.25;
// A distractor text (compared without case, punctuation and digits) may appear in at most
// this many items; more, and learners learn that it is never the answer.
constexpr int DistractorRepeatLimit = 5;
// Each letter's count of keys may differ from its expected count by at most this share.
constexpr double LetterBalanceLimit = 0.10;
// Letters expected to be the key fewer times than this are too rare to judge.
constexpr double LetterMinimumExpected = 20.0;

// One fault message per rule the bank breaks; empty when it keeps them all. `records` are
// items as table field values (Q_ID, Q_EXAM_N, Q_TYPE, Q1..Q6, A1..A6), in bank order.
QStringList checkBankRules(const std::vector<Record>& records);

// The measured figures behind the rules, one line per practice exam and one for the whole
// bank; empty below BankRulesMinimumItems.
QStringList bankFigures(const std::vector<Record>& records);

// A distractor text as the repeat rule compares it: lower case, without digits and
// punctuation, runs of spaces made one.
QString comparableText(const QString& answer);

}  // namespace qbank
