#include "BankRules.h"

#include <array>
#include <cmath>

namespace qbank {

namespace {

constexpr int MaxAnswers = 6;

// The filled answers of one item and which of them are keys.
struct Answers {
    std::array<qsizetype, MaxAnswers> length{};
    std::array<bool, MaxAnswers> filled{};
    std::array<bool, MaxAnswers> key{};
    int filledCount = 0;
    int keyCount = 0;
};

Answers answersOf(const Record& record)
{
    Answers a;
    for (int k = 0; k < MaxAnswers; ++k) {
        const auto text = record.find(QStringLiteral("Q%1").arg(k + 1));
        const auto key = record.find(QStringLiteral("A%1").arg(k + 1));
        const QString answer = text == record.end() ? QString() : text->second.toString().trimmed();
        a.filled[k] = !answer.isEmpty();
        a.length[k] = answer.size();
        a.key[k] = a.filled[k] && key != record.end() && key->second.toBool();
        a.filledCount += a.filled[k];
        a.keyCount += a.key[k];
    }
    return a;
}

bool isMultiple(const Record& record)
{
    const auto type = record.find(QStringLiteral("Q_TYPE"));
    return type != record.end() && type->second.toBool();
}

// A single-response key that is strictly longer than every distractor.
bool keyIsLongest(const Answers& a)
{
    int keyIndex = -1;
    for (int k = 0; k < MaxAnswers; ++k)
        if (a.key[k]) keyIndex = k;
    for (int k = 0; k < MaxAnswers; ++k)
        if (a.filled[k] && k != keyIndex && a.length[k] >= a.length[keyIndex]) return false;
    return true;
}

QString number(double value) { return QString::number(value, 'f', 1); }

}  // namespace

QStringList checkBankRules(const std::vector<Record>& records)
{
    if (records.size() < size_t(BankRulesMinimumItems)) return {};

    int longest = 0;
    int singles = 0;
    double longestByChance = 0;
    double keyLength = 0, distractorLength = 0;
    int keysCounted = 0, distractorsCounted = 0;
    std::array<double, MaxAnswers> observed{}, expected{};

    for (const Record& record : records) {
        const Answers a = answersOf(record);
        if (a.filledCount < 2 || a.keyCount == 0) continue;  // layout faults are reported elsewhere
        for (int k = 0; k < MaxAnswers; ++k) {
            if (!a.filled[k]) continue;
            expected[k] += double(a.keyCount) / a.filledCount;
            observed[k] += a.key[k];
        }
        if (isMultiple(record)) {
            for (int k = 0; k < MaxAnswers; ++k) {
                if (!a.filled[k]) continue;
                (a.key[k] ? keyLength : distractorLength) += double(a.length[k]);
                ++(a.key[k] ? keysCounted : distractorsCounted);
            }
        } else if (a.keyCount == 1) {
            ++singles;
            longestByChance += 1.0 / a.filledCount;
            longest += keyIsLongest(a);
        }
    }

    QStringList faults;
    if (singles > 0 && longest > KeyLongestLimit * longestByChance)
        faults << QStringLiteral("the key is the longest answer in %1 of %2 single-response items; chance "
                                 "gives %3, so at most %4 are allowed")
                      .arg(longest).arg(singles).arg(number(longestByChance))
                      .arg(number(KeyLongestLimit * longestByChance));
    if (keysCounted > 0 && distractorsCounted > 0) {
        const double keyMean = keyLength / keysCounted;
        const double distractorMean = distractorLength / distractorsCounted;
        if (keyMean > KeyLengthLimit * distractorMean)
            faults << QStringLiteral("in multiple-response items the keys average %1 characters against %2 "
                                     "for the distractors; at most %3 are allowed")
                          .arg(number(keyMean), number(distractorMean), number(KeyLengthLimit * distractorMean));
    }
    for (int k = 0; k < MaxAnswers; ++k) {
        if (expected[k] < LetterMinimumExpected) continue;
        if (std::abs(observed[k] - expected[k]) > LetterBalanceLimit * expected[k])
            faults << QStringLiteral("the letter %1 is a key %2 times where %3 are expected; it must be within "
                                     "%4 %")
                          .arg(QChar('a' + k)).arg(int(observed[k])).arg(number(expected[k]))
                          .arg(int(LetterBalanceLimit * 100));
    }
    return faults;
}

}  // namespace qbank
